// 瑟柯牌局: a six-seat Chinese climbing game for one player against five.
#include <QApplication>

#include "app/settings.h"
#include "ui/fonts.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("tav");
    QApplication::setApplicationDisplayName("瑟柯牌局");
    QApplication::setWindowIcon(QIcon(":/tav.png"));
    tav::ui::install_font_substitutions();
    tav::ui::MainWindow window(tav::app_settings());
    window.show();
    return QApplication::exec();
}

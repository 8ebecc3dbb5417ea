// 瑟柯牌局: a six-seat Chinese climbing game for one player against five.
#include <QApplication>

#include "app/settings.h"
#include "ui/application.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tav::ui::set_up_application();
    tav::ui::MainWindow window(tav::app_settings(), 0, nullptr, tav::ui::MainWindow::Sizing::screen);
    window.show();
    return QApplication::exec();
}

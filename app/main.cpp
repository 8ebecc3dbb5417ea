// 瑟柯牌局: a six-seat Chinese climbing game for one player against five.
#include <QApplication>

#include "app/settings.h"
#include "ui/application.h"
#include "ui/keep_files.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tav::ui::set_up_application();
    tav::ui::load_settings(tav::app_settings());  // before the table is drawn with them
    tav::ui::MainWindow window(tav::app_settings(), 0, nullptr, tav::ui::MainWindow::Sizing::screen);
    window.show();
    window.keep_between_runs(tav::ui::data_folder());
    return QApplication::exec();
}

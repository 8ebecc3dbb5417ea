#include "ui/qt_platform.h"
#include "ui/language.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>

#include "ui/table_widget.h"
#include "ui/units.h"

namespace tav::ui {

bool QtPlatform::ask_yes_no(const std::string& title, const std::string& text) {
    return QMessageBox::question(window_, shown(title), shown(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

void QtPlatform::message(const std::string& title, const std::string& text) {
    QMessageBox::information(window_, shown(title), shown(text));
}

void QtPlatform::wait(double seconds) {
    if (seconds <= 0) return;
    // The table goes on painting; clicks and keys wait until the pause is over.
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

QPrinter& QtPlatform::printer() {
    if (!printer_) printer_ = new QPrinter(QPrinter::HighResolution);
    return *printer_;
}

void QtPlatform::print() {
    QPrintDialog dialog(&printer(), window_);
    dialog.setObjectName("print_dialog");
    if (dialog.exec() == QDialog::Accepted) print_to(printer());
}

void QtPlatform::printer_setup() {
    QPageSetupDialog dialog(&printer(), window_);
    dialog.exec();
}

void QtPlatform::print_to(QPrinter& target) {
    if (!view_) return;
    QPainter painter(&target);
    if (!painter.isActive()) return;
    // The table as it stands, scaled to fit the page.
    const QRect page = painter.viewport();
    const QSize table(view_->width(), view_->height());
    const double scale = std::min(page.width() / double(table.width()), page.height() / double(table.height()));
    painter.scale(scale, scale);
    painter.fillRect(QRect(QPoint(0, 0), table), Qt::white);
    view_->render_table(painter);
}

void QtPlatform::close() {
    if (window_) window_->close();
}

}  // namespace tav::ui

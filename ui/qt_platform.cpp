#include "ui/qt_platform.h"
#include "ui/language.h"

#include <QApplication>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <algorithm>
#include <cmath>

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

void QtPlatform::ask_yes_no_then(const std::string& title, const std::string& text, std::function<void(bool)> then) {
    // Modal to the window only and opened without a loop of its own: the
    // answer comes back through `finished`, from the program's event loop.
    auto* box =
        new QMessageBox(QMessageBox::Question, shown(title), shown(text), QMessageBox::Yes | QMessageBox::No, window_);
    box->setDefaultButton(QMessageBox::Yes);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QMessageBox::finished, box,
                     [then = std::move(then)](int result) { then(result == QMessageBox::Yes); });
    box->open();
}

void QtPlatform::after(double seconds, std::function<void()> then) {
    // Tied to the window: a timer still running when it goes is dropped with it.
    QObject* context = window_ ? static_cast<QObject*>(window_.data()) : qApp;
    QTimer::singleShot(static_cast<int>(std::lround(std::max(0.0, seconds) * 1000)), context, std::move(then));
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

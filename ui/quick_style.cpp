#include "ui/quick_style.h"

#include <QApplication>
#include <QImageReader>
#include <QPixmap>
#include <QStyleFactory>
#include <QWidget>

namespace tav::ui {
namespace {

// The arrows as Qt's common style names them, at their three sizes.
QIcon read_arrows(const char* name, std::initializer_list<int> sizes) {
    QIcon icon;
    for (int size : sizes) {
        QImageReader reader(QString(":/qt-project.org/styles/commonstyle/images/%1-%2.png").arg(name).arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (image.isNull()) return {};
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

}  // namespace

QIcon quick_arrows(QStyle::StandardPixmap icon, bool right_to_left) {
    if (icon == QStyle::SP_ToolBarHorizontalExtensionButton)
        return read_arrows(right_to_left ? "toolbar-ext-h-rtl" : "toolbar-ext-h", {8, 16, 32});
    if (icon == QStyle::SP_ToolBarVerticalExtensionButton) return read_arrows("toolbar-ext-v", {5, 10, 20});
    return {};
}

QIcon QuickStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const {
    const QIcon quick = quick_arrows(icon, widget ? widget->isRightToLeft() : QApplication::isRightToLeft());
    return quick.isNull() ? QProxyStyle::standardIcon(icon, option, widget) : quick;
}

void use_quick_style() {
    const QString name = QApplication::style()->name();
    if (name.compare("fusion", Qt::CaseInsensitive) != 0 && name.compare("windows", Qt::CaseInsensitive) != 0) return;
    QApplication::setStyle(new QuickStyle(QStyleFactory::create(name)));
}

}  // namespace tav::ui

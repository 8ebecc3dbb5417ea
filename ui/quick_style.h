// The application's widget style, unchanged but for how it reads two of its
// own pictures. Qt's common styles (Fusion, Windows) read the toolbar
// extension arrows by file name; Qt then loads every image plugin to ask
// whether it can read them, a few milliseconds at start-up that every menu
// bar pays for its hidden ">>" button. Here they are read as the PNG files
// they are. Everything else is the base style's own.
#pragma once

#include <QProxyStyle>

namespace tav::ui {

class QuickStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

// The toolbar extension arrows read straight from Qt's own pictures; null
// for any other picture, or should a Qt version name them otherwise.
QIcon quick_arrows(QStyle::StandardPixmap icon, bool right_to_left);

// Puts the quick style over the application's style when that is one of Qt's
// common styles; leaves any other style (a desktop's own) alone.
void use_quick_style();

}  // namespace tav::ui

// The game buttons' pictures, drawn by our own painter code at whatever size
// a button asks for: sharp on any screen, the same under every widget style.
#pragma once

#include <QIcon>
#include <QString>

namespace tav::ui {

// The picture for a stock name ("Continue!", "Count!", "RetrieveCancel!",
// "MoveMode!", "Exit!", any letter case); a null icon for any other name.
// Disabled, it is drawn grey.
QIcon button_picture(const QString& name);

}  // namespace tav::ui

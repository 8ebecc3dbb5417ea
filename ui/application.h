// What the program sets on the application as a whole before its first
// window: its name, icon and fonts. The window tests set it the same way.
#pragma once

#include <QString>
#include <QStringList>

namespace tav::ui {

// The organisation's and the program's names, which name the folders the
// game keeps its files in (~/.config/tav, ~/.local/share/tav/tav): set before
// anything asks for a path, so the folders never follow the executable's name.
void name_application();

// Call once the QApplication exists (names it too).
void set_up_application();

// Qt's own texts (the Yes and No of a question box, the colour, file and
// print dialogs) in Chinese while the window is Chinese; in English they stay
// as Qt writes them. False when Qt's Chinese translation is not installed.
bool use_qt_chinese(bool chinese);

// Why no window can be opened, or empty when one may: no platform named
// (QT_QPA_PLATFORM, -platform) and no display to open (DISPLAY,
// WAYLAND_DISPLAY, -display). Asked before the QApplication is made, which
// would abort the program without a word.
QString missing_display(const QStringList& arguments);

// Earlier versions kept the saved game and the statistics in a folder named
// after the executable (~/.local/share/<its name>). Each such file that
// `folder` does not have yet moves into it; nothing is overwritten, and a
// file that cannot be moved stays where it is. Returns the files moved.
int carry_over_kept_files(const QString& executable, const QString& folder);

}  // namespace tav::ui

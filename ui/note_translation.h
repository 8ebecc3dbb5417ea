// The game's lines in English by their kinds' patterns: the engine writes
// "石坚1大户2钱" or "柳    烟＞头科" with seat names and numbers inside, so a
// line is matched against each kind's shape and rebuilt from the English
// template of that kind (the templates are in the translation file too).
#pragma once

#include <QString>

namespace tav::ui {

// The English line, or an empty text when no kind matches.
QString translate_note(const QString& line);

}  // namespace tav::ui

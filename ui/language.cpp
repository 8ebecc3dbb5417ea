#include "ui/language.h"

#include <QCoreApplication>
#include <QHash>
#include <QStringList>
#include <QTranslator>

#include "ui/note_translation.h"

namespace tav::ui {
namespace {

// The one translator of the program; held for the program's life, as the
// application only keeps a pointer to it.
QTranslator& translator() {
    static QTranslator t;
    return t;
}

bool& english_flag() {
    static bool on = false;
    return on;
}

bool has_chinese(const QString& s) {
    for (QChar c : s)
        if (c.unicode() >= 0x3000 && c.unicode() <= 0x9fff) return true;
    return false;
}

}  // namespace

bool english_for(LanguageChoice choice, const QLocale& system) {
    if (choice != LanguageChoice::system) return choice == LanguageChoice::english;
    const QLocale::Language l = system.language();
    return l != QLocale::Chinese && l != QLocale::C && l != QLocale::AnyLanguage;
}

bool use_english(bool english) {
    QCoreApplication::removeTranslator(&translator());
    english_flag() = false;
    if (!english) return true;
    if (!translator().load(":/i18n/tav_en.qm") || !QCoreApplication::installTranslator(&translator())) return false;
    english_flag() = true;
    return true;
}

bool english_in_use() { return english_flag(); }

game::notes::Wording note_wording() {
    if (english_flag()) return &english_lines;
    return &game::notes::write;
}

QString tx(const char* chinese) { return QCoreApplication::translate("tav", chinese); }

QString shown(std::string_view text) {
    const QString all = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (!english_flag() || !has_chinese(all)) return all;
    // The table asks on every paint; a line once translated is kept (the
    // game writes a few hundred different lines at most).
    static QHash<QString, QString> known;
    if (known.size() > 4096) known.clear();
    QStringList lines = all.split('\n');
    for (QString& line : lines) {
        if (!has_chinese(line)) continue;
        if (const auto it = known.constFind(line); it != known.cend()) {
            line = *it;
            continue;
        }
        QString english = tx(line.toUtf8().constData());
        if (english == line)
            if (QString by_pattern = translate_note(line); !by_pattern.isEmpty()) english = by_pattern;
        known.insert(line, english);
        line = english;
    }
    return lines.join('\n');
}

}  // namespace tav::ui

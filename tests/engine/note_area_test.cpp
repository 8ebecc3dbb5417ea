// The note area of the table against a plain rebuild of its text.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "session/session.h"

namespace tav {
namespace {

// The note area keeps the newest sixteen lines: exactly what splitting the
// text into lines and joining the last sixteen keeps.
std::string plain_note(const std::string& before, const std::string& line) {
    const std::string text = before.empty() ? line : before + "\n" + line;
    std::vector<std::string> lines;
    const std::string counted = text.empty() || text.back() != '\n' ? text + '\n' : text;
    for (std::size_t from = 0, cut; from < counted.size(); from = cut + 1) {
        cut = counted.find('\n', from);
        lines.push_back(counted.substr(from, cut - from));
    }
    if (lines.size() <= 16) return text;
    std::string kept;
    const std::size_t first = lines.size() - 16;
    for (std::size_t i = first; i < lines.size(); ++i) kept += (i == first ? "" : "\n") + lines[i];
    return kept;
}

TEST(NoteArea, KeepsWhatTheLineByLineRebuildKept) {
    TableSettings settings;
    ScriptedPlatform platform;
    TableView view(settings, platform);
    std::mt19937 rng(5);
    const std::vector<std::string> pieces{"柳烟2个K", "", "\n", "a'b", "~", "x\n\ny", "\n\n", "钟离云请发牌", "!", "?"};
    for (int i = 0; i < 3000; ++i) {
        std::string line;
        for (int k = static_cast<int>(rng() % 3); k >= 0; --k) line += pieces[rng() % pieces.size()];
        if (rng() % 50 == 0) view.clear_notes();
        // An empty line is no line: nothing is written, nothing logged.
        const std::string expected = line.empty() ? view.note_text() : plain_note(view.note_text(), line);
        const std::size_t logged = view.note_log().size() + (line.empty() ? 0 : 1);
        view.note(line);
        ASSERT_EQ(view.note_text(), expected) << "after line " << i;
        ASSERT_EQ(view.note_log().size(), logged);
        if (!line.empty()) {
            ASSERT_EQ(view.note_log().back(), line);
        }
    }
}

}  // namespace
}  // namespace tav

// Why something is refused, in the window's language: every reason the
// readers of the saved game and of the state can give, and every refusal of
// the rule gate, is the game's own Chinese and reads English, whole, through
// the translation.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <string>
#include <vector>

#include "model/serialise.h"
#include "rules/gate.h"
#include "tests/engine/gate_support.h"
#include "tests/engine/saved_game_support.h"
#include "ui/language.h"

namespace tav::ui {
namespace {

bool has_chinese(const QString& text) {
    static const QRegularExpression cjk("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]");
    return cjk.match(text).hasMatch();
}

TEST(RefusalReasons, EveryReasonOfTheReadersAndTheGateReadsEnglish) {
    std::vector<std::string> reasons;
    for (const test::Crafted& f : test::crafted_saved_games()) reasons.push_back(read_saved_game(f.text).error);
    for (const test::Crafted& f : test::crafted_states()) reasons.push_back(game::read_state(f.text).error);
    // The consistency check's own reason no text can reach.
    game::State traded_zero;
    traded_zero.traded.set(0);
    reasons.push_back(game::check_consistent(traded_zero));
    for (const test::Refusal& r : test::gate_refusals()) reasons.push_back(game::check(r.table.s, r.seat, r.d).reason);

    ASSERT_TRUE(use_english(true));
    for (const std::string& reason : reasons) {
        const QString chinese = QString::fromStdString(reason);
        ASSERT_TRUE(has_chinese(chinese)) << reason;  // the game's own language
        const QString english = shown(reason);
        EXPECT_NE(english, chinese) << reason;
        EXPECT_FALSE(has_chinese(english)) << reason << " -> " << english.toStdString();
    }
    // A field's name and the numbers stay as they are written.
    EXPECT_EQ(shown("保存的牌局状态不对：第7行：hand B：96 超出范围"),
              "the saved game's state is refused: line 7: hand B: 96 is out of range");
    use_english(false);
    EXPECT_EQ(shown(reasons.front()), QString::fromStdString(reasons.front()));
}

}  // namespace
}  // namespace tav::ui

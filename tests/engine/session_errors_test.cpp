// Whatever goes wrong inside an action leaves the game as it was, with the
// buttons it offered: never a table waiting for nobody.
#include <gtest/gtest.h>

#include <stdexcept>

#include "rules/engine.h"
#include "tests/engine/game_support.h"
#include "tests/engine/session_support.h"

namespace tav {
namespace {

using game::Ask;
using game::Seat;

struct SessionErrors : test::SessionFixture {
    Session s{settings, platform, 8};

    std::vector<bool> enabled() const {
        std::vector<bool> out;
        for (const Button& b : s.buttons()) out.push_back(b.enabled);
        return out;
    }
};

TEST_F(SessionErrors, AnActionThatThrowsHalfWayChangesNothing) {
    s.shuffle();
    test::play_until(s, 200, [&] { return s.state().ask == Ask::follow; });
    const game::State before = s.state();
    const std::vector<bool> buttons = enabled();
    const std::size_t notes = s.view().note_log().size();

    // An action that has already changed its copy of the game when it fails.
    const bool done = s.act([](game::State& st, game::Events& ev) -> game::Verdict {
        st.hands[Seat::A].clear();
        st.ask = Ask::nothing;
        ev.add(game::TrickTaken{});  // a line half-way
        throw std::runtime_error("out of memory");
    });
    EXPECT_FALSE(done);
    EXPECT_EQ(s.state().hands, before.hands);
    EXPECT_EQ(s.state().ask, Ask::follow);
    EXPECT_EQ(enabled(), buttons);
    EXPECT_TRUE(s.button(ButtonId::pass).enabled);
    EXPECT_EQ(s.view().note_log().size(), notes);

    // The game goes on from where it stood.
    EXPECT_TRUE(s.autoplay_human());
    EXPECT_NE(s.state().hands, before.hands);
}

TEST_F(SessionErrors, ARefusedActionKeepsTheButtonsItOffered) {
    s.shuffle();
    test::play_until(s, 200, [&] { return s.state().ask == Ask::follow; });
    const std::vector<bool> buttons = enabled();
    EXPECT_FALSE(s.act([](game::State& st, game::Events& ev) {
        return host::computer_decides(st, ev).ok() ? game::Verdict{"refused after all"} : game::Verdict{};
    }));
    EXPECT_EQ(s.state().ask, Ask::follow);
    EXPECT_EQ(enabled(), buttons);
}

}  // namespace
}  // namespace tav

// Test helpers for sessions at the table: the settings and the scripted
// platform a session under test runs on, and the computer playing the
// human's part until something holds.
#pragma once

#include <gtest/gtest.h>

#include "app/settings.h"
#include "model/state.h"
#include "session/session.h"
#include "tests/engine/game_support.h"
#include "view/platform.h"

namespace tav::test {

// Settings and a scripted platform for sessions, with no pause when plays
// leave the table.
struct SessionFixture : ::testing::Test {
    Settings settings;
    ScriptedPlatform platform;

    SessionFixture() { settings.play_pause = 0; }
};

// The computer acts for the human, shuffling between deals, until `done`
// holds; after `most` actions the test fails.
template <class Done>
void play_until(Session& s, int most, Done done) {
    for (int acts = 0; !done(); ++acts) {
        ASSERT_LT(acts, most);
        if (s.state().ask == game::Ask::shuffle)
            s.shuffle();
        else
            ASSERT_TRUE(s.autoplay_human());
    }
}

}  // namespace tav::test

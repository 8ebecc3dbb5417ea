// A tribute payer with nothing to give: the line says so ("…进落贡无牌"), and
// nothing is owed back — no question, no "请钟离云还贡", no return button.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <memory>

#include "ui/main_window.h"

namespace tav::ui {
namespace {

using game::Ask;

// Seed 3 with the default rules: 花月容 comes fifth in the first deal and
// holds no joker or 2 when the second is dealt, owing the human a card.
constexpr std::uint64_t kSeed = 3;

TEST(WindowZeroTribute, NothingGivenMeansNothingToReturn) {
    Settings settings;
    settings.play_pause = 0;
    MainWindow window(settings, kSeed);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    Session& s = window.session();
    QTest::mouseClick(window.button("cb_send"), Qt::LeftButton);
    for (int turns = 0; s.state().deal_running(); ++turns) {
        ASSERT_LT(turns, 2000);
        ASSERT_TRUE(s.autoplay_human());
    }
    const std::size_t before = s.view().note_log().size();
    QTest::mouseClick(window.button("cb_send"), Qt::LeftButton);

    const auto& log = s.view().note_log();
    const std::vector<std::string> second(log.begin() + static_cast<std::ptrdiff_t>(before), log.end());
    ASSERT_NE(std::find(second.begin(), second.end(), "花月容进落贡无牌"), second.end())
        << "the seed no longer makes a payer without wild cards";
    EXPECT_EQ(std::find(second.begin(), second.end(), "请钟离云还贡"), second.end());
    EXPECT_EQ(std::find(second.begin(), second.end(), "花月容还落贡无牌"), second.end());
    EXPECT_NE(s.state().ask, Ask::return_tribute);
    EXPECT_FALSE(window.button("cb_gog")->isVisible());
    EXPECT_TRUE(s.state().deal_running()) << "play begins at once";
}

}  // namespace
}  // namespace tav::ui

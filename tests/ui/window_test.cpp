// The main window: how it opens, a deal's end and a new game on its table,
// quitting, printing and resizing.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <string>

#include "model/catalogue.h"
#include "ui/main_window.h"

namespace tav::ui {
namespace {

QImage grab_table(MainWindow& w) {
    QImage img(w.table()->size(), QImage::Format_ARGB32);
    QPainter p(&img);
    w.table()->render_table(p);
    return img;
}

// The score label of a seat: t_ca .. t_cf.
std::string score_label(game::Seat seat) { return std::string("t_c") + static_cast<char>('a' + game::index_of(seat)); }

TEST(Window, OpensWithTheTableReady) {
    Settings settings;
    MainWindow w(settings, 1);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.windowTitle(), QString("瑟柯牌局 - Tav2004"));
    // 3602 x 2272 table units at 32/7 units a pixel across and 4 down.
    EXPECT_EQ(w.table()->width(), 3602 * 7 / 32);
    EXPECT_EQ(w.table()->height(), 2272 / 4);
    EXPECT_FALSE(w.windowIcon().isNull());

    for (const char* name : {"cb_send", "cb_out", "cb_pass", "cb_over", "cb_gog", "cb_quit"})
        ASSERT_NE(w.button(name), nullptr) << name;
    EXPECT_TRUE(w.button("cb_send")->isEnabled());
    EXPECT_EQ(w.button("cb_send")->text(), QString("洗牌(&S)"));
    EXPECT_EQ(w.button("cb_send")->toolTip(), QString("开始游戏请先洗牌（S）"));  // the tag, then the key
    EXPECT_FALSE(w.button("cb_out")->isEnabled());
    EXPECT_FALSE(w.button("cb_pass")->isEnabled());
    EXPECT_FALSE(w.button("cb_over")->isEnabled());
    EXPECT_FALSE(w.button("cb_gog")->isVisible());
    EXPECT_TRUE(w.button("cb_quit")->isEnabled());

    // Every card picture of the catalogue is found without regard to case.
    for (int n = 1; n <= 54; ++n) {
        const QString bmp = QString::fromUtf8(card_info(n).bmp.data(), static_cast<int>(card_info(n).bmp.size()));
        const QPixmap pm = w.table()->picture(bmp);
        EXPECT_FALSE(pm.isNull()) << bmp.toStdString();
        EXPECT_EQ(pm.size(), QSize(71, 96));
    }
    for (int n = 1; n <= 6; ++n) EXPECT_FALSE(w.table()->picture(QString("cards\\bgcard%1.bmp").arg(n)).isNull());
    EXPECT_TRUE(w.table()->picture("cards\\nosuch.bmp").isNull());

    // The painted table: green gradient at the top, grey table top, the pack.
    const QImage img = grab_table(w);
    EXPECT_EQ(img.pixelColor(300, 2), QColor(0, 189, 84));
    EXPECT_EQ(img.pixelColor(px_x(1000), px_y(1400)), QColor(225, 225, 225));
    EXPECT_NE(img.pixelColor(px_x(1200), px_y(1000)), QColor(225, 225, 225));  // a back of the pack
}

TEST(Window, TheEndOfADealClearsTheTableAndANewGameTheScores) {
    Settings settings;
    settings.play_pause = 0;
    MainWindow w(settings, 1);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    Session& s = w.session();
    const Surface& table = s.surface();
    QTest::mouseClick(w.button("cb_send"), Qt::LeftButton);
    ASSERT_TRUE(s.state().deal_running());
    EXPECT_FALSE(w.button("cb_send")->isEnabled());

    // The computer plays the human's turns straight through the session: the
    // window's buttons follow the game without being told.
    for (int turns = 0; s.state().deal_running(); ++turns) {
        ASSERT_LT(turns, 2000);
        ASSERT_TRUE(s.autoplay_human());
    }
    EXPECT_TRUE(w.button("cb_send")->isEnabled());
    EXPECT_FALSE(w.button("cb_out")->isEnabled());
    EXPECT_FALSE(w.button("cb_pass")->isEnabled());

    // Every card back in the pack; the scores of the deal stay on their labels.
    for (int n = 1; n <= kCardCount; ++n) {
        ASSERT_FALSE(table.find(card_id(n))->visible) << card_id(n);
        ASSERT_TRUE(table.find("p_t" + std::to_string(n))->visible) << n;
    }
    int changed = 0;
    for (game::Seat seat : game::kAllSeats) {
        const int score = s.state().scores[seat];
        changed += score != 0;
        EXPECT_EQ(table.find(score_label(seat))->text,
                  std::string(game::padded_name_of(seat)) + "得分：" + std::to_string(score));
    }
    EXPECT_GT(changed, 0);
    EXPECT_EQ(s.view().note_log().back(), "＞＞＞请先洗牌");

    w.new_game();
    for (game::Seat seat : game::kAllSeats) {
        EXPECT_EQ(s.state().scores[seat], 0);
        EXPECT_EQ(table.find(score_label(seat))->text, std::string(game::padded_name_of(seat)) + "得分：0");
    }
    EXPECT_EQ(s.view().note_text(), " \n＞＞＞请先洗牌");
    EXPECT_TRUE(w.button("cb_send")->isEnabled());
}

TEST(Window, QuitClosesAndPrintingDrawsTheTable) {
    Settings settings;
    MainWindow w(settings, 1);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));

    QTemporaryDir dir;
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("table.pdf"));
    w.platform().print_to(printer);
    EXPECT_GT(QFileInfo(dir.filePath("table.pdf")).size(), 1000);

    QTest::mouseClick(w.button("cb_quit"), Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
}

TEST(Window, ResizingMovesNothing) {
    Settings settings;
    MainWindow w(settings, 1);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const std::string x = w.session().surface().describe("p_t1.x");
    w.resize(1000, 700);
    QTest::qWait(10);
    EXPECT_EQ(w.session().surface().describe("p_t1.x"), x);
    // The table keeps its own size; only its drawing scales with the window.
    EXPECT_EQ(w.session().surface().width(), units_x(TableWidget::base_size().width()));
}

}  // namespace
}  // namespace tav::ui

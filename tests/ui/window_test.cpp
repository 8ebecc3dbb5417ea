#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "ui/main_window.h"

namespace tav::ui {
namespace {

QImage grab_table(MainWindow& w) {
    QImage img(w.table()->size(), QImage::Format_ARGB32);
    QPainter p(&img);
    w.table()->render_table(p);
    return img;
}

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
    EXPECT_EQ(w.button("cb_send")->toolTip(), QString("开始游戏请先洗牌"));
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
    for (int n = 1; n <= 6; ++n)
        EXPECT_FALSE(w.table()->picture(QString("cards\\bgcard%1.bmp").arg(n)).isNull());
    EXPECT_TRUE(w.table()->picture("cards\\nosuch.bmp").isNull());

    // The painted table: green gradient at the top, grey table top, the pack.
    const QImage img = grab_table(w);
    EXPECT_EQ(img.pixelColor(300, 2), QColor(0, 189, 84));
    EXPECT_EQ(img.pixelColor(px_x(1000), px_y(1400)), QColor(225, 225, 225));
    EXPECT_NE(img.pixelColor(px_x(1200), px_y(1000)), QColor(225, 225, 225));  // a back of the pack
}

TEST(Window, NewgameAndResetgameThroughTheModel) {
    Settings settings;
    MainWindow w(settings, 1);
    w.show();
    w_main& m = w.model();
    m.ii_grade[3] = 4;
    m.dw_main.modify("t_cc.text=\"石    坚得分：4\" p_9.visible=\"1\" p_t9.visible=\"0\"");
    m.enable(m.cb_send, false);
    EXPECT_FALSE(w.button("cb_send")->isEnabled());
    m.newgame();
    EXPECT_TRUE(w.button("cb_send")->isEnabled());
    EXPECT_EQ(m.dw_main.describe("p_9.visible"), "0");
    EXPECT_EQ(m.dw_main.describe("p_t9.visible"), "1");
    EXPECT_EQ(m.dw_main.describe("t_cc.text"), "石    坚得分：4");
    m.resetgame();
    EXPECT_EQ(m.dw_main.describe("t_cc.text"), "石    坚得分：0");
    EXPECT_EQ(m.note_text(), " \n＞＞＞请先洗牌");
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
    const std::string x = w.model().dw_main.describe("p_t1.x");
    w.resize(1000, 700);
    QTest::qWait(10);
    EXPECT_EQ(w.model().dw_main.describe("p_t1.x"), x);
    EXPECT_EQ(w.model().dw_main.width(), units_x(w.table()->width()));
}

}  // namespace
}  // namespace tav::ui

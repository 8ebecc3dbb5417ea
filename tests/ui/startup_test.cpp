// What the program does at start to open sooner must not change what is
// seen: the style's own pictures, the menus in the window, the window
// icon's sizes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMenuBar>
#include <QStyleFactory>
#include <memory>

#include "ui/main_window.h"
#include "ui/quick_style.h"
#include "ui/startup.h"

namespace tav::ui {
namespace {

QImage pixels(const QIcon& icon, QSize size) {
    return icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
}

// The program runs with the quick style over Fusion here; its arrows are the
// very pictures Fusion itself reads, at every size it has, in both directions.
TEST(QuickStyle, ItsArrowsAreTheBaseStylesOwn) {
    ASSERT_NE(dynamic_cast<QuickStyle*>(QApplication::style()), nullptr) << "the set-up puts it over Fusion";
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create("fusion"));
    const QuickStyle quick(QStyleFactory::create("fusion"));
    for (const QStyle::StandardPixmap arrow :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
        // Read the quick way with this Qt, not handed back to Fusion.
        ASSERT_FALSE(quick_arrows(arrow, false).isNull());
        const QIcon ours = quick.standardIcon(arrow), theirs = fusion->standardIcon(arrow);
        EXPECT_EQ(ours.availableSizes(), theirs.availableSizes());
        for (const QSize size : theirs.availableSizes()) EXPECT_EQ(pixels(ours, size), pixels(theirs, size));
    }
    // Right to left, the horizontal arrow points the other way, as Fusion's does.
    QApplication::setLayoutDirection(Qt::RightToLeft);
    const QIcon ours = quick.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    const QIcon theirs = fusion->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    QApplication::setLayoutDirection(Qt::LeftToRight);
    for (const QSize size : theirs.availableSizes()) EXPECT_EQ(pixels(ours, size), pixels(theirs, size));
    // Every other picture is the base style's.
    EXPECT_TRUE(quick_arrows(QStyle::SP_MessageBoxQuestion, false).isNull());
    EXPECT_EQ(pixels(quick.standardIcon(QStyle::SP_MessageBoxQuestion), QSize(32, 32)),
              pixels(fusion->standardIcon(QStyle::SP_MessageBoxQuestion), QSize(32, 32)));
}

// The menus are the window's own on every desktop: no global menu bar is
// asked for (that meant a session-bus connection at every start).
TEST(StartUp, TheMenusStayInTheWindow) {
    EXPECT_TRUE(QCoreApplication::testAttribute(Qt::AA_DontUseNativeMenuBar));
    Settings settings;
    MainWindow w(settings, 1);
    EXPECT_FALSE(w.menuBar()->isNativeMenuBar());
    EXPECT_TRUE(w.menuBar()->isVisibleTo(&w));
}

TEST(GameIcon, HasEveryTitleAndTaskBarSizeDrawn) {
    const QIcon icon = game_icon();
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}}));
    // Each size is a picture of its own, not an empty one.
    for (const QSize size : icon.availableSizes()) {
        const QImage img = pixels(icon, size);
        EXPECT_GT(img.pixelColor(size.width() / 2, size.height() / 2).alpha(), 0) << size.width();
    }
}

}  // namespace
}  // namespace tav::ui

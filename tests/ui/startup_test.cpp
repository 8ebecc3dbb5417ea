// What the program does at start to open sooner must not change what is
// seen: the style's own pictures, the menus in the window, the window
// icon's sizes. Where it keeps its files, whatever it is called.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenuBar>
#include <QStandardPaths>
#include <QStyleFactory>
#include <memory>

#include "tests/ui/window_support.h"
#include "ui/application.h"
#include "ui/keep_files.h"
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

std::string contents(const QString& path) { return QFileInfo::exists(path) ? file_text(path) : "(none)"; }

// The data folder is the game's whatever the executable is called, and what
// an earlier version kept in the folder named after the executable moves in,
// never over a file already there, never anything but a plain file.
TEST(StartUp, TheDataFolderIsTheGamesAndTakesInTheOldOnesFiles) {
    const QString shared = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString folder = data_folder();
    EXPECT_EQ(folder, shared + "/tav/tav");
    struct Case {
        const char* executable;
        const char* old_game;   // in the old folder; null: none
        const char* old_stats;  // "fifo": a named pipe in its place
        const char* new_stats;  // already in the data folder
        int moved;
        const char* game_after;  // in the data folder; "(none)": none
        const char* stats_after;
    };
    const Case cases[] = {
        {"/usr/games/tav", "game 1", "stats 1", nullptr, 2, "game 1", "stats 1"},
        {"./build/tav", nullptr, "stats 2", "kept stats", 0, "(none)", "kept stats"},
        {"/opt/tav-2004", "game 3", "fifo", nullptr, 1, "game 3", "(none)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.executable);
        QDir(shared).removeRecursively();
        const QString old = shared + '/' + QFileInfo(c.executable).fileName();
        if (c.old_game) write_file(old + "/saved-game.txt", c.old_game);
        if (QByteArray(c.old_stats) == "fifo") {
            QDir().mkpath(old);
            ASSERT_EQ(mkfifo(QFile::encodeName(old + "/statistics.txt").constData(), 0600), 0);
        } else {
            write_file(old + "/statistics.txt", c.old_stats);
        }
        if (c.new_stats) write_file(folder + "/statistics.txt", c.new_stats);
        EXPECT_EQ(carry_over_kept_files(c.executable, folder), c.moved);
        EXPECT_EQ(contents(folder + "/saved-game.txt"), c.game_after);
        EXPECT_EQ(contents(folder + "/statistics.txt"), c.stats_after);
        // What did not move stays where it was.
        if (c.new_stats) {
            EXPECT_EQ(contents(old + "/statistics.txt"), c.old_stats);
        }
        EXPECT_EQ(QFileInfo::exists(old + "/saved-game.txt"), false);
    }
    QDir(shared).removeRecursively();
}

}  // namespace
}  // namespace tav::ui

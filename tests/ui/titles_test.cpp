// Every window, dialog and message box title reads exactly as our code
// sets it: Qt adds the application's display name after a title that does
// not already end with it, so the program sets none.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGuiApplication>
#include <QMessageBox>
#include <QString>
#include <QTest>
#include <QWindow>

#include "tests/ui/window_support.h"
#include "ui/about_dialog.h"
#include "ui/background_dialog.h"
#include "ui/card_back_dialog.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/setup_dialog.h"

namespace tav::ui {
namespace {

// The title the desktop shows for a window title, by the rule Qt follows on
// every platform it draws title bars for: " — " and the display name are
// added unless the display name is empty or the title already ends with it.
QString shown_title(const QString& title) {
    const QString name = QGuiApplication::applicationDisplayName();
    if (name.isEmpty() || title.endsWith(name)) return title;
    return title + QString::fromUtf8(" — ") + name;
}

// The title as set on the widget, as handed on to its window, and as shown.
void expect_title(QWidget& w, const char* title) {
    const QString expected = QString::fromUtf8(title);
    EXPECT_EQ(w.windowTitle(), expected);
    if (w.windowHandle()) {
        EXPECT_EQ(w.windowHandle()->title(), expected);
    }
    EXPECT_EQ(shown_title(w.windowTitle()), expected) << "Qt would add to " << title;
}

TEST(Titles, TheApplicationHasNoDisplayNameToAdd) {
    EXPECT_TRUE(QGuiApplication::applicationDisplayName().isEmpty());
    EXPECT_EQ(QGuiApplication::applicationName(), QString("tav"));
    EXPECT_FALSE(QGuiApplication::windowIcon().isNull());
}

TEST(Titles, TheWindowAndTheHelpWindow) {
    Settings settings = quick_settings();
    MainWindow w(settings, 1);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    expect_title(w, "瑟柯牌局 - Tav2004");

    w.show_help();
    auto* help = w.findChild<HelpWindow*>("w_help");
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    expect_title(*help, "瑟柯牌局 - 帮助");
    help->close();
}

TEST(Titles, TheDialogs) {
    Settings settings = quick_settings();
    MainWindow w(settings, 1);
    {
        SetupDialog d(settings, &w);
        d.show();
        expect_title(d, "游戏规则设置");
    }
    {
        BackgroundDialog d(settings, w.session(), &w);
        d.show();
        expect_title(d, "背景颜色设置");
    }
    {
        CardBackDialog d(settings, w.session(), &w);
        d.show();
        expect_title(d, "背景颜色设置");  // the card-back dialog shares the colour dialog's title
    }
    {
        AboutDialog d(&w);
        d.show();
        expect_title(d, "关于Tav");
    }
}

TEST(Titles, TheMessageBoxesOfTheGame) {
    Settings settings = quick_settings();
    MainWindow w(settings, 1);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));

    bool seen = false;
    when_open<QMessageBox>([&seen](QMessageBox* box) {
        seen = true;
        expect_title(*box, "提示信息");
        EXPECT_EQ(box->text(), QString("请选择2张牌还贡！"));
        box->button(QMessageBox::Ok)->click();
    });
    w.platform().message("提示信息", "请选择2张牌还贡！");
    EXPECT_TRUE(seen);

    seen = false;
    when_open<QMessageBox>([&seen](QMessageBox* box) {
        seen = true;
        expect_title(*box, "提示信息");
        EXPECT_EQ(box->text(), QString("要同帮的进贡吗？"));
        box->button(QMessageBox::No)->click();
    });
    EXPECT_FALSE(w.platform().ask_yes_no("提示信息", "要同帮的进贡吗？"));
    EXPECT_TRUE(seen);
}

}  // namespace
}  // namespace tav::ui

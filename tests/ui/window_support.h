// Test helpers for the window tests that drive the menu and the dialogs as
// a player would: finding a named child, clicking it, answering the next
// modal dialog, and settings without pauses.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QPoint>
#include <QRadioButton>
#include <QRegularExpression>
#include <QString>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "tests/engine/game_support.h"
#include "ui/main_window.h"

// Waits for `cond` with the event loop running; fails the test after `ms`.
#define WAIT_UNTIL(cond, ms) ASSERT_TRUE(QTest::qWaitFor([&] { return static_cast<bool>(cond); }, ms)) << #cond

namespace tav::ui {

// Answers every message box that opens: Yes (No when `yes` is false) to a
// question, OK to a notice; keeps each box's text, so a box never leaves a
// test waiting.
class BoxAnswerer {
public:
    BoxAnswerer() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            texts.push_back(box->text().toStdString());
            QAbstractButton* answer = box->button(yes ? QMessageBox::Yes : QMessageBox::No);
            if (!answer) answer = box->button(QMessageBox::Ok);
            if (answer)
                answer->click();
            else
                box->reject();
        });
        timer_.start(10);
    }
    int answered() const { return static_cast<int>(texts.size()); }
    std::vector<std::string> texts;
    bool yes = true;

private:
    QTimer timer_;
};

template <typename T>
T* child(QWidget* parent, const char* name) {
    T* w = parent->findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// A click where a player would click: on the box of a check or radio button
// (its text may not fill the width the layout gives it), else the middle.
inline void click(QWidget* w) {
    const bool box = qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w);
    QTest::mouseClick(w, Qt::LeftButton, {}, box ? QPoint(6, w->height() / 2) : w->rect().center());
}

// Runs `f` on the modal dialog of type D once the next exec() has opened it;
// a dialog that is not the expected one is closed so the test cannot hang.
template <typename D>
void when_open(std::function<void(D*)> f) {
    QTimer::singleShot(0, [f] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* d = qobject_cast<D*>(modal);
        if (!d) {
            ADD_FAILURE() << "the expected dialog did not open";
            if (auto* other = qobject_cast<QDialog*>(modal)) other->reject();
            return;
        }
        f(d);
    });
}

// A file's bytes; empty when it cannot be read.
inline std::string file_text(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

// Writes `text` as the whole of the file, making its folder first.
inline void write_file(const QString& path, const std::string& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(text.data(), static_cast<qint64>(text.size()));
}

// Whether any Chinese character (or full-width sign) is in `text`.
inline bool any_chinese(const QString& text) {
    static const QRegularExpression cjk("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]");
    return cjk.match(text).hasMatch();
}

// A settings block for window tests: no pause when plays leave the table.
inline Settings quick_settings() {
    Settings s;
    s.play_pause = 0;
    return s;
}

// The plain table for tests that compare pictures: none of the optional
// helps drawn on it (the deal number, the hint button, the counter).
inline Settings classic_look(Settings s) {
    s.show_deal_number = false;
    s.show_hint_button = false;
    s.show_counter = false;
    return s;
}

// A window at the table's own size with the seed-2024 game, shown and
// exposed, without pauses; the settings live as long as the window.
struct SeededWindow {
    Settings settings = quick_settings();
    MainWindow window{settings, 2024};
    SeededWindow() {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    Session& session() { return window.session(); }
    // The table as drawn now.
    QImage shot() {
        QImage img(window.table()->size(), QImage::Format_RGB32);
        window.table()->render(&img);
        return img;
    }
};

}  // namespace tav::ui

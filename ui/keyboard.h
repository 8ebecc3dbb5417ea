// The game played from the keyboard, in the main window whatever widget in it
// has the keyboard focus:
//   ← →    move the focus mark over the human's row (the first press shows it,
//          on the leftmost card the first time);
//   Space  picks or drops the marked card, exactly as a click on it does;
//   Enter  plays the picked cards (the 发牌 button);
//   Esc    drops every picked card;
//   S P H R  洗牌, 过牌, 扣牌, 还牌;
//   I      提示 (the hint: the computer's choice raised, then the next play);
//   T      托管 (auto-play on or off; the menu item's own shortcut).
// The buttons' own mnemonics stay as they are, but they are not enough to
// play by: Alt+S belongs to the menu "设置(&S)" and Alt+O is shared by 发牌,
// 扣牌 and 还牌. Plain letters clash with nothing in the window (the menu
// takes Ctrl+N, Alt+F4, F1 and Alt with a letter), so each action gets the
// first letter of its English name, which for 过牌 is also its mnemonic P.
// A key for an action not on offer does nothing, and so does every key while
// the computer seats play, during a pause or with a dialog open.
#pragma once

#include <QObject>
#include <QRect>
#include <QString>
#include <optional>

#include "session/session.h"

namespace tav::ui {

class MainWindow;

class Keyboard : public QObject {
    Q_OBJECT
public:
    // Sets the keys on `window`, names them in its buttons' tooltips and lets
    // its table draw the focus mark.
    explicit Keyboard(MainWindow* window);

    // The key a game button answers to, as its tooltip names it.
    static QString key_name(ButtonId id);
    // The part of the focused card that can be seen, in table units; none
    // while no mark is shown.
    std::optional<QRect> focus_mark() const;

private:
    enum class Key { left, right, pick, play, drop, shuffle, pass, hold_back, return_cards, hint };
    void add(int key, Key what, bool repeat);
    void on_key(Key what);
    void press(ButtonId id);

    MainWindow* window_;
};

}  // namespace tav::ui

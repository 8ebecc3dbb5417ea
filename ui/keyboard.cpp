#include "ui/keyboard.h"
#include "ui/language.h"

#include <QApplication>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>
#include <vector>

#include "model/catalogue.h"
#include "ui/main_window.h"
#include "ui/table_widget.h"

namespace tav::ui {

Keyboard::Keyboard(MainWindow* window) : QObject(window), window_(window) {
    setObjectName("keyboard");
    add(Qt::Key_Left, Key::left, true);
    add(Qt::Key_Right, Key::right, true);
    add(Qt::Key_Space, Key::pick, false);
    add(Qt::Key_Return, Key::play, false);
    add(Qt::Key_Enter, Key::play, false);  // the one on the number pad
    add(Qt::Key_Escape, Key::drop, false);
    add(Qt::Key_S, Key::shuffle, false);
    add(Qt::Key_P, Key::pass, false);
    add(Qt::Key_H, Key::hold_back, false);
    add(Qt::Key_R, Key::return_cards, false);
    add(Qt::Key_I, Key::hint, false);

    // The tooltip names the key after the button's tag; the tag stays as it is.
    for (ButtonId id : {ButtonId::shuffle, ButtonId::play, ButtonId::pass, ButtonId::hold_back, ButtonId::return_cards,
                        ButtonId::quit}) {
        const Button& b = window_->session().button(id);
        if (QPushButton* w = window_->button(QString::fromStdString(b.name)))
            w->setToolTip(tx("%1（%2）").arg(shown(b.tag), key_name(id)));
    }
    if (QPushButton* hint = window_->hint_button()) hint->setToolTip(tx("电脑替你选牌，再按换下一种出法（I）"));
    window_->table()->set_focus_mark([this] { return focus_mark(); });
}

QString Keyboard::key_name(ButtonId id) {
    switch (id) {
        case ButtonId::shuffle: return "S";
        case ButtonId::play: return "Enter";
        case ButtonId::pass: return "P";
        case ButtonId::hold_back: return "H";
        case ButtonId::return_cards: return "R";
        case ButtonId::quit: return "Alt+Q";  // the button's own mnemonic
    }
    return {};
}

void Keyboard::add(int key, Key what, bool repeat) {
    auto* shortcut = new QShortcut(QKeySequence(key), window_);
    shortcut->setContext(Qt::WindowShortcut);
    shortcut->setAutoRepeat(repeat);  // held down, an arrow runs along the row
    connect(shortcut, &QShortcut::activated, this, [this, what] { on_key(what); });
}

void Keyboard::on_key(Key what) {
    Session& s = window_->session();
    // Nothing while a dialog or a message box waits for an answer, nor while
    // the table is showing an action (the computer seats, a pause).
    if (QApplication::activeModalWidget() || s.busy()) return;
    Picking& picking = s.picking();
    switch (what) {
        case Key::left: picking.focus_left(); break;
        case Key::right: picking.focus_right(); break;
        case Key::pick:
            // Only the card the player sees marked.
            if (picking.focus_shown()) picking.click(picking.focused_card());
            break;
        case Key::play: press(ButtonId::play); break;
        case Key::drop: picking.drop(); break;
        case Key::shuffle: press(ButtonId::shuffle); break;
        case Key::pass: press(ButtonId::pass); break;
        case Key::hold_back: press(ButtonId::hold_back); break;
        case Key::return_cards: press(ButtonId::return_cards); break;
        case Key::hint: window_->hint(); break;  // also with the button out of sight
    }
    window_->sync_buttons();
}

void Keyboard::press(ButtonId id) {
    Session& s = window_->session();
    const Button& b = s.button(id);
    if (b.visible && b.enabled) s.press(id);
}

std::optional<QRect> Keyboard::focus_mark() const {
    Session& s = window_->session();
    const Picking& picking = s.picking();
    if (!picking.focus_shown()) return std::nullopt;
    const std::vector<game::Card> row = picking.human_row();
    const auto i = static_cast<std::size_t>(picking.focus());
    const SurfaceObject* card = s.surface().find(card_id(row[i]));
    if (!card || !card->visible) return std::nullopt;
    // The cards of the row overlap: the frame goes round what shows of the
    // focused one, up to the next card.
    int width = card->width;
    if (i + 1 < row.size())
        if (const SurfaceObject* next = s.surface().find(card_id(row[i + 1])); next && next->x > card->x)
            width = std::min(width, next->x - card->x);
    return QRect(card->x, card->y, width, card->height);
}

}  // namespace tav::ui

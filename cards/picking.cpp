// Hand layout and the human's picking. A picked card stands 42 units above
// the hand and has a copy of its row in dw_out (the latest pick first); it
// stays in dw_a until it is played. Only pictures tagged "my" react to the
// mouse, and only a card that really is in dw_a is ever picked.
#include <algorithm>
#include <string>
#include <vector>

#include "table/w_main.h"

namespace tav {
namespace {

constexpr int kRaise = 42;
constexpr int kHandRows = 36;

std::string num(long n) { return std::to_string(n); }

}  // namespace

void w_main::wf_sortcard(std::string_view as_str) {
    const int seat = seat_index(as_str);
    CardList* h = hand(as_str);
    if (!h) return;
    if (seat == 1) h->sort("sort");
    // One drawing for the whole hand, whatever the caller had suspended.
    const bool was_drawing = dw_main.redraw();
    dw_main.set_redraw(false);
    const int rows = std::min(h->row_count(), kHandRows);
    for (int n = 1; n <= rows; ++n) {
        const std::string& id = h->at(n).id();
        dw_main.set_position(id, true);
        int x = 0, y = 0;
        switch (seat) {
            case 1: x = 70 * n - 32; y = 1696; break;
            case 2: x = 2521; y = 1285 - 8 * n; break;
            case 3: x = 2521; y = 583 - 8 * n; break;
            case 4: x = 790 + 28 * n; y = 30; break;
            case 5: x = 30; y = 300 + 8 * n; break;
            default: x = 30; y = 1000 + 8 * n; break;
        }
        std::string cmd = id + ".x=\"" + num(x) + "\" " + id + ".y=\"" + num(y) + "\" ";
        if (seat == 1)
            cmd += id + ".tag=\"my\" " + id + ".pointer=\"HyperLink!\"";
        else
            cmd += id + ".filename=\"" + settings.gs_bgcard + "\"";
        dw_main.modify(cmd);
    }
    dw_main.set_redraw(was_drawing);
}

void w_main::wf_backall(CardList& adw_back, std::string_view as_code) {
    for (int row = adw_back.row_count(); row >= 1; --row) {
        const CardRow card = adw_back.at(row);
        if (!as_code.empty() && card.code() != as_code) continue;
        if (const SurfaceObject* o = dw_main.find(card.id()))
            dw_main.modify(card.id() + ".y=\"" + num(o->y + kRaise) + "\"");
        adw_back.delete_row(row);
    }
    enable(cb_out, false);
}

void w_main::wf_bgcard() {
    const bool was_drawing = dw_main.redraw();
    dw_main.set_redraw(false);
    for (int n = 1; n <= kCardCount; ++n)
        dw_main.modify("p_t" + num(n) + ".filename=\"" + settings.gs_bgcard + "\"");
    for (const CardList* h : {&dw_b, &dw_c, &dw_d, &dw_e, &dw_f})
        for (const CardRow& r : h->rows()) dw_main.modify(r.id() + ".filename=\"" + settings.gs_bgcard + "\"");
    dw_main.set_redraw(was_drawing);
}

namespace {

// After every change of the pick: the play button follows the rules; while a
// tribute return is chosen the return button stays open (its own handler
// counts the cards).
void update_pick_buttons(w_main& w) {
    if (!w.ib_go)
        w.enable(w.cb_gog, true);
    else
        w.enable(w.cb_out, !w.dw_out.empty() && w.wf_checkout());
}

// Moves a card's picture up (negative) or down by `dy`.
void shift(Surface& table, const std::string& id, int dy) {
    if (const SurfaceObject* o = table.find(id)) table.modify(id + ".y=\"" + num(o->y + dy) + "\"");
}

}  // namespace

void w_main::dw_main_clicked(std::string_view object) {
    const SurfaceObject* o = dw_main.find(object);
    if (!o || o->kind != ObjectKind::picture) return;
    const std::string id = o->name;
    const int card = card_number(id);
    const int row_a = card ? dw_a.find_card(card) : 0;

    // The human may not pick a three while other cards remain in the hand.
    if (settings.gb_b3 && row_a > 0 && dw_a.at(row_a).code() == "3") {
        const auto& rows = dw_a.rows();
        if (std::any_of(rows.begin(), rows.end(), [](const CardRow& r) { return r.code() != "3"; })) return;
    }

    if (o->tag == "my" && row_a > 0) {
        if (dw_out.empty() && ib_go) {
            // Quick pick: as many cards of the clicked rank as the play needs.
            const std::string_view code = dw_a.at(row_a).code();
            std::vector<int> same;  // rows of dw_a with that rank, in hand order
            for (int r = 1; r <= dw_a.row_count(); ++r)
                if (dw_a.at(r).code() == code) same.push_back(r);
            const int p = static_cast<int>(same.size());
            int first = 1, last = p;
            if (!is_prior.empty()) {
                const int k = wf_getpage(is_prior, 2);
                if (k < p) {
                    const int r = static_cast<int>(std::find(same.begin(), same.end(), row_a) - same.begin()) + 1;
                    if (p - r + 1 >= k) {
                        first = r;
                        last = r + k - 1;
                    } else {
                        first = p - k + 1;
                        last = p;
                    }
                }
            }
            const bool was_drawing = dw_main.redraw();
            dw_main.set_redraw(false);
            for (int i = first; i <= last; ++i) {
                const int r = same[static_cast<std::size_t>(i - 1)];
                shift(dw_main, dw_a.at(r).id(), -kRaise);
                dw_a.rows_copy(r, r, dw_out, 1);
            }
            dw_main.set_redraw(was_drawing);
        } else if (const int row_out = dw_out.find_card(card); row_out == 0) {
            shift(dw_main, id, -kRaise);
            dw_a.rows_copy(row_a, row_a, dw_out, 1);
        } else {
            shift(dw_main, id, kRaise);
            dw_out.delete_row(row_out);
        }
    }
    update_pick_buttons(*this);
}

void w_main::dw_main_rbuttondown(std::string_view object) {
    const SurfaceObject* o = dw_main.find(object);
    if (!o || o->kind != ObjectKind::picture) return;
    if (o->tag == "my") {
        const int card = card_number(o->name);
        const int row_a = card ? dw_a.find_card(card) : 0;
        if (row_a > 0 && dw_out.contains(card)) {
            const std::string code(dw_a.at(row_a).code());
            wf_backall(dw_out, code);
        }
    }
    update_pick_buttons(*this);
}

void w_main::click_at(int x, int y) {
    const SurfaceObject* o = dw_main.object_at(x, y);
    dw_main_clicked(o ? std::string(o->name) : std::string());
}

void w_main::right_click_at(int x, int y) {
    const SurfaceObject* o = dw_main.object_at(x, y);
    dw_main_rbuttondown(o ? std::string(o->name) : std::string());
}

}  // namespace tav

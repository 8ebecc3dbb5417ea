// The turn engine: who leads first, whose turn it is after every play or
// pass, when a trick ends and who leads the next one, and the human's play,
// pass and hold-back. Play goes A, B, C, D, E, F, A ... skipping seats that
// are out. After the human acts the computer seats answer one after another
// until it is the human's turn again or the deal is over; that chain runs as
// a loop of steps (a lead, an answer) so a long deal never deepens the stack.
#include <exception>
#include <iostream>
#include <string>

#include "table/w_main.h"

namespace tav {
namespace {

// A deal holds 216 cards and every trick takes at least one; a few passes
// follow each play. Far more steps than this means the turn is going round
// in a circle, and the deal is ended rather than left to run for ever.
constexpr int kMaxDealSteps = 20000;

// Score of a hand's fours: a pair of one suit's four scores 1, three or four copies 2.
int fours_score(const CardList& h) {
    int total = 0;
    for (std::string_view suit : {"红桃4", "黑桃4", "方块4", "梅花4"}) {
        int copies = 0;
        for (const CardRow& r : h.rows())
            if (r.name() == suit) ++copies;
        total += copies >= 3 ? 2 : copies == 2 ? 1 : 0;
    }
    return total;
}

}  // namespace

// ---- seat stepping ----

std::string w_main::wf_getcurrent(std::string_view seat) {
    const int from = seat_index(seat);
    if (from == 0) return "";
    for (int i = from; i <= 6; ++i)
        if (!wf_checknull(seat_letter(i))) return seat_letter(i);
    for (int i = 1; i < from; ++i)
        if (!wf_checknull(seat_letter(i))) return seat_letter(i);
    return "";
}

std::string w_main::wf_getnextcurrent(std::string_view seat) {
    const int i = seat_index(seat);
    if (i == 0) return "";
    return wf_getcurrent(seat_letter(i % 6 + 1));
}

// ---- the start of play ----

std::string w_main::fallback_leader() {
    // Nobody's fours reached the mark while the cards arrived: the best fours
    // lead, the first such seat from A on a tie.
    std::string best = "A";
    int best_score = -1;
    for (int i = 1; i <= 6; ++i) {
        const int score = fours_score(*hand(seat_letter(i)));
        if (score > best_score) {
            best_score = score;
            best = seat_letter(i);
        }
    }
    return best;
}

bool w_main::wf_firstgo(std::string_view seat) {
    std::string leader = seat_letter(seat_index(seat));
    if (leader.empty()) {
        leader = fallback_leader();
        is_firstgo = leader;
    }
    deal_steps_ = 0;
    wf_shownote(std::string(seat_name(leader)) + "先发牌", 1);
    return wf_over(leader);
}

// ---- the chain of turns ----

void w_main::schedule_step(TurnStep step, std::string_view seat) {
    // Once the deal's end is due nothing may follow it: no second end, no
    // move of the turn, no clearing of the next deal's table.
    if (deal_ending_) return;
    next_leader_ = std::string(seat);
    next_step_ = step;
    if (step == TurnStep::over && next_leader_.empty()) deal_ending_ = true;
}

void w_main::run_chain(const std::function<void()>& body) {
    if (chain_running_) {
        if (body) body();
        return;
    }
    chain_running_ = true;
    try {
        if (body) body();
        drain_steps();
    } catch (const std::exception& e) {
        std::cerr << "tav: the turn chain stopped: " << e.what() << '\n';
    }
    next_step_ = TurnStep::none;
    chain_running_ = false;
    deal_ending_ = false;
}

void w_main::drain_steps() {
    while (next_step_ != TurnStep::none) {
        const TurnStep step = next_step_;
        const std::string seat = next_leader_;
        next_step_ = TurnStep::none;
        const bool ending = step == TurnStep::over && seat.empty();
        if (!ending && ++deal_steps_ > kMaxDealSteps) {
            std::cerr << "tav: the deal was still running after " << kMaxDealSteps << " turns; it is ended\n";
            deal_ending_ = false;
            schedule_step(TurnStep::over, "");
            continue;
        }
        if (step == TurnStep::over)
            over_step(seat);
        else
            drive_step();
    }
}

bool w_main::wf_over(std::string_view seat) {
    schedule_step(TurnStep::over, seat);
    if (!chain_running_) run_chain(nullptr);
    return true;
}

bool w_main::wf_setautoout() {
    schedule_step(TurnStep::drive, "");
    if (!chain_running_) run_chain(nullptr);
    return true;
}

void w_main::over_step(const std::string& seat) {
    if (!is_prior.empty()) wf_shownote("扣牌", 1);
    for (int i = 1; i <= 6; ++i) wf_putok(seat_letter(i));
    if (seat.empty()) {
        wf_shownote("游戏结束", 1);
        wf_shownote("——————————", 1);
        wf_showg();
        if (on_action) on_action("deal end", "");
        newgame();
        enable(cb_send, true);
        deal_steps_ = 0;
        return;
    }
    is_prior.clear();
    is_current = seat;
    is_state.clear();
    ii_next = 0;
    if (seat != "A") {
        wf_autoplay();
        if (on_action) on_action("lead", seat);
        wf_setautoout();
        return;
    }
    // A lead offers only the play button, once a legal pick is made.
    enable(cb_pass, false);
    enable(cb_over, false);
    wf_shownote("钟离云请发牌", 1);
}

void w_main::drive_step() {
    if (is_prior == is_current) {  // everybody else passed, or nobody is left
        wf_over(is_current);
        return;
    }
    if (is_current.empty()) {
        wf_over("");
        return;
    }
    if (is_current == "A") {
        // Whoever faces a challenge may hold back. Hold-back is also offered
        // when a challenge aimed at another seat reaches the human, where the
        // rules as written would offer nothing at all.
        const bool challenge = is_state == "KV";
        enable(cb_pass, !challenge);
        enable(cb_over, challenge);
        wf_shownote(challenge ? "钟离云请接牌或扣牌" : "钟离云请接牌或过牌", 1);
        return;
    }
    computer_answer();
}

void w_main::computer_answer() {
    const std::string seat = is_current;
    if (wf_autoout()) {
        if (on_action) on_action("follow", seat);
        if (!turn_after_play()) return;
        ii_next = 0;
    } else {
        if (on_action) on_action("pass", seat);
        const bool challenge = is_state == "KV";
        if (challenge && ii_order < 2) wf_whokd(is_prior);
        if (challenge && ii_tavtype == 1) {  // the opposite seat declined
            is_current = wf_getcurrent(is_prior);
            wf_over(is_current);
            return;
        }
        is_current = wf_getnextcurrent(is_current);
        ++ii_next;
        if (ii_next >= 6 - ii_order) {  // every seat in play passed; the player is out
            is_current = wf_getcurrent(is_prior);
            wf_over(is_current);
            return;
        }
    }
    wf_putallok(is_prior, is_current);
    wf_setautoout();
}

bool w_main::turn_after_play() {
    const bool challenge = wf_ifkv();
    if (deal_ending_) return false;
    if (!challenge) {
        is_current = wf_getnextcurrent(is_current);
        is_state.clear();
        return true;
    }
    is_state = "KV";
    if (ii_order > 1) {
        is_current = wf_getnextcurrent(is_current);
        ii_tavtype = 2;
        return true;
    }
    is_current = wf_gettav(is_current);
    ii_tavtype = 1;
    if (is_current.empty()) {  // the opposite seat is out: round in turn order
        is_current = wf_getnextcurrent(is_prior);
        ii_tavtype = 2;
    }
    return true;
}

// ---- clearing the table ----

int w_main::wf_putok(std::string_view seat) {
    CardList* pile = play_pile(seat);
    if (!pile) return -1;
    if (pile->empty()) return 1;  // nothing to show, so no pause
    if (settings.gc_show > 0) platform.wait(settings.gc_show);
    {
        RedrawPause pause(dw_main);
        std::string command;
        for (const CardRow& r : pile->rows()) command += r.id() + ".visible=\"0\" ";
        dw_main.modify(command);
        pile->copy_all_to(dw_ok);
        pile->reset();
    }
    return 1;
}

int w_main::wf_putallok(std::string_view from, std::string_view to) {
    const int f = seat_index(from), t = seat_index(to);
    if (f < t) {
        for (int i = f + 1; i <= t; ++i) wf_putok(seat_letter(i));
    } else if (f > t) {
        for (int i = f + 1; i <= 6; ++i) wf_putok(seat_letter(i));
        for (int i = 1; i <= t; ++i) wf_putok(seat_letter(i));
    }
    return 1;
}

// ---- the human's buttons ----

void w_main::cb_out_clicked() {
    if (chain_running_ || !cb_out.enabled || is_current != "A" || dw_out.empty()) return;
    for (const CardRow& r : dw_out.rows())
        if (!dw_a.contains(r.num)) return;  // only cards of the own hand are played
    if (!wf_checkout()) return;
    run_chain([this] {
        const bool follow = !is_prior.empty();
        if (!dw_1.empty()) wf_putok("A");  // never lose an old play still lying there
        dw_out.sort("sort");
        {
            // The weakest card lies leftmost.
            RedrawPause pause(dw_main);
            const int n = dw_out.row_count();
            for (int i = n; i >= 1; --i) {
                const CardRow card = dw_out.at(i);
                const std::string& id = card.id();
                const int x = 1100 + 68 * (n - i + 1);
                dw_main.modify(id + ".x=\"" + std::to_string(x) + "\" " + id + ".y=\"1045\" " + id + ".tag=\"\"");
                dw_main.set_position(id, true);
                dw_a.delete_row(dw_a.find_card(card.num));
            }
        }
        dw_1.reset();
        dw_out.copy_all_to(dw_1);
        dw_out.reset();
        dw_1.sort("sort");
        file_smother_tribute("A");
        is_prior = "A";
        is_current = "A";
        is_state.clear();
        ii_next = 0;
        wf_checkover();
        if (on_action) on_action(follow ? "follow" : "lead", "A");
        enable(cb_out, false);
        enable(cb_over, false);
        enable(cb_pass, false);
        if (!turn_after_play()) return;
        ii_next = 0;
        wf_putallok(is_prior, is_current);
        wf_setautoout();
    });
}

void w_main::cb_pass_clicked() {
    if (chain_running_ || !cb_pass.enabled || is_current != "A" || is_prior.empty()) return;
    run_chain([this] {
        enable(cb_pass, false);
        wf_backall(dw_out, "");
        if (on_action) on_action("pass", "A");
        is_current = wf_getnextcurrent(is_current);
        if (is_current == "A") {  // nobody else is in play
            wf_over(is_current);
            return;
        }
        // The human's pass is not counted in ii_next.
        is_state.clear();
        wf_putallok(is_prior, is_current);
        wf_setautoout();
    });
}

void w_main::cb_over_clicked() {
    if (chain_running_ || !cb_over.enabled || is_current != "A" || is_prior.empty()) return;
    run_chain([this] {
        enable(cb_over, false);
        wf_backall(dw_out, "");
        if (on_action) on_action("hold", "A");
        if (is_state == "KV" && ii_order < 2) wf_whokd(is_prior);
        // The challenger takes the trick and leads.
        is_current = wf_getcurrent(is_prior);
        wf_over(is_current);
    });
}

bool w_main::autoplay_human() {
    if (chain_running_ || is_current != "A" || dw_a.empty()) return false;
    run_chain([this] {
        if (!dw_out.empty()) wf_backall(dw_out, "");
        enable(cb_out, false);
        enable(cb_pass, false);
        enable(cb_over, false);
        if (is_prior.empty()) {
            wf_autoplay();
            if (on_action) on_action("lead", "A");
            wf_setautoout();
        } else {
            computer_answer();
        }
    });
    return true;
}

}  // namespace tav

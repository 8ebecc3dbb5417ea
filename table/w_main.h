// The main window's model: the whole state of a game and every game function.
//
// The table is a Surface of named objects that the game changes by modify
// commands; the Qt shell only draws it and forwards clicks and button presses.
// Cards live in piles (CardList): the pack being dealt, six hands, six plays
// on the table, the human's picked cards and the cleared pile. Seats are the
// letters "A" (the human, bottom) to "F"; A, C, E play against B, D, F.
//
// The functions are grouped by subsystem, each group in its own source file:
//   table/w_main.cpp        start-up, resets, note area, background
//   cards/deal.cpp          shuffle and deal
//   cards/picking.cpp       hand layout, the human's picking, card backs
//   rules/classify.cpp      what a play is and what beats what; seat queries
//   rules/turns.cpp         whose turn, passing, trick ends, the human's actions
//   rules/challenge.cpp     challenge plays, announcements, open points
//   ai/lead_follow.cpp      the computer seats' lead and follow
//   ai/split_rush.cpp       splitting, topping up, rushing, laying a play list
//   round/finish.cpp        places, sweeps, scores
//   round/tribute.cpp       the tribute table: listing and settling
//   round/buy3.cpp          buying threes
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"
#include "cards/card_list.h"
#include "table/gradient.h"
#include "table/platform.h"
#include "table/surface.h"

namespace tav {

// A game button's state as the window shows it.
struct Button {
    std::string name, text, tag, picture;
    bool enabled = true;
    bool visible = true;
};

// Seat letter ("A".."F", either case) to 1..6; 0 for anything else.
int seat_index(std::string_view seat);
// 1..6 to "A".."F"; "" otherwise.
std::string seat_letter(int index);
// The seats' fixed names: plain ("柳烟") and padded as in the score labels ("柳    烟").
std::string_view seat_name(std::string_view seat);
std::string_view seat_padded_name(std::string_view seat);

class w_main {
public:
    // The table is built at once (the window's open event); `seed` fixes the
    // shuffle, 0 draws a seed from the system's entropy source.
    w_main(Settings& settings, Platform& platform, std::uint64_t seed = 0);
    w_main(const w_main&) = delete;
    w_main& operator=(const w_main&) = delete;

    Settings& settings;
    Platform& platform;

    // ---- window events (table/w_main.cpp) ----
    void open();       // paints the background and builds the table once
    void inigame();
    void newgame();    // prepares the next deal; scores stay
    void resetgame();  // a new game from zero
    void gamebegin();  // sorts the computer hands and starts play
    void pclose();
    void print();
    void wf_shownote(std::string_view as_str, int ai_type);
    void wf_bgcolor(int ai_bgstyle);
    // The window's client area changed (table units): the surface follows,
    // the objects stay where they are, the background is repainted to fit.
    void resize(int width, int height);

    // ---- buttons ----
    void cb_send_clicked();
    void cb_out_clicked();   // rules/turns.cpp
    void cb_pass_clicked();  // rules/turns.cpp
    void cb_over_clicked();  // rules/turns.cpp
    void cb_gog_clicked();   // round/tribute.cpp
    void cb_quit_clicked();

    // ---- deal (cards/deal.cpp) ----
    void sendout();
    void seed(std::uint64_t s) { rng_.seed(s); }
    std::mt19937_64& rng() { return rng_; }

    // ---- hands and picking (cards/picking.cpp) ----
    void wf_sortcard(std::string_view as_str);
    void wf_backall(CardList& adw_back, std::string_view as_code);
    void wf_bgcard();
    // Mouse on the table: the name of the object under the pointer ("" for none).
    void dw_main_clicked(std::string_view object);
    void dw_main_rbuttondown(std::string_view object);
    // The same at a point in table units.
    void click_at(int x, int y);
    void right_click_at(int x, int y);

    // ---- what beats what, seat queries (rules/classify.cpp) ----
    bool wf_checkout();
    int wf_checkbig(const CardList& adw_prior);
    int wf_howhand(std::string_view seat);
    int wf_getpage(std::string_view seat, int sort, int place);
    int wf_getpage(std::string_view seat, int place);
    bool wf_checknull(std::string_view seat);
    static bool wf_iftogether(std::string_view as_a, std::string_view as_b);

    // ---- turns (rules/turns.cpp) ----
    std::string wf_getcurrent(std::string_view seat);
    std::string wf_getnextcurrent(std::string_view seat);
    std::string wf_getfirstgo(std::string_view seat);
    bool wf_firstgo(std::string_view seat);
    bool wf_over(std::string_view seat);
    bool wf_setautoout();
    int wf_putok(std::string_view seat);
    int wf_putallok(std::string_view from, std::string_view to);

    // ---- challenge plays (rules/challenge.cpp) ----
    bool wf_ifkv();
    std::string wf_gettav(std::string_view seat);
    bool wf_ifbm(std::string_view seat);
    bool wf_whokd(std::string_view seat);
    // Files a smother tribute when `player` beats the standing play of is_prior.
    void file_smother_tribute(std::string_view player);

    // ---- computer players (ai/) ----
    void wf_autoplay();
    bool wf_autoout();
    bool wf_autorush(std::string_view as_str);
    bool wf_splitcard(int ai_sort, int ai_page);
    bool wf_parmplay(std::string_view as_str, const std::vector<int>& ai_cards, const std::vector<int>& ai_page);

    // ---- round end, tribute, threes (round/) ----
    void wf_checkover();
    void wf_showresult(std::string_view as_current, int ai_order);
    void wf_showg();
    void wf_gog(int ai_cur);
    void wf_whogog(std::string_view as_who, const std::array<int, 2>& ai_card,
                   const std::array<std::string, 2>& as_code, int ai_type);
    void buy3();
    bool wf_buy3(std::string_view as_buyer, std::string_view as_seller);

    // ---- pile and object lookup by seat ----
    CardList* hand(std::string_view seat);        // dw_a .. dw_f
    CardList* play_pile(std::string_view seat);   // dw_1 .. dw_6
    std::string* finish_mark(std::string_view seat);  // is_a .. is_f
    std::string* open_point(std::string_view seat);   // is_ak .. is_fk

    // ---- the table and the piles ----
    Surface dw_main;
    n_gradient gradient{dw_main, &platform};
    std::shared_ptr<ExpressionCache> expressions;
    CardList dw_cards, dw_all, dw_sendout;
    CardList dw_a, dw_b, dw_c, dw_d, dw_e, dw_f;
    CardList dw_1, dw_2, dw_3, dw_4, dw_5, dw_6;
    CardList dw_out, dw_ok, dw_gog, dw_temp;

    Button cb_send, cb_out, cb_pass, cb_over, cb_gog, cb_quit;
    void enable(Button& b, bool on);
    void show(Button& b, bool on);

    // ---- instance variables ----
    std::string is_prior, is_current, is_state;
    std::string is_a, is_b, is_c, is_d, is_e, is_f;     // finishing places "1".."6"
    int ii_order = 0, ii_next = 0, ii_tavtype = 0;
    std::string is_firstgo;
    int ii_4page = 2;
    std::array<int, 7> ii_grade{};                      // scores, [1..6] = A..F
    std::array<std::string, 16> is_la{}, is_ke{};       // tribute payer / receiver, slots 1..15
    std::array<int, 16> ii_la{};                        // tribute count
    int ii_cur = 1;
    bool ib_go = true;
    std::string is_ak, is_bk, is_ck, is_dk, is_ek, is_fk;  // open-point marks

    // Every note line of the running game, in order (the note area keeps 16).
    std::vector<std::string> note_log;
    // The current text of the note area.
    std::string note_text() const;

    // Told when a button changes and when a note line is written.
    std::function<void()> on_buttons;
    std::function<void(const std::string&)> on_note;
    // True while a deal is between its deal and its end (cards on the table).
    bool deal_running() const { return deal_running_; }

private:
    void build_all();
    std::mt19937_64 rng_;
    bool deal_running_ = false;

    // ---- private state of the subsystems (each adds only to its own block) ----
    // turns and the computer players: the chain of turns runs as a loop
public:
    // Lets the computer take seat A's turn exactly as it takes the others'
    // (the benchmark and the simulator). False, nothing done, when it is not
    // seat A's turn or a chain is running.
    bool autoplay_human();
    // Test support (the simulator's checks): told after every action of a
    // deal with what happened and who did it: "deal" (seat ""), "lead",
    // "follow", "pass", "hold" (a declined challenge), "tribute" (the payer),
    // "return" (the receiver), "buy3" (the buyer) and "deal end" (seat "",
    // told before the table is cleared, with the places still marked).
    std::function<void(const char* action, std::string_view seat)> on_action;

private:
    // wf_over and wf_setautoout called inside a running chain only record
    // what comes next; one loop runs the steps, so a deal never deepens the stack.
    enum class TurnStep { none, over, drive };
    TurnStep next_step_ = TurnStep::none;
    std::string next_leader_;
    bool chain_running_ = false;
    bool deal_ending_ = false;  // wf_over("") is due: nothing else may be scheduled
    int deal_steps_ = 0;        // steps since the first lead; bounds a runaway deal
    void schedule_step(TurnStep step, std::string_view seat);
    // Runs `body` as the head of a chain and then every step it scheduled;
    // inside a running chain it only runs `body`.
    void run_chain(const std::function<void()>& body);
    void drain_steps();
    void over_step(const std::string& seat);
    void drive_step();
    // A computer seat's answer to the standing play, then the turn moves on.
    void computer_answer();
    // After a play by is_current: announce it and hand on the turn. False when
    // the play ended the deal (the turn then stays where it is).
    bool turn_after_play();
    std::string fallback_leader();
    // The card move: row `row` of `seat`'s hand to its play pile and, face up,
    // to its play spot as card `placed` (counted from 0) of this play.
    void move_card(std::string_view seat, int row, int placed);
    // ---- end turns
    // tribute and threes
public:
    // The return the human owes is made by the computer's automatic return,
    // and the settlement goes on as after the return button (the simulator).
    // False, nothing done, when no return is owed.
    bool autoreturn_human();

private:
    // The receiver (a computer seat) of `slot` returns `n` weak cards to the payer.
    void auto_return(int slot, int n);
    // ---- end tribute
};

}  // namespace tav

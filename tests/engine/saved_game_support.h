// Saved games for the tests: one some way into a later deal, and the texts
// made by hand to break the reader, each with the reason it is refused for.
#pragma once

#include <climits>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "rules/engine.h"
#include "store/deal_numbers.h"
#include "store/saved_game.h"
#include "store/serialise.h"
#include "tests/engine/game_support.h"

namespace tav::test {

// A game some way into its second deal (numbers 5001 and 5002), with its
// notes, its record and a spot for each card of a hand.
inline SavedGame game_under_way() {
    SavedGame g;
    g.state = game::new_game({});
    std::mt19937_64 rng;
    g.next_number = 5001;
    prepare_shuffle(rng, g.next_number);
    for (int i = 0; i < 5000 && (i < 300 || !g.state.deal_running()); ++i) {
        game::Events ev;
        ev.keep = game::Keep::lines;
        if (g.state.ask == game::Ask::shuffle) {
            g.record.begin_deal(g.next_number);
            tav::test::human_acts(g.state, game::Decision{game::Move::shuffle, {}}, ev, rng);
            g.dealt_number = g.next_number++;
        } else {
            host::computer_decides(g.state, ev);
        }
        for (const game::Event& e : ev.list)
            if (game::notes::writes(e)) {
                g.notes.emplace_back(e);
                g.record.add(e);
            }
    }
    g.notes.push_back("a line with a \\ and\na line end");
    int n = 0;
    for (game::Seat seat : game::kAllSeats)
        for (game::Card c : g.state.hands[seat]) g.spots.push_back({c, 100 + n, 2000 - n++, n % 7 == 0, n % 5 == 0});
    g.game_key = 1234567890123ull;
    return g;
}

// A text made to be refused, and the words its reason holds.
struct Crafted {
    std::string name, text, reason;
};

// `text` with the first `from` replaced by `to` (unchanged when `from` is missing: the case then fails).
inline std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// The line of `text` that starts with `start` (without its line end).
inline std::string line_of(const std::string& text, const std::string& start) {
    const std::size_t at = text.find("\n" + start) + 1;
    return text.substr(at, text.find('\n', at) - at);
}

// A state text (alone or inside a saved game) as format 2 wrote it: no
// `human` line (seat A alone was human), and the engine's schedule last,
// `next` as given.
inline std::string as_state_format_2(const std::string& text, const std::string& next = "next 0 - 0") {
    std::string old = replaced(text, "state 3\n", "state 2\n");
    old = replaced(old, line_of(old, "human ") + "\n", "");
    const std::string leader = line_of(old, "leader ");
    return replaced(old, leader + "\n", leader + "\n" + next + "\n");
}

// Every kind of saved game the reader refuses, made from a good one: the
// crafted files a player may be sent, and each reason the state's reader
// gives inside a saved game.
inline std::vector<Crafted> crafted_saved_games() {
    const SavedGame good = game_under_way();
    const std::string text = write_saved_game(good);
    // The good game with its state changed, written by our own writer.
    auto with_state = [&](const std::function<void(game::State&)>& change) {
        SavedGame g = good;
        change(g.state);
        return write_saved_game(g);
    };
    const std::string leader = line_of(text, "leader ");
    const std::string notes = line_of(text, "notes ");
    const std::string record = line_of(text, "record ");
    const std::string deal = line_of(text, "deal ");
    const std::string odd_note = "t a line with a \\\\ and\\na line end";
    std::string zero_generator = "rng";
    for (int i = 0; i < 313; ++i) zero_generator += " 0";
    std::string old = replaced(replaced(text, "tav saved game 4", "tav saved game 1"), "state 3", "state 1");
    old = replaced(old, "\ngame ", "\n" + zero_generator + "\ngame ");
    const std::string after_notes = text.substr(0, text.find(notes) + notes.size() + 1);
    const std::string hundred_k_lines = "record 1\ndeal 0 100001\n";
    const std::string numbers = line_of(text, "numbers ");
    // `text` with a change past the state, among the note and record entries.
    auto in_entries = [&](const std::string& from, const std::string& to) {
        const std::size_t at = text.find("\nnotes ");
        return text.substr(0, at) + replaced(text.substr(at), from, to);
    };
    std::string five_mb_record = "record 1\ndeal 0 5000\n";
    for (int i = 0; i < 5000; ++i) five_mb_record += "t " + std::string(kSavedLineBytes - 2, 'r') + "\n";

    return {
        {"not a saved game", "hello\n", "这不是本游戏保存的牌局"},
        {"version not a number", replaced(text, "game 4\n", "game four\n"), "版本号不是数字"},
        {"an older version with an all-zero generator", old, "旧版本保存的牌局（版本 1），本游戏读取版本 4"},
        {"a newer version", replaced(text, "tav saved game 4", "tav saved game 5"), "新版本保存的牌局（版本 5）"},
        // Each entry is an event a writer makes, or a text.
        {"a note of no known kind", in_entries("\nshuffling\n", "\nshuffled\n"), "提示行的第 "},
        {"a play by seat G", in_entries("\nplay ", "\nplay G "), "行损坏"},
        {"a place note naming no seat", in_entries("\nplace ", "\nplace 7 "), "行损坏"},
        {"a card number past the last in a handing", in_entries("\nhanded ", "\nhanded A 2 0 217 "), "行损坏"},
        {"a record entry with more on it", replaced(text, deal + "\nshuffling\n", deal + "\nshuffling 1\n"),
         "牌局记录的第 1 行损坏"},
        {"an older state inside", replaced(text, "state 3", "state 1"), "旧版本的牌局状态（格式 1），本游戏读取格式 3"},
        {"a generator line", replaced(text, "\ngame ", "\n" + zero_generator + "\ngame "), "行数比牌局状态多"},
        {"steps INT_MAX", replaced(text, leader, leader.substr(0, leader.rfind(' ') + 1) + std::to_string(INT_MAX)),
         "leader：2147483647 超出范围"},
        {"a hand of 96", with_state([](game::State& s) {
             game::Hand& b = s.hands[game::Seat::B];
             while (!s.cleared.empty() && b.size() < 96) {
                 b.push(s.cleared[0]);
                 s.cleared.erase_at(0);
             }
             for (game::Seat from : {game::Seat::C, game::Seat::D, game::Seat::E, game::Seat::F})
                 while (!s.hands[from].empty() && b.size() < 96) {
                     b.push(s.hands[from][0]);
                     s.hands[from].erase_at(0);
                 }
         }),
         "hand B：96 超出范围"},
        {"a line of 1 MB", replaced(text, odd_note, std::string(1 << 20, 'x')), "行超过 1000 字节"},
        {"a line of 20 MB", replaced(text, odd_note, std::string(20 << 20, 'x')), "行超过 1000 字节"},
        {"too many notes", replaced(text, notes, "notes 10001"), "保存的牌局中提示行超过 10000 行"},
        {"a record line of 1 MB", replaced(text, deal + "\n", deal + "\n" + std::string(1 << 20, 'y') + "\n"),
         "保存的牌局中牌局记录的第 1 行超过 1000 字节"},
        {"too many record lines", text.substr(0, text.find(record)) + hundred_k_lines,
         "保存的牌局中牌局记录超过 100000 行"},
        {"a record of 5 MB", text.substr(0, text.find(record)) + five_mb_record,
         "保存的牌局中牌局记录超过 4000000 字节"},
        {"no game key", text.substr(0, text.find("\ngame ")), "不完整：没有游戏编号"},
        {"cut inside the state", replaced(text, leader + "\n", ""), "文本在 leader 之前就结束了"},
        {"a field misnamed", replaced(text, "\nrules ", "\nrulez "), "这里应是 rules"},
        {"a word for a number", replaced(text, "\nout ", "\nout x"), "out：这里应是一个数"},
        {"a seat that is none", replaced(text, "\ntrick ", "\ntrick Z "), "trick：这里应是座位 A..F 或 -"},
        {"more on a line", replaced(text, "\nsettling ", "\nsettling 1 "), "settling：多出了内容"},
        {"a card twice", with_state([](game::State& s) {
             for (game::Seat seat : game::kAllSeats)
                 if (!s.hands[seat].empty()) {
                     s.hands[game::next_seat(seat)].push(s.hands[seat][0]);
                     return;
                 }
         }),
         "号牌在 2 处"},
        {"a play of two ranks", with_state([](game::State& s) {
             s.plays[game::Seat::F].clear();
             for (game::Card c : {game::Card{20}, game::Card{40}}) {
                 for (game::Seat seat : game::kAllSeats) s.hands[seat].remove(c);
                 s.cleared.remove(c);
                 s.plays[game::Seat::F].push(c);
             }
         }),
         "F 座桌上的牌不止一种点数"},
        {"a place twice", with_state([](game::State& s) {
             s.places[game::Seat::B] = s.places[game::Seat::C] = 1;
             s.out_count = 2;
         }),
         "名次 1 给了两次"},
        {"a count of seats out", with_state([](game::State& s) { s.out_count = 3; }), "出完牌的座位数与名次不符"},
        {"a tribute asked in play", with_state([](game::State& s) { s.ask = game::Ask::return_tribute; }),
         "不在进贡时要求进贡"},
        {"a tribute asked past the ledger", with_state([](game::State& s) {
             s.phase = game::Phase::tribute;
             s.ask = game::Ask::return_tribute;
             s.settling = game::kLedgerSlots + 1;
         }),
         "要求进贡，却没有正在结算的贡"},
        {"a tribute asked for another seat", with_state([](game::State& s) {
             s.phase = game::Phase::tribute;
             s.ask = game::Ask::return_tribute;
             s.settling = 1;
             s.ledger[1] = {game::Seat::B, game::Seat::C, 1};
         }),
         "要求的进贡不是给玩家的"},
        {"a turn asked of A out of turn", with_state([](game::State& s) {
             s.ask = game::Ask::lead;
             s.trick.turn = game::Seat::D;
         }),
         "没轮到玩家却要玩家出牌"},
        {"a follow asked with nothing standing", with_state([](game::State& s) {
             s.ask = game::Ask::follow;
             s.trick.turn = game::Seat::A;
             s.places = {};
             s.out_count = 0;
             s.trick.standing.reset();
         }),
         "桌上没有牌却要接牌"},
        {"a shuffle asked in a deal", with_state([](game::State& s) { s.ask = game::Ask::shuffle; }),
         "一局之中要求洗牌"},
        {"an empty standing play", with_state([](game::State& s) {
             s.ask = game::Ask::nothing;
             s.trick.standing = game::Seat::E;
             for (game::Card c : s.plays[game::Seat::E]) s.cleared.push(c);
             s.plays[game::Seat::E].clear();
         }),
         "桌上压着的牌是空的"},
        {"cards out between deals", with_state([](game::State& s) {
             s.phase = game::Phase::between_deals;
             s.ask = game::Ask::shuffle;
             s.trick.standing.reset();
         }),
         "两局之间还有牌不在牌堆里"},
        {"a state that waits for nobody", with_state([](game::State& s) { s.ask = game::Ask::nothing; }),
         "保存的牌局状态不是在等玩家"},
        {"a key that is no number", replaced(text, "\ngame 1234567890123", "\ngame -3"), "游戏编号不是数字"},
        {"a spot too many", replaced(text, line_of(text, "spots "), line_of(text, "spots ") + " 1"),
         "牌的位置缺失或损坏"},
        {"a deal no number has", replaced(text, numbers, numbers.substr(0, numbers.rfind(' ')) + " 5000"),
         "牌局编号缺失或损坏"},
        {"a note count that is no number", replaced(text, notes, "notes x"), "提示行数缺失或损坏"},
        {"cut short in the notes", after_notes, "保存的牌局在提示行中被截断"},
        {"a note line damaged", replaced(text, odd_note, "\\q"), "保存的牌局中提示行的第"},
        {"a record count that is no number", replaced(text, record, "record x"), "牌局记录缺失或损坏"},
        {"a record of a deal no number has", replaced(text, deal, "deal 5000 1"), "牌局记录缺失或损坏"},
        {"cut short in the record", text.substr(0, text.find(deal) + deal.size() + 1), "保存的牌局在牌局记录中被截断"},
        {"a record line damaged", replaced(text, deal + "\n", deal + "\n\\x\n"), "保存的牌局中牌局记录的第 1 行损坏"},
        {"more after the end", text + "more\n", "没有在该结束的地方结束"},
    };
}

// What the state's reader alone refuses (a saved game cuts its state at a line's end).
inline std::vector<Crafted> crafted_states() {
    const std::string text = game::write_state(game_under_way().state);
    return {
        {"cut inside a line", text.substr(0, text.size() - 1), "文本在一行的中间结束（被截断了？）"},
        {"empty", "", "第0行：文本在 state 之前就结束了"},
    };
}

}  // namespace tav::test

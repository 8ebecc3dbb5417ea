#include "store/serialise.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <vector>

#include "model/invariants.h"

namespace tav::game {

// Whoever changes State, Trick, Debt or Rules trips one of these: write and
// read the new field below (and in the round-trip test), raise kStateFormat
// when old texts no longer read the same, then set the new size here (the
// sizes of a 64-bit build).
static_assert(sizeof(Rules) == 10, "Rules changed: extend write_state/read_state");
static_assert(sizeof(Trick) == 12, "Trick changed: extend write_state/read_state");
static_assert(sizeof(Debt) == 8, "Debt changed: extend write_state/read_state");
static_assert(sizeof(void*) != 8 || sizeof(State) == 1632, "State changed: extend write_state/read_state");

namespace {

// Scores move by a handful a deal; anything beyond this was not written by us.
constexpr int kScoreLimit = 1'000'000;
// A hand is dealt 36 cards and, while tributes are settled, holds at most
// the 24 wild cards (jokers and 2s) more before it gives as many back; a play
// comes from a hand. A pile read no bigger still has room (96) for every
// wild card besides, so no card the engine hands it can be refused.
constexpr int kHandReach = 36 + 24;
static_assert(kHandReach + 24 <= 96, "a hand read must have room for every wild card besides");

std::string seat_or_dash(const std::optional<Seat>& s) { return s ? std::string(1, letter_of(*s)) : "-"; }

class Writer {
public:
    void field(std::string_view name) { out += name; }
    void num(long n) {
        out += ' ';
        out += std::to_string(n);
    }
    void word(std::string_view w) {
        out += ' ';
        out += w;
    }
    template <int N>
    void pile(std::string_view name, const Pile<N>& p) {
        field(name);
        num(p.size());
        for (Card c : p) num(c);
        end();
    }
    void end() { out += '\n'; }
    std::string out;
};

// Reads line by line, word by word; the first fault is kept and every later
// read fails quietly, so the reading code stays a straight list of fields.
// The reasons are the game's own Chinese (shown in English through the
// window's translation); a field is named as it is written, "hand B".
class Reader {
public:
    explicit Reader(std::string_view text) : rest_(text) {}

    const std::string& error() const { return error_; }
    bool failed() const { return !error_.empty(); }
    void fail(const std::string& why) {
        if (error_.empty()) error_ = "第" + std::to_string(line_no_) + "行：" + why;
    }

    // The next line must start with `name`.
    void field(std::string_view name) {
        if (failed()) return;
        if (!line_.empty()) return fail(current_ + "：多出了内容");
        if (rest_.empty()) return fail("文本在 " + std::string(name) + " 之前就结束了");
        const std::size_t nl = rest_.find('\n');
        if (nl == std::string_view::npos) return fail("文本在一行的中间结束（被截断了？）");
        line_ = rest_.substr(0, nl);
        rest_.remove_prefix(nl + 1);
        ++line_no_;
        current_ = name;
        // The name may be two words ("hand A"): it must stand whole at the start.
        if (line_.substr(0, name.size()) != name || (line_.size() > name.size() && line_[name.size()] != ' '))
            return fail("这里应是 " + std::string(name));
        line_.remove_prefix(name.size());
    }
    long num(long lo, long hi) {
        if (failed()) return lo;
        const std::string_view w = next_word();
        long v = 0;
        const auto [p, ec] = std::from_chars(w.data(), w.data() + w.size(), v);
        if (w.empty() || ec != std::errc() || p != w.data() + w.size()) {
            fail(current_ + "：这里应是一个数");
            return lo;
        }
        if (v < lo || v > hi) {
            fail(current_ + "：" + std::to_string(v) + " 超出范围");
            return lo;
        }
        return v;
    }
    bool flag() { return num(0, 1) == 1; }
    std::optional<Seat> seat_or_none() {
        if (failed()) return std::nullopt;
        const std::string_view w = next_word();
        if (w == "-") return std::nullopt;
        if (w.size() == 1 && w[0] >= 'A' && w[0] <= 'F') return seat_from_letter(w[0]);
        fail(current_ + "：这里应是座位 A..F 或 -");
        return std::nullopt;
    }
    // A pile of at most `most` cards (no more than it can hold).
    template <int N>
    void pile(std::string_view name, Pile<N>& p, int most = N) {
        field(name);
        const long n = num(0, std::min(most, N));
        p.clear();
        for (long i = 0; i < n && !failed(); ++i) p.push(static_cast<Card>(num(1, kCards)));
        end();
    }
    // The line must hold nothing more.
    void end() {
        if (!failed() && !line_.empty()) fail(current_ + "：多出了内容");
    }
    void finish() {
        end();
        if (!failed() && !rest_.empty()) fail("行数比牌局状态多");
    }

private:
    std::string_view next_word() {
        while (!line_.empty() && line_.front() == ' ') line_.remove_prefix(1);
        const std::size_t sp = line_.find(' ');
        const std::string_view w = line_.substr(0, sp);
        line_.remove_prefix(sp == std::string_view::npos ? line_.size() : sp);
        return w;
    }

    std::string_view rest_, line_;
    std::string current_;  // the field being read (its name may be made on the fly)
    int line_no_ = 0;
    std::string error_;
};

// Why the cards of a state are not each in exactly one place (check_cards
// found they are not), in the reader's words.
std::string card_fault(const State& s) {
    std::array<int, kCards + 1> seen{};
    for (Seat seat : kAllSeats) {
        for (Card c : s.hands[seat]) ++seen[c];
        for (Card c : s.plays[seat]) ++seen[c];
    }
    for (Card c : s.cleared) ++seen[c];
    int c = 1;
    while (c < kCards && seen[static_cast<std::size_t>(c)] == 1) ++c;
    return "第 " + std::to_string(c) + " 号牌在 " + std::to_string(seen[static_cast<std::size_t>(c)]) + " 处";
}

// The first seat whose play mixes natural ranks, in the reader's words.
std::string play_fault(const State& s) {
    for (Seat seat : kAllSeats)
        if (!is_one_rank({s.plays[seat].begin(), s.plays[seat].end()}))
            return std::string(1, letter_of(seat)) + " 座桌上的牌不止一种点数";
    return "";
}

}  // namespace

std::string write_state(const State& s) {
    Writer w;
    w.field("state");
    w.num(kStateFormat);
    w.end();
    w.field("rules");
    for (bool b : {s.rules.threes, s.rules.smother, s.rules.points, s.rules.tributes}) w.num(b);
    w.end();
    w.field("levels");
    for (Level l : s.rules.levels) w.num(static_cast<long>(l));
    w.end();
    w.field("human");
    for (Seat seat : kAllSeats) w.num(s.human[seat]);
    w.end();
    w.field("phase");
    w.num(static_cast<long>(s.phase));
    w.num(static_cast<long>(s.ask));
    w.end();
    for (Seat seat : kAllSeats) {
        w.pile(std::string("hand ") + letter_of(seat), s.hands[seat]);
        w.pile(std::string("play ") + letter_of(seat), s.plays[seat]);
    }
    w.pile("cleared", s.cleared);
    w.field("traded");
    w.num(static_cast<long>(s.traded.count()));
    for (int c = 1; c <= kCards; ++c)
        if (s.traded[static_cast<std::size_t>(c)]) w.num(c);
    w.end();
    w.field("trick");
    w.word(seat_or_dash(s.trick.standing));
    w.word(seat_or_dash(s.trick.turn));
    w.num(s.trick.challenge);
    w.num(static_cast<long>(s.trick.answer));
    w.num(s.trick.passes);
    w.end();
    for (Seat seat : kAllSeats) {
        w.field(std::string("seat ") + letter_of(seat));
        w.num(s.places[seat]);
        w.num(s.open_point[seat]);
        w.num(s.scores[seat]);
        w.end();
    }
    w.field("out");
    w.num(s.out_count);
    w.end();
    for (int slot = 1; slot <= kLedgerSlots; ++slot) {
        const Debt& d = s.ledger[static_cast<std::size_t>(slot)];
        w.field("debt");
        w.num(slot);
        w.word(seat_or_dash(d.payer));
        w.word(seat_or_dash(d.receiver));
        w.num(d.count);
        w.end();
    }
    w.field("settling");
    w.num(s.settling);
    w.end();
    w.field("leader");
    w.word(seat_or_dash(s.first_leader));
    w.num(s.fours_mark);
    w.num(s.steps);
    w.end();
    return w.out;
}

StateRead read_state(std::string_view text) {
    StateRead result;
    State& s = result.state;
    Reader r(text);
    r.field("state");
    const long version = r.num(0, std::numeric_limits<int>::max());
    if (!r.failed() && (version < kOldestStateFormat || version > kStateFormat))
        r.fail(std::string(version < kStateFormat ? "旧" : "新") + "版本的牌局状态（格式 " + std::to_string(version) +
               "），本游戏读取格式 " + std::to_string(kStateFormat));
    r.end();
    r.field("rules");
    s.rules.threes = r.flag();
    s.rules.smother = r.flag();
    s.rules.points = r.flag();
    s.rules.tributes = r.flag();
    r.end();
    // A seat's level at the table: classic or strong (the rules of thumb
    // alone are the strong level's own tool, never a seat's).
    r.field("levels");
    for (Level& l : s.rules.levels) l = static_cast<Level>(r.num(0, static_cast<long>(Level::strong)));
    r.end();
    // Format 2 did not say who is human: only seat A was.
    if (version >= 3) {
        r.field("human");
        for (Seat seat : kAllSeats) s.human[seat] = r.flag();
        r.end();
    }
    r.field("phase");
    s.phase = static_cast<Phase>(r.num(0, static_cast<long>(Phase::play)));
    s.ask = static_cast<Ask>(r.num(0, static_cast<long>(Ask::take_partner_tribute)));
    r.end();
    for (Seat seat : kAllSeats) {
        r.pile(std::string("hand ") + letter_of(seat), s.hands[seat], kHandReach);
        r.pile(std::string("play ") + letter_of(seat), s.plays[seat], kHandReach);
    }
    r.pile("cleared", s.cleared);
    r.field("traded");
    const long traded = r.num(0, kCards);
    for (long i = 0, last = 0; i < traded && !r.failed(); ++i) {
        last = r.num(last + 1, kCards);  // rising, so none twice
        if (!r.failed()) s.traded.set(static_cast<std::size_t>(last));
    }
    r.end();
    r.field("trick");
    s.trick.standing = r.seat_or_none();
    s.trick.turn = r.seat_or_none();
    s.trick.challenge = r.flag();
    s.trick.answer = static_cast<ChallengeAnswer>(r.num(0, static_cast<long>(ChallengeAnswer::in_turn)));
    s.trick.passes = static_cast<int>(r.num(0, kSeats));
    r.end();
    for (Seat seat : kAllSeats) {
        r.field(std::string("seat ") + letter_of(seat));
        s.places[seat] = static_cast<std::uint8_t>(r.num(0, kSeats));
        s.open_point[seat] = r.flag();
        s.scores[seat] = static_cast<int>(r.num(-kScoreLimit, kScoreLimit));
        r.end();
    }
    r.field("out");
    s.out_count = static_cast<int>(r.num(0, kSeats));
    r.end();
    for (int slot = 1; slot <= kLedgerSlots; ++slot) {
        Debt& d = s.ledger[static_cast<std::size_t>(slot)];
        r.field("debt");
        r.num(slot, slot);
        d.payer = r.seat_or_none();
        d.receiver = r.seat_or_none();
        d.count = static_cast<int>(r.num(0, kCards));
        r.end();
    }
    r.field("settling");
    s.settling = static_cast<int>(r.num(1, kLedgerSlots + 1));
    r.end();
    r.field("leader");
    s.first_leader = r.seat_or_none();
    s.fours_mark = static_cast<int>(r.num(0, kCards));
    s.steps = static_cast<int>(r.num(0, kMaxDealSteps));
    r.end();
    if (version < 3) {
        // Format 2 ended with the engine's schedule (the next step, its
        // leader, whether the deal's end was due). Only a state with no step
        // due is read: every program saved while a seat was asked, so a step
        // still due means a text made by hand or damaged, and running that
        // step here would play on in the game without anybody seeing it.
        r.field("next");
        const long step = r.num(0, 2);
        r.seat_or_none();  // the last step's leader, left behind once it ran
        const bool end_due = r.flag();
        if (!r.failed() && (step != 0 || end_due)) r.fail("牌局状态停在引擎的步骤之间，还有步骤没走完");
    }
    r.finish();

    if (r.failed()) {
        result.error = r.error();
    } else {
        if (!check_cards(s).empty())
            result.error = card_fault(s);
        else if (!check_plays(s).empty())
            result.error = play_fault(s);
        else
            result.error = check_consistent(s);
    }
    if (!result.ok()) s = State{};  // nothing half read is ever handed out
    return result;
}

std::string check_consistent(const State& s) {
    std::array<bool, kSeats + 1> given{};
    int out = 0;
    for (Seat seat : kAllSeats) {
        const int place = s.places[seat];
        if (place == 0) continue;
        if (given[static_cast<std::size_t>(place)]) return "名次 " + std::to_string(place) + " 给了两次";
        given[static_cast<std::size_t>(place)] = true;
        ++out;
    }
    if (out != s.out_count) return "出完牌的座位数与名次不符";
    if (s.traded[0]) return "0 号牌被记为进贡所得";
    const bool tribute_ask = s.ask == Ask::return_tribute || s.ask == Ask::take_partner_tribute;
    if (tribute_ask) {
        if (s.phase != Phase::tribute) return "不在进贡时要求进贡";
        if (s.settling > kLedgerSlots) return "要求进贡，却没有正在结算的贡";
        const Debt& d = s.ledger[static_cast<std::size_t>(s.settling)];
        if (!d.payer || !d.receiver || !s.human[*d.receiver]) return "要求的进贡不是给玩家的";
    }
    const bool turn_ask = s.ask == Ask::lead || s.ask == Ask::follow || s.ask == Ask::follow_or_hold;
    // A state at rest waits for a human seat: the computer's seats are played on.
    if (turn_ask && (s.phase != Phase::play || !s.trick.turn || !s.human[*s.trick.turn] || s.is_out(*s.trick.turn)))
        return "没轮到玩家却要玩家出牌";
    if ((s.ask == Ask::follow || s.ask == Ask::follow_or_hold) && !s.trick.standing) return "桌上没有牌却要接牌";
    if (s.ask == Ask::shuffle && s.phase != Phase::between_deals) return "一局之中要求洗牌";
    if (s.trick.standing && s.plays[*s.trick.standing].empty()) return "桌上压着的牌是空的";
    // Between deals every card is back in the pack: a shuffle deals all 216.
    if (s.phase == Phase::between_deals) {
        int out_of_pack = s.cleared.size();
        for (Seat seat : kAllSeats) out_of_pack += s.hands[seat].size() + s.plays[seat].size();
        if (out_of_pack != 0) return "两局之间还有牌不在牌堆里";
    }
    return "";
}

}  // namespace tav::game

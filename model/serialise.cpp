#include "model/serialise.h"

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
static_assert(sizeof(void*) != 8 || sizeof(State) == 1640, "State changed: extend write_state/read_state");

namespace {

// Scores move by a handful a deal; anything beyond this was not written by us.
constexpr int kScoreLimit = 1'000'000;

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
class Reader {
public:
    explicit Reader(std::string_view text) : rest_(text) {}

    const std::string& error() const { return error_; }
    bool failed() const { return !error_.empty(); }
    void fail(const std::string& why) {
        if (error_.empty()) error_ = "line " + std::to_string(line_no_) + ": " + why;
    }

    // The next line must start with `name`.
    void field(std::string_view name) {
        if (failed()) return;
        if (!line_.empty()) return fail("more than expected after " + current_);
        if (rest_.empty()) return fail("the text ends before " + std::string(name));
        const std::size_t nl = rest_.find('\n');
        if (nl == std::string_view::npos) return fail("the text ends inside a line (truncated?)");
        line_ = rest_.substr(0, nl);
        rest_.remove_prefix(nl + 1);
        ++line_no_;
        current_ = name;
        // The name may be two words ("hand A"): it must stand whole at the start.
        if (line_.substr(0, name.size()) != name || (line_.size() > name.size() && line_[name.size()] != ' '))
            return fail("expected " + std::string(name));
        line_.remove_prefix(name.size());
    }
    long num(long lo, long hi) {
        if (failed()) return lo;
        const std::string_view w = next_word();
        long v = 0;
        const auto [p, ec] = std::from_chars(w.data(), w.data() + w.size(), v);
        if (w.empty() || ec != std::errc() || p != w.data() + w.size()) {
            fail(current_ + ": a number was expected");
            return lo;
        }
        if (v < lo || v > hi) {
            fail(current_ + ": " + std::to_string(v) + " is out of range");
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
        fail(current_ + ": a seat A..F or - was expected");
        return std::nullopt;
    }
    Seat seat() {
        const std::optional<Seat> s = seat_or_none();
        if (!s && !failed()) fail(current_ + ": a seat A..F was expected");
        return s.value_or(Seat::A);
    }
    template <int N>
    void pile(std::string_view name, Pile<N>& p) {
        field(name);
        const long n = num(0, N);
        p.clear();
        for (long i = 0; i < n && !failed(); ++i) p.push(static_cast<Card>(num(1, kCards)));
        end();
    }
    // The line must hold nothing more.
    void end() {
        if (!failed() && !line_.empty()) fail(current_ + ": more than expected");
    }
    void finish() {
        end();
        if (!failed() && !rest_.empty()) fail("more lines than a state has");
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
    w.field("next");
    w.num(static_cast<long>(s.next));
    w.word(seat_or_dash(s.next_leader));
    w.num(s.ending);
    w.end();
    return w.out;
}

StateRead read_state(std::string_view text) {
    StateRead result;
    State& s = result.state;
    Reader r(text);
    r.field("state");
    const long version = r.num(0, std::numeric_limits<int>::max());
    if (!r.failed() && version != kStateFormat)
        r.fail("a saved state of format " + std::to_string(version) + ", this game reads format " +
               std::to_string(kStateFormat));
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
    r.field("phase");
    s.phase = static_cast<Phase>(r.num(0, static_cast<long>(Phase::play)));
    s.ask = static_cast<Ask>(r.num(0, static_cast<long>(Ask::take_partner_tribute)));
    r.end();
    for (Seat seat : kAllSeats) {
        r.pile(std::string("hand ") + letter_of(seat), s.hands[seat]);
        r.pile(std::string("play ") + letter_of(seat), s.plays[seat]);
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
    s.steps = static_cast<int>(r.num(0, std::numeric_limits<int>::max()));
    r.end();
    r.field("next");
    s.next = static_cast<State::Next>(r.num(0, static_cast<long>(State::Next::drive)));
    s.next_leader = r.seat_or_none();
    s.ending = r.flag();
    r.finish();

    if (r.failed()) {
        result.error = r.error();
    } else {
        for (const std::string& fault : {check_cards(s), check_plays(s), check_consistent(s)})
            if (!fault.empty()) {
                result.error = fault;
                break;
            }
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
        if (given[static_cast<std::size_t>(place)]) return "place " + std::to_string(place) + " is given twice";
        given[static_cast<std::size_t>(place)] = true;
        ++out;
    }
    if (out != s.out_count) return "the count of seats out does not match their places";
    if (s.traded[0]) return "card 0 is marked as traded";
    const bool tribute_ask = s.ask == Ask::return_tribute || s.ask == Ask::take_partner_tribute;
    if (tribute_ask) {
        if (s.phase != Phase::tribute) return "a tribute is asked outside the tributes";
        if (s.settling > kLedgerSlots) return "a tribute is asked with no slot being settled";
        const Debt& d = s.ledger[static_cast<std::size_t>(s.settling)];
        if (!d.payer || !d.receiver || *d.receiver != Seat::A) return "a tribute is asked that seat A does not receive";
    }
    const bool turn_ask = s.ask == Ask::lead || s.ask == Ask::follow || s.ask == Ask::follow_or_hold;
    if (turn_ask && (s.phase != Phase::play || s.trick.turn != Seat::A || s.is_out(Seat::A)))
        return "seat A is asked to play when it is not its turn";
    if ((s.ask == Ask::follow || s.ask == Ask::follow_or_hold) && !s.trick.standing)
        return "seat A is asked to follow when no play stands";
    if (s.ask == Ask::shuffle && s.phase != Phase::between_deals) return "a shuffle is asked during a deal";
    if (s.trick.standing && s.plays[*s.trick.standing].empty()) return "the standing play is empty";
    return "";
}

}  // namespace tav::game

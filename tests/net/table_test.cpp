// The server's table driven as the server drives it: players sit, watch,
// decide, drop and come back, and time passes by ticks. Whole deals for each
// rule set and number of humans keep the rules and never send a connection a
// card it may not see; refusals change nothing; time and drops are handled
// once and as promised.
#include <gtest/gtest.h>

#include <bitset>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "model/invariants.h"
#include "net/refusals.h"
#include "net/table.h"
#include "rules/gate.h"
#include "tests/engine/game_support.h"
#include "tests/net/net_support.h"

namespace tav::net {
namespace {

using game::Ask;
using game::Card;
using game::Decision;
using game::Seat;
using namespace std::chrono_literals;

constexpr Connection kHost = 100, kWatcher = 101;
using test::cards_named;
using test::CardSet;

// A table and its players, with every call checked: the invariants of the
// game, and the hidden-information property over every payload sent.
struct Harness {
    Table table;
    Time now{0};
    std::mt19937_64 chooser;
    std::map<Connection, Seat> seated;  // the tests' own record of who sits where
    std::set<Connection> newcomers;     // sat down during this deal: they see as spectators do
    game::InvariantChecker checker;
    test::ShownThisDeal deal;          // shown face up, and dealt, this deal
    game::PerSeat<CardSet> held;       // ever in that seat's hand this deal (tributes received too)
    game::PerSeat<int> named_dealt{};  // own cards a seat's player was dealt by name
    int deals = 0, leaks = 0, payloads = 0;
    int watched = 0;                    // cards a spectator was sent by name
    std::map<Connection, int> decided;  // decisions taken
    int short_returns = 0;              // returns tried as the computer's

    explicit Harness(TableOptions options, std::uint64_t seed = 1)
        : table(options, kHost, test::entropy(seed ^ 0xabcdef), Time{0}), chooser(seed) {}

    // Checks a call's outcome and everything it sends.
    Outcome check(Outcome out, const char* what) {
        SCOPED_TRACE(what);
        const game::State& s = table.state();
        for (const game::Event& e : table.last_events().list) {
            deal.read(e);
            if (std::holds_alternative<game::Shuffling>(e)) {
                newcomers.clear();
                for (Seat x : game::kAllSeats) held[x].reset();
            }
            deals += std::holds_alternative<game::DealOver>(e) ? 1 : 0;
        }
        for (Seat x : game::kAllSeats)
            for (Card c : s.hands[x]) held[x].set(c);
        if (out.ok()) {
            checker.events_cleared();
            const std::string broken = checker.after(s, table.last_events(), what);
            EXPECT_EQ(broken, "");
        }
        for (const Message& m : out.messages) {
            ++payloads;
            const std::optional<Seat> seat =
                seated.contains(m.to) ? std::optional<Seat>(seated.at(m.to)) : std::nullopt;
            const std::optional<Seat> sees = newcomers.contains(m.to) ? std::nullopt : seat;
            auto may_see = [&](Card c) {
                const bool ok = c == 0 || deal.shown[c] || (sees && (deal.dealt[*sees][c] || held[*sees][c]));
                leaks += ok ? 0 : 1;
                watched += !sees && c != 0 ? 1 : 0;
                EXPECT_TRUE(ok) << "connection " << m.to << " was sent " << game::card_name(c);
            };
            if (const auto* u = std::get_if<Update>(&m.payload)) {
                EXPECT_EQ(u->version, table.version());
                for (const game::Event& e : u->events) {
                    cards_named(e, may_see);
                    const auto* d = std::get_if<game::Dealt>(&e);
                    if (d && seat && d->seat == *seat && d->card != 0) ++named_dealt[*seat];
                }
            } else if (const auto* snap = std::get_if<Snapshot>(&m.payload)) {
                EXPECT_EQ(snap->seat, seat);
                for (Card c : snap->hand) may_see(c);
                for (Seat x : game::kAllSeats)
                    for (Card c : snap->plays[x]) may_see(c);
                for (Card c : snap->cleared) may_see(c);
                if (sees)
                    EXPECT_EQ(snap->hand.size(), static_cast<std::size_t>(s.hands[*sees].size()));
                else
                    EXPECT_TRUE(snap->hand.empty());
            }
        }
        return out;
    }

    Outcome sit(Connection c, Seat s, const std::string& name = "玩家") {
        const bool in_deal = table.state().phase != game::Phase::between_deals;
        Outcome out = table.sit(c, s, name, now);
        if (out.ok()) seated[c] = s;
        if (out.ok() && in_deal) newcomers.insert(c);
        return check(std::move(out), "sit");
    }
    Outcome decide(Connection c, const Decision& d) {
        Outcome out = check(table.decide(c, table.version(), d, now), "decide");
        decided[c] += out.ok() ? 1 : 0;
        return out;
    }
    Outcome tick(Time step = 1s) {
        now += step;
        return check(table.tick(now), "tick");
    }
    // The connection of the seat asked, when a connected human is asked.
    std::optional<Connection> asked() const { return test::asked_connection(table); }
    Decision choice() { return test::random_decision(table.state(), chooser); }
    // Plays on, humans deciding through the table, until `until` deals have
    // ended or `done` holds.
    void play(
        int until, const std::function<bool()>& done = [] { return false; }) {
        for (int calls = 0; deals < until && !done(); ++calls) {
            ASSERT_LT(calls, 100000) << "the table does not play on";
            const std::optional<Connection> c = asked();
            if (!c) {
                ASSERT_TRUE(tick().ok());
                continue;
            }
            // A client cannot pass its decision off as the computer's (whose
            // return of a tribute may be short).
            if (table.state().ask == Ask::return_tribute) {
                const std::uint64_t version = table.version();
                EXPECT_FALSE(decide(*c, {game::Move::return_tribute, {}, true}).ok());
                EXPECT_EQ(table.version(), version);
                ++short_returns;
            }
            ASSERT_TRUE(decide(*c, choice()).ok());
        }
    }
};

TEST(Table, WholeDealsForEveryRuleSetAndNumberOfHumansShowNoHiddenCard) {
    const std::pair<const char*, game::Rules> rule_sets[] = {
        {"threes", {}},
        {"all tributes", {.smother = true, .points = true}},
        {"no threes", {.threes = false, .smother = true, .points = true}},
        {"scores only", {.tributes = false}},
    };
    const std::vector<std::vector<Seat>> seatings = {{},
                                                     {Seat::C},
                                                     {Seat::A, Seat::B, Seat::E},
                                                     {Seat::A, Seat::B, Seat::C, Seat::D, Seat::E, Seat::F}};
    std::uint64_t seed = 7;
    int total_short_returns = 0;
    for (const auto& [name, rules] : rule_sets)
        for (const std::vector<Seat>& humans : seatings) {
            SCOPED_TRACE(std::string(name) + ", humans " + std::to_string(humans.size()));
            Harness h({.rules = rules, .seconds_per_decision = 0}, ++seed);
            ASSERT_TRUE(h.check(h.table.watch(kWatcher, h.now), "watch").ok());
            Connection c = 1;
            for (Seat s : humans) ASSERT_TRUE(h.sit(c++, s).ok());
            if (humans.empty()) {
                ASSERT_TRUE(h.check(h.table.watch(kHost, h.now), "watch").ok());
            }
            const std::uint64_t before = h.table.version();
            ASSERT_TRUE(h.check(h.table.start(kHost, h.now), "start").ok());
            EXPECT_GT(h.table.version(), before);
            h.play(3);
            EXPECT_EQ(h.leaks, 0);
            // The spectators saw the cards played, deal after deal (a deal
            // ends once one side is out: three hands at least).
            EXPECT_GE(h.watched, 2 * 3 * 3 * 30);
            EXPECT_GE(h.payloads, 2 * 3 * (1 + static_cast<int>(humans.size())));
            // Each player was told its own cards by name: every card of its
            // hand, deal after deal (the shuffle of the fourth deal may not
            // have come yet).
            for (Seat s : humans) EXPECT_GE(h.named_dealt[s], 3 * 36) << game::letter_of(s);
            // A spectator who comes late: nothing happens in the game, and
            // the table's last events say so (the journal reads them).
            ASSERT_TRUE(h.check(h.table.watch(kWatcher + 1, h.now), "late watch").ok());
            EXPECT_TRUE(h.table.last_events().list.empty());
            total_short_returns += h.short_returns;
            if (HasFailure()) return;
        }
    EXPECT_GT(total_short_returns, 0);
}

// A table of humans at A, C and E (connections 1, 3, 5) and the host watching.
struct Refusals : Harness {
    Refusals() : Harness({.rules = {}, .seconds_per_decision = 0}, 3) {
        sit(1, Seat::A);
        sit(3, Seat::C);
        sit(5, Seat::E);
        check(table.watch(kHost, now), "watch");
    }
};

TEST(Table, RefusedCallsChangeNothing) {
    Refusals r;
    struct Case {
        const char* name;
        std::function<Outcome(Refusals&)> call;
        std::string_view reason;  // empty: the gate's, whichever
    };
    const std::vector<Case> before_start = {
        {"a decision before the start", [](Refusals& t) { return t.decide(1, Decision::pass()); },
         refusal::kNotStarted},
        {"a start by a player not the host", [](Refusals& t) { return t.table.start(3, t.now); },
         refusal::kOnlyTheHost},
        {"a seat that does not exist", [](Refusals& t) { return t.sit(7, static_cast<Seat>(6)); },
         refusal::kNoSuchSeat},
        {"a taken seat", [](Refusals& t) { return t.sit(7, Seat::C); }, refusal::kSeatTaken},
        {"the seat it holds", [](Refusals& t) { return t.sit(1, Seat::A); }, refusal::kHoldsASeat},
        {"no name", [](Refusals& t) { return t.sit(7, Seat::B, ""); }, refusal::kNoName},
        {"a name with a line break", [](Refusals& t) { return t.sit(7, Seat::B, "a\nb"); }, refusal::kControlInName},
        {"a name that is no UTF-8", [](Refusals& t) { return t.sit(7, Seat::B, "\xe4\xb8"); }, refusal::kNotText},
        {"a name too long", [](Refusals& t) { return t.sit(7, Seat::B, std::string(49, 'x')); }, refusal::kLongName},
        {"a wrong token", [](Refusals& t) { return t.table.rejoin(7, Token{}, t.now); }, refusal::kNoSuchToken},
        {"watching twice", [](Refusals& t) { return t.table.watch(kHost, t.now); }, refusal::kAtTheTable},
        {"leaving unseated", [](Refusals& t) { return t.table.leave(9, t.now); }, refusal::kNotAtTheTable},
    };
    const std::vector<Case> in_play = {
        {"a spectator's decision", [](Refusals& t) { return t.decide(kHost, t.choice()); }, refusal::kNoSeat},
        {"a stranger's decision", [](Refusals& t) { return t.decide(42, t.choice()); }, refusal::kNoSeat},
        {"another seat's decision", [](Refusals& t) { return t.decide(3, t.choice()); }, refusal::kNotYourTurn},
        {"an old version",
         [](Refusals& t) { return t.check(t.table.decide(1, t.table.version() - 1, t.choice(), t.now), "old"); },
         refusal::kMovedOn},
        {"another seat's cards",
         [](Refusals& t) {
             const game::Hand& c = t.table.state().hands[Seat::C];
             return t.decide(1, Decision::play({c[c.size() - 1]}));
         },
         ""},
        {"a shuffle in play",
         [](Refusals& t) {
             return t.decide(1, {game::Move::shuffle, {}});
         },
         ""},
        {"a second start", [](Refusals& t) { return t.table.start(kHost, t.now); }, refusal::kStarted},
        {"another seat once started", [](Refusals& t) { return t.sit(1, Seat::B); }, refusal::kHoldsASeat},
    };
    auto refused = [&r](const std::vector<Case>& cases) {
        for (const Case& k : cases) {
            SCOPED_TRACE(k.name);
            const game::State state = r.table.state();
            const std::uint64_t version = r.table.version();
            const Outcome out = k.call(r);
            EXPECT_FALSE(out.ok());
            if (!k.reason.empty()) {
                EXPECT_EQ(out.refused, k.reason);
            }
            EXPECT_TRUE(out.messages.empty());
            EXPECT_EQ(r.table.version(), version);
            test::expect_same(r.table.state(), state);
        }
    };
    refused(before_start);
    // Before the start a player moves to a free seat; the one left is the
    // computer's again, its token good for nothing.
    const Token left_behind = r.table.holder(Seat::E).token;
    ASSERT_TRUE(r.sit(5, Seat::F).ok());
    EXPECT_EQ(r.table.holder(Seat::E).holder, Holder::computer);
    EXPECT_EQ(r.table.holder(Seat::F).connection, Connection{5});
    EXPECT_EQ(r.table.rejoin(8, left_behind, r.now).refused, refusal::kNoSuchToken);
    // The host's choices that make no table.
    for (const auto& [options, why] : std::vector<std::pair<TableOptions, std::string_view>>{
             {{.rules = {}, .level = game::Level::thumb}, refusal::kNoSuchLevel},
             {{.rules = {}, .seconds_per_decision = -1}, refusal::kSecondsOutOfRange},
             {{.rules = {}, .seconds_per_decision = 601}, refusal::kSecondsOutOfRange},
             {{.rules = {}, .level = game::Level::strong, .seconds_per_decision = 0}, ""},
         })
        EXPECT_EQ(options_refused(options), why);
    ASSERT_TRUE(r.check(r.table.start(kHost, r.now), "start").ok());
    // Up to seat A's lead, the other humans playing on.
    r.play(1000, [&r] { return r.asked() == Connection{1} && r.table.state().ask == Ask::lead; });
    ASSERT_EQ(r.table.state().ask, Ask::lead);
    refused(in_play);
    // Up to the next shuffle: a pack sent by a player is refused, the ask for the deal is not.
    r.play(r.deals + 1);
    ASSERT_EQ(r.table.state().ask, Ask::shuffle);
    const Connection shuffler = *r.asked();
    const Decision pack = game::legal_decisions(r.table.state()).at(0);
    ASSERT_EQ(pack.move, game::Move::shuffle);
    refused({{"a pack sent", [&](Refusals& t) { return t.decide(shuffler, pack); }, refusal::kNoPack}});
    EXPECT_TRUE(r.decide(shuffler, {game::Move::shuffle, {}}).ok());
    EXPECT_EQ(r.leaks, 0);
    // A client shows a refusal to its player: each has its English.
    std::ifstream file(std::string(TAV_SOURCE_DIR) + "/translations/tav_en.ts");
    const std::string english{std::istreambuf_iterator<char>(file), {}};
    ASSERT_FALSE(english.empty());
    for (std::string_view why : refusal::kAll)
        EXPECT_NE(english.find("<source>" + std::string(why) + "</source>"), std::string::npos) << why;
}

TEST(Table, TimeRunningOutMakesTheComputerDecideOnce) {
    Harness h({.rules = {}, .seconds_per_decision = 30}, 5);
    h.sit(1, Seat::A);
    h.sit(2, Seat::D);
    ASSERT_TRUE(h.check(h.table.start(kHost, h.now), "start").ok());
    for (int round = 0; round < 20; ++round) {
        const std::optional<Connection> c = h.asked();
        ASSERT_TRUE(c.has_value());
        const Seat seat = h.seated.at(*c);
        const std::uint64_t version = h.table.version();
        const Ask ask = h.table.state().ask;
        ASSERT_EQ(h.table.deadline(), h.now + 30s);
        h.tick(29s);  // not yet
        EXPECT_EQ(h.table.version(), version);
        h.tick(1s);
        ASSERT_GT(h.table.version(), version);
        // The seat's one decision, made by the computer; then the table waits
        // for a human again, with a fresh time limit.
        int by_seat = 0;
        for (const game::Event& e : h.table.last_events().list) {
            if (const auto* p = std::get_if<game::Played>(&e)) by_seat += p->seat == seat ? 1 : 0;
            if (const auto* p = std::get_if<game::Passed>(&e)) by_seat += p->seat == seat ? 1 : 0;
            if (const auto* p = std::get_if<game::HeldBack>(&e)) by_seat += p->seat == seat ? 1 : 0;
            if (const auto* p = std::get_if<game::TributeHanded>(&e)) by_seat += p->giver == seat && p->back ? 1 : 0;
            by_seat += std::holds_alternative<game::Shuffling>(e) ? 1 : 0;
        }
        if (ask != Ask::take_partner_tribute) {
            EXPECT_EQ(by_seat, 1) << static_cast<int>(ask);
        }
        if (h.asked()) {
            EXPECT_EQ(h.table.deadline(), h.now + 30s);
        }
    }
    EXPECT_EQ(h.leaks, 0);
}

TEST(Table, ADroppedPlayerComesBackWithinGraceAndNotAfter) {
    Harness h({.rules = {}, .seconds_per_decision = 0, .grace = 600s, .rejoin_cap = 2}, 9);
    h.sit(1, Seat::A);
    h.sit(2, Seat::D);
    const Outcome sat = h.sit(3, Seat::B, "乙");
    const Token token = std::get<Snapshot>(sat.messages.at(0).payload).token.value();
    ASSERT_TRUE(h.check(h.table.start(kHost, h.now), "start").ok());
    h.seated.erase(3);
    ASSERT_TRUE(h.check(h.table.drop(3, h.now), "drop").ok());
    EXPECT_EQ(h.table.holder(Seat::B).holder, Holder::dropped);
    // The computer plays seat B meanwhile: the table never waits for it.
    for (int i = 0; i < 200; ++i) {
        ASSERT_NE(game::current_seat(h.table.state()), Seat::B);
        if (const std::optional<Connection> c = h.asked()) h.decide(*c, h.choice());
    }
    // Back within the grace time, on a new connection: the seat as it stands.
    h.now += 599s;
    h.seated[13] = Seat::B;
    const Outcome back = h.check(h.table.rejoin(13, token, h.now), "rejoin");
    ASSERT_TRUE(back.ok()) << back.refused;
    const auto& snap = std::get<Snapshot>(back.messages.at(0).payload);
    EXPECT_EQ(snap.version, h.table.version());
    EXPECT_EQ(snap.hand,
              std::vector<Card>(h.table.state().hands[Seat::B].begin(), h.table.state().hands[Seat::B].end()));
    EXPECT_EQ(snap.seats[Seat::B].holder, Holder::human);
    EXPECT_EQ(h.table.holder(Seat::B).rejoins, 1);
    // It decides again: the table waits for it when it is asked.
    h.play(h.deals + 5, [&h] { return h.asked() == Connection{13}; });
    ASSERT_EQ(h.asked(), Connection{13});
    const std::uint64_t waiting = h.table.version();
    h.tick(3600s);
    EXPECT_EQ(h.table.version(), waiting);
    // The token takes the seat over from a connection the server has not
    // seen drop yet. The cap counts the rejoins within a minute: two allowed
    // (a page reloaded twice), the third refused, and again allowed a minute on.
    h.seated[14] = Seat::B;
    EXPECT_EQ(h.check(h.table.rejoin(14, token, h.now), "rejoin").released, Connection{13});
    EXPECT_EQ(h.table.decide(13, h.table.version(), h.choice(), h.now).refused, refusal::kNoSeat);
    h.check(h.table.drop(14, h.now), "drop");
    h.now += 59s;
    h.seated[16] = Seat::B;
    ASSERT_TRUE(h.check(h.table.rejoin(16, token, h.now), "rejoin").ok());
    h.check(h.table.drop(16, h.now), "drop");
    EXPECT_EQ(h.check(h.table.rejoin(15, token, h.now), "rejoin").refused, refusal::kTooManyRejoins);
    h.now += 1s;
    h.seated[17] = Seat::B;
    ASSERT_TRUE(h.check(h.table.rejoin(17, token, h.now), "rejoin").ok());
    h.check(h.table.drop(17, h.now), "drop");
    // Past the grace time the seat is the computer's, and the token is void.
    h.tick(600s);
    EXPECT_EQ(h.table.holder(Seat::B).holder, Holder::computer);
    EXPECT_EQ(h.table.holder(Seat::B).name, "");
    EXPECT_FALSE(h.table.rejoin(15, token, h.now).ok());
    EXPECT_EQ(h.leaks, 0);
}

// A seat taken while a deal runs is the computer's until the next deal, and
// its hand stays hidden from the newcomer: moving from seat to seat never
// shows a hand. A player who leaves at its turn is played on at once.
TEST(Table, SeatsTakenDuringADealShowNoHandUntilTheNext) {
    Harness h({.rules = {}, .seconds_per_decision = 0}, 13);
    h.sit(1, Seat::A);
    h.sit(5, Seat::E);
    ASSERT_TRUE(h.check(h.table.start(kHost, h.now), "start").ok());
    for (Seat s : {Seat::B, Seat::D, Seat::F}) {
        const Outcome sat = h.sit(7, s);
        ASSERT_TRUE(sat.ok()) << sat.refused;
        EXPECT_TRUE(std::get<Snapshot>(sat.messages.at(0).payload).hand.empty());
        for (int i = 0; i < 5 && h.asked(); ++i) h.decide(*h.asked(), h.choice());
        ASSERT_TRUE(h.check(h.table.leave(7, h.now), "leave").ok());
        h.seated.erase(7);
    }
    h.sit(7, Seat::C);
    EXPECT_EQ(h.decide(7, Decision::pass()).refused, refusal::kNextDeal);
    h.play(1, [&h] { return h.asked() == Connection{5} && h.table.state().ask != Ask::shuffle; });
    // Seat E's player leaves at its turn: the computer plays it at once.
    ASSERT_EQ(h.asked(), Connection{5});
    const std::uint64_t version = h.table.version();
    ASSERT_TRUE(h.check(h.table.leave(5, h.now), "leave").ok());
    h.seated.erase(5);
    EXPECT_GT(h.table.version(), version);
    EXPECT_NE(game::current_seat(h.table.state()), Seat::E);
    h.play(2);
    EXPECT_EQ(h.leaks, 0);
    // From the next deal on the newcomer is dealt its cards by name and decides.
    EXPECT_GE(h.named_dealt[Seat::C], 36);
    EXPECT_GT(h.decided[7], 0);
}

// After a restart a seat waits for its player through the hold, even when
// it is to deal: the table neither deals for it nor runs its clock. A seat
// dropped before the restart stays the computer's, its grace unchanged.
// With no hold the seat is dropped at once; no hold outlasts the grace.
TEST(Table, ARestartHoldsThePlayersSeatsThenDropsThem) {
    struct Row {
        Time hold, held;
    };
    for (const auto& [hold, held] : {Row{60s, 60s}, Row{0s, 0s}, Row{700s, 600s}}) {
        SCOPED_TRACE(hold.count());
        Harness h({.rules = {}, .seconds_per_decision = 30, .grace = 600s}, 17);
        h.sit(1, Seat::A);
        h.sit(2, Seat::D);
        ASSERT_TRUE(h.check(h.table.start(kHost, h.now), "start").ok());
        h.play(50, [&h] { return h.asked() && h.table.state().ask == Ask::shuffle; });
        ASSERT_TRUE(h.asked());
        const Seat dealer = h.seated.at(*h.asked()), other = dealer == Seat::A ? Seat::D : Seat::A;
        h.check(h.table.drop(dealer == Seat::A ? 2 : 1, h.now), "drop");
        const Time dropped = h.now;
        h.seated.clear();
        h.now += 5s;
        const std::uint64_t version = h.table.version();
        ASSERT_TRUE(h.check(h.table.restart(h.now, hold), "restart").ok());
        EXPECT_EQ(h.table.version(), version);
        EXPECT_EQ(h.table.deadline(), std::nullopt);
        EXPECT_EQ(h.table.holder(dealer).holder, Holder::dropped);
        EXPECT_EQ(h.table.holder(dealer).dropped_at, h.now);
        EXPECT_EQ(h.table.holder(other).dropped_at, dropped);
        EXPECT_EQ(h.table.holder(other).held_until, std::nullopt);
        if (held > Time{0}) {
            EXPECT_EQ(h.table.holder(dealer).held_until, h.now + held);
            h.tick(held - 1s);  // past the time for a decision, and the other seat's grace
            EXPECT_EQ(game::current_seat(h.table.state()), dealer);
            EXPECT_EQ(h.table.state().ask, Ask::shuffle);
        }
        h.tick(1s);
        EXPECT_GT(h.table.version(), version);
        EXPECT_EQ(h.table.holder(dealer).held_until, std::nullopt);
        EXPECT_EQ(h.leaks, 0);
    }
}

TEST(Table, ATableNobodyIsAtClosesAfterTheGraceTime) {
    Harness h({.rules = {}, .grace = 600s}, 11);
    h.sit(1, Seat::A);
    ASSERT_TRUE(h.check(h.table.start(kHost, h.now), "start").ok());
    h.seated.clear();
    h.check(h.table.drop(1, h.now), "drop");
    EXPECT_FALSE(h.tick(599s).closed);
    EXPECT_FALSE(h.table.closed());
    const Outcome last = h.tick(1s);
    EXPECT_TRUE(last.closed);
    EXPECT_TRUE(h.table.closed());
    EXPECT_FALSE(h.table.tick(h.now).ok());
    EXPECT_FALSE(h.table.watch(2, h.now).ok());
}

}  // namespace
}  // namespace tav::net

// Whole games played action by action, one row for each rule set and mix of
// players: a plain player at seat A through `apply`, the computer in its
// place, a chooser at random among the decisions the rules list (at seat A or
// at every seat), and the human's own buttons at the table. After every step
// and every action the invariants hold; every human decision passes the gate
// and `apply` takes it; each deal ends once, the last place to lead the next;
// and over a row each kind of decision, tribute and purchase comes up where
// the rules make it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/settings.h"
#include "host/driver.h"
#include "model/invariants.h"
#include "model/notes.h"
#include "rules/engine.h"
#include "rules/gate.h"
#include "rules/play.h"
#include "session/session.h"

namespace tav {
namespace {

using game::Ask;
using game::Card;
using game::Decision;
using game::Move;
using game::Seat;
using game::State;
using game::Verdict;

// Who decides at the seats a human holds.
enum class Player { plain, computer, random, buttons };

struct Row {
    std::string name;
    Player player;
    bool every_seat;  // every seat a human's (else seat A alone)
    game::Rules rules;
    std::uint64_t seed;  // of the first game; each game after takes the next
    int games, deals;    // deals in each game
};

// What the players did over a row, and what the notes told.
struct Tally {
    long long decisions = 0;  // by the humans, the shuffles not counted
    long long leads = 0;
    std::array<long long, 7> moves{};  // by kind (game::Move)
    int tributes = 0, returns_by_a = 0, purchases = 0;
};

// The human may not pick a three while other cards remain (rule on threes).
bool pickable(const State& s, Card c) {
    const game::Hand& hand = s.hands[Seat::A];
    if (!s.rules.threes || game::rank_of(c) != game::kThree) return true;
    return std::all_of(hand.begin(), hand.end(), [](Card x) { return game::rank_of(x) == game::kThree; });
}

// The human's turn as a plain player takes it: lead the weakest rank whole;
// follow with the weakest rank that beats the standing play (now and then not
// at all), else pass or hold back; return the weakest cards; take a partner's
// tribute or let it go at random.
Decision plain_choice(const State& s, std::mt19937& rng) {
    const game::Hand& hand = s.hands[Seat::A];
    auto weakest_of = [&](game::Rank rank, int most) {
        std::vector<Card> cards;
        for (int i = hand.size() - 1; i >= 0 && static_cast<int>(cards.size()) < most; --i)
            if (game::rank_of(hand[i]) == rank) cards.push_back(hand[i]);
        return cards;
    };
    switch (s.ask) {
        case Ask::lead:
            for (int i = hand.size() - 1; i >= 0; --i)
                if (pickable(s, hand[i])) return Decision::play(weakest_of(game::rank_of(hand[i]), game::kCards));
            return Decision::play({});
        case Ask::follow:
        case Ask::follow_or_hold:
            if (rng() % 4 != 0) {
                const game::Play& standing = s.plays[*s.trick.standing];
                for (int i = hand.size() - 1; i >= 0; --i) {
                    if (!pickable(s, hand[i])) continue;
                    const std::vector<Card> cards = weakest_of(game::rank_of(hand[i]), standing.size());
                    if (game::can_play(cards, &standing)) return Decision::play(cards);
                }
            }
            return s.ask == Ask::follow ? Decision::pass() : Decision{Move::hold_back, {}};
        case Ask::return_tribute: {
            const int owed = s.ledger[static_cast<std::size_t>(s.settling)].count;
            std::vector<Card> cards;  // threes only when nothing else is left
            for (const bool threes : {false, true})
                for (int i = hand.size() - 1; i >= 0 && static_cast<int>(cards.size()) < owed; --i)
                    if (pickable(s, hand[i]) != threes) cards.push_back(hand[i]);
            return Decision{Move::return_tribute, cards};
        }
        case Ask::take_partner_tribute: return Decision{rng() % 2 ? Move::take_tribute : Move::let_tribute_go, {}};
        default: return Decision{Move::shuffle, {}};
    }
}

// A game played action by action: through the engine as the window and the
// simulator drive it, or through the human's buttons at the table. `checked`
// runs the invariant checks on the events since the last call (the engine's
// also after every step); `read` then reads them and lets them go, keeping
// what the deal's end is checked against.
struct Game {
    Player player;
    State s;  // the engine's, unless at the buttons' table
    Settings settings;
    ScriptedPlatform platform;
    std::optional<Session> table;
    std::mt19937_64 deal_rng, chooser;  // apart, so a choice never shifts the deals to come
    std::mt19937 plain_rng;
    game::Events ev;
    game::InvariantChecker checker;
    std::string fault;
    int game_over = 0, deal_over = 0;
    game::PerSeat<int> place{};
    bool last_asked = false;
    std::string last_note;
    std::vector<std::string> lines;  // one event's, reused

    Game(const Row& row, std::uint64_t seed)
        : player(row.player),
          s(game::new_game(row.rules)),
          deal_rng(seed),
          chooser(seed ^ 0x9e3779b97f4a7c15ull),
          plain_rng(static_cast<unsigned>(seed)) {
        if (row.every_seat) s.human = {{true, true, true, true, true, true}};
        ev.after_step = [this](const State& st, const game::Events& e) {
            if (fault.empty()) fault = checker.after(st, e, "step");
        };
        if (player != Player::buttons) return;
        settings.play_pause = 0;
        settings.threes_rule = row.rules.threes;
        settings.smother_tributes = row.rules.smother;
        settings.point_tributes = row.rules.points;
        settings.win_style = row.rules.tributes ? 1 : 0;
        table.emplace(settings, platform, seed);
        table->callbacks.before_event = [this](const game::Event& e) { ev.list.push_back(e); };
    }
    const State& state() const { return table ? table->state() : s; }
    const game::Hand& hand() const { return state().hands[Seat::A]; }
    void shuffle() {
        if (table)
            table->shuffle();
        else
            ASSERT_TRUE(host::shuffle(s, ev, deal_rng).ok());
    }
    // At the table the picked cards are always cards of the hand, each once.
    void checked(std::string_view what) {
        if (!fault.empty()) return;
        fault = checker.after(state(), ev, what);
        for (Card c : table ? table->picking().picks() : std::vector<Card>{})
            if (fault.empty() && (!hand().contains(c) || std::ranges::count(table->picking().picks(), c) != 1))
                fault = "picked " + std::string(game::card_name(c)) + ", not once from the hand";
        if (!fault.empty()) fault = std::string(what) + ": " + fault;
    }
    // Counts the tributes paid, returns by seat A and threes bought.
    void read(Tally& t) {
        const std::string a_returns = std::string(game::name_of(Seat::A)) + "还";
        for (const game::Event& e : ev.list) {
            deal_over += std::holds_alternative<game::DealOver>(e) ? 1 : 0;
            if (const auto* p = std::get_if<game::Placed>(&e)) place[p->seat] = p->place;
            last_asked = std::holds_alternative<game::Asked>(e);
            lines.clear();
            game::notes::write(e, lines);
            for (const std::string& line : lines) {
                auto has = [&](const char* part) { return line.find(part) != std::string::npos; };
                game_over += line == game::notes::kGameOver ? 1 : 0;
                t.tributes += has("进") && has("贡") && !has("向") ? 1 : 0;
                t.returns_by_a += line.starts_with(a_returns) ? 1 : 0;
                t.purchases += has("买３") ? 1 : 0;
                last_note = line;
            }
        }
        ev.clear();
        checker.events_cleared();
    }
    // The deal just ended: it ended once and the next deal's prompt is the
    // last line (nothing runs after the end), and the last place leads the
    // next deal.
    void ended_once() {
        EXPECT_EQ(game_over, 1);
        EXPECT_EQ(deal_over, 1);
        EXPECT_TRUE(last_asked);
        EXPECT_EQ(last_note, game::notes::kShuffleFirst);
        EXPECT_EQ(state().trick.turn, std::nullopt);
        ASSERT_TRUE(state().first_leader.has_value());
        EXPECT_EQ(place[*state().first_leader], 6);
        game_over = deal_over = 0;
    }

    // The seat asked decides (the computer at A: `legal` is empty). Refused
    // with its reason, else what it did (none when the computer chose).
    std::pair<Verdict, std::optional<Move>> act(Seat seat, const std::vector<Decision>& legal) {
        if (player == Player::computer) return {host::computer_decides(s, ev), std::nullopt};
        if (player == Player::buttons) return buttons();
        const Decision d = player == Player::plain
                               ? plain_choice(s, plain_rng)
                               : legal[std::uniform_int_distribution<std::size_t>(0, legal.size() - 1)(chooser)];
        if (const Verdict v = game::check(s, seat, d); !v) return {Verdict{"the gate refuses: " + v.reason}, d.move};
        return {host::decide(s, seat, d, ev), d.move};
    }

    // The human's own buttons: seat A leads its weakest rank by a click and
    // the play button, answers with the weakest rank the play button takes or
    // else passes or holds back, and returns tribute by picking its weakest
    // cards. Every click is checked too.
    std::pair<Verdict, std::optional<Move>> buttons() {
        if (state().ask == Ask::return_tribute) {
            const int owed = state().ledger[static_cast<std::size_t>(state().settling)].count;
            for (int i = 0; i < owed; ++i) table->picking().click(weakest(i));
            checked("click");
            auto done = press(ButtonId::return_cards, Move::return_tribute);
            if (!platform.messages.empty())
                done.first = Verdict{"the return of " + std::to_string(owed) + " was refused"};
            return done;
        }
        if (state().ask == Ask::lead) {
            table->picking().click(weakest(0));  // the whole rank is picked at once
            checked("click");
            return press(ButtonId::play, Move::play);
        }
        // Picks each rank in turn, weakest first (a click picks as many as
        // the standing play holds), and plays the first the play button takes.
        std::set<game::Rank> tried;
        for (int i = hand().size() - 1; i >= 0; --i) {
            const Card card = hand()[i];
            if (!tried.insert(game::rank_of(card)).second) continue;
            table->picking().click(card);
            checked("click");
            if (table->button(ButtonId::play).enabled) return press(ButtonId::play, Move::play);
            table->picking().right_click(card);  // drops the picked cards of that rank
        }
        return table->button(ButtonId::pass).enabled ? press(ButtonId::pass, Move::pass)
                                                     : press(ButtonId::hold_back, Move::hold_back);
    }
    std::pair<Verdict, std::optional<Move>> press(ButtonId id, Move m) {
        if (!table->button(id).enabled) return {Verdict{"the button is off"}, m};
        table->press(id);
        return {{}, m};
    }
    // The weakest card of the hand that may be picked (a three only when nothing else is left).
    Card weakest(int skip) {
        const bool only_threes = hand().count(game::kThree) == hand().size();
        for (int i = hand().size() - 1; i >= 0; --i) {
            const Card c = hand()[i];
            if ((only_threes || game::rank_of(c) != game::kThree) && table->view().in_human_row(c) && skip-- == 0)
                return c;
        }
        return 0;
    }
};

// Plays the deals of one game, every action checked before and after.
void play(Game& g, int deals, Tally& t) {
    for (int deal = 1; deal <= deals; ++deal) {
        SCOPED_TRACE("deal " + std::to_string(deal));
        g.shuffle();
        g.checked("deal");
        g.read(t);
        for (int actions = 0; g.state().ask != Ask::shuffle; ++actions) {
            ASSERT_EQ(g.fault, "");
            ASSERT_LE(actions, game::InvariantChecker::kMaxActions) << "the deal does not end";
            const State& s = g.state();
            const Ask ask = s.ask;
            const std::optional<Seat> seat = game::current_seat(s);
            ASSERT_TRUE(ask != Ask::nothing && seat && s.human[*seat])
                << "the game waits for no human (asked " << static_cast<int>(ask) << ")";
            if (s.deal_running()) {
                // Between chains it is a human's turn, with something to do.
                ASSERT_EQ(s.trick.turn, seat);
                if (ask == Ask::lead)
                    EXPECT_EQ(s.trick.standing, std::nullopt);
                else
                    ASSERT_TRUE((ask == Ask::follow || ask == Ask::follow_or_hold) && s.trick.standing);
            }
            // The computer is refused when the rules allow it nothing.
            const bool lists = g.player != Player::computer;
            const std::vector<Decision> legal = lists ? game::legal_decisions(s) : std::vector<Decision>{};
            ASSERT_FALSE(lists && legal.empty())
                << "seat " << game::letter_of(*seat) << " is asked " << static_cast<int>(ask) << " and may do nothing";
            const auto [verdict, move] = g.act(*seat, legal);
            ASSERT_TRUE(verdict.ok()) << verdict.reason;
            g.checked("action");
            g.read(t);
            ++t.decisions;
            if (move) ++t.moves[static_cast<std::size_t>(*move)];
            if (move == Move::play && ask == Ask::lead) ++t.leads;
        }
        ASSERT_EQ(g.fault, "");
        g.ended_once();
        if (::testing::Test::HasFailure()) return;
    }
}

TEST(WholeGames, EveryStepKeepsTheRulesForEachRuleSetAndPlayer) {
    std::vector<Row> table = {
        {"plain A", Player::plain, false, {}, 1, 30, 3},
        {"computer A, smother, no threes", Player::computer, false, {.threes = false, .smother = true}, 100, 30, 2},
        {"buttons A, smother and points", Player::buttons, false, {.smother = true, .points = true}, 3, 1, 30},
    };
    const std::pair<const char*, game::Rules> rule_sets[] = {
        {"threes", {}},
        {"all tributes", {.smother = true, .points = true}},
        {"no threes", {.threes = false, .smother = true, .points = true}},
        {"scores only", {.tributes = false}},
    };
    for (const auto& [name, rules] : rule_sets) {
        table.push_back({std::string("computer A, ") + name, Player::computer, false, rules, 11, 1, 200});
        table.push_back({std::string("random A, ") + name, Player::random, false, rules, 5, 1, 300});
        table.push_back({std::string("random at every seat, ") + name, Player::random, true, rules, 5, 1, 300});
    }
    for (const Row& row : table) {
        SCOPED_TRACE(row.name);
        Tally t;
        for (int g = 0; g < row.games; ++g) {
            SCOPED_TRACE("game " + std::to_string(g + 1));
            const std::uint64_t seed = row.seed + static_cast<std::uint64_t>(g);
            Game game(row, seed);
            play(game, row.deals, t);
            if (HasFailure()) return;
        }
        const game::Rules& r = row.rules;
        // From the second deal of a game on, two place tributes at least.
        if (r.tributes)
            EXPECT_GE(t.tributes, 2 * row.games * (row.deals - 1));
        else
            EXPECT_EQ(t.tributes, 0);
        EXPECT_EQ(t.returns_by_a > 0, r.tributes);
        EXPECT_EQ(t.purchases > 0, r.threes);
        if (row.player == Player::computer) continue;
        // A human at the table meets every kind of decision the rules make.
        const int humans = row.every_seat ? game::kSeats : 1;
        EXPECT_GT(t.decisions, 10LL * humans * row.games * row.deals);
        auto made = [&](Move m) { return t.moves[static_cast<std::size_t>(m)]; };
        EXPECT_GT(t.leads, 0);
        EXPECT_GT(made(Move::play), t.leads);
        EXPECT_GT(made(Move::pass), 0);
        EXPECT_GT(made(Move::hold_back), 0);
        EXPECT_EQ(made(Move::return_tribute) > 0, r.tributes);
        if (r.smother && r.points && row.player != Player::buttons) {  // the buttons' table asks by a dialog
            EXPECT_GT(made(Move::take_tribute), 0);
            EXPECT_GT(made(Move::let_tribute_go), 0);
        }
    }
}

}  // namespace
}  // namespace tav

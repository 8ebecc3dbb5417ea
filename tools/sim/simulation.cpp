#include "tools/sim/simulation.h"

#include <random>

#include "host/driver.h"
#include "model/invariants.h"
#include "model/notes.h"
#include "rules/engine.h"
#include "store/deal_numbers.h"

namespace tav::sim {

using namespace tav::game;

Rules rules_of(const Settings& s, const Levels& levels) {
    Rules r;
    r.levels = levels;
    r.threes = s.threes_rule;
    r.smother = s.smother_tributes;
    r.points = s.point_tributes;
    r.tributes = s.win_style == 1;
    return r;
}

struct Simulation::Impl {
    Impl(const Settings& settings, std::uint64_t seed, bool check_all, const Levels& levels)
        : state(new_game(rules_of(settings, levels))),
          rng(seed),
          check(check_all),
          next_number(seed <= kMaxGameSeed ? tav::deal_number(seed, 1) : 0) {
        // Nobody reads a line unless a note sink is set (on_note).
        events.keep = check ? Keep::all : Keep::outcome;
        if (check)
            events.after_step = [this](const State& st, const Events& ev) {
                if (!fault.empty()) return;
                if (std::string broken = checker.after(st, ev, "a step"); !broken.empty())
                    fail("deal " + std::to_string(deal) + ": " + broken);
            };
    }

    // Hands the events of the last action to the note sink and the checker.
    void told(const char* action) {
        for (const Event& e : events.list) {
            if (event_sink) event_sink(e);
            if (note) {
                lines.clear();
                notes::write(e, lines);
                for (const std::string& line : lines) note(line);
            }
            if (const auto* p = std::get_if<Placed>(&e); p && p->place >= 1 && p->place <= kSeats) {
                ++places[static_cast<std::size_t>(index_of(p->seat) + 1)][static_cast<std::size_t>(p->place)];
                last_places[static_cast<std::size_t>(index_of(p->seat) + 1)] = p->place;
            } else if (std::holds_alternative<DealOver>(e)) {
                ended = true;
            }
        }
        if (check && fault.empty()) {
            const std::string broken = checker.after(state, events, action);
            if (!broken.empty()) fail("deal " + std::to_string(deal) + ", after " + action + ": " + broken);
        }
        events.clear();
        checker.events_cleared();
    }

    void play_deal() {
        ended = false;
        last_places = {};
        const std::string deal_no = "deal " + std::to_string(deal);
        if (state.ask != Ask::shuffle) return fail(deal_no + ": the table is not ready for a deal");
        // The first deal of a seed starts its generator afresh, as at the table.
        const std::optional<DealPlace> place = place_of(next_number);
        if (place && place->index == 1) rng.seed(place->seed);
        act("deal", host::shuffle(state, events, rng));
        dealt_number = next_number;
        if (next_number) next_number = tav::next_deal_number(next_number);
        for (int turns = 0; fault.empty() && !ended; ++turns) {
            if (turns > InvariantChecker::kMaxActions)
                return fail(deal_no + ": seat A has had " + std::to_string(turns) +
                            " turns and the deal is still running");
            if (state.ask == Ask::nothing || state.ask == Ask::shuffle)
                return fail(deal_no + ": the deal stopped with nothing asked of seat A");
            act("seat A", host::computer_decides(state, events));
        }
        if (fault.empty() && !ended) fail(deal_no + ": the deal stopped before its end");
    }

    void act(const char* action, const Verdict& v) {
        if (!v) return fail("deal " + std::to_string(deal) + ": " + action + " refused: " + v.reason);
        told(action);
    }

    void fail(std::string what) {
        if (fault.empty()) fault = std::move(what);
    }

    State state;
    std::mt19937_64 rng;
    Events events;
    InvariantChecker checker;
    bool check = false;
    std::function<void(std::string_view)> note;
    std::vector<std::string> lines;  // one event's, reused
    std::function<void(const Event&)> event_sink;
    long long deal = 0;
    bool ended = false;
    std::uint64_t next_number = 0, dealt_number = 0;
    PlaceCounts places{};
    std::array<int, 7> last_places{};
    std::string fault;
};

Simulation::Simulation(const Settings& rules, std::uint64_t seed, bool check, const Levels& levels)
    : impl_(std::make_unique<Impl>(rules, seed, check, levels)) {}
Simulation::~Simulation() = default;

void Simulation::on_event(std::function<void(const Event&)> sink) {
    impl_->event_sink = std::move(sink);
    if (impl_->event_sink && impl_->events.keep < Keep::lines) impl_->events.keep = Keep::lines;
}

void Simulation::on_note(std::function<void(std::string_view)> sink) {
    impl_->note = std::move(sink);
    if (impl_->note && impl_->events.keep < Keep::lines) impl_->events.keep = Keep::lines;
}

bool Simulation::play_deal() {
    if (!impl_->fault.empty()) return false;
    ++impl_->deal;
    impl_->play_deal();
    return impl_->fault.empty();
}

bool Simulation::start_at(std::uint64_t number) {
    if (impl_->deal != 0 || !place_of(number)) return false;
    prepare_shuffle(impl_->rng, number);
    impl_->next_number = number;
    return true;
}

std::uint64_t Simulation::deal_number() const { return impl_->dealt_number; }
std::uint64_t Simulation::next_deal_number() const { return impl_->next_number; }

const std::string& Simulation::fault() const { return impl_->fault; }
long long Simulation::deals_played() const { return impl_->fault.empty() ? impl_->deal : impl_->deal - 1; }
const PlaceCounts& Simulation::places() const { return impl_->places; }
std::array<int, 7> Simulation::last_places() const { return impl_->last_places; }
std::array<int, 7> Simulation::scores() const {
    std::array<int, 7> out{};
    for (Seat s : kAllSeats) out[static_cast<std::size_t>(index_of(s) + 1)] = impl_->state.scores[s];
    return out;
}

}  // namespace tav::sim

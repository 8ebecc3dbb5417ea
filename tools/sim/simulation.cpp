#include "tools/sim/simulation.h"

#include <cstring>

#include "table/invariants.h"
#include "table/w_main.h"

namespace tav::sim {

struct Simulation::Impl {
    Impl(const Settings& rules, std::uint64_t seed, bool check_all)
        : settings(rules), w(settings, platform, seed == 0 ? 1 : seed), checker(w), check(check_all) {
        w.seed(seed);  // 0 is a seed like any other here
        w.on_action = [this](const char* action, std::string_view seat) { told(action, seat); };
    }

    void play_deal() {
        ended = false;
        const std::string deal_no = "deal " + std::to_string(deal);
        if (!w.cb_send.enabled) return fail(deal_no + ": the table is not ready for a deal");
        w.cb_send_clicked();
        for (int turns = 0; fault.empty(); ++turns) {
            if (turns > InvariantChecker::kMaxActions)
                return fail(deal_no + ": seat A has had " + std::to_string(turns) +
                            " turns and the deal is still running");
            if (!w.ib_go) {
                // Seat A owes a tribute return: the computer's automatic return.
                if (!w.autoreturn_human()) return fail(deal_no + ": a return is owed but none can be made");
                continue;
            }
            if (!w.deal_running()) break;
            if (w.is_current != "A" || !w.autoplay_human())
                return fail(deal_no + ": the deal stopped with is_current \"" + w.is_current + "\" and seat A holding " +
                            std::to_string(w.dw_a.row_count()) + " cards");
        }
        if (fault.empty() && !ended) fail(deal_no + ": the deal stopped before its end");
    }

    void told(const char* action, std::string_view seat) {
        if (check && fault.empty()) {
            const std::string broken = checker.after(action, seat);
            if (!broken.empty()) {
                std::string where = "deal " + std::to_string(deal) + ", after " + action;
                if (!seat.empty()) where += " by seat " + std::string(seat);
                fail(where + ": " + broken);
            }
        }
        if (std::strcmp(action, "deal end") != 0) return;
        ended = true;
        for (int s = 1; s <= 6; ++s) {
            const std::string& mark = *w.finish_mark(seat_letter(s));
            if (mark.size() == 1 && mark[0] >= '1' && mark[0] <= '6')
                ++places[static_cast<std::size_t>(s)][static_cast<std::size_t>(mark[0] - '0')];
        }
    }

    void fail(std::string what) {
        if (fault.empty()) fault = std::move(what);
    }

    Settings settings;
    ScriptedPlatform platform;  // no answers: every question is answered Yes
    w_main w;
    InvariantChecker checker;
    bool check = false;
    long long deal = 0;
    bool ended = false;
    PlaceCounts places{};
    std::string fault;
};

Simulation::Simulation(const Settings& rules, std::uint64_t seed, bool check)
    : impl_(std::make_unique<Impl>(rules, seed, check)) {}
Simulation::~Simulation() = default;

void Simulation::on_note(std::function<void(std::string_view)> sink) {
    if (!sink) {
        impl_->w.on_note = nullptr;
        return;
    }
    impl_->w.on_note = [sink = std::move(sink)](const std::string& line) { sink(line); };
}

bool Simulation::play_deal() {
    if (!impl_->fault.empty()) return false;
    ++impl_->deal;
    impl_->play_deal();
    // The game keeps every note line and question; a long run needs only this deal's.
    impl_->w.note_log.clear();
    impl_->platform.questions.clear();
    impl_->platform.messages.clear();
    return impl_->fault.empty();
}

const std::string& Simulation::fault() const { return impl_->fault; }
long long Simulation::deals_played() const { return impl_->fault.empty() ? impl_->deal : impl_->deal - 1; }
const PlaceCounts& Simulation::places() const { return impl_->places; }
std::array<int, 7> Simulation::scores() const { return impl_->w.ii_grade; }

}  // namespace tav::sim

#include "session/helps.h"

#include "model/notes.h"
#include "rules/engine.h"
#include "session/hint.h"
#include "session/session.h"
#include "store/deal_numbers.h"

namespace tav {

using game::Ask;
using game::Card;
using game::Decision;
using game::Move;

Helps::Helps(Session& session, Surface& table) : s_(session), counter_(table), marks_(table) {}

bool Helps::deal_next() {
    const std::uint64_t number = next_deal_;
    const std::optional<DealPlace> place = place_of(number);
    // The first deal of a seed starts its generator afresh (after the 999th
    // deal of the seed before, or the first of the game: the same state).
    if (place && place->index == 1) s_.rng_.seed(place->seed);
    dealing_ = number;
    if (!s_.decide(Decision{Move::shuffle, {}})) return false;
    dealt_ = number;
    next_deal_ = tav::next_deal_number(number);
    return true;
}

bool Helps::deal_by_number(std::uint64_t number) {
    if (!place_of(number)) return false;
    s_.new_game();  // which first shows the action under way to its end
    prepare_shuffle(s_.rng_, number);
    next_deal_ = number;
    // The new game waits for its shuffle: the deal follows at once.
    return deal_next();
}

bool Helps::restore_deal_numbers(std::uint64_t dealt, std::uint64_t next) {
    if (s_.busy_ || !place_of(next) || (dealt != 0 && !place_of(dealt))) return false;
    prepare_shuffle(s_.rng_, next);
    next_deal_ = next;
    dealt_ = dealt;
    update_marks();
    return true;
}

void Helps::shown(const game::Event& e) {
    if (std::holds_alternative<game::Shuffling>(e)) {  // a new deal's record begins
        record_.begin_deal(dealing_);
        marks_.show_deal_number(dealing_, s_.settings.show_deal_number);
    }
    if (game::notes::writes(e)) record_.add(game::notes::Entry{e});
    if (const auto* d = std::get_if<game::Dealt>(&e); d && d->seat == game::Seat::A) counter_.dealt_to_human(d->card);
    if (std::holds_alternative<game::TableReset>(e)) counter_.show(full_pack());
}

void Helps::set_autoplay(bool on) {
    if (autoplay_ == on) return;
    autoplay_ = on;
    update_marks();
    if (s_.callbacks.on_buttons) s_.callbacks.on_buttons();
}

bool Helps::autoplay_step() {
    if (!autoplay_ || s_.busy_ || !s_.human_decides()) return false;
    return s_.autoplay_human();
}

bool Helps::hint() {
    if (s_.busy_ || !s_.human_decides()) return false;
    const game::State& state = s_.state_;
    if (hint_actions_ != actions_ || hint_offers_.empty()) {
        hint_offers_ = hint_offers(state);
        hint_next_ = 0;
        hint_actions_ = actions_;
    }
    if (hint_offers_.empty()) return false;
    const Decision& offer = hint_offers_[hint_next_ % hint_offers_.size()];
    hint_next_ = (hint_next_ + 1) % hint_offers_.size();
    Picking& picking = s_.picking_;
    picking.drop();
    if (offer.move == Move::pass || offer.move == Move::hold_back) {
        // Only on the table: the game's record is the engine's lines alone.
        s_.view_.note(state.ask == Ask::follow_or_hold ? "提示：扣牌" : "提示：过牌");
        return true;
    }
    for (Card c : offer.cards)
        if (state.hands[game::Seat::A].contains(c) && s_.view_.in_human_row(c)) picking.raise(c);
    s_.update_buttons();
    return true;
}

void Helps::view_options_changed() {
    counter_.set_visible(s_.settings.show_counter);
    counter_.show(unseen_by_human(s_.state_));
    update_marks();
}

void Helps::update_marks() {
    marks_.show_deal_number(dealt_, s_.settings.show_deal_number);
    marks_.show_autoplay(autoplay_);
}

void Helps::take_up(std::uint64_t dealt, std::uint64_t next, const GameRecord& record) {
    dealt_ = dealt;
    next_deal_ = next;
    record_ = record;
    update_marks();
    counter_.show(unseen_by_human(s_.state_));
}

void Helps::count_steps(game::Events& ev) {
    counts_by_step_.clear();
    ev.after_step = [this](const game::State& st, const game::Events& e) {
        counts_by_step_.emplace_back(e.list.size(), unseen_by_human(st));
    };
}

void Helps::show_counts(std::size_t events_shown) {
    while (counts_shown_ < counts_by_step_.size() && counts_by_step_[counts_shown_].first <= events_shown)
        counter_.show(counts_by_step_[counts_shown_++].second);
}

void Helps::show_count_now() {
    counts_by_step_.clear();
    counter_.show(unseen_by_human(s_.state_));
}

}  // namespace tav

// The session's optional helps: numbered deals, auto-play,
// the hint, the whole record, the card counter and the deal number label.
#include <algorithm>

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

bool Session::deal_next() {
    const std::uint64_t number = next_deal_;
    const std::optional<DealPlace> place = place_of(number);
    // The first deal of a seed starts its generator afresh (after the 999th
    // deal of the seed before, or the first of the game: the same state).
    if (place && place->index == 1) rng_.seed(place->seed);
    dealing_ = number;
    if (!decide(Decision{Move::shuffle, {}})) return false;
    dealt_ = number;
    next_deal_ = tav::next_deal_number(number);
    return true;
}

bool Session::deal_by_number(std::uint64_t number) {
    if (!place_of(number)) return false;
    new_game();  // which first shows the action under way to its end
    prepare_shuffle(rng_, number);
    next_deal_ = number;
    // The new game waits for its shuffle: the deal follows at once.
    return deal_next();
}

bool Session::restore_deal_numbers(std::uint64_t dealt, std::uint64_t next) {
    if (busy_ || !place_of(next) || (dealt != 0 && !place_of(dealt))) return false;
    prepare_shuffle(rng_, next);
    next_deal_ = next;
    dealt_ = dealt;
    update_marks();
    return true;
}

void Session::shown(const game::Event& e) {
    if (std::holds_alternative<game::Shuffling>(e)) {  // a new deal's record begins
        record_.begin_deal(dealing_);
        marks_.show_deal_number(dealing_, settings.show_deal_number);
    }
    if (game::notes::writes(e)) record_.add(game::notes::Entry{e});
    if (const auto* d = std::get_if<game::Dealt>(&e); d && d->seat == game::Seat::A) counter_.dealt_to_human(d->card);
    if (std::holds_alternative<game::TableReset>(e)) counter_.show(full_pack());
}

bool Session::human_decides() const {
    // As the buttons offer it: from the moment the question is shown.
    switch (shown_ask_) {
        case Ask::lead:
        case Ask::follow:
        case Ask::follow_or_hold:
        case Ask::return_tribute: return true;
        default: return false;
    }
}

void Session::set_autoplay(bool on) {
    if (autoplay_ == on) return;
    autoplay_ = on;
    update_marks();
    if (on_buttons) on_buttons();
}

bool Session::autoplay_step() {
    if (!autoplay_ || busy_ || !human_decides()) return false;
    return autoplay_human();
}

bool Session::hint() {
    if (busy_ || !human_decides()) return false;
    if (hint_actions_ != actions_ || hint_offers_.empty()) {
        hint_offers_ = hint_offers(state_);
        hint_next_ = 0;
        hint_actions_ = actions_;
    }
    if (hint_offers_.empty()) return false;
    const Decision& offer = hint_offers_[hint_next_ % hint_offers_.size()];
    hint_next_ = (hint_next_ + 1) % hint_offers_.size();
    drop_picks();
    if (offer.move == Move::pass || offer.move == Move::hold_back) {
        // Only on the table: the game's record is the engine's lines alone.
        view_.note(state_.ask == Ask::follow_or_hold ? "提示：扣牌" : "提示：过牌");
        return true;
    }
    for (Card c : offer.cards) {
        if (!state_.hands[game::Seat::A].contains(c) || !view_.in_human_row(c)) continue;
        view_.raise(c, true);
        picks_.insert(picks_.begin(), c);
    }
    update_buttons();
    return true;
}

void Session::view_options_changed() {
    counter_.set_visible(settings.show_counter);
    counter_.show(unseen_by_human(state_));
    update_marks();
}

void Session::update_marks() {
    marks_.show_deal_number(dealt_, settings.show_deal_number);
    marks_.show_autoplay(autoplay_);
}

}  // namespace tav

// What happened, as the engine reports it: one type for each kind of event.
// The table view draws from them, the note lines are made from them where
// someone reads them (model/notes.h in Chinese, the window's English), and
// the simulator counts places from them. An action appends its events in the
// order they happen.
//
// A variant of small structs rather than one struct with a kind: each kind
// carries exactly its own fields, a reader handles the kinds it cares about
// with std::get_if or std::visit, and a kind nobody formats cannot write a
// line by mistake. The card lists are fixed-capacity piles: no allocation.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

#include "model/cards.h"
#include "model/seat.h"
#include "model/state.h"

namespace tav::game {

// How much of what happens an `Events` list keeps, from the least: the
// outcome (places and the deal's end: the simulator's counts), the lines
// (everything a note line is made from: a record), everything (a table draws it).
enum class Keep : std::uint8_t { outcome, lines, all };

// ---- the deal ----
struct Shuffling {  // a new deal begins: "瑟柯洗牌开始"
    static constexpr Keep kKept = Keep::lines;
    bool operator==(const Shuffling&) const = default;
};
struct Dealt {  // `card` to `seat`, the `number`-th card dealt (1..216); face up for A
    static constexpr Keep kKept = Keep::all;
    Seat seat = Seat::A;
    Card card = 0;
    int number = 0;
    bool operator==(const Dealt&) const = default;
};
struct LaidOut {  // `seat`'s hand is laid out again, in this order
    static constexpr Keep kKept = Keep::all;
    Seat seat = Seat::A;
    Hand cards;
    bool operator==(const LaidOut&) const = default;
};
struct PlayBegins {
    static constexpr Keep kKept = Keep::lines;
    bool operator==(const PlayBegins&) const = default;
};
struct FirstLeader {  // who leads the deal's first trick
    static constexpr Keep kKept = Keep::lines;
    Seat seat = Seat::A;
    bool operator==(const FirstLeader&) const = default;
};

// ---- turns and tricks ----
struct Played {  // `cards` laid face up by `seat`, in the order laid
    static constexpr Keep kKept = Keep::all;
    Seat seat = Seat::A;
    Play cards;
    bool challenge = false;
    bool operator==(const Played&) const = default;
};
struct PlayCalled {  // the play as the note area names it, after the places it gave
    static constexpr Keep kKept = Keep::lines;
    Seat seat = Seat::A;
    Makeup makeup;
    bool challenge = false;
    bool operator==(const PlayCalled&) const = default;
};
struct Passed {  // `seat` let the standing play go
    static constexpr Keep kKept = Keep::all;
    Seat seat = Seat::A;
    bool operator==(const Passed&) const = default;
};
struct HeldBack {  // `seat` held back before a challenge
    static constexpr Keep kKept = Keep::all;
    Seat seat = Seat::A;
    bool operator==(const HeldBack&) const = default;
};
struct PointOpened {  // `seat`'s challenge was declined
    static constexpr Keep kKept = Keep::lines;
    Seat seat = Seat::A;
    bool operator==(const PointOpened&) const = default;
};
struct PlayCleared {  // `seat`'s play leaves the table (the shell pauses first)
    static constexpr Keep kKept = Keep::all;
    Seat seat = Seat::A;
    bool operator==(const PlayCleared&) const = default;
};
struct TrickTaken {  // a trick ends with a play standing
    static constexpr Keep kKept = Keep::lines;
    bool operator==(const TrickTaken&) const = default;
};
// What a seat is asked from now on (what seat A is asked: State::ask).
struct Asked {
    static constexpr Keep kKept = Keep::all;
    Seat seat = Seat::A;
    Ask ask = Ask::nothing;
    bool operator==(const Asked&) const = default;
};
// The note area's prompt to a seat: "钟离云请发牌"; for a shuffle, a
// spacing line and "＞＞＞请先洗牌".
struct Prompted {
    static constexpr Keep kKept = Keep::lines;
    Seat seat = Seat::A;
    Ask ask = Ask::nothing;
    bool operator==(const Prompted&) const = default;
};
struct StoppedAtBound {  // the deal ran into the step bound and was ended
    static constexpr Keep kKept = Keep::lines;
    bool operator==(const StoppedAtBound&) const = default;
};

// ---- places, scores and the deal's end ----
struct Placed {  // `seat` went out in `place` (1..6)
    static constexpr Keep kKept = Keep::outcome;
    Seat seat = Seat::A;
    int place = 0;
    bool operator==(const Placed&) const = default;
};
struct Scored {  // `seat`'s score is now `score`
    static constexpr Keep kKept = Keep::all;
    Seat seat = Seat::A;
    int score = 0;
    bool operator==(const Scored&) const = default;
};
struct Swept {  // one whole side is out while the other is still in
    static constexpr Keep kKept = Keep::lines;
    bool human_side = false;  // the side of A, C, E is the swept one
    bool operator==(const Swept&) const = default;
};
struct PlayOver {  // the deal's last trick is over: "游戏结束" and a rule
    static constexpr Keep kKept = Keep::lines;
    bool operator==(const PlayOver&) const = default;
};
struct DealOver {  // the deal has ended; places are still marked
    static constexpr Keep kKept = Keep::outcome;
    bool operator==(const DealOver&) const = default;
};
struct TableReset {  // every card back in the pack (place labels stay until the next deal is out)
    static constexpr Keep kKept = Keep::all;
    bool operator==(const TableReset&) const = default;
};

// ---- tributes and threes ----
struct TributeFiled {  // `payer` owes `count` cards of a kind (no receiver: none was found)
    static constexpr Keep kKept = Keep::lines;
    Seat payer = Seat::A;
    std::optional<Seat> receiver;
    DebtKind kind = DebtKind::place;
    int count = 0;
    bool operator==(const TributeFiled&) const = default;
};
// `giver` shows `cards` face up as it pays a tribute, or gives cards back for
// one (`back`); no cards: it had nothing to pay.
struct TributeHanded {
    static constexpr Keep kKept = Keep::lines;
    Seat giver = Seat::A;
    DebtKind kind = DebtKind::place;
    bool back = false;
    Play cards;
    bool operator==(const TributeHanded&) const = default;
};
struct TributeRefused {  // `seat` let its partner's tribute go
    static constexpr Keep kKept = Keep::lines;
    Seat seat = Seat::A;
    bool operator==(const TributeRefused&) const = default;
};
// `buyer` pays `payment` (shown face up at its exchange spot) for `seller`'s `three`.
struct ThreeBought {
    static constexpr Keep kKept = Keep::lines;
    Seat buyer = Seat::A, seller = Seat::A;
    Card payment = 0, three = 0;
    bool operator==(const ThreeBought&) const = default;
};

using Event = std::variant<Shuffling, Dealt, LaidOut, PlayBegins, FirstLeader, Played, PlayCalled, Passed, HeldBack,
                           PointOpened, PlayCleared, TrickTaken, Asked, Prompted, StoppedAtBound, Placed, Scored, Swept,
                           PlayOver, DealOver, TableReset, TributeFiled, TributeHanded, TributeRefused, ThreeBought>;

// The events of one or more actions. `keep` leaves out what nobody reads.
// `after_step`, when set, sees the state after every step of the engine (a
// play, a pass, a trick's end, a tribute settled): the simulator's checks run there.
struct Events {
    std::vector<Event> list;
    Keep keep = Keep::all;
    std::function<void(const State&, const Events&)> after_step;

    template <class E>
    bool wants() const {
        return E::kKept <= keep;
    }
    template <class E>
    void add(E e) {
        if (wants<E>()) list.emplace_back(std::move(e));
    }
    void clear() { list.clear(); }
};

}  // namespace tav::game

// Deals watched as they happen: what a shuffle showed, the order a deal
// draws the cards in, and the fixture the deal tests share.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "model/catalogue.h"
#include "model/notes.h"
#include "session/session.h"
#include "tests/engine/game_support.h"
#include "tests/engine/session_support.h"

namespace tav::test {

// What a shuffle showed: the deal from its events, and the table as drawn
// once the last card had arrived and the human's hand was laid out, before
// anything else (threes, play) changed it.
struct DealWatch {
    std::vector<test::Row> dealt;            // in deal order
    game::PerSeat<std::vector<Card>> hands;  // in the order dealt
    std::vector<Card> human_row;             // the human's hand as laid out
    bool taken = false;
    std::vector<SurfaceObject> cards, pack;  // [n]: card picture n, pack picture p_t<n>
    game::PerSeat<bool> place_label_shown{};
    int dealt_before_shuffle_note = -1;

    void watch(Session& s) {
        *this = DealWatch{};
        s.callbacks.before_event = [this, &s, human_laid = false](const game::Event& event) mutable {
            for (const test::Row& e : test::rows(event)) {
                if (e.kind == test::Kind::note && e.text == game::notes::kShuffling)
                    dealt_before_shuffle_note = static_cast<int>(dealt.size());
                if (e.kind == test::Kind::dealt) {
                    dealt.push_back(e);
                    hands[e.seat].push_back(e.card);
                    return;
                }
                if (taken || dealt.size() != static_cast<std::size_t>(kCardCount)) return;
                if (!human_laid) {
                    human_laid = e.kind == test::Kind::laid_out && e.seat == Seat::A;
                    if (human_laid) human_row = e.cards;
                    return;
                }
                taken = true;
                cards.resize(kCardCount + 1);
                pack.resize(kCardCount + 1);
                for (int n = 1; n <= kCardCount; ++n) {
                    cards[static_cast<std::size_t>(n)] = *s.surface().find(card_id(n));
                    pack[static_cast<std::size_t>(n)] = *s.surface().find("p_t" + std::to_string(n));
                }
                for (Seat seat : game::kAllSeats)
                    place_label_shown[seat] =
                        s.surface().find(std::string("t_o") + static_cast<char>('a' + game::index_of(seat)))->visible;
            }
        };
    }
};

// The order a deal draws the cards in from generator `g`, worked out
// independently: draw a place in what is left of the pack, uniformly.
inline std::vector<Card> deal_order(std::mt19937_64 g) {
    std::vector<Card> left;
    for (int n = 1; n <= kCardCount; ++n) left.push_back(static_cast<Card>(n));
    std::vector<Card> order{0};
    for (int i = 1; i <= kCardCount; ++i) {
        std::uniform_int_distribution<int> draw(1, kCardCount + 1 - i);
        const int r = draw(g);
        order.push_back(left[static_cast<std::size_t>(r - 1)]);
        left.erase(left.begin() + (r - 1));
    }
    return order;
}

// The seat of the i-th card dealt: B, C, A, F, E, D, B ...
inline Seat seat_of(int i) {
    return std::array<Seat, 6>{Seat::D, Seat::B, Seat::C, Seat::A, Seat::F, Seat::E}[static_cast<std::size_t>(i % 6)];
}

struct Deal : SessionFixture {
    DealWatch first;

    std::unique_ptr<Session> table(std::uint64_t seed) { return std::make_unique<Session>(settings, platform, seed); }
    // The computer plays the human's part until the deal is over.
    static void play_out(Session& s) {
        play_until(s, 3000, [&s] { return s.state().ask == game::Ask::shuffle; });
    }
};

}  // namespace tav::test

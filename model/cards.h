// Cards as small numbers. A card is its number 1..216 in the four decks
// (catalogue row ((n - 1) mod 54) + 1); its rank runs 1 (big joker) to 15
// (three). Jokers and 2s (ranks 1..3) are wild; the others are natural.
// Piles are small fixed-capacity arrays, cheap to copy.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

namespace tav::game {

using Card = std::uint8_t;
inline constexpr int kCards = 216;
inline constexpr int kDeckKinds = 54;

using Rank = int;
inline constexpr Rank kBigJoker = 1, kSmallJoker = 2, kTwo = 3, kAce = 4, kKing = 5, kQueen = 6, kJack = 7, kTen = 8,
                      kNine = 9, kFour = 14, kThree = 15;
inline constexpr int kRanks = 15;

constexpr int kind_of(Card c) { return (c - 1) % kDeckKinds + 1; }  // catalogue row 1..54
// Ranks looked up, not computed: the computer seats read them all the time.
inline constexpr std::array<std::uint8_t, 256> kRankOf = [] {
    std::array<std::uint8_t, 256> r{};
    for (int c = 1; c <= kCards; ++c) {
        const int k = (c - 1) % kDeckKinds + 1;
        r[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(k <= 2 ? k : (k - 3) / 4 + 3);
    }
    return r;
}();
constexpr Rank rank_of(Card c) { return kRankOf[c]; }
// Hearts, spades, diamonds, clubs: 0..3; -1 for a joker.
constexpr int suit_of(Card c) {
    const int k = kind_of(c);
    return k <= 2 ? -1 : (k - 3) % 4;
}
constexpr bool is_wild(Rank r) { return r >= kBigJoker && r <= kTwo; }
constexpr bool valid_card(int c) { return c >= 1 && c <= kCards; }

// "大户", "红桃4" ...; "Joker1", "4" ...; "cards\h4.bmp" ...
std::string_view card_name(Card c);
std::string_view rank_code(Rank r);

// How many cards of each rank 0..15 a pile holds, read as `counts[rank]`.
// The computer seats count a hand for nearly every decision: the counts are
// kept as one byte per rank in two words, added card by card in registers (a
// table of bytes incremented in memory stalls the reads that follow it). A
// byte is enough: no pile holds more than 216 cards.
class RankCounts {
public:
    void add(Card c) {
        const auto& lane = kLanes[c];
        lo_ += lane[0];
        hi_ += lane[1];
    }
    int operator[](std::size_t r) const {
        const std::uint64_t word = r < 8 ? lo_ : hi_;
        return static_cast<int>(word >> (8 * (r & 7)) & 0xff);
    }

private:
    // The card's rank as a one in its byte: ranks 0..7 in the first word, 8..15 in the second.
    static constexpr std::array<std::array<std::uint64_t, 2>, 256> kLanes = [] {
        std::array<std::array<std::uint64_t, 2>, 256> t{};
        for (std::size_t c = 0; c < t.size(); ++c) {
            const std::size_t r = kRankOf[c];
            t[c][r / 8] = std::uint64_t{1} << (8 * (r % 8));
        }
        return t;
    }();
    std::uint64_t lo_ = 0, hi_ = 0;
};

// An ordered pile of at most N cards.
template <int N>
class Pile {
public:
    int size() const { return n_; }
    bool empty() const { return n_ == 0; }
    Card operator[](int i) const { return c_[static_cast<std::size_t>(i)]; }
    const Card* begin() const { return c_.data(); }
    const Card* end() const { return c_.data() + n_; }

    // False, nothing changed, when full.
    bool push(Card c) {
        if (n_ >= N) return false;
        c_[static_cast<std::size_t>(n_++)] = c;
        return true;
    }
    void clear() { n_ = 0; }
    // Appends `other`'s cards in order, as many as there is room for.
    template <int M>
    void append(const Pile<M>& other) {
        const int k = std::min(other.size(), N - n_);
        std::copy(other.begin(), other.begin() + k, c_.begin() + n_);
        n_ = static_cast<std::uint8_t>(n_ + k);
    }
    // Every decision looks its cards up in a hand: a byte search does it in
    // a few wide steps.
    int find(Card c) const {
        const void* at = std::memchr(c_.data(), c, static_cast<std::size_t>(n_));
        return at ? static_cast<int>(static_cast<const Card*>(at) - c_.data()) : -1;
    }
    bool contains(Card c) const { return find(c) >= 0; }
    void erase_at(int i) {
        std::copy(c_.begin() + i + 1, c_.begin() + n_, c_.begin() + i);
        --n_;
    }
    // False when the card is not here.
    bool remove(Card c) {
        const int i = find(c);
        if (i < 0) return false;
        erase_at(i);
        return true;
    }
    int count(Rank r) const {
        int k = 0;
        for (Card c : *this) k += rank_of(c) == r ? 1 : 0;
        return k;
    }
    // Index of the first card of that rank, -1 when none.
    int find_rank(Rank r) const {
        for (int i = 0; i < n_; ++i)
            if (rank_of(c_[static_cast<std::size_t>(i)]) == r) return i;
        return -1;
    }
    // Strongest first; cards of one rank keep their order (a counting sort:
    // there are only fifteen ranks).
    void sort_by_rank() {
        if (n_ <= kFewToSort) {
            // A play of a few cards: an insertion sort, as stable.
            for (int i = 1; i < n_; ++i) {
                const Card c = c_[static_cast<std::size_t>(i)];
                int j = i;
                for (; j > 0 && rank_of(c_[static_cast<std::size_t>(j - 1)]) > rank_of(c); --j)
                    c_[static_cast<std::size_t>(j)] = c_[static_cast<std::size_t>(j - 1)];
                c_[static_cast<std::size_t>(j)] = c;
            }
            return;
        }
        std::array<std::uint8_t, kRanks + 2> start{};
        for (int i = 0; i < n_; ++i) ++start[static_cast<std::size_t>(rank_of(c_[static_cast<std::size_t>(i)])) + 1];
        for (std::size_t r = 1; r < start.size(); ++r) start[r] = static_cast<std::uint8_t>(start[r] + start[r - 1]);
        std::array<Card, N> sorted;
        for (int i = 0; i < n_; ++i) {
            const Card c = c_[static_cast<std::size_t>(i)];
            sorted[start[static_cast<std::size_t>(rank_of(c))]++] = c;
        }
        std::copy(sorted.begin(), sorted.begin() + n_, c_.begin());
    }
    // How many cards of each rank, indexed by rank.
    RankCounts counts() const {
        RankCounts k;
        for (Card c : *this) k.add(c);
        return k;
    }
    // Number of different ranks held.
    int rank_count() const {
        std::uint32_t seen = 0;
        for (Card c : *this) seen |= 1u << rank_of(c);
        int k = 0;
        for (; seen; seen &= seen - 1) ++k;
        return k;
    }
    // Ranks held, not counting the wild ones.
    int natural_rank_count() const {
        std::uint32_t seen = 0;
        for (Card c : *this) seen |= 1u << rank_of(c);
        seen &= ~0b1110u;
        int k = 0;
        for (; seen; seen &= seen - 1) ++k;
        return k;
    }
    bool operator==(const Pile& o) const { return std::equal(begin(), end(), o.begin(), o.end()); }

private:
    static constexpr int kFewToSort = 8;
    std::array<Card, N> c_{};
    std::uint8_t n_ = 0;
};

// A hand holds 36 after the deal; tributes may add a few for a while.
using Hand = Pile<96>;
// The cards one seat laid on the table.
using Play = Pile<96>;
// Every card cleared from the table in a deal.
using Cleared = Pile<kCards>;

// What a play is made of: its wild cards by kind, its natural cards, and the
// rank of its first and last natural card (0 when none).
struct Makeup {
    int big = 0, small = 0, twos = 0, naturals = 0;
    Rank first_natural = 0, last_natural = 0;
    bool operator==(const Makeup&) const = default;
};
template <int N>
Makeup makeup_of(const Pile<N>& p) {
    Makeup m;
    for (Card c : p) {
        const Rank r = rank_of(c);
        if (r == kBigJoker)
            ++m.big;
        else if (r == kSmallJoker)
            ++m.small;
        else if (r == kTwo)
            ++m.twos;
        else {
            if (m.naturals++ == 0) m.first_natural = r;
            m.last_natural = r;
        }
    }
    return m;
}

// At most one natural rank among the cards (wild cards never set or break it).
bool is_one_rank(std::span<const Card> cards);

}  // namespace tav::game

// Cards as small numbers. A card is its number 1..216 in the four decks
// (catalogue row ((n - 1) mod 54) + 1); its rank runs 1 (big joker) to 15
// (three). Jokers and 2s (ranks 1..3) are wild; the others are natural.
// Piles are small fixed-capacity arrays, cheap to copy.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
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
// The card's rank as a one in its bit: the ranks a hand holds are told in one
// pass over it, each card one load.
inline constexpr std::array<std::uint16_t, 256> kRankBit = [] {
    std::array<std::uint16_t, 256> b{};
    for (std::size_t c = 0; c < b.size(); ++c) b[c] = static_cast<std::uint16_t>(1u << kRankOf[c]);
    return b;
}();
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
// added as one byte per rank in two words, card by card in registers (a
// table of bytes incremented in memory stalls the reads that follow it), and
// kept as bytes once added, so that each read is one load. A byte is enough:
// no pile holds more than 216 cards.
class RankCounts {
public:
    RankCounts() = default;
    explicit RankCounts(std::span<const Card> cards) {
        std::uint64_t lo = 0, hi = 0;
        auto add = [&lo, &hi](Card c) {
            lo += kLanes[c][0];
            hi += kLanes[c][1];
        };
        // Four cards a round: a hand of 36 spends less on the loop than on the adds.
        std::size_t i = 0;
        for (; i + 4 <= cards.size(); i += 4) {
            add(cards[i]);
            add(cards[i + 1]);
            add(cards[i + 2]);
            add(cards[i + 3]);
        }
        for (; i < cards.size(); ++i) add(cards[i]);
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(bytes_.data(), &lo, sizeof lo);
            std::memcpy(bytes_.data() + sizeof lo, &hi, sizeof hi);
        } else {
            for (std::size_t r = 0; r < 8; ++r) {
                bytes_[r] = static_cast<std::uint8_t>(lo >> (8 * r));
                bytes_[r + 8] = static_cast<std::uint8_t>(hi >> (8 * r));
            }
        }
    }
    int operator[](std::size_t r) const { return bytes_[r & 15]; }

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
    std::array<std::uint8_t, 16> bytes_{};
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
        // Also from itself: the blocks read lie before the first one written.
        other.copy_to(c_.data() + n_, k, N - n_);
        n_ = static_cast<std::uint8_t>(n_ + k);
    }
    // Every decision looks its cards up in a hand: sixteen at a time, in
    // line (a call to the library's byte search costs more than the search).
    // The bytes past the last card are read too, and a match there ignored.
    int find(Card c) const {
        int i = 0;
        if constexpr (std::endian::native == std::endian::little) {
            for (; i < n_ && i + kWidth <= N; i += kWidth) {
                Lanes x;
                std::memcpy(&x, c_.data() + i, sizeof x);
                const Lanes hit = static_cast<Lanes>(x == c);
                std::uint64_t lo = 0, hi = 0;
                std::memcpy(&lo, &hit, 8);
                std::memcpy(&hi, reinterpret_cast<const char*>(&hit) + 8, 8);
                if (lo | hi) {
                    const int at = i + (lo ? std::countr_zero(lo) : 64 + std::countr_zero(hi)) / 8;
                    return at < n_ ? at : -1;
                }
            }
        }
        for (; i < n_; ++i)  // the last cards of a pile not of whole blocks
            if (c_[static_cast<std::size_t>(i)] == c) return i;
        return -1;
    }
    bool contains(Card c) const { return find(c) >= 0; }
    // Nothing changes for a place that holds no card.
    void erase_at(int i) {
        if (i < 0 || i >= n_) return;
        // The cards after it close the gap sixteen at a time, in line as above:
        // each block is read whole before it is written, and what lands past
        // the last card is never read as a card.
        auto j = static_cast<std::size_t>(i);
        const auto last = static_cast<std::size_t>(n_ - 1);
        for (; j < last && j + 1 + kWidth <= N; j += kWidth) {
            Lanes block;
            std::memcpy(&block, c_.data() + j + 1, sizeof block);
            std::memcpy(c_.data() + j, &block, sizeof block);
        }
        for (; j < last; ++j) c_[j] = c_[j + 1];
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
        int k = 0, i = 0;
        if (r >= kBigJoker && r <= kRanks) {
            // The cleared pile is counted late in a deal, when it is long:
            // sixteen cards at a time. A rank's cards are one run of rows in
            // each deck (a joker's run is one row, another rank's four).
            const int first = r <= kSmallJoker ? r : 4 * (r - kTwo) + 3;
            auto row = [first](int deck) { return static_cast<std::uint8_t>(first + deck * kDeckKinds); };
            const auto width = static_cast<std::uint8_t>(r <= kSmallJoker ? 1 : 4);
            Lanes hits{};  // per lane, the hits so far (at most 216 / 16 of them)
            for (; i + kWidth <= n_; i += kWidth) {
                Lanes x;
                std::memcpy(&x, c_.data() + i, sizeof x);
                const Lanes in = static_cast<Lanes>(static_cast<Lanes>(x - row(0)) < width) |
                                 static_cast<Lanes>(static_cast<Lanes>(x - row(1)) < width) |
                                 static_cast<Lanes>(static_cast<Lanes>(x - row(2)) < width) |
                                 static_cast<Lanes>(static_cast<Lanes>(x - row(3)) < width);
                hits -= in;  // a hit's lane is all ones: minus one
            }
            std::uint64_t lo = 0, hi = 0;
            std::memcpy(&lo, &hits, 8);
            std::memcpy(&hi, reinterpret_cast<const char*>(&hits) + 8, 8);
            k = static_cast<int>(((lo + hi) * 0x0101010101010101u) >> 56);  // the lanes' sum: at most 216
        }
        for (; i < n_; ++i) k += rank_of(c_[static_cast<std::size_t>(i)]) == r ? 1 : 0;
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
    RankCounts counts() const { return RankCounts({begin(), end()}); }
    // Number of different ranks held.
    int rank_count() const {
        std::uint32_t seen = 0;
        for (Card c : *this) seen |= kRankBit[c];
        int k = 0;
        for (; seen; seen &= seen - 1) ++k;
        return k;
    }
    // Ranks held, not counting the wild ones.
    int natural_rank_count() const {
        std::uint32_t seen = 0;
        for (Card c : *this) seen |= kRankBit[c];
        seen &= ~0b1110u;
        int k = 0;
        for (; seen; seen &= seen - 1) ++k;
        return k;
    }
    bool operator==(const Pile& o) const { return std::equal(begin(), end(), o.begin(), o.end()); }

private:
    static constexpr int kFewToSort = 8;
    // Sixteen cards side by side, one per byte (the compiler's vectors).
    using Lanes = std::uint8_t __attribute__((vector_size(16)));
    static constexpr int kWidth = 16;
    template <int>
    friend class Pile;

    // Copies the first `k` cards to `out`, which has room for `room` bytes;
    // sixteen at a time while both piles have room for a whole block.
    void copy_to(Card* out, int k, int room) const {
        int j = 0;
        for (; j < k && j + kWidth <= N && j + kWidth <= room; j += kWidth) std::memcpy(out + j, c_.data() + j, kWidth);
        for (; j < k; ++j) out[j] = c_[static_cast<std::size_t>(j)];
    }
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

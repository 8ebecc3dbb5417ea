#include "rules/gate.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "rules/play.h"

namespace tav::game {
namespace {

Verdict refuse(std::string why) { return Verdict{std::move(why)}; }

bool holds_three(const std::vector<Card>& cards) {
    return std::any_of(cards.begin(), cards.end(), [](Card c) { return rank_of(c) == kThree; });
}

// Why `cards` cannot leave the hand, or none. Every decision of every seat
// passes here, so it builds no string and clears no table of the pack: the
// hand is marked once as bits, and a card named twice is found among the
// few cards named.
const char* own_cards_problem(const Hand& hand, const std::vector<Card>& cards) {
    // A few cards are looked up in the hand; many, in the hand's bits.
    constexpr std::size_t kFew = 4;
    std::array<std::uint64_t, (kCards + 64) / 64> held{};
    if (cards.size() > kFew)
        for (Card c : hand) held[c / 64] |= std::uint64_t{1} << (c % 64);
    for (std::size_t i = 0; i < cards.size(); ++i) {
        const Card c = cards[i];
        if (!valid_card(c)) return "没有这张牌";
        if (cards.size() > kFew ? !(held[c / 64] >> (c % 64) & 1) : !hand.contains(c)) return "这张牌不在手中";
        for (std::size_t j = 0; j < i; ++j)
            if (cards[j] == c) return "一张牌选了两次";
    }
    return nullptr;
}

Verdict no_cards(const Decision& d) { return d.cards.empty() ? Verdict{} : refuse("这一步不出牌"); }

Verdict check_play(const State& s, Seat seat, const Decision& d) {
    const bool lead = s.ask == Ask::lead;
    switch (d.move) {
        case Move::play: {
            if (d.cards.empty()) return refuse("请先选牌");
            const Hand& hand = s.hands[seat];
            if (const char* why = own_cards_problem(hand, d.cards)) return refuse(why);
            if (!is_one_rank(d.cards)) return refuse("一手牌只能有一种点数（王和2除外）");
            if (!lead) {
                const Play& standing = s.plays[*s.trick.standing];
                if (static_cast<int>(d.cards.size()) != standing.size()) return refuse("出牌张数不对");
                if (!beats(d.cards, standing)) return refuse("压不过桌上的牌");
            }
            if (holds_three(d.cards) && threes_kept_back(s.rules, hand)) return refuse("手中还有别的牌，３不能出");
            return {};
        }
        case Move::pass:
            if (lead) return refuse("该你出牌，不能过牌");
            if (s.ask == Ask::follow_or_hold) return refuse("瑟柯牌只能接牌或扣牌");
            return no_cards(d);
        case Move::hold_back:
            if (s.ask != Ask::follow_or_hold) return refuse("没有瑟柯牌，不能扣牌");
            return no_cards(d);
        default: return refuse("该你出牌");
    }
}

// The shuffle brings the pack in the order it is dealt: every card once.
Verdict whole_pack(const Decision& d) {
    if (d.cards.size() != static_cast<std::size_t>(kCards)) return refuse("洗牌须是整副牌");
    std::array<bool, kCards + 1> seen{};
    for (Card c : d.cards) {
        if (!valid_card(c) || seen[c]) return refuse("洗牌须是整副牌");
        seen[c] = true;
    }
    return {};
}

Verdict check_return(const State& s, Seat seat, const Decision& d) {
    if (d.move != Move::return_tribute) return refuse("请先还贡");
    const int owed = s.ledger[static_cast<std::size_t>(s.settling)].count;
    // A human's return is whole; the computer's takes what candidates there
    // are, even fewer than owed.
    const bool whole = s.human[seat] && !d.by_computer;
    const int given = static_cast<int>(d.cards.size());
    if (whole ? given != owed : given > owed) return refuse("请选择" + std::to_string(owed) + "张牌还贡！");
    const Hand& hand = s.hands[seat];
    if (const char* why = own_cards_problem(hand, d.cards)) return refuse(why);
    if (holds_three(d.cards) && threes_kept_back(s.rules, hand)) return refuse("手中还有别的牌，３不能还");
    return {};
}

// The hand's cards by rank, so a choice of ranks takes real cards.
struct ByRank {
    // Left unset but for the first n[r] of each rank, the only ones read:
    // every decision listed builds this once.
    std::array<std::array<Card, 16>, kRanks + 1> cards;
    std::array<int, kRanks + 1> n{};
    explicit ByRank(const Hand& hand) {
        for (Card c : hand) {
            const auto r = static_cast<std::size_t>(rank_of(c));
            if (n[r] < 16) cards[r][static_cast<std::size_t>(n[r]++)] = c;
        }
    }
    void take(Rank r, int k, std::vector<Card>& out) const {
        for (int i = 0; i < k; ++i) out.push_back(cards[static_cast<std::size_t>(r)][static_cast<std::size_t>(i)]);
    }
};

// Each of `cards` (strongest first) beats the standing card at its place.
bool beats_so_far(const std::vector<Card>& cards, const Play& standing) {
    for (std::size_t i = 0; i < cards.size(); ++i)
        if (rank_of(cards[i]) >= rank_of(standing[static_cast<int>(i)])) return false;
    return true;
}

// Plays of wild cards by count (big jokers, small jokers, 2s) with at most one
// natural rank; only those the rules take are kept.
// Stops once `out` holds `most` decisions.
void plays(const Hand& hand, const Play* standing, const Rules& rules, std::vector<Decision>& out,
           std::size_t most = SIZE_MAX) {
    const ByRank held(hand);
    const int size = standing ? standing->size() : -1;  // -1: any size
    const bool no_threes = threes_kept_back(rules, hand);
    std::vector<Card> cards;
    auto offer = [&] {
        if (out.size() < most && !cards.empty() && can_play(cards, standing)) out.push_back(Decision::play(cards));
    };
    for (int b = 0; b <= held.n[kBigJoker] && out.size() < most; ++b)
        for (int j = 0; j <= held.n[kSmallJoker]; ++j)
            for (int t = 0; t <= held.n[kTwo]; ++t) {
                const int wild = b + j + t;
                if (size >= 0 && wild > size) break;
                cards.clear();
                held.take(kBigJoker, b, cards);
                held.take(kSmallJoker, j, cards);
                held.take(kTwo, t, cards);
                // The cards go in strongest first, and an answer beats card by
                // card: wild cards that fail at their places fail with more 2s
                // too, and a natural rank must beat the standing card it meets.
                // These only spare `can_play` the hopeless tries; it decides.
                Rank weaker_than = kThree + 1;
                if (standing) {
                    if (!beats_so_far(cards, *standing)) break;
                    if (wild < size) weaker_than = rank_of((*standing)[wild]);
                }
                if (size < 0 || wild == size) offer();
                for (Rank r = kAce; r <= kThree && r < weaker_than; ++r) {
                    if (r == kThree && no_threes) continue;
                    const int have = held.n[static_cast<std::size_t>(r)];
                    for (int k = size < 0 ? 1 : size - wild; k >= 1 && k <= have && out.size() < most; ++k) {
                        cards.resize(static_cast<std::size_t>(wild));
                        held.take(r, k, cards);
                        offer();
                        if (size >= 0) break;  // a follow has one count
                    }
                }
            }
}

// A debt is one or two cards in play, at most 120 sets of ranks; only a state
// made by hand owes more, and its list is cut here rather than left to grow.
constexpr std::size_t kMaxReturns = 4096;

// Every choice of `owed` ranks from `from` on (with repeats, as the hand holds
// them). `left[r]`: the cards that may go of rank r and weaker, so no branch
// is followed that cannot be completed.
void returns(const ByRank& held, const std::array<int, kRanks + 2>& left, Rank from, int owed, std::vector<Card>& cards,
             std::vector<Decision>& out) {
    if (out.size() >= kMaxReturns) return;
    if (owed == 0) {
        out.push_back(Decision{Move::return_tribute, cards});
        return;
    }
    for (Rank r = from; r <= kThree && left[static_cast<std::size_t>(r)] >= owed; ++r) {
        const int have = std::min(left[static_cast<std::size_t>(r)] - left[static_cast<std::size_t>(r) + 1], owed);
        for (int k = 1; k <= have; ++k) {
            const std::size_t mark = cards.size();
            held.take(r, k, cards);
            returns(held, left, r + 1, owed - k, cards, out);
            cards.resize(mark);
        }
    }
}

void returns(const State& s, Seat seat, std::vector<Decision>& out) {
    const Hand& hand = s.hands[seat];
    const ByRank held(hand);
    const bool no_threes = threes_kept_back(s.rules, hand);
    std::array<int, kRanks + 2> left{};
    for (Rank r = kThree; r >= kBigJoker; --r)
        left[static_cast<std::size_t>(r)] = left[static_cast<std::size_t>(r) + 1] +
                                            (r == kThree && no_threes ? 0 : held.n[static_cast<std::size_t>(r)]);
    std::vector<Card> cards;
    const int owed = s.ledger[static_cast<std::size_t>(s.settling)].count;
    if (owed >= 0) returns(held, left, kBigJoker, owed, cards, out);
}

}  // namespace

std::string own_cards_refused(const Hand& hand, const std::vector<Card>& cards) {
    const char* why = own_cards_problem(hand, cards);
    return why ? why : "";
}

// A three goes only from a hand of threes alone.
bool threes_kept_back(const Rules& rules, const Hand& hand) {
    return rules.threes && std::any_of(hand.begin(), hand.end(), [](Card c) { return rank_of(c) != kThree; });
}

std::optional<Seat> current_seat(const State& s) {
    switch (s.ask) {
        case Ask::nothing: return std::nullopt;
        case Ask::shuffle: return s.shuffler();
        case Ask::lead:
        case Ask::follow:
        case Ask::follow_or_hold:
            // A follow needs a standing play to answer.
            if (!s.trick.turn || s.is_out(*s.trick.turn)) return std::nullopt;
            if (s.ask != Ask::lead && !s.trick.standing) return std::nullopt;
            return s.trick.turn;
        case Ask::return_tribute:
        case Ask::take_partner_tribute:
            // The receiver of the slot being settled.
            if (s.settling < 1 || s.settling > kLedgerSlots) return std::nullopt;
            return s.ledger[static_cast<std::size_t>(s.settling)].receiver;
    }
    return std::nullopt;
}

Verdict check(const State& s, Seat seat, const Decision& d) {
    const std::optional<Seat> now = current_seat(s);
    if (!now) return refuse("现在没有要做的决定");
    if (seat != *now) return refuse("还没轮到这个座位");
    switch (s.ask) {
        case Ask::shuffle:
            if (d.move != Move::shuffle) return refuse("请先洗牌");
            return whole_pack(d);
        case Ask::lead:
        case Ask::follow:
        case Ask::follow_or_hold: return check_play(s, seat, d);
        case Ask::return_tribute: return check_return(s, seat, d);
        case Ask::take_partner_tribute:
            if (d.move != Move::take_tribute && d.move != Move::let_tribute_go) return refuse("请回答要不要同帮的进贡");
            return no_cards(d);
        case Ask::nothing: break;
    }
    return refuse("现在没有要做的决定");
}

std::vector<Decision> legal_plays(const Hand& hand, const Play* standing, const Rules& rules, std::size_t most) {
    std::vector<Decision> out;
    plays(hand, standing, rules, out, most);
    return out;
}

std::vector<Decision> legal_decisions(const State& s) {
    std::vector<Decision> out;
    const std::optional<Seat> seat = current_seat(s);
    if (!seat) return out;
    // A follow has a standing play: `current_seat` says so.
    const auto plays_of_seat = [&] {
        plays(s.hands[*seat], s.ask == Ask::lead ? nullptr : &s.plays[*s.trick.standing], s.rules, out);
    };
    switch (s.ask) {
        case Ask::shuffle: {
            // A chance step: any order of the pack is a shuffle; listed once,
            // in the catalogue's order.
            Decision d{Move::shuffle, std::vector<Card>(kCards)};
            for (int c = 1; c <= kCards; ++c) d.cards[static_cast<std::size_t>(c - 1)] = static_cast<Card>(c);
            out.push_back(std::move(d));
            break;
        }
        case Ask::lead: plays_of_seat(); break;
        case Ask::follow:
            plays_of_seat();
            out.push_back(Decision::pass());
            break;
        case Ask::follow_or_hold:
            plays_of_seat();
            out.push_back(Decision{Move::hold_back, {}});
            break;
        case Ask::return_tribute: returns(s, *seat, out); break;
        case Ask::take_partner_tribute:
            out.push_back(Decision{Move::take_tribute, {}});
            out.push_back(Decision{Move::let_tribute_go, {}});
            break;
        case Ask::nothing: break;
    }
    return out;
}

}  // namespace tav::game

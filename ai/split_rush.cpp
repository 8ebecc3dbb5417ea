// The computer seats' finer choices: rushing out near the end of a hand with
// the jokers and 2s, breaking a large group when the surplus is big, and,
// when the standing player could go out with its next play, breaking any
// group or topping one up with 2s and small jokers. Every such play is a list
// of card kinds laid by wf_parmplay.
#include <array>
#include <map>
#include <string>
#include <vector>

#include "table/w_main.h"

namespace tav {
namespace {

// A big surplus is broken even when the standing player keeps several ranks:
// the group still keeps enough cards after the answer.
struct SurplusSplit {
    int sort;         // the rank broken up
    int surplus;      // cards it must keep at least
    int min_ai_sort;  // the standing rank must be weak enough
};
constexpr std::array<SurplusSplit, 4> kSurplusSplits{{{7, 5, 8}, {6, 4, 7}, {5, 3, 6}, {4, 3, 5}}};

constexpr int kBigJoker = 1, kSmallJoker = 2, kTwo = 3, kStrongestNatural = 4, kThree = 15;

}  // namespace

bool w_main::wf_parmplay(std::string_view as_str, const std::vector<int>& ai_cards,
                         const std::vector<int>& ai_page) {
    if (as_str.empty()) return false;
    if (ai_cards.size() != ai_page.size()) return false;
    CardList* h = hand(as_str);
    if (!h || !play_pile(as_str)) return false;

    // A list may name one kind twice (a rush from wild cards only): the
    // counts of a kind are checked together, so no card is looked for after
    // the hand has run out of it.
    std::map<int, int> wanted;
    for (std::size_t i = 0; i < ai_cards.size(); ++i) {
        if (ai_cards[i] == 0) continue;
        if (ai_page[i] < 0) return false;
        wanted[ai_cards[i]] += ai_page[i];
    }
    for (const auto& [sort, count] : wanted)
        if (h->count_sort(sort) < count) return false;

    RedrawPause pause(dw_main);
    int placed = 0;
    for (std::size_t i = 0; i < ai_cards.size(); ++i) {
        if (ai_cards[i] == 0) continue;
        for (int k = 0; k < ai_page[i]; ++k) move_card(as_str, h->find_sort(ai_cards[i]), placed++);
    }
    return true;
}

bool w_main::wf_splitcard(int ai_sort, int ai_page) {
    const std::string seat = is_current;
    const CardList* h = hand(seat);
    if (!h || ai_page < 2) return false;  // a single card is never answered by splitting

    auto play = [&](int sort, int count) { return wf_parmplay(seat, {sort}, {count}); };

    for (const SurplusSplit& row : kSurplusSplits)
        if (h->count_sort(row.sort) - ai_page >= row.surplus && ai_sort >= row.min_ai_sort)
            return play(row.sort, ai_page);

    // Anything more is done only when the standing player could go out next.
    if (wf_howhand(is_prior) != 1) return false;

    for (int s = ai_sort - 1; s >= kStrongestNatural; --s)
        if (h->count_sort(s) >= ai_page) return play(s, ai_page);

    // Top up the largest group (the weaker on a tie) with 2s, then small jokers.
    const int small = h->count_sort(kSmallJoker);
    const int twos = h->count_sort(kTwo);
    int max = 0, best = 0;
    for (int s = ai_sort - 1; s >= kStrongestNatural; --s) {
        const int c = h->count_sort(s);
        if (c > max) {
            max = c;
            best = s;
        }
    }
    if (max + twos >= ai_page) return wf_parmplay(seat, {best, kTwo}, {max, ai_page - max});
    if (max + twos + small >= ai_page)
        return wf_parmplay(seat, {best, kTwo, kSmallJoker}, {max, twos, ai_page - max - twos});
    return false;
}

bool w_main::wf_autorush(std::string_view as_str) {
    const CardList* h = hand(as_str);
    if (!h || h->empty()) return false;
    const int big = wf_getpage(as_str, kBigJoker, 1);
    const int small = wf_getpage(as_str, kSmallJoker, 1);
    const int twos = wf_getpage(as_str, kTwo, 1);
    const int big_played = wf_getpage(as_str, kBigJoker, 3);
    const int small_played = wf_getpage(as_str, kSmallJoker, 3);
    const int ranks = wf_howhand(as_str);

    if (ranks == 1) {
        // The wild cards go down together when nothing still out can beat
        // them, keeping the last rank for the next lead.
        if (big > 0 || small > 4 - big_played || twos > 8 - big_played - small_played)
            return wf_parmplay(as_str, {kBigJoker, kSmallJoker, kTwo}, {big, small, twos});
        if (settings.gb_b3) return false;  // the last rank may be threes: no whole-hand play
        const int last = h->at(h->row_count()).sort();
        return wf_parmplay(as_str, {kBigJoker, kSmallJoker, kTwo, last}, {big, small, twos, h->count_sort(last)});
    }

    // Several ranks: a joker for every rank but one.
    if (big + small < ranks - 1) return false;
    if (small > 0) {
        int weakest = h->at(h->row_count()).sort();
        if (settings.gb_b3)
            for (int r = h->row_count(); r >= 1; --r)
                if (h->at(r).sort() < kThree) {
                    weakest = h->at(r).sort();
                    break;
                }
        std::vector<int> cards{kSmallJoker, weakest}, pages{1, h->count_sort(weakest)};
        if (ranks == 2) {
            cards.insert(cards.end(), {kBigJoker, kTwo});
            pages.insert(pages.end(), {big, twos});
        }
        return wf_parmplay(as_str, cards, pages);
    }
    int strongest = 0;
    for (const CardRow& r : h->rows())
        if (r.sort() > kTwo) {
            strongest = r.sort();
            break;
        }
    std::vector<int> cards{kBigJoker, strongest}, pages{ranks == 2 ? big : 1, strongest ? h->count_sort(strongest) : 0};
    if (ranks == 2) {
        cards.push_back(kTwo);
        pages.push_back(twos);
    }
    return wf_parmplay(as_str, cards, pages);
}

}  // namespace tav

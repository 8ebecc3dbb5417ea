// The note lines in Chinese, made from the events where someone reads them
// (the table's note area, the record, the simulator's log): the one place
// the game's note texts are written. Most kinds of event write no line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "model/cards.h"
#include "model/events.h"
#include "model/seat.h"
#include "model/state.h"

namespace tav::game::notes {

inline constexpr const char* kShuffleFirst = "＞＞＞请先洗牌";
inline constexpr const char* kShuffling = "瑟柯洗牌开始";
inline constexpr const char* kPlayBegins = "开始游戏＞＞＞";
inline constexpr const char* kTrickTaken = "扣牌";
inline constexpr const char* kGameOver = "游戏结束";
inline constexpr const char* kRule = "——————————";
inline constexpr const char* kHumanLeads = "钟离云请发牌";
inline constexpr const char* kHumanFollows = "钟离云请接牌或过牌";
inline constexpr const char* kHumanFollowsOrHolds = "钟离云请接牌或扣牌";
inline constexpr const char* kHumanReturns = "请钟离云还贡";
inline constexpr const char* kHumanRefuses = "请钟离云放弃贡";
inline constexpr const char* kWeAreSwept = "我方已被抓三户";
inline constexpr const char* kTheyAreSwept = "对方已被抓三户";
inline constexpr const char* kStoppedAtBound = "本局回合过多，已中止";

// Writes the lines of an event in one language, appended to `out`.
using Wording = void (*)(const Event& e, std::vector<std::string>& out);

// The Chinese lines of `e`: "石坚1大户2钱3个K，瑟柯牌", "柳    烟＞头科" ...
void write(const Event& e, std::vector<std::string>& out);
// Whether an event of this kind writes any line, without making it.
bool writes(const Event& e);

// An entry of the note area or the record: the event that wrote its lines,
// or a text kept as written (a help's line on the table, or a line of a game
// saved before the record kept events).
using Entry = std::variant<std::string, Event>;
void write(const Entry& entry, Wording wording, std::vector<std::string>& out);

// The pieces the lines are made of, for the kinds with parts (the English
// lines translate the same words).
// "头科" ... "大落" for places 1..6; "" for any other.
std::string_view place_word(int place);
// "进落贡", "还扪贡" ...
std::string_view tribute_word(DebtKind kind, bool giving_back);
// "石坚先发牌".
std::string leads_first(Seat s);
// "石坚1大户2钱3个K，瑟柯牌".
std::string play(Seat s, const Makeup& m, bool challenge);
// "石坚开点".
std::string open_point(Seat s);
// "柳    烟＞头科".
std::string place(Seat s, int place);
// "石坚向柳烟进落贡2张".
std::string debt(Seat payer, std::optional<Seat> receiver, DebtKind kind, int count);
// "石坚进落贡两钱", "柳烟还落贡一个9，一个8", "石坚进扪贡无牌"; `ranks` of the
// first two cards handed (0 when fewer), `giving_back` for a return.
std::string handed(Seat giver, DebtKind kind, bool giving_back, int count, Rank first, Rank second);
// "柳    烟买３" / "石    坚卖３".
std::string buys_three(Seat s);
std::string sells_three(Seat s);

}  // namespace tav::game::notes

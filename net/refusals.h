// Why the table refuses a call, in the game's own language like the gate's
// reasons that come through it: a client shows them to its player (the
// English of each is in the translation file).
#pragma once

#include <array>
#include <string_view>

namespace tav::net::refusal {

inline constexpr std::string_view kClosed = "牌桌已关闭";
inline constexpr std::string_view kNoSuchSeat = "没有这个座位";
inline constexpr std::string_view kHoldsASeat = "你已有座位";
inline constexpr std::string_view kSeatTaken = "这个座位已有人";
inline constexpr std::string_view kAtTheTable = "你已在牌桌上";
inline constexpr std::string_view kNoRoomToWatch = "旁观的人已满";
inline constexpr std::string_view kNotAtTheTable = "你不在牌桌上";
inline constexpr std::string_view kNoSuchToken = "凭证不对，回不到座位";
inline constexpr std::string_view kTooManyRejoins = "回到座位的次数已满";
inline constexpr std::string_view kOnlyTheHost = "只有开桌的人可以开始";
inline constexpr std::string_view kStarted = "牌局已经开始";
inline constexpr std::string_view kNotStarted = "牌局还没开始";
inline constexpr std::string_view kNoSeat = "你没有座位";
inline constexpr std::string_view kMovedOn = "牌局已往下走，请按现在的牌面再出";
inline constexpr std::string_view kNextDeal = "你从下一局起出牌";
inline constexpr std::string_view kNotYourTurn = "还没轮到你";
inline constexpr std::string_view kNoPack = "洗牌由牌桌来做，不能送来一副牌";
inline constexpr std::string_view kNoName = "请输入名字";
inline constexpr std::string_view kLongName = "名字太长";
inline constexpr std::string_view kControlInName = "名字里不能有控制字符";
inline constexpr std::string_view kNotText = "名字须是UTF-8文字";
inline constexpr std::string_view kNoSuchLevel = "没有这个电脑级别";
inline constexpr std::string_view kSecondsOutOfRange = "每步时间须在0到600秒之间";
inline constexpr std::string_view kNoRoomForTables = "服务器上的牌桌已满，请稍后再开";

inline constexpr std::array kAll{kClosed,        kNoSuchSeat,     kHoldsASeat,  kSeatTaken,      kAtTheTable,
                                 kNoRoomToWatch, kNotAtTheTable,  kNoSuchToken, kTooManyRejoins, kOnlyTheHost,
                                 kStarted,       kNotStarted,     kNoSeat,      kMovedOn,        kNextDeal,
                                 kNotYourTurn,   kNoPack,         kNoName,      kLongName,       kControlInName,
                                 kNotText,       kNoRoomForTables};

}  // namespace tav::net::refusal

// The page's words in Chinese and English. The browser's language chooses
// the first time; the switch on the page is remembered.

export type Lang = "zh" | "en";

const zh = {
  title: "瑟柯牌局",
  join: "加入牌桌",
  create: "开一桌",
  code: "牌桌代码",
  name: "你的名字",
  rules: "规则",
  threes: "三的规则（买三）",
  smother: "闷贡",
  points: "点贡",
  tributes: "进贡",
  level: "电脑水平",
  classic: "标准",
  strong: "高手",
  seconds: "每步秒数（0 不限）",
  joinButton: "加入",
  createButton: "开桌",
  language: "English",
  languageName: "Switch the page to English",
  seats: "座位",
  sitHere: "坐这里",
  start: "开始",
  leave: "离开牌桌",
  waitingStart: "等主人开始……",
  you: "你",
  open: "空座",
  computer: "电脑",
  dropped: "代打",
  host: "主人",
  shuffle: "洗牌",
  play: "发牌",
  pass: "过牌",
  hold: "扣牌",
  giveBack: "还牌",
  clear: "放下",
  take: "收下",
  letGo: "放弃",
  hand: "你的牌",
  cardsLeft: (n: number) => `剩 ${n} 张`,
  place: (n: number) => `第${n}名`,
  score: (n: number) => `分 ${n}`,
  secondsLeft: (n: number) => `${n} 秒`,
  turnOf: (who: string) => `等 ${who}`,
  yourTurn: {
    shuffle: "该你洗牌了",
    lead: "该你出牌了",
    follow: "该你接牌了，或者过牌",
    follow_or_hold: "有人挑战：接牌，或者扣牌",
    return_tribute: (n: number) => `请选 ${n} 张牌还贡`,
    take_partner_tribute: "同伴向你进贡：收下还是放弃？",
  } as Record<string, string | ((n: number) => string)>,
  record: "本局记录",
  scores: "比分",
  chat: "聊天",
  chatPlaceholder: "说点什么（回车发送）",
  send: "发送",
  mute: (who: string) => `不听 ${who}`,
  unmute: (who: string) => `再听 ${who}`,
  muted: "（已静音）",
  connecting: "正在连接……",
  reconnecting: "连接断开了，正在重新连接……",
  reconnected: "已重新连接。",
  gaveUp: "连不上牌桌了。请再加入一次。",
  errors: {
    unknown_table: "没有这个代码的牌桌。",
    seat_taken: "这个座位已经有人了。",
    bad_token: "这个座位已经不归你了。",
    rate_limited: "太快了，请稍等。",
    not_now: "现在不能这样做。",
    protocol_version: "服务器的版本不同。",
  } as Record<string, string>,
  badInput: "请检查你填的内容。",
  lines: {
    newDeal: "—— 新的一局 ——",
    firstLeader: (s: string) => `${s} 先出`,
    played: (s: string, cards: string) => `${s} 出 ${cards}`,
    challenge: (s: string, cards: string) => `${s} 挑战 ${cards}`,
    passed: (s: string) => `${s} 过牌`,
    heldBack: (s: string) => `${s} 扣牌`,
    pointOpened: (s: string) => `${s} 的挑战被放过`,
    trick: "一轮结束",
    placed: (s: string, n: number) => `${s} 第${n}名`,
    swept: (side: string) => `${side} 被关了`,
    dealOver: "本局结束",
    filed: (p: string, r: string, n: number) => `${p} 欠 ${r} ${n} 张贡`,
    handed: (s: string, cards: string) => `${s} 进贡 ${cards}`,
    handedNothing: (s: string) => `${s} 没有可进贡的牌`,
    handedBack: (s: string, cards: string) => `${s} 还贡 ${cards}`,
    refused: (s: string) => `${s} 放弃了同伴的贡`,
    bought: (b: string, s: string) => `${b} 向 ${s} 买了一张三`,
    stopped: "这局走到步数上限，结束了",
  },
  seatNames: ["钟离云", "柳烟", "石坚", "花月容", "雷虎", "月琴"],
  hidden: (n: number) => `${n} 张暗牌`,
  picked: "已选",
  pickedCount: (n: number) => `已选 ${n} 张`,
  tableCode: (c: string) => `牌桌 ${c}`,
  link: "把这个地址发给朋友：",
  sides: { ACE: "钟离云、石坚、雷虎一方", BDF: "柳烟、花月容、月琴一方" } as Record<string, string>,
};

type Words = typeof zh;

const en: Words = {
  title: "Tav",
  join: "Join a table",
  create: "Open a table",
  code: "Table code",
  name: "Your name",
  rules: "Rules",
  threes: "The rule on threes (buying threes)",
  smother: "Smother tributes",
  points: "Point tributes",
  tributes: "Tributes",
  level: "Computer level",
  classic: "Classic",
  strong: "Strong",
  seconds: "Seconds a decision (0: no limit)",
  joinButton: "Join",
  createButton: "Open",
  language: "中文",
  languageName: "把页面换成中文",
  seats: "Seats",
  sitHere: "Sit here",
  start: "Start",
  leave: "Leave the table",
  waitingStart: "Waiting for the host to start…",
  you: "you",
  open: "open",
  computer: "computer",
  dropped: "away",
  host: "host",
  shuffle: "Shuffle",
  play: "Play",
  pass: "Pass",
  hold: "Hold",
  giveBack: "Return",
  clear: "Drop",
  take: "Take",
  letGo: "Let go",
  hand: "Your hand",
  cardsLeft: (n: number) => `${n} left`,
  place: (n: number) => ["1st", "2nd", "3rd", "4th", "5th", "6th"][n - 1] ?? `${n}th`,
  score: (n: number) => `score ${n}`,
  secondsLeft: (n: number) => `${n} s`,
  turnOf: (who: string) => `waiting for ${who}`,
  yourTurn: {
    shuffle: "Your turn to shuffle",
    lead: "Your lead",
    follow: "Beat the play, or pass",
    follow_or_hold: "A challenge: beat it, or hold back",
    return_tribute: (n: number) => `Pick ${n} card${n === 1 ? "" : "s"} to give back`,
    take_partner_tribute: "Your partner pays you a tribute: take it or let it go?",
  },
  record: "This deal",
  scores: "Scores",
  chat: "Chat",
  chatPlaceholder: "Say something (Enter sends)",
  send: "Send",
  mute: (who: string) => `Mute ${who}`,
  unmute: (who: string) => `Unmute ${who}`,
  muted: "(muted)",
  connecting: "Connecting…",
  reconnecting: "The connection dropped; connecting again…",
  reconnected: "Connected again.",
  gaveUp: "The table cannot be reached. Please join again.",
  errors: {
    unknown_table: "No table has that code.",
    seat_taken: "That seat is taken.",
    bad_token: "That seat is no longer yours.",
    rate_limited: "Too fast; wait a moment.",
    not_now: "Not now.",
    protocol_version: "The server speaks another version.",
  },
  badInput: "Please check what you typed.",
  lines: {
    newDeal: "— A new deal —",
    firstLeader: (s: string) => `${s} leads`,
    played: (s: string, cards: string) => `${s} plays ${cards}`,
    challenge: (s: string, cards: string) => `${s} challenges with ${cards}`,
    passed: (s: string) => `${s} passes`,
    heldBack: (s: string) => `${s} holds back`,
    pointOpened: (s: string) => `${s}'s challenge was declined`,
    trick: "The trick is over",
    placed: (s: string, n: number) => `${s} is out ${["1st", "2nd", "3rd", "4th", "5th", "6th"][n - 1]}`,
    swept: (side: string) => `${side} swept`,
    dealOver: "The deal is over",
    filed: (p: string, r: string, n: number) => `${p} owes ${r} ${n} tribute card${n === 1 ? "" : "s"}`,
    handed: (s: string, cards: string) => `${s} pays ${cards}`,
    handedNothing: (s: string) => `${s} has nothing to pay`,
    handedBack: (s: string, cards: string) => `${s} gives back ${cards}`,
    refused: (s: string) => `${s} lets the partner's tribute go`,
    bought: (b: string, s: string) => `${b} buys a three from ${s}`,
    stopped: "The deal reached the step bound and ended",
  },
  seatNames: ["Zhongli Yun", "Liu Yan", "Shi Jian", "Hua Yuerong", "Lei Hu", "Yue Qin"],
  hidden: (n: number) => `${n} hidden cards`,
  picked: "picked",
  pickedCount: (n: number) => `${n} picked`,
  tableCode: (c: string) => `Table ${c}`,
  link: "Send this address to your friends:",
  sides: { ACE: "Zhongli Yun, Shi Jian and Lei Hu", BDF: "Liu Yan, Hua Yuerong and Yue Qin" },
};

let current: Lang = pickLanguage();

function pickLanguage(): Lang {
  try {
    const kept = localStorage.getItem("tav.lang");
    if (kept === "zh" || kept === "en") return kept;
  } catch {
    // storage refused (a private window): the browser's language decides
  }
  return (navigator.language || "zh").toLowerCase().startsWith("zh") ? "zh" : "en";
}

export function lang(): Lang {
  return current;
}

export function words(): Words {
  return current === "zh" ? zh : en;
}

export function setLang(l: Lang): void {
  current = l;
  try {
    localStorage.setItem("tav.lang", l);
  } catch {
    // not kept: the page still switches
  }
  document.documentElement.lang = l === "zh" ? "zh-CN" : "en";
}

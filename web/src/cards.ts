// The 216 cards: four decks of 54, numbered in the table's catalogue order.
// Row 1 is the big joker, row 2 the small one, then thirteen ranks from the
// two down to the three, each in the suits hearts, spades, diamonds, clubs.

export type Card = number;

const RANK_CODES = ["2", "a", "k", "q", "j", "10", "9", "8", "7", "6", "5", "4", "3"];
const RANK_ZH = ["2", "A", "K", "Q", "J", "10", "9", "8", "7", "6", "5", "4", "3"];
const RANK_EN = ["Two", "Ace", "King", "Queen", "Jack", "Ten", "Nine", "Eight", "Seven", "Six", "Five", "Four", "Three"];
const SUIT_LETTERS = ["h", "s", "d", "c"];
const SUIT_ZH = ["红桃", "黑桃", "方块", "梅花"];
const SUIT_EN = ["hearts", "spades", "diamonds", "clubs"];
// The suit's sign, written beside the rank so that no card is told by colour alone.
const SUIT_SIGNS = ["♥", "♠", "♦", "♣"];

export function validCard(c: unknown): c is Card {
  return typeof c === "number" && Number.isInteger(c) && c >= 1 && c <= 216;
}

function row(c: Card): number {
  return ((c - 1) % 54) + 1;
}

// 1 (big joker) .. 15 (three): lower is stronger.
export function rankOf(c: Card): number {
  const k = row(c);
  return k <= 2 ? k : Math.floor((k - 3) / 4) + 3;
}

// 0..3 for hearts, spades, diamonds, clubs; -1 for a joker.
export function suitOf(c: Card): number {
  const k = row(c);
  return k <= 2 ? -1 : (k - 3) % 4;
}

export function isThree(c: Card): boolean {
  return rankOf(c) === 15;
}

// The picture's file stem, as the card art writes it.
export function stemOf(c: Card): string {
  const k = row(c);
  if (k <= 2) return `joker${k}`;
  return SUIT_LETTERS[suitOf(c)] + RANK_CODES[rankOf(c) - 3];
}

export function cardName(c: Card, lang: "zh" | "en"): string {
  const k = row(c);
  if (k === 1) return lang === "zh" ? "大户" : "Big joker";
  if (k === 2) return lang === "zh" ? "小户" : "Small joker";
  const r = rankOf(c) - 3, s = suitOf(c);
  return lang === "zh" ? SUIT_ZH[s] + RANK_ZH[r] : `${RANK_EN[r]} of ${SUIT_EN[s]}`;
}

// A short name for the record: "♥K", "大户".
export function shortName(c: Card, lang: "zh" | "en"): string {
  const k = row(c);
  if (k <= 2) return k === 1 ? (lang === "zh" ? "大户" : "BJ") : lang === "zh" ? "小户" : "SJ";
  return SUIT_SIGNS[suitOf(c)] + RANK_ZH[rankOf(c) - 3];
}

// The hand's order on the table: strongest at the left, a rank's suits
// together, and the same card of the four decks side by side.
export function byStrength(a: Card, b: Card): number {
  return rankOf(a) - rankOf(b) || suitOf(a) - suitOf(b) || a - b;
}

// A play is laid weakest first.
export function asLaid(cards: Card[]): Card[] {
  return [...cards].sort((a, b) => byStrength(b, a));
}

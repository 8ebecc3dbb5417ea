// The record of the deal: one line for each event a player would note.
import { shortName } from "./cards.js";
import { lang, words } from "./i18n.js";
import { GameEvent, pileCards, pileSize, seatIndex } from "./protocol.js";

export function cardsText(pile: unknown): string {
  const cards = pileCards(pile);
  if (cards.length === 0 && pileSize(pile) > 0) return words().hidden(pileSize(pile));
  return cards.map((c) => shortName(c, lang())).join(" ");
}

// The line for `e`, or null for events that make none. `name` names a seat by its index.
export function recordLine(e: GameEvent, name: (seat: number) => string): string | null {
  const w = words().lines;
  const who = (field: string) => {
    const i = seatIndex(e[field]);
    return i >= 0 ? name(i) : "?";
  };
  switch (e.kind) {
    case "shuffling":
      return w.newDeal;
    case "first_leader":
      return w.firstLeader(who("seat"));
    case "played":
      return (e.challenge === true ? w.challenge : w.played)(who("seat"), cardsText(e.cards));
    case "passed":
      return w.passed(who("seat"));
    case "held_back":
      return w.heldBack(who("seat"));
    case "point_opened":
      return w.pointOpened(who("seat"));
    case "trick_taken":
      return w.trick;
    case "placed":
      return typeof e.place === "number" ? w.placed(who("seat"), e.place) : null;
    case "swept":
      return typeof e.side === "string" ? w.swept(words().sides[e.side] ?? e.side) : null;
    case "deal_over":
      return w.dealOver;
    case "stopped_at_bound":
      return w.stopped;
    case "tribute_filed":
      return e.receiver !== undefined && typeof e.count === "number" && e.count > 0
        ? w.filed(who("payer"), who("receiver"), e.count)
        : null;
    case "tribute_handed":
      if (pileSize(e.cards) === 0) return e.back === true ? null : w.handedNothing(who("giver"));
      return (e.back === true ? w.handedBack : w.handed)(who("giver"), cardsText(e.cards));
    case "tribute_refused":
      return w.refused(who("seat"));
    case "three_bought":
      return w.bought(who("buyer"), who("seller"));
    default:
      return null;
  }
}

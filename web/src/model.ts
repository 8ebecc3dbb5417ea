// The table as this seat may see it, kept from the server's messages alone.
// The server's events say what happened; the model only keeps count. Where
// it could drift (cards handed in a tribute), the server lays the hands out
// again and the model takes that as it stands.
import { byStrength, validCard } from "./cards.js";
import { GameEvent, pileCards, pileSize, seatIndex, SnapshotMsg, TableMsg } from "./protocol.js";

export interface Ask {
  seat: number;
  ask: string;
  version: number;
  secondsLeft: number;
  at: number; // when the ask came (performance.now())
}

export class TableModel {
  me = -1; // this page's seat, -1 while watching
  table: TableMsg | null = null;
  version = 0;
  hand: number[] = [];
  sizes = [0, 0, 0, 0, 0, 0];
  plays: number[][] = [[], [], [], [], [], []];
  hiddenPlays = [0, 0, 0, 0, 0, 0];
  places = [0, 0, 0, 0, 0, 0];
  scores = [0, 0, 0, 0, 0, 0];
  passed = [false, false, false, false, false, false];
  ask: Ask | null = null;
  // The cards last handed in a tribute, and by whom: they reach the
  // receiver when it is asked to give some back.
  handed: { giver: number; cards: number[] } | null = null;
  returnCount = 0;

  snapshot(m: SnapshotMsg): void {
    this.version = m.version;
    this.me = seatIndex(m.seat);
    this.hand = pileCards(m.hand).filter(validCard).sort(byStrength);
    for (let i = 0; i < 6; ++i) {
      this.sizes[i] = Number(m.hand_sizes?.[i] ?? 0);
      this.plays[i] = pileCards(m.plays?.[i]);
      this.hiddenPlays[i] = Array.isArray(m.plays?.[i]) ? 0 : pileSize(m.plays?.[i]);
      this.places[i] = Number(m.places?.[i] ?? 0);
      this.scores[i] = Number(m.scores?.[i] ?? 0);
      this.passed[i] = false;
    }
    this.ask = null;
    this.handed = null;
  }

  private removeFromHand(cards: number[]): void {
    for (const c of cards) {
      const i = this.hand.indexOf(c);
      if (i >= 0) this.hand.splice(i, 1);
    }
  }

  private addToHand(cards: number[]): void {
    for (const c of cards) if (validCard(c) && !this.hand.includes(c)) this.hand.push(c);
    this.hand.sort(byStrength);
  }

  // Carries out one event; the seats whose hands or plays it changed.
  apply(e: GameEvent): void {
    const seat = seatIndex(e.seat);
    switch (e.kind) {
      case "shuffling":
      case "table_reset":
        this.hand = [];
        this.sizes.fill(0);
        for (let i = 0; i < 6; ++i) this.plays[i] = [];
        this.hiddenPlays.fill(0);
        this.passed.fill(false);
        // The places stay marked until the next deal begins.
        if (e.kind === "shuffling") this.places.fill(0);
        this.handed = null;
        break;
      case "dealt":
        if (seat < 0) break;
        this.sizes[seat] += 1;
        if (seat === this.me && validCard(e.card)) this.addToHand([e.card]);
        break;
      case "laid_out":
        if (seat < 0) break;
        this.sizes[seat] = pileSize(e.cards);
        if (seat === this.me && Array.isArray(e.cards)) this.hand = pileCards(e.cards).filter(validCard).sort(byStrength);
        break;
      case "play_begins":
        this.handed = null;
        for (let i = 0; i < 6; ++i) this.plays[i] = [];
        this.hiddenPlays.fill(0);
        break;
      case "played": {
        if (seat < 0) break;
        const cards = pileCards(e.cards);
        this.plays[seat] = cards;
        this.hiddenPlays[seat] = Array.isArray(e.cards) ? 0 : pileSize(e.cards);
        this.sizes[seat] = Math.max(0, this.sizes[seat] - pileSize(e.cards));
        if (seat === this.me) this.removeFromHand(cards);
        this.passed[seat] = false;
        break;
      }
      case "passed":
      case "held_back":
        if (seat >= 0) this.passed[seat] = true;
        break;
      case "play_cleared":
        if (seat >= 0) {
          this.plays[seat] = [];
          this.hiddenPlays[seat] = 0;
        }
        break;
      case "trick_taken":
        this.passed.fill(false);
        break;
      case "placed":
        if (seat >= 0 && typeof e.place === "number") this.places[seat] = e.place;
        break;
      case "scored":
        if (seat >= 0 && typeof e.score === "number") this.scores[seat] = e.score;
        break;
      case "tribute_handed": {
        const giver = seatIndex(e.giver);
        const cards = pileCards(e.cards);
        if (giver < 0) break;
        // Shown face up where the giver plays until the next handing.
        for (let i = 0; i < 6; ++i) this.plays[i] = [];
        this.plays[giver] = cards;
        this.sizes[giver] = Math.max(0, this.sizes[giver] - cards.length);
        if (giver === this.me) this.removeFromHand(cards);
        if (e.back === true) {
          this.handed = null;
        } else {
          this.handed = { giver, cards };
          this.returnCount = cards.length;
        }
        break;
      }
      case "asked":
      case "prompted":
        // A receiver asked for its return holds the tribute by now.
        if (e.ask === "return_tribute" && seat >= 0 && this.handed) {
          this.sizes[seat] += this.handed.cards.length;
          if (seat === this.me) this.addToHand(this.handed.cards);
          this.returnCount = this.handed.cards.length;
          this.handed = null;
        }
        break;
      case "three_bought": {
        const buyer = seatIndex(e.buyer), seller = seatIndex(e.seller);
        const payment = validCard(e.payment) ? [e.payment] : [];
        const three = validCard(e.three) ? [e.three] : [];
        if (buyer === this.me) {
          this.removeFromHand(payment);
          this.addToHand(three);
        }
        if (seller === this.me) {
          this.removeFromHand(three);
          this.addToHand(payment);
        }
        break;
      }
      default:
        break;
    }
  }

  name(i: number, fallback: string[]): string {
    const n = this.table?.seats?.[i]?.name;
    return typeof n === "string" && n !== "" ? n : fallback[i];
  }
}

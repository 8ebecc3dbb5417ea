// The felt: six seats turned so that the page's own seat is at the bottom,
// each with its name, cards left, place, score and countdown, and the cards
// each seat has on the table. Every text is set as text, never as markup.
import { cardName, stemOf } from "./cards.js";
import { lang, words } from "./i18n.js";
import { TableModel } from "./model.js";

export function cardElement(card: number | null, label: string): HTMLElement {
  const el = document.createElement("span");
  el.className = "card";
  const img = document.createElement("img");
  img.alt = "";
  img.draggable = false;
  img.src = card === null ? "cards/bgcard1.svg" : `cards/${stemOf(card)}.svg`;
  el.appendChild(img);
  el.setAttribute("role", "img");
  el.setAttribute("aria-label", label);
  return el;
}

interface SeatBox {
  box: HTMLElement;
  name: HTMLElement;
  info: HTMLElement;
  clock: HTMLElement;
  mute: HTMLButtonElement;
  play: HTMLElement;
  shown: string; // the play's cards as drawn, so that unchanged plays are not redrawn
}

export class Felt {
  private seats: SeatBox[] = [];
  onMute: (seat: number) => void = () => {};

  constructor(root: HTMLElement) {
    // The cards on the felt grow with it: a play of a dozen fits between two seats.
    new ResizeObserver(() => {
      const w = root.clientWidth, h = root.clientHeight;
      root.style.setProperty("--cw", `${Math.round(Math.max(30, Math.min(w / 15, h / 6.5, 96)))}px`);
    }).observe(root);
    for (let i = 0; i < 6; ++i) {
      const box = document.createElement("section");
      box.className = "seat";
      const name = document.createElement("span");
      name.className = "name";
      const info = document.createElement("span");
      info.className = "info";
      const clock = document.createElement("span");
      clock.className = "clock";
      const mute = document.createElement("button");
      mute.type = "button";
      mute.className = "mute";
      mute.addEventListener("click", () => this.onMute(i));
      box.append(name, info, clock, mute);
      const play = document.createElement("div");
      play.className = "play";
      play.setAttribute("role", "group");
      root.append(box, play);
      this.seats.push({ box, name, info, clock, mute, play, shown: "" });
    }
  }

  // Seat i drawn at the place of its turn from the page's own seat.
  render(m: TableModel, names: (i: number) => string, muted: boolean[], clockSeat: number, secondsLeft: number): void {
    const w = words();
    const base = m.me >= 0 ? m.me : 0;
    for (let i = 0; i < 6; ++i) {
      const s = this.seats[i];
      const pos = (i - base + 6) % 6;
      s.box.className = `seat pos-${pos}` + (m.ask && m.ask.seat === i ? " turn" : "");
      s.play.className = `play pos-${pos}`;
      const who = m.table?.seats?.[i]?.who;
      let label = names(i);
      if (i === m.me) label += ` (${w.you})`;
      if (who === "dropped") label += ` · ${w.dropped}`;
      if (m.table?.host === "ABCDEF"[i]) label += ` · ${w.host}`;
      s.name.textContent = label;
      const parts: string[] = [w.cardsLeft(m.sizes[i])];
      if (m.places[i] > 0) parts.push(w.place(m.places[i]));
      parts.push(w.score(m.scores[i]));
      if (m.passed[i]) parts.push(w.pass);
      setSpans(s.info, parts);
      s.clock.textContent = clockSeat === i && secondsLeft > 0 ? w.secondsLeft(secondsLeft) : "";
      const human = who === "human" || who === "dropped";
      s.mute.hidden = i === m.me || !human;
      s.mute.textContent = muted[i] ? w.unmute(names(i)) : w.mute(names(i));
      s.mute.setAttribute("aria-pressed", muted[i] ? "true" : "false");
      this.drawPlay(s, m.plays[i], m.hiddenPlays[i], names(i));
    }
  }

  private drawPlay(s: SeatBox, cards: number[], hidden: number, who: string): void {
    const key = `${lang()}|${cards.join(",")}|${hidden}`;
    if (key === s.shown) return;
    const fresh = s.shown === "" || !s.shown.endsWith(`|${cards.join(",")}|${hidden}`);
    s.shown = key;
    s.play.replaceChildren();
    const l = lang();
    for (const c of cards) s.play.appendChild(cardElement(c, cardName(c, l)));
    for (let k = 0; k < hidden; ++k) s.play.appendChild(cardElement(null, words().hidden(1)));
    const names = cards.map((c) => cardName(c, l)).join(l === "zh" ? "，" : ", ");
    s.play.setAttribute("aria-label", `${who}: ${names}`);
    // A play on the table is reached with Tab and read out whole.
    if (cards.length + hidden > 0) s.play.tabIndex = 0;
    else s.play.removeAttribute("tabindex");
    if (fresh && (cards.length > 0 || hidden > 0)) {
      // Slide the play in from its seat's side of the table.
      const from = s.box.getBoundingClientRect(), to = s.play.getBoundingClientRect();
      const dx = from.left + from.width / 2 - (to.left + to.width / 2);
      const dy = from.top + from.height / 2 - (to.top + to.height / 2);
      s.play.animate(
        [{ transform: `translate(calc(-50% + ${dx * 0.6}px), calc(-50% + ${dy * 0.6}px))`, opacity: 0.3 }, { transform: "translate(-50%, -50%)", opacity: 1 }],
        { duration: matchMedia("(prefers-reduced-motion: reduce)").matches ? 0 : 180, easing: "ease-out" },
      );
    }
  }
}

function setSpans(el: HTMLElement, parts: string[]): void {
  if (el.childElementCount === parts.length) {
    parts.forEach((p, k) => {
      if (el.children[k].textContent !== p) el.children[k].textContent = p;
    });
    return;
  }
  el.replaceChildren(
    ...parts.map((p) => {
      const span = document.createElement("span");
      span.textContent = p;
      return span;
    }),
  );
}

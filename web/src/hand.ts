// The player's hand: a row of cards (two rows when the window is narrow),
// each an option of a list box: a click, a tap or Space picks or drops it,
// the arrow keys move the focus along the row.
import { cardName, stemOf } from "./cards.js";
import { lang, words } from "./i18n.js";

export class HandRow {
  private cards: number[] = [];
  private picked = new Set<number>();
  private focus = 0;
  private els = new Map<number, HTMLElement>();
  onChange: () => void = () => {};

  constructor(private readonly root: HTMLElement) {
    root.addEventListener("keydown", (e) => this.key(e));
    root.addEventListener("focus", () => this.refresh());
    root.addEventListener("blur", () => this.refresh());
    new ResizeObserver(() => this.layout()).observe(root);
  }

  get pickedCards(): number[] {
    return this.cards.filter((c) => this.picked.has(c));
  }

  clearPicks(): void {
    this.picked.clear();
    this.refresh();
    this.onChange();
  }

  set(cards: number[]): void {
    const same = cards.length === this.cards.length && cards.every((c, i) => c === this.cards[i]);
    if (same && this.labelsLang === lang()) return;
    this.cards = [...cards];
    for (const c of [...this.picked]) if (!cards.includes(c)) this.picked.delete(c);
    for (const [c, el] of this.els)
      if (!cards.includes(c)) {
        el.remove();
        this.els.delete(c);
      }
    for (const c of cards) if (!this.els.has(c)) this.els.set(c, this.make(c));
    // Keep the document order the row's order, for screen readers.
    this.root.append(...cards.map((c) => this.els.get(c)!));
    this.focus = Math.min(this.focus, Math.max(0, cards.length - 1));
    this.labelsLang = lang();
    this.root.setAttribute("aria-label", words().hand);
    this.layout();
    this.refresh();
  }
  private labelsLang = "";

  private make(c: number): HTMLElement {
    const el = document.createElement("div");
    el.className = "card";
    el.setAttribute("role", "option");
    el.dataset.card = String(c);
    const img = document.createElement("img");
    img.alt = "";
    img.draggable = false;
    img.src = `cards/${stemOf(c)}.svg`;
    el.appendChild(img);
    el.addEventListener("click", () => {
      this.focus = this.cards.indexOf(c);
      this.toggle(c);
    });
    return el;
  }

  private toggle(c: number): void {
    if (this.picked.has(c)) this.picked.delete(c);
    else this.picked.add(c);
    this.refresh();
    this.onChange();
  }

  private key(e: KeyboardEvent): void {
    if (this.cards.length === 0) return;
    if (e.key === "ArrowLeft" || e.key === "ArrowRight" || e.key === "Home" || e.key === "End") {
      const n = this.cards.length;
      if (e.key === "ArrowLeft") this.focus = Math.max(0, this.focus - 1);
      else if (e.key === "ArrowRight") this.focus = Math.min(n - 1, this.focus + 1);
      else this.focus = e.key === "Home" ? 0 : n - 1;
      this.refresh();
      e.preventDefault();
    } else if (e.key === " " || e.key === "Spacebar") {
      this.toggle(this.cards[this.focus]);
      e.preventDefault();
    }
  }

  private refresh(): void {
    const l = lang();
    this.cards.forEach((c, i) => {
      const el = this.els.get(c)!;
      const on = this.picked.has(c);
      el.setAttribute("aria-selected", on ? "true" : "false");
      el.setAttribute("aria-label", cardName(c, l));
      el.id = `card-${c}`;
      el.classList.toggle("focus", i === this.focus && document.activeElement === this.root);
      this.place(el, i, on);
    });
    const f = this.cards[this.focus];
    if (f !== undefined) this.root.setAttribute("aria-activedescendant", `card-${f}`);
    else this.root.removeAttribute("aria-activedescendant");
  }

  // Where each card lies: overlapping so the whole hand fits the width.
  private rows = 1;
  private step = 0;
  private perRow = 1;
  private cw = 72;

  layout(): void {
    const width = this.root.clientWidth;
    const n = Math.max(1, this.cards.length);
    // Cards as large as fit: about a twelfth of the width, 40..96 pixels.
    const cw = Math.max(40, Math.min(96, Math.floor(width / 12), Math.floor(innerHeight / 9)));
    const fits = (perRow: number) => (width - cw - 8) / Math.max(1, perRow - 1);
    this.rows = fits(n) < cw * 0.3 ? 2 : 1;
    this.perRow = Math.ceil(n / this.rows);
    this.step = Math.min(cw * 0.62, fits(this.perRow));
    this.cw = cw;
    this.root.style.setProperty("--hw", `${cw}px`);
    this.root.style.setProperty("--hand-rows", String(this.rows === 2 ? 1.45 : 1));
    this.refresh();
  }

  private place(el: HTMLElement, i: number, raised: boolean): void {
    const row = Math.floor(i / this.perRow), col = i % this.perRow;
    const used = (this.perRow - 1) * this.step + this.cw;
    const left = Math.max(4, (this.root.clientWidth - used) / 2) + col * this.step;
    const top = row * this.cw * 0.62 - (raised ? this.cw * 0.22 : 0);
    el.style.transform = `translate(${left}px, ${top}px)`;
    el.style.zIndex = String(i + 1);
  }
}

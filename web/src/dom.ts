// The page's fixed parts: the lobby's forms, the room, the buttons, the
// record, scores and chat. Their words are set in the chosen language; what
// players typed is only ever set as text.
import { words } from "./i18n.js";
import { Rules, SEATS, TableMsg } from "./protocol.js";

export function byId<T extends HTMLElement = HTMLElement>(id: string): T {
  const el = document.getElementById(id);
  if (!el) throw new Error(`the page has no #${id}`);
  return el as T;
}

const CODE = /^[23456789ABCDEFGHJKMNPQRSTVWXYZ]{10}$/;
// A name as the table takes it: 1..16 characters, no control characters.
export function cleanName(s: string): string | null {
  const t = s.trim();
  const n = [...t].length;
  return n >= 1 && n <= 16 && !/[\u0000-\u001f\u007f-\u009f]/.test(t) ? t : null;
}

// What each button sends, and for which asks it is offered.
const BUTTONS: [id: string, action: string, asks: string[]][] = [
  ["b-shuffle", "shuffle", ["shuffle"]],
  ["b-play", "play", ["lead", "follow", "follow_or_hold"]],
  ["b-pass", "pass", ["follow"]],
  ["b-hold", "hold", ["follow_or_hold"]],
  ["b-return", "return", ["return_tribute"]],
  ["b-take", "take", ["take_partner_tribute"]],
  ["b-letgo", "letgo", ["take_partner_tribute"]],
  ["b-clear", "clear", ["lead", "follow", "follow_or_hold", "return_tribute"]],
];

export class Dom {
  readonly game = byId("game");
  readonly status = byId("status");
  readonly record = byId("record");
  readonly chatLog = byId("chat-log");
  readonly code = byId("table-code");
  readonly lobbyMessage = byId("lobby-message");
  onAction: (what: string) => void = () => {};
  onJoin: (code: string, name: string) => void = () => {};
  onCreate: (name: string, rules: Rules, level: string, seconds: number) => void = () => {};
  onStart: () => void = () => {};
  onLeave: () => void = () => {};
  onChat: (text: string) => void = () => {};
  onLanguage: () => void = () => {};

  constructor() {
    for (const [id, action] of BUTTONS) byId(id).addEventListener("click", () => this.onAction(action));
    byId("join-form").addEventListener("submit", (e) => {
      e.preventDefault();
      const code = byId<HTMLInputElement>("join-code").value.trim().toUpperCase();
      const name = cleanName(byId<HTMLInputElement>("join-name").value);
      if (!CODE.test(code) || name === null) this.lobbyMessage.textContent = words().badInput;
      else this.onJoin(code, name);
    });
    byId("create-form").addEventListener("submit", (e) => {
      e.preventDefault();
      const name = cleanName(byId<HTMLInputElement>("create-name").value);
      const seconds = Number(byId<HTMLInputElement>("seconds").value);
      if (name === null || !Number.isInteger(seconds) || seconds < 0 || seconds > 600) {
        this.lobbyMessage.textContent = words().badInput;
        return;
      }
      const on = (id: string) => byId<HTMLInputElement>(id).checked;
      const rules = { threes: on("rule-threes"), smother: on("rule-smother"), points: on("rule-points"), tributes: on("rule-tributes") };
      this.onCreate(name, rules, byId<HTMLSelectElement>("level").value, seconds);
    });
    byId("start").addEventListener("click", () => this.onStart());
    byId("leave").addEventListener("click", () => this.onLeave());
    byId("lang").addEventListener("click", () => this.onLanguage());
    byId("chat-form").addEventListener("submit", (e) => {
      e.preventDefault();
      const input = byId<HTMLInputElement>("chat-input");
      const text = input.value.trim();
      if (text.length > 0 && [...text].length <= 120) this.onChat(text);
      input.value = "";
    });
  }

  // Every fixed text in the chosen language.
  words(): void {
    const w = words();
    const set = (id: string, text: string) => {
      byId(id).textContent = text;
    };
    document.title = w.title;
    set("title", w.title);
    set("join-title", w.join);
    set("join-code-label", w.code);
    set("join-name-label", w.name);
    set("join-button", w.joinButton);
    set("create-title", w.create);
    set("create-name-label", w.name);
    set("rules-legend", w.rules);
    set("rule-threes-label", w.threes);
    set("rule-tributes-label", w.tributes);
    set("rule-smother-label", w.smother);
    set("rule-points-label", w.points);
    set("level-label", w.level);
    set("level-classic", w.classic);
    set("level-strong", w.strong);
    set("seconds-label", w.seconds);
    set("create-button", w.createButton);
    set("lang", w.language);
    byId("lang").setAttribute("aria-label", w.languageName);
    set("leave", w.leave);
    set("start", w.start);
    set("share-label", w.link);
    set("scores-title", w.scores);
    set("record-title", w.record);
    set("chat-title", w.chat);
    set("chat-send", w.send);
    byId<HTMLInputElement>("chat-input").placeholder = w.chatPlaceholder;
    byId("chat-input").setAttribute("aria-label", w.chat);
    const labels: Record<string, string> = {
      "b-shuffle": w.shuffle, "b-play": w.play, "b-pass": w.pass, "b-hold": w.hold,
      "b-return": w.giveBack, "b-take": w.take, "b-letgo": w.letGo, "b-clear": w.clear,
    };
    for (const [id] of BUTTONS) {
      const b = byId(id);
      b.textContent = labels[id];
      const key = b.dataset.key;
      if (key) {
        const k = document.createElement("kbd");
        k.textContent = key;
        b.appendChild(k);
        b.setAttribute("aria-keyshortcuts", key === "Esc" ? "Escape" : key);
      }
    }
  }

  prefill(code: string, name: string): void {
    byId<HTMLInputElement>("join-code").value = code.toUpperCase();
    byId<HTMLInputElement>("join-name").value = name;
    byId<HTMLInputElement>("create-name").value = name;
  }

  show(which: "lobby" | "room" | "game"): void {
    byId("lobby").hidden = which !== "lobby";
    byId("room").hidden = which !== "room";
    this.game.hidden = which !== "game";
    byId("side").hidden = which !== "game";
    byId("leave").hidden = which === "lobby";
  }

  // The buttons a seat asked `ask` may use; none while not asked.
  setButtons(ask: string | null, picked: boolean): void {
    for (const [id, action, asks] of BUTTONS) {
      const b = byId<HTMLButtonElement>(id);
      const offered = ask !== null && asks.includes(ask);
      b.hidden = !offered && (action === "take" || action === "letgo" || action === "return" || action === "shuffle");
      b.disabled = !offered || ((action === "play" || action === "return" || action === "clear") && !picked);
    }
  }

  room(t: TableMsg, me: number, host: boolean, sit: (seat: number) => void): void {
    const w = words();
    byId("room-title").textContent = typeof t.code === "string" ? w.tableCode(t.code) : "";
    byId("share-link").textContent = `${location.origin}/?code=${encodeURIComponent(t.code ?? "")}`;
    const list = byId("seat-list");
    list.replaceChildren();
    (Array.isArray(t.seats) ? t.seats : []).slice(0, 6).forEach((s, i) => {
      const li = document.createElement("li");
      const letter = document.createElement("span");
      letter.className = "letter";
      letter.textContent = SEATS[i];
      const who = document.createElement("span");
      who.className = "who";
      const open = s?.who === "open";
      who.textContent = open ? w.open : `${s?.name ?? ""}${i === me ? ` (${w.you})` : ""}${t.host === SEATS[i] ? ` · ${w.host}` : ""}`;
      li.append(letter, who);
      if (open && !t.started) {
        const b = document.createElement("button");
        b.type = "button";
        b.textContent = w.sitHere;
        b.setAttribute("aria-label", `${w.sitHere} ${SEATS[i]}`);
        b.addEventListener("click", () => sit(i));
        li.appendChild(b);
      }
      list.appendChild(li);
    });
    byId("start").hidden = !host || t.started === true;
    byId("room-wait").textContent = host ? "" : w.waitingStart;
  }

  private shownScores = "";
  scores(rows: [string, number][]): void {
    // Drawn again only when a name or a score changed, not at every event.
    const key = JSON.stringify(rows);
    if (key === this.shownScores) return;
    this.shownScores = key;
    const body = byId("scores").querySelector("tbody")!;
    body.replaceChildren(
      ...rows.map(([name, score]) => {
        const tr = document.createElement("tr");
        const a = document.createElement("td");
        a.textContent = name;
        const b = document.createElement("td");
        b.textContent = String(score);
        tr.append(a, b);
        return tr;
      }),
    );
  }
}

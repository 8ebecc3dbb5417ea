// The page: a lobby to join or open a table, the room to pick a seat, and
// the table itself. The server decides everything; the page shows what its
// seat may see and sends its decisions and chat lines, nothing else.
import { asLaid } from "./cards.js";
import { Felt } from "./felt.js";
import { HandRow } from "./hand.js";
import { lang, setLang, words } from "./i18n.js";
import { TableModel } from "./model.js";
import { AskMsg, GameEvent, Link, Move, SEATS, seatIndex, serverUrl, ServerMsg, TableMsg } from "./protocol.js";
import { recordLine } from "./record.js";
import { Pacer } from "./pacer.js";
import { byId, Dom } from "./dom.js";
import { Seating } from "./seating.js";

const dom = new Dom();
const model = new TableModel();
const felt = new Felt(byId("felt"));
const hand = new HandRow(byId("hand"));
const link = new Link(serverUrl());
const seating = new Seating();
const muted = [false, false, false, false, false, false];
const pacer = new Pacer(new URLSearchParams(location.search).get("pace") === "0" ? 0 : 1);

let sent = false; // a decision is on its way for the current ask
let retries = 0;
let retryTimer = 0;
let dropped = false; // the connection was lost and is being opened again
let clockTimer = 0;
let recordEvents: GameEvent[] = []; // this deal's, kept to write them again in the other language

function names(i: number): string {
  return model.name(i, words().seatNames);
}

// ---- what the server says -------------------------------------------------

link.onOpen = () => {
  retries = 0;
};

link.onMessage = (m: ServerMsg) => {
  switch (m.type) {
    case "welcome":
      seating.welcomed(link);
      break;
    case "table":
      pacer.push(() => tableChanged(m));
      break;
    case "seated":
      seating.seated(m.token);
      model.me = seatIndex(m.seat);
      if (dropped) addChat(null, words().reconnected);
      dropped = false;
      break;
    case "snapshot":
      // The snapshot is the table as it stands: whatever is still being
      // shown is done with at once (the table that came before it included).
      pacer.flush();
      model.snapshot(m);
      recordEvents = [];
      dom.record.replaceChildren();
      for (const e of Array.isArray(m.record) ? m.record : []) addRecord(e);
      if (model.table?.started === true) showGame();
      draw();
      break;
    case "events":
      for (const e of Array.isArray(m.events) ? m.events : []) pacer.push(() => event(e), Pacer.delayAfter(e, model.me));
      pacer.push(() => {
        model.version = m.version;
      });
      break;
    case "ask": {
      const at = performance.now(); // the server's clock runs from now, whatever is still being shown
      pacer.push(() => asked(m, at));
      break;
    }
    case "chat":
      addChat(typeof m.name === "string" ? m.name : "?", typeof m.text === "string" ? m.text : "", seatIndex(m.seat));
      break;
    case "error":
      refused(m.code, m.message);
      break;
  }
};

link.onClose = (code: number) => {
  dom.setButtons(null, false);
  if (!seating.canRejoin || code === 1008) {
    if (!seating.left) showLobby(words().gaveUp);
    return;
  }
  // Come back to the seat with its token: ten tries over about a minute and a half.
  if (retries === 0) addChat(null, words().reconnecting);
  dropped = true;
  if (++retries > 10) {
    seating.forget();
    showLobby(words().gaveUp);
    return;
  }
  clearTimeout(retryTimer);
  retryTimer = window.setTimeout(() => link.connect(), Math.min(15000, 500 * 2 ** Math.min(retries, 5)));
};

function tableChanged(t: TableMsg): void {
  model.table = t;
  dom.code.textContent = typeof t.code === "string" ? words().tableCode(t.code) : "";
  seating.table(t, link);
  if (t.started === true && model.me >= 0) showGame();
  else if (!t.started) showRoom();
  draw();
}

let dealsOver = 0;
function event(e: GameEvent): void {
  model.apply(e);
  if (e.kind === "deal_over") dom.game.dataset.dealsOver = String(++dealsOver);
  addRecord(e);
  draw();
}

function asked(m: AskMsg, at: number): void {
  const seat = seatIndex(m.seat);
  model.ask = seat < 0 ? null : { seat, ask: m.ask, version: m.version, secondsLeft: m.seconds_left, at };
  model.version = m.version;
  sent = false;
  if (seat >= 0) showGame();
  draw();
}

function refused(code: string, message: string): void {
  const known = words().errors[code];
  if (code === "stale_version") return; // the table moved on; the next ask comes
  if (seating.failed(code)) {
    showLobby(code === "refused" && typeof message === "string" ? message : known ?? words().badInput);
    return;
  }
  if (code === "refused") {
    sent = false;
    dom.status.textContent = typeof message === "string" ? message : words().errors.not_now;
    draw(false);
    return;
  }
  if (code === "not_now") sent = false;
  dom.status.textContent = known ?? words().badInput;
}

// ---- drawing -----------------------------------------------------------------

function secondsLeft(): number {
  const a = model.ask;
  if (!a || a.secondsLeft <= 0) return 0;
  return Math.max(0, Math.ceil(a.secondsLeft - (performance.now() - a.at) / 1000));
}

function draw(status = true): void {
  const a = model.ask;
  felt.render(model, names, muted, a ? a.seat : -1, secondsLeft());
  hand.set(model.hand);
  const mine = !!a && a.seat === model.me && !sent;
  // What this seat is asked, on the page for style sheets and tests alike.
  dom.game.dataset.ask = mine ? a!.ask : "";
  dom.game.dataset.version = String(model.version);
  dom.game.dataset.seat = model.me >= 0 ? SEATS[model.me] : "";
  dom.game.dataset.returnCount = String(model.returnCount);
  dom.setButtons(mine ? a!.ask : null, hand.pickedCards.length > 0);
  if (status) {
    const w = words();
    if (mine) {
      const t = w.yourTurn[a!.ask];
      dom.status.textContent = typeof t === "function" ? t(model.returnCount) : t ?? "";
    } else if (a && a.seat >= 0 && a.ask !== "nothing") {
      dom.status.textContent = w.turnOf(names(a.seat));
    } else {
      dom.status.textContent = "";
    }
  }
  dom.scores(model.scores.map((s, i) => [names(i), s]));
  clearInterval(clockTimer);
  if (a && a.secondsLeft > 0) clockTimer = window.setInterval(() => felt.render(model, names, muted, a.seat, secondsLeft()), 1000);
}

function addRecord(e: GameEvent, again = false): void {
  if (e.kind === "shuffling" && !again) {
    recordEvents = [];
    dom.record.replaceChildren();
  }
  if (!again) recordEvents.push(e);
  const line = recordLine(e, names);
  if (line === null) return;
  const li = document.createElement("li");
  li.textContent = line;
  dom.record.appendChild(li);
  li.scrollIntoView({ block: "nearest" });
}

function addChat(name: string | null, text: string, seat = -1): void {
  if (seat >= 0 && muted[seat]) return;
  const li = document.createElement("li");
  if (name !== null) {
    const who = document.createElement("strong");
    who.textContent = `${name}: `;
    li.appendChild(who);
  }
  li.append(document.createTextNode(text));
  dom.chatLog.appendChild(li);
  while (dom.chatLog.childElementCount > 200) dom.chatLog.firstElementChild!.remove();
  li.scrollIntoView({ block: "nearest" });
}

function showLobby(message = ""): void {
  pacer.clear();
  model.me = -1;
  model.table = null;
  document.body.classList.remove("playing");
  dom.show("lobby");
  dom.lobbyMessage.textContent = message;
  dom.code.textContent = "";
}

function showRoom(): void {
  if (!model.table) return;
  document.body.classList.remove("playing");
  dom.show("room");
  dom.room(model.table, model.me, seating.isHost(model.table, model.me), (s) => seating.sit(s, link));
}

function showGame(): void {
  if (!dom.game.hidden) return;
  document.body.classList.add("playing");
  dom.show("game");
  hand.layout();
  // When the table was first drawn, from the page's opening: its speed, measured.
  requestAnimationFrame(() => {
    if (performance.getEntriesByName("tav-table").length === 0) performance.mark("tav-table");
  });
}

// ---- the player's decisions -----------------------------------------------------

function decide(move: Move, cards: number[] = []): void {
  const a = model.ask;
  if (!a || a.seat !== model.me || sent) return;
  sent = true;
  link.send({ type: "decide", decision: { move, cards }, version: a.version });
  draw(false);
}

function act(what: string): void {
  const picked = hand.pickedCards;
  switch (what) {
    case "shuffle":
      return decide("shuffle");
    case "play":
      if (picked.length > 0) decide("play", asLaid(picked));
      return;
    case "pass":
      return decide("pass");
    case "hold":
      return decide("hold_back");
    case "return":
      if (picked.length > 0) decide("return_tribute", picked);
      return;
    case "take":
      return decide("take_tribute");
    case "letgo":
      return decide("let_tribute_go");
    case "clear":
      return hand.clearPicks();
  }
}

hand.onChange = () => draw(false);
felt.onMute = (seat) => {
  muted[seat] = !muted[seat];
  link.send({ type: "mute", seat: SEATS[seat], muted: muted[seat] });
  draw(false);
};
dom.onAction = act;

// The desktop's keys: Enter plays, Esc drops the picked cards, S P H R
// shuffle, pass, hold back and return; the arrows and Space in the hand.
document.addEventListener("keydown", (e) => {
  if (dom.game.hidden || e.ctrlKey || e.altKey || e.metaKey) return;
  const t = e.target as HTMLElement;
  if (t && (t.tagName === "INPUT" || t.tagName === "SELECT" || t.tagName === "TEXTAREA")) return;
  if (t && t.tagName === "BUTTON" && (e.key === "Enter" || e.key === " ")) return;
  const keys: Record<string, string> = { Enter: "play", Escape: "clear", s: "shuffle", p: "pass", h: "hold", r: "return" };
  const what = keys[e.key.length === 1 ? e.key.toLowerCase() : e.key];
  if (what) {
    act(what);
    e.preventDefault();
  }
});

dom.onJoin = (code, name) => {
  seating.join(code, name);
  connect();
};
dom.onCreate = (name, rules, level, seconds) => {
  seating.create(name, rules, level, seconds);
  connect();
};
dom.onStart = () => link.send({ type: "start" });
dom.onLeave = () => {
  seating.leave(link);
  showLobby();
};
dom.onChat = (text) => link.send({ type: "chat", text });
dom.onLanguage = () => {
  setLang(lang() === "zh" ? "en" : "zh");
  dom.words();
  dom.record.replaceChildren();
  for (const e of recordEvents) addRecord(e, true);
  if (model.table) tableChanged(model.table);
  draw();
};

function connect(): void {
  retries = 0;
  dropped = false;
  dom.lobbyMessage.textContent = words().connecting;
  link.connect();
}

setLang(lang());
dom.words();
const params = new URLSearchParams(location.search);
dom.prefill(params.get("code") ?? "", seating.rememberedName());
// A reload, or a page opened again in the same tab, comes back to its seat.
if (seating.resume(params.get("code"))) connect();
else showLobby();

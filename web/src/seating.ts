// Which table and seat this page has, kept in the tab's storage so that a
// reload (or a dropped connection) comes back to the same seat with its token.
// The name is remembered for the next table.
import { Link, Rules, SEATS, TableMsg } from "./protocol.js";

interface Kept {
  code: string;
  token: string;
  host: boolean;
}

type Pending =
  | { kind: "join"; code: string; name: string }
  | { kind: "create"; name: string; rules: Rules; level: string; seconds: number }
  | { kind: "rejoin" }
  | null;

const KEY = "tav.seat";

export class Seating {
  private code: string | null = null;
  private token: string | null = null;
  private name = "";
  private created = false;
  private autoSit = false;
  private pending: Pending = null;
  left = false;
  private rejoining = false; // a rejoin is on its way, not yet answered

  join(code: string, name: string): void {
    this.reset();
    this.name = name;
    this.pending = { kind: "join", code, name };
    this.autoSit = true;
    remember(name);
  }

  create(name: string, rules: Rules, level: string, seconds: number): void {
    this.reset();
    this.name = name;
    this.created = true;
    this.pending = { kind: "create", name, rules, level, seconds };
    this.autoSit = true;
    remember(name);
  }

  private reset(): void {
    this.code = this.token = null;
    this.created = this.left = false;
    this.autoSit = false;
  }

  // The first message after hello: the same again after a drop.
  welcomed(link: Link): void {
    this.rejoining = false;
    if (this.token && this.code) {
      link.send({ type: "rejoin", code: this.code, token: this.token });
      this.rejoining = true;
    } else if (this.code) {
      link.send({ type: "join", code: this.code, name: this.name });
    } else if (this.pending?.kind === "join") {
      link.send({ type: "join", code: this.pending.code.toUpperCase(), name: this.pending.name });
    } else if (this.pending?.kind === "create") {
      const p = this.pending;
      link.send({ type: "create", name: p.name, rules: p.rules, level: p.level, seconds: p.seconds });
    }
  }

  // A page that joined sits at the first open seat; it may move before the start.
  table(t: TableMsg, link: Link): void {
    if (typeof t.code === "string") this.code = t.code;
    if (this.autoSit && !this.token && Array.isArray(t.seats)) {
      const free = t.seats.findIndex((s) => s && s.who === "open");
      if (free >= 0) {
        this.autoSit = false;
        link.send({ type: "sit", seat: SEATS[free] });
      }
    }
    this.keep();
  }

  seated(token: string): void {
    this.rejoining = false;
    this.token = typeof token === "string" ? token : null;
    this.pending = null;
    this.keep();
  }

  sit(seat: number, link: Link): void {
    link.send({ type: "sit", seat: SEATS[seat] });
  }

  leave(link: Link): void {
    link.send({ type: "leave" });
    this.left = true;
    this.forget();
    link.close();
  }

  // Errors after which this page has no table: back to the lobby. A
  // rejoin the table refuses (too many within a minute) is one of them.
  failed(code: string): boolean {
    if (code === "refused" && this.rejoining) {
      this.rejoining = false;
      this.forget();
      return true;
    }
    if (code === "seat_taken") {
      this.autoSit = !this.token;
      return false;
    }
    if (code === "unknown_table" || code === "bad_token" || code === "protocol_version") {
      this.forget();
      return true;
    }
    return false;
  }

  get canRejoin(): boolean {
    return !this.left && this.code !== null;
  }

  isHost(t: TableMsg, me: number): boolean {
    return me >= 0 ? t.host === SEATS[me] || (this.created && t.host === undefined) : this.created;
  }

  forget(): void {
    this.code = this.token = null;
    try {
      sessionStorage.removeItem(KEY);
    } catch {
      // nothing was kept
    }
  }

  // Whether a seat kept in this tab is to be taken back (for `code`, if given).
  resume(code: string | null): boolean {
    try {
      const k = JSON.parse(sessionStorage.getItem(KEY) ?? "null") as Kept | null;
      if (!k || typeof k.code !== "string" || typeof k.token !== "string") return false;
      if (code && code.toUpperCase() !== k.code) return false;
      this.code = k.code;
      this.token = k.token;
      this.created = k.host === true;
      this.pending = { kind: "rejoin" };
      return true;
    } catch {
      return false;
    }
  }

  rememberedName(): string {
    try {
      return localStorage.getItem("tav.name") ?? "";
    } catch {
      return "";
    }
  }

  private keep(): void {
    if (!this.code || !this.token) return;
    try {
      sessionStorage.setItem(KEY, JSON.stringify({ code: this.code, token: this.token, host: this.created }));
    } catch {
      // not kept: a reload then joins afresh
    }
  }
}

function remember(name: string): void {
  try {
    localStorage.setItem("tav.name", name);
  } catch {
    // not remembered
  }
}

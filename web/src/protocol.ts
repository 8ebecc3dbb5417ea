// The table's protocol as the page speaks it: one JSON object a text frame.
// The page sends nothing but these messages; whatever the server sends is
// read defensively (a field of the wrong type is taken as absent).

export const PROTOCOL = 1;
export const SEATS = ["A", "B", "C", "D", "E", "F"] as const;
export type SeatName = (typeof SEATS)[number];

export type Pile = number[] | { hidden: number };

export interface SeatInfo {
  name: string;
  who: "open" | "human" | "computer" | "dropped";
}

export interface Rules {
  threes: boolean;
  smother: boolean;
  points: boolean;
  tributes: boolean;
}

export interface TableMsg {
  type: "table";
  code: string;
  seats: SeatInfo[];
  host?: SeatName;
  started: boolean;
  rules: Rules;
  level: string;
  seconds: number;
}

export interface AskMsg {
  type: "ask";
  seat: SeatName;
  ask: string;
  version: number;
  seconds_left: number;
}

export interface SnapshotMsg {
  type: "snapshot";
  seat?: SeatName;
  version: number;
  hand: Pile;
  hand_sizes: number[];
  plays: Pile[];
  places: number[];
  scores: number[];
  record: GameEvent[];
}

// An event as sent; the fields each kind has are in the protocol's document.
export interface GameEvent {
  kind: string;
  [field: string]: unknown;
}

export type ServerMsg =
  | { type: "welcome"; protocol: number }
  | TableMsg
  | { type: "seated"; seat: SeatName; token: string }
  | { type: "events"; version: number; events: GameEvent[] }
  | AskMsg
  | SnapshotMsg
  | { type: "chat"; seat?: SeatName; name: string; text: string }
  | { type: "error"; code: string; field?: string; message: string };

export type Move = "shuffle" | "play" | "pass" | "hold_back" | "return_tribute" | "take_tribute" | "let_tribute_go";

export function seatIndex(s: unknown): number {
  return typeof s === "string" ? SEATS.indexOf(s as SeatName) : -1;
}

export function pileCards(p: unknown): number[] {
  return Array.isArray(p) ? p.filter((c) => typeof c === "number") : [];
}

export function pileSize(p: unknown): number {
  if (Array.isArray(p)) return p.length;
  if (p && typeof p === "object" && typeof (p as { hidden?: unknown }).hidden === "number")
    return (p as { hidden: number }).hidden;
  return 0;
}

// One connection to the table's server, at the page's own address.
export class Link {
  private ws: WebSocket | null = null;
  onMessage: (m: ServerMsg) => void = () => {};
  onOpen: () => void = () => {};
  onClose: (code: number) => void = () => {};

  constructor(private readonly url: string) {}

  connect(): void {
    this.close();
    const ws = new WebSocket(this.url);
    this.ws = ws;
    ws.onopen = () => {
      this.send({ type: "hello", protocol: PROTOCOL });
      this.onOpen();
    };
    ws.onmessage = (e) => {
      if (typeof e.data !== "string") return;
      let m: unknown;
      try {
        m = JSON.parse(e.data);
      } catch {
        return;
      }
      if (m && typeof m === "object" && typeof (m as { type?: unknown }).type === "string")
        this.onMessage(m as ServerMsg);
    };
    ws.onclose = (e) => {
      if (this.ws !== ws) return;
      this.ws = null;
      this.onClose(e.code);
    };
  }

  send(m: object): void {
    if (this.ws && this.ws.readyState === WebSocket.OPEN) this.ws.send(JSON.stringify(m));
  }

  close(): void {
    const ws = this.ws;
    this.ws = null;
    if (ws) ws.close(1000);
  }

  get open(): boolean {
    return this.ws !== null && this.ws.readyState === WebSocket.OPEN;
  }
}

export function serverUrl(): string {
  return (location.protocol === "https:" ? "wss://" : "ws://") + location.host + "/";
}

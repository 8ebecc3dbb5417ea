// What the server sends is shown at a player's pace: a play stays a moment
// before the next, a trick's last plays before they leave the table. When
// much is waiting (a page that was in the background), it catches up fast.
import { GameEvent, seatIndex } from "./protocol.js";

interface Step {
  run: () => void;
  ms: number;
}

export class Pacer {
  private queue: Step[] = [];
  private timer = 0;
  private busy = false;

  // `speed`: 1 at a player's pace, 0 at once (the tests).
  constructor(private readonly speed: number) {}

  static delayAfter(e: GameEvent, me: number): number {
    switch (e.kind) {
      case "played":
        return seatIndex(e.seat) === me ? 120 : 450;
      case "passed":
      case "held_back":
        return 250;
      case "trick_taken":
        return 700;
      case "tribute_handed":
      case "three_bought":
        return 700;
      case "deal_over":
        return 1200;
      default:
        return 0;
    }
  }

  push(run: () => void, ms = 0): void {
    this.queue.push({ run, ms });
    if (!this.busy) this.next();
  }

  clear(): void {
    this.queue = [];
    clearTimeout(this.timer);
    this.busy = false;
  }

  // Runs everything waiting now, with no pauses.
  flush(): void {
    clearTimeout(this.timer);
    const steps = this.queue;
    this.queue = [];
    this.busy = false;
    for (const step of steps) step.run();
  }

  private next(): void {
    this.busy = true;
    while (this.queue.length > 0) {
      const step = this.queue.shift()!;
      try {
        step.run();
      } catch (err) {
        console.error(err);
      }
      const hurry = this.queue.length > 60 || document.hidden ? 0 : this.queue.length > 20 ? 0.3 : 1;
      const ms = step.ms * this.speed * hurry;
      if (ms > 0 && this.queue.length > 0) {
        this.timer = window.setTimeout(() => this.next(), ms);
        return;
      }
    }
    this.busy = false;
  }
}

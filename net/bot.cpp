#include "net/bot.h"

#include "rules/gate.h"

namespace tav::net {

std::optional<Decide> bot_decision(const SeatMirror& mirror, std::mt19937_64& rng) {
    const std::optional<game::Seat> seat = mirror.seat();
    const std::optional<AskSeat>& asked = mirror.asked();
    if (!seat || !asked || asked->seat != *seat || asked->version != mirror.version()) return std::nullopt;
    if (asked->ask == game::Ask::shuffle) return Decide{{game::Move::shuffle, {}}, asked->version};
    // The mirror's game must ask the same seat: else a pick from it could be
    // for another moment of the game.
    if (game::current_seat(mirror.known()) != seat) return std::nullopt;
    const std::vector<game::Decision> legal = game::legal_decisions(mirror.known());
    if (legal.empty()) return std::nullopt;
    game::Decision d = legal[std::uniform_int_distribution<std::size_t>(0, legal.size() - 1)(rng)];
    d.by_computer = false;  // a remote player is a human
    return Decide{std::move(d), asked->version};
}

}  // namespace tav::net

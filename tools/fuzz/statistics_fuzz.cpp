// libFuzzer target: the statistics file. Any text is either refused with a
// reason (no deal kept) or gives deals with places 1..6 once each, whose
// summaries add up and whose file reads back the same; a last line cut short
// is left out, and the text without it reads the same deals, whole.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "store/stats.h"

namespace {

void require(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tav::StatisticsRead read = tav::read_statistics(text);
    if (!read.ok()) {
        require(read.stats.deals().empty());
        return 0;
    }
    const tav::Statistics& s = read.stats;
    require(read.whole <= size);
    if (read.cut_short(size)) {
        const tav::StatisticsRead whole = tav::read_statistics(text.substr(0, read.whole));
        require(whole.ok() && !whole.cut_short(read.whole) && whole.stats.deals() == s.deals());
    }
    for (int seat = 0; seat < tav::kStatSeats; ++seat) {
        const tav::SeatSummary sum = s.seat(seat);
        int counted = 0;
        for (int place = 1; place <= 6; ++place) counted += sum.places[static_cast<std::size_t>(place)];
        require(counted == sum.deals && sum.deals == static_cast<int>(s.deals().size()));
        require(sum.deals == 0 || (sum.average_place >= 1 && sum.average_place <= 6));
        require(static_cast<int>(s.game_scores(seat, 1'000'000).size()) == s.games());
    }
    const std::string again = tav::write_statistics(s);
    const tav::StatisticsRead back = tav::read_statistics(again);
    require(back.ok() && back.stats.deals() == s.deals() && tav::write_statistics(back.stats) == again);
    return 0;
}

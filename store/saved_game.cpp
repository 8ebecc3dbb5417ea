#include "store/saved_game.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

#include "model/note_code.h"
#include "store/deal_numbers.h"
#include "store/serialise.h"

namespace tav {
namespace {

constexpr std::string_view kHeader = "tav saved game ";
// Past the table's far corner (3602 by 2272 table units).
constexpr long kTableReach = 5000;
template <class Number>
constexpr Number kAny = std::numeric_limits<Number>::max();

// A note line on one line of the file: backslashes and line ends escaped.
std::string escaped(std::string_view line) {
    std::string out;
    out.reserve(line.size());
    for (char c : line) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

bool unescape(std::string_view line, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '\\') {
            out += line[i];
            continue;
        }
        if (++i == line.size()) return false;
        if (line[i] == '\\')
            out += '\\';
        else if (line[i] == 'n')
            out += '\n';
        else
            return false;
    }
    return true;
}

// A line cut to the reader's limit, at the start of a UTF-8 character.
std::string_view within_limit(std::string_view line) {
    if (line.size() <= kSavedLineBytes) return line;
    std::size_t cut = kSavedLineBytes;
    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    return line.substr(0, cut);
}

// Takes the next line off `rest`; false when no whole line is left.
bool take_line(std::string_view& rest, std::string_view& line) {
    const std::size_t nl = rest.find('\n');
    if (nl == std::string_view::npos) return false;
    line = rest.substr(0, nl);
    rest.remove_prefix(nl + 1);
    return true;
}

template <class Number>
bool whole_number(std::string_view w, Number lo, Number hi, Number& v) {
    const auto [p, ec] = std::from_chars(w.data(), w.data() + w.size(), v);
    return !w.empty() && ec == std::errc() && p == w.data() + w.size() && v >= lo && v <= hi;
}

std::string_view next_word(std::string_view& line) {
    const std::size_t sp = line.find(' ');
    const std::string_view w = line.substr(0, sp);
    line.remove_prefix(sp == std::string_view::npos ? line.size() : sp + 1);
    return w;
}

// A spot for each card of a hand, once, within the table.
bool read_spots(std::string_view line, const game::State& s, std::vector<CardSpot>& spots) {
    if (next_word(line) != "spots") return false;
    int in_hands = 0;
    std::array<bool, game::kCards + 1> held{}, spotted{};
    for (game::Seat seat : game::kAllSeats)
        for (game::Card c : s.hands[seat]) {
            held[c] = true;
            ++in_hands;
        }
    long n = 0;
    if (!whole_number<long>(next_word(line), in_hands, in_hands, n)) return false;
    for (long i = 0; i < n; ++i) {
        long card = 0, x = 0, y = 0, up = 0, row = 0;
        if (!whole_number<long>(next_word(line), 1, game::kCards, card) || !held[static_cast<std::size_t>(card)] ||
            spotted[static_cast<std::size_t>(card)] || !whole_number<long>(next_word(line), 0, kTableReach, x) ||
            !whole_number<long>(next_word(line), 0, kTableReach, y) || !whole_number<long>(next_word(line), 0, 1, up) ||
            !whole_number<long>(next_word(line), 0, 1, row))
            return false;
        spotted[static_cast<std::size_t>(card)] = true;
        spots.push_back({static_cast<game::Card>(card), static_cast<int>(x), static_cast<int>(y), up == 1, row == 1});
    }
    return line.empty();
}

// "numbers D N": the deal last dealt (0 for none) and the next, each a
// deal's number.
bool read_numbers(std::string_view line, std::uint64_t& dealt, std::uint64_t& next) {
    if (next_word(line) != "numbers") return false;
    return whole_number<std::uint64_t>(next_word(line), 0, kLastDealNumber, dealt) &&
           whole_number<std::uint64_t>(line, 1, kLastDealNumber, next) && (dealt == 0 || place_of(dealt)) &&
           place_of(next);
}

// The newest lines of the record within the reader's limits (each line cut
// to its own): older deals go whole, the oldest kept deal may lose its first lines.
struct CodedDeal {
    std::uint64_t number = 0;
    std::vector<std::string> lines;
};
std::vector<CodedDeal> newest_record(const GameRecord& record) {
    std::vector<CodedDeal> kept;
    std::size_t lines = kSavedRecordLines, bytes = kSavedRecordBytes;
    const std::vector<DealRecord>& deals = record.deals();
    for (auto d = deals.rbegin(); d != deals.rend() && lines > 0 && kept.size() < kSavedRecordLines; ++d) {
        CodedDeal copy{d->number, {}};
        for (auto l = d->lines.rbegin(); l != d->lines.rend() && lines > 0; ++l) {
            const std::string code = game::notes::code_of(*l);
            const std::string_view line = within_limit(code);
            if (line.size() > bytes) {
                lines = 0;
                break;
            }
            bytes -= line.size();
            --lines;
            copy.lines.emplace_back(line);
        }
        std::reverse(copy.lines.begin(), copy.lines.end());
        kept.push_back(std::move(copy));
    }
    std::reverse(kept.begin(), kept.end());
    return kept;
}

// Reads the file's sections in order; the first fault is kept with its
// reason and nothing read is handed out.
class Reading {
public:
    explicit Reading(std::string_view text) : rest_(text) {}

    SavedGameRead result;

    bool failed() const { return !result.error.empty(); }
    void refuse(std::string why) {
        if (failed()) return;
        result.game = SavedGame{};
        result.error = std::move(why);
    }
    // The next line, or a refusal saying why there is none.
    bool line(std::string_view& out, const std::string& why_missing) {
        if (failed()) return false;
        if (take_line(rest_, out)) return true;
        refuse(why_missing);
        return false;
    }
    // `count` lines within the limits, each unescaped; `what` names them.
    void lines(std::size_t count, const std::string& what, std::vector<std::string>& out) {
        std::string_view text;
        std::string one;
        for (std::size_t i = 1; i <= count && !failed(); ++i) {
            if (!line(text, "保存的牌局在" + what + "中被截断")) return;
            // Escaping at most doubles a line: a longer one is refused unread.
            if (text.size() <= 2 * kSavedLineBytes && !unescape(text, one))
                refuse("保存的牌局中" + what + "的第 " + std::to_string(i) + " 行损坏");
            else if (text.size() > 2 * kSavedLineBytes || one.size() > kSavedLineBytes)
                refuse("保存的牌局中" + what + "的第 " + std::to_string(i) + " 行超过 " +
                       std::to_string(kSavedLineBytes) + " 字节");
            else
                out.push_back(one);
        }
    }
    // The same lines as note entries: a version 2 file's as written.
    void entries(std::size_t count, const std::string& what, int version, std::vector<game::notes::Entry>& out) {
        std::vector<std::string> lines;
        this->lines(count, what, lines);
        entries_of(lines, what, version, out);
    }
    void entries_of(const std::vector<std::string>& lines, const std::string& what, int version,
                    std::vector<game::notes::Entry>& out) {
        for (std::size_t i = 0; i < lines.size() && !failed(); ++i) {
            if (version < 3) {
                out.emplace_back(lines[i]);
            } else if (std::optional<game::notes::Entry> e = game::notes::entry_of(lines[i])) {
                out.push_back(std::move(*e));
            } else {
                refuse("保存的牌局中" + what + "的第 " + std::to_string(i + 1) + " 行损坏");
            }
        }
    }
    std::string_view& rest() { return rest_; }

private:
    std::string_view rest_;
};

}  // namespace

bool game_started(const game::State& s) { return s.phase != game::Phase::between_deals || s.first_leader.has_value(); }

std::string write_saved_game(const SavedGame& g) {
    std::string out = std::string(kHeader) + std::to_string(kSavedGameFormat) + "\n";
    out += game::write_state(g.state);
    out += "game " + std::to_string(g.game_key) + "\n";
    out += "spots " + std::to_string(g.spots.size());
    for (const CardSpot& c : g.spots)
        out += " " + std::to_string(c.card) + " " + std::to_string(c.x) + " " + std::to_string(c.y) +
               (c.face_up ? " 1" : " 0") + (c.in_row ? " 1" : " 0");
    out += "\n";
    out += "numbers " + std::to_string(g.dealt_number) + " " + std::to_string(g.next_number) + "\n";
    const std::size_t skipped = g.notes.size() - std::min(g.notes.size(), kSavedNotes);
    out += "notes " + std::to_string(g.notes.size() - skipped) + "\n";
    for (std::size_t i = skipped; i < g.notes.size(); ++i)
        out += escaped(within_limit(game::notes::code_of(g.notes[i]))) + "\n";
    const std::vector<CodedDeal> record = newest_record(g.record);
    out += "record " + std::to_string(record.size()) + "\n";
    for (const CodedDeal& d : record) {
        out += "deal " + std::to_string(d.number) + " " + std::to_string(d.lines.size()) + "\n";
        for (const std::string& line : d.lines) out += escaped(line) + "\n";
    }
    out += "end\n";
    return out;
}

SavedGameRead read_saved_game(std::string_view text) {
    Reading r(text);
    SavedGame& g = r.result.game;
    std::string_view line;
    if (!take_line(r.rest(), line) || line.substr(0, kHeader.size()) != kHeader) {
        r.refuse("这不是本游戏保存的牌局");
        return r.result;
    }
    int version = 0;
    if (!whole_number(line.substr(kHeader.size()), 0, 1'000'000, version)) {
        r.refuse("保存的牌局的版本号不是数字");
        return r.result;
    }
    if (version < kOldestSavedGameFormat || version > kSavedGameFormat) {
        r.refuse(std::string(version < kSavedGameFormat ? "旧" : "新") + "版本保存的牌局（版本 " +
                 std::to_string(version) + "），本游戏读取版本 " + std::to_string(kSavedGameFormat));
        return r.result;
    }
    // The state's lines run up to the game key's.
    const std::size_t key_at = r.rest().find("\ngame ");
    if (key_at == std::string_view::npos) {
        r.refuse("保存的牌局不完整：没有游戏编号");
        return r.result;
    }
    const game::StateRead state = game::read_state(r.rest().substr(0, key_at + 1));
    if (!state.ok()) {
        r.refuse("保存的牌局状态不对：" + state.error);
        return r.result;
    }
    if (state.state.ask == game::Ask::nothing) {
        r.refuse("保存的牌局状态不是在等玩家");
        return r.result;
    }
    g.state = state.state;
    r.rest().remove_prefix(key_at + 1);

    if (r.line(line, "保存的牌局不完整：没有游戏编号") &&
        !whole_number<std::uint64_t>(line.substr(5), 0, kAny<std::uint64_t>, g.game_key))
        r.refuse("保存的牌局的游戏编号不是数字");
    if (r.line(line, "保存的牌局中牌的位置缺失或损坏") && !read_spots(line, g.state, g.spots))
        r.refuse("保存的牌局中牌的位置缺失或损坏");
    if (r.line(line, "保存的牌局的牌局编号缺失或损坏") && !read_numbers(line, g.dealt_number, g.next_number))
        r.refuse("保存的牌局的牌局编号缺失或损坏");

    std::size_t count = 0;
    if (r.line(line, "保存的牌局的提示行数缺失或损坏") &&
        (next_word(line) != "notes" || !whole_number<std::size_t>(line, 0, kAny<std::size_t>, count)))
        r.refuse("保存的牌局的提示行数缺失或损坏");
    if (!r.failed() && count > kSavedNotes) r.refuse("保存的牌局中提示行超过 " + std::to_string(kSavedNotes) + " 行");
    r.entries(count, "提示行", version, g.notes);

    std::size_t deals = 0, record_lines = 0, record_bytes = 0;
    if (r.line(line, "保存的牌局的牌局记录缺失或损坏") &&
        (next_word(line) != "record" || !whole_number<std::size_t>(line, 0, kSavedRecordLines, deals)))
        r.refuse("保存的牌局的牌局记录缺失或损坏");
    std::vector<DealRecord> record;
    for (std::size_t d = 0; d < deals && !r.failed(); ++d) {
        DealRecord deal;
        if (r.line(line, "保存的牌局的牌局记录缺失或损坏") &&
            (next_word(line) != "deal" ||
             !whole_number<std::uint64_t>(next_word(line), 0, kLastDealNumber, deal.number) ||
             (deal.number != 0 && !place_of(deal.number)) ||
             !whole_number<std::size_t>(line, 0, kAny<std::size_t>, count)))
            r.refuse("保存的牌局的牌局记录缺失或损坏");
        if (!r.failed() && count > kSavedRecordLines - record_lines)
            r.refuse("保存的牌局中牌局记录超过 " + std::to_string(kSavedRecordLines) + " 行");
        record_lines += count;
        std::vector<std::string> lines;
        r.lines(count, "牌局记录", lines);
        for (const std::string& l : lines) record_bytes += l.size();
        if (!r.failed() && record_bytes > kSavedRecordBytes)
            r.refuse("保存的牌局中牌局记录超过 " + std::to_string(kSavedRecordBytes) + " 字节");
        r.entries_of(lines, "牌局记录", version, deal.lines);
        record.push_back(std::move(deal));
    }
    if (r.line(line, "保存的牌局没有在该结束的地方结束") && (line != "end" || !r.rest().empty()))
        r.refuse("保存的牌局没有在该结束的地方结束");
    if (!r.failed()) g.record.restore(std::move(record));
    return r.result;
}

}  // namespace tav

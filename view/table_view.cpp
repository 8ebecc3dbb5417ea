#include "view/table_view.h"

#include <algorithm>
#include <cstring>

#include "model/catalogue.h"
#include "view/layout.h"

namespace tav {
namespace {

using game::Card;
using game::Seat;

constexpr int kNoteLines = 16;
constexpr const char* kPointer = "HyperLink!";

std::string num(long n) { return std::to_string(n); }

// A name label: 华文行楷 12 pt; side A, C, E in the window-text colour, B, D, F green.
SurfaceObject name_label(std::string name, std::string_view text, int x, int y, int w, int h, long colour) {
    return {.name = std::move(name),
            .x = x,
            .y = y,
            .width = w,
            .height = h,
            .text = std::string(text),
            .color = colour,
            .alignment = 2,
            .font_face = "华文行楷",
            .font_height = -12,
            .font_charset = 134};
}

// A place label: black on red, sunken border, hidden until the seat finishes.
SurfaceObject place_label(std::string name, int x, int y, int w, int h) {
    return {.name = std::move(name),
            .x = x,
            .y = y,
            .width = w,
            .height = h,
            .visible = false,
            .text = "名次",
            .background_color = 255,
            .background_mode = 0,
            .alignment = 2,
            .border = 5};
}

SurfaceObject picture(std::string name, std::string_view file, int x, int y, bool visible) {
    return {.name = std::move(name),
            .kind = ObjectKind::picture,
            .x = x,
            .y = y,
            .width = 325,
            .height = 384,
            .visible = visible,
            .filename = std::string(file),
            .border = 2};
}

SurfaceObject plain_text(std::string name, std::string_view text, int x, int y, int w, int h, long colour,
                         std::string face, int height, int weight, int alignment) {
    return {.name = std::move(name),
            .x = x,
            .y = y,
            .width = w,
            .height = h,
            .text = std::string(text),
            .color = colour,
            .alignment = alignment,
            .font_face = std::move(face),
            .font_height = height,
            .font_weight = weight,
            .font_charset = 134};
}

std::string score_text(Seat seat, int score) {
    return std::string(game::padded_name_of(seat)) + "得分：" + std::to_string(score);
}

// The game's own lines, in Chinese.
constexpr game::notes::Wording kChinese = &game::notes::write;

char lower(Seat seat) { return static_cast<char>('a' + game::index_of(seat)); }

}  // namespace

TableView::TableView(TableSettings& settings, Platform& platform)
    : settings_(settings), gradient_(surface_, &platform) {
    gradient_.initialize();
    surface_.set_redraw(false);
    gradient_.gradient(0, 189, 84);
    gradient_.paint_style(1, settings_);
    build();
    surface_.set_redraw(true);
}

// The table is built once; its text interface can change every object after.
void TableView::build() {
    auto make = [this](SurfaceObject o) { surface_.create(std::move(o)); };
    make({.name = "r_1",
          .kind = ObjectKind::rectangle,
          .x = 390,
          .y = 450,
          .width = 2100,
          .height = 1100,
          .brush_color = 31580641,
          .pen_color = 16777215,
          .pen_width = 5});
    struct Labels {
        int px, py, pw, ph;
        int x, y, w, h;
        long colour;
    };
    constexpr std::array<Labels, game::kSeats> labels{{
        {1360, 1370, 178, 64, 1230, 1450, 439, 72, kWindowText},
        {2290, 1230, 82, 132, 2376, 1230, 72, 439, 32768},
        {2290, 670, 82, 132, 2376, 670, 72, 439, kWindowText},
        {1360, 580, 178, 64, 1230, 500, 439, 72, 32768},
        {504, 670, 82, 132, 420, 670, 72, 439, kWindowText},
        {504, 1230, 82, 132, 420, 1230, 72, 439, 32768},
    }};
    for (Seat seat : game::kAllSeats) {
        const Labels& l = labels[game::array_index(seat)];
        make(place_label(std::string("t_o") + lower(seat), l.px, l.py, l.pw, l.ph));
        make(name_label(std::string("t_") + lower(seat), game::name_of(seat), l.x, l.y, l.w, l.h, l.colour));
    }
    for (int n = 1; n <= kCardCount; ++n) {
        const layout::Point p = layout::pack_picture(n);
        make(picture("p_t" + num(n), settings_.card_back, p.x, p.y, true));
    }
    for (int n = 1; n <= kCardCount; ++n) {
        const layout::Point p = layout::pack_picture(n);
        make(picture(card_id(n), settings_.card_back, p.x, p.y, false));
    }
    make(plain_text("t_logo1", "瑟柯牌局", 2987, 43, 489, 108, 12632256, "隶书", -16, 700, 2));
    make(plain_text("t_logo2", "瑟柯牌局", 2984, 40, 489, 108, 32768, "隶书", -16, 700, 2));
    for (Seat seat : game::kAllSeats) {
        const int i = game::index_of(seat) + 1;
        make(plain_text(std::string("t_c") + lower(seat), score_text(seat, 0), 2910, 100 + 70 * i, 700, 60, 8388608,
                        "Arial", -8, 400, 0));
    }
    make(plain_text("t_note", "", 2910, 630, 630, 1000, 0, "Arial", -8, 400, 0));

    for (int n = 1; n <= kCardCount; ++n) {
        card_[static_cast<std::size_t>(n)] = surface_.object(card_id(n));
        pack_[static_cast<std::size_t>(n)] = surface_.object("p_t" + num(n));
    }
    for (Seat seat : game::kAllSeats) {
        place_label_[seat] = surface_.object(std::string("t_o") + lower(seat));
        score_label_[seat] = surface_.object(std::string("t_c") + lower(seat));
    }
    note_ = surface_.object("t_note");
    note_entry(game::notes::Entry{game::Prompted{Seat::A, game::Ask::shuffle}});
}

void TableView::move(Card c, int x, int y, bool face_up, bool to_front) {
    SurfaceObject& o = *card_[c];
    o.x = x;
    o.y = y;
    o.tag.clear();
    if (face_up) o.filename = std::string(card_info(c).bmp);
    in_row_[c] = false;
    if (to_front) surface_.set_position(o.name, true);
    surface_.touched();
}

void TableView::show(const game::Event& e) {
    std::visit([this](const auto& x) { draw(x); }, e);
    if (game::notes::writes(e)) note_entry(game::notes::Entry{e});
}

void TableView::draw(const game::Played& e) {
    const layout::Point p = layout::play_spot(e.seat);
    int n = 0;
    for (Card c : e.cards) {
        move(c, p.x + layout::kPlayStep * n++, p.y, true, true);
        on_table_[e.seat].push_back(c);
    }
}

void TableView::draw(const game::PlayCleared& e) {
    for (Card c : on_table_[e.seat]) card_[c]->visible = false;
    on_table_[e.seat].clear();
    surface_.touched();
}

void TableView::draw(const game::TributeHanded& e) {
    const layout::Point p = layout::handing_spot(e.giver);
    int n = 0;
    for (Card c : e.cards) {
        card_[c]->pointer.clear();  // it has left the human's row
        move(c, p.x + layout::kPlayStep * ++n, p.y, true, true);
    }
}

void TableView::draw(const game::ThreeBought& e) {
    // The buyer's payment at its exchange spot, then the seller's three at its own.
    for (const auto& [seat, c] : {std::pair{e.buyer, e.payment}, std::pair{e.seller, e.three}}) {
        const layout::Point p = layout::exchange_spot(seat);
        card_[c]->pointer.clear();
        move(c, p.x, p.y, true, true);
    }
}

void TableView::draw(const game::Placed& e) {
    SurfaceObject& label = *place_label_[e.seat];
    label.visible = true;
    label.text = std::string(game::notes::place_word(e.place));
    surface_.touched();
}

void TableView::draw(const game::Scored& e) {
    scores_[e.seat] = e.score;
    score_label_[e.seat]->text = score_text(named_[e.seat], e.score);
    surface_.touched();
}

void TableView::draw(const game::Dealt& e) {
    const int i = e.number;
    const bool human = e.seat == Seat::A;
    const bool slow = settings_.deal_speed != "0";
    SurfaceObject& card = *card_[e.card];
    if (i >= 1 && i <= kCardCount) pack_[static_cast<std::size_t>(kCardCount + 1 - i)]->visible = false;
    if (slow) surface_.touched();
    surface_.set_position(card.name, true);
    const layout::Point rest = layout::deal_rest(e.seat, i);
    const layout::Point staged = slow ? layout::deal_staging(e.seat, i) : rest;
    card.x = staged.x;
    card.y = staged.y;
    card.filename = human ? std::string(card_info(e.card).bmp) : settings_.card_back;
    if (human) card.tag = "my";
    in_row_[e.card] = human;
    card.visible = true;
    if (slow) {
        surface_.touched();
        card.x = rest.x;
        card.y = rest.y;
    }
    if (human) card.pointer = kPointer;
    if (i == kCardCount)  // every card is out: the last deal's places go
        for (Seat seat : game::kAllSeats) place_label_[seat]->visible = false;
    surface_.touched();
}

void TableView::draw(const game::LaidOut& e) {
    const Seat seat = e.seat;
    const int rows = std::min(e.cards.size(), layout::kHandRows);
    for (int n = 1; n <= rows; ++n) {
        const Card c = e.cards[n - 1];
        SurfaceObject& o = *card_[c];
        surface_.set_position(o.name, true);
        const layout::Point p = layout::hand_slot(seat, n);
        o.x = p.x;
        o.y = p.y;
        if (seat == Seat::A) {
            o.tag = "my";
            o.pointer = kPointer;
            in_row_[c] = true;
        } else {
            o.filename = settings_.card_back;
        }
    }
    surface_.touched();
}

void TableView::draw(const game::TableReset&) {
    for (int n = 1; n <= kCardCount; ++n) {
        pack_[static_cast<std::size_t>(n)]->visible = true;
        SurfaceObject& o = *card_[static_cast<std::size_t>(n)];
        const layout::Point p = layout::waiting_card(n);
        o.x = p.x;
        o.y = p.y;
        o.visible = false;
        o.filename = settings_.card_back;
        o.tag.clear();
        o.pointer.clear();
    }
    for (auto& play : on_table_.v) play.clear();
    in_row_.reset();
    surface_.touched();
}

void TableView::raise(Card c, bool up) {
    if (!game::valid_card(c)) return;
    card_[c]->y += up ? -layout::kRaise : layout::kRaise;
    surface_.touched();
}

Card TableView::card_at(int x, int y) const {
    const SurfaceObject* o = surface_.object_at(x, y);
    if (!o || o->kind != ObjectKind::picture) return 0;
    return static_cast<Card>(card_number(o->name));
}

void TableView::note(std::string_view line) { note_entry(game::notes::Entry{std::string(line)}); }

void TableView::note_entry(const game::notes::Entry& entry) {
    lines_.clear();
    write(entry, lines_);
    if (std::all_of(lines_.begin(), lines_.end(), [](const std::string& l) { return l.empty(); })) return;
    for (const std::string& line : lines_) add_line(line);
    note_log_.push_back(entry);
    surface_.touched();
}

void TableView::add_line(std::string_view line) {
    if (line.empty()) return;  // an empty line is no line
    // Keep the newest sixteen lines: with a line end after the last line,
    // more than sixteen line ends means the oldest lines go (and with them
    // a line end the text itself ended with).
    std::string text = note_->text;
    if (!text.empty()) text += '\n';
    text += line;
    const std::size_t end = !text.empty() && text.back() == '\n' ? text.size() - 1 : text.size();
    const auto inner = std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(end), '\n');
    if (inner >= kNoteLines) {
        std::size_t start = 0;
        for (auto drop = inner - kNoteLines + 1; drop > 0; --drop) start = text.find('\n', start) + 1;
        text = text.substr(start, end - start);
    }
    note_->text = std::move(text);
}

void TableView::write(const game::notes::Entry& entry, std::vector<std::string>& out) const {
    const std::size_t from = out.size();
    game::notes::write(entry, wording_, out);
    for (std::size_t i = from; i < out.size(); ++i) out[i] = renamed(out[i]);
}

void TableView::name_seats(const game::PerSeat<Seat>& named) {
    named_ = named;
    renaming_ = std::ranges::any_of(game::kAllSeats, [&](Seat s) { return named_[s] != s; });
    // Renamed lines stay Chinese: the table translates each as it draws it,
    // by patterns that know the table's own names.
    if (renaming_) set_wording(kChinese);
    for (Seat seat : game::kAllSeats) {
        score_label_[seat]->text = score_text(named_[seat], scores_[seat]);
    }
    surface_.touched();
}

std::string TableView::renamed(const std::string& line) const {
    if (!renaming_) return line;
    // Where the table lines names up in a column (places, threes traded) it
    // pads them; a three-character name pads to itself, so the words after
    // it tell.
    const auto padded_here = [&](std::size_t after) {
        return std::ranges::any_of(std::array<std::string_view, 3>{"＞", "买３", "卖３"},
                                   [&](std::string_view w) { return line.compare(after, w.size(), w) == 0; });
    };
    // Every name at once, so that a name given never becomes another.
    std::string out;
    for (std::size_t i = 0; i < line.size();) {
        std::optional<Seat> seat;
        std::size_t length = 0;
        bool padded = false;
        for (Seat s : game::kAllSeats) {
            const std::string_view pad = game::padded_name_of(s), plain = game::name_of(s);
            if (line.compare(i, pad.size(), pad) == 0) {
                seat = s;
                length = pad.size();
                padded = pad != plain || padded_here(i + pad.size());
                break;
            }
            if (line.compare(i, plain.size(), plain) == 0) {
                seat = s;
                length = plain.size();
                break;
            }
        }
        if (!seat) {
            out += line[i++];
            continue;
        }
        out += padded ? game::padded_name_of(named_[*seat]) : game::name_of(named_[*seat]);
        i += length;
    }
    return out;
}

void TableView::set_wording(game::notes::Wording wording) {
    if (!wording || wording == wording_ || (renaming_ && wording != kChinese)) return;
    wording_ = wording;
    // Every entry since the area was last cleared, as they were written.
    note_->text.clear();
    for (const game::notes::Entry& entry : note_log_) {
        lines_.clear();
        write(entry, lines_);
        for (const std::string& line : lines_) add_line(line);
    }
    surface_.touched();
}

std::vector<std::string> TableView::note_log() const {
    std::vector<std::string> lines;
    for (const game::notes::Entry& entry : note_log_) write(entry, lines);
    lines.erase(std::remove(lines.begin(), lines.end(), std::string()), lines.end());
    return lines;
}

void TableView::clear_notes() {
    note_->text.clear();
    note_log_.clear();
    surface_.touched();
}

std::string TableView::note_text() const { return note_->text; }

void TableView::reset_scores() {
    scores_ = {};
    for (Seat seat : game::kAllSeats) score_label_[seat]->text = score_text(named_[seat], 0);
    surface_.touched();
}

void TableView::show_card_back(const game::State& s) {
    const RedrawPause pause(surface_);
    for (int n = 1; n <= kCardCount; ++n) pack_[static_cast<std::size_t>(n)]->filename = settings_.card_back;
    for (Seat seat : game::kAllSeats)
        if (seat != Seat::A)
            for (Card c : s.hands[seat]) card_[c]->filename = settings_.card_back;
    surface_.touched();
}

void TableView::paint_background(int style) { gradient_.paint_style(style, settings_); }

void TableView::resize(int width, int height) {
    surface_.set_size(width, height);
    const RedrawPause pause(surface_);
    gradient_.repaint();
    for (int i = GradientStrips::kStrips; i >= 1; --i) surface_.set_position("rec_" + std::to_string(i), false);
}

}  // namespace tav

#include "table/w_main.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <string>

namespace tav {
namespace {

constexpr std::array<std::string_view, 7> kNames{"", "钟离云", "柳烟", "石坚", "花月容", "雷虎", "月琴"};
constexpr std::array<std::string_view, 7> kPadded{"", "钟离云", "柳    烟", "石    坚", "花月容", "雷    虎", "月    琴"};
constexpr int kNoteLines = 16;

std::string num(long n) { return std::to_string(n); }

void append_number(std::string& out, long n) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    out.append(digits, static_cast<std::size_t>(end - digits));
}

// A name label: 华文行楷 12 pt; side A, C, E in the window-text colour, B, D, F green.
std::string name_label(std::string_view name, std::string_view text, int x, int y, int w, int h, long colour) {
    return "create text(band=header alignment=\"2\" text=\"" + std::string(text) + "\" border=\"0\" color=\"" +
           num(colour) + "\" x=\"" + num(x) + "\" y=\"" + num(y) + "\" height=\"" + num(h) + "\" width=\"" + num(w) +
           "\" name=" + std::string(name) +
           " font.face=\"华文行楷\" font.height=\"-12\" font.weight=\"400\" font.charset=\"134\""
           " background.mode=\"1\" background.color=\"553648127\" )";
}

// A place label: black on red, sunken border, hidden until the seat finishes.
std::string place_label(std::string_view name, int x, int y, int w, int h) {
    return "create text(band=header alignment=\"2\" text=\"名次\" border=\"5\" color=\"0\" x=\"" + num(x) +
           "\" y=\"" + num(y) + "\" height=\"" + num(h) + "\" width=\"" + num(w) + "\" name=" + std::string(name) +
           " visible=\"0\" font.face=\"Arial\" font.height=\"-9\" font.weight=\"400\" font.charset=\"0\""
           " background.mode=\"0\" background.color=\"255\" )";
}

std::string picture(std::string_view name, std::string_view file, int x, int y, bool visible) {
    return "create bitmap(band=header filename=\"" + std::string(file) + "\" x=\"" + num(x) + "\" y=\"" + num(y) +
           "\" height=\"384\" width=\"325\" border=\"2\" name=" + std::string(name) + " visible=\"" +
           (visible ? "1" : "0") + "\" )";
}

std::string plain_text(std::string_view name, std::string_view text, int x, int y, int w, int h, long colour,
                       std::string_view face, int height, int weight, int alignment) {
    return "create text(band=header alignment=\"" + num(alignment) + "\" text=\"" + std::string(text) +
           "\" border=\"0\" color=\"" + num(colour) + "\" x=\"" + num(x) + "\" y=\"" + num(y) + "\" height=\"" +
           num(h) + "\" width=\"" + num(w) + "\" name=" + std::string(name) + " font.face=\"" + std::string(face) +
           "\" font.height=\"" + num(height) + "\" font.weight=\"" + num(weight) +
           "\" font.charset=\"134\" background.mode=\"1\" background.color=\"553648127\" )";
}

// Quotes a note for the command language: its own quote and escape characters.
void append_escaped_note(std::string& out, std::string_view text) {
    // Notes seldom hold either character: look for them a block at a time.
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p != end) {
        const auto n = static_cast<std::size_t>(end - p);
        const char* quote = static_cast<const char*>(std::memchr(p, '\'', n));
        const char* tilde = static_cast<const char*>(std::memchr(p, '~', quote ? static_cast<std::size_t>(quote - p) : n));
        const char* special = tilde ? tilde : quote;
        if (!special) {
            out.append(p, n);
            break;
        }
        out.append(p, static_cast<std::size_t>(special - p));
        out += '~';
        out += *special;
        p = special + 1;
    }
}

}  // namespace

int seat_index(std::string_view seat) {
    if (seat.size() != 1) return 0;
    const char c = seat[0];
    if (c >= 'A' && c <= 'F') return c - 'A' + 1;
    if (c >= 'a' && c <= 'f') return c - 'a' + 1;
    return 0;
}

std::string seat_letter(int index) {
    if (index < 1 || index > 6) return "";
    return std::string(1, static_cast<char>('A' + index - 1));
}

std::string_view seat_name(std::string_view seat) { return kNames[static_cast<std::size_t>(seat_index(seat))]; }
std::string_view seat_padded_name(std::string_view seat) { return kPadded[static_cast<std::size_t>(seat_index(seat))]; }

w_main::w_main(Settings& s, Platform& p, std::uint64_t seed_value)
    : settings(s),
      platform(p),
      expressions(std::make_shared<ExpressionCache>()),
      dw_cards(expressions), dw_all(expressions), dw_sendout(expressions),
      dw_a(expressions), dw_b(expressions), dw_c(expressions), dw_d(expressions), dw_e(expressions), dw_f(expressions),
      dw_1(expressions), dw_2(expressions), dw_3(expressions), dw_4(expressions), dw_5(expressions), dw_6(expressions),
      dw_out(expressions), dw_ok(expressions), dw_gog(expressions), dw_temp(expressions) {
    if (seed_value == 0) {
        std::random_device rd;
        seed_value = (static_cast<std::uint64_t>(rd()) << 32) ^ rd();
    }
    rng_.seed(seed_value);
    cb_send = {"cb_send", "洗牌(&S)", "开始游戏请先洗牌", "Continue!", true, true};
    cb_out = {"cb_out", "发牌(&O)", "请选择一手牌来发牌", "", false, true};
    cb_pass = {"cb_pass", "过牌(&P)", "不接牌请过牌", "Count!", false, true};
    cb_over = {"cb_over", "扣牌(&O)", "瑟柯牌扣牌", "RetrieveCancel!", false, true};
    cb_gog = {"cb_gog", "还牌(&O)", "还牌", "MoveMode!", false, false};
    cb_quit = {"cb_quit", "退出(&Q)", "退出本游戏", "Exit!", true, true};
    build_all();
    gradient.initialize();
    open();
}

void w_main::build_all() {
    // The catalogue is cards 1..54; the four decks are 1..216 in catalogue order.
    dw_cards.reset();
    for (int n = 1; n <= kCatalogueRows; ++n) dw_cards.append(n);
    dw_all.reset();
    for (int k = 1; k <= 4; ++k)
        for (int n = 1; n <= kCatalogueRows; ++n) dw_all.append((k - 1) * kCatalogueRows + n);
}

void w_main::open() {
    dw_main.set_redraw(false);
    gradient.gradient(0, 189, 84);
    wf_bgcolor(1);
    inigame();
    dw_main.set_redraw(true);
}

void w_main::inigame() {
    auto make = [this](const std::string& cmd) { dw_main.modify(cmd); };
    make("create rectangle(band=header x=\"390\" y=\"450\" height=\"1100\" width=\"2100\" name=r_1 "
         "brush.hatch=\"6\" brush.color=\"31580641\" pen.style=\"0\" pen.width=\"5\" pen.color=\"16777215\" "
         "background.mode=\"1\" background.color=\"553648127\" )");
    struct Seat {
        const char *place, *label;
        int px, py, pw, ph;
        std::string_view text;
        int x, y, w, h;
        long colour;
    };
    const Seat seats[] = {
        {"t_oa", "t_a", 1360, 1370, 178, 64, "钟离云", 1230, 1450, 439, 72, kWindowText},
        {"t_ob", "t_b", 2290, 1230, 82, 132, "柳烟", 2376, 1230, 72, 439, 32768},
        {"t_oc", "t_c", 2290, 670, 82, 132, "石坚", 2376, 670, 72, 439, kWindowText},
        {"t_od", "t_d", 1360, 580, 178, 64, "花月容", 1230, 500, 439, 72, 32768},
        {"t_oe", "t_e", 504, 670, 82, 132, "雷虎", 420, 670, 72, 439, kWindowText},
        {"t_of", "t_f", 504, 1230, 82, 132, "月琴", 420, 1230, 72, 439, 32768},
    };
    for (const Seat& s : seats) {
        make(place_label(s.place, s.px, s.py, s.pw, s.ph));
        make(name_label(s.label, s.text, s.x, s.y, s.w, s.h, s.colour));
    }
    for (int n = 1; n <= kCardCount; ++n) make(picture("p_t" + num(n), settings.gs_bgcard, 490 + 7 * n, 836, true));
    for (int n = 1; n <= kCardCount; ++n) make(picture(card_id(n), settings.gs_bgcard, 490 + 7 * n, 836, false));
    make(plain_text("t_logo1", "瑟柯牌局", 2987, 43, 489, 108, 12632256, "隶书", -16, 700, 2));
    make(plain_text("t_logo2", "瑟柯牌局", 2984, 40, 489, 108, 32768, "隶书", -16, 700, 2));
    for (int i = 1; i <= 6; ++i) {
        const std::string seat = seat_letter(i);
        std::string prefix = std::string(seat_padded_name(seat)) + "得分：";
        std::string name = "t_c" + std::string(1, static_cast<char>('a' + i - 1));
        make(plain_text(name, prefix + "0", 2910, 100 + 70 * i, 700, 60, 8388608, "Arial", -8, 400, 0));
        make(name + ".tag=\"" + prefix + "\"");
    }
    make(plain_text("t_note", "", 2910, 630, 630, 1000, 0, "Arial", -8, 400, 0));
    wf_shownote(" ", 1);
    wf_shownote("＞＞＞请先洗牌", 1);
}

void w_main::newgame() {
    dw_main.set_redraw(false);
    // One command a card, built in one buffer: 216 of them every deal.
    std::string command;
    for (int n = 1; n <= kCardCount; ++n) {
        const std::string& id = card_id(n);
        command.clear();
        command += "p_t";
        append_number(command, n);
        command += ".visible=\"1\" ";
        command += id;
        command += ".x=\"";
        append_number(command, 450 + 7 * n);
        command += "\" ";
        command += id;
        command += ".y=\"836\" ";
        command += id;
        command += ".visible=\"0\" ";
        command += id;
        command += ".filename=\"";
        command += settings.gs_bgcard;
        command += "\" ";
        command += id;
        command += ".tag=\"\" ";
        command += id;
        command += ".pointer=\"\"";
        dw_main.modify(command);
    }
    dw_main.set_redraw(true);
    for (CardList* pile : {&dw_a, &dw_b, &dw_c, &dw_d, &dw_e, &dw_f, &dw_1, &dw_2, &dw_3, &dw_4, &dw_5, &dw_6,
                           &dw_out, &dw_ok})
        pile->reset();
    enable(cb_send, true);
    enable(cb_out, false);
    enable(cb_pass, false);
    enable(cb_over, false);
    is_prior.clear();
    is_current.clear();
    is_state.clear();
    for (std::string* mark : {&is_a, &is_b, &is_c, &is_d, &is_e, &is_f}) mark->clear();
    // Open points belong to one deal; the end-of-deal listing has read them.
    for (std::string* mark : {&is_ak, &is_bk, &is_ck, &is_dk, &is_ek, &is_fk}) mark->clear();
    // A new game started while the human owed a return leaves no return behind.
    ib_go = true;
    show(cb_gog, false);
    enable(cb_gog, false);
    ii_order = 0;
    ii_next = 0;
    ii_cur = 1;
    deal_running_ = false;
    wf_shownote(" ", 1);
    wf_shownote("＞＞＞请先洗牌", 1);
}

void w_main::resetgame() {
    is_firstgo.clear();
    for (int i = 1; i <= 15; ++i) {
        is_ke[static_cast<std::size_t>(i)].clear();
        is_la[static_cast<std::size_t>(i)].clear();
        ii_la[static_cast<std::size_t>(i)] = 0;
    }
    ii_grade.fill(0);
    dw_main.set_redraw(false);
    for (char c = 'a'; c <= 'f'; ++c) {
        const std::string label = std::string("t_c") + c;
        dw_main.modify(label + ".text=\"" + dw_main.describe(label + ".tag") + "0\"");
    }
    dw_main.modify("t_note.text=''");
    note_log.clear();
    newgame();
}

void w_main::pclose() { platform.close(); }
void w_main::cb_quit_clicked() { pclose(); }
void w_main::print() { platform.print(); }

void w_main::enable(Button& b, bool on) {
    if (b.enabled == on) return;
    b.enabled = on;
    if (on_buttons) on_buttons();
}

void w_main::show(Button& b, bool on) {
    if (b.visible == on) return;
    b.visible = on;
    if (on_buttons) on_buttons();
}

std::string w_main::note_text() const { return dw_main.describe("t_note.text"); }

void w_main::wf_shownote(std::string_view as_str, int ai_type) {
    if (ai_type == 1 && as_str.empty()) return;
    // The text so far is read in place: a note is written on every play, and
    // copying, splitting and joining the sixteen lines each time was the
    // better part of a deal's cost.
    std::string text;
    const SurfaceObject* note = ai_type == 1 ? dw_main.find("t_note") : nullptr;
    if (note && !note->text.empty() && note->text != "!" && note->text != "?") {
        text.reserve(note->text.size() + 1 + as_str.size());
        text += note->text;
        text += '\n';
    }
    text += as_str;
    // Keep the newest sixteen lines: with a line end after the last line,
    // more than sixteen line ends means the oldest lines go (and with them
    // a line end the text itself ended with).
    std::string_view kept(text);
    const std::size_t end = !text.empty() && text.back() == '\n' ? text.size() - 1 : text.size();
    // Line ends found by memchr: the lines are short and few.
    long inner = 0;
    const char* const stop = text.data() + end;
    for (const char* p = text.data(); p != stop; ++p) {
        p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(stop - p)));
        if (!p) break;
        ++inner;
    }
    if (inner >= kNoteLines) {
        // The text was kept to sixteen lines before, so mostly one line goes.
        std::size_t start = 0;
        for (auto drop = inner - kNoteLines + 1; drop > 0; --drop) start = text.find('\n', start) + 1;
        kept = kept.substr(start, end - start);
    }
    std::string command;
    command.reserve(kept.size() + kept.size() / 8 + 16);
    command += "t_note.text='";
    append_escaped_note(command, kept);
    command += '\'';
    dw_main.modify(command);
    note_log.emplace_back(as_str);
    if (on_note) on_note(note_log.back());
}

void w_main::wf_bgcolor(int ai_bgstyle) { gradient.wf_bgcolor(ai_bgstyle, settings); }

void w_main::resize(int width, int height) {
    dw_main.set_size(width, height);
    const bool was = dw_main.redraw();
    dw_main.set_redraw(false);
    gradient.repaint();
    for (int i = nc_gradient::cii_segments; i >= 1; --i) dw_main.set_position("rec_" + std::to_string(i), false);
    dw_main.set_redraw(was);
}

void w_main::gamebegin() {
    for (CardList* h : {&dw_b, &dw_c, &dw_d, &dw_e, &dw_f}) h->sort("sort");
    wf_shownote("开始游戏＞＞＞", 1);
    deal_running_ = true;
    wf_firstgo(is_firstgo);
}

CardList* w_main::hand(std::string_view seat) {
    switch (seat_index(seat)) {
        case 1: return &dw_a;
        case 2: return &dw_b;
        case 3: return &dw_c;
        case 4: return &dw_d;
        case 5: return &dw_e;
        case 6: return &dw_f;
        default: return nullptr;
    }
}

CardList* w_main::play_pile(std::string_view seat) {
    switch (seat_index(seat)) {
        case 1: return &dw_1;
        case 2: return &dw_2;
        case 3: return &dw_3;
        case 4: return &dw_4;
        case 5: return &dw_5;
        case 6: return &dw_6;
        default: return nullptr;
    }
}

std::string* w_main::finish_mark(std::string_view seat) {
    switch (seat_index(seat)) {
        case 1: return &is_a;
        case 2: return &is_b;
        case 3: return &is_c;
        case 4: return &is_d;
        case 5: return &is_e;
        case 6: return &is_f;
        default: return nullptr;
    }
}

std::string* w_main::open_point(std::string_view seat) {
    switch (seat_index(seat)) {
        case 1: return &is_ak;
        case 2: return &is_bk;
        case 3: return &is_ck;
        case 4: return &is_dk;
        case 5: return &is_ek;
        case 6: return &is_fk;
        default: return nullptr;
    }
}

}  // namespace tav

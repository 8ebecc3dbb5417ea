// The table as a view of the game: the pictures, labels and note area on the
// table surface, changed as the engine's events say. The objects are built
// once when the table opens and resolved by name once; after that every
// change is made on the objects directly. The view also knows which of the
// human's cards lie in its row, face up and ready to be picked.
#pragma once

#include <array>
#include <bitset>
#include <string>
#include <string_view>
#include <vector>

#include "model/events.h"
#include "model/notes.h"
#include "model/state.h"
#include "surface/surface.h"
#include "view/gradient.h"
#include "view/platform.h"
#include "view/table_settings.h"

namespace tav {

// Where a card of a hand lies on the table (table units), whether it is face
// up and whether it lies in the human's row. A hand is laid out only when
// dealt and after tributes: the cards played leave gaps, a three bought shows
// face up at its exchange spot, a tribute received waits at its handing spot.
struct CardPlace {
    game::Card card = 0;
    int x = 0, y = 0;
    bool face_up = false;
    bool in_row = false;  // a card of the human's row, where it can be picked
};

class TableView {
public:
    TableView(TableSettings& settings, Platform& platform);
    TableView(const TableView&) = delete;
    TableView& operator=(const TableView&) = delete;

    Surface& surface() { return surface_; }
    const Surface& surface() const { return surface_; }
    Background& gradient() { return gradient_; }

    // One event onto the table. A slow deal draws each card's two moves.
    void show(const game::Event& e);

    // An entry for the note area, which shows the newest sixteen lines;
    // every entry of the game is kept in `note_log`. A text is a line as it is.
    void note_entry(const game::notes::Entry& entry);
    void note(std::string_view line);
    void clear_notes();
    const std::vector<game::notes::Entry>& note_entries() const { return note_log_; }
    // The lines of every entry kept, oldest first, in the note area's language.
    std::vector<std::string> note_log() const;
    std::string note_text() const;
    // The language the note lines are written in (Chinese until told):
    // the lines in sight are written again.
    void set_wording(game::notes::Wording wording);

    // Every score label back to 0.
    void reset_scores();
    // At a network table every window calls each seat by the table's own
    // name for it, wherever its player sits: seat x as this player sees it
    // goes by the name of `named[x]` in the notes and scores.
    void name_seats(const game::PerSeat<game::Seat>& named);

    // The table of a game taken up where it stood, drawn at once: its state,
    // its hands' cards where they lay, its note entries in the note area.
    void restore(const game::State& s, const std::vector<CardPlace>& places,
                 const std::vector<game::notes::Entry>& notes);
    // Where the cards of the hands in `s` lie now, in drawing order.
    std::vector<CardPlace> hand_places(const game::State& s) const;

    // A card of the human's lying in its row, where a click picks it.
    bool in_human_row(game::Card c) const { return in_row_[c]; }
    // Raises (picks) or lowers a card of the human's row.
    void raise(game::Card c, bool up);
    // The card whose picture is at a point, 0 for none (or another object).
    game::Card card_at(int x, int y) const;

    // The card back chosen in the settings, on the pack and the computer hands.
    void show_card_back(const game::State& s);
    // Background style 1..3 from the settings.
    void paint_background(int style);
    // The window's client area in table units: the background follows.
    void resize(int width, int height);

private:
    void build();
    void move(game::Card c, int x, int y, bool face_up, bool to_front);
    void add_line(std::string_view line);
    // What each kind of event changes on the table; most change nothing.
    void draw(const game::Dealt& e);
    void draw(const game::LaidOut& e);
    void draw(const game::Played& e);
    void draw(const game::PlayCleared& e);
    void draw(const game::TributeHanded& e);
    void draw(const game::ThreeBought& e);
    void draw(const game::Placed& e);
    void draw(const game::Scored& e);
    void draw(const game::TableReset& e);
    template <class Other>
    void draw(const Other&) {}
    // An entry's lines in the note area's language, seats named as told.
    void write(const game::notes::Entry& entry, std::vector<std::string>& out) const;
    std::string renamed(const std::string& line) const;

    TableSettings& settings_;
    Surface surface_;
    Background gradient_;
    std::array<SurfaceObject*, game::kCards + 1> card_{};
    std::array<SurfaceObject*, game::kCards + 1> pack_{};
    game::PerSeat<SurfaceObject*> place_label_{}, score_label_{};
    SurfaceObject* note_ = nullptr;
    game::PerSeat<std::vector<game::Card>> on_table_;  // each seat's play as shown
    std::bitset<game::kCards + 1> in_row_;
    std::vector<game::notes::Entry> note_log_;
    game::notes::Wording wording_ = &game::notes::write;
    std::vector<std::string> lines_;  // one entry's, reused
    game::PerSeat<game::Seat> named_{
        {game::Seat::A, game::Seat::B, game::Seat::C, game::Seat::D, game::Seat::E, game::Seat::F}};
    bool renaming_ = false;
    game::PerSeat<int> scores_{};  // as the score labels show them
};

}  // namespace tav

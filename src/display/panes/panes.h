// The three text panes' records: their lines and what part of them is shown.
#pragma once

#include "platform/draw.h"
#include "platform/events.h"
#include "source/source.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text being typed at the end of the io or command pane: `length` bytes
// at the end of the pane's last line, with the cursor `cursor` bytes in, and
// the lines submitted before.
struct LineEditorState {
    std::int32_t cursor = 0;
    std::int32_t length = 0;
    // What was typed since the last Enter; none until the first key (a
    // buffer emptied again by Backspace still exists and is submitted).
    std::optional<std::string> buffer;
    std::vector<std::string> history; // oldest first
    // The entry the last Up or Down showed; history.size() after a
    // submission, so that Up starts from the newest.
    std::int32_t history_index = 0;
};

enum class PaneKind { Source, Io, Command };

// One cell of a pane's grid: the line shown there (-1: none, such as the
// line-number columns, a banner or an empty row) and the character within it.
struct Cell {
    std::int32_t line = -1;
    std::int32_t character = 0;
    // Right of the line's text: the cell repeats its last character.
    bool past_end = false;
};

// What the redraw found where: visible rows × visible columns cells, filled
// while drawing and read to turn a mouse position into a text position.
struct CellMap {
    std::int32_t rows = 0;
    std::int32_t columns = 0;
    std::vector<Cell> cells; // row by row
    // The displayed line each row belongs to, a file banner's too; -1 below
    // the text.
    std::vector<std::int32_t> row_lines;
    Cell* row(std::int32_t r) { return cells.data() + static_cast<std::size_t>(r) * columns; }
    const Cell* row(std::int32_t r) const {
        return cells.data() + static_cast<std::size_t>(r) * columns;
    }
};

// The byte that column `column` of a row stands for, the row's text
// starting at column `first` (the first cell that shows a line): the byte a
// text cell shows (a TAB shows on several), or, right of the text, the bytes
// past the line's end counted on from its last one, one per column.
std::int32_t cell_row_character(const Cell* row, int first, int column);

// The pane's vertical scroll bar, in lines.
struct ScrollRecord {
    // Lines per scroll-bar step: big texts take several lines a step so that
    // the bar's values fit 16 bits. 0 until the bar was first set.
    std::int32_t unit = 0;
    std::int32_t page = 0;
    std::int32_t maximum = 0;
    std::int32_t position = 0;
};

// Where the text caret was last drawn (the top of its 3-pixel box).
struct CaretRecord {
    bool drawn = false;
    int x = 0;
    int y = 0;
};

struct Pane {
    explicit Pane(PaneKind pane_kind = PaneKind::Io) : kind(pane_kind) {}

    PaneKind kind;
    // The io and command panes' own text (the macro's output and input, the
    // command transcript). The source pane shows the displayed source, which
    // the interpreter link owns; pane_text gives whichever applies.
    bool has_lines = false; // the io pane has no line array until output comes
    std::vector<std::string> lines;
    std::int32_t top_line = 0;
    std::int32_t visible_rows = 1;
    std::int32_t visible_columns = 80;
    // Columns taken by line numbers (source pane only).
    std::int32_t number_columns = 0;
    // Index of the last line shown by the last redraw; one past the last
    // line when the whole rest of the text fitted.
    std::int32_t last_line_shown = 0;
    LineEditorState editor;

    plat_window window = 0;
    int height = 0; // pixels, as laid out
    CellMap cells;
    ScrollRecord scroll;
    CaretRecord caret;
    // Source pane: the left edge of the marker columns and where line text
    // begins, as the last redraw drew them.
    int rule_x = 0;
    int text_x = 0;
    // New text waits for the next refresh (see pane_text_changed).
    bool draw_due = false;
    bool follow_due = false; // ... and the end is to be shown then
    // What the pane shows changed: drawn at the next refresh.
    bool render_due = false;
};

struct PaneSet {
    Pane source{PaneKind::Source};
    Pane io{PaneKind::Io};
    Pane command{PaneKind::Command};
    // The command prompt; also what the interpreter's prompt message restores.
    std::string prompt = "% ";
    // Typing inserts (true) or overwrites; the caret is lower when it
    // overwrites.
    bool insert_mode = true;
    // The displayed line whose number is being clicked (drawn inverted), or -1.
    std::int32_t pressed_line = -1;
    // The source pane shows only its background until its text changes
    // (a new run begins; the old text stays until the new one arrives).
    bool source_blank = false;
};

extern PaneSet g_panes;

// The pane's text changed; `follow_end` asks for its last line to be shown.
// Drawn at the next refresh.
void pane_text_changed(Pane& pane, bool follow_end);

// Whether the end of the pane is shown, as it will be once the next refresh
// has drawn it.
bool pane_will_show_end(const Pane& pane);

// Draws every pane whose text or look changed since it was last drawn: one
// redraw each, with its end in view when that was asked for
// (display/window/refresh.h calls it).
void panes_draw_deferred();
// Whether any pane has still to be drawn.
bool panes_draw_pending();

// The lines a pane shows.
const std::vector<std::string>& pane_text(const Pane& pane);
std::int32_t pane_line_count(const Pane& pane);

// The last line a redraw from `top` would show, by the row arithmetic of the
// drawing (long lines take several rows), without drawing anything.
std::int32_t pane_last_line_shown_from(const Pane& pane, std::int32_t top);

// What the pane shows changed: the last line shown is worked out now, and
// the pane is drawn at the next refresh.
void pane_redraw(Pane& pane);
// Draws the pane from its top line at once (a paint, the refresh). A pane
// without a window only works out what it would show.
void pane_draw_now(Pane& pane);

// The background slot of a pane: 0 source, 14 io, 11 command.
int pane_background_slot(const Pane& pane);

// Moves the top line down, a line at a time in effect, until the last line is
// shown or the top reaches the last line; redraws once.
void pane_follow_end(Pane& pane);

// True when the pane's last redraw showed its last line.
bool pane_shows_end(const Pane& pane);

// Sets the top line (clamped to the text) and redraws; nothing for an empty
// pane.
void pane_set_top_line(Pane& pane, std::int32_t line);

// Brings a displayed line into view: a third or a quarter of the pane's rows
// below the top (a match found, a listing, a file shown), or in the middle
// (where the macro stopped; then nothing is drawn while there is no source).
void source_pane_show_line(std::int64_t line, ShowAt where);

// Puts the stop line in the middle of the source pane.
void pane_centre_on_line(std::int32_t line);

// Tells the pane's scroll bar the line count and top line.
void pane_update_scroll_bar(Pane& pane);

// Scrolls a page down (`down`) or up, keeping one line of the old page in
// view; false when the pane has no scroll bar yet.
bool pane_page(Pane& pane, bool down);

// A message of the pane's scroll bar.
void pane_scroll_message(Pane& pane, ScrollRequest request, int thumb);

// A wheel turn over the pane: one line up for delta > 0, else one down.
void pane_wheel(Pane& pane, int delta);

// Paints a pane's whole area in its background, then redraws it (the erase
// that precedes a paint).
void pane_full_repaint(Pane& pane);

// Paints the whole source pane in its background colour.
void source_pane_fill_blank();

// Adds a message to a text pane: appended after the last line, or inserted
// just above it (the prompt line). The previous last line gets a newline
// when it lacks one (appending only), and so does the message. An empty
// message adds nothing. Then the pane follows its end.
enum class MessagePlace { Append, AbovePrompt };
void pane_add_message(Pane& pane, std::string_view text, MessagePlace place);

// Adds a new prompt line to the command pane (nothing is drawn).
void command_pane_push_prompt();

// The start of vel: the command pane holds the banner, an empty line and the
// prompt; the io pane has no lines until output comes.
void panes_start(std::string_view banner);

// The plain rules of mouse selection, without any window: the word around a
// character, the timing of clicks, the cell under the pointer, ranges from
// an anchor, and the text a selection denotes.
#pragma once

#include "display/mouse/selection_range.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A character of a pane's text.
struct TextPosition {
    std::int32_t line = -1; // -1: none
    std::int32_t character = 0;
    bool operator==(const TextPosition&) const = default;
};

// The word around position p of a line, both ends included: the run of
// blanks and tabs when p is one, the run of symbol characters when p is one,
// otherwise p alone. A p outside the line gives p alone.
struct WordSpanInLine {
    std::int32_t start = 0;
    std::int32_t end = 0;
};
WordSpanInLine word_around(std::string_view line, std::int32_t p);

// The longest time between the presses of a double click, in milliseconds.
constexpr std::int64_t kDoubleClickMs = 340;

// A press that starts a selection selects a word when it comes at most
// 340 ms after the last such press (`last_ms` -1: there was none).
bool press_selects_word(std::int64_t last_ms, std::int64_t now_ms);

// Edit mode counts clicks of one button: a press less than 340 ms after the
// previous press of the same button counts one more, up to 3; any other
// press counts 1.
int next_click_count(int count, int last_button, std::int64_t last_ms, int button,
                     std::int64_t now_ms);

// The cell under pixel (x, y) of a pane: its column and row clamped to the
// cells the pane shows. Nothing when the pane has no cells or the cell shows
// no text (or a line the pane no longer has: the map is the last redraw's).
std::optional<Cell> cell_under(const Pane& pane, int x, int y, int cell_width, int cell_height);

// The selection in `pane` from the anchor to the position, in order (the
// anchor's place taken by the position itself when no anchor is set).
SelectionRange range_between(PaneKind pane, TextPosition anchor, TextPosition position);

// The text a selection of these lines denotes: the characters from its start
// to its end, lines joined as stored (so their line feeds separate them).
// Empty when the range lies outside the lines or is reversed.
std::string selected_text(const std::vector<std::string>& lines, const SelectionRange& range);

// The word at the selection's start, widened to cover what is selected on
// its start line.
std::string extended_selected_text(const std::vector<std::string>& lines,
                                   const SelectionRange& range);

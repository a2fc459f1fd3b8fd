#include "display/edit/edit_clipboard.h"

#include "display/edit/edit_cursor.h"
#include "display/edit/edit_mode.h"
#include "display/mouse/selection_state.h"
#include "edit/edit_layout.h"
#include "edit/edit_session.h"
#include "edit/edit_ui.h"
#include "runtime/strings.h"
#include "source/source.h"
#include "view/clipboard.h"
#include "view/selection.h"
#include "view/text_panes.h"

#include <algorithm>
#include <limits>

namespace {

struct OrderedSelection {
    std::int32_t start_line, start_char, end_line, end_char;
};

std::string line_text(std::int32_t line) {
    return std::string(without_line_ends(displayed_source().lines[static_cast<std::size_t>(line)]));
}

std::int32_t length_of(std::int32_t line) {
    return static_cast<std::int32_t>(line_text(line).size());
}

bool displayed(std::int32_t line) {
    return line >= 0 && line < static_cast<std::int32_t>(displayed_source().lines.size());
}

// The source pane's selection in order, within one file; nothing (with the
// message when it spans two files) otherwise.
std::optional<OrderedSelection> edit_selection() {
    if (!selection_in_source()) return std::nullopt;
    OrderedSelection s{g_selection.start_line, g_selection.start_character, g_selection.end_line,
                       g_selection.end_character};
    if (s.end_line < s.start_line || (s.end_line == s.start_line && s.end_char < s.start_char)) {
        std::swap(s.start_line, s.end_line);
        std::swap(s.start_char, s.end_char);
    }
    if (!displayed(s.start_line) || !displayed(s.end_line)) return std::nullopt;
    const std::int32_t file = source_file_of(s.start_line);
    if (file < 0 || file != source_file_of(s.end_line)) {
        command_pane_print("The selection spans two files");
        return std::nullopt;
    }
    return s;
}

std::string copied_text(const OrderedSelection& s) {
    std::string text;
    for (std::int32_t line = s.start_line; line <= s.end_line; ++line) {
        const std::string piece = line_text(line);
        const std::int32_t length = static_cast<std::int32_t>(piece.size());
        const std::int32_t from = line == s.start_line ? std::clamp(s.start_char, 0, length) : 0;
        const std::int32_t to = line == s.end_line ? std::min(s.end_char, length - 1) : length - 1;
        if (line > s.start_line) text += '\n';
        if (to >= from)
            text.append(piece, static_cast<std::size_t>(from),
                        static_cast<std::size_t>(to - from + 1));
    }
    return text;
}

// The next place of the pattern after (or before) byte `at` of line
// `line`, line by line round the displayed source; the selected place itself
// is found last.
std::optional<EditPosition> find_from(const std::string& pattern, std::int32_t line,
                                      std::int32_t at, bool backwards) {
    const std::int32_t count = static_cast<std::int32_t>(displayed_source().lines.size());
    const std::int32_t size = static_cast<std::int32_t>(pattern.size());
    std::int32_t from = backwards ? at - 1 : at + 1;
    for (std::int32_t looked = 0; looked <= count; ++looked) {
        const std::string text = line_text(line);
        const std::int32_t length = static_cast<std::int32_t>(text.size());
        if (backwards) {
            for (std::int32_t p = std::min(from, length - size); p >= 0; --p)
                if (text.compare(static_cast<std::size_t>(p), pattern.size(), pattern) == 0)
                    return EditPosition{line, p};
            line = line == 0 ? count - 1 : line - 1;
            from = std::numeric_limits<std::int32_t>::max();
        } else {
            for (std::int32_t p = std::max(from, 0); p + size <= length; ++p)
                if (text.compare(static_cast<std::size_t>(p), pattern.size(), pattern) == 0)
                    return EditPosition{line, p};
            line = line + 1 == count ? 0 : line + 1;
            from = 0;
        }
    }
    return std::nullopt;
}

} // namespace

bool edit_cursor_in_selection(std::int32_t line, std::int32_t character) {
    if (!selection_in_source()) return false;
    const SelectionRange& s = g_selection;
    const bool after_start =
        line > s.start_line || (line == s.start_line && character >= s.start_character);
    const bool before_end =
        line < s.end_line || (line == s.end_line && character <= s.end_character);
    return after_start && before_end;
}

void edit_copy() {
    const std::optional<OrderedSelection> s = edit_selection();
    if (!s) return;
    clipboard_copy_text(copied_text(*s));
    command_pane_print("Selection copied");
}

void edit_cut() {
    const std::optional<OrderedSelection> s = edit_selection();
    if (!s) return;
    clipboard_copy_text(copied_text(*s));
    command_pane_print("Selection copied");
    edit_switch_to(s->start_line);
    const std::int32_t lines = s->end_line - s->start_line + 1;
    const bool whole_lines = s->start_char == 0 && s->end_char >= length_of(s->end_line) &&
                             lines < static_cast<std::int32_t>(displayed_source().lines.size());
    if (whole_lines) {
        for (std::int32_t i = 0; i < lines; ++i)
            vel_edit_ui('d', s->start_line, std::nullopt, i == 0);
        edit_place_cursor(s->start_line, 0);
    } else {
        const std::string head = line_text(s->start_line)
                                     .substr(0, static_cast<std::size_t>(std::clamp(
                                                    s->start_char, 0, length_of(s->start_line))));
        const std::string end_text = line_text(s->end_line);
        const std::size_t tail_from = static_cast<std::size_t>(std::max(s->end_char + 1, 0));
        const std::string tail =
            tail_from < end_text.size() ? end_text.substr(tail_from) : std::string();
        vel_edit_ui('r', s->start_line, head + tail, true);
        for (std::int32_t i = 1; i < lines; ++i)
            vel_edit_ui('d', s->start_line + 1, std::nullopt, false);
        edit_place_cursor(s->start_line, s->start_char);
    }
    selection_drop();
    pane_redraw(g_panes.source);
}

void edit_paste(std::optional<std::string> text) {
    if (!edit_mode_on()) return;
    const std::optional<EditPosition> at = edit_cursor_position();
    if (!at) return;
    edit_switch_to(at->line);
    if (!text || text->empty()) {
        command_pane_print("Nothing to paste");
        return;
    }
    const std::string line = line_text(at->line);
    const std::int32_t length = static_cast<std::int32_t>(line.size());
    const std::int32_t p = std::min(at->character, length);
    const std::string pad(static_cast<std::size_t>(std::max(at->character - length, 0)), ' ');
    const std::string before = line.substr(0, static_cast<std::size_t>(p)) + pad;
    const std::string after = line.substr(static_cast<std::size_t>(p));

    std::vector<std::string> pieces;
    std::size_t from = 0;
    for (std::size_t lf = text->find('\n'); lf != std::string::npos; lf = text->find('\n', from)) {
        pieces.push_back(text->substr(from, lf - from));
        from = lf + 1;
    }
    if (from < text->size()) pieces.push_back(text->substr(from));
    if (pieces.empty()) pieces.emplace_back();

    if (pieces.size() == 1) {
        vel_edit_ui('r', at->line, before + pieces[0] + after, true);
        edit_place_cursor(at->line, static_cast<std::int32_t>(before.size() + pieces[0].size()));
        return;
    }
    vel_edit_ui('r', at->line, before + pieces[0], true);
    std::int32_t line_at = at->line;
    for (std::size_t i = 1; i + 1 < pieces.size(); ++i)
        vel_edit_ui('i', line_at++, pieces[i], false);
    vel_edit_ui('i', line_at++, pieces.back() + after, false);
    edit_place_cursor(line_at, static_cast<std::int32_t>(pieces.back().size()));
}

void edit_paste_clipboard() {
    edit_paste(clipboard_paste_text());
}

void edit_paste_primary() {
    edit_paste(selection_text());
}

void edit_find(bool backwards) {
    edit_end_typing();
    if (!selection_in_source()) {
        command_pane_print("No selection to find");
        return;
    }
    const SelectionRange s = g_selection;
    if (s.start_line != s.end_line) {
        command_pane_print("Find: the selection spans lines");
        return;
    }
    if (!displayed(s.start_line)) {
        command_pane_print("No selection to find");
        return;
    }
    const std::string line = line_text(s.start_line);
    const std::int32_t low = std::min(s.start_character, s.end_character);
    const std::int32_t high = std::min(std::max(s.start_character, s.end_character),
                                       static_cast<std::int32_t>(line.size()) - 1);
    if (low < 0 || low >= static_cast<std::int32_t>(line.size())) {
        command_pane_print("No selection to find");
        return;
    }
    const std::string pattern =
        line.substr(static_cast<std::size_t>(low), static_cast<std::size_t>(high - low + 1));
    const std::optional<EditPosition> match = find_from(pattern, s.start_line, low, backwards);
    if (!match) {
        command_pane_print("Not found");
        return;
    }
    const std::int32_t l = match->line;
    const std::int32_t from = match->character;
    const std::int32_t size = static_cast<std::int32_t>(pattern.size());
    selection_set({PaneKind::Source, l, from, l, from + size - 1});
    selection_anchor(PaneKind::Source) = {l, from};
    edit_switch_to(l);
    const Pane& source = g_panes.source;
    if (l < source.top_line || l > source.top_line + source.visible_rows - 2)
        source_pane_show_line(l, ShowAt::Third);
    pane_redraw(g_panes.source);
    edit_place_cursor(l, from);
}

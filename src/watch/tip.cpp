// Choosing what the pointer rests on, asking for it, and showing the answer.
#include "watch/tip.h"

#include "link/frame.h"
#include "link/link_state.h"
#include "platform/floats.h"
#include "runtime/strings.h"
#include "source/source.h"
#include "view/source_view.h"
#include "watch/pins.h"
#include "watch/watch.h"

#include <algorithm>
#include <optional>

TipState g_tip;

namespace {

constexpr int kShowAfterMs = 400;
constexpr int kHideCheckMs = 300;
// The tip stays while the pointer travels this far around it on its way
// onto the tip.
constexpr int kGraceMargin = 30;
constexpr std::size_t kLongestCandidate = 255;

// The text of a note the pointer rests on (vel_tip_hover_note): shown as it
// is, never asked of the interpreter.
std::string note_text;

bool inside(const PlatRect& r, int x, int y, int margin) {
    return x >= r.x - margin && x < r.x + r.width + margin && y >= r.y - margin &&
           y < r.y + r.height + margin;
}

bool tip_visible() {
    return g_tip.window != 0 && plat_float_visible(g_tip.window);
}

plat_window source_window() {
    return source_view_geometry().window;
}

// The line's text without its line end.
std::string_view line_text(std::int32_t line) {
    std::string_view text = displayed_source().lines[static_cast<std::size_t>(line)];
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

void clear() {
    if (g_tip.expression.empty()) return;
    g_tip.expression.clear();
    plat_timer_stop(source_window(), TIP_SHOW_TIMER);
    if (tip_visible())
        plat_timer_start(source_window(), TIP_HIDE_TIMER, kHideCheckMs);
    else
        vel_tip_hide();
}

// The selected text when the selection lies on this line alone and holds
// the character at p.
std::optional<std::string> selected_candidate(std::int32_t line, std::int32_t p) {
    const std::optional<SourceSelection> s = source_view_selection();
    if (!s || s->start_line != line || s->end_line != line) return std::nullopt;
    if (s->end_character <= s->start_character) return std::nullopt;
    if (p < s->start_character || p > s->end_character) return std::nullopt;
    return selected_text_on_line(line, s->start_character, s->end_character);
}

std::optional<std::string> symbol_candidate(std::int32_t line, std::int32_t p) {
    const std::string_view text = line_text(line);
    const auto n = static_cast<std::int32_t>(text.size());
    auto symbol_at = [&](std::int32_t i) {
        return is_rexx_symbol_char(static_cast<unsigned char>(text[static_cast<std::size_t>(i)]));
    };
    if (p < 0 || p >= n || !symbol_at(p)) return std::nullopt;
    std::int32_t first = p;
    std::int32_t last = p;
    while (first > 0 && symbol_at(first - 1))
        --first;
    while (last + 1 < n && symbol_at(last + 1))
        ++last;
    const auto length = static_cast<std::size_t>(last - first + 1);
    if (length > kLongestCandidate) return std::nullopt;
    return std::string(text.substr(static_cast<std::size_t>(first), length));
}

} // namespace

std::string selected_text_on_line(std::int32_t line, std::int32_t start, std::int32_t end) {
    const std::string_view text = line_text(line);
    const std::int32_t from = std::max(start, 0);
    const std::int32_t to = std::min(end, static_cast<std::int32_t>(text.size()) - 1);
    if (to < from) return {};
    // Up to the line's end, the selection takes its line feed, and a line
    // may hold a CR of its own: neither goes into a question.
    return joined_on_one_line(
        text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from + 1)));
}

void vel_tip_hover(int x, int y) {
    if (source_view_in_edit_mode()) {
        vel_tip_hide();
        return;
    }
    if (tip_visible()) {
        int sx = 0;
        int sy = 0;
        plat_cursor_screen_position(sx, sy);
        if (inside(plat_float_rect(g_tip.window), sx, sy, kGraceMargin)) {
            plat_timer_stop(source_window(), TIP_HIDE_TIMER);
            return;
        }
    }
    const SourceViewGeometry view = source_view_geometry();
    if (!g_link.connected || x < view.text_x || view.cell_width <= 0 || view.cell_height <= 0)
        return clear();
    const int column = x / view.cell_width;
    const int row = y / view.cell_height;
    if (column < 0 || row < 0 || column >= view.columns || row >= view.rows) return clear();
    const SourceViewCell cell = source_view_cell(row, column);
    const std::int32_t line = cell.line;
    if (line < 0 || line >= static_cast<std::int32_t>(displayed_source().lines.size()))
        return clear();
    g_tip.line = line;
    // Cells right of a line's end repeat its last character: no text there.
    if (cell.past_end) return clear();
    std::optional<std::string> candidate = selected_candidate(line, cell.character);
    if (candidate && !candidate->empty() && candidate->size() <= kLongestCandidate) {
        g_tip.mode = TIP_EXPRESSION;
    } else {
        g_tip.mode = TIP_SYMBOL;
        candidate = symbol_candidate(line, cell.character);
        if (!candidate) return clear();
    }
    if (*candidate == g_tip.expression && note_text.empty()) return;
    note_text.clear();
    g_tip.expression = *candidate;
    plat_timer_stop(source_window(), TIP_SHOW_TIMER);
    plat_timer_stop(source_window(), TIP_HIDE_TIMER);
    plat_timer_start(source_window(), TIP_SHOW_TIMER, kShowAfterMs);
}

void vel_tip_hover_note(std::int32_t line, const std::string& text) {
    if (source_view_in_edit_mode() || text.empty()) return;
    if (!note_text.empty() && text == g_tip.expression) return;
    note_text = text;
    g_tip.expression = text;
    g_tip.line = line;
    plat_timer_stop(source_window(), TIP_SHOW_TIMER);
    plat_timer_stop(source_window(), TIP_HIDE_TIMER);
    plat_timer_start(source_window(), TIP_SHOW_TIMER, kShowAfterMs);
}

void vel_tip_show_timer() {
    plat_timer_stop(source_window(), TIP_SHOW_TIMER);
    if (g_tip.expression.empty()) return;
    int sx = 0;
    int sy = 0;
    plat_cursor_screen_position(sx, sy);
    g_tip.x = sx + 12;
    g_tip.y = sy + 18;
    if (!note_text.empty() && note_text == g_tip.expression) {
        // Nothing to pin: the tip shows no value.
        g_tip.shown_expression.clear();
        g_tip.shown_line = g_tip.line;
        tip_window_show(note_text);
        return;
    }
    TipContext context;
    if (displayed_source().stop_routine) {
        context.frame = *displayed_source().stop_routine;
    } else {
        context.file_index = std::max(file_map_entry_containing(g_tip.line), 0);
    }
    vel_tip_probe(g_tip.expression, g_tip.mode, context, {REQUEST_TIP, -1});
}

void vel_tip_hide_timer() {
    if (tip_visible()) {
        int sx = 0;
        int sy = 0;
        plat_cursor_screen_position(sx, sy);
        if (inside(plat_float_rect(g_tip.window), sx, sy, 0)) {
            plat_timer_start(source_window(), TIP_HIDE_TIMER, kHideCheckMs);
            return;
        }
    }
    plat_timer_stop(source_window(), TIP_HIDE_TIMER);
    vel_tip_hide();
}

void vel_tip_hide() {
    if (g_tip.window != 0) plat_float_hide(g_tip.window);
}

void vel_tip_probe(const std::string& expression, int mode, const TipContext& context,
                   TipRequest request) {
    const TipRequest dropped = g_tip.requests.push(request);
    // A pin refresh pushed out of a full queue will never be answered: the
    // pass that waits for it is over.
    if (dropped.kind == REQUEST_PIN) pin_refresh_lost();
    const std::string question = tip_question(expression, mode, context);
    vel_send(g_link.command_socket, question.data(), static_cast<int>(question.size()),
             Report::Yes);
}

void vel_tip_answer(const std::string& value) {
    const TipRequest request = g_tip.requests.take();
    switch (request.kind) {
    case REQUEST_EDIT:
        vel_pin_edit_result(value);
        return;
    case REQUEST_PIN:
        vel_pin_update(request.argument, value);
        return;
    default:
        break;
    }
    const std::string text = vel_tip_format(g_tip.expression, g_tip.mode, "", value);
    if (text.empty()) {
        vel_tip_hide();
        return;
    }
    g_tip.shown_expression = g_tip.expression;
    g_tip.shown_mode = g_tip.mode;
    g_tip.shown_line = g_tip.line;
    tip_window_show(text);
}

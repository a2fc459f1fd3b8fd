// The pane text operations the rest of vel calls (view/text_panes.h).
#include "view/text_panes.h"

#include "display/mouse/selection_state.h"
#include "display/panes/line_editor.h"
#include "display/panes/line_rows.h"
#include "display/panes/panes.h"
#include "runtime/lines.h"

#include <algorithm>
#include <vector>

namespace {

bool ends_line(const std::string& line) {
    return !line.empty() && line.back() == '\n';
}

// Takes the half-typed input (the last k bytes of the last line) off the
// pane and returns it.
std::string lift_typed_input(Pane& pane) {
    const std::size_t k = static_cast<std::size_t>(std::max(pane.editor.length, 0));
    if (k == 0) return {};
    std::string& last = pane.lines.back();
    const std::size_t cut = std::min(k, last.size());
    std::string typed = last.substr(last.size() - cut);
    last.erase(last.size() - cut);
    return typed;
}

void put_back_typed_input(Pane& pane, std::string typed) {
    if (typed.empty()) return;
    if (ends_line(pane.lines.back()))
        pane.lines.push_back(std::move(typed));
    else
        pane.lines.back() += typed;
}

} // namespace

void io_pane_append_output(const char* bytes, std::size_t size) {
    Pane& io = g_panes.io;
    bool follow;
    if (!io.has_lines) {
        io.lines.assign(1, std::string());
        io.has_lines = true;
        follow = true;
    } else {
        follow = pane_will_show_end(io);
    }

    std::string typed = lift_typed_input(io);
    // A partial line at the end of the previous output is continued by the
    // first line of this one.
    const std::size_t first_new = io.lines.size();
    split_lines_into(io.lines, bytes, size);
    std::string& previous = io.lines[first_new - 1];
    if (!ends_line(previous)) {
        previous += io.lines[first_new];
        io.lines.erase(io.lines.begin() + static_cast<std::ptrdiff_t>(first_new));
    }
    put_back_typed_input(io, std::move(typed));
    pane_text_changed(io, follow);
}

void command_pane_print(std::string_view message) {
    pane_add_message(g_panes.command, message, MessagePlace::AbovePrompt);
}

void command_pane_append(std::string_view message) {
    pane_add_message(g_panes.command, message, MessagePlace::Append);
}

void command_pane_new_prompt() {
    Pane& command = g_panes.command;
    command_pane_push_prompt();
    pane_text_changed(command, true);
}

CommandEcho command_pane_echo(const std::string& line) {
    Pane& pane = g_panes.command;
    line_history_add(pane.editor, line);
    const CommandEcho echo{pane_will_show_end(pane)};
    std::string echoed = g_panes.prompt + line + "\n";
    if (pane.lines.empty())
        pane.lines.push_back(std::move(echoed));
    else
        pane.lines.back() = std::move(echoed);
    pane.editor.cursor = 0;
    pane.editor.length = 0;
    pane.editor.buffer.reset();
    command_pane_push_prompt();
    return echo;
}

void command_pane_echo_done(CommandEcho echo) {
    Pane& pane = g_panes.command;
    pane_redraw(pane);
    if (echo.showed_end) pane_follow_end(pane);
}

void command_pane_type_text(std::string_view text) {
    for (const char c : text) {
        if (c == '\n') break;
        line_editor_type(g_panes.command, static_cast<unsigned char>(c));
    }
    pane_redraw(g_panes.command);
}

void command_pane_erase_input(bool whole) {
    Pane& pane = g_panes.command;
    if (pane.editor.length == 0) return;
    line_editor_erase(pane, whole);
    pane_redraw(pane);
}

void source_pane_show_line(std::int64_t line, ShowAt where) {
    Pane& source = g_panes.source;
    const int fraction = where == ShowAt::Middle ? 2 : where == ShowAt::Third ? 3 : 4;
    // Counted in screen rows, not lines: with long lines wrapping, half the
    // pane's height in lines above would push the line itself out of view.
    const std::int64_t top = pane_top_line_for(source, line, source.visible_rows / fraction);
    source.top_line = static_cast<std::int32_t>(std::clamp<std::int64_t>(top, 0, INT32_MAX));
    if (where == ShowAt::Middle && pane_line_count(source) == 0) return;
    pane_redraw(source);
}

void source_pane_text_replaced() {
    // A selection or a pressed line number survives a new source unless it
    // would point past the new text.
    const std::int32_t count = pane_line_count(g_panes.source);
    if (g_selection.pane == PaneKind::Source && g_selection.end_line >= count) selection_drop();
    if (g_panes.pressed_line >= count) g_panes.pressed_line = -1;
    // So do the places a later extension starts from.
    TextPosition& anchor = selection_anchor(PaneKind::Source);
    if (anchor.line >= count) anchor = TextPosition{};
    EditClickState& click = g_selection_state.edit;
    if (click.drag_start.line >= count) {
        click.drag_start = TextPosition{};
        click.drag_started = false;
    }
    g_panes.source.top_line = 0;
    // What the pane shows is worked out at once, cell map included: until
    // the refresh draws it, clicks, tips and pins must not find the old
    // text's lines in the cells.
    pane_redraw(g_panes.source);
}

void source_pane_clear() {
    g_panes.source_blank = true;
    g_panes.source.render_due = true;
}

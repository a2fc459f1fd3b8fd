// The one selection of the program: who holds it, where it is anchored, and
// the text it denotes.
#include "view/selection.h"
#include "display/mouse/selection_state.h"

SelectionState g_selection_state;

TextPosition& selection_anchor(PaneKind pane) {
    return g_selection_state.anchors[static_cast<int>(pane)];
}

Pane& pane_of_kind(PaneKind kind) {
    switch (kind) {
    case PaneKind::Source:
        return g_panes.source;
    case PaneKind::Io:
        return g_panes.io;
    case PaneKind::Command:
        break;
    }
    return g_panes.command;
}

namespace {

void reset_anchors() {
    for (TextPosition& anchor : g_selection_state.anchors)
        anchor = TextPosition{};
}

} // namespace

void selection_leave_other_panes(PaneKind pane) {
    if (!g_selection.pane || *g_selection.pane == pane) return;
    reset_anchors();
    selection_clear();
}

void selection_set(const SelectionRange& range) {
    if (range.pane) selection_leave_other_panes(*range.pane);
    g_selection = range;
    if (range.pane) pane_redraw(pane_of_kind(*range.pane));
}

void selection_drop() {
    reset_anchors();
    selection_clear();
}

bool selection_in_source() {
    return g_selection.pane == PaneKind::Source && g_selection.start_line >= 0;
}

std::optional<std::string> selection_text() {
    if (!g_selection.pane) return std::nullopt;
    std::string text = selected_text(pane_text(pane_of_kind(*g_selection.pane)), g_selection);
    if (text.empty()) return std::nullopt;
    return text;
}

std::optional<std::string> selection_extended_text() {
    if (!g_selection.pane) return std::nullopt;
    std::string text =
        extended_selected_text(pane_text(pane_of_kind(*g_selection.pane)), g_selection);
    if (text.empty()) return std::nullopt;
    return text;
}

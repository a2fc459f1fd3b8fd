#include "display/window/refresh.h"

#include "display/panes/inspect_panes.h"
#include "display/panes/panes.h"
#include "display/window/display_state.h"
#include "source/source_write.h"
#include "watch/watch.h"

#include <algorithm>

namespace {

struct RefreshRecord {
    bool state_due = false;
    // A refresh that shows a message box (or anything that pumps messages)
    // must not start another one inside it.
    bool refreshing = false;
};

RefreshRecord g_refresh;

// What the displayed source's writers changed since the last refresh.
void take_source_changes() {
    const unsigned changes = source_take_changes();
    if (changes & SOURCE_TEXT) g_panes.source_blank = false;
    if (changes != 0) pane_redraw(g_panes.source);
    if (changes & (SOURCE_STOP | SOURCE_RUN)) g_refresh.state_due = true;
    if (const std::optional<ShowRequest> show = source_take_show()) {
        const Pane& source = g_panes.source;
        source_pane_show_line(show->line ? *show->line
                                         : std::min(source.top_line, pane_line_count(source) - 1),
                              show->where);
    }
}

} // namespace

void display_state_due() {
    g_refresh.state_due = true;
}

bool display_refresh_pending() {
    return g_refresh.state_due || displayed_source().changes != 0 ||
           displayed_source().show.has_value() || panes_draw_pending() || g_inspect_panes.draw_due;
}

void display_refresh() {
    if (g_refresh.refreshing) return;
    g_refresh.refreshing = true;
    take_source_changes();
    if (g_refresh.state_due) {
        g_refresh.state_due = false;
        display_state_apply();
    }
    const bool source_drawn = g_panes.source.draw_due || g_panes.source.render_due;
    if (g_panes.source_blank && source_drawn) {
        g_panes.source.draw_due = false;
        g_panes.source.render_due = false;
        source_pane_fill_blank();
    }
    panes_draw_deferred();
    inspect_panes_draw_if_due();
    // Pins that follow source lines move with what is now shown.
    if (source_drawn) vel_pin_reposition_all();
    g_refresh.refreshing = false;
}

void display_refresh_reset() {
    g_refresh = RefreshRecord{};
}

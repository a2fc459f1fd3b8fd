// Edits in several files driven as a user drives them: the edit cursor
// moved by keys and clicks, also onto rows without text (file banners, rows
// below the end), typing, Undo and Redo taken from the keyboard, and Pause.
// After every step the files, the display and the marks agree; Pause saves
// the file the cursor is in; undoing everything gives every line its text
// and its number back.
#include "display/edit/edit_cursor.h"
#include "display/edit/edit_mode.h"
#include "display/keyboard/key_route.h"
#include "display/mouse/mouse_events.h"
#include "display/panes/cell_map.h"
#include "display/panes/panes.h"
#include "display_fixture.h"
#include "edit/edit_save.h"
#include "edit_ops_driver.h"
#include "platform/headless/headless.h"
#include "source/source_write.h"
#include "view/key_codes.h"

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

class EditCursorProperties : public DisplayTest, public ::testing::WithParamInterface<unsigned> {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        open_window(800, 400);
    }
    static void make_files(int files, int lines, unsigned seed) {
        edit_driver::make_source(files, lines, seed);
        g_panes.command.lines = {"% "};
        redrawn(g_panes.source);
    }
    static int source_y() { return g_panes.source.height / 2; }
    static void key(int code, bool ctrl = false) {
        KeyModifiers modifiers;
        modifiers.ctrl = ctrl;
        key_route(code, modifiers, layout_pane_top(LAYOUT_SOURCE) + source_y(),
                  KeyTarget::MainWindow);
    }
    // The displayed line the cursor's row shows, or -1 (a banner, below the
    // end): what a user sees the cursor in.
    static std::int32_t cursor_row_line() {
        const CellMap& map = g_panes.source.cells;
        const std::optional<CellPlace> cell =
            pane_cell_of_cursor(g_panes.source, displayed_source().edit_cursor);
        const int row = cell ? cell->row : -1;
        if (row < 0 || row >= map.rows) return -1;
        for (int c = g_panes.source.number_columns; c < map.columns; ++c)
            if (map.row(row)[c].line >= 0) return map.row(row)[c].line;
        return -1;
    }
    static std::vector<std::int32_t> numbers() {
        std::vector<std::int32_t> out;
        for (std::int32_t l = 0; l < static_cast<std::int32_t>(displayed_source().lines.size());
             ++l)
            out.push_back(edit_gutter_line(l));
        return out;
    }
    static std::string last_message() {
        const std::vector<std::string>& pane = g_panes.command.lines;
        return pane.size() >= 2 ? pane[pane.size() - 2] : "";
    }
};

TEST_P(EditCursorProperties, KeysClicksUndoAndPauseKeepEveryFileWhole) {
    std::mt19937 random(GetParam());
    const int files = 2 + static_cast<int>(random() % 2);
    const int lines = 2 + static_cast<int>(random() % 5);
    make_files(files, lines, GetParam());
    edit_toggle_mode();
    const std::vector<std::string> original = edit_driver::shown();
    const std::vector<std::int32_t> original_numbers = numbers();
    // Odd seeds never save, so that undoing everything must give back every
    // number as it was.
    const bool pauses = GetParam() % 2 == 0;
    for (int step = 0; step < 300; ++step) {
        const unsigned what = random() % 16;
        switch (what) {
        case 0:
        case 1: {
            static const int moves[] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_HOME, KEY_END};
            key(moves[random() % 6]);
            break;
        }
        case 2: {
            // Anywhere on the pane, the rows below the text and banners too.
            const CellPlace cell{static_cast<std::int32_t>(random() % g_panes.source.visible_rows),
                                 g_panes.source.number_columns + static_cast<int>(random() % 20)};
            if (const std::optional<EditCursor> at = pane_cursor_at_cell(g_panes.source, cell))
                source_place_edit_cursor(*at);
            break;
        }
        case 3: {
            MouseEvent click;
            click.x = (g_panes.source.number_columns + static_cast<int>(random() % 20)) * kW + 1;
            click.y = static_cast<int>(random() % g_panes.source.visible_rows) * kH + 1;
            click.button = 1;
            click.time_ms = 10000 * step;
            mouse_press(g_panes.source, click);
            mouse_release(g_panes.source, click);
            break;
        }
        case 4:
        case 5:
            key('a' + static_cast<int>(random() % 26));
            break;
        case 6:
            key(KEY_ENTER);
            break;
        case 7:
            key(KEY_BACKSPACE);
            break;
        case 8:
            key('a', true); // Control+A opens a line
            break;
        case 9:
            key('d', true); // Control+D deletes one
            break;
        case 10:
        case 11:
        case 12:
            key('z', true);
            break;
        case 13:
            key('y', true);
            break;
        default: {
            if (!pauses) {
                key('z', true);
                break;
            }
            // Pause saves the file the cursor is seen in, when it is modified.
            const std::int32_t line = cursor_row_line();
            const int file = line < 0 ? 0 : edit_driver::file_of(line);
            const bool modified =
                file >= 0 && static_cast<std::size_t>(file) < g_edit_buffers.buffers.size() &&
                g_edit_buffers.buffers[static_cast<std::size_t>(file)].modified > 0;
            key(KEY_PAUSE);
            if (modified) {
                ASSERT_EQ(g_edit_buffers.buffers[static_cast<std::size_t>(file)].modified, 0)
                    << "step " << step << ": Pause on line " << line << " in file " << file
                    << " answered " << last_message();
            }
            break;
        }
        }
        ASSERT_EQ(edit_driver::broken(), "") << "after step " << step << " (" << what << ")";
    }
    // Back to the start in every file: each line its text and its number.
    edit_driver::undo_all(true);
    for (const EditBuffer& buffer : g_edit_buffers.buffers)
        EXPECT_LE(buffer.modified, 0);
    EXPECT_EQ(edit_driver::broken(), "");
    EXPECT_EQ(edit_driver::shown().size(), original.size());
    if (!pauses) {
        EXPECT_EQ(edit_driver::shown(), original);
        EXPECT_EQ(numbers(), original_numbers);
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, EditCursorProperties, ::testing::Range(1u, 61u));

} // namespace

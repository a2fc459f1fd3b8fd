// What the rest of vel may do to the panes' text (view/text_panes.h).
#include "display/panes/line_editor.h"
#include "display/panes/panes.h"
#include "display/window/refresh.h"
#include "display_fixture.h"
#include "source/source.h"
#include "source_given.h"
#include "view/key_codes.h"
#include "view/text_panes.h"

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class TextPanes : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        open_window();
        g_panes.command.lines = {"banner\n", "% "};
    }
    static void type_into(Pane& pane, const std::string& text) {
        for (unsigned char c : text)
            line_editor_type(pane, c);
    }
};

} // namespace

TEST_F(TextPanes, OutputGoesAboveHalfTypedInputAndContinuesPartialLines) {
    io_pane_append_output("abc", 3);
    EXPECT_EQ(g_panes.io.lines, (Lines{"abc"}));
    type_into(g_panes.io, "yes");
    io_pane_append_output("def\nghi", 7);
    EXPECT_EQ(g_panes.io.lines, (Lines{"abcdef\n", "ghiyes"}));
    EXPECT_EQ(g_panes.io.editor.length, 3);
    io_pane_append_output("\n", 1);
    EXPECT_EQ(g_panes.io.lines, (Lines{"abcdef\n", "ghi\n", "yes"}));
}

TEST_F(TextPanes, MessagesGoAboveOrBelowThePrompt) {
    command_pane_print("above");
    EXPECT_EQ(g_panes.command.lines, (Lines{"banner\n", "above\n", "% "}));
    command_pane_append("below");
    EXPECT_EQ(g_panes.command.lines, (Lines{"banner\n", "above\n", "% \n", "below\n"}));
    command_pane_new_prompt();
    EXPECT_EQ(g_panes.command.lines.back(), "% ");
    command_pane_print("");
    EXPECT_EQ(g_panes.command.lines.size(), 5u);
}

TEST_F(TextPanes, AnEchoedCommandReplacesThePromptAndEntersTheHistory) {
    type_into(g_panes.command, "half");
    const CommandEcho echo = command_pane_echo("next");
    command_pane_echo_done(echo);
    EXPECT_EQ(g_panes.command.lines, (Lines{"banner\n", "% next\n", "% "}));
    EXPECT_EQ(g_panes.command.editor.length, 0);
    EXPECT_EQ(g_panes.command.editor.history, (Lines{"next"}));
}

TEST_F(TextPanes, TypedTextStopsAtItsFirstLineAndEraseKeepsWhatIsBeforeTheCursor) {
    command_pane_type_text("step\nkill");
    EXPECT_EQ(g_panes.command.lines.back(), "% step");
    line_editor_key(g_panes.command, KEY_LEFT, false, false, SubmitAction());
    line_editor_key(g_panes.command, KEY_LEFT, false, false, SubmitAction());
    command_pane_erase_input(false);
    EXPECT_EQ(g_panes.command.lines.back(), "% st");
    command_pane_erase_input(true);
    EXPECT_EQ(g_panes.command.lines.back(), "% ");
    command_pane_erase_input(true); // nothing typed: nothing happens
    EXPECT_EQ(g_panes.command.lines.back(), "% ");
}

TEST_F(TextPanes, SourceLinesAreShownAQuarterOrHalfwayDown) {
    given_source(numbered_lines(500));
    const int rows = g_panes.source.visible_rows;
    source_pane_show_line(200, ShowAt::Quarter);
    EXPECT_EQ(g_panes.source.top_line, 200 - rows / 4);
    source_pane_show_line(200, ShowAt::Middle);
    EXPECT_EQ(g_panes.source.top_line, 200 - rows / 2);
    source_pane_show_line(1, ShowAt::Middle);
    EXPECT_EQ(g_panes.source.top_line, 0);
    source_pane_show_line(std::int64_t{1} << 40, ShowAt::Quarter);
    EXPECT_GE(g_panes.source.top_line, 0);
    source_pane_text_replaced();
    EXPECT_EQ(g_panes.source.top_line, 0);
}

TEST_F(TextPanes, AStopLineAmongWrappedLinesIsCentredByRows) {
    Pane& source = g_panes.source;
    const int rows = source.visible_rows;
    ASSERT_GE(rows, 8);
    // Every line wraps over three rows: the text columns are the pane's
    // less 8 for the numbers of 3,000 lines.
    const auto text_columns = static_cast<std::size_t>(source.visible_columns - 8);
    given_source(std::vector<std::string>(3000, std::string(2 * text_columns + 1, 'w') + "\n"));
    const auto shown = [&](std::int32_t line) {
        return source.top_line <= line && line < source.last_line_shown;
    };
    source_pane_show_line(2000, ShowAt::Middle);
    EXPECT_TRUE(shown(2000));
    EXPECT_GE(g_panes.source.top_line, 2000 - rows / 2 / 2);
    EXPECT_LT(g_panes.source.top_line, 2000);

    // A line too tall for the pane just before the stop line: the stop line
    // goes to the top rather than out of view.
    source_replace_line(1999, std::string(1 << 20, 'x'));
    source_pane_show_line(2000, ShowAt::Middle);
    EXPECT_EQ(g_panes.source.top_line, 2000);
    EXPECT_TRUE(shown(2000));
    // The same for the quarter of a list message, and with short lines the
    // old arithmetic still holds.
    source_pane_show_line(2005, ShowAt::Quarter);
    EXPECT_TRUE(shown(2005));
    given_source(numbered_lines(500));
    source_pane_show_line(200, ShowAt::Middle);
    EXPECT_EQ(g_panes.source.top_line, 200 - rows / 2);
}

namespace {

// What the io and command panes show, row by row, and where they stand.
struct Shown {
    std::vector<std::string> rows;
    std::int32_t io_top, command_top;
    bool operator==(const Shown&) const = default;
};

class DeferredDraws : public TextPanes {
  protected:
    // A burst as the interpreter sends it: messages, output, a prompt;
    // refreshed after each message when `each_time`, as when every message
    // finds the socket empty behind it and the refresh interval is over.
    static void burst(bool each_time) {
        const auto then = [&] {
            if (each_time) display_refresh();
        };
        for (int i = 0; i < 3000; ++i) {
            command_pane_print("message " + std::to_string(i));
            then();
            if (i % 100 == 0) {
                const std::string out = "output " + std::to_string(i) + "\n";
                io_pane_append_output(out.data(), out.size());
                then();
            }
        }
        command_pane_append("appended");
        then();
        command_pane_new_prompt();
        then();
    }
    static Shown shown() {
        Shown s{{}, g_panes.io.top_line, g_panes.command.top_line};
        for (const Pane* pane : {&g_panes.io, &g_panes.command})
            for (int r = 0; r < pane->visible_rows; ++r)
                s.rows.push_back(row_text(*pane, r));
        return s;
    }
    static std::size_t ops() {
        return headless::canvas_op_count(g_panes.io.window) +
               headless::canvas_op_count(g_panes.command.window);
    }
};

} // namespace

TEST_F(DeferredDraws, ABurstIsDrawnOnceAndEndsAsIfDrawnEachTime) {
    burst(true);
    const Shown each_time = shown();
    const std::size_t ops_each_time = ops();

    SetUp();
    headless::canvas_clear_all();
    burst(false);
    EXPECT_EQ(ops(), 0u) << "nothing is drawn before the refresh";
    display_refresh();
    EXPECT_EQ(shown(), each_time);
    // One redraw a pane: a small part of what a draw per message costs.
    const std::size_t ops_once = ops();
    EXPECT_GT(ops_once, 0u);
    EXPECT_LT(ops_once * 100, ops_each_time);
    display_refresh();
    EXPECT_EQ(ops(), ops_once) << "nothing is due twice";
}

TEST_F(DeferredDraws, OutputScrolledBackStaysWhereTheUserPutIt) {
    for (int i = 0; i < 200; ++i) {
        const std::string out = "early " + std::to_string(i) + "\n";
        io_pane_append_output(out.data(), out.size());
    }
    pane_set_top_line(g_panes.io, 3);
    display_refresh();
    for (int i = 0; i < 50; ++i)
        io_pane_append_output("more\n", 5);
    display_refresh();
    EXPECT_EQ(g_panes.io.top_line, 3);
    EXPECT_EQ(g_panes.io.lines.size(), 250u);
}

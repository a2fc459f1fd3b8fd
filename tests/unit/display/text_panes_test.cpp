// What the rest of vel may do to the panes' text (view/text_panes.h).
#include "display/line_editor.h"
#include "display/panes.h"
#include "display_fixture.h"
#include "link/source.h"
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
    io_append_output("abc", 3);
    EXPECT_EQ(g_panes.io.lines, (Lines{"abc"}));
    type_into(g_panes.io, "yes");
    io_append_output("def\nghi", 7);
    EXPECT_EQ(g_panes.io.lines, (Lines{"abcdef\n", "ghiyes"}));
    EXPECT_EQ(g_panes.io.editor.length, 3);
    io_append_output("\n", 1);
    EXPECT_EQ(g_panes.io.lines, (Lines{"abcdef\n", "ghi\n", "yes"}));
}

TEST_F(TextPanes, MessagesGoAboveOrBelowThePrompt) {
    command_print("above");
    EXPECT_EQ(g_panes.command.lines, (Lines{"banner\n", "above\n", "% "}));
    command_append("below");
    EXPECT_EQ(g_panes.command.lines, (Lines{"banner\n", "above\n", "% \n", "below\n"}));
    command_new_prompt();
    EXPECT_EQ(g_panes.command.lines.back(), "% ");
    command_print("");
    EXPECT_EQ(g_panes.command.lines.size(), 5u);
}

TEST_F(TextPanes, AnEchoedCommandReplacesThePromptAndEntersTheHistory) {
    type_into(g_panes.command, "half");
    const CommandEcho echo = command_echo("next");
    command_echo_done(echo);
    EXPECT_EQ(g_panes.command.lines, (Lines{"banner\n", "% next\n", "% "}));
    EXPECT_EQ(g_panes.command.editor.length, 0);
    EXPECT_EQ(g_panes.command.editor.history, (Lines{"next"}));
}

TEST_F(TextPanes, TypedTextStopsAtItsFirstLineAndEraseKeepsWhatIsBeforeTheCursor) {
    command_type_text("step\nkill");
    EXPECT_EQ(g_panes.command.lines.back(), "% step");
    line_editor_key(g_panes.command, KEY_LEFT, false, false, SubmitAction());
    line_editor_key(g_panes.command, KEY_LEFT, false, false, SubmitAction());
    command_erase_input(false);
    EXPECT_EQ(g_panes.command.lines.back(), "% st");
    command_erase_input(true);
    EXPECT_EQ(g_panes.command.lines.back(), "% ");
    command_erase_input(true); // nothing typed: nothing happens
    EXPECT_EQ(g_panes.command.lines.back(), "% ");
}

TEST_F(TextPanes, SourceLinesAreShownAQuarterOrHalfwayDown) {
    g_source.lines = numbered_lines(500);
    const int rows = g_panes.source.visible_rows;
    source_show_line(200, ShowAt::Quarter);
    EXPECT_EQ(source_top_line(), 200 - rows / 4);
    source_show_line(200, ShowAt::Middle);
    EXPECT_EQ(source_top_line(), 200 - rows / 2);
    source_show_line(1, ShowAt::Middle);
    EXPECT_EQ(source_top_line(), 0);
    source_show_line(std::int64_t{1} << 40, ShowAt::Quarter);
    EXPECT_GE(source_top_line(), 0);
    source_text_replaced();
    EXPECT_EQ(source_top_line(), 0);
}

TEST_F(TextPanes, AStopLineAmongWrappedLinesIsCentredByRows) {
    Pane& source = g_panes.source;
    const int rows = source.visible_rows;
    ASSERT_GE(rows, 8);
    // Every line wraps over three rows: the text columns are the pane's
    // less 8 for the numbers of 3,000 lines.
    const auto text_columns = static_cast<std::size_t>(source.visible_columns - 8);
    g_source.lines = std::vector<std::string>(3000, std::string(2 * text_columns + 1, 'w') + "\n");
    const auto shown = [&](std::int32_t line) {
        return source.top_line <= line && line < source.last_line_shown;
    };
    source_show_line(2000, ShowAt::Middle);
    EXPECT_TRUE(shown(2000));
    EXPECT_GE(source_top_line(), 2000 - rows / 2 / 2);
    EXPECT_LT(source_top_line(), 2000);

    // A line too tall for the pane just before the stop line: the stop line
    // goes to the top rather than out of view.
    g_source.lines[1999] = std::string(1 << 20, 'x');
    source_show_line(2000, ShowAt::Middle);
    EXPECT_EQ(source_top_line(), 2000);
    EXPECT_TRUE(shown(2000));
    // The same for the quarter of a list message, and with short lines the
    // old arithmetic still holds.
    source_show_line(2005, ShowAt::Quarter);
    EXPECT_TRUE(shown(2005));
    g_source.lines = numbered_lines(500);
    source_show_line(200, ShowAt::Middle);
    EXPECT_EQ(source_top_line(), 200 - rows / 2);
}

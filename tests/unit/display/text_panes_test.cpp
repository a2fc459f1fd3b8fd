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

// Commands made of selected text: whatever the selection spans, what goes to
// the interpreter is one line, and the echo shows exactly that line.
#include "commands/command.h"
#include "display/mouse/mouse_events.h"
#include "display/mouse/selection_state.h"
#include "display/panes/panes.h"
#include "display_fixture.h"
#include "link/link_state.h"
#include "pretend_interpreter.h"
#include "source/source.h"
#include "source_given.h"
#include "view/selection.h"

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class SelectionCommands : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        open_window();
        given_source({"s = a+b\n", "long = 3\n", "x = 1\r\n", "p\rq = 2\n"});
        redrawn(g_panes.source);
        g_panes.io.lines = {"out one\r\n", "out two\n"};
        g_panes.io.has_lines = true;
        g_panes.command.lines = {"% "};
        g_link.connected = true;
        g_link.test_mode = true; // every frame is echoed into the command pane
    }
    static void select(PaneKind pane, int sl, int sc, int el, int ec) {
        selection_set({pane, sl, sc, el, ec});
    }
    // The frames sent, as the test mode echoes them.
    static Lines frames() { return pretend::payloads(); }
    static Lines echoes() {
        Lines out;
        for (const std::string& line : g_panes.command.lines)
            if (line.rfind("% ", 0) == 0 && line != "% \n" && line.size() > 2) out.push_back(line);
        return out;
    }
    static bool has_line_end(const std::string& text) {
        return text.find_first_of("\r\n") != std::string::npos;
    }
};

} // namespace

TEST_F(SelectionCommands, PrintOfSeveralLinesSendsThemJoinedByBlanksAndEchoesThat) {
    select(PaneKind::Source, 0, 0, 1, 5); // "s = a+b" LF "long ="
    vel_command_typed("print .sel");
    EXPECT_EQ(frames(), Lines{"interpret say s = a+b long ="});
    EXPECT_EQ(echoes(), Lines{"% print s = a+b long =\n"});
}

TEST_F(SelectionCommands, NoCommandFromASelectionCarriesALineEnd) {
    struct Case {
        const char* what;
        PaneKind pane;
        int sl, sc, el, ec;
        const char* command;
        Lines expected; // the frames sent
    };
    const Case cases[] = {
        {"whole lines with CR LF, typed",
         PaneKind::Source,
         1,
         0,
         2,
         6,
         "print .sel",
         {"interpret say long = 3 x = 1"}},
        {"a CR inside a line", PaneKind::Source, 3, 0, 3, 2, "print .sel", {"interpret say p q"}},
        {"the extended selection over two lines",
         PaneKind::Source,
         1,
         0,
         2,
         0,
         "print .selw",
         {"interpret say long = 3"}},
        {"a line end at the end of the selection",
         PaneKind::Source,
         1,
         0,
         1,
         8,
         "print .sel",
         {"interpret say long = 3"}},
        {"routine breakpoints named by the selection",
         PaneKind::Source,
         0,
         4,
         1,
         3,
         "stop in .sel",
         {"stop in a+b 0 0", "stop in long 1 0"}},
        {"the io pane's CR LF lines",
         PaneKind::Io,
         0,
         4,
         1,
         2,
         "print .sel",
         {"interpret say one out"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g_panes.command.lines = {"% "};
        select(c.pane, c.sl, c.sc, c.el, c.ec);
        vel_command_typed(c.command);
        const Lines sent = frames();
        EXPECT_EQ(sent, c.expected);
        for (const std::string& frame : sent)
            EXPECT_FALSE(has_line_end(frame)) << frame;
    }
    // Typed at the prompt, the line goes the same way.
    g_panes.command.lines = {"% "};
    select(PaneKind::Source, 0, 4, 1, 3);
    const std::string typed = "print .sel";
    vel_command(typed.data(), static_cast<int>(typed.size()));
    EXPECT_EQ(frames(), Lines{"interpret say a+b long"});
}

TEST_F(SelectionCommands, TheMiddleButtonTypesNoCarriageReturnIntoAnInputLine) {
    select(PaneKind::Source, 3, 0, 3, 6); // "p" CR "q = 2"
    MouseEvent middle;
    middle.x = 5;
    middle.y = 5;
    middle.button = 2;
    middle.time_ms = 1000;
    mouse_press(g_panes.command, middle);
    mouse_other_release(2);
    EXPECT_EQ(g_panes.command.lines.back(), "% p q = 2");
    // A selection of CR LF lines types its first line without the CR.
    select(PaneKind::Source, 2, 0, 3, 1);
    g_panes.command.lines = {"% "};
    g_panes.command.editor.length = 0;
    g_panes.command.editor.cursor = 0;
    middle.time_ms = 3000;
    mouse_press(g_panes.command, middle);
    mouse_other_release(2);
    EXPECT_EQ(g_panes.command.lines.back(), "% x = 1");
}

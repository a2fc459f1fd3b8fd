// Where keys go: by the pointer's position over the panes, the macro's
// state and the bindings. Frames vel sends show in the command pane (test
// mode), so each case reads what reached the interpreter from there.
#include "commands/command.h"
#include "commands/key_bindings.h"
#include "display/keyboard/key_route.h"
#include "display/panes/line_editor.h"
#include "display/panes/panes.h"
#include "display/window/layout.h"
#include "display_fixture.h"
#include "link/link_state.h"
#include "loopback.h"
#include "source/source.h"
#include "source_given.h"

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class KeyRouting : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        open_window();
        vel_keys_init();
        g_link.test_mode = true;
        g_link.connected = true;
        g_link.command_socket = 7;
        g_panes.command.lines = {"banner\n", "\n", "% "};
        g_panes.command.has_lines = true;
    }

    static int middle_of(int pane) { return layout_pane_top(pane) + g_layout.heights[pane] / 2; }
    static void press(int code, int pane, KeyModifiers modifiers = {}) {
        key_route(code, modifiers, middle_of(pane), KeyTarget::MainWindow);
    }
    static void type(const std::string& text, int pane) {
        for (unsigned char c : text)
            press(c, pane);
    }
    static const Lines& command() { return g_panes.command.lines; }
    static bool command_has(const std::string& line) {
        for (const std::string& l : command())
            if (l == line) return true;
        return false;
    }
};

KeyModifiers ctrl() {
    KeyModifiers m;
    m.ctrl = true;
    return m;
}

} // namespace

TEST_F(KeyRouting, TypingOverTheCommandSideGoesToThePrompt) {
    type("wh", LAYOUT_SOURCE);
    type("e", LAYOUT_PANEL);
    type("re", LAYOUT_COMMAND);
    EXPECT_EQ(command().back(), "% where");
    press(KEY_ENTER, LAYOUT_COMMAND);
    EXPECT_TRUE(command_has("+++ vel_send(7) where\n"));
    EXPECT_EQ(command().back(), "% ");
    EXPECT_EQ(g_panes.command.editor.history, (Lines{"where"}));
    EXPECT_TRUE(g_panes.io.lines.empty());
}

TEST_F(KeyRouting, FunctionKeysRunTheirBindingsFromAnywhere) {
    press(key_f(10), LAYOUT_IO);
    EXPECT_TRUE(command_has("+++ vel_send(7) next\n"));
    EXPECT_TRUE(command_has("% next\n"));
    key_route(key_f(11), {}, -50, KeyTarget::MainWindow); // over the toolbar
    EXPECT_TRUE(command_has("+++ vel_send(7) step\n"));
}

TEST_F(KeyRouting, LettersOutsideThePanesAreDropped) {
    const Lines before = command();
    key_route('x', {}, -50, KeyTarget::MainWindow);
    EXPECT_EQ(command(), before);
    EXPECT_TRUE(g_panes.io.lines.empty());
}

TEST_F(KeyRouting, KeysThatReachAPaneWindowDoNothing) {
    const Lines before = command();
    key_route('x', {}, middle_of(LAYOUT_COMMAND), KeyTarget::Pane);
    key_route(key_f(10), {}, middle_of(LAYOUT_COMMAND), KeyTarget::Pane);
    EXPECT_EQ(command(), before);
}

TEST_F(KeyRouting, OverTheIoPaneALineGoesToTheMacrosInput) {
    LoopbackPair stdin_pair;
    g_link.stdin_socket = stdin_pair.near_end;
    type("Al", LAYOUT_IO);
    press(KEY_BACKSPACE, LAYOUT_IO);
    type("da", LAYOUT_IO);
    press(KEY_ENTER, LAYOUT_IO);
    EXPECT_EQ(stdin_pair.read_far(), "Ada\n");
    EXPECT_EQ(g_panes.io.lines, (Lines{"Ada\n"}));
    EXPECT_EQ(g_panes.io.editor.history, (Lines{"Ada"}));
    EXPECT_EQ(command().back(), "% "); // the prompt saw nothing
}

TEST_F(KeyRouting, AHaltedMacroTakesTheTypingButNotCtrlKeys) {
    given_stop(0, "main", StopKind::Halt);
    type("42", LAYOUT_SOURCE);
    EXPECT_EQ(g_panes.io.lines, (Lines{"42"}));
    press('c', LAYOUT_SOURCE, ctrl()); // Ctrl+C: break
    EXPECT_TRUE(command_has("+++ vel_send(7) break\n"));
    EXPECT_EQ(g_panes.io.lines, (Lines{"42"}));
}

TEST_F(KeyRouting, CtrlKeysOverTheIoPaneStillRunBindings) {
    press('u', LAYOUT_IO, ctrl());
    EXPECT_TRUE(command_has("% upsource 1\n"));
    EXPECT_TRUE(g_panes.io.lines.empty());
}

TEST_F(KeyRouting, PageDownPagesThePaneUnlessR9IsBound) {
    g_panes.io.lines = numbered_lines(200);
    g_panes.io.has_lines = true;
    pane_update_scroll_bar(g_panes.io);
    redrawn(g_panes.io);
    press(KEY_PAGE_DOWN, LAYOUT_IO);
    const int paged_to = g_panes.io.top_line;
    EXPECT_GT(paged_to, 0);
    press(KEY_PAGE_UP, LAYOUT_IO);
    EXPECT_EQ(g_panes.io.top_line, 0);

    vel_command("set r9 where", 12);
    press(KEY_PAGE_DOWN, LAYOUT_IO);
    EXPECT_EQ(g_panes.io.top_line, 0);
    EXPECT_TRUE(command_has("+++ vel_send(7) where\n"));
}

TEST_F(KeyRouting, EofErasesTheTypedInputAndAPastedLineTypesItsFirstLine) {
    type("print x", LAYOUT_COMMAND);
    press(KEY_LEFT, LAYOUT_COMMAND);
    vel_command("set f6 eof", 10);
    press(key_f(6), LAYOUT_COMMAND);
    EXPECT_EQ(command().back(), "% print ");
    press(key_f(6), LAYOUT_COMMAND, [] {
        KeyModifiers m;
        m.shift = true;
        return m;
    }());
    // Shift+F6 has its own (empty) slot: taken, nothing happens.
    EXPECT_EQ(command().back(), "% print ");
}

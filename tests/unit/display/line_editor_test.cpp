// The line editor of the io and command panes, driven key by key.
#include "display/panes/line_editor.h"
#include "display/panes/panes.h"
#include "test_support.h"
#include "view/key_codes.h"

#include <random>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class LineEditor : public VelTest {
  protected:
    void SetUp() override {
        VelTest::SetUp();
        pane().lines = {"banner\n", "\n", "% "};
        pane().has_lines = true;
    }
    static Pane& pane() { return g_panes.command; }
    static const LineEditorState& editor() { return pane().editor; }
    static std::string last() { return pane().lines.back(); }

    void key(int code, bool shift = false) {
        line_editor_key(pane(), code, shift, false,
                        [this](std::string_view line) { submitted.emplace_back(line); });
    }
    void type(const std::string& text) {
        for (unsigned char c : text)
            key(c);
    }
    void enter(const std::string& text) {
        type(text);
        key(KEY_ENTER);
        pane().lines.push_back("% "); // the prompt the routing adds after Enter
    }

    std::vector<std::string> submitted;
};

} // namespace

TEST_F(LineEditor, TypingAppendsAfterTheFixedPrompt) {
    type("abc");
    EXPECT_EQ(last(), "% abc");
    EXPECT_EQ(editor().buffer, "abc");
    EXPECT_EQ(editor().cursor, 3);
    EXPECT_EQ(editor().length, 3);
    key(KEY_HOME);
    key(KEY_BACKSPACE); // nothing before the cursor
    key(KEY_LEFT);      // not below 0
    EXPECT_EQ(editor().cursor, 0);
    EXPECT_EQ(last(), "% abc");
    key(KEY_END);
    key(KEY_RIGHT); // not beyond the end
    EXPECT_EQ(editor().cursor, 3);
}

TEST_F(LineEditor, InsertAndOverwriteInsideTheInput) {
    type("abc");
    key(KEY_LEFT);
    key(KEY_LEFT);
    type("X");
    EXPECT_EQ(last(), "% aXbc");
    EXPECT_EQ(editor().cursor, 2);
    key(KEY_INSERT);
    EXPECT_FALSE(g_panes.insert_mode);
    type("YZ");
    EXPECT_EQ(last(), "% aXYZ");
    EXPECT_EQ(editor().length, 4);
    type("!"); // at the end overwrite appends
    EXPECT_EQ(last(), "% aXYZ!");
    key(KEY_INSERT);
    EXPECT_TRUE(g_panes.insert_mode);
}

TEST_F(LineEditor, BackspaceInOverwriteModeBlanksAndInInsertModeRemoves) {
    g_panes.insert_mode = false;
    type("abc");
    key(KEY_BACKSPACE);
    EXPECT_EQ(last(), "% ab ");
    EXPECT_EQ(editor().buffer, "ab ");
    EXPECT_EQ(editor().cursor, 2);
    EXPECT_EQ(editor().length, 3);

    g_panes.insert_mode = true;
    key(KEY_BACKSPACE);
    EXPECT_EQ(last(), "% a ");
    EXPECT_EQ(editor().buffer, "a ");
    EXPECT_EQ(editor().cursor, 1);
    EXPECT_EQ(editor().length, 2);
}

TEST_F(LineEditor, DeleteAndEscape) {
    type("hello");
    key(KEY_HOME);
    key(KEY_DELETE);
    EXPECT_EQ(last(), "% ello");
    key(KEY_END);
    key(KEY_DELETE); // at the end: nothing
    EXPECT_EQ(last(), "% ello");
    key(KEY_LEFT);
    key(KEY_LEFT);
    key(KEY_ESCAPE); // from the cursor to the end
    EXPECT_EQ(last(), "% el");
    EXPECT_EQ(editor().length, 2);
    key(KEY_ESCAPE, true); // with Shift: the whole input
    EXPECT_EQ(last(), "% ");
    EXPECT_EQ(editor().length, 0);
    EXPECT_EQ(editor().cursor, 0);
}

TEST_F(LineEditor, EnterSubmitsAndKeepsHistoryWithoutRepeats) {
    enter("step");
    enter("step");
    enter("where");
    EXPECT_EQ(submitted, (Lines{"step", "step", "where"}));
    EXPECT_EQ(editor().history, (Lines{"step", "where"}));
    EXPECT_EQ(editor().history_index, 2);
    EXPECT_EQ(pane().lines[pane().lines.size() - 2], "% where\n");
    EXPECT_FALSE(editor().buffer);

    key(KEY_ENTER); // nothing typed: submitted empty, not remembered
    EXPECT_EQ(submitted.back(), "");
    EXPECT_EQ(editor().history.size(), 2u);
    pane().lines.push_back("% ");

    type("x");
    key(KEY_BACKSPACE); // typed and emptied again still counts
    key(KEY_ENTER);
    EXPECT_EQ(editor().history, (Lines{"step", "where", ""}));
}

TEST_F(LineEditor, HistoryRecallWrapsBothWays) {
    enter("one");
    enter("two");
    enter("three");
    ASSERT_EQ(editor().history_index, 3);
    key(KEY_UP);
    EXPECT_EQ(last(), "% three");
    EXPECT_EQ(editor().history_index, 2);
    key(KEY_DOWN); // from the last entry to the first
    EXPECT_EQ(last(), "% one");
    EXPECT_EQ(editor().history_index, 0);
    key(KEY_UP); // from the first entry to the last
    EXPECT_EQ(last(), "% three");
    key(KEY_UP);
    EXPECT_EQ(last(), "% two");
    EXPECT_EQ(editor().cursor, 3);
    EXPECT_EQ(editor().length, 3);
    key(KEY_ENTER);
    EXPECT_EQ(submitted.back(), "two");
}

TEST_F(LineEditor, RecallAfterAClosedLineStartsANewOne) {
    enter("go");
    pane().lines.back() = "% \n"; // the prompt line closed by a message
    key(KEY_UP);
    EXPECT_EQ(pane().lines.back(), "go");
    EXPECT_EQ(pane().lines[pane().lines.size() - 2], "% \n");
}

TEST_F(LineEditor, EmptyHistoryIgnoresRecall) {
    type("ab");
    key(KEY_UP);
    key(KEY_DOWN);
    EXPECT_EQ(last(), "% ab");
    EXPECT_EQ(editor().cursor, 2);
}

TEST_F(LineEditor, IoPaneStartsItsFirstLineAndKeepsTheMacrosPromptFixed) {
    Pane& io = g_panes.io;
    line_editor_type(io, 'y');
    EXPECT_EQ(io.lines, (Lines{"y"}));
    io = Pane{PaneKind::Io};
    io.lines = {"Name? "};
    io.has_lines = true;
    for (char c : std::string("Al"))
        line_editor_type(io, c);
    line_editor_key(io, KEY_HOME, false, false, nullptr);
    line_editor_key(io, KEY_DELETE, false, false, nullptr);
    line_editor_key(io, KEY_DELETE, false, false, nullptr);
    line_editor_key(io, KEY_DELETE, false, false, nullptr);
    EXPECT_EQ(io.lines, (Lines{"Name? "}));
    line_editor_type(io, 'B');
    EXPECT_EQ(io.lines, (Lines{"Name? B"}));
}

TEST_F(LineEditor, CharactersAfterAClosedLineStartANewLine) {
    pane().lines.back() = "output\n";
    type("q");
    EXPECT_EQ(pane().lines.back(), "q");
    EXPECT_EQ(pane().lines[pane().lines.size() - 2], "output\n");
}

TEST_F(LineEditor, OtherCodesAndCtrlCharactersDoNothing) {
    type("ab");
    const Lines before = pane().lines;
    for (int code : {1, 9, 31, KEY_F_FIRST + 20, KEY_SCROLL_LOCK, 0x10000, -5})
        key(code);
    line_editor_key(pane(), 'z', false, true, nullptr);
    EXPECT_EQ(pane().lines, before);
    EXPECT_EQ(editor().length, 2);
}

TEST_F(LineEditor, AnyKeySequenceKeepsTheInputAsTheLinesTail) {
    const int codes[] = {'a',        'b',        ' ',      0xE9,      KEY_BACKSPACE,
                         KEY_DELETE, KEY_ESCAPE, KEY_LEFT, KEY_RIGHT, KEY_HOME,
                         KEY_END,    KEY_INSERT, KEY_UP,   KEY_DOWN,  KEY_ENTER};
    std::mt19937 random(12345);
    for (int round = 0; round < 200; ++round) {
        SetUp();
        for (int step = 0; step < 60; ++step) {
            const int code = codes[random() % std::size(codes)];
            key(code, random() % 2 == 0);
            if (code == KEY_ENTER) pane().lines.push_back("% ");
            const LineEditorState& e = editor();
            ASSERT_GE(e.cursor, 0);
            ASSERT_LE(e.cursor, e.length);
            const std::string& line = last();
            ASSERT_GE(line.size(), static_cast<std::size_t>(e.length));
            ASSERT_EQ(line.substr(line.size() - e.length), e.buffer.value_or(""));
            ASSERT_EQ(line.substr(0, 2), "% ");
        }
    }
}

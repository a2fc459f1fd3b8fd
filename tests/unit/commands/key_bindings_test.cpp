// Key bindings: the "set" command, the listing, key dispatch with its
// built-in actions, and the keyboard character table from the headless US
// layout.
#include "commands/key_bindings.h"
#include "commands/keyboard_table.h"
#include "commands_fixture.h"
#include "display/mouse/clipboard.h"
#include "display/panes/line_editor.h"
#include "display/panes/panes.h"
#include "platform/headless/clipboard_control.h"
#include "platform/headless/keyboard_control.h"
#include "source/source.h"
#include "source_given.h"
#include "view/key_codes.h"

#include <algorithm>

namespace {

const Lines kDefaultListing = {
    "F3          s_copy",   "F4          s_paste",     "F5          cont",    "F10         next",
    "F11         step",     "F12         stepout",     "S-F5        run",     "S-F11       stepout",
    "C-F10       runto",    "L3          eof",         "L6          s_copy",  "L8          s_paste",
    "^c          break",    "^i          upsource -1", "^k          kill",    "^o          upcmd 1",
    "^p          upcmd -1", "^u          upsource 1",  "^v          s_paste", "SERVER      sun",
};

class KeyBindingsTest : public CommandsTest {
  protected:
    void SetUp() override {
        CommandsTest::SetUp();
        vel_keys_init();
        g_keyboard_table = KeyboardTable{};
        headless::keyboard_reset();
    }
    void TearDown() override {
        headless::keyboard_reset();
        g_keyboard_table = KeyboardTable{};
        vel_keys_init();
        CommandsTest::TearDown();
    }

    // Runs "set" lines through the command language and forgets what they
    // printed, so a test sees only what follows.
    static void set_quietly(std::initializer_list<std::string> lines) {
        for (const std::string& line : lines)
            run(line);
        clear_pane();
    }
    static Lines listing() {
        clear_pane();
        run("set");
        return messages();
    }
    static void type(const std::string& text) {
        for (const char c : text)
            line_editor_type(g_panes.command, static_cast<unsigned char>(c));
    }
    static bool press(int code, bool shift = false, bool ctrl = false, bool meta = false) {
        return vel_key_dispatch(code, shift, ctrl, meta);
    }
    // What one key press sent. A command run from a key replaces the pane's
    // last line, which in test mode may be the echo of an earlier frame, so
    // each press starts from a clean pane.
    static Lines sent_by(int code, bool shift = false, bool ctrl = false, bool meta = false) {
        clear_pane();
        EXPECT_TRUE(press(code, shift, ctrl, meta));
        return sent();
    }
    // Exactly the given messages appended after the prompt line.
    static Lines appended(const std::string& message) {
        return {g_panes.prompt + "\n", message + "\n"};
    }
};

// ---- the listing ----

TEST_F(KeyBindingsTest, SetAloneAndWithQuestionMarkListTheDefaultsAbovePrompt) {
    for (const std::string line : {"set", "set ?", "set    ?anything", "set ", "SET     "}) {
        clear_pane();
        run(line);
        EXPECT_EQ(messages(), kDefaultListing) << line;
        EXPECT_EQ(g_panes.command.lines.back(), g_panes.prompt) << line;
        EXPECT_TRUE(sent().empty());
    }
}

TEST_F(KeyBindingsTest, ListingLabelsEveryRowOfEveryTable) {
    g_key_bindings = KeyBindings{}; // no defaults in the way
    set_quietly({"set f1 a", "set s-f12 b", "set c-f1 c", "set m-f12 d", "set r15 e", "set s-r1 f",
                 "set c-r15 g", "set m-r1 h", "set l10 i", "set m-l10 j", "set ^~ k", "set m-Z l",
                 "set server alphapc"});
    EXPECT_EQ(listing(), (Lines{"F1          a", "S-F12       b", "C-F1        c", "M-F12       d",
                                "R15         e", "S-R1        f", "C-R15       g", "M-R1        h",
                                "L10         i", "M-L10       j", "^~          k", "M-Z          l",
                                "SERVER      alphapc"}));
}

// ---- set: keys and slots ----

TEST_F(KeyBindingsTest, ShiftPrefixAndNumberBeyondTheRowReachTheSameSlot) {
    set_quietly({"set s-f5 where"});
    EXPECT_EQ(g_key_bindings.f[17], "where");
    set_quietly({"set f17 up"});
    EXPECT_EQ(g_key_bindings.f[17], "up");
    set_quietly({"set f13 down"});
    EXPECT_EQ(g_key_bindings.f[13], "down");
    const Lines listed = listing();
    EXPECT_EQ(std::count(listed.begin(), listed.end(), "S-F1        down"), 1);

    EXPECT_EQ(sent_by(key_f(1), true), Lines{"down"});
    EXPECT_EQ(sent_by(key_f(5), true), Lines{"up"});
}

TEST_F(KeyBindingsTest, PfNamesTheFTableSlotDirectly) {
    set_quietly({"set pf13 where", "set pf48 up", "set pf1 down"});
    EXPECT_EQ(g_key_bindings.f[13], "where");
    EXPECT_EQ(g_key_bindings.f[48], "up"); // Meta+F12
    EXPECT_EQ(g_key_bindings.f[1], "down");

    for (const std::string line :
         {"set pf0 x", "set pf49 x", "set s-pf5 x", "set c-pf1 x", "set m-pf12 x"}) {
        const KeyBindings before = g_key_bindings;
        clear_pane();
        run(line);
        EXPECT_EQ(g_panes.command.lines, appended("..... Invalid parameters.")) << line;
        EXPECT_EQ(g_key_bindings.f, before.f) << line;
    }
}

TEST_F(KeyBindingsTest, SlotsOutsideATableAreInvalidParameters) {
    for (const std::string line : {"set f49 x", "set s-f37 x", "set m-f13 x", "set r61 x",
                                   "set c-r31 x", "set l41 x", "set m-l11 x", "set f99999999 x"}) {
        const KeyBindings before = g_key_bindings;
        clear_pane();
        run(line);
        EXPECT_EQ(g_panes.command.lines, appended("..... Invalid parameters.")) << line;
        EXPECT_EQ(listing(), kDefaultListing) << line;
    }
    // The last slot of each table is still inside it.
    set_quietly({"set f48 a", "set c-f24 b", "set r60 c", "set l40 d", "set m-l10 e"});
    EXPECT_EQ(g_key_bindings.f[48], "b");
    EXPECT_EQ(g_key_bindings.r[60], "c");
    EXPECT_EQ(g_key_bindings.l[40], "e");
}

TEST_F(KeyBindingsTest, NamesThatAreNoKeyAreIgnoredSilently) {
    for (const std::string line :
         {"set F5 where", "set PF5 where", "set S-f5 where", "set s-x where", "set c-x where",
          "set f where", "set pf where", "set f+5 where", "set f-5 where", "set f5x where",
          "set pf123456789 where", "set f123456789 where", "set ^ where", "set ^ab where",
          "set c-^ab where", "set key where", "set m- where", "set serverx sun"}) {
        clear_pane();
        run(line);
        EXPECT_TRUE(messages().empty()) << line;
        EXPECT_EQ(listing(), kDefaultListing) << line;
    }
}

TEST_F(KeyBindingsTest, CaretBindsTheControlTableAndRefusesModifiers) {
    set_quietly({"set ^a where", "set ^A up"});
    EXPECT_EQ(g_key_bindings.control['a'], "where");
    EXPECT_EQ(g_key_bindings.control['A'], "up");

    for (const std::string line : {"set s-^a x", "set c-^a x", "set m-^a x", "set r-^a x"}) {
        clear_pane();
        run(line);
        EXPECT_EQ(g_panes.command.lines, appended("..... Invalid parameters.")) << line;
    }
    EXPECT_EQ(g_key_bindings.control['a'], "where");
}

TEST_F(KeyBindingsTest, LAndRPrefixesMeanMeta) {
    set_quietly({"set l-f1 a", "set r-r2 b", "set m-l3 c"});
    EXPECT_EQ(g_key_bindings.f[1 + 36], "a");
    EXPECT_EQ(g_key_bindings.r[2 + 45], "b");
    EXPECT_EQ(g_key_bindings.l[3 + 30], "c");
}

TEST_F(KeyBindingsTest, ValueKeepsInnerSpacesAndLosesTrailingOnes) {
    set_quietly({"set   f7    print   a  b   "});
    EXPECT_EQ(g_key_bindings.f[7], "print   a  b");
    // A semicolon at the end makes a binding, not an interpret line.
    set_quietly({"set f8 say 1;"});
    EXPECT_EQ(g_key_bindings.f[8], "say 1;");
    EXPECT_TRUE(sent().empty());
}

TEST_F(KeyBindingsTest, KeyWithoutValueUnbindsIt) {
    set_quietly({"set f5", "set ^c   "});
    Lines expected = kDefaultListing;
    std::erase(expected, "F5          cont");
    std::erase(expected, "^c          break");
    EXPECT_EQ(listing(), expected);
    // Still a key of the tables: pressing it is taken and does nothing.
    clear_pane();
    EXPECT_TRUE(press(key_f(5)));
    EXPECT_TRUE(press('c', false, true));
    EXPECT_EQ(g_panes.command.lines, Lines{"% "});
}

TEST_F(KeyBindingsTest, ServerNamesAreFoldedAndChecked) {
    set_quietly({"set server LiNuX"});
    EXPECT_EQ(listing().back(), "SERVER      linux");

    clear_pane();
    run("set server vax");
    EXPECT_EQ(g_panes.command.lines, appended("..... Invalid server."));

    // Several words, or none: nothing happens and nothing is said.
    for (const std::string line : {"set server sun sgi", "set server", "set server    "}) {
        clear_pane();
        run(line);
        EXPECT_EQ(g_panes.command.lines, Lines{"% "}) << line;
    }
    EXPECT_EQ(listing().back(), "SERVER      linux");

    set_quietly({"set server alphapc", "set server hppc"});
    EXPECT_EQ(g_key_bindings.platform, 5);
}

TEST_F(KeyBindingsTest, MetaCharacterIsListedButNoKeyRunsIt) {
    set_quietly({"set m-x where"});
    Lines listed = listing();
    EXPECT_EQ(listed[listed.size() - 2], "M-x          where");

    clear_pane();
    EXPECT_FALSE(press('x', false, false, true));
    EXPECT_TRUE(press('x', false, true, true)); // the control table's empty slot
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(g_panes.command.lines, Lines{"% "});
}

TEST_F(KeyBindingsTest, InitRestoresTheDefaults) {
    set_quietly({"set f5 where", "set m-x up", "set server hp", "set f5"});
    vel_keys_init();
    EXPECT_EQ(listing(), kDefaultListing);
}

// ---- dispatch ----

TEST_F(KeyBindingsTest, FunctionKeyRunsItsCommandAsIfTyped) {
    type("half typed");
    ASSERT_TRUE(press(key_f(10)));
    // The half-typed input gives way to the command, echoed after the
    // prompt; the frame's echo follows it in test mode.
    EXPECT_EQ(g_panes.command.lines, (Lines{"% next\n", "% \n", "+++ vel_send(7) next\n"}));
    EXPECT_EQ(sent(), Lines{"next"});
    EXPECT_EQ(g_panes.command.editor.history, Lines{"next"});
    EXPECT_EQ(g_panes.command.editor.length, 0);
}

TEST_F(KeyBindingsTest, ModifierRowsPreferShiftThenCtrlThenMeta) {
    set_quietly({"set f7 step", "set s-f7 where", "set c-f7 up", "set m-f7 down"});
    EXPECT_EQ(sent_by(key_f(7)), Lines{"step"});
    EXPECT_EQ(sent_by(key_f(7), true, true, true), Lines{"where"});
    EXPECT_EQ(sent_by(key_f(7), false, true, true), Lines{"up"});
    EXPECT_EQ(sent_by(key_f(7), false, false, true), Lines{"down"});
    EXPECT_EQ(sent_by(key_f(7), true), Lines{"where"});
}

TEST_F(KeyBindingsTest, KeypadRangesEndWhereTheirTablesEnd) {
    set_quietly({"set r15 where", "set l10 up", "set f12 down"});
    EXPECT_EQ(sent_by(key_r(15)), Lines{"where"});
    EXPECT_EQ(sent_by(key_l(10)), Lines{"up"});
    EXPECT_EQ(sent_by(key_f(12)), Lines{"down"});

    clear_pane();
    // F13 to F24 have no slots; plain characters and cursor keys go to the
    // editor.
    for (const int code :
         {key_f(13), key_f(24), key_l(11), KEY_HOME, static_cast<int>('c'), 0, 256}) {
        EXPECT_FALSE(press(code)) << code;
        EXPECT_FALSE(press(code, true)) << code;
    }
    EXPECT_FALSE(press(KEY_HOME, false, true));
    EXPECT_EQ(g_panes.command.lines, Lines{"% "});
}

TEST_F(KeyBindingsTest, CtrlCRunsBreakWhichInterruptsOnlyARunningMacro) {
    ASSERT_TRUE(press('c', false, true));
    EXPECT_EQ(g_panes.command.lines.front(), "% break\n");
    EXPECT_TRUE(sent().empty());

    source_set_run(RunChange::Running);
    ASSERT_TRUE(press('c', false, true));
    EXPECT_EQ(sent(), Lines{"break"});
}

TEST_F(KeyBindingsTest, EmptyBindingIsTakenAndDoesNothing) {
    type("ab");
    const Lines before = g_panes.command.lines;
    EXPECT_TRUE(press(key_f(1)));
    EXPECT_TRUE(press(key_r(3), true));
    EXPECT_TRUE(press('z', false, true));
    EXPECT_EQ(g_panes.command.lines, before);
    EXPECT_EQ(g_panes.command.editor.length, 2);
}

TEST_F(KeyBindingsTest, EofErasesFromTheCursorOrEverythingWithShift) {
    // Shift+L3 is its own slot; bound to eof (in any case) it erases all.
    set_quietly({"set s-l3 EOF"});
    const auto left = [] {
        line_editor_key(g_panes.command, KEY_LEFT, false, false, SubmitAction());
    };
    type("hello");
    left();
    left();
    ASSERT_TRUE(press(key_l(3)));
    EXPECT_EQ(g_panes.command.lines, Lines{"% hel"});
    EXPECT_EQ(g_panes.command.editor.length, 3);

    type("lo");
    left();
    ASSERT_TRUE(press(key_l(3), true));
    EXPECT_EQ(g_panes.command.lines, Lines{"% "});
    EXPECT_EQ(g_panes.command.editor.length, 0);

    // With nothing typed it leaves the pane alone and sends nothing.
    EXPECT_TRUE(press(key_l(3)));
    EXPECT_EQ(g_panes.command.lines, Lines{"% "});
    EXPECT_TRUE(sent().empty());
}

TEST_F(KeyBindingsTest, PasteTypesTheClipboardsFirstLineWithoutRunningIt) {
    set_quietly({"set f6 S_Paste"});
    const std::string block = std::string("print abc\r\nnext\r\n") + '\0';
    headless::clipboard_set_from_other_program(block);
    type("x ");
    ASSERT_TRUE(press(key_f(4)));
    EXPECT_EQ(g_panes.command.lines, Lines{"% x print abc"});
    EXPECT_EQ(g_panes.command.editor.length, 11);
    EXPECT_TRUE(sent().empty());

    // Ctrl+V and a binding written in capitals paste too, at the cursor.
    line_editor_key(g_panes.command, KEY_HOME, false, false, SubmitAction());
    ASSERT_TRUE(press('v', false, true));
    line_editor_key(g_panes.command, KEY_END, false, false, SubmitAction());
    ASSERT_TRUE(press(key_f(6)));
    EXPECT_EQ(g_panes.command.lines, Lines{"% print abcx print abcprint abc"});
    EXPECT_EQ(g_panes.command.editor.length, 29);
    EXPECT_TRUE(sent().empty());
}

TEST_F(KeyBindingsTest, PasteWithEmptyClipboardTypesNothing) {
    type("ab");
    ASSERT_TRUE(press(key_l(8)));
    EXPECT_EQ(g_panes.command.lines, Lines{"% ab"});
}

TEST_F(KeyBindingsTest, CopyIsBuiltInAndNeverSent) {
    set_quietly({"set f9 S_COPY"});
    EXPECT_TRUE(press(key_f(3)));
    EXPECT_TRUE(press(key_f(9)));
    EXPECT_TRUE(press(key_l(6)));
    EXPECT_EQ(g_panes.command.lines, Lines{"% "});
    // Nothing is selected, so nothing is copied.
    EXPECT_FALSE(g_clipboard.copy_buffer.has_value());
}

TEST_F(KeyBindingsTest, CommandMayRebindItsOwnKey) {
    set_quietly({"set f7 set f7 where"});
    ASSERT_TRUE(press(key_f(7)));
    EXPECT_EQ(g_key_bindings.f[7], "where");
    EXPECT_EQ(sent_by(key_f(7)), Lines{"where"});
}

TEST_F(KeyBindingsTest, BindingLookupForPagingKeys) {
    EXPECT_TRUE(vel_key_binding(KEY_PAGE_DOWN, false, false, false)->empty());
    set_quietly({"set s-r9 where"});
    EXPECT_EQ(*vel_key_binding(KEY_PAGE_DOWN, true, false, false), "where");
    EXPECT_EQ(vel_key_binding('a', false, false, false), nullptr);
}

// ---- keyboard character table ----

const KeyTableEntry* entry_for(unsigned char plain) {
    for (const KeyTableEntry& e : g_keyboard_table.entries)
        if (e.plain == plain) return &e;
    return nullptr;
}

TEST_F(KeyBindingsTest, KeymapHoldsTheUnshiftedCharactersOfTheUsLayout) {
    vel_keymap_build();
    ASSERT_TRUE(g_keyboard_table.built);
    // 26 letters, 10 digits, 11 punctuation keys, space, Backspace, Tab,
    // Enter and Escape.
    EXPECT_EQ(g_keyboard_table.entries.size(), 52u);
    EXPECT_TRUE(std::is_sorted(
        g_keyboard_table.entries.begin(), g_keyboard_table.entries.end(),
        [](const KeyTableEntry& a, const KeyTableEntry& b) { return a.plain < b.plain; }));
    for (const int shifted : {int('A'), int('!'), int('{'), int('~'), 1, 0, 127, 10, 0xE9})
        EXPECT_EQ(entry_for(static_cast<unsigned char>(shifted)), nullptr) << shifted;
}

TEST_F(KeyBindingsTest, KeymapEntriesCarryWhatEachModifierTypes) {
    vel_keymap_build();
    const KeyTableEntry* a = entry_for('a');
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->virtual_key, 'A');
    EXPECT_EQ(a->scan_code, 0x1E);
    EXPECT_EQ(a->shifted, 'A');
    EXPECT_EQ(a->control, 1);
    EXPECT_EQ(a->shift_control, 1);
    EXPECT_EQ(a->alt, 'a');

    // Digits: Ctrl gives nothing, so the entry keeps the digit.
    const KeyTableEntry* one = entry_for('1');
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->shifted, '!');
    EXPECT_EQ(one->control, '1');
    EXPECT_EQ(one->shift_control, '1');
    EXPECT_EQ(entry_for('6')->shift_control, 0x1E);

    const KeyTableEntry* bracket = entry_for('[');
    ASSERT_NE(bracket, nullptr);
    EXPECT_EQ(bracket->virtual_key, 0xDB);
    EXPECT_EQ(bracket->shifted, '{');
    EXPECT_EQ(bracket->control, 27);
    EXPECT_EQ(bracket->shift_control, '[');

    const KeyTableEntry* backspace = entry_for(8);
    ASSERT_NE(backspace, nullptr);
    EXPECT_EQ(backspace->control, 127);
    EXPECT_EQ(entry_for('\r')->control, '\n');
}

TEST_F(KeyBindingsTest, KeymapTakesTheSecondOfTwoShiftedCharactersOnly) {
    // A dead key left pending comes out in front of the key's character.
    headless::keyboard_script(0xDE, true, false, false, "`\"");
    headless::keyboard_script(0xDE, false, true, false, "ab");
    headless::keyboard_script(0xDE, true, true, false, "cd");
    headless::keyboard_script(0xDE, false, false, true, "");
    vel_keymap_build();
    const KeyTableEntry* quote = entry_for('\'');
    ASSERT_NE(quote, nullptr);
    EXPECT_EQ(quote->shifted, '"');
    EXPECT_EQ(quote->control, '\'');
    EXPECT_EQ(quote->shift_control, '\'');
    EXPECT_EQ(quote->alt, '\'');
}

TEST_F(KeyBindingsTest, KeymapIsBuiltOnlyOnce) {
    vel_keymap_build();
    g_keyboard_table.entries.front().shifted = '#';
    headless::keyboard_script('A', true, false, false, "Q");
    vel_keymap_build();
    EXPECT_EQ(g_keyboard_table.entries.size(), 52u);
    EXPECT_EQ(g_keyboard_table.entries.front().shifted, '#');
    EXPECT_EQ(entry_for('a')->shifted, 'A');
}

} // namespace

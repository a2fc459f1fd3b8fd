// Edited files that the world outside vel changes: odd line ends and bytes
// read back and written again, files that grow or shrink by thousands of
// lines under breakpoints, pins and the stop arrow, and files made read-only
// or deleted while they hold unsaved edits.
#include "commands/breakpoints.h"
#include "commands/command.h"
#include "commands/status_file.h"
#include "display/panes/panes.h"
#include "edit/edit_buffer.h"
#include "edit/edit_quit.h"
#include "edit/edit_save.h"
#include "edit/edit_session.h"
#include "edit/edit_state.h"
#include "edit/edit_ui.h"
#include "file_contents.h"
#include "link/link_state.h"
#include "link/messages.h"
#include "platform/fs.h"
#include "pretend_interpreter.h"
#include "source/source.h"
#include "source_given.h"
#include "test_support.h"
#include "watch/watch.h"

#include <sstream>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

constexpr char kMain[] = "c:/w/m.rexx";
constexpr char kLib[] = "c:/w/lib.rexx";

// N lines "PREFIX0", "PREFIX1", ... each ending in LF.
std::string numbered(const std::string& prefix, int n) {
    std::string text;
    for (int i = 0; i < n; ++i)
        text += prefix + std::to_string(i) + "\n";
    return text;
}

class EditOutside : public VelTest {
  protected:
    // The macro's file holds `main_text`, shown as the interpreter loaded it;
    // the library of three lines follows it when `library`.
    static void load(const std::string& main_text, bool library) {
        reset_vel_state();
        headless::fake_fs_enable();
        headless::fake_fs_add_dir("c:/w");
        headless::fake_fs_add_file(kMain, main_text);
        std::istringstream in(main_text);
        for (std::string line; std::getline(in, line);)
            given_line_added(line + "\n");
        const std::int32_t main_last =
            static_cast<std::int32_t>(displayed_source().lines.size()) - 1;
        given_file_map({{0, main_last, 0, std::string(kMain)}});
        if (library) {
            headless::fake_fs_add_file(kLib, "lib0\nlib1\nlib2\n");
            for (const char* line : {"lib0\n", "lib1\n", "lib2\n"})
                given_line_added(line);
            given_file_mapped({main_last + 1, main_last + 3, main_last + 1, std::string(kLib)});
        }
        g_link.run_vector = {"vel", kMain};
        g_panes.command.lines = {"% "};
    }
    // Another program writes the macro's file; vel comes back to the front.
    static void rewritten_outside(const std::string& text) {
        headless::fake_fs_add_file(kMain, text);
        edit_check_outside();
    }
    static void type(int line, const std::string& text) {
        edit_switch_to(line);
        edit_type_line(line, text);
    }
    static std::string message() {
        const Lines& pane = g_panes.command.lines;
        return pane.size() >= 2 ? pane[pane.size() - 2] : "";
    }
    static Lines main_lines() {
        const FileMapEntry& entry = displayed_source().file_map[0];
        return Lines(displayed_source().lines.begin() + entry.first_line,
                     displayed_source().lines.begin() + entry.last_line + 1);
    }
    // The line offsets of the pins, as the status file would keep them.
    static std::vector<int> pin_lines() {
        std::istringstream in(vel_pin_status_lines([](std::string_view) { return "p"; }));
        std::vector<int> offsets;
        for (std::string prefix, word; in >> prefix >> word;) {
            int offset = 0;
            in >> offset;
            offsets.push_back(offset);
            std::getline(in, word);
        }
        return offsets;
    }
    // Every breakpoint line that is not a deleted entry.
    static std::vector<std::int32_t> breakpoint_lines() {
        std::vector<std::int32_t> lines;
        for (std::int32_t line : g_breakpoints.lines)
            if (line != -1) lines.push_back(line);
        return lines;
    }
};

} // namespace

TEST_F(EditOutside, OddLineEndsAndBytesSurviveAReloadAndASave) {
    struct Case {
        const char* what;
        std::string bytes;  // what another program wrote
        Lines shown;        // the lines vel shows after the reload
        int line;           // the line then edited
        std::string edited; // its new text
        std::string saved;  // the file after the save
    };
    const std::string nul(1, '\0');
    const Case cases[] = {
        {"CR LF, NUL and code page 1252 bytes, no final line feed",
         "a" + nul + "b\r\n\xE9t\xE9\r\nlast", Lines{"a" + nul + "b", "\xE9t\xE9", "last"}, 2,
         "LAST", "a" + nul + "b\r\n\xE9t\xE9\r\nLAST\r\n"},
        {"mixed line ends take the CR LF of the file", "one\r\ntwo\nthree\r\n",
         Lines{"one", "two", "three"}, 1, "TWO", "one\r\nTWO\r\nthree\r\n"},
        {"CR alone ends no line: its bytes stay inside it", "x\ry\rz\r", Lines{"x\ry\rz"}, 0,
         "x\ry\rz!", "x\ry\rz!\r\n"},
        {"NUL bytes at both ends of LF lines", nul + "\n" + nul + nul + "\n", Lines{nul, nul + nul},
         0, nul + "A", nul + "A\n" + nul + nul + "\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        load("old\n", false);
        edit_begin();
        rewritten_outside(c.bytes);
        EXPECT_EQ(main_lines(), c.shown);
        EXPECT_TRUE(headless::boxes().empty()); // no edits: no question

        type(c.line, c.edited);
        edit_save();
        EXPECT_EQ(message(), "1 file(s) saved\n");
        EXPECT_EQ(file_contents(kMain), c.saved);
        EXPECT_EQ(file_contents(std::string(kMain) + "%"), c.bytes); // every byte of the old

        // The saved file read back shows what was saved.
        Lines expected = c.shown;
        expected[static_cast<std::size_t>(c.line)] = c.edited;
        rewritten_outside(c.saved);
        EXPECT_EQ(main_lines(), expected);
        EXPECT_FALSE(edit_any_modified());
    }
}

TEST_F(EditOutside, AFileThatShrankByThousandsOfLinesKeepsMarksOnItsOwnLines) {
    for (const bool library : {true, false}) {
        SCOPED_TRACE(library ? "the library follows the macro" : "the macro is the last file");
        load(numbered("m", 5000), library);
        for (const int line : {10, 4000, 4999})
            vel_bp_on_stop_set(line);
        if (library) vel_bp_on_stop_set(5001); // lib1
        source_place_stop(4500);
        vel_pin_create(5, 0, 0, 0, 0, 0, "", kMain, "near");
        vel_pin_create(4200, 0, 0, 0, 0, 0, "", kMain, "far");
        if (library) vel_pin_create(1, 0, 0, 0, 0, 0, "", kLib, "lib");
        edit_begin();
        type(4999, "edited at the end");

        headless::script_box_answer(BoxAnswer::Yes); // reload
        rewritten_outside(numbered("n", 100));
        const std::int32_t count = static_cast<std::int32_t>(displayed_source().lines.size());
        ASSERT_EQ(count, library ? 103 : 100);
        EXPECT_EQ(displayed_source().file_map[0].last_line, 99);
        EXPECT_EQ(displayed_source().lines[99], "n99");
        EXPECT_FALSE(edit_any_modified());

        // Marks below the new end come to its last line, never onto the
        // library's lines or past the end.
        EXPECT_TRUE(vel_bp_marked(10));
        EXPECT_TRUE(vel_bp_marked(99));
        for (const std::int32_t line : breakpoint_lines()) {
            EXPECT_GE(line, 0);
            EXPECT_LT(line, count);
        }
        EXPECT_EQ(displayed_source().stop_line, 99);
        if (library) {
            EXPECT_EQ(displayed_source().file_map[1].first_line, 100);
            EXPECT_FALSE(vel_bp_marked(100));
            EXPECT_TRUE(vel_bp_marked(101));
            EXPECT_EQ(displayed_source().lines[101], "lib1");
            EXPECT_EQ(pin_lines(), (std::vector<int>{5, 99, 1}));
        } else {
            EXPECT_EQ(pin_lines(), (std::vector<int>{5, 99}));
        }

        // Nothing is left to undo; trying changes nothing.
        edit_undo_ui(true, 50);
        edit_undo_ui(false, 50);
        EXPECT_EQ(displayed_source().lines[50], "n50");
        EXPECT_EQ(static_cast<std::int32_t>(displayed_source().lines.size()), count);
    }
}

TEST_F(EditOutside, AFileThatGrewByThousandsOfLinesPushesTheNextFileDown) {
    load(numbered("m", 100), true);
    vel_bp_on_stop_set(50);
    vel_bp_on_stop_set(101); // lib1
    source_place_stop(99);
    vel_pin_create(50, 0, 0, 0, 0, 0, "", kMain, "m");
    vel_pin_create(1, 0, 0, 0, 0, 0, "", kLib, "lib");
    edit_begin();

    rewritten_outside(numbered("n", 6000));
    ASSERT_EQ(displayed_source().lines.size(), 6003u);
    EXPECT_EQ(displayed_source().file_map[0].last_line, 5999);
    EXPECT_EQ(displayed_source().file_map[1].first_line, 6000);
    EXPECT_EQ(displayed_source().lines[5999], "n5999");
    EXPECT_TRUE(vel_bp_marked(50));
    EXPECT_TRUE(vel_bp_marked(6001));
    EXPECT_EQ(displayed_source().lines[6001], "lib1");
    EXPECT_EQ(breakpoint_lines().size(), 2u);
    EXPECT_EQ(displayed_source().stop_line, 99);
    EXPECT_EQ(pin_lines(), (std::vector<int>{50, 1})); // each within its own file

    // The library is still edited and saved as itself.
    type(6002, "lib2 changed");
    edit_save();
    EXPECT_EQ(file_contents(kLib), "lib0\nlib1\nlib2 changed\n");
}

TEST_F(EditOutside, AFileMadeReadOnlyKeepsItsTextItsBackupAndTheEdit) {
    load("say 1\nsay 2\n", false);
    edit_begin();
    type(0, "say one");
    edit_save(); // the backup now holds the first text
    type(1, "say two");
    headless::fake_fs_set_read_only(kMain);
    edit_save();
    EXPECT_EQ(message(), "Save FAILED for 1 file(s)\n");
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text.rfind("vel: Unable to save \"c:/w/m.rexx\"", 0), 0u);
    EXPECT_EQ(file_contents(kMain), "say one\nsay 2\n");
    EXPECT_EQ(file_contents(std::string(kMain) + "%"), "say 1\nsay 2\n");
    EXPECT_TRUE(edit_any_modified());
    EXPECT_EQ(displayed_source().lines[1], "say two");

    headless::fake_fs_set_read_only(kMain, false);
    edit_save();
    EXPECT_EQ(file_contents(kMain), "say one\nsay two\n");
    EXPECT_EQ(file_contents(std::string(kMain) + "%"), "say one\nsay 2\n");
    EXPECT_FALSE(edit_any_modified());
}

TEST_F(EditOutside, AReadOnlyFileWithoutABackupLeavesNoBackupBehind) {
    load("say 1\n", false);
    edit_begin();
    type(0, "say one");
    headless::fake_fs_set_read_only(kMain);
    edit_save();
    EXPECT_EQ(message(), "Save FAILED for 1 file(s)\n");
    EXPECT_EQ(file_contents(std::string(kMain) + "%"), "<none>");
    EXPECT_EQ(file_contents(kMain), "say 1\n");
}

TEST_F(EditOutside, AFileDeletedWhileEditedKeepsTheEditAndIsWrittenAgain) {
    load("say 1\nsay 2\n", true);
    edit_begin();
    type(1, "say two");
    ASSERT_TRUE(plat_file_remove(kMain));
    edit_check_outside();  // no time to compare: nothing is assumed
    edit_reload(0, kMain); // nothing to read: nothing changes
    EXPECT_TRUE(headless::boxes().empty());
    EXPECT_EQ(displayed_source().lines[1], "say two");
    EXPECT_EQ(displayed_source().lines[2], "lib0");
    EXPECT_TRUE(edit_any_modified());

    edit_switch_to(1);
    edit_save();
    EXPECT_EQ(message(), "1 file(s) saved\n");
    EXPECT_EQ(file_contents(kMain), "say 1\r\nsay two\r\n"); // a new file: CR LF
    EXPECT_EQ(file_contents(std::string(kMain) + "%"), "<none>");
    EXPECT_FALSE(edit_any_modified());
}

namespace {

// A file reloaded under a breakpoint the interpreter holds: what the mark,
// the listing, the status file, the next stop and a click on the mark say.
class ReloadUnderBreakpoints : public EditOutside {
  protected:
    void SetUp() override {
        EditOutside::SetUp();
        load(numbered("m", 20), false);
        g_link.connected = true;
        g_link.test_mode = true;           // frames sent are echoed into the command pane
        hnd_in_payload("|stop-at|0 main"); // the first stop, which reads the status file
        vel_bp_on_stop_set(9);             // the interpreter's line 10
        edit_begin();
    }
    static Lines frames() { return pretend::payloads(); }
    static Lines listing() {
        g_panes.command.lines = {"% "};
        vel_bp_listing();
        Lines out(g_panes.command.lines.begin(), g_panes.command.lines.end() - 1);
        g_panes.command.lines = {"% "};
        return out;
    }
    static std::vector<std::int32_t> marked_lines() {
        std::vector<std::int32_t> out;
        for (std::int32_t line = 0;
             line < static_cast<std::int32_t>(displayed_source().lines.size()); ++line)
            if (vel_bp_marked(line)) out.push_back(line);
        return out;
    }
    // m0..m8, three new lines, then m9..m19: line 10 is new text now.
    static std::string three_inserted_above_line_10() {
        std::string text = numbered("m", 9) + "new a\nnew b\nnew c\n";
        for (int i = 9; i < 20; ++i)
            text += "m" + std::to_string(i) + "\n";
        return text;
    }
    // Every view of the breakpoint names the interpreter's line 10.
    static void expect_line_10_everywhere() {
        EXPECT_EQ(marked_lines(), (std::vector<std::int32_t>{9}));
        EXPECT_EQ(edit_gutter_line(9), 10);
        EXPECT_EQ(listing(), Lines{"stop at 10 (m.rexx)\n"});
        const std::string status = vel_status_compose({}, "");
        EXPECT_NE(status.find("stop in m.rexx 10\n"), std::string::npos) << status;
        EXPECT_EQ(status.find("stop in m.rexx 13"), std::string::npos) << status;
        // The macro stops on the line with the mark.
        hnd_in_payload("|stop-at|9 main");
        EXPECT_EQ(displayed_source().stop_line, 9);
        // A click on the mark deletes the breakpoint the interpreter holds.
        g_panes.command.lines = {"% "};
        vel_bp_toggle(9);
        EXPECT_EQ(frames(), Lines{"delete 9"});
        EXPECT_TRUE(marked_lines().empty());
    }
};

} // namespace

TEST_F(ReloadUnderBreakpoints, LinesInsertedOutsideAboveTheBreakpoint) {
    rewritten_outside(three_inserted_above_line_10());
    ASSERT_EQ(displayed_source().lines[12], "m9");
    expect_line_10_everywhere();
}

TEST_F(ReloadUnderBreakpoints, LinesInsertedInVelThenTheFileReloaded) {
    // The same three lines typed in vel first: the mark follows its text...
    for (int i = 0; i < 3; ++i) {
        edit_switch_to(8);
        vel_edit_ui('i', 8 + i, "new", true);
    }
    ASSERT_EQ(marked_lines(), (std::vector<std::int32_t>{12}));
    // ...then another editor saves them too, and vel reloads.
    headless::script_box_answer(BoxAnswer::Yes);
    rewritten_outside(three_inserted_above_line_10());
    ASSERT_EQ(headless::boxes().size(), 1u);
    expect_line_10_everywhere();
}

TEST_F(ReloadUnderBreakpoints, ABreakpointPastTheNewEndIsMarkedOnTheLastLineAndDeletedThere) {
    vel_bp_on_stop_set(15);
    rewritten_outside(numbered("n", 10));
    EXPECT_EQ(marked_lines(), (std::vector<std::int32_t>{9}));
    EXPECT_EQ(listing(), (Lines{"stop at 10 (m.rexx)\n", "stop at 16 (m.rexx)\n"}));
    // A stop on the line the file no longer has shows on its last line.
    hnd_in_payload("|stop-at|15 main");
    EXPECT_EQ(displayed_source().stop_line, 9);
    g_panes.command.lines = {"% "};
    vel_bp_toggle(9);
    EXPECT_EQ(frames(), (Lines{"delete 9", "delete 15"}));
    EXPECT_TRUE(marked_lines().empty());
}

TEST_F(ReloadUnderBreakpoints, LinesTheInterpreterDoesNotHoldTakeNoBreakpoint) {
    rewritten_outside(numbered("n", 25));
    g_panes.command.lines = {"% "};
    vel_bp_toggle(22); // the file's line 23: the interpreter has 20
    EXPECT_TRUE(frames().empty());
    EXPECT_EQ(message(), "No breakpoint on a new (unsaved) line\n");
    vel_bp_toggle(19);
    EXPECT_EQ(frames(), Lines{"stopv at 20"});
    // "delete" takes the numbers the listing gives.
    g_panes.command.lines = {"% "};
    const std::string command = "delete 10";
    vel_command(command.data(), static_cast<int>(command.size()));
    EXPECT_EQ(frames(), Lines{"delete 9"});
}

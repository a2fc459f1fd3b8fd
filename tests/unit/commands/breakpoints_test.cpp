// The breakpoint table: toggling, confirmations, stop in, delete, re-arm,
// the listing and the edit-mode shifts.
#include "commands/breakpoints.h"
#include "commands_fixture.h"
#include "display/panes/panes.h"
#include "link/link_state.h"
#include "source/source.h"
#include "source_given.h"

namespace {

using Ints = std::vector<std::int32_t>;

class Breakpoints : public CommandsTest {
  protected:
    void SetUp() override {
        CommandsTest::SetUp();
        // demo.ost is displayed on lines 0-99, lib.ost on 100-159.
        given_source(std::vector<std::string>(160, "x\n"));
        given_file_map({{0, 99, 0, "c:/proj/demo.ost"}, {100, 159, 100, "c:/lib/lib.ost"}});
    }
    static const Ints& lines() { return g_breakpoints.lines; }
    static std::vector<std::string> routines() {
        std::vector<std::string> out;
        for (const RoutineBreakpoint& r : g_breakpoints.routines)
            out.push_back(r.name + " " + std::to_string(r.line) + " " + std::to_string(r.id));
        return out;
    }
    static std::string status_file() { return file_bytes("c:/proj/.vel_status"); }
};

TEST_F(Breakpoints, ToggleAsksAndTheConfirmationMarks) {
    vel_bp_toggle(11);
    EXPECT_EQ(sent(), Lines{"stopv at 12"});
    EXPECT_TRUE(lines().empty());
    EXPECT_FALSE(vel_bp_marked(11));
    EXPECT_EQ(status_file(), "<none>");

    vel_bp_on_stop_set(11);
    vel_bp_on_stop_set(11);
    EXPECT_EQ(lines(), Ints{11});
    EXPECT_TRUE(vel_bp_marked(11));
    EXPECT_FALSE(vel_bp_marked(12));
    vel_status_save_if_due();
    EXPECT_EQ(status_file(), "main demo.ost stop in demo.ost 12\n");
}

TEST_F(Breakpoints, ToggleOfAMarkedLineDeletesAtOnceAndSaves) {
    vel_bp_on_stop_set(11);
    vel_bp_on_stop_set(120);
    clear_pane();
    vel_bp_toggle(11);
    EXPECT_EQ(sent(), Lines{"delete 11"});
    EXPECT_EQ(lines(), (Ints{-1, 120}));
    EXPECT_FALSE(vel_bp_marked(11));
    EXPECT_EQ(status_file(), "routine lib.ost stop in lib.ost 21\n");
    // A deleted slot is not taken again by the next confirmation.
    vel_bp_on_stop_set(11);
    EXPECT_EQ(lines(), (Ints{-1, 120, 11}));
    EXPECT_FALSE(vel_bp_marked(-1));
}

TEST_F(Breakpoints, ToggleNeedsAConnection) {
    g_link.connected = false;
    vel_bp_toggle(3);
    EXPECT_EQ(g_panes.command.lines, Lines{"% "});
}

TEST_F(Breakpoints, FileLineBreakpointsOfLoadedFilesAreMarkedAndToggledOff) {
    run("stop in lib.ost 5");
    run("stop in other.ost 7");
    EXPECT_TRUE(vel_bp_marked(104));
    EXPECT_FALSE(vel_bp_marked(6));
    clear_pane();
    vel_bp_toggle(104);
    EXPECT_EQ(sent(), Lines{"deletein -1"});
    EXPECT_EQ(routines(), Lines{"other.ost 6 -1"});
    EXPECT_EQ(status_file(), "routine other.ost stop in other.ost 7\n");
}

TEST_F(Breakpoints, StopInAFileLineIsSentEachTimeAndRecordedOnce) {
    run("stop in lib.ost 10");
    run("stop in lib.ost 10");
    run("STOP in lib.ost +3x");
    EXPECT_EQ(sent(),
              (Lines{"stop in lib.ost 0 10", "stop in lib.ost 0 10", "stop in lib.ost 0 3"}));
    EXPECT_EQ(routines(), (Lines{"lib.ost 9 -1", "lib.ost 2 -1"}));
}

TEST_F(Breakpoints, StopInWithANumberBelowOneOrMoreWordsNamesRoutines) {
    run("stop in x 0");
    run("stop in y -4");
    run("stop in lib.ost 3 4");
    EXPECT_EQ(sent(), (Lines{"stop in x 0 0", "stop in 0 1 0", "stop in y 2 0", "stop in -4 3 0",
                             "stop in lib.ost 4 0", "stop in 3 5 0", "stop in 4 6 0"}));
}

TEST_F(Breakpoints, RoutineConfirmationsFillInTheLine) {
    run("stop in foo bar");
    vel_bp_on_stopin_set(1, 42);
    vel_bp_on_stopin_set(9, 7); // no such id: nothing changes, the file is still written
    EXPECT_EQ(routines(), (Lines{"foo -1 0", "bar 42 1"}));
    vel_status_save_if_due();
    EXPECT_EQ(status_file(), "routine foo stop in foo\nroutine bar stop in bar\n");
}

TEST_F(Breakpoints, DeleteByLineNumbers) {
    for (int line : {4, 6, 9})
        vel_bp_on_stop_set(line);
    run("stop in lib.ost 5");
    run("stop in sub1");
    vel_bp_on_stopin_set(0, 8);
    clear_pane();
    run("delete 5 x 7 9 0 -1");
    // Routine entries are matched by their line alone, in whichever file.
    EXPECT_EQ(sent(), (Lines{"delete 4", "deletein -1", "delete 6", "deletein 0"}));
    EXPECT_EQ(lines(), (Ints{-1, -1, 9}));
    EXPECT_TRUE(routines().empty());
    EXPECT_EQ(status_file(), "main demo.ost stop in demo.ost 10\n");
    clear_pane();
    run("delete 10 10");
    EXPECT_EQ(sent(), Lines{"delete 9"});
    EXPECT_EQ(status_file(), "<none>");
}

TEST_F(Breakpoints, DeleteAll) {
    for (int line : {4, 6})
        vel_bp_on_stop_set(line);
    run("delete 5");
    run("stop in foo");
    run("stop in other.ost 3");
    clear_pane();
    run("DELETE ALL");
    EXPECT_EQ(sent(), (Lines{"delete 6", "deletein 0", "deletein -1"}));
    EXPECT_EQ(lines(), (Ints{-1, -1}));
    EXPECT_TRUE(routines().empty());
    EXPECT_EQ(status_file(), "<none>");
}

TEST_F(Breakpoints, DeleteAllWhileDisconnectedTellsNobody) {
    vel_bp_on_stop_set(4);
    run("stop in foo lib.ost");
    g_link.connected = false;
    clear_pane();
    vel_bp_delete_all();
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(lines(), Ints{-1});
    EXPECT_TRUE(routines().empty());
}

TEST_F(Breakpoints, RearmSendsEverythingAgain) {
    for (int line : {4, 6, 130})
        vel_bp_on_stop_set(line);
    run("delete 7");
    run("stop in foo");
    run("stop in lib.ost 12");
    clear_pane();
    vel_bp_rearm();
    EXPECT_EQ(sent(),
              (Lines{"stopv at 5", "stopv at 131", "stop in foo 0 0", "stop in lib.ost 0 12"}));
    EXPECT_TRUE(lines().empty());
    EXPECT_EQ(routines(), (Lines{"foo -1 0", "lib.ost 11 -1"}));
    // The marks come back with the new interpreter's confirmations.
    EXPECT_FALSE(vel_bp_marked(4));
    vel_bp_on_stop_set(4);
    EXPECT_TRUE(vel_bp_marked(4));
}

TEST_F(Breakpoints, Listing) {
    given_file_mapped({160, 170, 161, "c:/x/gap.ost"});
    for (int line : {4, 130, 200, 160})
        vel_bp_on_stop_set(line);
    run("delete 131");
    run("stop in foo");
    run("stop in lib.ost 3");
    run("stop in far.ost 8");
    clear_pane();
    run("status");
    EXPECT_EQ(messages(), (Lines{"stop at 5 (demo.ost)", "stopv at 201", "stopv at 161",
                                 "stop in foo", "stop at 8 (far.ost)"}));
}

TEST_F(Breakpoints, EditShiftsMoveLineBreakpointsOnly) {
    for (int line : {2, 5, 9})
        vel_bp_on_stop_set(line);
    run("delete 3");
    run("stop in lib.ost 4");
    vel_bp_line_inserted(5);
    EXPECT_EQ(lines(), (Ints{-1, 6, 10}));
    vel_bp_line_deleted(6);
    EXPECT_EQ(lines(), (Ints{-1, 6, 9}));
    vel_bp_line_deleted(0);
    EXPECT_EQ(lines(), (Ints{-1, 5, 8}));
    EXPECT_EQ(routines(), Lines{"lib.ost 3 -1"});
}

} // namespace

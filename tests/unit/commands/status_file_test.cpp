// The status file: where it lives, what it says, what a save keeps, and
// reading it back at the first stop.
#include "commands/pins_scan.h"
#include "commands_fixture.h"
#include "display/panes/panes.h"
#include "link/link_state.h"
#include "runtime/places.h"
#include "source/source.h"
#include "source_given.h"
#include "watch/watch.h"

#include <algorithm>

namespace {

class StatusFile : public CommandsTest {
  protected:
    static constexpr const char* kPath = "c:/proj/.vel_status";

    void SetUp() override {
        CommandsTest::SetUp();
        g_link.run_vector = {"vel", "c:/proj/demo.ost", "arg"};
        given_source(std::vector<std::string>(160, "x\n"));
        given_file_map({{0, 99, 0, "c:/proj/demo.ost"}, {100, 159, 100, "c:/lib/lib.ost"}});
        g_places.home_directory = "c:/home/";
    }
    static std::string read(const std::string& path = kPath) { return file_bytes(path); }
    static void write(const std::string& text, const std::string& path = kPath) {
        headless::fake_fs_add_file(path, text);
    }
};

TEST_F(StatusFile, WhereItLives) {
    EXPECT_EQ(vel_status_path(), "c:/proj/.vel_status");
    g_places.start_directory = "";
    EXPECT_EQ(vel_status_path(), ".vel_status");
    g_places.start_directory.reset();
    EXPECT_EQ(vel_status_path(), ".vel_status");
    source_set_run(RunChange::EditorDriven);
    EXPECT_EQ(vel_status_path(), "c:/home/.vel_status");
    g_link.run_vector = {"vel"};
    EXPECT_EQ(vel_status_path(), std::nullopt);
}

TEST_F(StatusFile, LinePrefixesNameTheProgram) {
    EXPECT_EQ(vel_main_program_name(), "demo.ost");
    EXPECT_EQ(vel_status_line_prefix(std::nullopt), "main demo.ost");
    EXPECT_EQ(vel_status_line_prefix(""), "main demo.ost");
    EXPECT_EQ(vel_status_line_prefix("d:\\x\\demo.ost"), "main demo.ost");
    EXPECT_EQ(vel_status_line_prefix("c:/lib/lib.ost"), "routine lib.ost");
    EXPECT_EQ(vel_status_line_prefix("sub1"), "routine sub1");
    EXPECT_EQ(vel_status_line_prefix("DEMO.OST"), "routine DEMO.OST");
    g_link.run_vector = {"vel", std::string(300, 'p')};
    EXPECT_EQ(vel_main_program_name(), std::string(255, 'p'));
}

TEST_F(StatusFile, TheWrittenExample) {
    vel_bp_on_stop_set(11);
    run("stop in sub1");
    const std::string pin =
        vel_status_line_prefix("c:/proj/demo.ost") + " pin3 3 40 -2 0 0 0 - demo.ost count\n";
    EXPECT_EQ(vel_status_compose({}, pin), "main demo.ost stop in demo.ost 12\n"
                                           "routine sub1 stop in sub1\n"
                                           "main demo.ost pin3 3 40 -2 0 0 0 - demo.ost count\n");
    // The pin line reads back as the pin3 command with the same fields.
    const std::optional<PinSpec> back = pin_command_scan(PinForm::Pin3, pin.substr(14, 35));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->line_offset, 3);
    EXPECT_EQ(back->file, "demo.ost");
    EXPECT_EQ(back->expression, "count");
}

TEST_F(StatusFile, EveryKindOfLine) {
    given_file_mapped({160, 170, 161, "c:/x/gap.ost"});
    for (int line : {11, 120, 200, 160})
        vel_bp_on_stop_set(line);
    run("stop in sub1 lib.ost");
    run("stop in lib.ost 7");
    run("stop in far.ost 8");
    EXPECT_EQ(vel_status_save(kPath, Quiet::No), 0);
    EXPECT_EQ(read(), "main demo.ost stop in demo.ost 12\n"
                      "routine lib.ost stop in lib.ost 21\n"
                      "main demo.ost stopv at 201\n"
                      "main demo.ost stopv at 161\n"
                      "routine sub1 stop in sub1\n"
                      "routine lib.ost stop in lib.ost\n"
                      "routine lib.ost stop in lib.ost 7\n"
                      "routine far.ost stop in far.ost 8\n");
    EXPECT_TRUE(messages().empty());
}

TEST_F(StatusFile, ASaveKeepsOnlyOtherProgramsMainLines) {
    write("main other.ost stop in other.ost 3\n"
          "routine other.ost stop in sub9\n"
          "main demo.ost stop in demo.ost 99\n"
          "main\n"
          "\n"
          "garbage line here\n"
          "main\tother2.ost  stopv at 4\r\n"
          "main demo.ostx stop in x\n");
    vel_bp_on_stop_set(3);
    vel_status_save_if_due();
    EXPECT_EQ(read(), "main other.ost stop in other.ost 3\n"
                      "main\tother2.ost  stopv at 4\n"
                      "main demo.ostx stop in x\n"
                      "main demo.ost stop in demo.ost 4\n");
}

TEST_F(StatusFile, AnEmptySaveDeletesTheFile) {
    write("main demo.ost stop in demo.ost 4\nroutine other.ost stop in x\n");
    EXPECT_EQ(vel_status_save(kPath, Quiet::No), 0);
    EXPECT_EQ(read(), "<none>");
    EXPECT_EQ(vel_status_save(kPath, Quiet::No), 0);
    EXPECT_EQ(messages(), Lines{});
}

TEST_F(StatusFile, AFileThatCannotBeCreated) {
    vel_bp_on_stop_set(3);
    EXPECT_EQ(vel_status_save("c:/nowhere/s", Quiet::Yes), -1);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(vel_status_save("c:/nowhere/s", Quiet::No), -1);
    EXPECT_EQ(messages(), Lines{"Unable to write in file c:/nowhere/s."});
    clear_pane();
    run("save_stat c:/nowhere/t");
    EXPECT_EQ(messages(), Lines{"Unable to write in file c:/nowhere/t."});
}

TEST_F(StatusFile, SaveStatWritesWhereItIsTold) {
    vel_bp_on_stop_set(3);
    g_link.connected = false; // an explicit save needs no interpreter
    run("save_stat c:/proj/status.vel");
    EXPECT_EQ(read("c:/proj/status.vel"), "main demo.ost stop in demo.ost 4\n");
}

TEST_F(StatusFile, AutosaveNeedsAConnectionAndAPath) {
    run("stop in sub1");
    g_link.connected = false;
    vel_status_autosave();
    EXPECT_EQ(read(), "<none>");
    g_link.connected = true;
    g_link.run_vector = {"vel"};
    vel_status_autosave();
    EXPECT_EQ(read(), "<none>");
    g_link.run_vector = {"vel", "demo.ost"};
    vel_status_autosave();
    EXPECT_EQ(read(), "routine sub1 stop in sub1\n");
}

TEST_F(StatusFile, LoadRunsThisProgramsLinesOnceAndKeepsThemAll) {
    write("main other.ost stop in other.ost 3\n"
          "routine other.ost stop in sub9\n"
          "main demo.ost stop in demo.ost 12\n"
          "main demo.ost stopv at 30\n"
          "routine sub1 stop in sub1\n"
          "main demo.ost pin3 3 40 -2 0 0 0 - demo.ost count\n");
    vel_status_load_once();
    EXPECT_EQ(sent(), (Lines{"stop in sub9 0 0", "stop in demo.ost 0 12", "stopv at 30",
                             "stop in sub1 1 0"}));
    EXPECT_TRUE(messages().empty());
    // The pin came back. Nothing is confirmed yet: the rewrite keeps every
    // breakpoint as it was sent, and the pin after them.
    EXPECT_EQ(vel_pin_count(), 1);
    vel_status_save_if_due();
    EXPECT_EQ(read(), "main other.ost stop in other.ost 3\n"
                      "main demo.ost stop in demo.ost 30\n"
                      "routine sub9 stop in sub9\n"
                      "main demo.ost stop in demo.ost 12\n"
                      "routine sub1 stop in sub1\n"
                      "main demo.ost pin3 3 40 -2 0 0 0 - demo.ost count\n");
    clear_pane();
    vel_status_load_once();
    EXPECT_TRUE(sent().empty());
}

TEST_F(StatusFile, ABreakpointReadBackStaysUntilDeleted) {
    std::string text;
    for (int line = 1; line <= 60; ++line)
        text += "main demo.ost stopv at " + std::to_string(line) + "\n";
    write(text);
    const auto count_in_file = [] {
        const std::string now = read();
        return std::count(now.begin(), now.end(), '\n');
    };
    vel_status_load_once();
    // The interpreter confirms in a burst, in its own order, and never
    // confirms some; a save may happen at any moment of it.
    for (int line = 59; line >= 0; line -= 3) {
        vel_bp_on_stop_set(line);
        if (line % 2) vel_status_save_if_due();
        EXPECT_EQ(count_in_file(), 60) << line;
    }
    vel_status_save_if_due();
    EXPECT_EQ(count_in_file(), 60);
    // Confirmed or not, a deleted breakpoint goes.
    run("delete 60 1");
    vel_status_autosave();
    EXPECT_EQ(count_in_file(), 58);
    run("stopv at 70");
    vel_status_autosave();
    EXPECT_EQ(count_in_file(), 59);
    run("delete all");
    vel_status_autosave();
    EXPECT_EQ(read(), "<none>");
}

TEST_F(StatusFile, ABurstOfConfirmationsIsWrittenOnce) {
    vel_bp_on_stop_set(3);
    vel_bp_on_stop_set(4);
    run("stop in sub1");
    vel_bp_on_stopin_set(0, 9);
    // Nothing is written while the burst lasts...
    EXPECT_EQ(read(), "<none>");
    vel_status_save_if_due();
    EXPECT_EQ(read(), "main demo.ost stop in demo.ost 4\n"
                      "main demo.ost stop in demo.ost 5\n"
                      "routine sub1 stop in sub1\n");
    // ...and once written, the next idle moment writes nothing again.
    write("changed by hand\n");
    vel_status_save_if_due();
    EXPECT_EQ(read(), "changed by hand\n");
    // A save asked for while connected is still owed after the interpreter
    // went; none is asked for without a connection.
    vel_bp_on_stop_set(5);
    g_link.connected = false;
    vel_status_save_if_due();
    EXPECT_NE(read(), "changed by hand\n");
    write("changed by hand\n");
    vel_bp_on_stop_set(6);
    vel_status_save_if_due();
    EXPECT_EQ(read(), "changed by hand\n");
}

TEST_F(StatusFile, AStartFolderWithSpacesStillLoads) {
    headless::fake_fs_add_dir("c:/my work");
    g_places.start_directory = "c:/my work";
    write("routine sub1 stop in sub1\n", "c:/my work/.vel_status");
    vel_status_load_once();
    EXPECT_EQ(sent(), Lines{"stop in sub1 0 0"});
    EXPECT_TRUE(messages().empty());
}

TEST_F(StatusFile, AMissingFileLoadsNothing) {
    vel_status_load_once();
    EXPECT_EQ(g_panes.command.lines, Lines{"% "});
    EXPECT_EQ(read(), "<none>");
}

TEST_F(StatusFile, GarbageLinesLoadWhatTheyCan) {
    static const char text[] = "\x01\x02 junk\n"
                               "main\n"
                               "main demo.ost bogus words\n"
                               "routine sub1 stop in sub1\n"
                               "main demo.ost stop in demo.ost zz\n"
                               "\xff\xfe\x00\x00 zero\n"
                               "main demo.ost stop in demo.ost 12";
    write(std::string(text, sizeof text - 1));
    vel_status_load_once();
    EXPECT_EQ(sent(), (Lines{"stop in sub1 0 0", "stop in demo.ost 1 0", "stop in zz 2 0",
                             "stop in demo.ost 0 12"}));
    EXPECT_EQ(messages().size(), 4u);
    EXPECT_EQ(messages()[0], ">>>>> Invalid command: `\x01\x02 junk'");
    EXPECT_EQ(messages()[2], ">>>>> Invalid command: `bogus words'");
}

TEST_F(StatusFile, AFileThatSourcesItselfStopsAfter150Levels) {
    write(std::string("source ") + kPath + "\nmain demo.ost stop in lib.ost 10\n");
    vel_status_load_once();
    // Read at levels 1 to 150. The stop line of a file read at level d runs
    // at d + 2 (main adds a level), so the reads at 149 and 150 send nothing.
    EXPECT_EQ(sent(), Lines(148, "stop in lib.ost 0 10"));
    EXPECT_EQ(messages(),
              (Lines{std::string("Too many recursion levels on command source ") + kPath,
                     "Too many recursion levels on command main demo.ost stop in lib.ost 10",
                     "Too many recursion levels on command stop in lib.ost 10"}));
    EXPECT_EQ(g_commands.depth, 0);
    // lib.ost is loaded, but until the interpreter confirms its line the
    // line is written as it was typed.
    vel_status_save_if_due();
    EXPECT_EQ(read(), "routine lib.ost stop in lib.ost 10\n");
    clear_pane();
    run("step");
    EXPECT_EQ(sent(), Lines{"step"});
}

TEST_F(StatusFile, AFileThatSourcesItselfTwiceDoesNotBranch) {
    write("source c:/proj/twice\nsource c:/proj/twice\nstep\n", "c:/proj/twice");
    run("source c:/proj/twice");
    // The first chain goes 150 deep; once a call has been refused, every
    // further source line is refused too instead of starting a new chain.
    EXPECT_EQ(sent(), Lines(149, "step"));
    const Lines refused = messages();
    ASSERT_EQ(refused.size(), 152u);
    EXPECT_EQ(refused[0], "Too many recursion levels on command source c:/proj/twice");
    EXPECT_EQ(refused[2], "Too many recursion levels on command step");
    EXPECT_EQ(refused[151], "Too many recursion levels on command source c:/proj/twice");
    // Back at the top, source works again.
    clear_pane();
    write("where\n", "c:/proj/once");
    run("source c:/proj/once");
    EXPECT_EQ(sent(), Lines{"where"});
}

TEST_F(StatusFile, SourceOfAnUnreadableFile) {
    headless::fake_fs_set_last_error(u"The system cannot find the file specified.\r\n");
    run("source c:/proj/none");
    EXPECT_EQ(messages(), (Lines{"Unable to open file c:/proj/none.",
                                 "The system cannot find the file specified."}));
    clear_pane();
    headless::fake_fs_deny("c:/proj/secret");
    run("source c:/proj/secret");
    EXPECT_EQ(messages()[0], "Unable to open file c:/proj/secret.");
}

TEST_F(StatusFile, SourceRunsEveryLineInOrder) {
    write("step\n\n# a comment\nalias n next\r\nn\n", "c:/proj/cmds");
    run("source c:/proj/cmds");
    EXPECT_EQ(sent(), (Lines{"step", "next"}));
}

} // namespace

// A routine file as vel shows it against the stand-in interpreter over real
// loopback sockets: its banner stands on a line of its own, so that the
// file's first line is seen, takes a breakpoint by a click and the stop
// arrow, and is saved byte for byte.
#include "commands/breakpoints.h"
#include "edit/edit_quit.h"
#include "edit/edit_save.h"
#include "edit/edit_session.h"
#include "edit/edit_ui.h"
#include "link/frame.h"
#include "link/link_state.h"
#include "link/messages.h"
#include "link/wait_readable.h"
#include "link_fixture.h"
#include "source/source.h"

#include <functional>

namespace {

const char part_text[] = "say 'in part'\r\nx = 2\r\nreturn\r\n";

class RoutineFileSim : public DiskTest {
  protected:
    void SetUp() override {
        DiskTest::SetUp();
#ifndef OSTRA_SIM_EXE
        GTEST_SKIP() << "the stand-in interpreter is not in this tree";
#else
        use_sim_interpreter(dir.path.string());
        write_host_file(dir.file("part.rexx"), part_text);
        write_host_file(dir.file("main.rexx"), "call part\n"
                                               "say 'back'\n");
        run("runfile " + dir.file("main.rexx"));
        ASSERT_TRUE(g_link.connected);
        ASSERT_TRUE(serve_until([] { return displayed_source().first_stop_seen; }));
#endif
    }
    void TearDown() override {
        if (g_link.connected) run("kill");
        DiskTest::TearDown();
    }
    static bool step(const std::string& command) {
        const std::int32_t before = displayed_source().stop_line;
        run(command);
        return serve_until([&] {
            return !displayed_source().macro_running && displayed_source().stop_line != before;
        });
    }
};

} // namespace

TEST_F(RoutineFileSim, TheFilesFirstLineIsShownStoppedAtMarkedAndSavedAsItWas) {
    ASSERT_TRUE(step("step")); // into part.rexx
    ASSERT_EQ(displayed_source().file_map.size(), 2u);
    const FileMapEntry& part = displayed_source().file_map[1];
    // Displayed: main's two lines, the routine file's "return" line under
    // its banner, then its own lines from the first.
    EXPECT_EQ(part.first_line, 2);
    EXPECT_EQ(part.last_line, 5);
    EXPECT_EQ(part.line_offset, 3);
    EXPECT_EQ(displayed_source().lines.at(2), "return");
    EXPECT_EQ(displayed_source().lines.at(3), "\"PART\":;say 'in part'");
    EXPECT_EQ(displayed_source().stop_line, 3) << "the arrow on the file's first line";

    vel_bp_toggle(3);
    ASSERT_TRUE(serve_until([] {
        return std::find(g_breakpoints.lines.begin(), g_breakpoints.lines.end(), 3) !=
               g_breakpoints.lines.end();
    }));
    clear_pane();
    run("status");
    EXPECT_EQ(messages(), Lines{"stop at 1 (part.rexx)"}) << "line 1 of the file";

    edit_begin();
    edit_switch_to(4);
    edit_type_line(4, "x = 3");
    edit_save();
    EXPECT_EQ(read_host_file(dir.file("part.rexx")), "say 'in part'\r\nx = 3\r\nreturn\r\n")
        << "no \"return\" line, no label, the file's own line ends";
    EXPECT_EQ(read_host_file(dir.file("part.rexx%")), part_text);
}

TEST_F(RoutineFileSim, AReloadedRoutineFileKeepsItsBannerLineAndItsLinesTheirPlaces) {
    ASSERT_TRUE(step("step"));
    vel_bp_toggle(4); // x = 2, the file's line 2
    ASSERT_TRUE(serve_until([] {
        return std::find(g_breakpoints.lines.begin(), g_breakpoints.lines.end(), 4) !=
               g_breakpoints.lines.end();
    }));
    edit_begin();
    write_host_file(dir.file("part.rexx"), "say 'changed outside'\nx = 5\nsay x\nreturn\n");
    edit_reload(1, dir.file("part.rexx"));
    EXPECT_EQ(displayed_source().lines.at(2), "return");
    EXPECT_EQ(displayed_source().lines.at(3), "\"PART\":;say 'changed outside'");
    EXPECT_EQ(displayed_source().lines.at(4), "x = 5");
    EXPECT_EQ(displayed_source().file_map[1].last_line, 6) << "one line more";
    clear_pane();
    run("status");
    EXPECT_EQ(messages(), Lines{"stop at 2 (part.rexx)"}) << "still the interpreter's line 2";
    EXPECT_EQ(displayed_source().stop_line, 3);
}

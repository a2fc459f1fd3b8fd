#include "platform/events.h"

#include "display/panes/panes.h"
#include "link/link_state.h"
#include "platform/system.h"
#include "runtime/fatal.h"
#include "runtime/places.h"
#include "startup/startup_state.h"
#include "test_support.h"

#include <new>

namespace {

class Entry : public VelTest {
  protected:
    // Starts vel on the command line; a window message queued in advance
    // ends the main loop once start-up is through.
    int start(const std::string& command_line, bool stop_in_loop = true) {
        headless::set_command_line(command_line);
        if (stop_in_loop) headless::post_message([] { plat_exit(77); });
        return VEL_EXIT_STATUS(vel_main(5));
    }
    std::string out() { return headless::stdout_bytes(); }
};

} // namespace

TEST_F(Entry, CommandLineErrorsPrintTheirLineAndEndWithOne) {
    EXPECT_EQ(start("C:\\tools\\vel.exe -Wp 10"), 1);
    EXPECT_EQ(out(), "vel: invalid parameter count.\n");
    reset_vel_state();
    EXPECT_EQ(start("C:\\tools\\vel.exe -x m.rexx"), 1);
    EXPECT_EQ(out(), "vel: invalid parameter.\n");
    reset_vel_state();
    EXPECT_EQ(start("C:\\tools\\vel.exe - m.rexx"), 1);
    EXPECT_EQ(out(), "vel: invalid parameter.\n");
    EXPECT_TRUE(headless::boxes().empty());
    EXPECT_FALSE(headless::main_window().created);
}

TEST_F(Entry, NoMacroIsAUsageErrorUnlessAttachingOrTesting) {
    headless::unset_env("VelSock_out");
    headless::unset_env("VelSock_stdout");
    EXPECT_EQ(start("C:\\tools\\vel.exe"), 1);
    EXPECT_EQ(out(), "vel usage: vel rexx-macro\n");

    reset_vel_state();
    headless::set_env("VelSock_out", "4000");
    headless::unset_env("VelSock_stdout");
    EXPECT_EQ(start("C:\\tools\\vel.exe"), 1);
    EXPECT_EQ(out(), "vel usage: vel rexx-macro\n");

    reset_vel_state();
    // Both set: vel attaches, here to ports where nothing listens.
    headless::set_env("VelSock_out", "1");
    headless::set_env("VelSock_stdout", "1");
    EXPECT_EQ(start("C:\\tools\\vel.exe"), 1);
    EXPECT_EQ(out(), "");
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text, "vel: unable to connect socket.");
}

TEST_F(Entry, UnbalancedQuotesShowTheBoxBeforeAnythingElse) {
    EXPECT_EQ(start("vel.exe \"ab", false), 1);
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text, "Invalid \" count on invocation.");
    EXPECT_EQ(headless::boxes()[0].caption, "VEL");
    EXPECT_EQ(headless::boxes()[0].icon, BoxIcon::Stop);
    EXPECT_FALSE(headless::boxes()[0].had_owner);
    EXPECT_FALSE(headless::dpi_awareness_declared());
}

TEST_F(Entry, TestModeStartsWithoutInterpreterAndShowsTheWindow) {
    EXPECT_EQ(start("C:\\tools\\vel.exe -test"), 77);
    EXPECT_TRUE(g_link.test_mode);
    EXPECT_EQ(g_places.home_directory, "C:\\tools\\");
    EXPECT_TRUE(headless::dpi_awareness_declared());
    EXPECT_TRUE(headless::crash_filter_installed());
    EXPECT_TRUE(headless::main_window().created);
    EXPECT_TRUE(headless::main_window().shown);
    EXPECT_EQ(headless::main_window().show_command, 5);
    ASSERT_EQ(g_panes.command.lines.size(), 3u);
    EXPECT_EQ(g_panes.command.lines[1], "\n");
    EXPECT_EQ(g_panes.command.lines[2], "% ");
    EXPECT_FALSE(g_link.connected);
}

TEST_F(Entry, TestModeOnlyWhenItIsAnOptionNotAValue) {
    EXPECT_EQ(start("C:\\vel.exe -Wh -test m.rexx"), 77);
    EXPECT_FALSE(g_link.test_mode);
    EXPECT_EQ(g_startup.first_argument, 3);
}

TEST_F(Entry, HomeDirectoryNotFoundEndsWithItsBox) {
    headless::unset_env("PATH");
    EXPECT_EQ(start("vel -test"), 1);
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text, "vel: unable to find home directory.");
}

TEST_F(Entry, EmptyCommandLineIsAUsageError) {
    EXPECT_EQ(start(""), 1);
    EXPECT_EQ(out(), "vel usage: vel rexx-macro\n");
}

TEST_F(Entry, FailedAllocationShowsItsBoxAndEnds) {
    install_memory_failure_handler();
    std::new_handler handler = std::get_new_handler();
    ASSERT_NE(handler, nullptr);
    EXPECT_EQ(VEL_EXIT_STATUS(handler()), 1);
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text, "vel: No More Memory Available.");
    std::set_new_handler(nullptr);
}

// Both start-up handshakes of the interpreter under test.
#include "vel_side.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>

using namespace simtest;

namespace {

bool all_digits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// The lines of the fake vel's log that start with `kind` and a space.
std::vector<std::string> logged(const std::string& log, const std::string& kind) {
    std::vector<std::string> found;
    std::size_t at = 0;
    while (at < log.size()) {
        std::size_t end = log.find('\n', at);
        std::string line = log.substr(at, end - at);
        if (line.rfind(kind + " ", 0) == 0) found.push_back(line.substr(kind.size() + 1));
        at = end == std::string::npos ? log.size() : end + 1;
    }
    return found;
}

} // namespace

TEST(SimHandshake, LaunchAnnouncesItsPortsAndPidThenGreetsOnStdout) {
    VelSide vel({example("demo.rexx")});
    ASSERT_TRUE(vel.ok);
    EXPECT_TRUE(all_digits(vel.hello[0]));
    EXPECT_TRUE(all_digits(vel.hello[1]));
    EXPECT_NE(vel.hello[0], vel.hello[1]);
    EXPECT_EQ(vel.hello[2], std::to_string(vel.pid));
    EXPECT_FALSE(vel.greeting.empty());
    // After "@" and "#" the link is live: the source comes first.
    std::optional<std::string> first = vel.next_message();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->rfind("|set-source|", 0), 0u);
    vel.command("kill");
    EXPECT_EQ(vel.exit_status(), 0);
}

TEST(SimHandshake, LaunchWithoutTheDebuggersPortsRefusesToStart) {
    // Empty values cannot name ports: nothing to connect to.
    int pid = spawn(interpreter_exe(), {example("demo.rexx")}, {"VelSock_out=", "VelSock_stdout="});
    EXPECT_EQ(wait_exit(pid, 5000), 1);
}

TEST(SimHandshake, AttachStartsVelWithItsPortsAndRunsTheMacroForIt) {
    std::string log = scratch_path("attach.log");
    int pid =
        spawn(interpreter_exe(), {"--attach", fake_vel_exe(), "--wait-vel", example("demo.rexx")},
              {"FAKE_VEL_LOG=" + log, "FAKE_VEL_COMMANDS=next;next"});
    ASSERT_EQ(wait_exit(pid, 20000), 0);
    std::string text = read_file(log);
    EXPECT_EQ(logged(text, "arg"), std::vector<std::string>{example("demo.rexx")});
    EXPECT_EQ(logged(text, "stdout-greeting").size(), 1u);
    EXPECT_EQ(logged(text, "message-greeting").size(), 1u);
    EXPECT_EQ(logged(text, "pid"), std::vector<std::string>{std::to_string(pid)});

    // The macro's text arrives whole (line feeds logged as \n); then the
    // first two "next" commands each move one line on.
    std::string demo = read_file(example("demo.rexx"));
    int lines = int(std::count(demo.begin(), demo.end(), '\n'));
    std::vector<std::string> messages = logged(text, "msg");
    ASSERT_GE(messages.size(), 8u);
    EXPECT_EQ(messages[0].rfind("|set-source|/* demo.rexx", 0), 0u);
    EXPECT_EQ(messages[1],
              "|file-map|0 0 " + std::to_string(lines - 1) + " 0 " + example("demo.rexx"));
    EXPECT_EQ(messages[2], "|running|");
    std::string first = messages[3].substr(std::string("|stop-at|").size());
    int line = std::stoi(first);
    EXPECT_EQ(messages[3], "|stop-at|" + std::to_string(line) + " main");
    EXPECT_EQ(messages[4], "|running|");
    EXPECT_EQ(messages[5], "|stop-at|" + std::to_string(line + 1) + " main");
    EXPECT_EQ(messages.back(), "|end|");
    std::vector<std::string> output = logged(text, "output");
    ASSERT_EQ(output.size(), 1u);
    EXPECT_NE(output[0].find("Nice to meet you, Zed!"), std::string::npos);
    EXPECT_NE(output[0].find("Goodbye, Zed."), std::string::npos);
}

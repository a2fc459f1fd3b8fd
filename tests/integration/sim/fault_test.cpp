// The faults the stand-in can inject into the launch handshake.
#include "vel_side.h"

#include <gtest/gtest.h>

#include <unistd.h>

using namespace simtest;

namespace {

bool all_digits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

} // namespace

TEST(SimHandshake, FaultHandshakeCloseStopsAfterTheCommandPort) {
    Listener messages, out;
    int pid = spawn(sim_exe(), {"--fault", "handshake-close", example("demo.rexx")},
                    {"VelSock_out=" + std::to_string(messages.port),
                     "VelSock_stdout=" + std::to_string(out.port)});
    Conn message = messages.accept_within(5000);
    ASSERT_GE(message.fd, 0);
    std::optional<std::string> port = message.frame_within(5000);
    ASSERT_TRUE(port);
    EXPECT_TRUE(all_digits(*port));
    EXPECT_TRUE(message.closed_within(5000));
    EXPECT_EQ(wait_exit(pid, 5000), 1);
    EXPECT_LT(out.accept_within(100).fd, 0) << "stdout must never be connected";
}

TEST(SimHandshake, FaultNoConnectLeavesTheDebuggerWaiting) {
    Listener messages, out;
    int pid = spawn(sim_exe(), {"--fault", "no-connect", "--timeout", "600", example("demo.rexx")},
                    {"VelSock_out=" + std::to_string(messages.port),
                     "VelSock_stdout=" + std::to_string(out.port)});
    EXPECT_LT(messages.accept_within(400).fd, 0);
    EXPECT_EQ(wait_exit(pid, 5000), 1) << "gives up after its time-out";
    EXPECT_LT(messages.accept_within(0).fd, 0);
}

TEST(SimHandshake, FaultNoStdoutDoesTheMessageChannelOnly) {
    Listener messages, out;
    int pid = spawn(sim_exe(), {"--fault", "no-stdout", "--timeout", "600", example("demo.rexx")},
                    {"VelSock_out=" + std::to_string(messages.port),
                     "VelSock_stdout=" + std::to_string(out.port)});
    Conn message = messages.accept_within(5000);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(message.frame_within(5000)) << "frame " << i;
    EXPECT_LT(out.accept_within(300).fd, 0);
    EXPECT_EQ(wait_exit(pid, 5000), 1);
}

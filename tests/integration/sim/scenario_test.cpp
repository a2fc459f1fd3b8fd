// Scenario mode: scripted frames, raw bytes and faults, and the transcript
// of what the debugger sent.
#include "vel_side.h"

#include <gtest/gtest.h>

using namespace simtest;

namespace {

struct Scenario {
    std::string script, transcript;
    explicit Scenario(const std::string& name, const std::string& steps)
        : script(scratch_path(name + ".scn")), transcript(scratch_path(name + ".log")) {
        write_file(script, steps);
    }
    std::vector<std::string> args() const {
        return {"--scenario", script, "--transcript", transcript};
    }
    std::string recorded() const { return read_file(transcript); }
};

const char handshake_records[] = "stdin-frame @\ncmd #\n";

} // namespace

TEST(SimScenario, PlaysFramesAndOutputAndRecordsEverythingReceived) {
    Scenario s("play", "# frames, raw output, then what vel must send\n"
                       "send |set-source|a\\nb\n"
                       "send |mes|tab\\there\\x41\\\\\n"
                       "stdout partial line\\r\\n\n"
                       "\n"
                       "expect cmd next\n"
                       "expect stdin typed\n"
                       "expect any\n"
                       "send |end|\n");
    VelSide vel(s.args());
    ASSERT_TRUE(vel.ok);
    EXPECT_EQ(vel.next_message(), "|set-source|a\nb");
    EXPECT_EQ(vel.next_message(), "|mes|tab\there"
                                  "A\\");
    EXPECT_EQ(vel.output_until("\n"), "partial line\r\n");
    vel.command("next");
    vel.type("typed");
    vel.command("tipeval 0 say 1");
    EXPECT_EQ(vel.next_message(), "|end|");
    vel.cmd = Conn();
    vel.in = Conn();
    EXPECT_EQ(vel.exit_status(), 0);
    EXPECT_EQ(s.recorded(),
              std::string(handshake_records) + "cmd next\nstdin typed\\n\ncmd tipeval 0 say 1\n");
}

TEST(SimScenario, AFailedExpectIsRecordedAndEndsWithStatusThree) {
    Scenario s("mismatch", "expect cmd cont\nsend |end|\n");
    VelSide vel(s.args());
    vel.command("next");
    EXPECT_TRUE(vel.message.closed_within(3000)) << "nothing more is sent";
    EXPECT_EQ(vel.exit_status(), 3);
    EXPECT_EQ(s.recorded(), std::string(handshake_records) +
                                "cmd next\nfail line 1: expected \"cont\", got \"next\"\n");
}

TEST(SimScenario, AnExpectThatTimesOutFails) {
    Scenario s("silent", "timeout 200\nexpect stdin anything\n");
    VelSide vel(s.args());
    EXPECT_EQ(vel.exit_status(), 3);
    EXPECT_NE(s.recorded().find("fail line 2: no input line came"), std::string::npos);
}

TEST(SimScenario, RawBytesGoOutUnframed) {
    Scenario s("raw", "raw message xx<5>|end|\nraw message <12x>\nraw stdout a\\x00b\n");
    VelSide vel(s.args());
    EXPECT_EQ(vel.message.bytes_until("<12x>", 3000), "xx<5>|end|<12x>");
    EXPECT_EQ(vel.output_until("b"), std::string("a\0b", 3));
}

TEST(SimScenario, CloseMidFrameSendsAHeaderAndHalfThePayload) {
    Scenario s("cut", "send |running|\nclose-mid-frame |mes|0123456789\n");
    VelSide vel(s.args());
    EXPECT_EQ(vel.next_message(), "|running|");
    EXPECT_EQ(vel.message.bytes_until("never", 3000), "<15>|mes|01");
    EXPECT_EQ(vel.exit_status(), 0);
}

TEST(SimScenario, NeverAnswerKeepsTheLinkOpenAndReadsNothing) {
    Scenario s("mute", "never-answer 1500\n");
    VelSide vel(s.args());
    vel.command("next");
    EXPECT_FALSE(vel.message.closed_within(500)) << "still open, still silent";
    EXPECT_TRUE(vel.message.closed_within(5000));
    EXPECT_EQ(vel.exit_status(), 0);
    EXPECT_EQ(s.recorded(), handshake_records) << "the command was never read";
}

TEST(SimScenario, AKilledDebuggerEndsEvenAScenarioThatReadsNothing) {
    Scenario s("orphan", "never-answer 600000\n");
    VelSide vel(s.args());
    ASSERT_TRUE(vel.ok);
    // vel killed: its four connections close at once, without a word.
    vel.cmd = Conn();
    vel.in = Conn();
    vel.message = Conn();
    vel.out = Conn();
    EXPECT_EQ(wait_exit(vel.pid, 5000), 1) << "a lost link ends with status 1";
}

TEST(SimScenario, TouchMarksTheMomentWithAFile) {
    const std::string mark = scratch_path("touched");
    write_file(mark, "old");
    Scenario s("touch", "send |running|\ntouch " + mark + "\nsend |end|\n");
    VelSide vel(s.args());
    EXPECT_EQ(vel.next_message(), "|running|");
    EXPECT_EQ(vel.next_message(), "|end|");
    EXPECT_EQ(read_file(mark), "") << "made empty";
}

TEST(SimScenario, ExitStepEndsWithItsStatusAfterAnOrderlyClose) {
    Scenario s("exit", "send |end|\nexit 7\n");
    VelSide vel(s.args());
    EXPECT_EQ(vel.next_message(), "|end|");
    EXPECT_TRUE(vel.message.closed_within(3000));
    EXPECT_EQ(vel.exit_status(), 7);
}

TEST(SimScenario, ExpectEofWaitsForTheDebuggerToCloseItsCommandChannel) {
    Scenario s("eof", "send |end|\nexpect eof\nexit 5\n");
    VelSide vel(s.args());
    EXPECT_EQ(vel.next_message(), "|end|");
    vel.command("kill");
    vel.cmd = Conn();
    EXPECT_EQ(vel.exit_status(), 5);
    EXPECT_EQ(s.recorded(), std::string(handshake_records) + "cmd kill\neof cmd\n");
}

TEST(SimScenario, ABadScriptIsRefusedBeforeAnyConnection) {
    Scenario s("bad", "send ok\nfly away\n");
    Listener messages, out;
    int pid = spawn(sim_exe(), s.args(),
                    {"VelSock_out=" + std::to_string(messages.port),
                     "VelSock_stdout=" + std::to_string(out.port)});
    EXPECT_EQ(wait_exit(pid, 5000), 2);
    EXPECT_LT(messages.accept_within(100).fd, 0);
}

TEST(SimScenario, RunsOverTheAttachHandshakeToo) {
    Scenario s("attached", "send |stop-at|0 main\nexpect cmd step\nsend |end|\n");
    std::string log = scratch_path("attached_vel.log");
    std::vector<std::string> args = s.args();
    args.insert(args.end(), {"--attach", fake_vel_exe(), "--wait-vel"});
    int pid = spawn(sim_exe(), args, {"FAKE_VEL_LOG=" + log, "FAKE_VEL_COMMANDS=step"});
    EXPECT_EQ(wait_exit(pid, 10000), 0);
    EXPECT_NE(read_file(log).find("msg |stop-at|0 main\nmsg |end|\n"), std::string::npos);
    std::string recorded = s.recorded();
    EXPECT_NE(recorded.find("stdin-frame #\n"), std::string::npos);
    EXPECT_NE(recorded.find("cmd step\n"), std::string::npos);
}

// Launching the stand-in interpreter and attaching to it: the handshakes,
// what the child is given, and every fault of the way.
#include "link/launch.h"

#include "display/panes/panes.h"
#include "link/frame.h"
#include "link/link_state.h"
#include "platform/system.h"
#include "runtime/places.h"
#include "source/source.h"
#include "startup/main_loop.h"
#include "test_support.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class Launch : public VelTest {
  protected:
    std::string dir;
    void SetUp() override {
        VelTest::SetUp();
        char pattern[] = "/tmp/vel-launch-XXXXXX";
        dir = mkdtemp(pattern);
        g_places.home_directory = "C:\\nowhere\\";
        g_panes.command.lines = {"banner\n", "\n", "% "};
    }
    void TearDown() override {
        if (g_link.connected) close_interpreter();
        std::system(("rm -rf '" + dir + "'").c_str());
        VelTest::TearDown();
    }
    std::string write(const std::string& name, const std::string& text) {
        std::ofstream(dir + "/" + name, std::ios::binary) << text;
        return dir + "/" + name;
    }
    // The stand-in plays `steps`; its transcript lands in dir/transcript.
    void use_scenario(const std::string& steps, const std::string& extra = "") {
        const std::string scenario = write("s.scn", steps);
        headless::set_env("OSTRA", std::string(OSTRA_SIM) + " " + extra + " --scenario " +
                                       scenario + " --transcript " + dir + "/transcript");
    }
    std::string transcript() { return read_file(dir + "/transcript"); }
    // Serves the link until the condition holds or vel ends.
    int serve_until(const std::function<bool()>& done, int turns_ms = 10000) {
        return VEL_EXIT_STATUS({
            auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(turns_ms);
            while (!done() && std::chrono::steady_clock::now() < until) {
                if (!main_loop_turn()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
    }
};

constexpr int kept_running = -1000;

} // namespace

TEST_F(Launch, HandshakeThenMessagesAndCommands) {
    const std::string macro = write("m.rexx", "say 'hi'\n");
    use_scenario("send |set-source|say 'hi'\\n\n"
                 "send |stop-at|0 main\n"
                 "expect cmd features\n"
                 "expect cmd next\n"
                 "stdout hello\\n\n"
                 "send |end|\n"
                 "expect eof\n");
    EXPECT_EQ(VEL_EXIT_STATUS(start_interpreter({macro})), kept_running);
    ASSERT_TRUE(g_link.connected);
    EXPECT_EQ(g_link.run_vector, (std::vector<std::string>{"vel", macro}));
    EXPECT_EQ(g_link.interpreter_program, "wostra");

    // The stop is shown once the turns that served it have brought the
    // window up to date.
    const std::string stopped_title = "vel @ velhost: stopped in main ---- file: " + macro;
    EXPECT_EQ(serve_until([&] { return headless::main_window().title == stopped_title; }),
              kept_running);
    EXPECT_TRUE(displayed_source().stop_routine.has_value());
    EXPECT_EQ(headless::main_window().title, stopped_title);
    EXPECT_EQ(displayed_source().lines, std::vector<std::string>{"say 'hi'\n"});

    ASSERT_EQ(vel_send(g_link.command_socket, "next", 4, Report::Yes), 0);
    EXPECT_EQ(serve_until([] {
                  return headless::main_window().title == "vel @ velhost: waiting user input";
              }),
              kept_running);
    EXPECT_FALSE(g_link.connected);
    EXPECT_EQ(g_panes.io.lines, std::vector<std::string>{"hello\n"});
    EXPECT_EQ(headless::main_window().title, "vel @ velhost: waiting user input");
    EXPECT_EQ(g_panes.command.lines[2], "Ostra process exited\n");
    EXPECT_TRUE(headless::boxes().empty());

    // What the stand-in received: the handshake frames, then the command.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_NE(transcript().find("stdin-frame @"), std::string::npos) << transcript();
    EXPECT_NE(transcript().find("cmd #"), std::string::npos) << transcript();
    EXPECT_NE(transcript().find("cmd next"), std::string::npos) << transcript();
}

TEST_F(Launch, ChildGetsItsVariablesFirstAndLosesArgumentGrouping) {
    const std::string macro = write("m.rexx", "say 1\n");
    use_scenario("send |end|\nexpect eof\n");
    // The probe records what it was given, then hands over to the stand-in.
    const std::string ostra_value = [&] {
        std::string value;
        plat_getenv("OSTRA", value);
        return value;
    }();
    headless::set_env("OSTRA",
                      std::string(CHILD_PROBE) + ostra_value.substr(std::string(OSTRA_SIM).size()));
    headless::set_env("VEL_PROBE_OUT", dir + "/probe");
    headless::set_env("VEL_PROBE_NEXT", OSTRA_SIM);
    headless::set_env("VelInst", "stale");
    start_interpreter({macro, "a b", "c"});
    ASSERT_TRUE(g_link.connected);

    std::istringstream probe(read_file(dir + "/probe"));
    std::vector<std::string> args, env;
    for (std::string line; std::getline(probe, line);) {
        if (line.rfind("arg:", 0) == 0) args.push_back(line.substr(4));
        if (line.rfind("env:", 0) == 0) env.push_back(line.substr(4));
    }
    ASSERT_GE(args.size(), 3u);
    // "a b" reached the child as two arguments.
    EXPECT_EQ(std::vector<std::string>(args.end() - 4, args.end()),
              (std::vector<std::string>{macro, "a", "b", "c"}));
    ASSERT_GE(env.size(), 5u);
    EXPECT_EQ(env[0].rfind("VelSock_out=", 0), 0u);
    EXPECT_EQ(env[1].rfind("VelSock_stdout=", 0), 0u);
    EXPECT_EQ(env[2], "VelPid=" + std::to_string(plat_process_id()));
    EXPECT_EQ(env[3], "VelInst=");
    // vel's own (stale) value follows later in the block.
    EXPECT_NE(std::find(env.begin() + 4, env.end(), "VelInst=stale"), env.end());
}

TEST_F(Launch, FirstLineNamesTheInterpreter) {
    EXPECT_EQ(interpreter_program_of(write("a.rexx", "#!myrexx -x\nsay 1\n")), "myrexx -x");
    EXPECT_EQ(interpreter_program_of(write("b.rexx", "#!   spaced\r\n")), "spaced");
    EXPECT_EQ(interpreter_program_of(write("c.rexx", "#!\n")), "wostra");
    EXPECT_EQ(interpreter_program_of(write("d.rexx", "say 1\n")), "wostra");
    EXPECT_EQ(interpreter_program_of(write("e.rexx", "")), "wostra");
    EXPECT_EQ(interpreter_program_of(dir + "/missing.rexx"), "wostra");
}

TEST_F(Launch, MissingMacroIsReportedAndVelGoesOnWithoutInterpreter) {
    EXPECT_EQ(VEL_EXIT_STATUS(start_interpreter({dir + "/missing.rexx"})), kept_running);
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text,
              "vel: The \"" + dir + "/missing.rexx\" file does not exist.");
    EXPECT_FALSE(g_link.connected);
    EXPECT_FALSE(main_loop_turn());
}

TEST_F(Launch, ProgramThatCannotStartEndsAtOnce) {
    const std::string macro = write("m.rexx", "say 1\n");
    headless::set_env("OSTRA", dir + "/no-such-program");
    EXPECT_EQ(VEL_EXIT_STATUS(start_interpreter({macro})), 1);
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text, "vel child: Unable to start \"" + dir +
                                             "/no-such-program \"" + macro + "\"\" \"vel\"");
}

TEST_F(Launch, PeerClosingDuringTheHandshake) {
    const std::string macro = write("m.rexx", "say 1\n");
    use_scenario("send |end|\n", "--fault handshake-close");
    EXPECT_EQ(VEL_EXIT_STATUS(start_interpreter({macro})), 1);
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text, "vel: Unable to communicate with Ostra.");
}

TEST_F(Launch, PeerClosingMidFrameWhileConnected) {
    const std::string macro = write("m.rexx", "say 1\n");
    use_scenario("close-mid-frame |mes|half a message\n");
    start_interpreter({macro});
    ASSERT_TRUE(g_link.connected);
    EXPECT_EQ(serve_until([] { return false; }), 1);
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text, "vel: Unable to read from the Ostra process.");
}

TEST_F(Launch, OverlongHeaderAndGarbage) {
    const std::string macro = write("m.rexx", "say 1\n");
    use_scenario("raw message <" + std::string(120, '9') + ">\nsleep 500\n");
    start_interpreter({macro});
    EXPECT_EQ(serve_until([] { return false; }), 1);
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text, "vel: Overflow when reading header.");
}

TEST_F(Launch, MalformedMessageIsAFormatError) {
    const std::string macro = write("m.rexx", "say 1\n");
    use_scenario("send |stop|x\nsleep 500\n");
    start_interpreter({macro});
    EXPECT_EQ(serve_until([] { return false; }), 1);
    EXPECT_EQ(headless::stdout_bytes(), "vel: invalid format in hnd_in().\n\"|stop|x\"\n");
}

TEST_F(Launch, KillIsAnsweredByClosing) {
    const std::string macro = write("m.rexx", "say 1\n");
    use_scenario("expect cmd kill\nexit 0\n");
    start_interpreter({macro});
    ASSERT_TRUE(g_link.connected);
    EXPECT_EQ(VEL_EXIT_STATUS(stop_interpreter(StopReason::Command)), kept_running);
    EXPECT_FALSE(g_link.connected);
    EXPECT_TRUE(headless::boxes().empty());
}

TEST_F(Launch, ClosingWindowWaitsAtMostThreeSecondsForAnInterpreterThatNeverAnswers) {
    const std::string macro = write("m.rexx", "say 1\n");
    use_scenario("never-answer 20000\n");
    start_interpreter({macro});
    ASSERT_TRUE(g_link.connected);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(VEL_EXIT_STATUS(stop_interpreter(StopReason::WindowClose)), 0);
    // Bounded: well short of the stand-in's 20 seconds.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
    EXPECT_TRUE(headless::boxes().empty());
}

TEST_F(Launch, OstraValueIsTakenAsItStands) {
    const std::string macro = write("m.rexx", "#!ignored\nsay 1\n");
    use_scenario("send |end|\nexpect eof\n");
    start_interpreter({macro, "x"});
    ASSERT_TRUE(g_link.connected);
    EXPECT_EQ(g_link.interpreter_program, "ignored");
}

TEST(Attach, StandInStartsVelWhichCompletesTheAttachHandshake) {
    char pattern[] = "/tmp/vel-attach-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    std::ofstream(dir + "/m.rexx") << "say 'attached'\n";
    std::ofstream(dir + "/s.scn") << "send |set-source|say 'attached'\\n\n"
                                     "send |stop-at|0 main\n"
                                     "stdout attached\\n\n"
                                     "sleep 200\n"
                                     "send |end|\n";
    const std::string command = std::string(OSTRA_SIM) + " --attach " + VEL_HEADLESS +
                                " --scenario " + dir + "/s.scn --transcript " + dir +
                                "/t --wait-vel " + dir + "/m.rexx > " + dir + "/out 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    // vel-headless reports its final state after the interpreter ended.
    const std::string out = read_file(dir + "/out");
    EXPECT_NE(out.find("exit: 0"), std::string::npos) << out;
    EXPECT_NE(out.find("title: vel @ "), std::string::npos) << out;
    EXPECT_NE(out.find(": waiting user input"), std::string::npos) << out;
    EXPECT_NE(out.find("io: attached\\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("box:"), std::string::npos) << out;
    // The stand-in got vel's three frames and the "#" on stdin.
    const std::string transcript = read_file(dir + "/t");
    EXPECT_NE(transcript.find("stdin-frame #"), std::string::npos) << transcript;
    std::system(("rm -rf '" + dir + "'").c_str());
}

TEST(Attach, InterpreterThatNeverConnectsBackIsGivenUpAfterTwoTurns) {
    char pattern[] = "/tmp/vel-attach-XXXXXX";
    const std::string dir = mkdtemp(pattern);
    std::ofstream(dir + "/m.rexx") << "say 1\n";
    std::ofstream(dir + "/s.scn") << "sleep 100\n";
    // The stand-in takes vel's three frames but never connects to vel's
    // listeners: vel warns after one accept turn and gives up after the next.
    const std::string command = std::string(OSTRA_SIM) + " --attach " + VEL_HEADLESS +
                                " --fault no-connect --timeout 18000 --scenario " + dir +
                                "/s.scn --wait-vel " + dir + "/m.rexx > " + dir + "/out 2>&1";
    std::system(command.c_str());
    const std::string out = read_file(dir + "/out");
    EXPECT_NE(out.find("box: vel: Retrying to communicate with the Ostra process.\n"
                       "box: vel: Unable to communicate with the Ostra process.\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("exit: 1"), std::string::npos) << out;
    std::system(("rm -rf '" + dir + "'").c_str());
}

// run, rerun and runfile starting the stand-in interpreter for real. A small
// shell wrapper records the arguments each interpreter got and starts the
// stand-in with its own scenario (the frames it expects, in order) and
// transcript.
#include "commands/breakpoints.h"
#include "edit/edit_quit.h"
#include "edit/edit_session.h"
#include "edit/edit_ui.h"
#include "link/link_state.h"
#include "link_fixture.h"
#include "source/source.h"

namespace {

class RunControl : public DiskTest {
  protected:
    void SetUp() override {
        DiskTest::SetUp();
#ifndef OSTRA_SIM_EXE
        GTEST_SKIP() << "the stand-in interpreter is not in this tree";
#else
        g_link.test_mode = false;
        g_link.connected = false;
        g_link.run_vector = {"vel"};
        write_host_file(dir.file("wrapper.sh"), "n=$1; shift\n"
                                                "printf '%s\\n' \"$@\" > \"" +
                                                    dir.file("args.") +
                                                    "$n\"\n"
                                                    "exec \"" OSTRA_SIM_EXE "\" --timeout 20000"
                                                    " --scenario \"" +
                                                    dir.file("scenario.") +
                                                    "$n\""
                                                    " --transcript \"" +
                                                    dir.file("transcript.") + "$n\" \"$@\"\n");
#endif
    }
    void TearDown() override {
        if (g_link.connected) run("kill");
        DiskTest::TearDown();
    }
    // The next interpreter started is number n and plays these steps.
    void next_interpreter(int n, const std::string& steps) {
        write_host_file(dir.file("scenario." + std::to_string(n)), steps);
        headless::set_env("OSTRA", "/bin/sh " + dir.file("wrapper.sh") + " " + std::to_string(n));
    }
    Lines arguments_of(int n) const {
        Lines out;
        std::istringstream in(read_host_file(dir.file("args." + std::to_string(n))));
        for (std::string line; std::getline(in, line);)
            out.push_back(line);
        return out;
    }
    // The command frames interpreter n received after the handshake.
    Lines commands_of(int n) const {
        Lines out;
        std::istringstream in(read_host_file(dir.file("transcript." + std::to_string(n))));
        for (std::string line; std::getline(in, line);)
            if (line.rfind("cmd ", 0) == 0 && line != "cmd #") out.push_back(line.substr(4));
        return out;
    }
    std::string macro(const std::string& name, const std::string& text) {
        write_host_file(dir.file(name), text);
        return "c:" + dir.file(name);
    }
};

TEST_F(RunControl, RunfileSplitsWithQuotesAndBackslashes) {
    const std::string script = macro("my demo.ost", "say hi\n");
    next_interpreter(1, "expect cmd features\nexpect cmd kill\nexit 0\n");
    run("runfile \"" + dir.file("my demo.ost") + "\" one 'two words' back\\slash it\\'s");
    ASSERT_TRUE(g_link.connected);
    EXPECT_EQ(g_link.run_vector,
              (Lines{"ostra", script, "one", "two words", "back\\slash", "it's"}));
    EXPECT_EQ(g_link.interpreter_program, "wostra");
    // Arguments reach the interpreter unquoted, so "two words" falls apart.
    EXPECT_EQ(arguments_of(1), (Lines{script, "one", "two", "words", "back\\slash", "it's"}));
    run("kill");
    EXPECT_FALSE(g_link.connected);
    EXPECT_EQ(commands_of(1), (Lines{"features", "kill"}));
    EXPECT_TRUE(messages().empty());
}

TEST_F(RunControl, RunfileOfAMissingFileChangesNothing) {
    g_link.run_vector = {"vel", "demo.ost", "a"};
    run("stop in foo"); // not connected: refused, nothing recorded
    g_breakpoints.routines.push_back({"foo", -1, 0});
    run("runfile " + dir.file("none.ost") + " x");
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text,
              "vel: The \"" + dir.file("none.ost") + "\" file does not exist.");
    EXPECT_EQ(g_link.run_vector, (Lines{"vel", "demo.ost", "a"}));
    EXPECT_EQ(g_breakpoints.routines.size(), 1u);
    EXPECT_FALSE(g_link.connected);
}

TEST_F(RunControl, RunKeepsTheArgumentsRerunClearsThemAndBothRearm) {
    const std::string script = macro("demo.ost", "#!myrexx -x\nsay hi\n");
    next_interpreter(1, "expect cmd features\nsend |stop-set|4\n"
                        "expect cmd stop in foo 0 0\n"
                        "expect cmd kill\nexit 0\n");
    run("runfile " + dir.file("demo.ost") + " a b");
    ASSERT_TRUE(g_link.connected);
    EXPECT_EQ(g_link.interpreter_program, "myrexx -x");
    hnd_in(); // the confirmation of a breakpoint from an earlier session
    run("stop in foo");
    EXPECT_EQ(g_breakpoints.lines, std::vector<std::int32_t>{4});

    write_host_file(dir.file("demo.ost"), "#!other\n");
    next_interpreter(2, "expect cmd features\nexpect cmd stopv at 5\n"
                        "expect cmd stop in foo 0 0\n"
                        "expect cmd kill\nexit 0\n");
    run("run");
    ASSERT_TRUE(g_link.connected);
    EXPECT_EQ(arguments_of(2), (Lines{script, "a", "b"}));
    EXPECT_EQ(g_link.interpreter_program, "other");
    // Until the new interpreter confirms, no line is marked.
    EXPECT_TRUE(g_breakpoints.lines.empty());

    write_host_file(dir.file("demo.ost"), "#!third\n");
    next_interpreter(3,
                     "expect cmd features\nexpect cmd stop in foo 0 0\nexpect cmd kill\nexit 0\n");
    run("rerun");
    EXPECT_EQ(arguments_of(3), Lines{script});
    EXPECT_EQ(g_link.interpreter_program, "other");

    next_interpreter(4,
                     "expect cmd features\nexpect cmd stop in foo 0 0\nexpect cmd kill\nexit 0\n");
    run("run x  y");
    EXPECT_EQ(arguments_of(4), (Lines{script, "x", "y"}));
    EXPECT_EQ(g_link.run_vector, (Lines{"ostra", script, "x", "y"}));
    run("kill");

    EXPECT_EQ(commands_of(1), (Lines{"features", "stop in foo 0 0", "kill"}));
    EXPECT_EQ(commands_of(2), (Lines{"features", "stopv at 5", "stop in foo 0 0", "kill"}));
    EXPECT_EQ(commands_of(3), (Lines{"features", "stop in foo 0 0", "kill"}));
    EXPECT_EQ(commands_of(4), (Lines{"features", "stop in foo 0 0", "kill"}));
    EXPECT_TRUE(messages().empty());
}

TEST_F(RunControl, RunfileWhileConnectedDropsTheOldSourceAndBreakpoints) {
    macro("one.ost", "say 1\n");
    macro("two.ost", "say 2\n");
    next_interpreter(1, "expect cmd features\nsend |set-source|say 1\n"
                        "expect cmd stop in foo 0 0\n"
                        "expect cmd kill\nexit 0\n");
    run("runfile " + dir.file("one.ost"));
    hnd_in();
    EXPECT_EQ(displayed_source().lines, Lines{"say 1"});
    run("stop in foo");
    next_interpreter(2, "expect cmd features\nexpect cmd kill\nexit 0\n");
    run("runfile " + dir.file("two.ost"));
    EXPECT_TRUE(displayed_source().lines.empty());
    EXPECT_TRUE(g_breakpoints.routines.empty());
    EXPECT_EQ(g_link.run_vector, (Lines{"ostra", "c:" + dir.file("two.ost")}));
    run("kill");
    EXPECT_EQ(commands_of(1), (Lines{"features", "stop in foo 0 0", "kill"}));
    EXPECT_EQ(commands_of(2), (Lines{"features", "kill"}));
}

TEST_F(RunControl, RunAndRerunAskAboutUnsavedEditsAndDoWhatTheAnswerSays) {
    macro("demo.ost", "say 1\nsay 2\n");
    next_interpreter(1, "expect cmd features\nsend |set-source|say 1\\nsay 2\\n\n"
                        "send |file-map|0 0 1 0 c:" +
                            dir.file("demo.ost") +
                            "\n"
                            "expect cmd kill\nexit 0\n");
    run("runfile " + dir.file("demo.ost"));
    hnd_in();
    hnd_in();
    edit_begin();
    edit_switch_to(1);
    edit_type_line(1, "say 'TWO'");
    const std::string question =
        "The file\nc:" + dir.file("demo.ost") + "\nhas been modified.\nDo you want to save it?";

    // Cancel runs nothing: the same interpreter, the edit still there.
    headless::script_box_answer(BoxAnswer::Cancel);
    run("rerun");
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text, question);
    EXPECT_TRUE(g_link.connected);
    EXPECT_TRUE(edit_any_modified());
    EXPECT_EQ(displayed_source().lines[1], "say 'TWO'");
    headless::script_box_answer(BoxAnswer::Cancel);
    run("run");
    EXPECT_EQ(headless::boxes().size(), 2u);
    EXPECT_EQ(read_host_file(dir.file("args.2")), "<none>"); // no second interpreter

    // Save File: the file is written, then the new interpreter runs it.
    next_interpreter(2, "expect cmd features\nexpect cmd kill\nexit 0\n");
    headless::script_box_answer(BoxAnswer::Yes);
    run("run");
    EXPECT_EQ(headless::boxes().size(), 3u);
    EXPECT_EQ(read_host_file(dir.file("demo.ost")), "say 1\nsay 'TWO'\n");
    EXPECT_FALSE(edit_any_modified());
    EXPECT_EQ(commands_of(1), (Lines{"features", "kill"}));
    ASSERT_TRUE(g_link.connected);
    run("kill");
    EXPECT_EQ(commands_of(2), (Lines{"features", "kill"}));
}

TEST_F(RunControl, DiscardEditsRunsAgainAndTheNewSourceReplacesTheEdits) {
    macro("demo.ost", "say 1\n");
    const std::string steps = "send |set-source|say 1\\n\n"
                              "send |file-map|0 0 0 0 c:" +
                              dir.file("demo.ost") +
                              "\n"
                              "expect cmd features\nexpect cmd kill\nexit 0\n";
    next_interpreter(1, steps);
    run("runfile " + dir.file("demo.ost"));
    hnd_in();
    hnd_in();
    edit_begin();
    edit_switch_to(0);
    edit_type_line(0, "say 'ONE'");
    next_interpreter(2, steps);
    headless::script_box_answer(BoxAnswer::No);
    run("rerun");
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(read_host_file(dir.file("demo.ost")), "say 1\n");
    hnd_in(); // the new interpreter's source
    EXPECT_EQ(displayed_source().lines, Lines{"say 1\n"});
    EXPECT_FALSE(edit_any_modified());
    run("kill");
    EXPECT_EQ(commands_of(1), (Lines{"features", "kill"}));
    EXPECT_EQ(commands_of(2), (Lines{"features", "kill"}));
}

TEST_F(RunControl, RunAndRerunNeedAScript) {
    run("run");
    run("rerun a");
    EXPECT_EQ(messages(), Lines(2, "Issue a RUNFILE command first."));
    EXPECT_FALSE(g_link.connected);
}

} // namespace

// Breakpoints with conditions, counts and logpoints, caught REXX conditions
// and run to here, against a peer on real sockets: the frames vel sends,
// what the interpreter's answers do to the marks, the listing and the status
// file, and what vel says when the interpreter does not offer the forms.
#include "commands/break_forms.h"
#include "commands/breakpoints.h"
#include "commands/catch_conditions.h"
#include "commands/run_to_here.h"
#include "commands/status_file.h"
#include "link/link_features.h"
#include "link/link_state.h"
#include "link_fixture.h"
#include "source/source.h"
#include "source_given.h"

namespace {

class BreakForms : public LinkTest {
  protected:
    void SetUp() override {
        LinkTest::SetUp();
        g_link.run_vector = {"vel", "c:/proj/demo.rexx"};
        given_source(std::vector<std::string>(20, "say x\n"));
        given_file_map({{0, 9, 0, "c:/proj/demo.rexx"}, {10, 19, 10, "c:/proj/lib.rexx"}});
        given_stop(0, "main");
    }
    void offered(const std::string& groups = "vars frames breaks catch") {
        interpreter_says("|features|" + groups);
    }
};

TEST_F(BreakForms, FormsWaitForTheAnswerToFeaturesThenGo) {
    link_features_ask();
    EXPECT_EQ(received(), Lines{"features"});
    run("stop at 5 if x > 3");
    run("catch syntax");
    run("stop at 6"); // a plain one never waits
    EXPECT_EQ(received(), Lines{"stop at 6"});
    offered();
    EXPECT_EQ(received(), (Lines{"stop at 5 if x > 3", "catch SYNTAX"}));
    EXPECT_EQ(messages(), Lines{});
}

TEST_F(BreakForms, AnInterpreterWithoutTheGroupsIsNotAskedForThem) {
    // Refused as an unknown command: the refusal of vel's own question is
    // not shown, the held lines are answered.
    link_features_ask();
    received();
    run("stopv at 3 every 2");
    interpreter_says("|mes|ostra-sim: unknown command \"features\"");
    EXPECT_EQ(messages(), Lines{"not supported by this interpreter"});
    clear_pane();
    run("catch NOVALUE");
    run("trace at 4 \"x is {x}\"");
    run("stop in sub1 if x = 1");
    EXPECT_EQ(messages(),
              (Lines{"not supported by this interpreter", "not supported by this interpreter",
                     "not supported by this interpreter"}));
    EXPECT_EQ(commands.read_far(50), "");
    EXPECT_TRUE(g_caught_conditions.empty());

    // An answer that leaves the groups out says the same.
    link_features_ask();
    received();
    offered("vars frames");
    clear_pane();
    run("catch HALT");
    EXPECT_EQ(messages(), Lines{"not supported by this interpreter"});

    // No answer at all: after the wait it is taken as none.
    link_features_ask();
    received();
    run("stop at 2 after 3");
    EXPECT_FALSE(link_features_check_timeout(std::chrono::steady_clock::now()));
    clear_pane();
    EXPECT_TRUE(link_features_check_timeout(std::chrono::steady_clock::now() + link_features_wait));
    EXPECT_EQ(messages(), Lines{"not supported by this interpreter"});
    EXPECT_EQ(commands.read_far(50), "");
}

TEST_F(BreakForms, BadFormsAreRefusedBeforeTheyLeave) {
    offered();
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"stop at 5 after 0", "the count of after is not a whole number from 1 to 999999999"},
        {"stop at 5 after -1", "the count of after is not a whole number from 1 to 999999999"},
        {"stop at 5 every 99999999999",
         "the count of every is not a whole number from 1 to 999999999"},
        {"stop at 5 after", "after needs a count"},
        {"stop at 5 after 2 every 3", "after and every cannot be combined"},
        {"stop at 5 if", "if needs an expression"},
        {"stopv at 5 frob", "unknown word \"frob\""},
        {"trace at 5 \"x is {x\"", "a { without its }"},
        {"trace at 5 \"x is x}\"", "a } without its {"},
        {"tracev at 5 \"x is { }\"", "an empty {} in the text"},
        {"stop at 5 if " + std::string(5000, 'x'), "the text is over 4096 bytes long"},
        {"stop in sub1 every 0", "the count of every is not a whole number from 1 to 999999999"},
    };
    for (const auto& [line, why] : cases) {
        clear_pane();
        run(line);
        EXPECT_EQ(messages(), Lines{"Breakpoint not set: " + why + "."}) << line;
    }
    // Doubled braces are text; a condition may hold any bytes.
    run("trace at 5 \"{{x}} is {x}\"");
    run("stop at 5 after 999999999 if a = '}'");
    EXPECT_EQ(received(),
              (Lines{"trace at 5 \"{{x}} is {x}\"", "stop at 5 after 999999999 if a = '}'"}));
    EXPECT_TRUE(g_breakpoints.routines.empty());
}

TEST_F(BreakForms, ConfirmationsMarkEachKindAndFollowEdits) {
    offered();
    run("stopv at 4 after 2 if x > 1");
    run("tracev at 6 \"x is {x}\"");
    run("stopv at 9");
    EXPECT_EQ(received(),
              (Lines{"stopv at 4 after 2 if x > 1", "tracev at 6 \"x is {x}\"", "stopv at 9"}));
    interpreter_says("|stop-set|3");
    interpreter_says("|stop-set|6"); // moved down to the next instruction
    interpreter_says("|stop-set|8");
    EXPECT_EQ(vel_bp_mark(3), BreakMark::Conditional);
    EXPECT_EQ(vel_bp_mark(6), BreakMark::Log);
    EXPECT_EQ(vel_bp_mark(8), BreakMark::Plain);
    EXPECT_EQ(vel_bp_mark(5), BreakMark::None);
    EXPECT_EQ(vel_bp_mark_tip(3), "stop after 2 if x > 1");
    EXPECT_EQ(vel_bp_mark_tip(6), "log \"x is {x}\"");
    EXPECT_EQ(vel_bp_mark_tip(8), "");

    // A line inserted above moves the marks with what they ask.
    vel_bp_line_inserted(0);
    EXPECT_EQ(vel_bp_mark(4), BreakMark::Conditional);
    EXPECT_EQ(vel_bp_mark(7), BreakMark::Log);
    EXPECT_EQ(vel_bp_mark(3), BreakMark::None);
    vel_bp_line_deleted(0);

    // Set again plainly, the line asks nothing more.
    run("stopv at 4");
    interpreter_says("|stop-set|3");
    EXPECT_EQ(vel_bp_mark(3), BreakMark::Plain);
    EXPECT_EQ(vel_bp_mark_tip(3), "");
}

TEST_F(BreakForms, TheListingAndANewInterpreterGetEveryForm) {
    offered();
    run("stop at 4 every 3 if i // 2 = 0");
    run("trace at 12 \"i={i}\"");
    run("stop in sub1 after 5");
    run("catch syntax");
    run("catch novalue");
    run("catch trapped");
    received();
    interpreter_says("|stop-set|3");
    interpreter_says("|stop-set|11");
    interpreter_says("|stopin-set|0 14");
    // The routine's label carries the mark of what it asks.
    EXPECT_EQ(vel_bp_mark(14), BreakMark::Conditional);
    EXPECT_EQ(vel_bp_mark_tip(14), "stop in sub1 after 5");
    clear_pane();
    run("status");
    EXPECT_EQ(messages(), (Lines{"stop at 4 (demo.rexx) every 3 if i // 2 = 0",
                                 "trace at 2 (lib.rexx) \"i={i}\"", "stop in sub1 after 5",
                                 "catch NOVALUE", "catch SYNTAX", "catch TRAPPED"}));

    vel_bp_rearm();
    EXPECT_EQ(received(), (Lines{"stopv at 4 every 3 if i // 2 = 0", "tracev at 12 \"i={i}\"",
                                 "stop in sub1 0 0 after 5", "catch NOVALUE", "catch SYNTAX",
                                 "catch TRAPPED"}));
    interpreter_says("|stop-set|3");
    interpreter_says("|stop-set|11");
    EXPECT_EQ(vel_bp_mark(3), BreakMark::Conditional);
    EXPECT_EQ(vel_bp_mark(11), BreakMark::Log);
}

TEST_F(BreakForms, TheStatusFileKeepsThemInLinesAnOlderVelPassesOver) {
    offered();
    run("stopv at 4 after 2 if x > 1");
    run("tracev at 6 \"x is {x}\"");
    run("stopv at 9");
    run("stop in sub1 if y == 'a b'");
    run("catch SYNTAX");
    interpreter_says("|stop-set|3");
    interpreter_says("|stop-set|5");
    interpreter_says("|stop-set|8");
    const std::string path = dir.file(".vel_status");
    write_host_file(path, "main other.rexx stop in other.rexx 3\n"
                          "main other.rexx|breaks catch HALT\n"
                          "main demo.rexx|breaks catch ERROR\n");
    ASSERT_EQ(vel_status_save(path, Quiet::No), 0);
    const std::string saved = read_host_file(path);
    EXPECT_EQ(saved, "main other.rexx stop in other.rexx 3\n"
                     "main other.rexx|breaks catch HALT\n"
                     "main demo.rexx|breaks stop in demo.rexx 4 after 2 if x > 1\n"
                     "main demo.rexx|breaks tracev at 6 \"x is {x}\"\n"
                     "main demo.rexx stop in demo.rexx 9\n"
                     "main demo.rexx|breaks stop in sub1 if y == 'a b'\n"
                     "main demo.rexx|breaks catch SYNTAX\n");

    // Read back by a new vel: the same forms go to the interpreter, and the
    // confirmations bring back the same marks.
    g_breakpoints = BreakpointTable{};
    g_break_forms = BreakFormsTable{};
    g_caught_conditions.clear();
    received();
    vel_command_source(path);
    EXPECT_EQ(received(),
              (Lines{"stop in demo.rexx 0 4 after 2 if x > 1", "tracev at 6 \"x is {x}\"",
                     "stop in demo.rexx 0 9", "stop in sub1 0 0 if y == 'a b'", "catch SYNTAX"}));
    interpreter_says("|stop-set|3");
    interpreter_says("|stop-set|5");
    interpreter_says("|stop-set|8");
    EXPECT_EQ(vel_bp_mark(3), BreakMark::Conditional);
    EXPECT_EQ(vel_bp_mark(5), BreakMark::Log);
    EXPECT_EQ(vel_bp_mark(8), BreakMark::Plain);
    ASSERT_EQ(vel_status_save(path, Quiet::No), 0);
    EXPECT_EQ(read_host_file(path), saved);
}

TEST_F(BreakForms, CatchKeepsWhatIsCaughtAndRefusesUnknownNames) {
    offered();
    run("catch syntax");
    run("CATCH NoValue");
    run("catch syntax off");
    run("catch");
    run("catch frob");
    run("catch syntax maybe");
    EXPECT_EQ(received(), (Lines{"catch SYNTAX", "catch NOVALUE", "catch SYNTAX off", "catch"}));
    EXPECT_EQ(g_caught_conditions, Lines{"NOVALUE"});
    EXPECT_EQ(messages(), (Lines{"Unknown condition frob: ERROR, FAILURE, HALT, NOTREADY, "
                                 "NOVALUE, SYNTAX or TRAPPED",
                                 ">>>>> Invalid command: `catch syntax maybe'"}));
}

TEST_F(BreakForms, ACaughtConditionIsOneLineThenANormalStop) {
    offered();
    interpreter_says("|caught|SYNTAX 12 41\nBad arithmetic conversion");
    interpreter_says("|caught|NOVALUE 3 -\nA.5");
    interpreter_says("|caught|ERROR 4 -3\n");
    EXPECT_EQ(messages(),
              (Lines{"Condition SYNTAX raised at line 3 of lib.rexx (RC 41): Bad arithmetic "
                     "conversion",
                     "Condition NOVALUE raised at line 4 of demo.rexx: A.5",
                     "Condition ERROR raised at line 5 of demo.rexx (RC -3)"}));
    interpreter_says("|stop-at|12 sub1");
    EXPECT_EQ(displayed_source().stop_line, 12);
    EXPECT_FALSE(displayed_source().macro_running);
}

TEST_F(BreakForms, RunToHereIsAOneTimeBreakpoint) {
    run("runto 8");
    EXPECT_EQ(received(), (Lines{"stopv at 8", "cont"}));
    interpreter_says("|stop-set|7");
    interpreter_says("|running|");
    EXPECT_FALSE(vel_bp_marked(7));
    interpreter_says("|stop-at|7 main");
    EXPECT_EQ(received(), Lines{"delete 7"});
    clear_pane();
    run("status");
    EXPECT_EQ(messages(), Lines{});

    // Stopped elsewhere first: it goes all the same, at the line it was
    // confirmed on.
    run("runto 5");
    interpreter_says("|stop-set|5");
    interpreter_says("|running|");
    interpreter_says("|stop-at|2 main");
    EXPECT_EQ(received(), (Lines{"stopv at 5", "cont", "delete 5"}));

    // To a line that has a breakpoint of the user's: only cont, and the
    // breakpoint stays.
    interpreter_says("|stop-set|9");
    run("runto 10");
    interpreter_says("|running|");
    interpreter_says("|stop-at|9 main");
    EXPECT_EQ(received(), Lines{"cont"});
    EXPECT_TRUE(vel_bp_marked(9));

    // Without a number: the line the source's selection starts on.
    run("runto");
    EXPECT_EQ(messages(), Lines{"No line to run to: select one in the source"});
}

} // namespace

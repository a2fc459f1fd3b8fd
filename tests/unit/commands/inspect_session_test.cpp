// The variables and call stack panes' questions and answers: what vel asks
// at a stop and only of an interpreter that offers it, how the answers fill
// the panes, and what garbage, silence and answers nobody asked for do.
#include "commands/inspect_session.h"
#include "commands_fixture.h"
#include "link/link_features.h"
#include "link/messages.h"
#include "source_given.h"

#include <gtest/gtest.h>

namespace {

lists::VarList frame_vars(std::int64_t frame, std::vector<lists::Variable> entries) {
    lists::VarList l;
    l.frame = frame;
    l.total = std::int64_t(entries.size());
    l.entries = std::move(entries);
    return l;
}

std::string framelist_message(std::int64_t selected, std::vector<std::string> routines) {
    lists::FrameList l;
    l.selected = selected;
    std::int64_t line = 10;
    for (std::string& r : routines)
        l.frames.push_back({std::move(r), 0, line, line - 1}), line += 10;
    return "|framelist|" + lists::encode_framelist(l);
}

std::string varlist_message(const lists::VarList& l) {
    return "|varlist|" + lists::encode_varlist(l);
}

std::string varchanges_message(std::int64_t frame, std::int64_t generation, std::int64_t base,
                               std::vector<lists::Variable> set,
                               std::vector<std::string> dropped = {}) {
    lists::VarChanges c;
    c.frame = frame;
    c.generation = generation;
    c.base = base;
    c.set = std::move(set);
    c.dropped = std::move(dropped);
    c.total = std::int64_t(c.set.size()); // the tests' lists do not look at it
    return "|varchanges|" + lists::encode_varchanges(c);
}

class InspectSessionTest : public CommandsTest {
  protected:
    void SetUp() override {
        CommandsTest::SetUp();
        given_source({"call f\n", "exit\n", "f: procedure\n", "return\n"});
        given_stop(3, "F");
    }
    static void offer(std::vector<std::string> groups) {
        g_link_features.answer = FeaturesAnswer::Known;
        g_link_features.groups = std::move(groups);
    }
    static std::vector<std::string> var_rows() {
        std::vector<std::string> rows;
        for (std::size_t i = 0; i < g_inspect.vars.row_count(); ++i)
            rows.push_back(g_inspect.vars.row_text(i, 60));
        return rows;
    }
};

TEST_F(InspectSessionTest, AStopAsksTheStackThenTheSelectedFramesVariables) {
    offer({"vars", "frames"});
    run("vars on");
    EXPECT_EQ(sent(), Lines({"frames"})) << "shown while stopped: filled at once";
    clear_pane();

    hnd_in_payload(framelist_message(1, {"F", "main"}));
    EXPECT_EQ(sent(), Lines({"vars 1"}));
    EXPECT_EQ(g_inspect.stack.row_text(1, 40, "demo.ost"), "> main  demo.ost line 20");

    hnd_in_payload(varlist_message(
        frame_vars(1, {{"ZED", "1", false, 0}, {"RC", "0", false, 0}, {"A", "x\ny", false, 0}})));
    EXPECT_EQ(var_rows(), Lines({"RC = 0", "A = x\\ny", "ZED = 1"}));
    EXPECT_TRUE(g_inspect.vars_pending.empty());
    EXPECT_EQ(g_inspect.frames_pending, 0);
}

TEST_F(InspectSessionTest, NothingIsAskedOfAnInterpreterThatDoesNotOfferIt) {
    for (const std::vector<std::string>& groups :
         {std::vector<std::string>{}, {"vars"}, {"frames"}, {"breaks", "catch"}}) {
        clear_pane();
        offer(groups);
        g_inspect = InspectSession{};
        run("vars on");
        inspect_stopped(true);
        EXPECT_EQ(sent(), Lines()) << groups.size();
        EXPECT_EQ(g_inspect.vars.notice(), "not supported by this interpreter");
        EXPECT_EQ(g_inspect.stack.notice(), "not supported by this interpreter");
        run("vars");
        EXPECT_EQ(messages().back(), "not supported by this interpreter");
    }
    // While the features question is unanswered nothing is offered yet.
    clear_pane();
    g_link_features.answer = FeaturesAnswer::Pending;
    inspect_stopped(true);
    EXPECT_EQ(sent(), Lines());
}

TEST_F(InspectSessionTest, PanesHiddenAskNothingAtAStop) {
    offer({"vars", "frames"});
    inspect_stopped(true);
    run("vars off");
    inspect_stopped(true);
    EXPECT_EQ(sent(), Lines());
}

TEST_F(InspectSessionTest, GarbageAnswersLeaveANoticeAndVelCarriesOn) {
    offer({"vars", "frames"});
    run("vars on");
    for (const char* body : {"", "2 0\n", "x", "1 0\n0 1 0 99999999\nF\n", "-1 0\n"}) {
        EXPECT_EQ(VEL_EXIT_STATUS(hnd_in_payload(std::string("|framelist|") + body)), -1000)
            << body;
        EXPECT_EQ(g_inspect.stack.notice(), "the interpreter's answer could not be read");
    }
    hnd_in_payload(framelist_message(0, {"F"}));
    EXPECT_EQ(g_inspect.stack.notice(), "");
    for (const char* body : {"", "0 1 0 1\nv 5 1\nA\n1\n", "0 1 0 1\nq 1 1\nA\n1\n", "zz"}) {
        EXPECT_EQ(VEL_EXIT_STATUS(hnd_in_payload(std::string("|varlist|") + body)), -1000) << body;
        EXPECT_EQ(g_inspect.vars.notice(), "the interpreter's answer could not be read");
        EXPECT_EQ(g_inspect.vars.row_count(), 0u);
    }
}

TEST_F(InspectSessionTest, AFrameThatCannotBeReadSaysSoInOneLine) {
    offer({"vars", "frames"});
    run("vars on");
    hnd_in_payload(framelist_message(1, {"F", "main"}));
    lists::VarList hidden;
    hidden.frame = 1;
    hidden.failure = lists::VarFailure::hidden;
    hidden.reason = "the variables of main are hidden by the routine called from it";
    hnd_in_payload(varlist_message(hidden));
    EXPECT_EQ(g_inspect.vars.notice(), hidden.reason);
    EXPECT_EQ(g_inspect.vars.row_count(), 0u);
}

TEST_F(InspectSessionTest, SilenceIsGivenUpOnAndALateAnswerStillCounts) {
    offer({"vars", "frames"});
    run("vars on");
    const auto now = std::chrono::steady_clock::now();
    EXPECT_GT(inspect_wait_left_ms(now), 0);
    EXPECT_FALSE(inspect_check_timeout(now));
    EXPECT_TRUE(inspect_check_timeout(now + inspect_answer_wait + std::chrono::milliseconds(1)));
    EXPECT_EQ(g_inspect.stack.notice(), "no answer from the interpreter");
    EXPECT_EQ(inspect_wait_left_ms(now), -1) << "nothing is awaited any more";

    clear_pane();
    hnd_in_payload(framelist_message(0, {"F"}));
    EXPECT_EQ(g_inspect.stack.notice(), "");
    EXPECT_EQ(sent(), Lines({"vars 0"}));
}

TEST_F(InspectSessionTest, StopsInAQuickRowAskTheStackOnceMoreNotOncePerStop) {
    offer({"vars", "frames"});
    run("vars on");
    inspect_stopped(false);
    inspect_stopped(false);
    EXPECT_EQ(sent(), Lines({"frames"}));
    clear_pane();
    hnd_in_payload(framelist_message(0, {"F", "main"}));
    EXPECT_EQ(sent(), Lines({"frames"})) << "the answer was stale: asked once more, no vars yet";
    clear_pane();
    hnd_in_payload(framelist_message(0, {"F", "main"}));
    EXPECT_EQ(sent(), Lines({"vars 0"}));
}

TEST_F(InspectSessionTest, SelectingAFrameSendsUpOrDownAsTheUserWouldType) {
    offer({"vars", "frames"});
    run("vars on");
    hnd_in_payload(framelist_message(0, {"G", "F", "main"}));
    clear_pane();
    inspect_select_frame(2);
    EXPECT_EQ(sent(), Lines({"up", "up"}));
    clear_pane();
    inspect_select_frame(1);
    EXPECT_EQ(sent(), Lines({"down"}));
    clear_pane();
    inspect_select_frame(7);
    EXPECT_EQ(sent(), Lines()) << "no such row";
}

TEST_F(InspectSessionTest, AStemOpensByAskingItsFirstPage) {
    offer({"vars", "frames"});
    run("vars on");
    hnd_in_payload(framelist_message(0, {"F"}));
    hnd_in_payload(varlist_message(frame_vars(0, {{"S.", std::nullopt, true, 1000}})));
    clear_pane();
    inspect_toggle_stem(0);
    EXPECT_EQ(sent(), Lines({"vars 0 S. 0 256"}));
    lists::VarList page;
    page.frame = 0;
    page.stem = "S.";
    page.total = 1000;
    page.entries = {{"1", "one", false, 0}, {"2", "two", false, 0}};
    hnd_in_payload(varlist_message(page));
    EXPECT_EQ(g_inspect.vars.row_text(2, 40), "  S.2 = two");
    clear_pane();
    inspect_rows_shown(300, 20);
    EXPECT_EQ(sent(), Lines({"vars 0 S. 256 256"}));
}

TEST_F(InspectSessionTest, VarsAlonePrintsTheSelectedFramesVariables) {
    offer({"vars", "frames"});
    run("vars");
    EXPECT_EQ(sent(), Lines({"frames"}));
    hnd_in_payload(framelist_message(1, {"F", "main"}));
    EXPECT_EQ(sent(), Lines({"frames", "vars 1"})) << "the panes are off: only the print asks";
    clear_pane();
    hnd_in_payload(varlist_message(
        frame_vars(1, {{"N", "5", false, 0}, {"SQ.", "0", true, 3}, {"RESULT", "25", false, 0}})));
    EXPECT_EQ(messages(), Lines({"RESULT = 25", "N = 5", "SQ. (3 tails) = 0"}));
    EXPECT_EQ(g_inspect.vars.row_count(), 0u) << "the pane's rows are not the print's";
}

TEST_F(InspectSessionTest, TheVarsCommandTakesOnOffOrNothing) {
    offer({"vars", "frames"});
    run("vars ON");
    EXPECT_TRUE(g_inspect.shown);
    run("vars off");
    EXPECT_FALSE(g_inspect.shown);
    clear_pane();
    run("vars maybe");
    run("vars on off");
    EXPECT_EQ(messages(), Lines({">>>>> Invalid command: `vars maybe'",
                                 ">>>>> Invalid command: `vars on off'"}));
    EXPECT_FALSE(g_inspect.shown);
    g_link.connected = false;
    clear_pane();
    run("vars");
    EXPECT_EQ(sent(), Lines());
}

TEST_F(InspectSessionTest, TheLinkClosingEmptiesThePanesButKeepsThemShown) {
    offer({"vars", "frames"});
    run("vars on");
    hnd_in_payload(framelist_message(0, {"F"}));
    hnd_in_payload(varlist_message(frame_vars(0, {{"A", "1", false, 0}})));
    inspect_forget();
    EXPECT_TRUE(g_inspect.shown);
    EXPECT_EQ(g_inspect.vars.row_count(), 0u);
    EXPECT_EQ(g_inspect.stack.row_count(), 0u);
}

} // namespace

TEST_F(InspectSessionTest, WithChangesOfferedAStopAsksTheStackAndTheVariablesAtOnce) {
    offer({"vars", "varchanges", "frames"});
    run("vars on");
    EXPECT_EQ(sent(), Lines({"frames"})) << "no stack yet: nothing to ask ahead for";
    hnd_in_payload(framelist_message(0, {"F", "main"}));
    hnd_in_payload(varchanges_message(0, 1, 0, {{"A", "1", false, 0}, {"N", "2", false, 0}}));
    clear_pane();

    // A step inside F: both questions go at once, and the stack's answer
    // asks nothing more.
    inspect_stopped(true);
    EXPECT_EQ(sent(), Lines({"frames", "varchanges 0 1"}));
    clear_pane();
    hnd_in_payload(framelist_message(0, {"F", "main"}));
    EXPECT_EQ(sent(), Lines());
    hnd_in_payload(varchanges_message(0, 2, 1, {{"N", "3", false, 0}}));
    EXPECT_EQ(var_rows(), Lines({"A = 1", "N = 3"}));
    EXPECT_TRUE(g_inspect.vars.row(1).changed);
    EXPECT_TRUE(g_inspect.vars_pending.empty());

    // A step into G: asked under F's name, the changes turn F's rows into
    // G's, which are new to the pane.
    inspect_stopped(true);
    clear_pane();
    hnd_in_payload(framelist_message(0, {"G", "F", "main"}));
    EXPECT_EQ(sent(), Lines()) << "the innermost frame was the one asked for";
    hnd_in_payload(varchanges_message(0, 3, 2, {{"K", "k", false, 0}}, {"A", "N"}));
    EXPECT_EQ(var_rows(), Lines({"K = k"}));
    EXPECT_FALSE(g_inspect.vars.row(0).changed);

    // Back in F: its rows from two stops ago are what the marks compare with.
    inspect_stopped(true);
    hnd_in_payload(framelist_message(0, {"F", "main"}));
    hnd_in_payload(
        varchanges_message(0, 4, 3, {{"A", "1", false, 0}, {"N", "9", false, 0}}, {"K"}));
    EXPECT_EQ(var_rows(), Lines({"A = 1", "N = 9"}));
    EXPECT_FALSE(g_inspect.vars.row(0).changed);
    EXPECT_TRUE(g_inspect.vars.row(1).changed);
}

TEST_F(InspectSessionTest, VariablesAskedAheadForAFrameNotSelectedAreDroppedAndAskedAgain) {
    offer({"vars", "varchanges", "frames"});
    run("vars on");
    hnd_in_payload(framelist_message(0, {"F", "main"}));
    hnd_in_payload(varchanges_message(0, 1, 0, {{"A", "1", false, 0}}));
    clear_pane();

    // `up` typed: vel did not choose the frame, so it asks for the one it
    // had, and the stack says main is selected.
    inspect_stopped(false);
    EXPECT_EQ(sent(), Lines({"frames", "varchanges 0 1"}));
    clear_pane();
    hnd_in_payload(framelist_message(1, {"F", "main"}));
    EXPECT_EQ(sent(), Lines({"varchanges 1 0"}));
    // The answer for frame 0 shows nowhere; main's comes next.
    hnd_in_payload(varchanges_message(0, 2, 1, {{"WRONG", "x", false, 0}}));
    EXPECT_EQ(var_rows(), Lines());
    hnd_in_payload(varchanges_message(1, 3, 0, {{"M", "m", false, 0}}));
    EXPECT_EQ(var_rows(), Lines({"M = m"}));
    EXPECT_TRUE(g_inspect.vars_pending.empty());

    // A click on F's row chooses the frame: asked ahead for it, rightly.
    clear_pane();
    inspect_select_frame(0);
    EXPECT_EQ(sent(), Lines({"down"}));
    clear_pane();
    inspect_stopped(false);
    EXPECT_EQ(sent(), Lines({"frames", "varchanges 0 1"})) << "F's rows are still held";
    clear_pane();
    hnd_in_payload(framelist_message(0, {"F", "main"}));
    EXPECT_EQ(sent(), Lines());

    // A stack that cannot be read drops the question sent after it: the
    // rows stay as they were.
    hnd_in_payload(varchanges_message(0, 4, 0, {{"A", "1", false, 0}}));
    inspect_stopped(true);
    hnd_in_payload("|framelist|garbage");
    hnd_in_payload(varchanges_message(0, 5, 4, {{"A", "2", false, 0}}));
    EXPECT_EQ(var_rows(), Lines({"A = 1"}));
    EXPECT_TRUE(g_inspect.vars_pending.empty());
}

TEST_F(InspectSessionTest, StopListsAreAskedForWhileShownAndTakenAsTheStopsAnswers) {
    offer({"vars", "varchanges", "frames", "stoplists"});
    run("vars on");
    EXPECT_EQ(sent(), Lines({"stoplists on", "frames"})) << "this stop still asks";
    hnd_in_payload("|stoplists|on");
    hnd_in_payload(framelist_message(0, {"F", "main"}));
    hnd_in_payload(varchanges_message(0, 1, 0, {{"A", "1", false, 0}, {"N", "2", false, 0}}));
    clear_pane();

    // A step: nothing is asked, and the lists behind the stop fill the panes.
    inspect_stopped(true);
    EXPECT_EQ(sent(), Lines());
    hnd_in_payload(framelist_message(0, {"F", "main"}));
    hnd_in_payload(varchanges_message(0, 2, 1, {{"N", "3", false, 0}}));
    EXPECT_EQ(sent(), Lines()) << "the changes were for the rows held";
    EXPECT_EQ(var_rows(), Lines({"A = 1", "N = 3"}));
    EXPECT_TRUE(g_inspect.vars.row(1).changed);
    EXPECT_TRUE(g_inspect.vars_pending.empty());
    EXPECT_EQ(g_inspect.frames_pending, 0);

    // A print typed while the macro ran is answered after the stop's lists.
    g_inspect.print_waiting = false;
    g_inspect.vars_pending.push_back(VarsAsk::Print);
    inspect_stopped(true);
    hnd_in_payload(framelist_message(0, {"G", "F", "main"}));
    hnd_in_payload(varchanges_message(0, 3, 2, {{"K", "k", false, 0}}, {"A", "N"}));
    EXPECT_EQ(var_rows(), Lines({"K = k"})) << "F's rows made G's";
    hnd_in_payload(varlist_message(frame_vars(0, {{"K", "k", false, 0}})));
    ASSERT_FALSE(messages().empty());
    EXPECT_EQ(messages().back(), "K = k");
    EXPECT_TRUE(g_inspect.vars_pending.empty());

    // Changes to rows vel does not hold: the whole list is asked for.
    clear_pane();
    inspect_stopped(true);
    hnd_in_payload(framelist_message(0, {"G", "F", "main"}));
    hnd_in_payload(varchanges_message(0, 9, 7, {{"K", "q", false, 0}}));
    EXPECT_EQ(sent(), Lines({"varchanges 0 0"}));
    hnd_in_payload(varchanges_message(0, 10, 0, {{"K", "q", false, 0}}));
    EXPECT_EQ(var_rows(), Lines({"K = q"}));

    // Hidden: vel asks for them no longer, and the stops that come before
    // the answer still have their lists behind them, shown nowhere.
    clear_pane();
    run("vars off");
    EXPECT_EQ(sent(), Lines({"stoplists off"}));
    clear_pane();
    g_inspect.vars_pending.push_back(VarsAsk::Print);
    inspect_stopped(true);
    hnd_in_payload(framelist_message(0, {"G", "F", "main"}));
    hnd_in_payload(varchanges_message(0, 11, 10, {{"K", "late", false, 0}}));
    hnd_in_payload(varlist_message(frame_vars(0, {{"K", "printed", false, 0}})));
    ASSERT_FALSE(messages().empty());
    EXPECT_EQ(messages().back(), "K = printed") << "the print's answer kept its place";
    EXPECT_TRUE(g_inspect.vars_pending.empty());
    hnd_in_payload("|stoplists|off");
    inspect_stopped(true);
    EXPECT_EQ(sent(), Lines());
    EXPECT_TRUE(g_inspect.vars_pending.empty());
    EXPECT_EQ(g_inspect.frames_pending, 0);
}

TEST_F(InspectSessionTest, StopListsAreAskedForOnlyOfAnInterpreterThatOffersThem) {
    offer({"vars", "varchanges", "frames"});
    run("vars on");
    EXPECT_EQ(sent(), Lines({"frames"}));
    hnd_in_payload(framelist_message(0, {"F", "main"}));
    clear_pane();
    inspect_stopped(true);
    EXPECT_EQ(sent(), Lines({"frames", "varchanges 0 0"}));

    // The link closed after an "on": the next interpreter starts without
    // them, and is asked once what it offers is known.
    hnd_in_payload("|stoplists|on");
    inspect_forget();
    clear_pane();
    inspect_stopped(true);
    EXPECT_EQ(sent(), Lines({"frames"}));
    offer({"vars", "varchanges", "frames", "stoplists"});
    clear_pane();
    inspect_features_known();
    EXPECT_EQ(sent(), Lines({"stoplists on"})) << "the stack is on its way already";
}

// The variables and call stack panes' session against the interpreters over
// real loopback sockets: vel asks what they offer on connecting, and at a
// stop inside a PROCEDURE routine the panes show the routine's variables,
// the caller's once its frame is selected, a stem's tails in numeric order,
// and an edited value. The stand-in walks too small a REXX for ostra-regina's
// macro (no ARG()): it has one of its own, with EXPOSE, recursion
// and INTERPRET.
#include "commands/inspect_session.h"
#include "link/link_features.h"
#include "link/link_state.h"
#include "link_fixture.h"
#include "source/source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace {

struct Interpreter {
    const char* name;
    const char* exe;
    const char* options; // before the macro
};

std::vector<Interpreter> interpreters() {
    std::vector<Interpreter> all;
#ifdef OSTRA_REGINA_EXE
    all.push_back({"ostra-regina", OSTRA_REGINA_EXE, ""});
#endif
    return all;
}

std::string upper(std::string s) {
    for (char& c : s)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

class InspectLink : public DiskTest {
  protected:
    // Starts `interpreter` on `macro` with the panes on, up to its first stop.
    void start(const Interpreter& interpreter, const std::string& macro) {
        g_link.test_mode = false;
        g_link.connected = false;
        g_link.run_vector = {"vel"};
        const std::string script = dir.path.string() + "/interp.sh";
        write_host_file(script, std::string("script=\"$1\"; shift\nexec \"") + interpreter.exe +
                                    "\" " + interpreter.options + " \"${script#c:}\" \"$@\"\n");
        headless::set_env("OSTRA", "/bin/sh " + script);
        write_host_file(dir.file("m.rexx"), macro);
        run("vars on");
        run("runfile " + dir.file("m.rexx"));
        ASSERT_TRUE(g_link.connected);
        ASSERT_TRUE(serve_until([] {
            return displayed_source().first_stop_seen &&
                   g_link_features.answer == FeaturesAnswer::Known;
        }));
    }
    void TearDown() override {
        if (g_link.connected) run("kill");
        DiskTest::TearDown();
    }
    static bool panes_quiet() {
        return g_inspect.vars_pending.empty() && g_inspect.frames_pending == 0;
    }
    // A run command, then the stop and both panes' answers.
    static bool step(const std::string& command) {
        const std::int32_t before = displayed_source().stop_line;
        run(command);
        return serve_until([&] {
            return !displayed_source().macro_running && displayed_source().stop_line != before &&
                   panes_quiet();
        });
    }
    static std::vector<std::string> var_rows() {
        std::vector<std::string> rows;
        for (std::size_t i = 0; i < g_inspect.vars.row_count(); ++i)
            rows.push_back(g_inspect.vars.row_text(i, 60));
        return rows;
    }
    // What `vars` prints for the selected frame: a whole list, read afresh.
    static std::vector<std::string> printed_rows() {
        clear_pane();
        run("vars");
        if (!serve_until([] { return panes_quiet() && !g_inspect.print_waiting; })) return {"?"};
        std::vector<std::string> rows = messages();
        if (rows == std::vector<std::string>{"no variables"}) rows.clear();
        return rows;
    }
    // Steps from the first stop to `last_line` (displayed, 0-based): at each
    // stop the pane, kept up to date by changes asked for with the stack,
    // shows what a fresh listing prints. The routines stopped in.
    std::vector<std::string> step_comparing_with_print(std::int32_t last_line) {
        std::vector<std::string> routines;
        if (!serve_until(panes_quiet)) ADD_FAILURE() << "the first stop's panes";
        for (int n = 0; n < 16 && displayed_source().stop_line != last_line; ++n) {
            // A stop on another line or in another frame: the macros have
            // one clause to a line, so each step gives one or the other.
            const std::int32_t line = displayed_source().stop_line;
            const std::size_t depth = g_inspect.stack.row_count();
            run("step");
            if (!serve_until([&] {
                    return !displayed_source().macro_running && panes_quiet() &&
                           (displayed_source().stop_line != line ||
                            g_inspect.stack.row_count() != depth);
                })) {
                ADD_FAILURE() << "no stop after step " << n << " from line "
                              << displayed_source().stop_line + 1 << ", running "
                              << displayed_source().macro_running << ", pending "
                              << g_inspect.vars_pending.size() << " " << g_inspect.frames_pending;
                break;
            }
            routines.push_back(upper(g_inspect.stack.frame(0).routine));
            // The pane marks a stem with its open or closed sign; print does not.
            std::vector<std::string> shown = var_rows();
            for (std::string& row : shown)
                if (row.rfind("+ ", 0) == 0) row.erase(0, 2);
            EXPECT_EQ(shown, printed_rows())
                << "at line " << displayed_source().stop_line + 1 << " in " << routines.back();
        }
        // The lists came with the stops, unasked, once the interpreter said so.
        EXPECT_TRUE(g_inspect.stop_lists_come);
        return routines;
    }
};

class InspectInterp : public InspectLink, public ::testing::WithParamInterface<Interpreter> {
  protected:
    void SetUp() override {
        DiskTest::SetUp();
        start(GetParam(), "n = 3\n"
                          "sq.10 = 100\n"
                          "sq.2 = 4\n"
                          "sq.1 = 1\n"
                          "call f n\n"
                          "exit 0\n"
                          "f: procedure\n"
                          "  k = arg(1) * 2\n"
                          "  return k\n");
    }
};

TEST_P(InspectInterp, ARoutinesFrameThenItsCallersThenAStemAndAnEdit) {
    ASSERT_TRUE(link_offers("vars") && link_offers("frames"));
    run("stop at 9");
    ASSERT_TRUE(serve_until([] { return displayed_source().stop_line >= 0; }));
    ASSERT_TRUE(step("cont"));
    ASSERT_EQ(g_inspect.stack.row_count(), 2u);
    EXPECT_EQ(g_inspect.stack.frame(0).line, 9);
    EXPECT_EQ(g_inspect.stack.frame(1).line, 5);
    EXPECT_EQ(var_rows(), std::vector<std::string>({"K = 6"})) << "the routine's own variables";

    inspect_select_frame(1);
    ASSERT_TRUE(serve_until([] {
        return displayed_source().stopped_up && panes_quiet() && g_inspect.stack.selected() == 1;
    }));
    EXPECT_EQ(displayed_source().stop_line, 4) << "the source shows the caller's line";
    // CALL set SIGL in the caller.
    EXPECT_EQ(var_rows(), std::vector<std::string>({"SIGL = 5", "N = 3", "+ SQ. (3 tails)"}));

    inspect_toggle_stem(2);
    ASSERT_TRUE(serve_until(panes_quiet));
    EXPECT_EQ(var_rows(), std::vector<std::string>({"SIGL = 5", "N = 3", "- SQ. (3 tails)",
                                                    "  SQ.1 = 1", "  SQ.2 = 4", "  SQ.10 = 100"}));

    ASSERT_TRUE(inspect_edit_value(1, "seven"));
    ASSERT_TRUE(serve_until(panes_quiet));
    EXPECT_EQ(var_rows().at(1), "N = seven") << "assigned in the caller's frame";
}

TEST_P(InspectInterp, EveryStepIntoARoutineAndBackShowsWhatAFreshListingPrints) {
    const std::vector<std::string> routines = step_comparing_with_print(5);
    EXPECT_NE(std::find(routines.begin(), routines.end(), "F"), routines.end());
    EXPECT_EQ(routines.back(), routines.front()) << "back in main";
    EXPECT_EQ(var_rows(),
              std::vector<std::string>({"RESULT = 6", "SIGL = 5", "N = 3", "+ SQ. (3 tails)"}));
}

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(InspectInterp);
INSTANTIATE_TEST_SUITE_P(Interpreters, InspectInterp, ::testing::ValuesIn(interpreters()),
                         [](const ::testing::TestParamInfo<Interpreter>& info) {
                             return std::string(info.param.name[6] == 'r' ? "regina" : "other");
                         });

class InspectSim : public InspectLink {
  protected:
    void SetUp() override {
        DiskTest::SetUp();
        start({"ostra-sim", OSTRA_SIM_EXE, ""}, "interpret 'q = 5'\n"
                                                "s.10 = 100\n"
                                                "s.2 = 4\n"
                                                "s.1 = 1\n"
                                                "depth = 0\n"
                                                "call r\n"
                                                "exit\n"
                                                "r: procedure expose depth s.\n"
                                                "  depth = depth + 1\n"
                                                "  mine = depth * 10\n"
                                                "  if depth < 2 then\n"
                                                "    call r\n"
                                                "  return\n");
    }
};

TEST_F(InspectSim, ARecursionsFramesTheirExposedStemAndAnEditInMain) {
    ASSERT_TRUE(link_offers("vars") && link_offers("frames"));
    run("stop at 13");
    ASSERT_TRUE(serve_until([] { return displayed_source().stop_line >= 0; }));
    ASSERT_TRUE(step("cont"));
    ASSERT_EQ(g_inspect.stack.row_count(), 3u);
    EXPECT_EQ(g_inspect.stack.frame(0).line, 13);
    EXPECT_EQ(g_inspect.stack.frame(1).line, 12);
    EXPECT_EQ(g_inspect.stack.frame(2).line, 6);
    EXPECT_EQ(var_rows(), std::vector<std::string>({"DEPTH = 2", "MINE = 20", "+ S. (3 tails)"}))
        << "the inner call's own and exposed variables";

    inspect_select_frame(1);
    ASSERT_TRUE(serve_until([] {
        return displayed_source().stopped_up && displayed_source().stop_line == 11 &&
               panes_quiet() && g_inspect.stack.selected() == 1;
    }));
    EXPECT_EQ(var_rows(),
              std::vector<std::string>({"SIGL = 12", "DEPTH = 2", "MINE = 10", "+ S. (3 tails)"}))
        << "the outer call has a MINE of its own, and the SIGL of its CALL";

    inspect_select_frame(2);
    ASSERT_TRUE(serve_until([] {
        return displayed_source().stop_line == 5 && panes_quiet() &&
               g_inspect.stack.selected() == 2;
    })) << "the source shows main's call";
    EXPECT_EQ(var_rows(),
              std::vector<std::string>({"SIGL = 6", "DEPTH = 2", "Q = 5", "+ S. (3 tails)"}));

    inspect_toggle_stem(3);
    ASSERT_TRUE(serve_until(panes_quiet));
    EXPECT_EQ(var_rows(),
              std::vector<std::string>({"SIGL = 6", "DEPTH = 2", "Q = 5", "- S. (3 tails)",
                                        "  S.1 = 1", "  S.2 = 4", "  S.10 = 100"}));

    ASSERT_TRUE(inspect_edit_value(2, "seven"));
    ASSERT_TRUE(serve_until(panes_quiet));
    EXPECT_EQ(var_rows().at(2), "Q = seven") << "assigned in main's frame";
}

TEST_F(InspectSim, EveryStepThroughARecursionShowsWhatAFreshListingPrints) {
    const std::vector<std::string> routines = step_comparing_with_print(6);
    EXPECT_GE(std::count(routines.begin(), routines.end(), "R"), 6) << "both calls stepped through";
    EXPECT_EQ(var_rows(),
              std::vector<std::string>({"SIGL = 6", "DEPTH = 2", "Q = 5", "+ S. (3 tails)"}));
}

} // namespace

// What the text alone proves about how far Regina may run untraced with
// breakpoints set: which lines can never run, and how many counted clauses
// a loop must still run before control can leave it.
#include "source_index.h"
#include "stretch_bound.h"

#include <gtest/gtest.h>

#include <map>

using namespace regina;

namespace {

struct Macro {
    std::string text;
    SourceIndex index;
    StretchBounds bounds;
    explicit Macro(std::string t)
        : text(std::move(t)), index(index_source(text)), bounds(index, text) {}

    // The index of the clause that starts with `start` on `line`.
    std::size_t clause(int line, std::string_view start) const {
        std::optional<std::size_t> c = traced_clause(index, text, line, start);
        EXPECT_TRUE(c) << "no clause \"" << start << "\" on line " << line;
        return c.value_or(0);
    }

    long long room(int line, std::string_view start, const std::map<std::string, std::string>& vars,
                   const std::set<int>& stops = {}) const {
        return bounds.clauses_before_leaving(
            clause(line, start), stops, [&](const std::string& name) -> std::optional<std::string> {
                auto v = vars.find(name);
                if (v == vars.end()) return std::nullopt;
                return v->second;
            });
    }
};

const char counted[] = "x = 0\n"                       // 0
                       "do i = 1 to 100\n"             // 1
                       "  x = x + 1\n"                 // 2
                       "  if x < 0 then say 'never'\n" // 3
                       "end\n"                         // 4
                       "say x\n";                      // 5

} // namespace

TEST(StretchBounds, CodeThatNoPathEntersCannotRun) {
    Macro m("say 'main'\n"      // 0
            "call used\n"       // 1
            "exit\n"            // 2
            "used:\n"           // 3
            "  say 'used'\n"    // 4
            "  return\n"        // 5
            "unused:\n"         // 6
            "  say 'unused'\n"  // 7
            "  return\n"        // 8
            "handler:\n"        // 9
            "  say 'handler'\n" // 10
            "  exit\n");        // 11
    EXPECT_TRUE(m.bounds.may_run(0));
    EXPECT_TRUE(m.bounds.may_run(4)) << "called";
    EXPECT_FALSE(m.bounds.may_run(7)) << "after a RETURN and never named";
    EXPECT_FALSE(m.bounds.may_run(10));
    EXPECT_TRUE(m.bounds.may_run(6)) << "a label's line belongs to the code before it too";
}

TEST(StretchBounds, FallingThroughSignalsTrapsAndInterpretReachLabels) {
    Macro fall("say 1\n"
               "if 0 then exit\n" // a conditional EXIT falls through
               "next:\n"
               "  say 2\n");
    EXPECT_TRUE(fall.bounds.may_run(3));
    Macro signalled("signal there\n"
                    "exit\n"
                    "there:\n"
                    "  say 2\n");
    EXPECT_TRUE(signalled.bounds.may_run(3));
    Macro trapped("signal on novalue name caught\n"
                  "say y\n"
                  "exit\n"
                  "caught:\n"
                  "  say 'trap'\n");
    EXPECT_TRUE(trapped.bounds.may_run(4));
    Macro default_name("call on error\n"
                       "exit\n"
                       "error:\n"
                       "  return\n");
    EXPECT_TRUE(default_name.bounds.may_run(3)) << "CALL ON ERROR goes to ERROR:";
    Macro function("say f(2)\n"
                   "exit\n"
                   "f: return arg(1) * 2\n");
    EXPECT_TRUE(function.bounds.may_run(2));
    Macro interpreted("interpret 'call' 'hidden'\n"
                      "exit\n"
                      "hidden:\n"
                      "  return\n");
    EXPECT_TRUE(interpreted.bounds.may_run(3)) << "INTERPRET may call anything";
    Macro computed("signal value 'T' || 'X'\n"
                   "exit\n"
                   "tx:\n"
                   "  exit\n");
    EXPECT_TRUE(computed.bounds.may_run(3));
}

TEST(StretchBounds, ACountedLoopMustRunItsRemainingPassesFirst) {
    Macro m(counted);
    // At pass 10 of 100: 90 passes to come, one held back, two counted
    // clauses (the assignment and the IF, not the THEN's SAY) a pass.
    EXPECT_EQ(m.room(2, "x = x + 1", {{"I", "10"}}), 89 * 2);
    EXPECT_EQ(m.room(3, "if x < 0", {{"I", "99"}}), 0) << "the last passes run traced";
    EXPECT_EQ(m.room(5, "say x", {{"I", "101"}}), 0) << "outside the loop";
    EXPECT_EQ(m.room(2, "x = x + 1", {{"I", "10"}}, {3}), 0) << "a breakpoint in the loop";
    EXPECT_EQ(m.room(2, "x = x + 1", {{"I", "10"}}, {5}), 89 * 2) << "one after it";
    EXPECT_EQ(m.room(2, "x = x + 1", {{"I", "1.5"}}), 0) << "not a whole number";
    EXPECT_EQ(m.room(2, "x = x + 1", {}), 0) << "no value";
}

TEST(StretchBounds, LimitsAndStepsAreReadAsTheLoopUsesThem) {
    Macro by_two("do k = 0 to n by 2\n"
                 "  nop\n"
                 "end\n");
    EXPECT_EQ(by_two.room(1, "nop", {{"K", "10"}, {"N", "30"}}), 9);
    Macro down("do k = 50 to 1 by -5\n"
               "  nop\n"
               "end\n");
    EXPECT_EQ(down.room(1, "nop", {{"K", "50"}}), 8);
    Macro nested("do j = 1 to 10\n"
                 "  do i = 1 to 3\n"
                 "    nop\n"
                 "  end\n"
                 "  y = j\n"
                 "end\n");
    // The outer loop's passes count only what stands in its own block.
    EXPECT_EQ(nested.room(2, "nop", {{"I", "1"}, {"J", "1"}}), 8);
    EXPECT_EQ(nested.room(2, "nop", {{"I", "1"}, {"J", "1"}}, {4}), 1) << "the inner loop only";
}

TEST(StretchBounds, LoopsWhoseEndTheTextCannotTellAreNotCounted) {
    const std::map<std::string, std::string> at_one{{"I", "1"}, {"N", "1000"}};
    auto room_of = [&](const std::string& header, const std::string& body,
                       const std::string& around = "") {
        Macro m(around + "do " + header + "\n  nop\n  " + body + "\nend\nexit\nr: return 1\n");
        const int first_line = around.empty() ? 1 : 2;
        return m.room(first_line, "nop", at_one);
    };
    EXPECT_GT(room_of("i = 1 to 1000", "x = 1"), 0) << "the plain case counts";
    EXPECT_EQ(room_of("i = 1 to 1000", "i = i + 1"), 0) << "the control variable set";
    EXPECT_EQ(room_of("i = 1 to n", "n = n + 1"), 0) << "the limit set";
    EXPECT_EQ(room_of("i = 1 to 1000", "parse value 5 with i"), 0);
    EXPECT_EQ(room_of("i = 1 to 1000", "call r"), 0);
    EXPECT_EQ(room_of("i = 1 to 1000", "x = r()"), 0) << "an internal function";
    EXPECT_EQ(room_of("i = 1 to 1000", "x = value('I', 5)"), 0);
    EXPECT_GT(room_of("i = 1 to 1000", "x = length(i)"), 0) << "a built-in one";
    EXPECT_EQ(room_of("i = 1 to 1000", "if i > 5 then leave"), 0);
    EXPECT_EQ(room_of("i = 1 to 1000", "interpret 'i = 1'"), 0);
    EXPECT_EQ(room_of("i = 1 to 1000", "pull x"), 0);
    EXPECT_EQ(room_of("i = 1 to 1000 while i > 0", "x = 1"), 0);
    EXPECT_EQ(room_of("i = 1 to 1000 for 5", "x = 1"), 0);
    EXPECT_EQ(room_of("i = 1 to a.j", "x = 1"), 0) << "a compound limit";
    EXPECT_EQ(room_of("i = 1 to 1000", "x = 1", "signal on syntax\n"), 0) << "a trap anywhere";
}

// The frame stack ostra-regina rebuilds from Regina's trace lines.
#include "program.h"

#include <gtest/gtest.h>

#include <cstdio>

using regina::Program;
using regina::read_trace_line;

namespace {

std::string trace(int line, int indent, const std::string& text) {
    char number[8];
    if (line > 0)
        std::snprintf(number, sizeof number, "%6d", line);
    else
        std::snprintf(number, sizeof number, "      ");
    return std::string(number) + " *-* " + std::string(std::size_t(indent), ' ') + text;
}

// Follows one trace line; the routine names of the stack, innermost last,
// and the position reported ("-" when it is no place to stop).
std::string follow(Program& p, int line, int indent, const std::string& text) {
    std::string stored = trace(line, indent, text);
    std::optional<ostra::Position> at = p.follow(read_trace_line(stored));
    std::string shown;
    for (const regina::Frame& f : p.frames)
        shown += f.routine + " ";
    return shown + (at ? std::to_string(at->line) : "-");
}

const char text[] = "x = f(1) + f(2)\n"  // 1
                    "call g\n"           // 2
                    "signal done\n"      // 3
                    "f: procedure\n"     // 4
                    "  return arg(1)\n"  // 5
                    "g:\n"               // 6
                    "  do 2; nop; end\n" // 7
                    "  return\n"         // 8
                    "done:\n"            // 9
                    "  exit\n";          // 10

} // namespace

TEST(TraceLines, ClauseLinesGiveLineIndentAndTextOthersAreRegina_sOwn) {
    std::string with_number = trace(12, 3, "say x");
    regina::TraceLine t = read_trace_line(with_number);
    EXPECT_TRUE(t.clause);
    EXPECT_EQ(t.line, 12);
    EXPECT_EQ(t.indent, 3);
    EXPECT_EQ(t.text, "say x");
    std::string same_line = trace(0, 0, "b = 2");
    EXPECT_EQ(read_trace_line(same_line).line, 0);
    EXPECT_FALSE(read_trace_line("     5 +++    x = 1 / 0").clause);
    EXPECT_FALSE(read_trace_line("Error 42 running \"m\", line 5: x").clause);
}

TEST(TraceLines, FramesFollowCallsFunctionsReturnsAndSignals) {
    Program p;
    p.add_file("m.rexx", "/m.rexx", text);
    p.enter(0, "main");
    EXPECT_EQ(follow(p, 1, 0, "x = f(1) + f(2)"), "main 0");
    EXPECT_EQ(follow(p, 4, 1, "procedure"), "main f 3") << "a function traces no label";
    EXPECT_EQ(follow(p, 5, 1, "return arg(1)"), "main f 4");
    EXPECT_EQ(follow(p, 4, 1, "procedure"), "main f 3") << "the second call, right after RETURN";
    EXPECT_EQ(p.frames.back().fresh, false);
    EXPECT_EQ(follow(p, 5, 1, "return arg(1)"), "main f 4");
    EXPECT_EQ(follow(p, 2, 0, "call g"), "main 1");
    EXPECT_EQ(follow(p, 6, 1, "g:"), "main g -") << "CALL traces the label";
    EXPECT_EQ(follow(p, 7, 1, "do 2"), "main g 6");
    EXPECT_EQ(follow(p, 0, 2, "nop"), "main g 6") << "a loop's body is deeper, same frame";
    EXPECT_EQ(follow(p, 0, 1, "end"), "main g -") << "END is no place to stop";
    EXPECT_EQ(follow(p, 8, 1, "return"), "main g 7");
    EXPECT_EQ(follow(p, 3, 0, "signal done"), "main 2");
    EXPECT_EQ(follow(p, 9, 0, "done:"), "main -") << "SIGNAL reaches a label in the same frame";
    EXPECT_EQ(follow(p, 10, 0, "exit"), "main 9");
    EXPECT_EQ(follow(p, 11, 0, "exit"), "main -") << "past the file: the appended lines";
}

TEST(TraceLines, EachRoutineFileRunsInARunOfItsOwnWithItsOwnDepth) {
    Program p;
    p.add_file("m.rexx", "/m.rexx", "call part\nsay 1\n");
    EXPECT_EQ(p.add_file("part.rexx", "/part.rexx", "a = 1\nreturn\n"), 1);
    EXPECT_EQ(p.files[1].first_displayed, 3) << "after its \"return\" line";
    p.enter(0, "main");
    follow(p, 1, 0, "call part");
    p.enter(1, "part");
    EXPECT_EQ(follow(p, 1, 0, "a = 1"), "main part 3");
    EXPECT_EQ(p.scope_of(0), 0u) << "the caller's run, seen through its snapshot";
    EXPECT_EQ(p.scope_of(1), 1u);
    p.leave();
    EXPECT_EQ(follow(p, 2, 0, "say 1"), "main 1");
    EXPECT_EQ(p.file_of("/part.rexx"), 1);
}

TEST(TraceLines, AProcedureHidesTheVariablesOfTheFramesBelowIt) {
    Program p;
    p.add_file("m.rexx", "/m.rexx", "call a\nexit\na:\n  call b\n  return\nb: procedure\n  nop\n");
    p.enter(0, "main");
    follow(p, 1, 0, "call a");
    follow(p, 3, 1, "a:");
    follow(p, 4, 1, "call b");
    follow(p, 6, 2, "b:");
    follow(p, 0, 2, "procedure");
    EXPECT_EQ(follow(p, 7, 2, "nop"), "main a b 6");
    EXPECT_EQ(p.scope_of(2), 0u);
    EXPECT_FALSE(p.scope_of(1)) << "behind b's PROCEDURE";
    EXPECT_FALSE(p.scope_of(0));
}

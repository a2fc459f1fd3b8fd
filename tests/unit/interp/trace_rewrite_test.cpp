// The macro's TRACE instructions and TRACE() calls in the debugger's copy.
#include "source_index.h"
#include "trace_rewrite.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

regina::TraceRewrite rewrite_trace(const std::string& text) {
    return regina::rewrite_trace(text, regina::index_source(text));
}

} // namespace

TEST(TraceRewrite, EveryFormOfTheInstructionGoesToTheDebugger) {
    regina::TraceRewrite r = rewrite_trace("trace ?R\n"
                                           "if x then trace off; else TRACE\n"
                                           "trace value 'a' /* note */\n"
                                           "trace (setting); say 'on'\n"
                                           "trace = 3; say trace\n"
                                           "say 'trace off' /* trace off */\n"
                                           "old = trace('N') trace ()\n");
    EXPECT_EQ(r.text, "trace value OSTRA_REGINA_TRACE_('?R')\n"
                      "if x then trace value OSTRA_REGINA_TRACE_('off'); else trace value "
                      "OSTRA_REGINA_TRACE_('N')\n"
                      "trace value OSTRA_REGINA_TRACE_('a') /* note */\n"
                      "trace value OSTRA_REGINA_TRACE_((setting)); say 'on'\n"
                      "trace = 3; say trace\n"
                      "say 'trace off' /* trace off */\n"
                      "old = OSTRA_REGINA_TRACE_Q_('N') trace ()\n");
    EXPECT_TRUE(r.changed);
    EXPECT_EQ(r.instructions.at(1), "trace ?R");
    EXPECT_EQ(r.instructions.at(3), "trace value 'a'");
    EXPECT_EQ(r.text.find('\n'), std::string("trace value OSTRA_REGINA_TRACE_('?R')").size())
        << "lines stay where they are";
    EXPECT_FALSE(rewrite_trace("say 'no tracing here'\n").changed);
}

TEST(TraceRewrite, TraceLinesShowTheInstructionsAsWritten) {
    regina::TraceRewrite r = rewrite_trace("x = 1\ntrace value trace()\n");
    EXPECT_EQ(r.instructions.at(2), "trace value trace()");
    EXPECT_EQ(regina::shown_as_written(
                  "     2 *-* trace value OSTRA_REGINA_TRACE_(OSTRA_REGINA_TRACE_Q_())", r),
              "     2 *-* trace value trace()");
    EXPECT_EQ(regina::shown_as_written("     3 *-* say OSTRA_REGINA_TRACE_Q_()", r),
              "     3 *-* say trace()");
    EXPECT_EQ(regina::shown_as_written("     1 *-* x = 1", r), "     1 *-* x = 1");
}

TEST(TraceRewrite, ASettingIsItsLetterWithoutTheDebuggersPrefixesAndCounts) {
    EXPECT_EQ(regina::trace_letter("off"), "O");
    EXPECT_EQ(regina::trace_letter("?results"), "R");
    EXPECT_EQ(regina::trace_letter("!i"), "I");
    EXPECT_EQ(regina::trace_letter("-5"), "") << "skipping is the debugger's";
    EXPECT_EQ(regina::trace_letter("?"), "");
    EXPECT_EQ(regina::trace_letter("x"), "") << "not a setting";
}

TEST(TraceRewrite, CommandsPassThroughTheirMarkAndAreShownWithoutIt) {
    const std::string text = "'ls' dir\n"
                             "address system 'exit 4'; say 'x'\n"
                             "'echo' f(a, b) /* and ( */ \"it's\",\n"
                             "  'more' -- the end\n"
                             "'x' trace()\n";
    regina::TraceRewrite r = rewrite_trace(text);
    EXPECT_EQ(r.text, "OSTRA_REGINA_AT_(0, 'ls' dir)\n"
                      "address system OSTRA_REGINA_AT_(1, 'exit 4'); say 'x'\n"
                      "OSTRA_REGINA_AT_(2, 'echo' f(a, b) /* and ( */ \"it's\",\n"
                      "  'more') -- the end\n"
                      "OSTRA_REGINA_AT_(3, 'x' OSTRA_REGINA_TRACE_Q_())\n");
    EXPECT_EQ(std::count(r.text.begin(), r.text.end(), '\n'), 5) << "lines stay where they are";
    EXPECT_EQ(
        regina::shown_as_written("     2 *-* address system OSTRA_REGINA_AT_(1, 'exit 4')", r),
        "     2 *-* address system 'exit 4'");
    // Regina shows a continued clause on one line.
    EXPECT_EQ(regina::shown_as_written("     3 *-* OSTRA_REGINA_AT_(2, 'echo' f(a, b) /* and ( */ "
                                       "\"it's\" 'more')",
                                       r),
              "     3 *-* 'echo' f(a, b) /* and ( */ \"it's\" 'more'");
    EXPECT_EQ(regina::shown_as_written("     3 *-* OSTRA_REGINA_AT_(2, 'echo' f(a, b) /* and ( */ "
                                       "\"it's\",",
                                       r),
              "     3 *-* 'echo' f(a, b) /* and ( */ \"it's\",")
        << "or by its first line only";
    EXPECT_EQ(regina::shown_as_written("     6 +++ OSTRA_REGINA_AT_(4, 'a'')'')') || 'b'", r),
              "     6 +++ 'a'')'')' || 'b'")
        << "a quote doubled in a string";
}

TEST(TraceRewrite, ACommandThatWouldChangeAsAnArgumentIsOnlyNamed) {
    const std::string text = "'echo', 'x'\n"
                             "'echo' (a\n"
                             "'echo' a)\n";
    regina::TraceRewrite r = rewrite_trace(text);
    EXPECT_EQ(r.text, "OSTRA_REGINA_AT_(0) || 'echo', 'x'\n"
                      "OSTRA_REGINA_AT_(1) || 'echo' (a\n"
                      "OSTRA_REGINA_AT_(2) || 'echo' a)\n")
        << "Regina's error for each of them stays";
}

TEST(TraceRewrite, AMarkClosesAfterTheCommandsLastTokenWhereverItsClauseEnds) {
    const std::string text = "'echo' /* one\n"
                             "  /* two ) */ */ 'z'; 'next' /* c */\n"
                             "'last',  /* more */\n"
                             "\n"
                             "say 'not in it'\n";
    EXPECT_EQ(rewrite_trace(text).text,
              "OSTRA_REGINA_AT_(0, 'echo' /* one\n"
              "  /* two ) */ */ 'z'); OSTRA_REGINA_AT_(1, 'next') /* c */\n"
              "OSTRA_REGINA_AT_(2, 'last'),  /* more */\n"
              "\n"
              "say 'not in it'\n");
}

TEST(TraceRewrite, TheSourceIndexFindsTheCommandsToMark) {
    const std::string text = "#!/usr/bin/env rexx\n"
                             "x = 1; 'echo' x\n"
                             "address system 'ls'; address value 'SYSTEM'\n"
                             "if x == 1 then say 'no command'\n"
                             "x == 1\n";
    regina::SourceIndex index = regina::index_source(text);
    ASSERT_EQ(index.commands.size(), 3u)
        << "a #! line, SAY, assignments and ADDRESS VALUE are none";
    EXPECT_EQ(text.substr(index.commands[0].command, 6), "'echo'");
    EXPECT_EQ(text.substr(index.commands[1].command, 4), "'ls'");
    EXPECT_EQ(text.substr(index.commands[2].command, 6), "x == 1") << "a comparison";
}

TEST(TraceRewrite, KeywordsUsedAsVariablesAndLineCommentsHideNoCommands) {
    const std::string text = "do then = 1 to 2; x = then-,\n"
                             "  1; otherwise = then * 2; end\n"
                             "--'not a command' \n"
                             "if x then 'a command' -- and a comment\n";
    regina::SourceIndex index = regina::index_source(text);
    ASSERT_EQ(index.commands.size(), 1u);
    EXPECT_EQ(text.substr(index.commands[0].command, 11), "'a command'");
    EXPECT_EQ(text.substr(index.commands[0].clause.offset,
                          index.commands[0].end - index.commands[0].clause.offset),
              "'a command'")
        << "the comment is not part of the clause";
}

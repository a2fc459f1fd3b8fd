// Command frames as the interpreter side reads them.
#include "command.h"

#include <gtest/gtest.h>

using ostra::parse_command;
using ostra::Verb;

TEST(CommandParser, RunAndStackCommandsIgnoreLetterCaseAndBlanks) {
    EXPECT_EQ(parse_command("cont").verb, Verb::cont);
    EXPECT_EQ(parse_command("  NEXT ").verb, Verb::next);
    EXPECT_EQ(parse_command("StepOut").verb, Verb::stepout);
    EXPECT_EQ(parse_command("break").verb, Verb::break_);
    EXPECT_EQ(parse_command("where").verb, Verb::where);
    EXPECT_EQ(parse_command("").verb, Verb::none);
    EXPECT_EQ(parse_command(" \t ").verb, Verb::none);
    EXPECT_EQ(parse_command("frobnicate").verb, Verb::unknown);
}

TEST(CommandParser, BreakpointCommandsCarryTheirNumbers) {
    ostra::Command at = parse_command("stop at 12");
    EXPECT_EQ(at.verb, Verb::stop_at);
    EXPECT_EQ(at.line, 12);
    EXPECT_FALSE(at.displayed);
    EXPECT_TRUE(parse_command("stopv at 3").displayed);
    ostra::Command in = parse_command("stop in part.rexx 7 4");
    EXPECT_EQ(in.verb, Verb::stop_in);
    EXPECT_EQ(in.name, "part.rexx");
    EXPECT_EQ(in.id, 7);
    EXPECT_EQ(in.line, 4);
    EXPECT_EQ(parse_command("delete 9").line, 9);
    EXPECT_EQ(parse_command("deletein 2").id, 2);
}

TEST(CommandParser, BadNumbersAreRefusedWithAReason) {
    EXPECT_EQ(parse_command("stop at 0").error, "bad line number 0");
    EXPECT_EQ(parse_command("stop at x1").verb, Verb::bad);
    EXPECT_EQ(parse_command("stop at 9999999999").verb, Verb::bad);
    EXPECT_EQ(parse_command("stop in r x 0").error, "bad breakpoint \"r x 0\"");
    EXPECT_EQ(parse_command("stop in r 1 -2").verb, Verb::bad);
    EXPECT_EQ(parse_command("delete two").verb, Verb::bad);
    EXPECT_EQ(parse_command("stop").verb, Verb::unknown) << "too short to be a breakpoint";
}

TEST(CommandParser, QuestionsKeepTheirTextExactly) {
    ostra::Command t = parse_command("tipeval @main say ( a  b )");
    EXPECT_EQ(t.verb, Verb::tipeval);
    EXPECT_EQ(t.context, "@main");
    EXPECT_EQ(t.text, "say ( a  b )");
    EXPECT_EQ(parse_command("tipeval 2").text, "");
    EXPECT_EQ(parse_command("print  a.b ").text, "a.b ");
    EXPECT_EQ(parse_command("interpret x = 'a;b';").text, "x = 'a;b';");
    EXPECT_EQ(parse_command("print").verb, Verb::unknown) << "nothing to print";
}

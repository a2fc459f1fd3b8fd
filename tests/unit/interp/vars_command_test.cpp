// "vars" and "frames" as the interpreter side reads them: a page, a stem,
// and a reason (never silence) when the arguments do not fit.
#include "command.h"

#include <gtest/gtest.h>

using ostra::parse_command;
using ostra::Verb;

TEST(VarsCommand, AFrameAStemAndAPageAreRead) {
    ostra::Command all = parse_command("vars 2");
    EXPECT_EQ(all.verb, Verb::vars);
    EXPECT_EQ(all.frame, 2);
    EXPECT_EQ(all.name, "");
    EXPECT_EQ(all.from, 0);
    EXPECT_EQ(all.count, -1) << "to the end";
    EXPECT_TRUE(all.error.empty());
    ostra::Command tails = parse_command("VARS 0 squares. 100 50");
    EXPECT_EQ(tails.verb, Verb::vars);
    EXPECT_EQ(tails.name, "SQUARES.") << "stems are named as the pool names them";
    EXPECT_EQ(tails.from, 100);
    EXPECT_EQ(tails.count, 50);
    ostra::Command page = parse_command("vars 1 10 5");
    EXPECT_EQ(page.name, "");
    EXPECT_EQ(page.from, 10);
    EXPECT_EQ(page.count, 5);
    EXPECT_EQ(parse_command("frames").verb, Verb::frames);
}

TEST(VarsCommand, ArgumentsThatDoNotFitKeepTheVerbAndSayWhy) {
    for (const char* text : {"vars", "vars x", "vars -1", "vars 0 1", "vars 0 s. 1", "vars 0 9s.",
                             "vars 0 a.b.", "vars 0 1 -2", "vars 0 s. x 2"}) {
        ostra::Command c = parse_command(text);
        EXPECT_EQ(c.verb, Verb::vars) << text;
        EXPECT_FALSE(c.error.empty()) << text;
    }
    EXPECT_EQ(parse_command("vars x").frame, -1) << "no frame was given";
    EXPECT_EQ(parse_command("vars 3 1").frame, 3);
}

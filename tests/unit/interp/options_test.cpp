// The interpreters' command line: options, then the macro and its arguments.
#include "options.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace {

struct Parsed {
    bool ok = false;
    ostra::CommandLine line;
    std::string error;
};

Parsed parse(std::initializer_list<const char*> words) {
    std::vector<const char*> argv{"ostra"};
    argv.insert(argv.end(), words.begin(), words.end());
    Parsed p;
    p.ok = ostra::parse_command_line(static_cast<int>(argv.size()), argv.data(), {"--wait-vel"},
                                     {"--attach", "--timeout"}, p.line, p.error);
    return p;
}

TEST(CommandLine, OptionsThenMacroThenItsArgumentsAsTheyStand) {
    const Parsed p = parse({"--timeout", "500", "--wait-vel", "--attach", "vel.exe", "m.rexx",
                            "--timeout", "x y", ""});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.line.value("--timeout"), "500");
    EXPECT_EQ(p.line.value("--attach"), "vel.exe");
    EXPECT_TRUE(p.line.flag("--wait-vel"));
    EXPECT_EQ(p.line.macro, "m.rexx");
    // After the macro nothing is an option any more, empty words included.
    EXPECT_EQ(p.line.args, (std::vector<std::string>{"--timeout", "x y", ""}));
}

TEST(CommandLine, AbsentOptionsGiveTheirFallback) {
    const Parsed p = parse({"m.rexx"});
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.line.value("--attach", "none"), "none");
    EXPECT_FALSE(p.line.flag("--wait-vel"));
    EXPECT_TRUE(p.line.args.empty());
}

TEST(CommandLine, AValueMayLookLikeAnOptionAndTheLastGivenWins) {
    const Parsed p = parse({"--attach", "--wait-vel", "--attach", "b.exe", "m.rexx"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.line.value("--attach"), "b.exe");
    EXPECT_FALSE(p.line.flag("--wait-vel"));
}

TEST(CommandLine, NoMacroIsLeftToTheCaller) {
    const Parsed p = parse({"--wait-vel"});
    ASSERT_TRUE(p.ok);
    EXPECT_TRUE(p.line.macro.empty());
}

TEST(CommandLine, RefusesUnknownOptionsAndMissingValues) {
    Parsed p = parse({"--bogus", "m.rexx"});
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.error, "unknown option --bogus");
    p = parse({"--timeout"});
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.error, "--timeout needs a value");
    // A flag takes no value: what follows it is the macro.
    p = parse({"--wait-vel", "500"});
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.line.macro, "500");
}

} // namespace

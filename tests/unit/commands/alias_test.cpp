// Aliases: definition, quoting, case rules, expansion and removal.
#include "commands_fixture.h"
#include "display/panes/panes.h"

namespace {

using Aliases = CommandsTest;

TEST_F(Aliases, AnExpansionRunsToTheEndOfTheLine) {
    run("alias sa stop at");
    run("sa 12");
    run("alias go  STOP at 3  ");
    run("go");
    // Unquoted, a definition ending in a semicolon is itself REXX.
    run("alias x x = 1;");
    run("alias y \"y = 1;\"");
    run("y");
    run("y ");
    // The expansion's own command word is taken as written.
    EXPECT_EQ(sent(), (Lines{"stop at 12", "interpret alias x x = 1;", "interpret y = 1;"}));
    EXPECT_EQ(messages(),
              (Lines{">>>>> Invalid command: `STOP at 3  '", ">>>>> Invalid command: `y = 1; '"}));
}

TEST_F(Aliases, QuotedExpansions) {
    run("alias ab \"a b\"");
    run("alias sp \"step\"   ");
    run("alias lead \"  where\"");
    run("alias");
    EXPECT_EQ(messages(), (Lines{"ab: a b", "sp: step", "lead:   where"}));
    clear_pane();
    run("sp");
    run("lead");
    EXPECT_EQ(sent(), (Lines{"step", "where"}));

    clear_pane();
    for (const char* bad :
         {"alias e \"\"", "alias e \"", "alias e \"abc", "alias e \"a\" b", "alias e", "alias ab"})
        run(bad);
    EXPECT_EQ(
        messages(),
        (Lines{">>>>> Invalid command: `alias e \"\"'", ">>>>> Invalid command: `alias e \"'",
               ">>>>> Invalid command: `alias e \"abc'", ">>>>> Invalid command: `alias e \"a\" b'",
               ">>>>> Invalid command: `alias e'", ">>>>> Invalid command: `alias ab'"}));
    // A refused definition leaves the old one in place.
    clear_pane();
    run("alias");
    EXPECT_EQ(messages(), (Lines{"ab: a b", "sp: step", "lead:   where"}));
}

TEST_F(Aliases, RedefiningAndRemoving) {
    run("alias c cont");
    run("alias n next");
    run("alias c where");
    run("c");
    run("unalias n");
    run("unalias never-defined");
    run("n");
    run("alias");
    EXPECT_EQ(sent(), Lines{"where"});
    EXPECT_EQ(messages(), (Lines{">>>>> Invalid command: `n'", "c: where"}));
    // Entries are blanked, never removed.
    ASSERT_EQ(g_aliases.entries.size(), 3u);
    EXPECT_EQ(g_aliases.entries[0].name, "");
    EXPECT_EQ(g_aliases.entries[1].name, "");
    EXPECT_EQ(g_aliases.entries[2].name, "c");
}

TEST_F(Aliases, NamesWithCapitalsAreListedButNeverMatch) {
    run("alias Go cont");
    run("Go");
    run("go");
    run("alias");
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(messages(),
              (Lines{">>>>> Invalid command: `Go'", ">>>>> Invalid command: `go'", "Go: cont"}));
}

TEST_F(Aliases, TheListingIsAppendedAfterThePrompt) {
    run("alias a b c");
    run("alias");
    EXPECT_EQ(g_panes.command.lines, (Lines{"% \n", "a: b c\n"}));
}

} // namespace

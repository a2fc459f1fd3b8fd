// ostra-regina and the conditions beyond what every interpreter does
// (traps_test.cpp): NOTREADY, which only Regina's streams raise, caught by
// name when the macro's trap takes it; and commands in every form Regina
// reads, described when caught as a handler under the regina command
// describes them, and written as that command writes them.
#include "regina_compare.h"

#include <gtest/gtest.h>

using namespace simtest;

TEST(ReginaTraps, ANotreadyTheMacroTrapsStopsAtItsClause) {
    // Regina has no exit for its streams: NOTREADY is seen when a trap takes it.
    const std::string notready =
        macro("signal_notready.rexx", "signal on notready\n"
                                      "x = linein('no_such_folder_of_the_test/none.txt')\n"
                                      "exit\n"
                                      "notready:\n"
                                      "  say 'not ready'\n");
    VelSide vel({notready});
    std::vector<std::string> got = run_catching(vel, {"catch NOTREADY"});
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[1], "|caught|NOTREADY 1 -\nno_such_folder_of_the_test/none.txt");
    EXPECT_EQ(got[2], "|stop-at|1 main");
    EXPECT_EQ(run(vel, "cont"), "|end|");
}

namespace {

// Commands written every way a clause may hold one; the first line leaves
// room for a trap, so that a trapped copy keeps the lines.
const char commands[] = "x = 'it''s'\n"                                       // 0
                        "'sh -c \"exit 3\" #' /* a ( comment */ x\n"          // 1
                        "'sh -c' '\"exit 4\" #',\n"                           // 2
                        "  'continued' x; 'sh -c \"exit 5\"'\n"               // 3
                        "address system 'sh -c \"exit 6\" #' ,  /* more */\n" // 4
                        "  '(' x ')' -- done\n"                               // 5
                        "interpret \"'sh -c ''exit 7'' #' x\"\n"              // 6
                        "say 'after' rc\n";                                   // 7

// What condition('D') gives in a CALL ON ERROR handler of `text` under the
// regina command, one line per condition.
std::vector<std::string> descriptions_under_regina(const std::string& text) {
    const std::string path =
        macro("described_by_regina.rexx",
              "call on error name said; " + text + "exit\nsaid: say 'D:'condition('D'); return\n");
    std::vector<std::string> said;
    const std::string output = under_regina(path, "").output;
    for (std::size_t at = output.find("D:"); at != std::string::npos; at = output.find("D:", at)) {
        const std::size_t end = output.find('\n', at);
        said.push_back(output.substr(at + 2, end - at - 2));
        at = end;
    }
    return said;
}

} // namespace

TEST(ReginaTraps, AnUntrappedCommandsErrorIsDescribedAsAHandlerUnderReginaSeesIt) {
    if (!regina_installed()) GTEST_SKIP() << "no regina command";
    const std::vector<std::string> expected = descriptions_under_regina(commands);
    ASSERT_EQ(expected,
              (std::vector<std::string>{"sh -c \"exit 3\" # it's",
                                        "sh -c \"exit 4\" # continued it's", "sh -c \"exit 5\"",
                                        "sh -c \"exit 6\" # ( it's )", "sh -c 'exit 7' # it's"}));
    const std::string path = macro("described.rexx", commands);
    VelSide vel({path});
    std::vector<std::string> got = run_catching(vel, {"catch ERROR"});
    std::vector<std::string> caught, lines;
    while (got.size() == 3 && got[1].rfind("|caught|ERROR ", 0) == 0) {
        const std::size_t feed = got[1].find('\n');
        lines.push_back(got[1].substr(14, feed - 14));
        caught.push_back(got[1].substr(feed + 1));
        got = (vel.command("cont"), vel.until_stop());
    }
    EXPECT_EQ(got.back(), "|end|");
    EXPECT_EQ(caught, expected);
    EXPECT_EQ(lines, (std::vector<std::string>{"1 3", "2 4", "3 5", "4 6", "6 7"}))
        << "each at its clause's first line, with its RC";
}

TEST(ReginaTraps, CommandsPassingThroughTheDebuggerWriteWhatTheReginaCommandWrites) {
    if (!regina_installed()) GTEST_SKIP() << "no regina command";
    const std::string path =
        macro("commands_output.rexx", std::string("trace n\n") + commands +
                                          "trace r\n'echo' 'a' /* x */ ,\n  'b'\n"
                                          "'sh -c \"exit 7\"'\n'echo' 1 + 'a'\n");
    const Outcome expected = under_regina(path, "");
    EXPECT_NE(expected.output.find("+++ 'echo' 1 + 'a'"), std::string::npos) << expected.output;
    for (const char* how : {"cont", "step"}) {
        const Outcome got = under_debugger(path, "", how, {"catch ERROR"});
        EXPECT_EQ(got.output, expected.output) << how;
        EXPECT_EQ(got.status, expected.status) << how;
    }
}

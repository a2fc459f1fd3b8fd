// Programs run to the end under ostra-regina (one "cont" after each stop,
// or stepped clause by clause) write exactly what the regina command writes,
// standard error included, read the same input, and end with the same
// status.
#include "regina_compare.h"

#include <gtest/gtest.h>

using namespace simtest;

namespace {

void expect_same(const std::string& name, const std::string& text, const std::string& input) {
    std::string path = scratch_path(name);
    write_file(path, text);
    Outcome expected = under_regina(path, input);
    for (const char* how : {"cont", "step"}) {
        Outcome got = under_debugger(path, input, how);
        EXPECT_EQ(got.output, expected.output) << name << " with " << how;
        EXPECT_EQ(got.status, expected.status) << name << " with " << how;
    }
    EXPECT_FALSE(expected.output.empty()) << name << ": the reference wrote nothing";
}

} // namespace

TEST(ReginaOutput, SayLineoutCharoutAndHostCommandsInTheirOrder) {
    expect_same("streams.rexx",
                "say 'one'\n"
                "'echo from the shell'\n"
                "call lineout , 'two'\n"
                "call charout , 'three'\n"
                "call charout , ' and more' || '0a'x\n"
                "'echo to standard error >&2'\n"
                "address system 'printf \"%s|\" a b'\n"
                "'yes | head -n 2'\n"
                "do i = 1 to 2; 'exit 4'; end\n"
                "if i > 2 then 'exit 5'\n"
                "say\n"
                "say 'rc' rc\n"
                "exit 4\n",
                "");
}

TEST(ReginaOutput, PullLineinAndTheExternalDataQueue) {
    expect_same("input.rexx",
                "pull first\n"
                "second = linein()\n"
                "queue 'fifo one'; queue 'fifo two'; push 'lifo'\n"
                "say queued()\n"
                "do queued(); parse pull item; say item; end\n"
                "parse pull third\n"
                "say first '/' second '/' third\n"
                "say lines() > 0\n",
                "alpha beta\nGamma Delta\nlast line\nspare\n");
}

TEST(ReginaOutput, ARunTimeErrorReportsRegina_sOwnTextAndStatus) {
    expect_same("broken.rexx",
                "say 'before'\n"
                "call divide 1, 0\n"
                "say 'never'\n"
                "exit\n"
                "divide: procedure\n"
                "  return arg(1) / arg(2)\n",
                "");
}

TEST(ReginaOutput, TheLanguageAtLarge) {
    expect_same("language.rexx",
                "numeric digits 30\n"
                "say 2 ** 80 / 7\n"
                "numeric digits 9\n"
                "s.='default'; s.1='one'; k=1\n"
                "say s.k s.2 symbol('s.3')\n"
                "parse value 'key=value;rest' with name '=' val ';' tail\n"
                "say name val tail\n"
                "say translate('abc', 'xyz', 'abc') reverse('stressed') format(3.14159, 2, 2)\n"
                "say d2x(255) x2d('ff') c2x('A') bitand('0f'x, '05'x) == '05'x\n"
                "say space('  a   b  ') changestr('a', 'banana', 'o') countstr('an', 'banana')\n"
                "select\n"
                "  when k > 1 then say 'big'\n"
                "  otherwise say 'small'\n"
                "end\n"
                "interpret 'say \"interpreted\" k + 1'\n"
                "signal on novalue\n"
                "say undefined\n"
                "exit 0\n"
                "novalue:\n"
                "  say 'novalue at' sigl condition('D')\n"
                "  exit 7\n",
                "");
}

TEST(ReginaOutput, TheMacrosOwnTraceSettingsWriteWhatTheyWriteUnderRegina) {
    expect_same("traced.rexx",
                "say 'one'\n"
                "trace a\n"
                "x = 1\n"
                "if x then say 'two' trace()\n"
                "trace off\n"
                "say 'three' trace()\n"
                "call sub\n"
                "say 'four'\n"
                "'exit 3'\n"
                "trace value 'r'\n"
                "y = x + 1; 'exit 2'\n"
                "old = trace('N')\n"
                "say old trace()\n"
                "'exit 1'\n"
                "trace\n"
                "exit\n"
                "sub:\n"
                "  trace i\n"
                "  z = 2 * 3\n"
                "  return\n",
                "");
}

TEST(ReginaOutput, FailedCommandsRunUntracedShowTheirClausesAsUnderRegina) {
    // Commands written as strings let the program run in untraced stretches;
    // a failure is still shown with its clause, line and indentation.
    expect_same("stretched.rexx",
                "do i = 1 to 300; x = i * 2; end\n"
                "'exit 3'\n"
                "call sub\n"
                "trace value 'O'\n"
                "'exit 5'\n"
                "exit\n"
                "sub:\n"
                "  do j = 1 to 2\n"
                "    'exit 4'\n"
                "  end\n"
                "  return\n",
                "");
}

TEST(ReginaOutput, TheWordCountingExample) {
    std::string path = example("words.rexx");
    const std::string input = "the cat and the hat\nA cat, a HAT; the end.\n\n";
    Outcome expected = under_regina(path, input);
    for (const char* how : {"cont", "step"}) {
        Outcome got = under_debugger(path, input, how);
        EXPECT_EQ(got.output, expected.output) << how;
        EXPECT_EQ(got.status, expected.status) << how;
    }
    EXPECT_NE(expected.output.find("THE............."), std::string::npos) << expected.output;
}

TEST(ReginaOutput, CatchesAndLogpointsLeaveTheOutputAsItIs) {
    const std::string path = scratch_path("caught_output.rexx");
    write_file(path, "say 'one'\n"
                     "'echo from the shell'\n"
                     "do i = 1 to 3; 'exit' i; end\n"
                     "'nonexistent_command_of_the_test 2>/dev/null'\n"
                     "say unset rc\n"
                     "signal on syntax\n"
                     "x = 1 + 'a'\n"
                     "syntax: say 'trapped' condition('C') rc sigl\n"
                     "exit 3\n");
    // Handlers of the macro's own: each catch stops before them, and they
    // run as they would.
    const std::string handled = scratch_path("caught_handled.rexx");
    write_file(handled, "call on error name onerror\n"
                        "'exit' 4\n"
                        "say 'after' rc\n"
                        "signal on novalue name nv\n"
                        "say 'x' missing\n"
                        "exit 2\n"
                        "onerror: say 'handler' condition('C') rc sigl\n"
                        "return\n"
                        "nv: say 'nv' condition('D') sigl\n"
                        "exit 5\n");
    const std::vector<std::string> all = {"catch ERROR",    "catch FAILURE", "catch NOVALUE",
                                          "catch NOTREADY", "catch SYNTAX",  "catch HALT",
                                          "catch TRAPPED"};
    std::vector<std::string> off = all;
    for (const std::string& on : all)
        off.push_back(on + " off");
    const std::vector<std::string> logs = {"tracev at 3 pass {i}", "tracev at 5 rc={rc}"};
    for (const std::string& macro : {path, handled}) {
        const Outcome expected = under_regina(macro, "");
        for (const std::vector<std::string>* setup :
             {&all, const_cast<const std::vector<std::string>*>(&off), &logs}) {
            Outcome got = under_debugger(macro, "", "cont", *setup);
            EXPECT_EQ(got.output, expected.output) << macro << " " << setup->front();
            EXPECT_EQ(got.status, expected.status) << macro << " " << setup->front();
        }
    }
    EXPECT_EQ(under_regina(handled, "").status, 5) << "the handlers ran under regina";
}

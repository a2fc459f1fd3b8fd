// The variables and the call stack as lists: "vars" answered by one
// varlist, "frames" by one framelist, in every state the macro can be in.
#include "vel_side.h"

#include "framelist.h"
#include "varlist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <sstream>

using namespace simtest;

namespace {

// The one answer to a command, as a varlist.
lists::VarList varlist(VelSide& vel, const std::string& command, long ms = 5000) {
    vel.command(command);
    std::string m = vel.next_message(ms).value_or("(nothing)");
    EXPECT_EQ(m.rfind("|varlist|", 0), 0u) << command << ": " << m.substr(0, 200);
    std::optional<lists::VarList> list =
        lists::decode_varlist(m.size() > 9 ? std::string_view(m).substr(9) : "");
    EXPECT_TRUE(list) << command << ": " << m.substr(0, 200);
    return list.value_or(lists::VarList{});
}

lists::FrameList framelist(VelSide& vel) {
    vel.command("frames");
    std::string m = vel.next_message().value_or("(nothing)");
    EXPECT_EQ(m.rfind("|framelist|", 0), 0u) << m;
    std::optional<lists::FrameList> list =
        lists::decode_framelist(m.size() > 11 ? std::string_view(m).substr(11) : "");
    EXPECT_TRUE(list) << m;
    return list.value_or(lists::FrameList{});
}

std::vector<std::string> names(const lists::VarList& list) {
    std::vector<std::string> out;
    for (const lists::Variable& v : list.entries)
        out.push_back(v.name);
    return out;
}

const lists::Variable* entry(const lists::VarList& list, const std::string& name) {
    for (const lists::Variable& v : list.entries)
        if (v.name == name) return &v;
    return nullptr;
}

std::string value(const lists::VarList& list, const std::string& name) {
    const lists::Variable* v = entry(list, name);
    return v && v->value ? *v->value : "(none)";
}

// Runs to the breakpoint on line `line` of the main file.
void run_to(VelSide& vel, int line) {
    vel.until_stop();
    vel.command("stop at " + std::to_string(line));
    ASSERT_EQ(vel.next_message(), "|stop-set|" + std::to_string(line - 1));
    vel.command("cont");
    ASSERT_EQ(vel.until_stop().back(), "|stop-at|" + std::to_string(line - 1) + " main");
}

} // namespace

TEST(SimVariables, FeaturesOfferVarsAndFrames) {
    VelSide vel({macro("features.rexx", "x = 1\n")});
    vel.until_stop();
    const std::string features = answer(vel, "features");
    ASSERT_EQ(features.rfind("|features|", 0), 0u) << features;
    std::istringstream listed(features.substr(10));
    const std::vector<std::string> words{std::istream_iterator<std::string>(listed), {}};
    for (const char* group : {"vars", "frames"})
        EXPECT_NE(std::find(words.begin(), words.end(), group), words.end()) << features;
}

TEST(SimVariables, AFrameListsRcResultSiglFirstThenNamesWithEachStemOnce) {
    VelSide vel({macro("sorted.rexx", "zeta = 'z'\n"
                                      "alpha = 'a'\n"
                                      "squares. = 0\n"
                                      "do i = 1 to 10\n"
                                      "  squares.i = i * i\n"
                                      "end\n"
                                      "bare.1 = 'one'\n"
                                      "sigl = 's'\n"
                                      "result = 'r'\n"
                                      "rc = 'c'\n"
                                      "x = 1\n")});
    run_to(vel, 11);
    lists::VarList list = varlist(vel, "vars 0");
    EXPECT_EQ(list.failure, lists::VarFailure::none) << list.reason;
    EXPECT_EQ(names(list), (std::vector<std::string>{"RC", "RESULT", "SIGL", "ALPHA", "BARE.", "I",
                                                     "SQUARES.", "ZETA"}));
    EXPECT_EQ(list.total, 8);
    EXPECT_EQ(list.from, 0);
    const lists::Variable* squares = entry(list, "SQUARES.");
    ASSERT_TRUE(squares);
    EXPECT_TRUE(squares->stem);
    EXPECT_EQ(squares->tails, 10);
    EXPECT_EQ(squares->value, "0") << "the default the stem was given";
    const lists::Variable* bare = entry(list, "BARE.");
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->tails, 1);
    EXPECT_FALSE(bare->value) << "a stem never assigned has no default";
    EXPECT_EQ(value(list, "I"), "11");

    lists::VarList page = varlist(vel, "vars 0 3 2");
    EXPECT_EQ(names(page), (std::vector<std::string>{"ALPHA", "BARE."}));
    EXPECT_EQ(page.total, 8);
    EXPECT_EQ(page.from, 3);
    EXPECT_TRUE(varlist(vel, "vars 0 8 5").entries.empty()) << "a page past the end is empty";
}

TEST(SimVariables, TailsComeInNumberOrderThenTheOthersAndArePaged) {
    VelSide vel({macro("tails.rexx", "t.10 = 'ten'\n"
                                     "t.2 = 'two'\n"
                                     "t.b = 'bee'\n"
                                     "t.1 = 'one'\n"
                                     "k = -1\n"
                                     "t.k = 'minus'\n"
                                     "t.a = 'ay'\n"
                                     "x = 1\n")});
    run_to(vel, 8);
    lists::VarList tails = varlist(vel, "vars 0 t.");
    EXPECT_EQ(tails.stem, "T.");
    EXPECT_EQ(names(tails), (std::vector<std::string>{"-1", "1", "2", "10", "A", "B"}));
    EXPECT_EQ(value(tails, "10"), "ten");
    lists::VarList page = varlist(vel, "vars 0 T. 2 3");
    EXPECT_EQ(names(page), (std::vector<std::string>{"2", "10", "A"}));
    EXPECT_EQ(page.total, 6);
    EXPECT_EQ(page.from, 2);
    lists::VarList none = varlist(vel, "vars 0 NOSUCH.");
    EXPECT_EQ(none.failure, lists::VarFailure::none);
    EXPECT_EQ(none.total, 0) << "a stem without tails is an empty list";
}

TEST(SimVariables, NamesAndValuesCarryEveryByte) {
    VelSide vel({macro("bytes.rexx", "v = 'a' || '000d0a'x || 'ff80'x || '|<9>'\n"
                                     "k = '0a00'x || 'e9'x\n"
                                     "t.k = v\n"
                                     "x = 1\n")});
    run_to(vel, 4);
    const std::string expected("a\0\r\n\xff\x80|<9>", 10);
    EXPECT_EQ(value(varlist(vel, "vars 0"), "V"), expected);
    lists::VarList tails = varlist(vel, "vars 0 T.");
    ASSERT_EQ(tails.entries.size(), 1u);
    EXPECT_EQ(tails.entries[0].name, std::string("\n\0\xe9", 3));
    EXPECT_EQ(tails.entries[0].value, expected);
}

TEST(SimVariables, ATenMegabyteValueArrivesWhole) {
    VelSide vel({macro("big.rexx", "big = copies('x', 10000000) || 'end'\nx = 1\n")});
    run_to(vel, 2);
    lists::VarList list = varlist(vel, "vars 0", 20000);
    const std::string got = value(list, "BIG");
    EXPECT_EQ(got.size(), 10000003u);
    EXPECT_EQ(got.substr(got.size() - 4), "xend");
}

namespace {

// `n` bytes of a pattern with a NUL and an 8-bit byte in it, built in the
// macro by `pattern_expression`.
std::string pattern(std::size_t n, const std::string& unit) {
    std::string out;
    while (out.size() < n)
        out += unit;
    return out.substr(0, n);
}

std::string pattern_expression(std::size_t n, const std::string& unit_hex) {
    return "left(copies('" + unit_hex + "'x, " + std::to_string(n / 4 + 1) + "), " +
           std::to_string(n) + ")";
}

} // namespace

TEST(SimVariables, LongNamesAndValuesOfEverySizeArriveWholeAmongShortOnes) {
    // Sizes on both sides of every boundary an interpreter's reading may
    // have, each variable between short ones, in the frame and in a stem.
    const std::vector<std::size_t> sizes{255, 256, 4095, 4096, 4097, 65535, 65536, 65537, 1 << 20};
    const std::string value_unit("ab\0\xe9", 4), tail_unit("t\0\xffq", 4);
    std::string text;
    for (std::size_t k = 0; k < sizes.size(); ++k) {
        const std::string n = std::to_string(k);
        text += "a" + n + " = 'short'\n";
        text += "v" + n + " = " +
                pattern_expression(sizes[k], "6162"
                                             "00e9") +
                "\n";
        text += "k = " +
                pattern_expression(sizes[k], "7400"
                                             "ff71") +
                "\n";
        text += "t.k = " +
                pattern_expression(70000 + k, "6162"
                                              "00e9") +
                "\n";
        text += "t." + n + " = " + n + "\n";
    }
    text += "drop k\nx = 1\n";
    VelSide vel({macro("long.rexx", text)});
    const int last_line = int(sizes.size()) * 5 + 2;
    run_to(vel, last_line);

    lists::VarList frame = varlist(vel, "vars 0", 30000);
    ASSERT_EQ(frame.failure, lists::VarFailure::none) << frame.reason;
    EXPECT_EQ(frame.total, std::int64_t(2 * sizes.size() + 1)) << "a, v and T. (X comes next)";
    for (std::size_t k = 0; k < sizes.size(); ++k) {
        const std::string n = std::to_string(k);
        EXPECT_EQ(value(frame, "A" + n), "short");
        EXPECT_EQ(value(frame, "V" + n), pattern(sizes[k], value_unit)) << sizes[k] << " bytes";
    }
    const lists::Variable* t = entry(frame, "T.");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->tails, std::int64_t(2 * sizes.size()));

    lists::VarList tails = varlist(vel, "vars 0 T.", 30000);
    ASSERT_EQ(tails.entries.size(), 2 * sizes.size());
    for (std::size_t k = 0; k < sizes.size(); ++k) {
        // Whole numbers first, then the long tails by their bytes.
        EXPECT_EQ(tails.entries[k].name, std::to_string(k));
        EXPECT_EQ(tails.entries[k].value, std::to_string(k));
        const std::string name = pattern(sizes[k], tail_unit);
        auto it = std::find_if(tails.entries.begin(), tails.entries.end(),
                               [&](const lists::Variable& v) { return v.name == name; });
        ASSERT_NE(it, tails.entries.end()) << "the tail of " << sizes[k] << " bytes";
        EXPECT_EQ(it->value, pattern(70000 + k, value_unit)) << "the tail of " << sizes[k];
    }
}

TEST(SimVariables, AProcedureSeesItsOwnAndExposedVariablesAndItsCallerStaysReadable) {
    VelSide vel({macro("expose.rexx", "a = 1\n"
                                      "b = 2\n"
                                      "s.1 = 'one'\n"
                                      "call r\n"
                                      "exit\n"
                                      "r: procedure expose b s.\n"
                                      "c = 3\n"
                                      "b = 20\n"
                                      "s.2 = 'two'\n"
                                      "x = 1\n")});
    vel.until_stop();
    vel.command("stop at 10");
    ASSERT_EQ(vel.next_message(), "|stop-set|9");
    ASSERT_EQ(run(vel, "cont"), "|stop-at|9 r");
    lists::VarList inner = varlist(vel, "vars 0");
    EXPECT_EQ(names(inner), (std::vector<std::string>{"B", "C", "S."}));
    EXPECT_EQ(value(inner, "B"), "20");
    lists::VarList outer = varlist(vel, "vars 1");
    EXPECT_EQ(outer.failure, lists::VarFailure::none) << outer.reason;
    EXPECT_EQ(value(outer, "A"), "1");
    EXPECT_EQ(value(outer, "B"), "20") << "exposed: the routine's change is the caller's";
    EXPECT_EQ(value(outer, "C"), "(none)");
    const lists::Variable* s = entry(outer, "S.");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->tails, 2);
    EXPECT_EQ(names(varlist(vel, "vars 1 S.")), (std::vector<std::string>{"1", "2"}));
}

TEST(SimVariables, RecursionListsEveryFrameWithItsOwnVariables) {
    VelSide vel({macro("recurse.rexx", "call f 3\n"
                                       "exit\n"
                                       "f: procedure\n"
                                       "  arg n\n"
                                       "  if n = 0 then return 0\n"
                                       "  call f n - 1\n"
                                       "  return n\n")});
    vel.until_stop();
    vel.command("stop at 5");
    ASSERT_EQ(vel.next_message(), "|stop-set|4");
    for (int pass = 0; pass < 4; ++pass)
        ASSERT_EQ(run(vel, "cont"), "|stop-at|4 f") << pass;
    lists::FrameList stack = framelist(vel);
    ASSERT_EQ(stack.frames.size(), 5u);
    EXPECT_EQ(stack.selected, 0);
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(stack.frames[k].routine, "f");
        EXPECT_EQ(stack.frames[k].file, 0);
        EXPECT_EQ(stack.frames[k].line, k == 0 ? 5 : 6) << k;
        EXPECT_EQ(stack.frames[k].displayed, stack.frames[k].line - 1);
        EXPECT_EQ(value(varlist(vel, "vars " + std::to_string(k)), "N"), std::to_string(k)) << k;
    }
    EXPECT_EQ(stack.frames[4].routine, "main");
    EXPECT_EQ(stack.frames[4].line, 1);

    vel.command("up");
    vel.next_message();
    EXPECT_EQ(framelist(vel).selected, 1) << "up selects the caller";
}

TEST(SimVariables, ARoutineFileAndItsCallerAreBothListed) {
    write_file(scratch_path("vsub.rexx"), "v = 'inner'\nw = v\nreturn\n");
    VelSide vel({macro("vmain.rexx", "v = 'outer'\nn = 6\ncall vsub\nexit\n")});
    vel.until_stop();
    vel.command("stop in vsub.rexx 0 2");
    vel.command("cont");
    std::vector<std::string> got = vel.until_stop();
    ASSERT_EQ(got.back(), "|stop-at|6 vsub");
    lists::FrameList stack = framelist(vel);
    ASSERT_EQ(stack.frames.size(), 2u);
    EXPECT_EQ(stack.frames[0].routine, "vsub");
    EXPECT_EQ(stack.frames[0].file, 1);
    EXPECT_EQ(stack.frames[0].line, 2);
    EXPECT_EQ(stack.frames[0].displayed, 6);
    EXPECT_EQ(stack.frames[1].routine, "main");
    EXPECT_EQ(stack.frames[1].line, 3);
    EXPECT_EQ(stack.frames[1].displayed, 2);
    EXPECT_EQ(value(varlist(vel, "vars 0"), "V"), "inner");
    lists::VarList caller = varlist(vel, "vars 1");
    EXPECT_EQ(value(caller, "V"), "outer");
    EXPECT_EQ(value(caller, "N"), "6");
}

TEST(SimVariables, InterpretedAssignmentsAreListedAndAChangeIsSeenAtOnce) {
    VelSide vel({macro("interp.rexx", "interpret 'q = 5; r.1 = 6'\nx = 1\n")});
    run_to(vel, 2);
    lists::VarList list = varlist(vel, "vars 0");
    EXPECT_EQ(names(list), (std::vector<std::string>{"Q", "R."}));
    EXPECT_EQ(value(list, "Q"), "5");
    // The debugger's own assignment: the next list shows it, not a kept one.
    vel.command("interpret q = 'new'");
    EXPECT_EQ(vel.next_message(), "|refresh|");
    EXPECT_EQ(value(varlist(vel, "vars 0"), "Q"), "new");
    vel.command("tipeval @main r.2 = 7");
    EXPECT_EQ(vel.next_message(), "|tipval|");
    EXPECT_EQ(varlist(vel, "vars 0 R.").total, 2);
}

TEST(SimVariables, AMillionTailsArePagedFromAnywhere) {
    VelSide vel({macro("million.rexx", "do i = 1 to 1000000\n"
                                       "  s.i = i * 2\n"
                                       "end\n"
                                       "x = 1\n")});
    vel.until_stop(60000);
    vel.command("stop at 4");
    ASSERT_EQ(vel.next_message(), "|stop-set|3");
    vel.command("cont");
    ASSERT_EQ(vel.until_stop(120000).back(), "|stop-at|3 main");
    lists::VarList top = varlist(vel, "vars 0", 60000);
    const lists::Variable* s = entry(top, "S.");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->tails, 1000000);
    lists::VarList last = varlist(vel, "vars 0 S. 999990 20", 60000);
    EXPECT_EQ(last.total, 1000000);
    ASSERT_EQ(last.entries.size(), 10u);
    EXPECT_EQ(last.entries[0].name, "999991");
    EXPECT_EQ(last.entries[9].value, "2000000");
    lists::VarList middle = varlist(vel, "vars 0 S. 499999 2");
    ASSERT_EQ(middle.entries.size(), 2u);
    EXPECT_EQ(middle.entries[0].name, "500000");
    EXPECT_EQ(middle.entries[1].name, "500001");
}

TEST(SimVariables, AFrameThatIsGoneOrUnknownIsSaidInOneAnswer) {
    VelSide vel({macro("gone.rexx", "call r\nx = 1\nexit\nr:\n  y = 2\n  return\n")});
    vel.until_stop();
    ASSERT_EQ(run(vel, "step"), "|stop-at|4 r");
    EXPECT_EQ(varlist(vel, "vars 1").failure, lists::VarFailure::none);
    ASSERT_EQ(run(vel, "stepout"), "|stop-at|1 main");
    lists::VarList gone = varlist(vel, "vars 1");
    EXPECT_EQ(gone.failure, lists::VarFailure::gone);
    EXPECT_EQ(gone.frame, 1);
    EXPECT_FALSE(gone.reason.empty());
    EXPECT_EQ(value(varlist(vel, "vars 0"), "Y"), "2") << "the session goes on";
}

TEST(SimVariables, AQuestionWhileTheMacroRunsIsAnsweredToo) {
    VelSide vel({macro("spin.rexx", "n = 0\ndo forever\n  n = n + 1\nend\n")});
    vel.until_stop();
    vel.command("cont");
    EXPECT_EQ(vel.next_message(), "|running|");
    lists::VarList list = varlist(vel, "vars 0");
    EXPECT_EQ(list.failure, lists::VarFailure::none);
    EXPECT_EQ(names(list), std::vector<std::string>{"N"});
    EXPECT_EQ(framelist(vel).frames.size(), 1u);
    vel.command("break");
    EXPECT_EQ(vel.until_stop().back().rfind("|stop-at|", 0), 0u);
}

TEST(SimVariables, CommandsThatDoNotFitAreAnsweredWithOneBadList) {
    VelSide vel({macro("garbage.rexx", "x = 1\ny = 2\n")});
    vel.until_stop();
    for (const char* command : {"vars", "vars x", "vars -1", "vars 0 1", "vars 0 S. 1",
                                "vars 0 9S.", "vars 0 1 2 3", "vars 0 s. -1 2"}) {
        lists::VarList list = varlist(vel, command);
        EXPECT_EQ(list.failure, lists::VarFailure::bad) << command;
        EXPECT_FALSE(list.reason.empty()) << command;
    }
    EXPECT_EQ(answer(vel, "print x"), "|mes|x is not assigned.") << "nothing else was sent";
    EXPECT_EQ(run(vel, "next"), "|stop-at|1 main");
    EXPECT_EQ(value(varlist(vel, "vars 0"), "X"), "1");
}

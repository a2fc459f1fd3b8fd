// A listing kept across steps shows what a fresh one would: the interpreter
// may bring the list of the last stop up to date instead of reading every
// variable again, and at every stop of these walks the two must not differ
// by a byte, the tails of every stem included.
#include "vel_side.h"

#include "varlist.h"

#include <gtest/gtest.h>

using namespace simtest;

namespace {

lists::VarList varlist(VelSide& vel, const std::string& command) {
    vel.command(command);
    std::string m = vel.next_message().value_or("(nothing)");
    EXPECT_EQ(m.rfind("|varlist|", 0), 0u) << command << ": " << m.substr(0, 200);
    return lists::decode_varlist(m.size() > 9 ? std::string_view(m).substr(9) : "")
        .value_or(lists::VarList{});
}

std::string shown(const lists::Variable& v) {
    std::string text = v.name + (v.value ? "=" + *v.value : " (no value)");
    if (v.stem) text += " [" + std::to_string(v.tails) + " tails]";
    return text + "\n";
}

// Everything the panes could show at this stop: the frame's list, and the
// whole of each stem in it.
std::string everything(VelSide& vel) {
    lists::VarList top = varlist(vel, "vars 0");
    if (top.failure != lists::VarFailure::none) return "failed: " + top.reason + "\n";
    std::string text;
    for (const lists::Variable& v : top.entries) {
        text += shown(v);
        if (!v.stem) continue;
        lists::VarList tails = varlist(vel, "vars 0 " + v.name + " 0 100000");
        text += "  total " + std::to_string(tails.total) + "\n";
        for (const lists::Variable& t : tails.entries)
            text += "  " + shown(t);
    }
    return text;
}

// The stops of `moves` (run commands, the last one repeated to the end),
// and what each of them shows; `fresh` has every listing read anew first
// (a question that may change variables forgets the kept one: here one
// that drops a variable no macro has).
std::vector<std::string> walk(const std::string& path, const std::vector<std::string>& moves,
                              bool fresh) {
    VelSide vel({path});
    std::vector<std::string> stops;
    std::string stop = vel.until_stop().back();
    for (std::size_t k = 0; stop.rfind("|stop-at|", 0) == 0 && k < 400; ++k) {
        if (fresh) {
            vel.command("interpret drop fresh_listing_");
            EXPECT_EQ(vel.next_message(), "|refresh|");
        }
        stops.push_back(stop + "\n" + everything(vel));
        stop = run(vel, moves[std::min(k, moves.size() - 1)]);
    }
    EXPECT_EQ(stop, "|end|");
    return stops;
}

void expect_same_walks(const std::string& path, const std::vector<std::string>& moves) {
    const std::vector<std::string> fresh = walk(path, moves, true);
    const std::vector<std::string> kept = walk(path, moves, false);
    auto firsts = [](const std::vector<std::string>& stops) {
        std::string lines;
        for (const std::string& s : stops)
            lines += s.substr(0, s.find('\n')) + " ";
        return lines;
    };
    ASSERT_EQ(firsts(kept), firsts(fresh)) << "the same stops";
    ASSERT_GE(fresh.size(), 3u);
    for (std::size_t k = 0; k < fresh.size(); ++k)
        EXPECT_EQ(kept[k], fresh[k]) << "stop " << k;
}

} // namespace

TEST(FollowedVariables, EveryStepShowsWhatAFreshListShows) {
    const std::string path = macro("steps.rexx", "a = 1\n"
                                                 "s.1 = 'one'; s.2 = 'two'\n"
                                                 "do i = 1 to 3\n"
                                                 "  s.i = i * 2\n"
                                                 "  if i = 2 then t.i = 'x'\n"
                                                 "end\n"
                                                 "drop s.2 nothere\n"
                                                 "b = length(a) + 1\n"
                                                 "s.10 = 'ten'\n"
                                                 "k = 'key'\n"
                                                 "s.k = 'by key'; s.k.k = 2\n"
                                                 "u. = 'dflt'\n"
                                                 "u.3 = 3\n"
                                                 "drop u.3\n"
                                                 "select\n"
                                                 "  when a = 1 then c = 'yes'\n"
                                                 "  otherwise c = 'no'\n"
                                                 "end\n"
                                                 "parse value 'p q' with p1 p2\n"
                                                 "call sub 5\n"
                                                 "x = value('a', 7)\n"
                                                 "drop a t.2\n"
                                                 "w = '' ; e. = ''\n"
                                                 "say 'end'\n"
                                                 "exit\n"
                                                 "sub: procedure expose s.\n"
                                                 "  arg n\n"
                                                 "  s.n = 'from sub'\n"
                                                 "  m = n + 1\n"
                                                 "  return\n");
    expect_same_walks(path, {"step"});
}

TEST(FollowedVariables, NextOverCallsAndRunsToABreakpointInALoop) {
    const std::string path = macro("loops.rexx", "n = 0\n"
                                                 "call fill 5\n"
                                                 "do j = 1 to 40\n"
                                                 "  n = n + j; q.j = n\n"
                                                 "  if j // 7 = 0 then drop q.j\n"
                                                 "end\n"
                                                 "say n\n"
                                                 "exit\n"
                                                 "fill:\n"
                                                 "  do f = 1 to arg(1)\n"
                                                 "    r.f = f\n"
                                                 "  end\n"
                                                 "  return\n");
    expect_same_walks(path, {"next"});
    // A run to the loop's breakpoint from the first stop: each pass is a
    // short run, the stop before the loop a long one.
    const std::string loop = macro("loop_stops.rexx", "n = 0\n"
                                                      "do j = 1 to 2000\n"
                                                      "  if j // 500 = 0 then nop\n"
                                                      "  n = n + j; q.j = n\n"
                                                      "end\n");
    auto stops = [&](bool fresh) {
        VelSide vel({loop});
        vel.until_stop();
        vel.command("stop at 4");
        EXPECT_EQ(vel.next_message(), "|stop-set|3");
        std::vector<std::string> seen;
        for (int pass = 0; pass < 6; ++pass) {
            EXPECT_EQ(run(vel, "cont"), "|stop-at|3 main");
            if (fresh) {
                vel.command("interpret drop fresh_listing_");
                EXPECT_EQ(vel.next_message(), "|refresh|");
            }
            seen.push_back(everything(vel));
        }
        return seen;
    };
    EXPECT_EQ(stops(false), stops(true));
}

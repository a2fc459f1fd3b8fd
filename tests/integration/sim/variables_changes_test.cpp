// A front end that keeps its copy of a frame's variables and asks only for
// what changed (`varchanges`) must hold, at every stop, exactly the list a
// plain `vars` gives then, whatever happened between: steps, questions that
// change variables, other frames looked at, routines called and returned.
#include "vel_side.h"

#include "framelist.h"
#include "varchanges.h"
#include "varlist.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace simtest;

namespace {

std::string body_of(VelSide& vel, const std::string& command, const std::string& keyword) {
    vel.command(command);
    std::string m = vel.next_message().value_or("(nothing)");
    const std::string head = "|" + keyword + "|";
    EXPECT_EQ(m.rfind(head, 0), 0u) << command << ": " << m.substr(0, 200);
    return m.size() >= head.size() ? m.substr(head.size()) : "";
}

std::vector<lists::Variable> whole_list(VelSide& vel) {
    std::optional<lists::VarList> list = lists::decode_varlist(body_of(vel, "vars 0", "varlist"));
    EXPECT_TRUE(list);
    return list ? list->entries : std::vector<lists::Variable>{};
}

std::string text_of(const std::vector<lists::Variable>& entries) {
    std::string text;
    for (const lists::Variable& v : entries) {
        text += v.name + (v.value ? "=" + *v.value : " (no value)");
        if (v.stem) text += " [" + std::to_string(v.tails) + " tails]";
        text += "\n";
    }
    return text;
}

// The front end's side: a copy of the list and the generation it holds it by.
struct Copy {
    std::vector<lists::Variable> entries;
    std::int64_t generation = 0;
    std::size_t changes_carried = 0; // entries that came in answers with a base
    std::size_t answers_with_base = 0;

    void ask(VelSide& vel) {
        take(body_of(vel, "varchanges 0 " + std::to_string(generation), "varchanges"));
    }

    void take(const std::string& body) {
        std::optional<lists::VarChanges> c = lists::decode_varchanges(body);
        ASSERT_TRUE(c) << body.substr(0, 200);
        ASSERT_EQ(c->failure, lists::VarFailure::none) << c->reason;
        EXPECT_GT(c->generation, generation);
        if (c->base == 0) {
            entries = c->set;
        } else {
            EXPECT_EQ(c->base, generation);
            ++answers_with_base;
            changes_carried += c->set.size() + c->dropped.size();
            apply(*c);
        }
        EXPECT_EQ(std::int64_t(entries.size()), c->total);
        generation = c->generation;
    }

    void apply(const lists::VarChanges& c) {
        auto place = [&](const std::string& name) {
            return std::lower_bound(entries.begin(), entries.end(), name,
                                    [](const lists::Variable& v, const std::string& n) {
                                        return lists::variable_before(v.name, n);
                                    });
        };
        for (const lists::Variable& v : c.set) {
            auto at = place(v.name);
            if (at != entries.end() && at->name == v.name)
                *at = v;
            else
                entries.insert(at, v);
        }
        // A name dropped may be one made and dropped since the copy.
        for (const std::string& name : c.dropped) {
            auto at = place(name);
            if (at != entries.end() && at->name == name) entries.erase(at);
        }
    }
};

const char* const steps_macro = "a = 1; b = 'bee'\n"
                                "do i = 1 to 3\n"
                                "  s.i = i * i\n"
                                "end\n"
                                "drop b\n"
                                "u. = 'dflt'; u.1 = 1\n"
                                "call sub 4\n"
                                "c = result\n"
                                "'nosuchcommand_here'\n"
                                "drop s.2 u.\n"
                                "x = value('a', 7)\n"
                                "exit\n"
                                "sub: procedure expose s.\n"
                                "  arg n\n"
                                "  s.n = 'from sub'\n"
                                "  m = n + 1\n"
                                "  return m\n";

} // namespace

class VariableChanges : public ::testing::Test {};

TEST_F(VariableChanges, ACopyKeptByChangesMatchesTheWholeListAtEveryStep) {
    VelSide vel({macro("changes.rexx", steps_macro)});
    Copy copy;
    std::size_t whole_entries = 0;
    std::string stop = vel.until_stop().back();
    int stops = 0;
    std::size_t new_frames = 0; // stops in another routine than the stop before
    std::string routine;
    for (; stop.rfind("|stop-at|", 0) == 0 && stops < 200; ++stops) {
        const std::string here = stop.substr(stop.find(' ') + 1);
        if (here != routine) ++new_frames;
        routine = here;
        copy.ask(vel);
        const std::vector<lists::Variable> whole = whole_list(vel);
        whole_entries += whole.size();
        EXPECT_EQ(text_of(copy.entries), text_of(whole)) << "stop " << stops << ": " << stop;
        stop = run(vel, "step");
    }
    EXPECT_EQ(stop, "|end|");
    EXPECT_GE(stops, 15);
    // Every answer but those for a frame not seen at the stop before was
    // changes to the copy held, and together they carried fewer entries
    // than whole lists would.
    EXPECT_EQ(copy.answers_with_base, std::size_t(stops) - new_frames);
    EXPECT_LT(copy.changes_carried, whole_entries / 2);
}

TEST_F(VariableChanges, QuestionsOtherFramesAndLostCopiesStillGiveTheRightList) {
    VelSide vel({macro("changes_mixed.rexx", steps_macro)});
    Copy copy;
    std::string stop = vel.until_stop().back();
    for (int k = 0; stop.rfind("|stop-at|", 0) == 0 && k < 200; ++k) {
        switch (k % 4) {
        case 1:
            // A question that changes variables between two answers.
            vel.command("interpret q_" + std::to_string(k) + " = " + std::to_string(k));
            EXPECT_EQ(vel.next_message(), "|refresh|");
            break;
        case 2:
            // Another frame looked at (or none there), then a stem's tails.
            body_of(vel, "vars 1", "varlist");
            body_of(vel, "vars 0 s. 0 10", "varlist");
            break;
        case 3:
            // A plain listing of the same frame in between.
            whole_list(vel);
            break;
        }
        copy.ask(vel);
        EXPECT_EQ(text_of(copy.entries), text_of(whole_list(vel))) << "stop " << k << ": " << stop;
        stop = run(vel, k % 5 == 4 ? "next" : "step");
    }
    EXPECT_EQ(stop, "|end|");
    EXPECT_GT(copy.answers_with_base, 0u);
}

// The next message, which must be `keyword`'s; its body.
std::string pushed(VelSide& vel, const std::string& keyword) {
    std::string m = vel.next_message().value_or("(nothing)");
    const std::string head = "|" + keyword + "|";
    EXPECT_EQ(m.rfind(head, 0), 0u) << m.substr(0, 200);
    return m.size() >= head.size() ? m.substr(head.size()) : "";
}

TEST_F(VariableChanges, StopListsBringTheStackAndTheChangesWithEveryStop) {
    VelSide vel({macro("changes_pushed.rexx", steps_macro)});
    vel.until_stop();
    EXPECT_EQ(answer(vel, "stoplists on"), "|stoplists|on");
    Copy copy;
    copy.ask(vel); // the stop before "on" came alone
    std::string stop = run(vel, "step");
    int stops = 0;
    bool looked_up = false;
    for (; stop.rfind("|stop-", 0) == 0 && stops < 200; ++stops) {
        // Both lists, unasked, as the questions would have had them.
        const std::string frames = pushed(vel, "framelist");
        std::optional<lists::VarChanges> changes =
            lists::decode_varchanges(pushed(vel, "varchanges"));
        ASSERT_TRUE(changes) << stop;
        EXPECT_EQ(frames, body_of(vel, "frames", "framelist")) << stop;
        if (stop.rfind("|stop-up|", 0) == 0) {
            // The caller's frame, selected by up: its own list.
            EXPECT_EQ(changes->frame, 1);
            EXPECT_EQ(lists::decode_framelist(frames)->selected, 1);
            stop = run(vel, "down");
            continue;
        }
        EXPECT_EQ(changes->frame, 0) << stop;
        if (changes->base != 0 && changes->base != copy.generation) {
            copy.ask(vel); // a copy of another frame: the whole list asked
        } else {
            copy.take(lists::encode_varchanges(*changes));
        }
        EXPECT_EQ(text_of(copy.entries), text_of(whole_list(vel)))
            << "stop " << stops << ": " << stop;
        const bool in_sub = stop.find(" main") == std::string::npos;
        stop = run(vel, in_sub && !looked_up ? "up" : "step");
        looked_up = looked_up || in_sub;
    }
    EXPECT_EQ(stop, "|end|");
    EXPECT_TRUE(looked_up);
    EXPECT_GE(stops, 15);
    EXPECT_GT(copy.answers_with_base, std::size_t(stops) / 2) << "most stops bring changes";

    VelSide off({macro("changes_pushed.rexx", steps_macro)});
    off.until_stop();
    EXPECT_EQ(answer(off, "stoplists on"), "|stoplists|on");
    EXPECT_EQ(answer(off, "stoplists off"), "|stoplists|off");
    run(off, "step");
    EXPECT_EQ(answer(off, "print a"), "|mes|a = 1") << "nothing comes with the stop";
    for (const char* bad : {"stoplists", "stoplists maybe", "stoplists on off"})
        EXPECT_EQ(answer(off, bad), "|mes|" + interpreter_name() + ": stoplists takes on or off")
            << bad;
}

TEST_F(VariableChanges, AGenerationNotHeldBringsTheWholeListAndBadFormsSaySo) {
    VelSide vel({macro("changes_bad.rexx", "a = 1\nb = 2\nexit\n")});
    vel.until_stop();
    Copy copy;
    copy.ask(vel);
    ASSERT_EQ(copy.entries.size(), 0u);
    run(vel, "step");
    copy.ask(vel);
    ASSERT_EQ(text_of(copy.entries), "A=1\n");
    // A generation the interpreter never gave, or an older one.
    for (std::int64_t held : {copy.generation + 5, copy.generation - 1}) {
        std::optional<lists::VarChanges> c = lists::decode_varchanges(
            body_of(vel, "varchanges 0 " + std::to_string(held), "varchanges"));
        ASSERT_TRUE(c);
        EXPECT_EQ(c->base, 0);
        EXPECT_EQ(text_of(c->set), "A=1\n");
    }
    for (const char* bad :
         {"varchanges", "varchanges x 1", "varchanges 0", "varchanges 0 -1", "varchanges 0 1 2"}) {
        std::optional<lists::VarChanges> c =
            lists::decode_varchanges(body_of(vel, bad, "varchanges"));
        ASSERT_TRUE(c) << bad;
        EXPECT_EQ(c->failure, lists::VarFailure::bad) << bad;
    }
    std::optional<lists::VarChanges> gone =
        lists::decode_varchanges(body_of(vel, "varchanges 3 0", "varchanges"));
    ASSERT_TRUE(gone);
    EXPECT_EQ(gone->failure, lists::VarFailure::gone);
}

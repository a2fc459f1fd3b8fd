// What a step may change, told from its clauses: the clauses a follower
// can see through, the names it reads again, and where it gives up.
#include "clause_effect.h"
#include "variable_follow.h"

#include <gtest/gtest.h>

#include <map>

using regina::clause_effect;
using regina::VariableFollow;

namespace {

std::vector<std::string> targets(const char* clause) {
    regina::ClauseEffect e = clause_effect(clause);
    EXPECT_TRUE(e.known) << clause;
    return e.targets;
}

} // namespace

TEST(ClauseEffect, AssignmentsLoopsAndDropsNameWhatTheySet) {
    EXPECT_EQ(targets("x = 1"), (std::vector<std::string>{"X"}));
    EXPECT_EQ(targets("  s.i.J = length(x) + abs(-1)"), (std::vector<std::string>{"S.I.J"}));
    EXPECT_EQ(targets("do k = 1 to words(list) by 2"), (std::vector<std::string>{"K"}));
    EXPECT_EQ(targets("drop a b"), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(targets("if x = 1 then y = 'a;b'"), (std::vector<std::string>{"Y"}));
    EXPECT_EQ(targets("when a == b then nop"), std::vector<std::string>{});
    EXPECT_EQ(targets("else z = 2;"), (std::vector<std::string>{"Z"}));
    for (const char* none :
         {"say 'x' x /* = comment */", "nop", "end j", "do forever", "do while i < 3", "leave",
          "select", "otherwise", "signal on error", "push x", "here:", ""})
        EXPECT_EQ(targets(none), std::vector<std::string>{}) << none;
}

TEST(ClauseEffect, WhatMayChangeAnythingIsNotKnown) {
    for (const char* clause : {"parse var x a b",
                               "call sub",
                               "interpret 'x = 1'",
                               "s. = 0",
                               "x = value('y', 2)",
                               "x = myfunc(1)",
                               "x = 'f'(1)",
                               "drop s.1",
                               "drop (list)",
                               "drop s.",
                               "'ls -l'",
                               "x == 1",
                               "arg a",
                               "pull a",
                               "return 1",
                               "procedure expose x",
                               "do s.i = 1 to 3",
                               "x = 'unclosed",
                               "numeric digits 20",
                               "1 = x",
                               "address system 'ls'",
                               "x = 1; y = 2",
                               "if f(x) then nop",
                               "if x then call sub"})
        EXPECT_FALSE(clause_effect(clause).known) << clause;
}

class Follow : public ::testing::Test {
  protected:
    std::map<std::string, std::string> pool;
    int fetches = 0;
    VariableFollow follow{[this](const std::string& name) -> std::optional<std::string> {
        ++fetches;
        auto found = pool.find(name);
        if (found == pool.end()) return std::nullopt;
        return found->second;
    }};

    static const ostra::VariableChange* change(const std::vector<ostra::VariableChange>& all,
                                               const std::string& name) {
        for (const ostra::VariableChange& c : all)
            if (c.name == name) return &c;
        return nullptr;
    }
};

TEST_F(Follow, ReadsAgainTheNamesTheClausesSetAsTheyDerivedThem) {
    pool = {{"I", "5"}, {"S.5", "old"}};
    follow.start(1, "s.i = 'new'");
    pool["S.5"] = "new";
    follow.clause(1, "i = i + 1");
    pool["I"] = "6";
    follow.clause(1, "s.i = 'six'; ");
    pool["S.6"] = "six";
    std::optional<std::vector<ostra::VariableChange>> changes = follow.changes(1);
    ASSERT_TRUE(changes);
    const ostra::VariableChange* five = change(*changes, "S.5");
    ASSERT_TRUE(five);
    EXPECT_TRUE(five->was_set);
    EXPECT_EQ(five->value, "new");
    const ostra::VariableChange* six = change(*changes, "S.6");
    ASSERT_TRUE(six) << "derived with I as that clause saw it";
    EXPECT_FALSE(six->was_set);
    EXPECT_EQ(six->value, "six");
    EXPECT_EQ(change(*changes, "I")->value, "6");
    for (const char* always : {"RC", "RESULT", "SIGL"})
        EXPECT_TRUE(change(*changes, always)) << always;
    EXPECT_EQ(changes->size(), 6u);
    EXPECT_FALSE(follow.following());
    EXPECT_FALSE(follow.changes(1)) << "one answer per following";
}

TEST_F(Follow, LosesTrackAtWhatItCannotSee) {
    auto lost_after = [&](auto&& what) {
        follow.start(2, "x = 1");
        what();
        return !follow.changes(2).has_value();
    };
    EXPECT_FALSE(lost_after([] {}));
    EXPECT_TRUE(lost_after([&] { follow.clause(2, "parse arg x"); }));
    EXPECT_TRUE(lost_after([&] { follow.clause(3, "y = 1"); })) << "a clause of a called routine";
    EXPECT_TRUE(lost_after([&] { follow.lose(); }));
    EXPECT_TRUE(lost_after([&] {
        for (int k = 0; k <= VariableFollow::most_clauses; ++k)
            follow.clause(2, "y = y + 1");
    }));
    follow.start(2, "x = 1");
    EXPECT_FALSE(follow.changes(1)) << "asked for another frame";
    follow.start(2, "call sub");
    EXPECT_FALSE(follow.following()) << "the clause it starts at";
}

// What ostra-regina reads from a macro's text before Regina runs it.
#include "source_index.h"

#include <gtest/gtest.h>

using regina::index_source;

TEST(SourceIndex, CountsLinesAsTheDebuggerDoes) {
    EXPECT_EQ(regina::count_lines(""), 1);
    EXPECT_EQ(regina::count_lines("a"), 1);
    EXPECT_EQ(regina::count_lines("a\n"), 1);
    EXPECT_EQ(regina::count_lines("a\nb"), 2);
    EXPECT_EQ(regina::count_lines("a\n\n"), 2);
}

TEST(SourceIndex, ClausesStartWhereCommentsStringsAndContinuationsAllow) {
    regina::SourceIndex index = index_source("/* a comment\n"
                                             "   over two lines */\n"
                                             "x = 'semi;colon'; y = 2\n"
                                             "z = x,\n"
                                             "    y\n"
                                             "\n"
                                             "do 2\n"
                                             "end\n"
                                             "say \"a /* not a comment\"\n");
    EXPECT_EQ(index.line_count, 9);
    std::vector<bool> expected{false, false, true, true, false, false, true, false, true};
    EXPECT_EQ(index.clause_starts, expected) << "END is no place to stop";
    EXPECT_EQ(index.clause_line_from(0), 2);
    EXPECT_EQ(index.clause_line_from(4), 6);
    EXPECT_EQ(index.clause_line_from(9), -1);
}

TEST(SourceIndex, LabelsKnowTheClauseTheyEnter) {
    regina::SourceIndex index = index_source("call Inner\n"
                                             "exit\n"
                                             "Inner:\n"
                                             "outer: procedure\n"
                                             "  return 1\n"
                                             "tail: say 'x'\n"
                                             "last:\n");
    ASSERT_EQ(index.labels.size(), 4u);
    EXPECT_EQ(index.labels[0].name, "Inner");
    EXPECT_EQ(index.labels[0].entry, 3) << "a label chain enters the first clause after it";
    EXPECT_EQ(index.labels[1].entry, 3);
    EXPECT_EQ(index.labels[2].entry, 5) << "a clause on the label's own line";
    EXPECT_EQ(index.labels[3].entry, -1);
    EXPECT_EQ(index.label_named("INNER")->line, 2);
    EXPECT_EQ(index.label_entering(5)->name, "tail");
    EXPECT_EQ(index.label_on(3, "OUTER")->name, "outer");
    EXPECT_EQ(index.label_on(3, "inner"), nullptr);
    EXPECT_FALSE(index.clause_starts[2]) << "a label alone is not a clause";
}

TEST(SourceIndex, ClausesKnowTheLoopsTheyRunIn) {
    const std::string text = "do i = 1 to 3\n"    // 0: outside the loop
                             "  do\n"             // 1: a group, not a loop
                             "    x = i\n"        // 2
                             "  end\n"            // 3
                             "  if x then do 2\n" // 4: a loop after THEN
                             "    y = 1; z = 2\n" // 5
                             "  end\n"            // 6
                             "end\n"              // 7: the loop's END is outside it
                             "do = 4\n";          // 8: an assignment
    regina::SourceIndex index = index_source(text);
    auto loops = [&](int line, std::string_view traced) {
        const regina::ClauseStart* c = index.clause_on(line, traced, text);
        return c ? c->loops : -1;
    };
    EXPECT_EQ(loops(0, "do i = 1 to 3"), 0);
    EXPECT_EQ(loops(2, "x = i"), 1);
    EXPECT_EQ(loops(3, "end"), 1) << "a group's END stays in the loop around it";
    EXPECT_EQ(loops(4, "do 2"), 1) << "the instruction after THEN is a clause of its own";
    EXPECT_EQ(loops(5, "z = 2"), 2);
    EXPECT_EQ(loops(7, "end"), 0);
    EXPECT_EQ(loops(8, "do = 4"), 0) << "DO as a variable opens nothing";
    EXPECT_EQ(index.clause_on(9, "x", text), nullptr);
}

TEST(SourceIndex, RoutinesAreTheLabelsThatAreCalled) {
    const std::string text = "call first 1\n"                       // 0
                             "x = second(2) + third (3)\n"          // 1
                             "signal done\n"                        // 2
                             "first: procedure\n"                   // 3
                             "  return\n"                           // 4
                             "second: return arg(1)\n"              // 5
                             "done:\n"                              // 6
                             "  call on error name first\n"         // 7
                             "  fact: procedure; return fact(1)\n"; // 8
    regina::SourceIndex index = index_source(text);
    EXPECT_EQ(index.routine_at(0), nullptr) << "the main program";
    EXPECT_EQ(index.routine_at(4)->name, "first");
    EXPECT_EQ(index.routine_at(5)->name, "second");
    EXPECT_EQ(index.routine_at(6)->name, "second") << "a label only SIGNAL reaches";
    EXPECT_EQ(index.lines_calling("FIRST"), std::vector<int>{0}) << "CALL ON names no routine";
    EXPECT_EQ(index.lines_calling("second"), std::vector<int>{1});
    EXPECT_TRUE(index.lines_calling("third").empty()) << "a blank before ( is no call";
    EXPECT_EQ(index.lines_calling("fact"), std::vector<int>{8});
    EXPECT_EQ(index.label_entered_by(8, "procedure")->name, "fact");
    EXPECT_EQ(index.label_entered_by(8, "return fact(1)"), nullptr);
}

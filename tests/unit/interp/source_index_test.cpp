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

// The call stack pane's model: rows from a framelist, the selected frame,
// and the commands that select another.
#include "inspect/stack_model.h"

#include <gtest/gtest.h>

using namespace inspect;

namespace {

lists::FrameList three_frames(std::int64_t selected) {
    lists::FrameList l;
    l.selected = selected;
    l.frames = {{"FACT", 0, 12, 11}, {"FACT", 0, 14, 13}, {"main", 0, 3, 2}};
    return l;
}

} // namespace

TEST(StackModel, RowsAreInnermostFirstWithTheSelectedMarked) {
    StackModel s;
    EXPECT_EQ(StackModel::ask(), "frames");
    s.take(three_frames(1));
    ASSERT_EQ(s.row_count(), 3u);
    EXPECT_EQ(s.row_text(0, 40, "fact.rexx"), "  FACT  fact.rexx line 12");
    EXPECT_EQ(s.row_text(1, 40, "fact.rexx"), "> FACT  fact.rexx line 14");
    EXPECT_EQ(s.row_text(2, 12, "fact.rexx"), "  main  f...");
    EXPECT_EQ(s.frame_key(0), "FACT@2");
    EXPECT_EQ(s.frame_key(2), "main@0") << "the outermost keeps its name as calls come and go";
}

TEST(StackModel, SelectingAFrameSendsUpOrDownForEachFrameBetween) {
    StackModel s;
    s.take(three_frames(0));
    EXPECT_EQ(s.select(2), (std::vector<std::string>{"up", "up"}));
    EXPECT_EQ(s.selected(), 2);
    EXPECT_TRUE(s.select(2).empty());
    EXPECT_EQ(s.select(1), (std::vector<std::string>{"down"}));
    EXPECT_TRUE(s.select(7).empty()) << "no such row";
    EXPECT_EQ(s.selected(), 1);
}

TEST(StackModel, ABadSelectionOrNoInterpreterSupportLeavesNoRows) {
    StackModel s;
    s.take(three_frames(9));
    EXPECT_EQ(s.selected(), 0) << "a selection off the list is the innermost";
    s.unavailable("not supported by this interpreter");
    EXPECT_EQ(s.row_count(), 0u);
    EXPECT_EQ(s.notice(), "not supported by this interpreter");
    EXPECT_TRUE(s.select(0).empty());
    EXPECT_EQ(s.row_text(0, 40, "x"), "");
}

// The edit buffer's one primitive and its undo and redo logs.
#include "edit/edit_buffer.h"
#include "test_support.h"

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class EditBufferTest : public VelTest {
  protected:
    void SetUp() override {
        VelTest::SetUp();
        g_edit_buffers.current = edit_create();
        edit_current()->lines = {"a", "b", "c"};
    }
    static EditBuffer& buffer() { return *edit_current(); }
    // One user action: a group of changes.
    static void action(std::initializer_list<std::tuple<char, const char*, int>> changes) {
        g_edit_buffers.pending_group_start = true;
        for (const auto& [op, text, line] : changes) {
            rx_do(op, text ? std::optional<std::string>(text) : std::nullopt, line,
                  EditMode::NewEdit, "test");
        }
        buffer().modified += 1;
    }
};

} // namespace

TEST_F(EditBufferTest, InsertDeleteAndReplaceChangeTheLines) {
    rx_do('i', "top", -1, EditMode::NewEdit, "t");
    rx_do('i', "after b", 2, EditMode::NewEdit, "t");
    EXPECT_EQ(buffer().lines, (Lines{"top", "a", "b", "after b", "c"}));
    rx_do('d', std::nullopt, 0, EditMode::NewEdit, "t");
    rx_do('r', "B", 1, EditMode::NewEdit, "t");
    EXPECT_EQ(buffer().lines, (Lines{"a", "B", "after b", "c"}));
    ASSERT_EQ(buffer().undo.size(), 4u);
    EXPECT_EQ(buffer().undo[2].op, 'd');
    EXPECT_EQ(buffer().undo[2].text, "top"); // what undo puts back
    EXPECT_EQ(buffer().undo[3].text, "b");
    EXPECT_FALSE(buffer().undo[0].text);
}

TEST_F(EditBufferTest, ChangesNamingNoLineOrAnUnknownOperationChangeNothing) {
    testing::internal::CaptureStderr();
    rx_do('x', "?", 0, EditMode::NewEdit, "t");
    const std::string reported = testing::internal::GetCapturedStderr();
    EXPECT_EQ(reported, "vel: rx_do: internal error, wrong argument: cd = x\n");
    rx_do('d', std::nullopt, 3, EditMode::NewEdit, "t");
    rx_do('r', "z", -1, EditMode::NewEdit, "t");
    rx_do('i', "z", 3, EditMode::NewEdit, "t");
    EXPECT_EQ(buffer().lines, (Lines{"a", "b", "c"}));
    EXPECT_TRUE(buffer().undo.empty());
    g_edit_buffers.current = -1;
    rx_do('r', "z", 0, EditMode::NewEdit, "t"); // no current buffer
    rx_undo();
    rx_redo();
}

TEST_F(EditBufferTest, UndoTakesBackOneGroupAtATime) {
    action({{'r', "A", 0}, {'i', "new", 0}});
    action({{'d', nullptr, 3}});
    EXPECT_EQ(buffer().lines, (Lines{"A", "new", "b"}));
    EXPECT_EQ(buffer().modified, 2);
    rx_undo();
    EXPECT_EQ(buffer().lines, (Lines{"A", "new", "b", "c"}));
    EXPECT_EQ(buffer().modified, 1);
    rx_undo();
    EXPECT_EQ(buffer().lines, (Lines{"a", "b", "c"}));
    EXPECT_EQ(buffer().modified, 0); // every group taken back: clean again
    rx_undo();                       // nothing left
    EXPECT_EQ(buffer().lines, (Lines{"a", "b", "c"}));
}

TEST_F(EditBufferTest, RedoRepeatsUndoneGroupsInOrder) {
    action({{'r', "A", 0}, {'i', "new", 0}});
    action({{'d', nullptr, 3}});
    rx_undo();
    rx_undo();
    rx_redo();
    EXPECT_EQ(buffer().lines, (Lines{"A", "new", "b", "c"}));
    rx_redo();
    EXPECT_EQ(buffer().lines, (Lines{"A", "new", "b"}));
    EXPECT_TRUE(buffer().redo.empty());
    // And the redone changes can be undone again.
    rx_undo();
    EXPECT_EQ(buffer().lines, (Lines{"A", "new", "b", "c"}));
}

TEST_F(EditBufferTest, ANewActionAfterUndoEndsRedo) {
    action({{'r', "A", 0}});
    rx_undo();
    ASSERT_FALSE(buffer().redo.empty());
    action({{'r', "other", 2}});
    EXPECT_TRUE(buffer().redo.empty());
    rx_redo();
    EXPECT_EQ(buffer().lines, (Lines{"a", "b", "other"}));
}

TEST_F(EditBufferTest, ChangesOfOneActionAfterItsFirstJoinItsGroup) {
    g_edit_buffers.pending_group_start = true;
    rx_do('r', "x", 0, EditMode::NewEdit, "t");
    EXPECT_FALSE(g_edit_buffers.pending_group_start);
    rx_do('r', "y", 1, EditMode::NewEdit, "t");
    EXPECT_TRUE(buffer().undo[0].group_start);
    EXPECT_FALSE(buffer().undo[1].group_start);
    // Replayed changes are not logged.
    rx_do('r', "z", 2, EditMode::Replay, "t");
    EXPECT_EQ(buffer().undo.size(), 2u);
}

TEST_F(EditBufferTest, InsertingPastTheCapacityGrowsItByAThousand) {
    buffer().capacity = 3;
    rx_do('i', "d", 2, EditMode::NewEdit, "t");
    EXPECT_EQ(buffer().capacity, 1003);
    buffer().capacity = 2147483647;
    EXPECT_EQ(VEL_EXIT_STATUS(edit_grow(1000)), 1);
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text, "vel: edit: too many lines.");
}

TEST_F(EditBufferTest, TheCallerTagsKeepTheLast500Calls) {
    for (int i = 0; i < 501; ++i)
        rx_do('r', "x", 0, EditMode::Replay, i == 500 ? "newest" : "older");
    EXPECT_EQ(g_edit_buffers.caller_tags.size(), 500u);
    EXPECT_EQ(g_edit_buffers.caller_tags[0], "newest");
    EXPECT_EQ(g_edit_buffers.next_tag, 1u);
}

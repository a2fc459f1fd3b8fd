// Copying to, rendering for and pasting from the system clipboard, with
// another program on the other side of the headless clipboard.
#include "display/mouse/clipboard.h"

#include "platform/headless/clipboard_control.h"
#include "test_support.h"

#include <string>

using namespace std::string_literals;

namespace {

class ClipboardTest : public VelTest {
  protected:
    void SetUp() override {
        VelTest::SetUp();
        g_clipboard = ClipboardState{};
    }
    void TearDown() override {
        g_clipboard = ClipboardState{};
        VelTest::TearDown();
    }

    // What vel pastes after another program put this block on the clipboard.
    static std::optional<std::string> paste_from_other(const std::string& block) {
        headless::clipboard_set_from_other_program(block);
        return clipboard_paste_text();
    }
};

} // namespace

// ---- copy and render ----

TEST_F(ClipboardTest, CopyAnnouncesAndRendersOnlyWhenAsked) {
    clipboard_copy_text("say hi\n");
    EXPECT_TRUE(g_clipboard.owns_clipboard);
    EXPECT_TRUE(headless::clipboard_vel_owns());
    EXPECT_EQ(headless::clipboard_announcements(), 1);
    EXPECT_TRUE(headless::clipboard_render_pending());

    EXPECT_EQ(headless::clipboard_read_as_other_program(), "say hi\r\n\0"s);
    EXPECT_FALSE(headless::clipboard_render_pending());
    // Rendering hands a copy over; vel still owns the clipboard and its text.
    EXPECT_TRUE(g_clipboard.owns_clipboard);
    EXPECT_EQ(g_clipboard.copy_buffer, "say hi\n");
}

TEST_F(ClipboardTest, MultiLineCopyRendersCarriageReturnLineFeedBetweenLines) {
    clipboard_copy_text("do i = 1 to 3\n  say i\nend");
    EXPECT_EQ(headless::clipboard_read_as_other_program(), "do i = 1 to 3\r\n  say i\r\nend\0"s);

    clipboard_copy_text("\n\nx\n");
    EXPECT_EQ(headless::clipboard_read_as_other_program(), "\r\n\r\nx\r\n\0"s);
}

TEST_F(ClipboardTest, CopyingAgainWhileOwningKeepsOwnershipAndRendersTheNewText) {
    clipboard_copy_text("first");
    EXPECT_EQ(headless::clipboard_read_as_other_program(), "first\0"s);
    // Emptying its own clipboard tells vel it lost it; the new copy must
    // still end up owning.
    clipboard_copy_text("second\n");
    EXPECT_TRUE(g_clipboard.owns_clipboard);
    EXPECT_TRUE(headless::clipboard_vel_owns());
    EXPECT_EQ(headless::clipboard_announcements(), 2);
    EXPECT_EQ(headless::clipboard_read_as_other_program(), "second\r\n\0"s);
}

TEST_F(ClipboardTest, CopyWithoutSelectionLeavesTheClipboardAlone) {
    headless::clipboard_set_from_other_program("theirs\0"s);
    clipboard_copy();
    EXPECT_FALSE(g_clipboard.copy_buffer.has_value());
    EXPECT_FALSE(g_clipboard.owns_clipboard);
    EXPECT_EQ(headless::clipboard_announcements(), 0);
    EXPECT_EQ(headless::clipboard_read_as_other_program(), "theirs\0"s);

    // Nor does it disturb text vel copied earlier.
    clipboard_copy_text("mine");
    clipboard_copy();
    EXPECT_EQ(g_clipboard.copy_buffer, "mine");
    EXPECT_TRUE(g_clipboard.owns_clipboard);
    EXPECT_EQ(headless::clipboard_announcements(), 1);
    EXPECT_EQ(headless::clipboard_read_as_other_program(), "mine\0"s);
}

TEST_F(ClipboardTest, CopyingEmptyTextChangesNothing) {
    clipboard_copy_text("kept");
    clipboard_copy_text("");
    EXPECT_EQ(g_clipboard.copy_buffer, "kept");
    EXPECT_EQ(headless::clipboard_announcements(), 1);
    EXPECT_EQ(clipboard_paste_text(), "kept");
}

TEST_F(ClipboardTest, CopyWhenTheClipboardCannotBeOpened) {
    headless::clipboard_set_from_other_program("theirs\0"s);
    headless::clipboard_set_open_fails(true);
    clipboard_copy_text("mine");
    // The text is remembered but nothing changed hands.
    EXPECT_EQ(g_clipboard.copy_buffer, "mine");
    EXPECT_FALSE(g_clipboard.owns_clipboard);
    EXPECT_EQ(headless::clipboard_read_as_other_program(), "theirs\0"s);
    headless::clipboard_set_open_fails(false);
    EXPECT_EQ(clipboard_paste_text(), "theirs");
}

TEST_F(ClipboardTest, CopyWhenTheClipboardCannotBeOpenedButVelStillOwnsIt) {
    clipboard_copy_text("old");
    headless::clipboard_set_open_fails(true);
    clipboard_copy_text("new\n");
    // vel's earlier announcement still stands, and it now gives the new text.
    EXPECT_TRUE(g_clipboard.owns_clipboard);
    EXPECT_EQ(headless::clipboard_read_as_other_program(), "new\r\n\0"s);
    EXPECT_EQ(clipboard_paste_text(), "new\n");
}

TEST_F(ClipboardTest, RenderWithNothingCopiedGivesNothing) {
    clipboard_render();
    EXPECT_TRUE(headless::boxes().empty());
    EXPECT_FALSE(headless::clipboard_read_as_other_program().has_value());
}

TEST_F(ClipboardTest, RenderThatCannotAllocateEndsTheProgram) {
    clipboard_copy_text("too big\n");
    headless::clipboard_set_render_allocation_fails(true);
    EXPECT_EQ(VEL_EXIT_STATUS(headless::clipboard_read_as_other_program()), 1);
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text, "vel: No More Memory Available.");
    EXPECT_EQ(headless::boxes()[0].caption, "VEL");
}

// ---- ownership ----

TEST_F(ClipboardTest, AnotherProgramTakingTheClipboardEndsOwnership) {
    clipboard_copy_text("mine");
    headless::clipboard_set_from_other_program("theirs\r\nnext\0"s);
    EXPECT_FALSE(g_clipboard.owns_clipboard);
    EXPECT_FALSE(headless::clipboard_vel_owns());
    // The copy buffer stays, but paste now reads the system's text.
    EXPECT_EQ(g_clipboard.copy_buffer, "mine");
    EXPECT_EQ(clipboard_paste_text(), "theirs\nnext");
}

TEST_F(ClipboardTest, LoseOwnershipClearsOnlyTheFlag) {
    clipboard_copy_text("mine");
    clipboard_lost();
    EXPECT_FALSE(g_clipboard.owns_clipboard);
    EXPECT_EQ(g_clipboard.copy_buffer, "mine");
}

// ---- paste ----

TEST_F(ClipboardTest, PasteWhileOwningReturnsTheCopyUnconverted) {
    clipboard_copy_text("a\nb\r\nc\0d\x1a"s);
    EXPECT_EQ(clipboard_paste_text(), "a\nb\r\nc\0d\x1a"s);
    // The system was not asked: the announced text is still unrendered.
    EXPECT_TRUE(headless::clipboard_render_pending());
}

TEST_F(ClipboardTest, PasteFromAnotherProgramJoinsCarriageReturnLineFeed) {
    EXPECT_EQ(paste_from_other("ab\r\ncd\0"s), "ab\ncd");
    EXPECT_EQ(paste_from_other("ab\r\n\r\n\0"s), "ab\n\n");
    EXPECT_EQ(paste_from_other("ab\r\r\ncd\0"s), "ab\r\ncd");
}

TEST_F(ClipboardTest, PasteFromAnotherProgramKeepsLoneCarriageReturns) {
    EXPECT_EQ(paste_from_other("a\rb\0"s), "a\rb");
    EXPECT_EQ(paste_from_other("ab\r\0"s), "ab\r");
    EXPECT_EQ(paste_from_other("ab\r"s), "ab\r");
    EXPECT_EQ(paste_from_other("\n\ra\0"s), "\n\ra");
}

TEST_F(ClipboardTest, PasteFromAnotherProgramSkipsNulBytes) {
    // The whole block is read, so text after the terminator comes too.
    EXPECT_EQ(paste_from_other("a\0b\0\0c\0"s), "abc");
    EXPECT_EQ(paste_from_other("ab\0\0\0\0"s), "ab");
}

TEST_F(ClipboardTest, PasteFromAnotherProgramEndsAtCtrlZ) {
    EXPECT_EQ(paste_from_other("ab\032cd\0"s), "ab");
    EXPECT_EQ(paste_from_other("a\r\nb\x1a\x1a\0"s), "a\nb");
}

TEST_F(ClipboardTest, PasteWithoutTextGivesNothing) {
    EXPECT_FALSE(clipboard_paste_text().has_value()); // never filled
    headless::clipboard_set_from_other_program(std::nullopt);
    EXPECT_FALSE(clipboard_paste_text().has_value());
    EXPECT_FALSE(paste_from_other("\0\0"s).has_value());
    EXPECT_FALSE(paste_from_other("\032ab\0"s).has_value());
}

TEST_F(ClipboardTest, PasteWhenTheClipboardCannotBeOpenedGivesNothing) {
    headless::clipboard_set_from_other_program("theirs\0"s);
    headless::clipboard_set_open_fails(true);
    EXPECT_FALSE(clipboard_paste_text().has_value());
    headless::clipboard_set_open_fails(false);
    EXPECT_EQ(clipboard_paste_text(), "theirs");
}

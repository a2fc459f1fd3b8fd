// The five mouse modes' press and drag tables of edit mode.
#include "display/mouse/mouse_modes.h"
#include "settings/mouse_mode.h"

#include <gtest/gtest.h>

namespace {

using P = EditPress;
constexpr int kModes[] = {MOUSE_OPENLOOK, MOUSE_OPENLOOKW, MOUSE_MOTIF, MOUSE_FULLMOTIF,
                          MOUSE_WINDOWS};

P press(int mode, int button, int bits = 0, int count = 1) {
    return edit_press_action(mode, button, bits, count);
}

TEST(MouseModes, LeftButtonByModeAndClickCount) {
    EXPECT_EQ(press(MOUSE_OPENLOOK, 1), P::Start);
    EXPECT_EQ(press(MOUSE_OPENLOOK, 1, 0, 2), P::Start); // no word on the left in openlook
    EXPECT_EQ(press(MOUSE_OPENLOOK, 1, MOUSE_SHIFT), P::ClearSelection);
    EXPECT_EQ(press(MOUSE_OPENLOOKW, 1), P::Start);
    EXPECT_EQ(press(MOUSE_OPENLOOKW, 1, 0, 2), P::Word);
    EXPECT_EQ(press(MOUSE_OPENLOOKW, 1, 0, 3), P::Line);
    EXPECT_EQ(press(MOUSE_OPENLOOKW, 1, MOUSE_SHIFT), P::Line);
    EXPECT_EQ(press(MOUSE_OPENLOOKW, 1, MOUSE_SHIFT | MOUSE_CTRL), P::ClearSelection);
    EXPECT_EQ(press(MOUSE_MOTIF, 1), P::Start);
    EXPECT_EQ(press(MOUSE_MOTIF, 1, MOUSE_SHIFT), P::Extend);
    for (int mode : {MOUSE_FULLMOTIF, MOUSE_WINDOWS}) {
        EXPECT_EQ(press(mode, 1), P::ClearMoveAndAnchor);
        EXPECT_EQ(press(mode, 1, 0, 2), P::Word);
        EXPECT_EQ(press(mode, 1, 0, 3), P::Line);
        EXPECT_EQ(press(mode, 1, MOUSE_SHIFT), P::Extend);
    }
}

TEST(MouseModes, MiddleButtonByModeAndClickCount) {
    EXPECT_EQ(press(MOUSE_OPENLOOK, 2), P::Extend);
    EXPECT_EQ(press(MOUSE_OPENLOOK, 2, 0, 2), P::Word);
    EXPECT_EQ(press(MOUSE_OPENLOOK, 2, 0, 3), P::Line);
    EXPECT_EQ(press(MOUSE_OPENLOOK, 2, MOUSE_SHIFT), P::Line);
    EXPECT_EQ(press(MOUSE_OPENLOOKW, 2), P::Extend);
    EXPECT_EQ(press(MOUSE_OPENLOOKW, 2, MOUSE_SHIFT), P::ExtendLines);
    EXPECT_EQ(press(MOUSE_OPENLOOKW, 2, 0, 3), P::Line);
    for (int mode : {MOUSE_MOTIF, MOUSE_FULLMOTIF, MOUSE_WINDOWS}) {
        EXPECT_EQ(press(mode, 2), P::MoveCursorThenPaste);
        EXPECT_EQ(press(mode, 2, 0, 2), P::MoveCursorThenPaste);
        EXPECT_EQ(press(mode, 2, MOUSE_SHIFT), P::Line);
    }
    EXPECT_TRUE(edit_press_extends_existing(MOUSE_OPENLOOK, 2));
    EXPECT_TRUE(edit_press_extends_existing(MOUSE_OPENLOOKW, 2));
    EXPECT_FALSE(edit_press_extends_existing(MOUSE_OPENLOOKW, 1));
    EXPECT_FALSE(edit_press_extends_existing(MOUSE_MOTIF, 2));
}

TEST(MouseModes, RightButtonInEveryMode) {
    for (int mode : kModes) {
        EXPECT_EQ(press(mode, 3, MOUSE_CTRL), P::ClearSelection) << mode;
        EXPECT_EQ(press(mode, 3, MOUSE_SHIFT), P::MoveCursor) << mode;
        EXPECT_EQ(press(mode, 3, MOUSE_ALT), P::ContextMenu) << mode;
    }
    EXPECT_EQ(press(MOUSE_OPENLOOK, 3), P::MoveCursor);
    EXPECT_EQ(press(MOUSE_OPENLOOKW, 3), P::MoveCursor);
    EXPECT_EQ(press(MOUSE_MOTIF, 3), P::MoveCursor);
    EXPECT_EQ(press(MOUSE_FULLMOTIF, 3), P::ContextMenu);
    EXPECT_EQ(press(MOUSE_WINDOWS, 3), P::ContextMenu);
    EXPECT_EQ(press(MOUSE_WINDOWS, 4), P::Nothing);
}

TEST(MouseModes, DragsByTheButtonsHeld) {
    using D = EditDrag;
    EXPECT_EQ(edit_drag_action(MOUSE_OPENLOOK, MOUSE_RIGHT_HELD), D::CursorFollows);
    EXPECT_EQ(edit_drag_action(MOUSE_OPENLOOKW, MOUSE_RIGHT_HELD), D::CursorFollows);
    EXPECT_EQ(edit_drag_action(MOUSE_MOTIF, MOUSE_RIGHT_HELD), D::CursorFollows);
    EXPECT_EQ(edit_drag_action(MOUSE_FULLMOTIF, MOUSE_RIGHT_HELD), D::Nothing);
    EXPECT_EQ(edit_drag_action(MOUSE_WINDOWS, MOUSE_RIGHT_HELD), D::Nothing);

    EXPECT_EQ(edit_drag_action(MOUSE_FULLMOTIF, MOUSE_LEFT_HELD), D::SelectPastThreshold);
    EXPECT_EQ(edit_drag_action(MOUSE_WINDOWS, MOUSE_LEFT_HELD), D::SelectPastThreshold);
    EXPECT_EQ(edit_drag_action(MOUSE_OPENLOOK, MOUSE_LEFT_HELD), D::MoveStart);
    EXPECT_EQ(edit_drag_action(MOUSE_OPENLOOKW, MOUSE_LEFT_HELD), D::ByGranularity);
    EXPECT_EQ(edit_drag_action(MOUSE_OPENLOOKW, MOUSE_LEFT_HELD | MOUSE_SHIFT),
              D::ByGranularityLines);
    EXPECT_EQ(edit_drag_action(MOUSE_MOTIF, MOUSE_LEFT_HELD), D::ByGranularity);
    EXPECT_EQ(edit_drag_action(MOUSE_MOTIF, MOUSE_LEFT_HELD | MOUSE_SHIFT), D::ByGranularity);

    EXPECT_EQ(edit_drag_action(MOUSE_OPENLOOK, MOUSE_MIDDLE_HELD), D::ByGranularity);
    EXPECT_EQ(edit_drag_action(MOUSE_OPENLOOKW, MOUSE_MIDDLE_HELD | MOUSE_SHIFT),
              D::ByGranularityLines);
    for (int mode : {MOUSE_MOTIF, MOUSE_FULLMOTIF, MOUSE_WINDOWS})
        EXPECT_EQ(edit_drag_action(mode, MOUSE_MIDDLE_HELD), D::Nothing) << mode;
    for (int mode : kModes)
        EXPECT_EQ(edit_drag_action(mode, MOUSE_SHIFT), D::Nothing) << mode;
}

} // namespace

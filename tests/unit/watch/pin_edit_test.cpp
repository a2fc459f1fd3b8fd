// Editing a pin in place: the assignment sent, its answer, and where the
// edit box goes.
#include "platform/headless/settings_control.h"
#include "watch_fixture.h"

namespace {

class PinEditTest : public WatchTest {
  protected:
    static void type_into_box(const std::string& text) {
        headless::script_edit_box({EditBoxEnd::Entered, text});
    }
};

} // namespace

TEST_F(PinEditTest, AnEditInAFrameAssignsThereAndRefreshes) {
    vel_pin_create(1, 0, 0, TIP_SYMBOL, 0, 0, "sub1", "demo.ost", "abc");
    pin(0).value = "5";
    type_into_box("say \"hi\"");
    vel_pin_edit_open(0);
    ASSERT_EQ(headless::edit_boxes().size(), 1u);
    EXPECT_EQ(headless::edit_boxes()[0].text, "5");
    EXPECT_EQ(sent(), std::vector<std::string>{"tipeval @sub1 abc = \"say \"\"hi\"\"\";"});
    EXPECT_TRUE(g_pins.pending_edit);

    // The answer to an assignment says nothing; the pins are asked again.
    vel_tip_answer("");
    EXPECT_FALSE(g_pins.pending_edit);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(sent().size(), 2u);
    vel_tip_answer("=say \"hi\"");
    EXPECT_EQ(pin(0).text, "abc {sub1} = say \"hi\"");
}

TEST_F(PinEditTest, AnEditWithoutAFrameUsesTheFileOrInterpret) {
    vel_pin_create(1, 0, 0, TIP_SYMBOL, 0, 0, "", "lib.ost", "x.1");
    vel_pin_create(1, 0, 0, TIP_SYMBOL, 0, 0, "", "gone.ost", "y");
    type_into_box("7");
    vel_pin_edit_open(0);
    type_into_box("8");
    vel_pin_edit_open(1);
    EXPECT_EQ(sent(), (std::vector<std::string>{"tipeval 1 x.1 = \"7\";", "interpret y = \"8\";"}));
    // Only the tipeval form waits for an answer.
    EXPECT_EQ(g_tip.requests.size(), 1);
}

TEST_F(PinEditTest, EscapeSendsNothing) {
    vel_pin_create(1, 0, 0, TIP_SYMBOL, 0, 0, "", "demo.ost", "abc");
    vel_pin_edit_open(0); // nothing scripted: the box is cancelled
    EXPECT_EQ(headless::edit_boxes().size(), 1u);
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(g_tip.requests.size(), 0);
}

TEST_F(PinEditTest, EditAnswersAreReported) {
    vel_pin_create(1, 0, 0, TIP_SYMBOL, 0, 0, "sub1", "demo.ost", "abc");
    type_into_box("1");
    vel_pin_edit_open(0);
    vel_tip_answer("\x02");
    EXPECT_EQ(messages(),
              std::vector<std::string>{"Edit: sub1 is no longer on the stack -- abc not changed"});

    // The refresh the edit started is answered first.
    while (g_pins.next_refresh >= 0)
        vel_tip_answer("=1");
    vel_pin_create(1, 0, 0, TIP_SYMBOL, 0, 0, "", "demo.ost", "abc");
    type_into_box("1");
    vel_pin_edit_open(1);
    g_pins.edit_frame.clear();
    forget_sent();
    vel_tip_answer("Error 35 running demo.ost");
    EXPECT_EQ(messages(), std::vector<std::string>{"Error 35 running demo.ost"});
    // The answer to an edit no longer pending is dropped.
    g_tip.requests.push({REQUEST_EDIT, -1});
    vel_tip_answer("late");
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(PinEditTest, EditsInterleavedWithTipsAndRefreshesGetTheirOwnAnswers) {
    vel_pin_create(1, 0, 0, TIP_SYMBOL, 0, 0, "", "demo.ost", "abc");
    vel_pin_create(2, 0, 0, TIP_SYMBOL, 0, 0, "", "demo.ost", "total");
    vel_pin_refresh_all(); // pin 0's question
    rest_on(3, 5);         // a tip question
    type_into_box("9");
    vel_pin_edit_open(0); // an edit
    vel_tip_answer("=5"); // pin 0 -> sends pin 1's question
    vel_tip_answer("=6"); // the tip
    vel_tip_answer("");   // the edit -> a refresh is due, but the pass runs
    vel_tip_answer("=7"); // pin 1
    EXPECT_EQ(pin(0).text, "abc = 5");
    EXPECT_EQ(headless::float_text(g_tip.window), "total = 6");
    EXPECT_EQ(pin(1).text, "total = 7");
    EXPECT_FALSE(g_pins.pending_edit);
    EXPECT_EQ(g_tip.requests.size(), 0);
}

TEST_F(PinEditTest, TheBoxGoesBelowThePinOrAboveItAndStaysOnTheScreen) {
    headless::set_screen_size(1024, 768);
    vel_pin_create(1, 0, 0, TIP_SYMBOL, 1, 0, "", "demo.ost", "abc");
    auto box_for = [](int x, int y) {
        plat_float_show_at(pin(0).window, {x, y, 100, 30});
        headless::edit_boxes().clear();
        vel_pin_edit_open(0);
        return headless::edit_boxes().at(0).where;
    };
    PlatRect box = box_for(200, 300);
    EXPECT_EQ(box.x, 200);
    EXPECT_EQ(box.y, 330);
    EXPECT_EQ(box.width, 100);
    EXPECT_EQ(box.height, 30);
    box = box_for(200, 750);
    EXPECT_EQ(box.y, 720) << "above the pin";
    box = box_for(-40, 10);
    EXPECT_EQ(box.x, 0);
    box = box_for(1000, 10);
    EXPECT_EQ(box.x, 1024 - 100);
}

// The refresh pass: one question at a time, answers paired with the
// questions they belong to, tips and edits in between.
#include "watch_fixture.h"

namespace {

class PinRefreshTest : public WatchTest {
  protected:
    // A pin of demo.ost by command, as the status file makes them.
    static void pin_demo(int line, const std::string& expression, const std::string& frame = "",
                         int mode = TIP_SYMBOL) {
        vel_pin_create(line, 40, 0, mode, 0, 0, frame, "demo.ost", expression);
        vel_pin_reposition_all();
    }
    static std::string symbol_question(const std::string& context, const std::string& e) {
        return "tipeval " + context + " if symbol(\"" + e + "\")==\"VAR\" then say '='||(" + e +
               "); else say '?'";
    }
};

} // namespace

TEST_F(PinRefreshTest, PinsAreAskedOneAtATimeInOrder) {
    pin_demo(1, "abc");
    pin_demo(2, "total", "main");
    pin_demo(2, "abc*2", "", TIP_EXPRESSION);
    vel_pin_refresh_all();
    EXPECT_EQ(sent(), std::vector<std::string>{symbol_question("0", "abc")});
    vel_pin_refresh_all(); // a pass is running: nothing more
    EXPECT_EQ(sent().size(), 1u);

    vel_tip_answer("=5");
    EXPECT_EQ(pin_shown(0), "abc = 5");
    EXPECT_EQ(headless::float_record(pin(0).window)->caption, "abc = 5");
    EXPECT_EQ(pin(0).value, "5");
    EXPECT_EQ(sent().back(), symbol_question("@main", "total"));

    vel_tip_answer("=6");
    EXPECT_EQ(pin_shown(1), "total {main} = 6");
    EXPECT_EQ(sent().back(), "tipeval 0 say (abc*2)");

    vel_tip_answer("10");
    EXPECT_EQ(pin_shown(2), "(abc*2) = 10");
    EXPECT_EQ(pin(2).value, "10");
    EXPECT_EQ(g_pins.next_refresh, -1);
    EXPECT_EQ(sent().size(), 3u);
    EXPECT_EQ(g_tip.requests.size(), 0);

    // The next stop starts a new pass.
    vel_pin_refresh_all();
    EXPECT_EQ(sent().size(), 4u);
}

TEST_F(PinRefreshTest, TipQuestionsInTheMiddleOfAPassGetTheirOwnAnswers) {
    pin_demo(1, "abc");
    pin_demo(2, "total");
    vel_pin_refresh_all();
    rest_on(3, 5); // the tip asks for "total" while the pin question is out
    ASSERT_EQ(sent().size(), 2u);

    vel_tip_answer("=5"); // the pin's
    EXPECT_EQ(pin_shown(0), "abc = 5");
    EXPECT_FALSE(tip_shown());
    ASSERT_EQ(sent().size(), 3u); // the second pin's question

    vel_tip_answer("=99"); // the tip's
    EXPECT_TRUE(tip_shown());
    EXPECT_EQ(headless::float_text(g_tip.window), "total = 99");
    EXPECT_EQ(pin(1).text, "");

    vel_tip_answer("=6"); // the second pin's
    EXPECT_EQ(pin_shown(1), "total = 6");
    EXPECT_EQ(headless::float_text(g_tip.window), "total = 99");
}

TEST_F(PinRefreshTest, PinsThatCannotBeAskedAreOutOfScope) {
    vel_pin_create(0, 0, 0, TIP_SYMBOL, 0, 0, "", "gone.ost", "a");
    vel_pin_create(0, 0, 0, TIP_SYMBOL, 0, 0, "", "", "b");
    pin_demo(1, "abc", "sub9");
    vel_pin_refresh_all();
    EXPECT_EQ(pin(0).text, "(out of scope)");
    EXPECT_EQ(pin(1).text, "(out of scope)");
    EXPECT_EQ(sent(), std::vector<std::string>{symbol_question("@sub9", "abc")});
    // The frame is gone from the stack.
    vel_tip_answer("\x02");
    EXPECT_EQ(pin_shown(2), "(out of scope)");
    EXPECT_EQ(pin(2).value, "");
    EXPECT_EQ(g_pins.next_refresh, -1);
}

TEST_F(PinRefreshTest, SymbolValuesAndNonAnswers) {
    pin_demo(1, "abc");
    vel_pin_refresh_all();
    vel_tip_answer("?");
    EXPECT_EQ(pin_shown(0), "abc is not assigned.");
    EXPECT_EQ(pin(0).value, "");
    vel_pin_refresh_all();
    vel_tip_answer(std::string("=a\x01\x1b"
                               "b"));
    EXPECT_EQ(pin(0).value, "a\x01\x1b"
                            "b");
    vel_pin_refresh_all();
    vel_tip_answer("=" + std::string(698, 'w'));
    EXPECT_LE(pin(0).text.size(), 699u);
    EXPECT_EQ(pin(0).value, std::string(698, 'w'));
}

TEST_F(PinRefreshTest, DeletingAPinMidPassShiftsTheAnswerToTheNextOne) {
    pin_demo(1, "abc");
    pin_demo(2, "total");
    pin_demo(3, "total");
    vel_pin_refresh_all(); // question for pin 0 out
    const plat_window first = pin(0).window;
    vel_pin_delete(0);
    EXPECT_FALSE(headless::float_record(first)->alive);
    ASSERT_EQ(vel_pin_count(), 2);
    vel_tip_answer("=7"); // for index 0, which is now the old second pin
    EXPECT_EQ(pin_shown(0), "total = 7");
    vel_tip_answer("=8");
    EXPECT_EQ(pin_shown(1), "total = 8");
    EXPECT_EQ(g_pins.next_refresh, -1);
}

TEST_F(PinRefreshTest, AnAnswerForAPinThatNoLongerExistsEndsThePass) {
    pin_demo(1, "abc");
    vel_pin_refresh_all();
    vel_pin_delete(0);
    vel_tip_answer("=5");
    EXPECT_EQ(g_pins.next_refresh, -1);
    EXPECT_EQ(sent().size(), 1u);
}

TEST_F(PinRefreshTest, AnAnswerThatNeverComesDoesNotStopPinsForEver) {
    pin_demo(1, "abc");
    vel_pin_refresh_all();
    // The pin's question is never answered; 32 tip questions push it out.
    for (int i = 0; i < 32; ++i) {
        vel_tip_hover(x_at(0), y_at(i % 2 == 0 ? 1 : 2));
        vel_tip_show_timer();
    }
    EXPECT_EQ(g_tip.requests.size(), 32);
    EXPECT_FALSE(g_tip.requests.holds(REQUEST_PIN));
    forget_sent();
    vel_pin_refresh_all();
    EXPECT_EQ(sent(), std::vector<std::string>{symbol_question("0", "abc")});
    EXPECT_EQ(g_tip.requests.size(), 32) << "the ring never grows";
}

TEST_F(PinRefreshTest, HundredsOfPinsAreAllRefreshed) {
    for (int i = 0; i < 300; ++i)
        vel_pin_create(i % 6, 0, 0, TIP_SYMBOL, 0, 0, "", i % 3 == 0 ? "gone.ost" : "demo.ost",
                       "v" + std::to_string(i));
    vel_pin_refresh_all();
    int answered = 0;
    while (g_pins.next_refresh >= 0) {
        vel_tip_answer("=" + std::to_string(g_pins.next_refresh));
        ++answered;
    }
    EXPECT_EQ(answered, 200);
    for (int i = 0; i < 300; ++i) {
        const std::string want =
            i % 3 == 0 ? "(out of scope)" : "v" + std::to_string(i) + " = " + std::to_string(i);
        ASSERT_EQ(pin(i).text, want) << i;
    }
}

TEST_F(PinRefreshTest, StatusLinesForPinsWithAFile) {
    vel_pin_create(1, 40, -3, TIP_SYMBOL, 0, 0, "", "demo.ost", "abc");
    vel_pin_create(2, 5, 6, TIP_EXPRESSION, 1, 70, "sub1", "lib.ost", "x.1 + 2");
    vel_pin_create(0, 0, 0, TIP_SYMBOL, 0, 0, "", "", "nofile");
    const std::string lines =
        vel_pin_status_lines([](std::string_view file) { return "P(" + std::string(file) + ")"; });
    EXPECT_EQ(lines, "P(demo.ost) pin3 1 40 -3 0 0 0 - demo.ost abc\n"
                     "P(lib.ost) pin3 2 5 6 1 1 70 sub1 lib.ost x.1 + 2\n");
    EXPECT_EQ(vel_pin_count(), 3);
}

TEST_F(PinRefreshTest, CommandFieldsAreCut) {
    vel_pin_create(0, 0, 0, TIP_SYMBOL, 0, 0, std::string(100, 'f'), std::string(100, 'n'),
                   std::string(300, 'e'));
    EXPECT_EQ(pin(0).frame.size(), 63u);
    EXPECT_EQ(pin(0).file.size(), 63u);
    EXPECT_EQ(pin(0).expression.size(), 255u);
    EXPECT_EQ(pin(0).placed, 1);
}

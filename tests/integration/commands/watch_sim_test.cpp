// Tips and pins against the stand-in interpreter over real loopback
// sockets: questions in the stop routine's frame or a file's, refreshes at
// every stop, a frame that is gone, an edit that assigns, and the answers'
// texts as the interpreter really sends them.
#include "link/frame.h"
#include "link/link_state.h"
#include "link/messages.h"
#include "link/wait_readable.h"
#include "link_fixture.h"
#include "platform/headless/floats_control.h"
#include "source/source.h"
#include "watch/pins.h"
#include "watch/tip.h"
#include "watch/watch.h"

#include <functional>

namespace {

class WatchSim : public DiskTest {
  protected:
    std::string script;

    void SetUp() override {
        DiskTest::SetUp();
#ifndef OSTRA_SIM_EXE
        GTEST_SKIP() << "the stand-in interpreter is not in this tree";
#else
        use_sim_interpreter(dir.path.string());
        write_host_file(dir.file("demo.ost"), "abc = 5\n"
                                              "name = 'Ada'\n"
                                              "call sub1\n"
                                              "exit 0\n"
                                              "sub1:\n"
                                              "  deep = abc * 2\n"
                                              "  return\n");
        run("runfile " + dir.file("demo.ost"));
        ASSERT_TRUE(g_link.connected);
        ASSERT_TRUE(serve_until([] { return displayed_source().first_stop_seen; }));
        ASSERT_FALSE(displayed_source().file_map.empty());
        script = *displayed_source().file_map[0].file_name;
#endif
    }
    void TearDown() override {
        if (g_link.connected) run("kill");
        DiskTest::TearDown();
    }

    static PinRecord& pin(int index) {
        return g_pins.pins.at(static_cast<std::size_t>(index));
    }
    // Every question answered and no pass under way.
    static bool quiet() {
        return g_tip.requests.size() == 0 && g_pins.next_refresh < 0;
    }
    // A run command, then everything up to the stop and the pins' answers.
    static bool step(const std::string& command) {
        const std::int32_t before = displayed_source().stop_line;
        run(command);
        return serve_until([&] {
            return !displayed_source().macro_running && displayed_source().stop_line != before &&
                   quiet();
        });
    }
};

} // namespace

TEST_F(WatchSim, PinsAreAskedAtEveryStopInTheirFramesAndFiles) {
    vel_pin_create(0, 0, 0, TIP_SYMBOL, 0, 0, "", script, "abc");
    vel_pin_create(1, 0, 0, TIP_SYMBOL, 0, 0, "main", script, "name");
    vel_pin_create(0, 0, 0, TIP_EXPRESSION, 0, 0, "", script, "abc*2+1");
    vel_pin_create(5, 0, 0, TIP_SYMBOL, 0, 0, "sub1", script, "deep");

    ASSERT_TRUE(step("next")); // abc assigned
    EXPECT_EQ(pin(0).text, "abc = 5");
    EXPECT_EQ(pin(1).text, "name {main} is not assigned.");
    EXPECT_EQ(pin(2).text, "(abc*2+1) = 11");
    EXPECT_EQ(pin(3).text, "(out of scope)") << "sub1 is not on the stack";

    ASSERT_TRUE(step("next")); // name assigned
    EXPECT_EQ(pin(1).text, "name {main} = Ada");
    EXPECT_EQ(pin(1).value, "Ada");

    ASSERT_TRUE(step("step")); // into sub1
    ASSERT_TRUE(step("step")); // deep assigned
    EXPECT_EQ(pin(3).text, "deep {sub1} = 10");
    EXPECT_EQ(pin(1).text, "name {main} = Ada") << "main's frame is still on the stack";
}

TEST_F(WatchSim, AnEditAssignsInTheMacroAndThePinsFollow) {
    ASSERT_TRUE(step("next"));
    ASSERT_TRUE(step("next"));
    vel_pin_create(1, 0, 0, TIP_SYMBOL, 0, 0, "main", script, "name");
    vel_pin_create(0, 0, 0, TIP_SYMBOL, 0, 0, "", script, "abc");
    vel_pin_refresh_all();
    ASSERT_TRUE(serve_until(quiet));
    ASSERT_EQ(pin(0).value, "Ada");

    headless::script_edit_box({EditBoxEnd::Entered, "Bob \"the\" Builder"});
    vel_pin_edit_open(0);
    headless::script_edit_box({EditBoxEnd::Entered, "41+1"});
    vel_pin_edit_open(1);
    ASSERT_TRUE(serve_until(quiet));
    EXPECT_EQ(pin(0).text, "name {main} = Bob \"the\" Builder");
    EXPECT_EQ(pin(1).text, "abc = 41+1") << "the value is assigned as a string";
    EXPECT_TRUE(messages().empty()) << "an assignment answers with nothing to print";
}

TEST_F(WatchSim, TipQuestionsGetTheirAnswersBetweenThePins) {
    ASSERT_TRUE(step("next"));
    vel_pin_create(0, 0, 0, TIP_SYMBOL, 0, 0, "", script, "abc");
    vel_pin_refresh_all();
    g_tip.expression = "abc*3";
    g_tip.mode = TIP_EXPRESSION;
    vel_tip_probe("abc*3", TIP_EXPRESSION, {std::string("main"), 0}, {REQUEST_TIP, -1});
    ASSERT_TRUE(serve_until(quiet));
    EXPECT_EQ(pin(0).text, "abc = 5");
    EXPECT_EQ(g_tip.text, "(abc*3) = 15");

    g_tip.expression = "zzz";
    g_tip.mode = TIP_SYMBOL;
    vel_tip_probe("zzz", TIP_SYMBOL, {std::nullopt, 0}, {REQUEST_TIP, -1});
    ASSERT_TRUE(serve_until(quiet));
    EXPECT_EQ(g_tip.text, "zzz is not assigned.");
    g_tip.expression = "abc";
    vel_tip_probe("abc", TIP_SYMBOL, {std::string("nosuch"), 0}, {REQUEST_TIP, -1});
    ASSERT_TRUE(serve_until(quiet));
    EXPECT_EQ(g_tip.text, "zzz is not assigned.") << "a frame that is gone shows no tip";
    EXPECT_FALSE(plat_float_visible(g_tip.window));
}

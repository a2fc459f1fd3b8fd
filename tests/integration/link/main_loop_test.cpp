// The main loop's order of service with a real interpreter connection.
#include "link/frame.h"
#include "link/wait_readable.h"
#include "startup/main_loop.h"

#include "display/panes/panes.h"
#include "link/link_state.h"
#include "loopback.h"
#include "source/source.h"
#include "test_support.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

class MainLoop : public VelTest {
  protected:
    LoopbackPair messages;
    LoopbackPair output;
    void SetUp() override {
        VelTest::SetUp();
        g_link.message_socket = messages.near_end;
        g_link.stdout_socket = output.near_end;
        g_link.connected = true;
    }
    static void settle() { std::this_thread::sleep_for(std::chrono::milliseconds(30)); }
};

} // namespace

TEST_F(MainLoop, OneUnitOfEachKindPerTurn) {
    int handled = 0;
    headless::post_message([&] { ++handled; });
    headless::post_message([&] { ++handled; });
    messages.write("<7>|error|<7>|quire|");
    output.write("out\n");
    settle();

    EXPECT_TRUE(main_loop_turn());
    EXPECT_EQ(handled, 1);
    // "<7>|quire|" was read ahead with the first frame, and waits its turn.
    EXPECT_TRUE(message_read_ahead(messages.near_end));
    EXPECT_TRUE(displayed_source().error_reported);
    EXPECT_FALSE(displayed_source().editor_driven);
    EXPECT_EQ(g_panes.io.lines, std::vector<std::string>{"out\n"});

    EXPECT_TRUE(main_loop_turn());
    EXPECT_EQ(handled, 2);
    EXPECT_FALSE(message_read_ahead(messages.near_end));
    EXPECT_TRUE(displayed_source().editor_driven);
    EXPECT_FALSE(main_loop_turn());
}

TEST_F(MainLoop, SocketsAreLeftAloneWithoutAConnectionOrInTestMode) {
    messages.write("<7>|error|");
    settle();
    g_link.connected = false;
    EXPECT_FALSE(main_loop_turn());
    g_link.connected = true;
    g_link.test_mode = true;
    EXPECT_FALSE(main_loop_turn());
    EXPECT_EQ(plat_socket_waiting(messages.near_end), 10);
}

TEST_F(MainLoop, ClosedOutputIsNoLongerWatched) {
    output.close_far();
    settle();
    EXPECT_FALSE(main_loop_turn());
    EXPECT_TRUE(g_link.stdout_ended);
    // The idle wait now sleeps on the message socket alone and wakes for it.
    std::thread peer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        messages.write("<1>z");
    });
    vel_socket watched[2] = {g_link.message_socket, VEL_NO_SOCKET};
    plat_wait_for_work(watched, 2, -1);
    EXPECT_EQ(wait_readable(g_link.message_socket, 0), 0);
    peer.join();
}

TEST(WaitReadable, TimesOutAndSeesData) {
    reset_vel_state();
    LoopbackPair pair;
    EXPECT_EQ(wait_readable(pair.near_end, 120), -1);
    pair.write("x");
    EXPECT_EQ(wait_readable(pair.near_end, 1000), 0);
}

TEST_F(MainLoop, ABurstOfMessagesIsDrawnWhenNothingMoreWaits) {
    g_panes.command.lines = {"% "};
    std::string burst;
    for (int i = 0; i < 2000; ++i) {
        const std::string payload = "|mes|m" + std::to_string(i);
        burst += "<" + std::to_string(payload.size()) + ">" + payload;
    }
    messages.write(burst);
    settle();

    // Drawn at the end and now and then on the way (about once per screen
    // refresh), never once per message.
    int turns = 0, drawn_on_the_way = 0;
    while (main_loop_turn()) {
        ++turns;
        if (!g_panes.command.draw_due) ++drawn_on_the_way;
    }
    EXPECT_GE(turns, 2000);
    EXPECT_LT(drawn_on_the_way * 20, turns);
    // The end is drawn at the next refresh at the latest.
    const int limit = main_loop_idle_limit_ms();
    EXPECT_LE(limit, 16);
    std::this_thread::sleep_for(std::chrono::milliseconds(std::max(limit, 0)));
    EXPECT_FALSE(main_loop_turn());
    EXPECT_FALSE(g_panes.command.draw_due);
    EXPECT_EQ(main_loop_idle_limit_ms(), -1);
    ASSERT_EQ(g_panes.command.lines.size(), 2001u);
    EXPECT_EQ(g_panes.command.lines[1999], "m1999\n");
    // Drawn with its end in view, the prompt last.
    EXPECT_EQ(g_panes.command.lines.back(), "% ");
    EXPECT_GE(g_panes.command.last_line_shown, 2000);
}

TEST_F(MainLoop, MessagesSentSlowlyAreDrawnOncePerRefreshNotOncePerMessage) {
    g_panes.command.lines = {"% "};
    // A refresh that never comes round during the test: what matters is
    // which turns draw, not how fast the machine is.
    main_loop_set_draw_interval(std::chrono::hours(1));
    const auto send = [&](int i) {
        const std::string payload = "|mes|m" + std::to_string(i);
        messages.write("<" + std::to_string(payload.size()) + ">" + payload);
        settle();
    };
    const auto serve_until_idle = [&] {
        while (main_loop_turn()) {
        }
    };
    // Nothing was drawn lately: the first message is shown at once.
    send(0);
    serve_until_idle();
    EXPECT_FALSE(g_panes.command.draw_due);
    EXPECT_EQ(main_loop_idle_limit_ms(), -1);
    for (int i = 1; i < 5; ++i) {
        send(i);
        serve_until_idle();
        // Each message found the socket empty behind it, and still nothing
        // was drawn for it: the idle wait is bounded instead.
        EXPECT_TRUE(g_panes.command.draw_due);
        EXPECT_GE(main_loop_idle_limit_ms(), 0);
    }
    EXPECT_EQ(g_panes.command.lines.size(), 6u);

    // Once the refresh is due the idle turn draws everything at once.
    main_loop_set_draw_interval(std::chrono::milliseconds(0));
    EXPECT_EQ(main_loop_idle_limit_ms(), 0);
    EXPECT_FALSE(main_loop_turn());
    EXPECT_FALSE(g_panes.command.draw_due);
    EXPECT_EQ(main_loop_idle_limit_ms(), -1);
    EXPECT_EQ(g_panes.command.lines[4], "m4\n");
}

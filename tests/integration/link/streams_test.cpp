// The macro's output into the io pane, and typed lines out to its input.
#include "display/window/refresh.h"
#include "link/streams.h"

#include "display/panes/panes.h"
#include "link/channel.h"
#include "link/link_state.h"
#include "link/wait_readable.h"
#include "loopback.h"
#include "test_support.h"

#include <ifaddrs.h>
#include <netinet/in.h>

#include <optional>
#include <thread>

namespace {

class Streams : public VelTest {
  protected:
    LoopbackPair output;
    LoopbackPair input;
    void SetUp() override {
        VelTest::SetUp();
        g_link.stdout_socket = output.near_end;
        g_link.stdin_socket = input.near_end;
        g_link.connected = true;
        g_panes.io.visible_rows = 3;
        g_panes.io.visible_columns = 10;
    }
    // Sends bytes as the macro's output and moves them into the io pane.
    void macro_writes(const std::string& bytes) {
        output.write(bytes);
        std::size_t moved = 0;
        while (moved < bytes.size()) {
            ASSERT_EQ(wait_readable(output.near_end, 2000), 0);
            long got = read_stdout_chunk();
            ASSERT_GT(got, 0);
            moved += std::size_t(got);
        }
        // The output was read in a main-loop turn, which ends with the refresh.
        display_refresh();
    }
    const std::vector<std::string>& io() { return g_panes.io.lines; }
};

using Lines = std::vector<std::string>;

} // namespace

TEST_F(Streams, PartialLineIsContinuedByTheNextChunk) {
    macro_writes("abc");
    EXPECT_EQ(io(), Lines{"abc"});
    macro_writes("def\nxyz");
    EXPECT_EQ(io(), (Lines{"abcdef\n", "xyz"}));
    macro_writes("\n");
    EXPECT_EQ(io(), (Lines{"abcdef\n", "xyz\n"}));
    macro_writes("next\n");
    EXPECT_EQ(io(), (Lines{"abcdef\n", "xyz\n", "next\n"}));
}

TEST_F(Streams, CarriageReturnSplitFromItsNewlineStays) {
    macro_writes("one\r");
    macro_writes("\ntwo\r\n");
    EXPECT_EQ(io(), (Lines{"one\r\n", "two\n"}));
}

TEST_F(Streams, HalfTypedInputStaysAtTheEnd) {
    macro_writes("prompt> ");
    g_panes.io.lines.back() += "ab";
    g_panes.io.editor = {1, 2};
    macro_writes("late output\n");
    EXPECT_EQ(io(), (Lines{"prompt> late output\n", "ab"}));
    macro_writes("more");
    EXPECT_EQ(io(), (Lines{"prompt> late output\n", "moreab"}));
}

TEST_F(Streams, NothingWaitingMovesNothing) {
    EXPECT_EQ(read_stdout_chunk(), 0);
    EXPECT_FALSE(g_panes.io.has_lines);
}

TEST_F(Streams, FollowsTheEndWhenTheEndWasShown) {
    macro_writes("1\n2\n3\n4\n5\n6\n");
    // Six lines in three rows: lines 3 to 5 are shown.
    EXPECT_EQ(g_panes.io.top_line, 3);
    EXPECT_EQ(g_panes.io.last_line_shown, 5);
    macro_writes("a long line of output\n");
    // That line needs three rows of ten columns. From top 4 its first row is
    // drawn on the last row, and a line the rows end inside counts as shown.
    EXPECT_EQ(g_panes.io.top_line, 4);
    EXPECT_EQ(g_panes.io.last_line_shown, 6);
}

TEST_F(Streams, StaysPutWhenTheUserScrolledBack) {
    macro_writes("1\n2\n3\n4\n5\n6\n");
    g_panes.io.top_line = 0;
    pane_redraw(g_panes.io);
    macro_writes("7\n8\n");
    EXPECT_EQ(g_panes.io.top_line, 0);
    EXPECT_EQ(io().size(), 8u);
}

TEST_F(Streams, TypedLineGoesOutWithANewline) {
    write_stdin_line("hello", 5);
    write_stdin_line("", 0);
    EXPECT_EQ(input.read_far(), "hello\n\n");
    EXPECT_TRUE(headless::boxes().empty());
}

TEST_F(Streams, TypedLineIsDroppedWithoutAnInterpreter) {
    g_link.connected = false;
    write_stdin_line("hello", 5);
    EXPECT_EQ(input.read_far(50), "");
}

TEST_F(Streams, FailedTypedLineIsReported) {
    input.close_far();
    std::string big(1 << 20, 'x');
    for (int i = 0; i < 50 && headless::boxes().empty(); ++i)
        write_stdin_line(big.data(), big.size());
    ASSERT_FALSE(headless::boxes().empty());
    EXPECT_EQ(headless::boxes()[0].text, "vel: unable to write toward Ostra standard input.\n");
}

TEST(Channel, AcceptsAndReadsTheFirstFrame) {
    reset_vel_state();
    plat_net_start();
    vel_socket listener = plat_socket_tcp();
    const int port = bind_link_port(listener);
    ASSERT_GT(port, 0);
    ASSERT_EQ(plat_socket_listen(listener, 1), 0);
    std::thread peer([port] {
        vel_socket s = plat_socket_tcp();
        ASSERT_EQ(plat_socket_connect(s, link_listen_address(), port), 0);
        plat_socket_send(s, "<4>5150", 7);
        char c;
        plat_socket_recv(s, &c, 1); // wait for vel to close
        plat_socket_close(s);
    });
    Channel channel = accept_channel(listener, AcceptPolicy::Attach);
    EXPECT_NE(channel.socket, VEL_NO_SOCKET);
    EXPECT_EQ(channel.greeting, "5150");
    plat_socket_close(channel.socket);
    plat_socket_close(listener);
    peer.join();
    EXPECT_TRUE(headless::boxes().empty());
}

TEST(Channel, BindFailureIsBoxedInCapitals) {
    reset_vel_state();
    vel_socket s = plat_socket_tcp();
    ASSERT_EQ(plat_socket_bind_to(s, htonl(INADDR_LOOPBACK)), 0);
    EXPECT_EQ(bind_link_port(s), -1); // already bound
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text, "VEL: Unable to bind a socket.");
    plat_socket_close(s);
}

TEST(Channel, ListensOnTheLoopbackNetworkOnly) {
    reset_vel_state();
    plat_net_start();
    vel_socket listener = plat_socket_tcp();
    ASSERT_GT(bind_link_port(listener), 0);
    std::uint32_t address = 0;
    ASSERT_EQ(plat_socket_local_address(listener, address), 0);
    EXPECT_TRUE(link_peer_is_local(address));
    EXPECT_NE(address, htonl(INADDR_ANY));
    plat_socket_close(listener);
}

namespace {

// An IPv4 address of this machine off the loopback network, if it has one.
std::optional<std::uint32_t> network_address() {
    ifaddrs* all = nullptr;
    if (getifaddrs(&all) != 0) return std::nullopt;
    std::optional<std::uint32_t> found;
    for (ifaddrs* i = all; i && !found; i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET) continue;
        const std::uint32_t a = reinterpret_cast<sockaddr_in*>(i->ifa_addr)->sin_addr.s_addr;
        if (!link_peer_is_local(a)) found = a;
    }
    freeifaddrs(all);
    return found;
}

} // namespace

TEST(Channel, APeerFromTheNetworkIsClosedAndTheWaitGoesOn) {
    reset_vel_state();
    plat_net_start();
    const std::optional<std::uint32_t> outside = network_address();
    if (!outside) GTEST_SKIP() << "no network address to connect from";
    // A listener open to every address, so that the outsider gets through
    // to the accept and the accept has to turn it away.
    vel_socket listener = plat_socket_tcp();
    ASSERT_EQ(plat_socket_bind_to(listener, htonl(INADDR_ANY)), 0);
    ASSERT_EQ(plat_socket_listen(listener, 4), 0);
    const int port = plat_socket_local_port(listener);
    vel_socket stranger = plat_socket_tcp();
    ASSERT_EQ(plat_socket_bind_to(stranger, *outside), 0);
    ASSERT_EQ(plat_socket_connect(stranger, *outside, port), 0);
    plat_socket_send(stranger, "<6>intrud", 9);
    vel_socket local = plat_socket_tcp();
    ASSERT_EQ(plat_socket_connect(local, htonl(INADDR_LOOPBACK), port), 0);
    plat_socket_send(local, "<4>5150", 7);

    Channel channel = accept_channel(listener, AcceptPolicy::Attach);
    EXPECT_EQ(channel.greeting, "5150");
    // The stranger was closed (reset, as its greeting was never read), not
    // kept waiting.
    char c;
    EXPECT_LE(plat_socket_recv(stranger, &c, 1), 0);
    EXPECT_TRUE(headless::boxes().empty());
    for (vel_socket s : {channel.socket, listener, stranger, local})
        plat_socket_close(s);
}

// read_message and vel_send over real loopback sockets.
#include "link/frame.h"

#include "display/panes/panes.h"
#include "link/link_state.h"
#include "loopback.h"
#include "test_support.h"

#include <thread>

namespace {

class FrameIo : public VelTest {
  protected:
    LoopbackPair pair;
    std::optional<std::string> read(ReadPolicy policy = ReadPolicy::Main) {
        return read_message(pair.near_end, policy);
    }
};

} // namespace

TEST_F(FrameIo, ReadsOneFrameAtATimeLeavingTheNextInTheSocket) {
    pair.write("xx<3>abc<2>de");
    EXPECT_EQ(read(), "abc");
    EXPECT_EQ(read(), "de");
    EXPECT_EQ(plat_socket_waiting(pair.near_end), 0);
}

TEST_F(FrameIo, ReadingAheadGivesTheSameFramesInAnyChunking) {
    std::string stream = "xx";
    std::vector<std::string> sent;
    for (int i = 0; i < 300; ++i) {
        sent.push_back("|mes|" + std::string(static_cast<std::size_t>(i % 37), 'a' + i % 26));
        stream += "<" + std::to_string(sent.back().size()) + ">" + sent.back();
    }
    // Chunks of every size from 1 to 23 bytes, the frames cut anywhere.
    std::thread peer([&] {
        for (std::size_t at = 0, n = 1; at < stream.size(); at += n, n = n % 23 + 1) {
            pair.write(stream.substr(at, n));
            if (n == 23) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    for (const std::string& payload : sent)
        ASSERT_EQ(read_message_ahead(pair.near_end), payload);
    peer.join();
    EXPECT_FALSE(message_read_ahead(pair.near_end));
    // Nothing of the next frame is lost when it came with the one before.
    pair.write("<3>abc<2>de");
    EXPECT_EQ(read_message_ahead(pair.near_end), "abc");
    EXPECT_TRUE(message_read_ahead(pair.near_end));
    EXPECT_EQ(read_message_ahead(pair.near_end), "de");
    EXPECT_FALSE(message_read_ahead(pair.near_end));
}

TEST_F(FrameIo, ReadingAheadFailsAsTheMainReadDoes) {
    g_link.connected = true;
    pair.write("<10>abc");
    pair.close_far();
    EXPECT_EQ(VEL_EXIT_STATUS(read_message_ahead(pair.near_end)), 1);
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text, "vel: Unable to read from the Ostra process.");
}

TEST_F(FrameIo, FrameArrivingByteByByteIsReadWhole) {
    std::thread peer([&] {
        for (char c : std::string("<11>hello world")) {
            pair.write(std::string(1, c));
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    EXPECT_EQ(read(), "hello world");
    peer.join();
}

TEST_F(FrameIo, LargePayloadInPieces) {
    std::string payload(300000, 'p');
    for (std::size_t i = 0; i < payload.size(); i += 97)
        payload[i] = char(i);
    std::thread peer([&] { pair.write("<300000>" + payload); });
    EXPECT_EQ(read(), payload);
    peer.join();
}

TEST_F(FrameIo, ClosedWhileConnectedEndsVel) {
    g_link.connected = true;
    pair.write("<10>abc");
    pair.close_far();
    EXPECT_EQ(VEL_EXIT_STATUS(read()), 1);
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text, "vel: Unable to read from the Ostra process.");
}

TEST_F(FrameIo, ClosedDuringTheHandshakeGivesNothingSilently) {
    pair.write("<5");
    pair.close_far();
    std::optional<std::string> got = std::string("unset");
    EXPECT_EQ(VEL_EXIT_STATUS(got = read()), -1000);
    EXPECT_EQ(got, std::nullopt);
    EXPECT_TRUE(headless::boxes().empty());
}

TEST_F(FrameIo, BadHeadersEndVelWithTheirBox) {
    pair.write("<x>");
    EXPECT_EQ(VEL_EXIT_STATUS(read()), 1);
    pair.write("<" + std::string(100, '7') + ">");
    EXPECT_EQ(VEL_EXIT_STATUS(read()), 1);
    ASSERT_EQ(headless::boxes().size(), 2u);
    EXPECT_EQ(headless::boxes()[0].text, "vel: Invalid \"x\" header.");
    EXPECT_EQ(headless::boxes()[1].text, "vel: Overflow when reading header.");
}

TEST_F(FrameIo, GreetingPolicyReportsALostConnectionAndGoesOn) {
    pair.write("<4>ab");
    pair.close_far();
    std::optional<std::string> got = std::string("unset");
    EXPECT_EQ(VEL_EXIT_STATUS(got = read(ReadPolicy::Greeting)), -1000);
    EXPECT_EQ(got, std::nullopt);
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text, "vel: Unable to read from the Ostra process.");
}

TEST_F(FrameIo, GreetingPolicyReadsAFrame) {
    pair.write("<2>42");
    EXPECT_EQ(read(ReadPolicy::Greeting), "42");
}

TEST_F(FrameIo, SendWritesTheExactFrame) {
    EXPECT_EQ(vel_send(pair.near_end, "cont", 4, Report::Yes), 0);
    EXPECT_EQ(vel_send(pair.near_end, "", 0, Report::Yes), 0);
    EXPECT_EQ(vel_send(pair.near_end, "a\nb", 3, Report::Yes), 0);
    EXPECT_EQ(pair.read_far(), "<4>cont<0><3>a\nb");
}

TEST_F(FrameIo, SendFailureIsShownOnlyWhenReported) {
    pair.close_far();
    // The first send after the peer's close may still be taken by the system;
    // keep sending until the failure shows.
    int result = 0;
    std::string big(65536, 'k');
    for (int i = 0; i < 100 && result == 0; ++i)
        result = vel_send(pair.near_end, big.data(), int(big.size()), Report::No);
    EXPECT_EQ(result, -1);
    EXPECT_TRUE(headless::boxes().empty());
    EXPECT_EQ(vel_send(pair.near_end, "kill", 4, Report::Yes), -1);
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text, "vel: Unable to write to Ostra.");
}

TEST_F(FrameIo, TestModeEchoesIntoTheCommandPaneInstead) {
    g_link.test_mode = true;
    g_panes.command.lines = {"banner\n", "\n", "% "};
    EXPECT_EQ(vel_send(0, "next", 4, Report::Yes), 0);
    EXPECT_EQ(vel_send(pair.near_end, "cont\n", 5, Report::Yes), 0);
    const std::vector<std::string> expected{"banner\n", "\n", "% \n", "+++ vel_send(0) next\n",
                                            "+++ vel_send(" + std::to_string(pair.near_end) +
                                                ") cont\n"};
    EXPECT_EQ(g_panes.command.lines, expected);
    EXPECT_EQ(pair.read_far(50), "");
}

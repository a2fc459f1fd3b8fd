// An interpreter that keeps its connection open but stops reading: vel gives
// the link up once, and nothing after that waits or shows a box of its own.
#include "link/frame.h"
#include "link/link_state.h"
#include "link/streams.h"
#include "link_fixture.h"
#include "platform/headless/headless.h"

namespace {

class StalledPeer : public LinkTest {
  protected:
    // Lines long enough that the socket buffers fill after a few hundred.
    static std::string long_prints(int count) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += "print " + std::string(2000, 'p') + "\n";
        return text;
    }
    static std::vector<std::string> box_texts() {
        std::vector<std::string> texts;
        for (const headless::BoxRecord& box : headless::boxes())
            texts.push_back(box.text);
        return texts;
    }
};

TEST_F(StalledPeer, ASourceStopsAtTheFirstSendNotTaken) {
    write_host_file(dir.file("prints"), long_prints(3000));
    run("source " + dir.file("prints"));

    EXPECT_EQ(box_texts(), Lines{"vel: Unable to write to Ostra."});
    EXPECT_FALSE(g_link.connected);
    EXPECT_EQ(g_link.command_socket, VEL_NO_SOCKET);
    // The rest of the file was not tried: no line of it answered anything.
    EXPECT_TRUE(messages().empty());
    // What the interpreter got before it stalled is whole frames, and far
    // fewer than the file.
    const std::size_t got = received().size();
    EXPECT_GT(got, 0u);
    EXPECT_LT(got, 3000u);

    // The next command gets the usual answer, not another box.
    run("print x");
    EXPECT_EQ(box_texts().size(), 1u);
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(StalledPeer, APeerThatWentAwayIsReportedOnce) {
    commands.close_far();
    for (int i = 0; i < 50; ++i)
        run("print " + std::string(2000, 'p'));
    EXPECT_EQ(box_texts(), Lines{"vel: Unable to write to Ostra."});
    EXPECT_FALSE(g_link.connected);
}

TEST_F(StalledPeer, InputLinesGiveUpTheSameWay) {
    LoopbackPair input;
    g_link.stdin_socket = std::exchange(input.near_end, VEL_NO_SOCKET);
    const std::string line(64 * 1024, 'i');
    for (int i = 0; i < 200 && g_link.connected; ++i)
        write_stdin_line(line.data(), line.size());
    EXPECT_EQ(box_texts(), Lines{"vel: unable to write toward Ostra standard input.\n"});
    EXPECT_FALSE(g_link.connected);
    EXPECT_EQ(g_link.stdin_socket, VEL_NO_SOCKET);
}

} // namespace

// Every interpreter message and what it does to vel's state.
#include "link/messages.h"
#include "source_given.h"

#include "display/mouse/pointer.h"
#include "display/panes/panes.h"
#include "display/window/refresh.h"
#include "link/channel.h"
#include "link/launch.h"
#include "link/link_state.h"
#include "source/source.h"
#include "test_support.h"

#include <cstring>

namespace {

using Lines = std::vector<std::string>;

class Messages : public VelTest {
  protected:
    void SetUp() override {
        VelTest::SetUp();
        g_panes.command.lines = {"banner\n", "\n", "% "};
        g_panes.command.visible_rows = 10;
        g_panes.source.visible_rows = 20;
        g_link.run_vector = {"vel", "demo.rexx"};
        headless::set_host("devbox", {0x0100007f});
    }
    // The message arrives in a main-loop turn, which ends with the window
    // brought up to date.
    static int apply(const std::string& payload) {
        const int status = VEL_EXIT_STATUS(hnd_in_payload(payload));
        display_refresh();
        return status;
    }
    static const Lines& command() { return g_panes.command.lines; }
};

constexpr int kept_running = -1000;

} // namespace

TEST_F(Messages, SetSourceReplacesTheSourceAndForgetsTheFileMap) {
    given_file_map({{}, {}});
    g_panes.source.top_line = 7;
    EXPECT_EQ(apply("|set-source|a\nb"), kept_running);
    EXPECT_EQ(displayed_source().lines, (Lines{"a\n", "b"}));
    EXPECT_TRUE(displayed_source().file_map.empty());
    EXPECT_EQ(g_panes.source.top_line, 0);
    apply("|set-source|x\r\ny\r\n");
    EXPECT_EQ(displayed_source().lines, (Lines{"x\n", "y\n"}));
    apply("|set-source|");
    EXPECT_EQ(displayed_source().lines, Lines{""});
}

TEST_F(Messages, AddSourceAppendsLinesWithoutLineEnds) {
    apply("|set-source|a\nb");
    apply("|add-source|c\r\n");
    EXPECT_EQ(displayed_source().lines, (Lines{"a\n", "b", "c"}));
    apply("|add-source|d\r\r\ne\n\nf");
    EXPECT_EQ(displayed_source().lines, (Lines{"a\n", "b", "c", "d", "e", "", "f"}));
}

TEST_F(Messages, FirstStopSetsLineRoutineAndTitle) {
    apply("|stop-at|12 main");
    EXPECT_EQ(displayed_source().stop_line, 12);
    EXPECT_EQ(displayed_source().stop_routine, "main");
    EXPECT_EQ(headless::main_window().title, "vel @ devbox: stopped in main ---- file: demo.rexx");
    EXPECT_EQ(displayed_source().base_title, headless::main_window().title);
    EXPECT_EQ(g_pointer.remembered, 1);

    headless::main_window().title = "changed elsewhere";
    apply("|stop-at|14 main");
    EXPECT_EQ(displayed_source().stop_line, 14);
    EXPECT_EQ(headless::main_window().title, "changed elsewhere");

    apply("|stop-at|3 sub routine");
    EXPECT_EQ(displayed_source().stop_routine, "sub routine");
    EXPECT_EQ(headless::main_window().title,
              "vel @ devbox: stopped in sub routine ---- file: demo.rexx");
}

TEST_F(Messages, StopWithoutRoutineOrNumber) {
    apply("|stop-at|7");
    EXPECT_EQ(displayed_source().stop_line, 7);
    EXPECT_EQ(displayed_source().stop_routine, "");
    EXPECT_EQ(headless::main_window().title, "vel @ devbox: stopped in  ---- file: demo.rexx");
    apply("|stop-at|x main");
    EXPECT_EQ(displayed_source().stop_line, 0);
    g_link.run_vector = {"vel"};
    apply("|stop-at|1 other");
    EXPECT_EQ(headless::main_window().title, "vel @ devbox: stopped in other ---- file: ");
}

TEST_F(Messages, HaltAndStopUpFlags) {
    apply("|running|");
    EXPECT_TRUE(displayed_source().macro_running);
    EXPECT_EQ(g_pointer.shown, 2);
    apply("|halt-at|3 r");
    EXPECT_TRUE(displayed_source().macro_running);
    EXPECT_TRUE(displayed_source().macro_halted);
    EXPECT_EQ(g_pointer.remembered, 4);
    apply("|stop-up|2 caller");
    EXPECT_TRUE(displayed_source().stopped_up);
    EXPECT_FALSE(displayed_source().macro_running);
    EXPECT_FALSE(displayed_source().macro_halted);
    apply("|stop-at|4 r");
    EXPECT_FALSE(displayed_source().stopped_up);
    EXPECT_EQ(g_pointer.remembered, 1);
}

TEST_F(Messages, StopClearsTheErrorAndCentresTheSource) {
    Lines text(100, "x\n");
    std::string body;
    for (auto& l : text)
        body += l;
    apply("|set-source|" + body);
    apply("|error|");
    EXPECT_TRUE(displayed_source().error_reported);
    apply("|stop-at|50 main");
    EXPECT_FALSE(displayed_source().error_reported);
    EXPECT_EQ(g_panes.source.top_line, 40);
    apply("|stop-at|3 main");
    EXPECT_EQ(g_panes.source.top_line, 0);
}

TEST_F(Messages, ListPutsTheLineAQuarterDown) {
    apply("|set-source|" + std::string(50, '\n'));
    ASSERT_EQ(displayed_source().lines.size(), 50u);
    apply("|list|1000");
    EXPECT_EQ(g_panes.source.top_line, 44);
    apply("|list|30");
    EXPECT_EQ(g_panes.source.top_line, 25);
    apply("|list|");
    EXPECT_EQ(g_panes.source.top_line, 20); // from the current top
}

TEST_F(Messages, FileMapEntriesGrowTheMap) {
    apply("|file-map|2 120 180 119 C:/lib/my util.ost");
    ASSERT_EQ(displayed_source().file_map.size(), 3u);
    EXPECT_FALSE(displayed_source().file_map[0].file_name);
    EXPECT_FALSE(displayed_source().file_map[1].file_name);
    const FileMapEntry& e = displayed_source().file_map[2];
    EXPECT_EQ(e.first_line, 120);
    EXPECT_EQ(e.last_line, 180);
    EXPECT_EQ(e.line_offset, 119);
    EXPECT_EQ(e.file_name, "C:/lib/my util.ost");
    apply("|file-map|-1 1 2 3 x");
    EXPECT_EQ(displayed_source().file_map.size(), 3u);
    apply("|file-map|0 0 99 0   main.rexx");
    EXPECT_EQ(displayed_source().file_map[0].file_name, "main.rexx");
    EXPECT_EQ(file_map_entry_containing(150), 2);
    EXPECT_EQ(file_map_entry_containing(99), 0);
    EXPECT_EQ(file_map_entry_containing(100), -1);
    EXPECT_EQ(file_map_entry_containing(200), -1);
    EXPECT_EQ(file_map_offset_of("my util.ost"), 119);
    EXPECT_EQ(file_map_banner_at(120), 2);
    EXPECT_EQ(file_map_banner_at(0), -1);
}

TEST_F(Messages, AFileMapIndexNoTableCouldHoldEndsLikeAFailedAllocation) {
    EXPECT_EQ(apply("|file-map|999999 1 2 0 last.ost"), kept_running);
    EXPECT_EQ(displayed_source().file_map.size(), 1'000'000u);
    EXPECT_EQ(apply("|file-map|222222222 1 2 0 x.ost"), 1);
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text, "vel: No More Memory Available.");
    EXPECT_EQ(displayed_source().file_map.size(), 1'000'000u);
}

TEST_F(Messages, CommandPaneMessagesAppendedOrAbovePrompt) {
    g_panes.command.lines = {"x\n", "% "};
    apply("|mes|hello");
    EXPECT_EQ(command(), (Lines{"x\n", "hello\n", "% "}));
    apply("|mes|");
    EXPECT_EQ(command().size(), 3u);
    apply("|mes0|out\n");
    EXPECT_EQ(command(), (Lines{"x\n", "hello\n", "% \n", "out\n"}));
    apply("|prompt|");
    EXPECT_EQ(command(), (Lines{"x\n", "hello\n", "% \n", "out\n", "% "}));
}

TEST_F(Messages, FileNameAndDirectory) {
    g_link.run_vector = {"vel"};
    apply("|file-name|C:/m/demo.rexx");
    EXPECT_EQ(g_link.run_vector, (Lines{"vel", "C:/m/demo.rexx"}));
    apply("|file-name|other.rexx");
    EXPECT_EQ(g_link.run_vector, (Lines{"vel", "other.rexx"}));
    apply("|vel-cwd|C:\\work");
    EXPECT_EQ(g_link.interpreter_directory, "C:\\work");
}

TEST_F(Messages, EndClosesAndEndsVelOnlyWhenEditorDrivenWithoutError) {
    g_link.connected = false; // nothing to shut down in this test
    EXPECT_EQ(apply("|end|"), kept_running);
    EXPECT_EQ(command(), (Lines{"banner\n", "\n", "Ostra process exited\n", "% "}));
    apply("|quire|");
    EXPECT_TRUE(displayed_source().editor_driven);
    apply("|error|");
    EXPECT_EQ(apply("|end|"), kept_running);
    apply("|stop-at|1 main"); // a stop forgets the error
    EXPECT_EQ(apply("|end|"), 0);
}

TEST_F(Messages, ExitEndsVel) {
    EXPECT_EQ(apply("|exit|"), 0);
}

TEST_F(Messages, AnyDelimiterWorks) {
    apply("#stop-at#5 main");
    EXPECT_EQ(displayed_source().stop_line, 5);
    apply("|stop-at||");
    EXPECT_EQ(displayed_source().stop_routine, "");
}

TEST_F(Messages, FormatErrors) {
    const char* bad[] = {"|bogus|x", "|nodelim", "", "|stop|x", "|stop-at-x|1", "|STOP-AT|1", "|"};
    for (const char* payload : bad) {
        headless::stdout_bytes().clear();
        EXPECT_EQ(apply(payload), 1) << payload;
        EXPECT_EQ(headless::stdout_bytes(),
                  std::string("vel: invalid format in hnd_in().\n\"") + payload + "\"\n");
    }
}

TEST(CloseInterpreter, ShutsEverythingAndWaitsForInput) {
    reset_vel_state();
    given_stop(0, "main", StopKind::Halt, "", "devbox");
    close_interpreter(); // not connected: nothing
    EXPECT_TRUE(displayed_source().macro_running);
    g_link.connected = true;
    close_interpreter();
    display_refresh();
    EXPECT_FALSE(g_link.connected);
    EXPECT_FALSE(displayed_source().macro_running);
    EXPECT_FALSE(displayed_source().macro_halted);
    EXPECT_FALSE(displayed_source().stop_routine);
    EXPECT_EQ(headless::main_window().title, "vel @ devbox: waiting user input");
    EXPECT_EQ(g_pointer.remembered, 1);
}

namespace {

// An IPv4 address in network byte order from its four octets.
std::uint32_t ipv4(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    const std::uint8_t octets[4] = {a, b, c, d};
    std::uint32_t address;
    std::memcpy(&address, octets, 4);
    return address;
}

} // namespace

TEST(LinkAddress, AlwaysLoopback) {
    EXPECT_EQ(link_address_among({ipv4(192, 0, 2, 2), ipv4(127, 0, 1, 1)}), ipv4(127, 0, 1, 1));
    EXPECT_EQ(link_address_among({ipv4(192, 0, 2, 2), ipv4(10, 1, 1, 1)}), ipv4(127, 0, 0, 1));
    EXPECT_EQ(link_address_among({}), ipv4(127, 0, 0, 1));
    EXPECT_EQ(link_address_among({ipv4(127, 0, 0, 1), ipv4(127, 9, 9, 9)}), ipv4(127, 0, 0, 1));
}

TEST(LinkPeer, OnlyTheLoopbackNetworkIsLocal) {
    for (std::uint32_t local : {ipv4(127, 0, 0, 1), ipv4(127, 0, 1, 1), ipv4(127, 255, 255, 254)})
        EXPECT_TRUE(link_peer_is_local(local));
    for (std::uint32_t far : {ipv4(0, 0, 0, 0), ipv4(192, 0, 2, 2), ipv4(10, 0, 0, 1),
                              ipv4(126, 255, 255, 255), ipv4(128, 0, 0, 1), ipv4(1, 0, 0, 127)})
        EXPECT_FALSE(link_peer_is_local(far));
}

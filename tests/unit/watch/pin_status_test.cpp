// Pins written to the status file and brought back at the first stop of the
// next run, whole or from lines that are damaged.
#include "commands/status_file.h"
#include "platform/fs.h"
#include "watch_fixture.h"

namespace {

class PinStatusTest : public WatchTest {
  protected:
    static constexpr char kPath[] = "c:/proj/.vel_status";
    static std::string read() {
        const int fd = plat_fd_open_read(kPath);
        if (fd < 0) return "<none>";
        std::string text;
        char buffer[256];
        long n;
        while ((n = plat_fd_read(fd, buffer, sizeof buffer)) > 0)
            text.append(buffer, static_cast<std::size_t>(n));
        plat_fd_close(fd);
        return text;
    }
    static void write(const std::string& text) { headless::fake_fs_add_file(kPath, text); }
    // The next run of vel: no pins, no windows, the status file not read.
    static void next_run() {
        watch_reset();
        headless::floats_reset();
        g_status_file = StatusFileState{};
        forget_sent();
    }
};

} // namespace

TEST_F(PinStatusTest, PinsAreWrittenAndComeBackAtTheFirstStop) {
    vel_pin_create(1, 40, -3, TIP_SYMBOL, 0, 0, "", "demo.ost", "abc");
    vel_pin_create(1, 5, 6, TIP_EXPRESSION, 1, 70, "sub1", "lib.ost", "x.1 || 'a b'");
    vel_pin_create(0, 0, 0, TIP_SYMBOL, 0, 0, "", "", "lost");
    ASSERT_EQ(vel_status_save(kPath, Quiet::No), 0);
    const std::string written = read();
    EXPECT_EQ(written, "main demo.ost pin3 1 40 -3 0 0 0 - demo.ost abc\n"
                       "routine lib.ost pin3 1 5 6 1 1 70 sub1 lib.ost x.1 || 'a b'\n");

    next_run();
    vel_status_load_once();
    ASSERT_EQ(vel_pin_count(), 2);
    EXPECT_EQ(pin(0).expression, "abc");
    EXPECT_EQ(pin(0).frame, "");
    EXPECT_EQ(pin(0).y_offset, -3);
    EXPECT_EQ(pin(1).expression, "x.1 || 'a b'");
    EXPECT_EQ(pin(1).frame, "sub1");
    EXPECT_EQ(pin(1).mode, TIP_EXPRESSION);
    EXPECT_EQ(pin(1).watch, 1);
    EXPECT_EQ(pin(1).watch_y_offset, 70);
    // Placed, asked for, and the file written back the same.
    EXPECT_TRUE(plat_float_visible(pin(0).window));
    EXPECT_TRUE(plat_float_visible(pin(1).window));
    EXPECT_EQ(sent().size(), 1u);
    EXPECT_EQ(read(), written);
    vel_tip_answer("=5");
    EXPECT_EQ(pin_shown(0), "abc = 5");
    EXPECT_EQ(sent().back(), "tipeval @sub1 say (x.1 || 'a b')");
}

TEST_F(PinStatusTest, DamagedPinLinesMakeWhatTheyCanAndNothingBreaks) {
    write("main demo.ost pin3 1 2\n"
          "main demo.ost pin3\n"
          "main demo.ost pin3 1 2 3 4 5 6 - demo.ost\n"
          "main demo.ost pin3 x y z\n"
          "main demo.ost pin3 2147483647 2147483647 -2147483648 7 1 2147483647 - demo.ost big\n"
          "main demo.ost pin3 -2147483648 0 0 0 0 0 - demo.ost small\n"
          "main demo.ost pin3 1 0 0 0 0 0 " +
          std::string(200, 'f') +
          " demo.ost abc\n"
          "main demo.ost pin 1 40 0 0 demo.ost old form\n");
    vel_status_load_once();
    ASSERT_EQ(vel_pin_count(), 5);
    EXPECT_EQ(pin(0).expression, "") << "the scan took it: nothing follows the file";
    EXPECT_EQ(pin(1).expression, "big");
    EXPECT_EQ(pin(2).expression, "small");
    EXPECT_FALSE(plat_float_visible(pin(2).window)) << "its line is nowhere";
    EXPECT_EQ(pin(3).frame.size(), 63u);
    EXPECT_EQ(pin(4).expression, "old form");
    // The pass runs through all of them.
    while (g_pins.next_refresh >= 0)
        vel_tip_answer("=1");
    vel_pin_line_inserted(0, 0);
    vel_pin_reposition_all();
    EXPECT_EQ(pin(1).line_offset, 2147483647);
}

// The pin command lines, scanned as the status file writes them.
#include "commands/pins_scan.h"
#include "commands_fixture.h"

namespace {

TEST(PinScan, PinTakesFourNumbersAFileAndTheRest) {
    const std::optional<PinSpec> pin =
        pin_command_scan(PinForm::Pin, "pin 3 40 -2 1 demo.ost a b  ");
    ASSERT_TRUE(pin);
    EXPECT_EQ(pin->line_offset, 3);
    EXPECT_EQ(pin->x_offset, 40);
    EXPECT_EQ(pin->y_offset, -2);
    EXPECT_EQ(pin->mode, 1);
    EXPECT_EQ(pin->watch, 0);
    EXPECT_EQ(pin->watch_y_offset, 0);
    EXPECT_EQ(pin->frame, "");
    EXPECT_EQ(pin->file, "demo.ost");
    EXPECT_EQ(pin->expression, "a b  ");
}

TEST(PinScan, Pin2AndPin3TakeAFrameWhereADashMeansNone) {
    std::optional<PinSpec> pin = pin_command_scan(PinForm::Pin2, "pin2 1 2 3 0 sub1 lib.ost count");
    ASSERT_TRUE(pin);
    EXPECT_EQ(pin->frame, "sub1");
    EXPECT_EQ(pin->file, "lib.ost");
    EXPECT_EQ(pin->expression, "count");
    pin = pin_command_scan(PinForm::Pin2, "pin2 1 2 3 0 - lib.ost count");
    ASSERT_TRUE(pin);
    EXPECT_EQ(pin->frame, "");

    pin = pin_command_scan(PinForm::Pin3, "pin3 7 8 9 1 1 33 - demo.ost x.1 + y");
    ASSERT_TRUE(pin);
    EXPECT_EQ(pin->line_offset, 7);
    EXPECT_EQ(pin->x_offset, 8);
    EXPECT_EQ(pin->y_offset, 9);
    EXPECT_EQ(pin->mode, 1);
    EXPECT_EQ(pin->watch, 1);
    EXPECT_EQ(pin->watch_y_offset, 33);
    EXPECT_EQ(pin->frame, "");
    EXPECT_EQ(pin->file, "demo.ost");
    EXPECT_EQ(pin->expression, "x.1 + y");
}

TEST(PinScan, NamesAreCutAt63Characters) {
    const std::string long_name(70, 'f');
    const std::optional<PinSpec> pin =
        pin_command_scan(PinForm::Pin2, "pin2 1 2 3 0 " + long_name + " expr");
    ASSERT_TRUE(pin);
    EXPECT_EQ(pin->frame, std::string(63, 'f'));
    EXPECT_EQ(pin->file, "fffffff");
    EXPECT_EQ(pin->expression, "expr");
}

TEST(PinScan, ShortOrMisspelledLinesGiveNothing) {
    EXPECT_FALSE(pin_command_scan(PinForm::Pin, "PIN 1 2 3 4 x"));
    EXPECT_FALSE(pin_command_scan(PinForm::Pin, "pin 1 2 3 x y"));
    EXPECT_FALSE(pin_command_scan(PinForm::Pin, "pin 1 2 3 4"));
    EXPECT_FALSE(pin_command_scan(PinForm::Pin2, "pin2 1 2 3 4 frame"));
    EXPECT_FALSE(pin_command_scan(PinForm::Pin3, "pin3 1 2 3 4 5 frame file"));
    EXPECT_FALSE(pin_command_scan(PinForm::Pin3, std::string_view("pin3 1 2 3 4 5 6 a\0b c", 22)));
    EXPECT_FALSE(pin_command_scan(PinForm::Pin, ""));
}

TEST(PinScan, AFileWithNothingAfterItStillMakesAPin) {
    const std::optional<PinSpec> pin = pin_command_scan(PinForm::Pin, "pin 1 2 3 4 x");
    ASSERT_TRUE(pin);
    EXPECT_EQ(pin->file, "x");
    EXPECT_EQ(pin->expression, "");
}

} // namespace

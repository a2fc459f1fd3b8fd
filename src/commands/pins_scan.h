// The pin, pin2 and pin3 command lines (pin3 is also what the status file
// writes for each pin).
#pragma once

#include <optional>
#include <string>
#include <string_view>

enum class PinForm {
    Pin,  // "pin LINE X Y MODE FILE EXPRESSION"
    Pin2, // "pin2 LINE X Y MODE FRAME FILE EXPRESSION"
    Pin3, // "pin3 LINE X Y MODE WATCH WATCH_Y FRAME FILE EXPRESSION"
};

// The values vel_pin_create takes, in its order.
struct PinSpec {
    int line_offset = 0;
    int x_offset = 0;
    int y_offset = 0;
    int mode = 0;
    int watch = 0;
    int watch_y_offset = 0;
    std::string frame; // "-" in the line stands for none
    std::string file;
    std::string expression; // the rest of the line
};

// Scans a line as the C library's sscanf would with the form's format (the
// literal command word in lower case, numbers as "%d", names as "%63s"); the
// expression is whatever follows the last name and its spaces. Nothing when
// the scan falls short.
std::optional<PinSpec> pin_command_scan(PinForm form, std::string_view line);

// Pins in the status file, and pins keeping to their lines through edits.
#include "source/source.h"
#include "watch/pins.h"
#include "watch/watch.h"

#include <cstdint>
#include <cstdio>

std::string vel_pin_status_lines(const std::function<std::string(std::string_view)>& prefix_of) {
    std::string lines;
    for (const PinRecord& pin : g_pins.pins) {
        // Without a file the pin could not find its line again.
        if (pin.file.empty()) continue;
        lines += prefix_of(pin.file) + " pin3 ";
        for (const std::int32_t n :
             {pin.line_offset, pin.x_offset, pin.y_offset, pin.mode, pin.watch, pin.watch_y_offset})
            lines += std::to_string(n) + " ";
        lines += (pin.frame.empty() ? std::string("-") : pin.frame) + " " + pin.file + " " +
                 pin.expression + "\n";
    }
    return lines;
}

namespace {

// The pins of entry's file whose line is at or after `line` move by `step`.
void shift_pins(int entry, std::int32_t line, int step) {
    if (entry < 0 || entry >= static_cast<int>(displayed_source().file_map.size())) return;
    const FileMapEntry& file = displayed_source().file_map[static_cast<std::size_t>(entry)];
    if (!file.file_name) return;
    for (PinRecord& pin : g_pins.pins) {
        if (pin.file != *file.file_name) continue;
        if (std::int64_t{file.first_line} + pin.line_offset < line) continue;
        // An absurd offset from the status file stays where it is.
        if ((step > 0 && pin.line_offset == INT32_MAX) ||
            (step < 0 && pin.line_offset == INT32_MIN))
            continue;
        pin.line_offset += step;
    }
}

} // namespace

void vel_pin_line_inserted(int entry, std::int32_t line) {
    shift_pins(entry, line, +1);
}

void vel_pin_line_removed(int entry, std::int32_t line) {
    shift_pins(entry, line, -1);
}

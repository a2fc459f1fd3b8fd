#include "commands/pins_scan.h"

#include "commands/command_rows.h"
#include "watch/watch.h"

#include <cstdio>

std::optional<PinSpec> pin_command_scan(PinForm form, std::string_view line) {
    // The scan reads a C string: it ends at the first NUL byte.
    const std::string text(line.substr(0, line.find('\0')));
    int n[6] = {0, 0, 0, 0, 0, 0};
    char first[64] = "";
    char second[64] = "";
    int offset = 0;
    int scanned = 0;
    int needed = 0;
    switch (form) {
    case PinForm::Pin:
        scanned = std::sscanf(text.c_str(), "pin %d %d %d %d %63s %n", &n[0], &n[1], &n[2], &n[3],
                              second, &offset);
        needed = 5;
        break;
    case PinForm::Pin2:
        scanned = std::sscanf(text.c_str(), "pin2 %d %d %d %d %63s %63s %n", &n[0], &n[1], &n[2],
                              &n[3], first, second, &offset);
        needed = 6;
        break;
    case PinForm::Pin3:
        scanned = std::sscanf(text.c_str(), "pin3 %d %d %d %d %d %d %63s %63s %n", &n[0], &n[1],
                              &n[2], &n[3], &n[4], &n[5], first, second, &offset);
        needed = 8;
        break;
    }
    // %n is only reached, and the offset only set, when everything before
    // it matched.
    if (scanned < needed || offset == 0) return std::nullopt;
    PinSpec spec;
    spec.line_offset = n[0];
    spec.x_offset = n[1];
    spec.y_offset = n[2];
    spec.mode = n[3];
    spec.watch = n[4];
    spec.watch_y_offset = n[5];
    if (std::string_view(first) != "-") spec.frame = first;
    spec.file = second;
    spec.expression = text.substr(static_cast<std::size_t>(offset));
    return spec;
}

namespace {

bool create_pin(PinForm form, const CommandText& command) {
    // A line that does not scan makes no pin and says nothing.
    if (std::optional<PinSpec> pin = pin_command_scan(form, command.line)) {
        vel_pin_create(pin->line_offset, pin->x_offset, pin->y_offset, pin->mode, pin->watch,
                       pin->watch_y_offset, pin->frame, pin->file, pin->expression);
    }
    return true;
}

} // namespace

bool row_pin(const CommandText& command) {
    return create_pin(PinForm::Pin, command);
}

bool row_pin2(const CommandText& command) {
    return create_pin(PinForm::Pin2, command);
}

bool row_pin3(const CommandText& command) {
    return create_pin(PinForm::Pin3, command);
}

// The refresh pass: every pin asked again, one question at a time, each
// answer sending the next question.
#include "source/source.h"
#include "view/text_panes.h"
#include "watch/pins.h"
#include "watch/tip.h"
#include "watch/watch.h"

#include <cstdio>

namespace {

const char kOutOfScope[] = "(out of scope)";

bool valid(int index) {
    return index >= 0 && index < static_cast<int>(g_pins.pins.size());
}

// Asks for pin `index` and the ones after it until a question is out; pins
// that cannot be asked show "(out of scope)" on the way. Iterates rather
// than recursing: hundreds of pins of an unloaded file must not nest.
void refresh_from(int index) {
    for (int i = index; valid(i); ++i) {
        PinRecord& pin = g_pins.pins[static_cast<std::size_t>(i)];
        TipContext context;
        if (!pin.frame.empty()) {
            context.frame = pin.frame;
        } else {
            const int entry = pin_file_entry(pin);
            if (entry < 0) {
                pin_show_text(pin, kOutOfScope);
                continue;
            }
            context.file_index = entry;
        }
        g_pins.next_refresh = i;
        vel_tip_probe(pin.expression, pin.mode, context, {REQUEST_PIN, i});
        return;
    }
    g_pins.next_refresh = -1;
}

} // namespace

void vel_pin_refresh_all() {
    // A pass whose question was pushed out of the request queue can never
    // be answered; it no longer counts as running.
    if (g_pins.next_refresh >= 0 && g_tip.requests.holds(REQUEST_PIN)) return;
    if (g_pins.pins.empty()) return;
    refresh_from(0);
}

void pin_refresh_lost() {
    g_pins.next_refresh = -1;
}

void vel_pin_update(int index, const std::string& answer) {
    if (!valid(index)) {
        g_pins.next_refresh = -1;
        return;
    }
    PinRecord& pin = g_pins.pins[static_cast<std::size_t>(index)];
    if (!answer.empty() && answer[0] == '\x02') {
        // The frame the pin was made in is no longer on the stack.
        pin.value.clear();
        pin_show_text(pin, kOutOfScope);
    } else {
        if (pin.mode == TIP_EXPRESSION)
            pin.value = cut_text(answer, PIN_VALUE_CUT);
        else
            pin.value = !answer.empty() && answer[0] == '='
                            ? cut_text(answer.substr(1), PIN_VALUE_CUT)
                            : std::string();
        pin_show_text(pin, vel_tip_format(pin.expression, pin.mode, pin.frame, answer));
    }
    refresh_from(index + 1);
}

void vel_pin_edit_result(const std::string& answer) {
    if (!g_pins.pending_edit) return;
    g_pins.pending_edit = false;
    if (!answer.empty() && answer[0] == '\x02') {
        const std::string frame = g_pins.edit_frame.empty() ? "that frame" : g_pins.edit_frame;
        char message[200];
        std::snprintf(message, sizeof message,
                      "Edit: %.60s is no longer on the stack -- %.60s not changed", frame.c_str(),
                      g_pins.edit_variable.c_str());
        command_pane_print(message);
    } else if (!answer.empty()) {
        command_pane_print(answer);
    }
    vel_pin_refresh_all();
}

// Tip questions, pin refreshes, pin edits, deletions and "tipval" answers in
// any order, with answers that are missing, surplus or garbage. Nothing may
// crash, the request queue never holds more than its 32, and while the
// interpreter answers every question in order (and no question was pushed
// out of a full queue) each answer lands where its question came from: a
// tip question's in the tip, a pin question's in the pin that had that
// index, an edit's in the command pane.
//
// The stand-in interpreter here answers question n with a value naming n,
// so where a value shows says which question it was taken for.
#include "display/panes/panes.h"
#include "display/window/layout.h"
#include "link/link_state.h"
#include "platform/headless/canvas.h"
#include "platform/headless/floats_control.h"
#include "platform/headless/headless.h"
#include "pretend_interpreter.h"
#include "runtime/places.h"
#include "settings/fonts.h"
#include "source/source.h"
#include "source/source_write.h"
#include "source_given.h"
#include "startup/reset_state.h"
#include "watch/pins.h"
#include "watch/tip.h"
#include "watch/watch.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

namespace {

enum class Asker { Tip, Pin, Edit };

struct Question {
    int tag = 0;
    Asker asker = Asker::Tip;
    int pin_index = -1; // for a pin: its index when it was asked for
};

struct Harness {
    std::deque<Question> pending; // sent, not yet answered, oldest first
    int next_tag = 0;
    int pins_made = 0;
    // False once an answer went missing, a garbage answer took a question's
    // place, or the queue dropped a question: pairing is then off by design
    // until everything sent has been answered.
    bool in_sync = true;
};

void check(bool ok) {
    if (!ok) std::abort();
}

void open_display() {
    g_fonts.text = {0, 8, 16, 4};
    g_fonts.button = {0, 6, 10, 2};
    if (!display_register_window_class() || !display_create_main_window(10, 10)) std::abort();
    headless::set_main_window_geometry({10, 10, 816, 639}, 800, 600);
    g_layout.frame_width_overhead = 16;
    g_layout.frame_height_overhead = 39;
    display_create_panes();
    pretend::connect();
    g_link.run_vector = {"vel", "demo.ost"};
    // Deleting and dragging pins saves the status file: on a fake disk.
    headless::fake_fs_enable();
    headless::fake_fs_add_dir("c:/proj");
    g_places.start_directory = "c:/proj";
    given_source({"abc = 5\n", "total = abc + 1\n", "say total\n", "x.1 = 2\n"});
    given_file_map({{0, 3, 0, std::string("demo.ost")}});
    given_stop(-1, "main");
    pane_redraw(g_panes.source);
    g_panes.command.lines = {"% "};
}

// Who asked each new frame: an assignment is an edit's, a question naming
// a pin's expression ("pN") is that pin's, any other question the tip's.
void record_sent(Harness& h) {
    for (const std::string& frame : pretend::commands_sent()) {
        if (frame.rfind("interpret ", 0) == 0) continue; // no answer comes
        Question q;
        q.tag = h.next_tag++;
        const std::size_t name = frame.find("(p");
        if (frame.back() == ';' && frame.find(" = \"") != std::string::npos) {
            q.asker = Asker::Edit;
        } else if (name != std::string::npos) {
            q.asker = Asker::Pin;
            const std::string expression = frame.substr(name + 1, frame.find(')', name) - name - 1);
            for (std::size_t i = 0; i < g_pins.pins.size(); ++i)
                if (g_pins.pins[i].expression == expression) q.pin_index = static_cast<int>(i);
        }
        h.pending.push_back(q);
        if (h.pending.size() > 32) h.in_sync = false; // the queue forgot one
    }
    // What is left over from the messages is not needed again.
    g_panes.command.lines = {"% "};
}

std::string tag_text(int tag) {
    return "Q" + std::to_string(tag);
}

void answer_oldest(Harness& h) {
    if (h.pending.empty()) {
        // A surplus answer is the tip's: no pin may change.
        const bool nothing_asked = h.in_sync && g_tip.requests.size() == 0;
        std::vector<std::string> values;
        for (const PinRecord& pin : g_pins.pins)
            values.push_back(pin.value);
        vel_tip_answer("=surplus");
        if (nothing_asked) {
            for (std::size_t i = 0; i < values.size(); ++i)
                check(g_pins.pins[i].value == values[i]);
            check(g_tip.text.size() >= 7 && g_tip.text.substr(g_tip.text.size() - 7) == "surplus");
        }
        return;
    }
    const Question q = h.pending.front();
    h.pending.pop_front();
    const std::string value = tag_text(q.tag);
    const bool was_pending_edit = g_pins.pending_edit;
    const int pins_before = vel_pin_count();
    g_panes.command.lines = {"% "};
    vel_tip_answer("=" + value);
    if (h.in_sync) {
        switch (q.asker) {
        case Asker::Tip:
            check(g_tip.text.size() >= value.size() &&
                  g_tip.text.compare(g_tip.text.size() - value.size(), value.size(), value) == 0);
            break;
        case Asker::Pin:
            if (q.pin_index >= 0 && q.pin_index < pins_before) {
                // An expression pin keeps the whole answer, a symbol pin what
                // follows its "=".
                const PinRecord& pin = g_pins.pins[static_cast<std::size_t>(q.pin_index)];
                check(pin.value == (pin.mode == TIP_EXPRESSION ? "=" + value : value));
            }
            break;
        case Asker::Edit: {
            bool printed = false;
            for (const std::string& line : g_panes.command.lines)
                if (line.find("=" + value) != std::string::npos) printed = true;
            check(printed == was_pending_edit);
            break;
        }
        }
    }
    record_sent(h);
    if (h.pending.empty() && g_tip.requests.size() == 0) h.in_sync = true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    headless::reset();
    vel_reset_all_state();
    open_display();
    Harness h;
    std::size_t at = 0;
    auto next = [&]() -> int { return at < size ? data[at++] : 0; };
    while (at < size) {
        const int op = next();
        switch (op % 9) {
        case 0: { // the pointer rests somewhere in the source pane
            const int row = next() % 6;
            const int column = next() % 90;
            const int x = g_panes.source.text_x + column * 8 - 40 + 4;
            vel_tip_hover(x, row * 16 + 8);
            vel_tip_show_timer();
            break;
        }
        case 1: { // a pin by command
            const int how = next();
            const std::string file = how & 1 ? "demo.ost" : (how & 2 ? "gone.ost" : "");
            const std::string frame = how & 4 ? "main" : "";
            vel_pin_create(how % 5, 10, 0, (how >> 3) & 1, (how >> 4) & 1, 5, frame, file,
                           "p" + std::to_string(h.pins_made++));
            break;
        }
        case 2:
            vel_pin_refresh_all();
            break;
        case 3: { // an edit in place
            if (vel_pin_count() == 0) break;
            headless::script_edit_box({EditBoxEnd::Entered, "v\"" + std::to_string(next())});
            vel_pin_edit_open(next() % vel_pin_count());
            break;
        }
        case 4:
            answer_oldest(h);
            break;
        case 5: // the interpreter never answers the oldest question
            if (!h.pending.empty()) {
                h.pending.pop_front();
                h.in_sync = false;
            }
            break;
        case 6:
            if (vel_pin_count() > 0) vel_pin_delete(next() % vel_pin_count());
            break;
        case 7: { // a garbage answer of up to 699 bytes
            const std::size_t length = std::min<std::size_t>(next() * 3, size - at);
            const std::string garbage(reinterpret_cast<const char*>(data + at), length);
            at += length;
            vel_tip_answer(garbage.substr(0, 699));
            if (!h.pending.empty()) h.pending.pop_front();
            h.in_sync = false;
            break;
        }
        case 8: // the pane scrolls, which moves the pins
            pane_set_top_line(g_panes.source, next() % 4);
            break;
        }
        record_sent(h);
        check(g_tip.requests.size() <= 32);
        // A pass waits for its pin's answer even when the pin was deleted
        // meanwhile; with nothing left to answer it must be over.
        if (g_tip.requests.size() == 0) check(g_pins.next_refresh == -1);
        if (h.pending.empty() && g_tip.requests.size() == 0) h.in_sync = true;
    }
    // Everything still pending answered in order: nothing breaks.
    while (!h.pending.empty())
        answer_oldest(h);
    return 0;
}

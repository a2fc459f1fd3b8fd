#include "commands/inspect_session.h"

#include "commands/command_text.h"
#include "link/link_features.h"
#include "link/link_state.h"
#include "runtime/strings.h"
#include "source/source.h"
#include "view/inspect_view.h"
#include "view/text_panes.h"
#include "watch/watch.h"

#include <algorithm>

InspectSession g_inspect;

namespace {

using Clock = std::chrono::steady_clock;

bool nothing_pending() {
    return g_inspect.vars_pending.empty() && g_inspect.frames_pending == 0;
}

void send(const std::string& command) {
    if (nothing_pending()) g_inspect.asked_at = Clock::now();
    command_send(command);
}

void ask_frames() {
    if (g_inspect.frames_pending > 0) {
        // One question at a time: the answer on its way may already be
        // stale, so the stack is asked once more when it comes.
        g_inspect.frames_again = true;
        return;
    }
    send(inspect::StackModel::ask());
    ++g_inspect.frames_pending;
}

void ask_vars(const std::string& command, VarsAsk purpose) {
    send(command);
    g_inspect.vars_pending.push_back(purpose);
}

// The pane asks for what changed since its rows when the interpreter can
// say: a stop after a step then carries a few variables, not all of them.
bool by_changes() {
    return link_offers("varchanges");
}

bool stopped_with_link() {
    return g_link.connected && !displayed_source().macro_running;
}

// The frame this stop is expected to select (the innermost, or the one a
// click on the stack chose), when the last stack has it.
std::optional<std::int64_t> frame_ahead(bool new_stop) {
    const std::int64_t frame = new_stop ? 0 : g_inspect.stack.selected();
    if (frame < 0 || std::size_t(frame) >= g_inspect.stack.row_count()) return std::nullopt;
    return frame;
}

// The pane's rows of `frame`, asked for by changes before the stack names
// the frame: the command that asks.
std::string ask_ahead(std::int64_t frame) {
    g_inspect.ahead_frame = frame;
    return g_inspect.vars.ask(frame, g_inspect.stack.frame_key(std::size_t(frame)), true);
}

// Right after the stack's question: the variables of the frame this stop
// selects (the innermost, or the one a click on the stack chose), named as
// the last stack named it. Only changes can be asked for so: a frame named
// wrongly still gets its changes right, as the interpreter counts them
// from the rows it sent last, whichever frame they were.
void ask_vars_ahead(bool new_stop) {
    if (!by_changes() || g_inspect.frames_pending != 1 || g_inspect.frames_again) return;
    if (std::optional<std::int64_t> frame = frame_ahead(new_stop))
        ask_vars(ask_ahead(*frame), VarsAsk::Ahead);
}

// The pane wants its lists with each stop while it is shown, from an
// interpreter that can send them so.
void want_stop_lists() {
    const bool want = g_inspect.shown && g_link.connected && link_offers("stoplists");
    if (want == g_inspect.stop_lists_asked) return;
    g_inspect.stop_lists_asked = want;
    command_send(want ? "stoplists on" : "stoplists off");
}

// The stop message came with both lists behind it: they are taken as the
// answers to the questions a stop asks (the variables' as asked ahead), so
// that the answers to questions sent before the stop, which come after
// them, keep their places behind.
void expect_stop_lists(bool new_stop) {
    if (nothing_pending()) g_inspect.asked_at = Clock::now();
    ++g_inspect.frames_pending;
    const auto& pending = g_inspect.vars_pending;
    const std::optional<std::int64_t> frame =
        g_inspect.shown &&
                std::find(pending.begin(), pending.end(), VarsAsk::Ahead) == pending.end()
            ? frame_ahead(new_stop)
            : std::nullopt;
    if (frame) ask_ahead(*frame); // the command is the one the stop's lists answer
    g_inspect.vars_pending.push_front(frame ? VarsAsk::Ahead : VarsAsk::Dropped);
}

// The stack that answers the question sent before the pane's: true when the
// pane's question was for the frame it selects (its rows then take the
// frame's name); otherwise the answer on its way is dropped. There is one
// such question at most: the next is sent only with the next stack's.
bool ahead_was_right(const lists::FrameList& list) {
    const auto ahead =
        std::find(g_inspect.vars_pending.begin(), g_inspect.vars_pending.end(), VarsAsk::Ahead);
    if (ahead == g_inspect.vars_pending.end()) return false;
    const std::int64_t selected = g_inspect.stack.selected();
    const bool right = !list.frames.empty() && selected == g_inspect.ahead_frame;
    if (right) g_inspect.vars.rekey(g_inspect.stack.frame_key(std::size_t(selected)));
    *ahead = right ? VarsAsk::Pane : VarsAsk::Dropped;
    return right;
}

// An answer came: the wait for the rest starts again.
void answered() {
    g_inspect.asked_at = Clock::now();
}

void print_list(const lists::VarList& list) {
    if (list.failure != lists::VarFailure::none) {
        command_pane_print(list.reason.empty() ? std::string(inspect_unreadable) : list.reason);
        return;
    }
    inspect::VariablesModel printed;
    printed.ask(list.frame, {});
    printed.take(list);
    const std::string text = printed.all_text();
    if (text.empty()) {
        command_pane_print("no variables");
        return;
    }
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        command_pane_print(std::string_view(text).substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
}

// The questions of a stop: the stack, and the variables ahead of it when
// they can be.
void ask_at_stop(bool new_stop) {
    if (!link_offers("frames") || !link_offers("vars")) {
        g_inspect.stack.unavailable(inspect_not_supported);
        g_inspect.vars.unavailable(inspect_not_supported);
        inspect_view_changed();
        return;
    }
    ask_frames();
    ask_vars_ahead(new_stop);
}

} // namespace

void inspect_set_shown(bool shown) {
    if (g_inspect.shown == shown) return;
    g_inspect.shown = shown;
    inspect_view_shown_changed();
    want_stop_lists();
    if (shown && stopped_with_link()) ask_at_stop(false);
}

void inspect_features_known() {
    want_stop_lists();
    // A stop that came before the answer found nothing offered.
    if (g_inspect.shown && stopped_with_link()) ask_at_stop(false);
}

void inspect_stop_lists_answered(bool on) {
    g_inspect.stop_lists_come = on;
}

void inspect_stopped(bool new_stop) {
    if (new_stop) g_inspect.vars.stopped();
    // Sent with the stop whether the panes show them or not.
    if (g_inspect.stop_lists_come) return expect_stop_lists(new_stop);
    if (g_inspect.shown) ask_at_stop(new_stop);
}

void inspect_framelist(const std::optional<lists::FrameList>& list) {
    if (g_inspect.frames_pending > 0) --g_inspect.frames_pending;
    answered();
    if (!list) {
        g_inspect.stack.unavailable(inspect_unreadable);
        ahead_was_right({});
        g_inspect.print_waiting = false;
        inspect_view_changed();
        return;
    }
    g_inspect.stack.take(*list);
    const bool asked_ahead = ahead_was_right(*list);
    if (g_inspect.frames_again) {
        g_inspect.frames_again = false;
        ask_frames();
    }
    const std::int64_t selected = g_inspect.stack.selected();
    const std::string key = g_inspect.stack.frame_key(std::size_t(selected));
    if (g_inspect.print_waiting) {
        g_inspect.print_waiting = false;
        ask_vars("vars " + std::to_string(selected), VarsAsk::Print);
    }
    if (g_inspect.shown && g_inspect.frames_pending == 0 && !asked_ahead) {
        if (list->frames.empty())
            g_inspect.vars.clear();
        else
            ask_vars(g_inspect.vars.ask(selected, key, by_changes()), VarsAsk::Pane);
    }
    inspect_view_changed();
}

namespace {

// Whose answer came: the pane's or the print command's. One that comes after
// its question was given up on is taken as the pane's: the model drops what
// is not for the frame it shows.
VarsAsk answer_purpose() {
    VarsAsk purpose = VarsAsk::Pane;
    answered();
    if (!g_inspect.vars_pending.empty()) {
        purpose = g_inspect.vars_pending.front();
        g_inspect.vars_pending.pop_front();
    }
    return purpose;
}

} // namespace

void inspect_varchanges(const std::optional<lists::VarChanges>& changes) {
    // Only the pane asks for changes; an answer in a print's place means the
    // pairing is lost, and the pane is what can show it.
    if (answer_purpose() == VarsAsk::Dropped) return;
    if (!changes) {
        g_inspect.vars.unavailable(inspect_unreadable);
    } else if (std::optional<std::string> again = g_inspect.vars.take(*changes)) {
        if (stopped_with_link()) ask_vars(*again, VarsAsk::Pane);
    }
    inspect_view_changed();
}

void inspect_varlist(const std::optional<lists::VarList>& list) {
    const VarsAsk purpose = answer_purpose();
    if (purpose == VarsAsk::Dropped) return;
    if (purpose == VarsAsk::Print) {
        if (list)
            print_list(*list);
        else
            command_pane_print(inspect_unreadable);
        return;
    }
    if (!list) {
        g_inspect.vars.unavailable(inspect_unreadable);
    } else {
        g_inspect.vars.take(*list);
    }
    inspect_view_changed();
}

void inspect_select_frame(std::size_t index) {
    if (!stopped_with_link() || index >= g_inspect.stack.row_count()) return;
    // Each up or down is answered by a stop-up, which asks for the stack
    // and the frame's variables again.
    for (const std::string& command : g_inspect.stack.select(index))
        command_send(command);
    inspect_view_changed();
}

void inspect_toggle_stem(std::size_t row) {
    const std::optional<std::string> command = g_inspect.vars.toggle(row);
    if (command && stopped_with_link()) ask_vars(*command, VarsAsk::Pane);
    inspect_view_changed();
}

void inspect_rows_shown(std::size_t first, std::size_t count) {
    if (!stopped_with_link()) return;
    for (const std::string& command : g_inspect.vars.wanted(first, count))
        ask_vars(command, VarsAsk::Pane);
}

bool inspect_edit_value(std::size_t row, const std::string& value) {
    if (!stopped_with_link() || row >= g_inspect.vars.row_count()) return false;
    const inspect::VarRow r = g_inspect.vars.row(row);
    if (r.stem || (r.tail && !r.loaded)) return false;
    const std::string name = r.tail ? r.stem_name + r.name : r.name;
    const bool symbol = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return is_rexx_symbol_char(static_cast<unsigned char>(c));
    });
    if (!symbol) return false;
    // The interpreter runs `interpret` in the selected frame, the one the
    // pane shows, and answers nothing; the list asked next shows the value.
    command_send("interpret " + name + " = " + rexx_literal(value) + ";");
    const std::int64_t frame = g_inspect.stack.selected();
    ask_vars(g_inspect.vars.ask(frame, g_inspect.stack.frame_key(std::size_t(frame)), by_changes()),
             VarsAsk::Pane);
    return true;
}

void inspect_print_variables() {
    if (!link_offers("frames") || !link_offers("vars")) {
        command_pane_print(inspect_not_supported);
        return;
    }
    g_inspect.print_waiting = true;
    ask_frames();
}

bool inspect_check_timeout(Clock::time_point now) {
    if (nothing_pending() || now - g_inspect.asked_at < inspect_answer_wait) return false;
    if (g_inspect.frames_pending > 0) g_inspect.stack.unavailable(inspect_no_answer);
    const auto& pending = g_inspect.vars_pending;
    if (std::any_of(pending.begin(), pending.end(),
                    [](VarsAsk a) { return a == VarsAsk::Pane || a == VarsAsk::Ahead; }))
        g_inspect.vars.unavailable(inspect_no_answer);
    if (g_inspect.print_waiting || std::count(pending.begin(), pending.end(), VarsAsk::Print))
        command_pane_print(inspect_no_answer);
    g_inspect.vars_pending.clear();
    g_inspect.frames_pending = 0;
    g_inspect.frames_again = false;
    g_inspect.print_waiting = false;
    inspect_view_changed();
    return true;
}

int inspect_wait_left_ms(Clock::time_point now) {
    if (nothing_pending()) return -1;
    const auto left = inspect_answer_wait - (now - g_inspect.asked_at);
    return std::max(
        0, static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count()) + 1);
}

void inspect_forget() {
    const bool shown = g_inspect.shown;
    g_inspect = InspectSession{};
    g_inspect.shown = shown;
    inspect_view_changed();
}

#include "link/messages.h"

#include "commands/breakpoints.h"
#include "display/panes.h"
#include "display/pointer.h"
#include "display/toolbar.h"
#include "edit/edit_state.h"
#include "link/frame.h"
#include "link/launch.h"
#include "link/lines.h"
#include "link/link_state.h"
#include "link/source.h"
#include "link/streams.h"
#include "platform/net.h"
#include "platform/ui.h"
#include "startup/fatal.h"
#include "startup/main_loop.h"
#include "startup/startup_state.h"
#include "watch/watch.h"

#include <cstdio>
#include <string_view>

namespace {

constexpr std::size_t tip_value_limit = 699;
constexpr std::size_t host_name_buffer = 100;

// "%d" at the start of the text: leading blanks, a sign, digits.
bool read_number(std::string_view& text, int& value) {
    std::string bounded(text.substr(0, 64));
    int consumed = 0;
    if (std::sscanf(bounded.c_str(), "%d%n", &value, &consumed) != 1) return false;
    text.remove_prefix(static_cast<std::size_t>(consumed));
    return true;
}

// The body after `words` space-separated words and the spaces after them.
std::string_view after_words(std::string_view body, int words) {
    for (int w = 0; w < words; ++w) {
        while (!body.empty() && body.front() == ' ')
            body.remove_prefix(1);
        std::size_t space = body.find(' ');
        if (space == std::string_view::npos) return {};
        body.remove_prefix(space);
    }
    while (!body.empty() && body.front() == ' ')
        body.remove_prefix(1);
    return body;
}

std::string_view without_line_ends(std::string_view text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.remove_suffix(1);
    return text;
}

void set_source(std::string_view body) {
    g_source.lines = split_lines(body.data(), body.size());
    g_source.file_map.clear();
    edit_forget_loaded();
    g_panes.source.top_line = 0;
    pane_update_scroll_bar(g_panes.source);
}

void add_source(std::string_view body) {
    std::vector<std::string> added = split_lines(body.data(), body.size());
    for (std::string& line : added) {
        g_source.lines.emplace_back(without_line_ends(line));
    }
    source_pane_clear();
    pane_update_scroll_bar(g_panes.source);
}

enum class StopKind { At, Up, Halt };

void show_routine_in_title(const std::string& routine) {
    if (!g_source.stop_routine) {
        std::string name;
        plat_host_name(name, host_name_buffer);
        g_source.host_name = name;
    }
    g_source.stop_routine = routine;
    const std::vector<std::string>& run = g_link.run_vector;
    std::string title = "vel @ " + g_source.host_name + ": stopped in " + routine +
                        " ---- file: " + (run.size() > 1 ? run[1] : std::string());
    plat_main_window_set_title(title);
    g_source.base_title = title;
    edit_update_title();
}

void stop(std::string_view body, StopKind kind) {
    g_source.stop_line = 0;
    g_source.error_reported = false;
    std::string_view rest = body;
    int line = 0;
    if (read_number(rest, line)) g_source.stop_line = line;
    g_source.stop_line = edit_from_loaded(g_source.stop_line);

    g_source.stopped_up = kind == StopKind::Up;
    const bool halted = kind == StopKind::Halt;
    g_source.macro_halted = halted;
    g_source.macro_running = halted;
    const int pointer = halted ? POINTER_INPUT : POINTER_ARROW;
    toolbar_refresh();
    pointer_set_state(pointer);

    const std::size_t space = body.find(' ');
    std::string routine;
    if (space != std::string_view::npos) {
        std::string_view r = body.substr(space);
        while (!r.empty() && r.front() == ' ')
            r.remove_prefix(1);
        routine = r;
    }
    if (!g_source.stop_routine || *g_source.stop_routine != routine) show_routine_in_title(routine);

    pane_centre_on_line(g_source.stop_line);
    if (!g_source.first_stop_seen) {
        g_source.first_stop_seen = true;
        vel_status_load_once();
    }
    vel_pin_refresh_all();
}

// No interpreter loads a million files; an index beyond this is a table the
// process could not hold and ends vel as any failed allocation does, before
// the attempt swallows the machine's memory.
constexpr int file_map_index_limit = 1'000'000;

void file_map(std::string_view body) {
    int numbers[4] = {0, 0, 0, 0};
    std::string bounded(body);
    std::sscanf(bounded.c_str(), "%d %d %d %d", &numbers[0], &numbers[1], &numbers[2], &numbers[3]);
    const int index = numbers[0];
    if (index >= file_map_index_limit) vel_memory_exhausted();
    if (index >= 0) {
        std::vector<FileMapEntry>& map = g_source.file_map;
        if (static_cast<std::size_t>(index) >= map.size())
            map.resize(static_cast<std::size_t>(index) + 1);
        FileMapEntry& entry = map[static_cast<std::size_t>(index)];
        entry.first_line = numbers[1];
        entry.last_line = numbers[2];
        entry.line_offset = numbers[3];
        entry.file_name = std::string(after_words(body, 4));
    }
    edit_file_map_arrived();
}

void list(std::string_view body) {
    Pane& source = g_panes.source;
    int line = source.top_line;
    read_number(body, line);
    const int count = static_cast<int>(g_source.lines.size());
    int top = std::min(line, count - 1) - source.visible_rows / 4;
    source.top_line = std::max(top, 0);
    pane_redraw(source);
}

// The macro's last output may still be on its way when the end message is
// read (the two travel on different connections): take in what arrives
// until the stream falls quiet or closes, or the closing would lose it.
void drain_macro_output() {
    constexpr long long quiet_ms = 50;
    if (g_link.stdout_ended) return;
    while (wait_readable(g_link.stdout_socket, quiet_ms) == 0 && read_stdout_chunk() > 0) {
    }
}

void end_of_macro() {
    if (g_link.connected) drain_macro_output();
    pane_add_message(g_panes.command, "Ostra process exited", MessagePlace::AbovePrompt);
    close_interpreter();
    if (g_source.editor_driven && !g_source.error_reported) vel_exit(0);
}

void prompt() {
    Pane& command = g_panes.command;
    command.lines.push_back(g_panes.prompt);
    command.has_lines = true;
    pane_redraw(command);
    pane_follow_end(command);
}

void file_name(std::string_view body) {
    std::vector<std::string>& run = g_link.run_vector;
    if (run.empty()) run.emplace_back("vel");
    if (run.size() < 2) run.emplace_back();
    run[1] = std::string(body);
}

void stopin_set(std::string_view body) {
    int id = 0, line = 0;
    if (read_number(body, id) && read_number(body, line)) vel_bp_on_stopin_set(id, line);
}

[[noreturn]] void format_error(std::string_view payload) {
    print_out("vel: invalid format in hnd_in().\n");
    // The payload is shown as a C string would be: up to its first NUL.
    std::string shown(payload);
    print_out("\"%s\"\n", shown.c_str());
    vel_exit(1);
}

using Handler = void (*)(std::string_view body);

struct Keyword {
    std::string_view name;
    Handler handle;
};

const Keyword keywords[] = {
    {"set-source", set_source},
    {"add-source", add_source},
    {"refresh", [](std::string_view) { vel_pin_refresh_all(); }},
    {"stop-at", [](std::string_view body) { stop(body, StopKind::At); }},
    {"stop-up", [](std::string_view body) { stop(body, StopKind::Up); }},
    {"halt-at", [](std::string_view body) { stop(body, StopKind::Halt); }},
    {"running",
     [](std::string_view) {
         g_source.macro_running = true;
         rxarrow(POINTER_BUSY);
         toolbar_refresh();
     }},
    {"file-name", file_name},
    {"vel-cwd", [](std::string_view body) { g_startup.interpreter_directory = std::string(body); }},
    {"list", list},
    {"exit", [](std::string_view) { vel_exit(0); }},
    {"error", [](std::string_view) { g_source.error_reported = true; }},
    {"end", [](std::string_view) { end_of_macro(); }},
    {"mes0",
     [](std::string_view body) { pane_add_message(g_panes.command, body, MessagePlace::Append); }},
    {"mes",
     [](std::string_view body) {
         pane_add_message(g_panes.command, body, MessagePlace::AbovePrompt);
     }},
    {"tipval",
     [](std::string_view body) {
         vel_tip_answer(std::string(without_line_ends(body.substr(0, tip_value_limit))));
     }},
    {"prompt", [](std::string_view) { prompt(); }},
    {"stop-set",
     [](std::string_view body) {
         int line = 0;
         if (read_number(body, line)) vel_bp_on_stop_set(line);
     }},
    {"stopin-set", stopin_set},
    {"quire", [](std::string_view) { g_source.editor_driven = true; }},
    {"file-map", file_map},
};

} // namespace

void hnd_in_payload(std::string_view payload) {
    if (payload.empty()) format_error(payload);
    const char delimiter = payload[0];
    const std::size_t second = payload.find(delimiter, 1);
    if (second == std::string_view::npos) format_error(payload);
    const std::string_view keyword = payload.substr(1, second - 1);
    const std::string_view body = payload.substr(second + 1);
    for (const Keyword& k : keywords) {
        if (k.name == keyword) {
            k.handle(body);
            return;
        }
    }
    format_error(payload);
}

void hnd_in() {
    std::optional<std::string> payload = read_message(g_link.message_socket, ReadPolicy::Main);
    if (!payload) return;
    hnd_in_payload(*payload);
}

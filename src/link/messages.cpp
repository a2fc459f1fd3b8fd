#include "link/messages.h"

#include "link/frame.h"
#include "link/launch.h"
#include "link/link_end.h"
#include "link/link_events.h"
#include "link/link_features.h"
#include "link/link_state.h"
#include "link/streams.h"
#include "link/wait_readable.h"
#include "platform/net.h"
#include "platform/ui.h"
#include "runtime/fatal.h"
#include "runtime/scan_number.h"
#include "runtime/strings.h"
#include "runtime/words.h"
#include "source/source.h"
#include "source/source_write.h"
#include "view/text_panes.h"

#include "framelist.h"
#include "varchanges.h"
#include "varlist.h"

#include <cstdio>
#include <string_view>

namespace {

constexpr std::size_t tip_value_limit = 699;
constexpr std::size_t host_name_buffer = 100;

// A decimal number at the start of the text (leading blanks, a sign,
// digits); the text then goes on after it.
bool read_number(std::string_view& text, int& value) {
    const std::optional<int> number = scan_int(text, text);
    if (number) value = *number;
    return number.has_value();
}

void set_source(std::string_view body) {
    source_set(body);
    link_source_replaced();
}

void add_source(std::string_view body) {
    source_add(body);
}

void stop(std::string_view body, StopKind kind) {
    SourceStop stop;
    stop.kind = kind;
    std::string_view rest = body;
    int line = 0;
    if (read_number(rest, line)) stop.loaded_line = line;

    const std::size_t space = body.find(' ');
    if (space != std::string_view::npos) {
        std::string_view r = body.substr(space);
        while (!r.empty() && r.front() == ' ')
            r.remove_prefix(1);
        stop.routine = r;
    }
    const std::vector<std::string>& run = g_link.run_vector;
    stop.run_file = run.size() > 1 ? run[1] : std::string();
    // The host name is read again at the first stop of each connection.
    if (!displayed_source().stop_routine) {
        std::string name;
        plat_host_name(name, host_name_buffer);
        stop.host_name = std::move(name);
    }
    link_stopped(source_stop(stop));
}

// No interpreter loads a million files; an index beyond this is a table the
// process could not hold and ends vel as any failed allocation does, before
// the attempt swallows the machine's memory.
constexpr int file_map_index_limit = 1'000'000;

void file_map(std::string_view body) {
    // Four numbers, as many as can be read; the missing ones are 0.
    int numbers[4] = {0, 0, 0, 0};
    std::string_view rest = body;
    for (int& number : numbers)
        if (!read_number(rest, number)) break;
    const int index = numbers[0];
    if (index >= file_map_index_limit) vel_memory_exhausted();
    if (index >= 0)
        source_map_file(static_cast<std::size_t>(index),
                        {numbers[1], numbers[2], numbers[3], std::string(text_from_word(body, 4))});
    link_file_map_arrived();
}

void list(std::string_view body) {
    int line = 0;
    if (!read_number(body, line)) {
        source_ask_show(std::nullopt, ShowAt::Quarter);
        return;
    }
    const int count = static_cast<int>(displayed_source().lines.size());
    source_ask_show(std::min(line, count - 1), ShowAt::Quarter);
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
    command_pane_print("Ostra process exited");
    close_interpreter();
    if (displayed_source().editor_driven && !displayed_source().error_reported) link_end_vel(0);
}

void file_name(std::string_view body) {
    std::vector<std::string>& run = g_link.run_vector;
    if (run.empty()) run.emplace_back("vel");
    if (run.size() < 2) run.emplace_back();
    run[1] = std::string(body);
}

void stopin_set(std::string_view body) {
    int id = 0, line = 0;
    if (read_number(body, id) && read_number(body, line)) link_routine_breakpoint_set(id, line);
}

// "caught NAME LINE RC", a line feed, then the condition's description.
void caught(std::string_view body) {
    const std::size_t line_end = body.find('\n');
    const std::string_view head = body.substr(0, line_end);
    const std::string_view description =
        line_end == std::string_view::npos ? std::string_view() : body.substr(line_end + 1);
    const std::vector<WordSpan> words = split_words(head);
    if (words.size() < 2) return;
    const auto word = [&](std::size_t i) {
        return i < words.size() ? head.substr(words[i].start, words[i].size) : std::string_view();
    };
    const std::optional<int> line = scan_int(word(1));
    link_condition_caught(std::string(word(0)), line.value_or(-1), std::string(word(2)),
                          std::string(description));
}

void message(std::string_view body) {
    // vel's own question, not the user's: its refusal is not shown.
    if (link_features_refused(body)) return;
    command_pane_print(body);
}

void format_error(std::string_view payload) {
    print_out("vel: invalid format in hnd_in().\n");
    // The payload is shown as a C string would be: up to its first NUL.
    std::string shown(payload);
    print_out("\"%s\"\n", shown.c_str());
    link_end_vel(1);
}

using Handler = void (*)(std::string_view body);

struct Keyword {
    std::string_view name;
    Handler handle;
};

const Keyword keywords[] = {
    {"set-source", set_source},
    {"add-source", add_source},
    {"refresh", [](std::string_view) { link_refresh_asked(); }},
    {"stop-at", [](std::string_view body) { stop(body, StopKind::At); }},
    {"stop-up", [](std::string_view body) { stop(body, StopKind::Up); }},
    {"halt-at", [](std::string_view body) { stop(body, StopKind::Halt); }},
    {"running", [](std::string_view) { source_set_run(RunChange::Running); }},
    {"file-name", file_name},
    {"vel-cwd", [](std::string_view body) { g_link.interpreter_directory = std::string(body); }},
    {"list", list},
    {"exit", [](std::string_view) { link_end_vel(0); }},
    {"error", [](std::string_view) { source_set_run(RunChange::Error); }},
    {"end", [](std::string_view) { end_of_macro(); }},
    {"mes0", [](std::string_view body) { command_pane_append(body); }},
    {"mes", message},
    {"features", link_features_answered},
    {"caught", caught},
    {"tipval",
     [](std::string_view body) {
         link_tip_value(std::string(without_line_ends(body.substr(0, tip_value_limit))));
     }},
    {"prompt", [](std::string_view) { command_pane_new_prompt(); }},
    {"stop-set",
     [](std::string_view body) {
         int line = 0;
         if (read_number(body, line)) link_line_breakpoint_set(line);
     }},
    {"stopin-set", stopin_set},
    {"quire",
     [](std::string_view) {
         // Kill, open, run and rerun stop being offered at once, not at the
         // next stop.
         source_set_run(RunChange::EditorDriven);
     }},
    {"file-map", file_map},
    // Answers to questions vel asks only of an interpreter that offers
    // them. A body that cannot be read is the panes' to report: the link
    // carries on.
    {"varlist", [](std::string_view body) { link_var_list(lists::decode_varlist(body)); }},
    {"varchanges", [](std::string_view body) { link_var_changes(lists::decode_varchanges(body)); }},
    {"framelist", [](std::string_view body) { link_frame_list(lists::decode_framelist(body)); }},
    {"stoplists", [](std::string_view body) { link_stop_lists(body == "on"); }},
};

} // namespace

void hnd_in_payload(std::string_view payload) {
    if (payload.empty()) return format_error(payload);
    const char delimiter = payload[0];
    const std::size_t second = payload.find(delimiter, 1);
    if (second == std::string_view::npos) return format_error(payload);
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
    std::optional<std::string> payload = read_message_ahead(g_link.message_socket);
    if (!payload) return;
    hnd_in_payload(*payload);
}

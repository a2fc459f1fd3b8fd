#include "commands/break_forms.h"

#include "commands/breakpoints.h"
#include "commands/command.h"
#include "link/link_features.h"
#include "link/link_state.h"
#include "runtime/scan_number.h"
#include "runtime/words.h"
#include "source/line_map.h"
#include "source/source.h"
#include "view/text_panes.h"

#include <algorithm>

BreakFormsTable g_break_forms;

namespace {

constexpr std::size_t kLongestText = 4096;
constexpr std::int64_t kLargestCount = 999'999'999;
const char kNotSupported[] = "not supported by this interpreter";

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

bool same_word(std::string_view a, std::string_view b) {
    return ascii_lowered(a) == ascii_lowered(b);
}

std::optional<std::string> count_fault(std::string_view word, std::string_view count) {
    if (count.empty()) return std::string(word) + " needs a count";
    if (!std::all_of(count.begin(), count.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return "the count of " + std::string(word) + " is not a whole number from 1 to 999999999";
    std::int64_t value = 0;
    for (char c : count) {
        value = value * 10 + (c - '0');
        if (value > kLargestCount) break;
    }
    if (value < 1 || value > kLargestCount)
        return "the count of " + std::string(word) + " is not a whole number from 1 to 999999999";
    return std::nullopt;
}

std::optional<std::string> condition_fault(std::string_view words) {
    bool counted = false;
    std::string_view rest = trimmed(words);
    while (!rest.empty()) {
        const std::size_t end = rest.find(' ');
        const std::string_view word = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : trimmed(rest.substr(end));
        if (same_word(word, "if")) {
            if (rest.empty()) return std::string("if needs an expression");
            return std::nullopt; // the expression is the rest, whatever it holds
        }
        if (same_word(word, "after") || same_word(word, "every")) {
            if (counted) return std::string("after and every cannot be combined");
            counted = true;
            const std::size_t count_end = rest.find(' ');
            if (std::optional<std::string> fault = count_fault(word, rest.substr(0, count_end)))
                return fault;
            rest = count_end == std::string_view::npos ? std::string_view()
                                                       : trimmed(rest.substr(count_end));
            continue;
        }
        return "unknown word \"" + std::string(word) + "\"";
    }
    return std::nullopt;
}

std::optional<std::string> text_fault(std::string_view text) {
    if (trimmed(text).empty()) return std::string("a logpoint needs a text");
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '}') {
            if (i + 1 < text.size() && text[i + 1] == '}') {
                ++i;
                continue;
            }
            return std::string("a } without its {");
        }
        if (text[i] != '{') continue;
        if (i + 1 < text.size() && text[i + 1] == '{') {
            ++i;
            continue;
        }
        const std::size_t close = text.find('}', i + 1);
        if (close == std::string_view::npos) return std::string("a { without its }");
        if (trimmed(text.substr(i + 1, close - i - 1)).empty())
            return std::string("an empty {} in the text");
        i = close;
    }
    return std::nullopt;
}

// The interpreter's (0-based) line that "stop at N" names: line N of the
// file the macro is stopped in (the main file when it is not stopped).
std::optional<std::int32_t> asked_line(bool displayed, int number) {
    if (number < 1) return std::nullopt;
    if (displayed) return number - 1;
    const auto& source = displayed_source();
    int file = source.stop_line >= 0 ? file_map_entry_containing(source.stop_line) : 0;
    if (file < 0 || static_cast<std::size_t>(file) >= source.file_map.size()) file = 0;
    if (source.file_map.empty()) return number - 1;
    const std::int64_t line =
        std::int64_t{source.file_map[static_cast<std::size_t>(file)].line_offset} + number - 1;
    if (line < 0 || line > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(line);
}

} // namespace

std::optional<std::string> break_options_fault(const BreakOptions& options) {
    if (options.words.size() > kLongestText) return std::string("the text is over 4096 bytes long");
    return options.log ? text_fault(options.words) : condition_fault(options.words);
}

bool break_group_ready(std::string_view group, const CommandText& command) {
    switch (g_link_features.answer) {
    case FeaturesAnswer::Pending:
        g_break_forms.held.push_back(command.line);
        return false;
    case FeaturesAnswer::NotAsked:
    case FeaturesAnswer::Known:
        break;
    }
    if (link_offers(group)) return true;
    command_pane_print(kNotSupported);
    return false;
}

void vel_break_forms_release() {
    std::vector<std::string> lines = std::move(g_break_forms.held);
    g_break_forms.held.clear();
    for (const std::string& line : lines)
        vel_command(line.data(), static_cast<int>(line.size()));
}

bool row_break_form(const CommandText& c) {
    const std::string word = ascii_lowered(c.word(0));
    const bool log = word == "trace" || word == "tracev";
    const bool displayed = word == "stopv" || word == "tracev";
    const std::optional<int> number = scan_int(c.word(2));
    if (!number || (c.count() < 4 && log)) return false;
    if (c.count() < 4) {
        // A plain stop at N: the interpreter's own.
        command_send(c.line);
        if (displayed) vel_bp_requested(*number);
        return true;
    }
    BreakOptions options{log, std::string(trimmed(c.from_word(3)))};
    if (std::optional<std::string> fault = break_options_fault(options)) {
        command_pane_print("Breakpoint not set: " + *fault + ".");
        return true;
    }
    if (!break_group_ready("breaks", c)) return true;
    const std::optional<std::int32_t> line = asked_line(displayed, *number);
    command_send(word + " at " + std::to_string(*number) + " " + options.words);
    if (line) {
        if (displayed) vel_bp_requested(*number);
        g_break_forms.asked.emplace_back(*line, std::move(options));
    }
    return true;
}

bool vel_break_stop_in_form(const CommandText& c) {
    // The first of after, every and if starts the options.
    int first = -1;
    for (int i = 3; i < c.count() && first < 0; ++i)
        for (const char* option : {"after", "every", "if"})
            if (same_word(c.word(i), option)) first = i;
    if (first < 0) return false;
    // One routine, or a file and its line.
    if (first > 4 || (first == 4 && !scan_int(c.word(3)))) {
        command_invalid(c);
        return true;
    }
    const BreakOptions options{false, std::string(trimmed(c.from_word(first)))};
    if (std::optional<std::string> fault = break_options_fault(options)) {
        command_pane_print("Breakpoint not set: " + *fault + ".");
        return true;
    }
    if (!break_group_ready("breaks", c)) return true;
    std::vector<std::string> words = c.word_list();
    words.resize(static_cast<std::size_t>(first));
    vel_bp_stop_in_with(words, options.words);
    return true;
}

void vel_break_forms_confirmed(std::int32_t line) {
    std::vector<std::pair<std::int32_t, BreakOptions>>& asked = g_break_forms.asked;
    // The request for this very line, else the nearest one above it (the
    // interpreter moves a breakpoint down to the next line that has an
    // instruction).
    auto best = asked.end();
    for (auto it = asked.begin(); it != asked.end(); ++it) {
        if (it->first > line) continue;
        if (best == asked.end() || it->first > best->first) best = it;
    }
    if (best == asked.end()) {
        // A line of a file asked for with "stop in FILE N ..." is confirmed
        // as a line breakpoint.
        for (const RoutineBreakpoint& entry : g_breakpoints.routines) {
            if (entry.id != -1 || entry.options.empty()) continue;
            const std::optional<std::int32_t> offset = file_map_offset_of(entry.name);
            if (offset && std::int64_t{*offset} + entry.line == line) {
                g_break_forms.confirmed[line] = BreakOptions{false, entry.options};
                return;
            }
        }
        g_break_forms.confirmed.erase(line);
        return;
    }
    g_break_forms.confirmed[line] = std::move(best->second);
    asked.erase(best);
}

const BreakOptions* vel_break_options_of_entry(std::size_t index) {
    const std::vector<std::int32_t>& lines = g_breakpoints.lines;
    if (index >= lines.size() || lines[index] == -1) return nullptr;
    const auto found = g_break_forms.confirmed.find(vel_bp_held_line(index));
    return found == g_break_forms.confirmed.end() ? nullptr : &found->second;
}

namespace {

// A routine breakpoint that asks more than a stop, confirmed at the label
// on this displayed line: its label carries the mark of a condition.
const RoutineBreakpoint* routine_asking_more_at(std::int32_t displayed_line) {
    for (const RoutineBreakpoint& entry : g_breakpoints.routines)
        if (entry.id >= 0 && entry.line >= 0 && !entry.options.empty() &&
            source_from_loaded(entry.line) == displayed_line)
            return &entry;
    return nullptr;
}

} // namespace

BreakMark vel_bp_mark(std::int32_t displayed_line) {
    const bool marked = vel_bp_marked(displayed_line);
    if (marked) {
        const std::vector<std::int32_t>& lines = g_breakpoints.lines;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i] != displayed_line) continue;
            if (const BreakOptions* options = vel_break_options_of_entry(i))
                return options->log ? BreakMark::Log : BreakMark::Conditional;
        }
    }
    if (routine_asking_more_at(displayed_line)) return BreakMark::Conditional;
    return marked ? BreakMark::Plain : BreakMark::None;
}

std::string vel_bp_mark_tip(std::int32_t displayed_line) {
    if (displayed_line < 0) return {};
    const std::vector<std::int32_t>& lines = g_breakpoints.lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] != displayed_line) continue;
        if (const BreakOptions* options = vel_break_options_of_entry(i))
            return (options->log ? "log " : "stop ") + options->words;
    }
    if (const RoutineBreakpoint* entry = routine_asking_more_at(displayed_line))
        return "stop in " + entry->name + " " + entry->options;
    return {};
}

std::string vel_break_command(std::int64_t line_from_1, const BreakOptions* options) {
    if (!options) return "stopv at " + std::to_string(line_from_1);
    return (options->log ? "tracev at " : "stopv at ") + std::to_string(line_from_1) + " " +
           options->words;
}

void vel_break_forms_forget_asked() {
    g_break_forms.asked.clear();
}

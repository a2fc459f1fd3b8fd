#include "commands/command.h"

#include "commands/aliases.h"
#include "commands/command_rows.h"
#include "commands/command_text.h"
#include "runtime/strings.h"
#include "view/selection.h"
#include "view/text_panes.h"

#include <algorithm>
#include <optional>

CommandState g_commands;

namespace {

constexpr int kMostNesting = 150;

// One level of vel_command; the level is given back on every way out,
// including the end of the program thrown through it in tests.
class NestingLevel {
  public:
    NestingLevel() { ++g_commands.depth; }
    ~NestingLevel() {
        if (--g_commands.depth == 0) g_commands.depth_exceeded = false;
    }
    NestingLevel(const NestingLevel&) = delete;
    NestingLevel& operator=(const NestingLevel&) = delete;
    bool refused() const { return g_commands.depth > kMostNesting; }
};

// Replaces the words ".sel" and ".selw" after the command word by the
// selection, its lines joined by blanks. A line with a placeholder is
// rebuilt from its words joined by single spaces; a line without one comes
// back as it was. Nothing when a placeholder is there and no text is
// selected.
std::optional<std::string> with_selection(std::string_view line) {
    const CommandText text = command_text(std::string(line));
    std::string joined;
    bool replaced = false;
    for (int i = 0; i < text.count(); ++i) {
        const std::string_view word = text.word(i);
        if (i > 0) joined += ' ';
        if (i > 0 && (word == ".sel" || word == ".selw")) {
            std::optional<std::string> selected =
                word == ".sel" ? selection_text() : selection_extended_text();
            if (!selected) return std::nullopt;
            joined += joined_on_one_line(*selected);
            replaced = true;
        } else {
            joined += word;
        }
    }
    if (!replaced) return std::string(line);
    return joined;
}

void run_line(std::string_view raw) {
    const std::size_t first = raw.find_first_not_of(' ');
    if (first == std::string_view::npos || raw[first] == '#') return;

    std::optional<std::string> line = with_selection(raw.substr(first));
    if (!line) {
        command_pane_print("No valid selection.");
        return;
    }
    CommandText command = command_text(std::move(*line));
    // Only the lookup sees the command word lowered; forwarded lines keep
    // the user's capitals.
    std::string word = ascii_lowered(command.word(0));

    if (const AliasEntry* alias = alias_lookup(word)) {
        // The expansion takes the place of the command word; the rest of
        // the line, from the space after it, follows unchanged. The new
        // command word is not lowered and not expanded again.
        std::string expanded = alias->expansion;
        const CommandText::Word& head = command.words.front();
        expanded.append(command.line, head.start + head.size);
        // A quoted expansion may begin with spaces; forwarded lines never do.
        expanded.erase(0, std::min(expanded.find_first_not_of(' '), expanded.size()));
        command = command_text(std::move(expanded));
        word = std::string(command.word(0));
    }

    // A line ending in a semicolon is REXX for the interpreter to run, except
    // a key definition, whose text may well end in one.
    if (!command.line.empty() && command.line.back() == ';' && word != "set") {
        command_send("interpret " + command.line);
        return;
    }
    command_dispatch(command, word);
}

} // namespace

void command_refuse_nesting(std::string_view text) {
    g_commands.depth_exceeded = true;
    command_pane_append("Too many recursion levels on command " + std::string(text));
}

void vel_command(const char* text, int length) {
    const std::string_view raw = text && length > 0
                                     ? std::string_view(text, static_cast<std::size_t>(length))
                                     : std::string_view();
    NestingLevel level;
    if (level.refused()) {
        command_refuse_nesting(raw);
        return;
    }
    run_line(raw);
}

void vel_command_source(const std::string& path) {
    NestingLevel level;
    if (level.refused() || g_commands.depth_exceeded) {
        command_refuse_nesting("source " + path);
        return;
    }
    command_source_file(path);
}

void vel_command_typed(const std::string& command) {
    // Without a selection the placeholders stay, so that vel_command
    // reports them.
    const std::string line = with_selection(command).value_or(command);
    const CommandEcho echo = command_pane_echo(line);
    vel_command(line.data(), static_cast<int>(line.size()));
    command_pane_echo_done(echo);
}

void vel_command_bound(const std::string& binding, bool shift) {
    if (command_run_key_action(binding, shift)) return;
    vel_command_typed(binding);
}

bool vel_command_available(std::string_view line) {
    const CommandText text = command_text(std::string(line));
    return command_available(ascii_lowered(text.word(0)));
}

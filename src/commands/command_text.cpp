#include "commands/command_text.h"

#include "display/panes.h"
#include "link/frame.h"
#include "link/link_state.h"
#include "runtime/strings.h"

#include <algorithm>
#include <climits>
#include <cstdint>

std::string_view CommandText::word(int index) const {
    if (index < 0 || index >= count()) return {};
    const Word& w = words[static_cast<std::size_t>(index)];
    return std::string_view(line).substr(w.start, w.size);
}

std::string_view CommandText::from_word(int index) const {
    if (index < 0 || index >= count()) return {};
    return std::string_view(line).substr(words[static_cast<std::size_t>(index)].start);
}

std::vector<std::string> CommandText::word_list() const {
    std::vector<std::string> list;
    list.reserve(words.size());
    for (int i = 0; i < count(); ++i)
        list.emplace_back(word(i));
    return list;
}

CommandText command_text(std::string line) {
    CommandText text;
    text.line = std::move(line);
    const std::string& s = text.line;
    std::size_t at = 0;
    while (at < s.size()) {
        if (s[at] == ' ') {
            ++at;
            continue;
        }
        const std::size_t end = std::min(s.find(' ', at), s.size());
        text.words.push_back({at, end - at});
        at = end;
    }
    return text;
}

bool read_int(std::string_view text, int& value) {
    std::size_t i = 0;
    const auto is_space = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    while (i < text.size() && is_space(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t digits = i;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        // Past 2^32 the value is clamped anyway; stop growing before it
        // could overflow.
        if (magnitude < (std::int64_t{1} << 33)) magnitude = magnitude * 10 + (text[i] - '0');
    }
    if (i == digits) return false;
    const std::int64_t signed_value = negative ? -magnitude : magnitude;
    value = static_cast<int>(std::clamp<std::int64_t>(signed_value, INT_MIN, INT_MAX));
    return true;
}

std::string ascii_lowered(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered)
        c = ascii_lower(c);
    return lowered;
}

bool is_symbol_char(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    switch (c) {
    case '@':
    case '#':
    case '$':
    case '.':
    case '!':
    case '?':
    case '_':
    case 0xA8:
        return true;
    default:
        return false;
    }
}

void command_print(std::string_view message) {
    pane_add_message(g_panes.command, message, MessagePlace::AbovePrompt);
}

void command_append(std::string_view message) {
    pane_add_message(g_panes.command, message, MessagePlace::Append);
}

void command_invalid(const CommandText& command) {
    command_print(">>>>> Invalid command: `" + command.line + "'");
}

void command_send(std::string_view text) {
    // A closed connection keeps its old socket numbers, and the system may
    // already have given them to another file; when nothing is connected
    // the send goes nowhere and fails the way it would on a closed socket.
    const vel_socket socket = g_link.connected ? g_link.command_socket : VEL_NO_SOCKET;
    const int length = static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
    vel_send(socket, text.data(), length, Report::Yes);
}

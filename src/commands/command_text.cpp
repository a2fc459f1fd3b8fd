#include "commands/command_text.h"

#include "link/frame.h"
#include "link/link_state.h"
#include "runtime/strings.h"
#include "view/text_panes.h"

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
    text.words = split_words(text.line);
    return text;
}

std::string ascii_lowered(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered)
        c = ascii_lower(c);
    return lowered;
}

void command_invalid(const CommandText& command) {
    command_pane_print(">>>>> Invalid command: `" + command.line + "'");
}

void command_send(std::string_view text) {
    // A closed connection keeps its old socket numbers, and the system may
    // already have given them to another file; when nothing is connected
    // the send goes nowhere and fails the way it would on a closed socket.
    const vel_socket socket = g_link.connected ? g_link.command_socket : VEL_NO_SOCKET;
    const int length = static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
    vel_send(socket, text.data(), length, Report::Yes);
}

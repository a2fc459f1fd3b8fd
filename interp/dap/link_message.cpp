#include "link_message.h"

#include <charconv>

namespace dap {

std::optional<LinkMessage> link_message_of(std::string_view payload) {
    if (payload.size() < 2) return std::nullopt;
    std::size_t end = payload.find(payload[0], 1);
    if (end == std::string_view::npos) return std::nullopt;
    return LinkMessage{std::string(payload.substr(1, end - 1)),
                       std::string(payload.substr(end + 1))};
}

std::optional<long> leading_number(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    long value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc()) return std::nullopt;
    return value;
}

} // namespace dap

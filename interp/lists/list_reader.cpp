#include "list_reader.h"

namespace lists {

std::optional<std::int64_t> ListReader::number(bool signed_ok) {
    std::size_t at = 0;
    const bool negative = signed_ok && !rest_.empty() && rest_[0] == '-';
    if (negative) at = 1;
    std::int64_t value = 0;
    std::size_t digits = 0;
    while (at < rest_.size() && rest_[at] >= '0' && rest_[at] <= '9') {
        if (++digits > 18) return std::nullopt;
        value = value * 10 + (rest_[at] - '0');
        ++at;
    }
    if (digits == 0) return std::nullopt;
    rest_.remove_prefix(at);
    return negative ? -value : value;
}

bool ListReader::separator(char c) {
    if (rest_.empty() || rest_[0] != c) return false;
    rest_.remove_prefix(1);
    return true;
}

std::optional<std::string> ListReader::bytes(std::int64_t length) {
    if (length < 0 || std::uint64_t(length) > rest_.size()) return std::nullopt;
    std::string taken(rest_.substr(0, std::size_t(length)));
    rest_.remove_prefix(std::size_t(length));
    return taken;
}

std::optional<std::string> ListReader::word() {
    std::size_t end = rest_.find_first_of(" \n");
    if (end == std::string_view::npos) end = rest_.size();
    if (end == 0) return std::nullopt;
    std::string taken(rest_.substr(0, end));
    rest_.remove_prefix(end);
    return taken;
}

std::string decimal(std::int64_t n) {
    return std::to_string(n);
}

} // namespace lists

// An interpreter's message: "|keyword|body", where the first byte is the
// delimiter the interpreter chose.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dap {

struct LinkMessage {
    std::string keyword;
    std::string body;
};

// Nothing when the payload has no second delimiter.
std::optional<LinkMessage> link_message_of(std::string_view payload);

// The leading decimal number of `text` (blanks before it skipped), as the
// link's "%d" reads it.
std::optional<long> leading_number(std::string_view text);

} // namespace dap

#include "inspect/value_text.h"

namespace inspect {

namespace {

bool prints(unsigned char c) {
    if (c < 0x20 || c == 0x7f) return false;
    // Code page 1252 has no character for these.
    return c != 0x81 && c != 0x8d && c != 0x8f && c != 0x90 && c != 0x9d;
}

} // namespace

std::string escaped_value(std::string_view value) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(value.size());
    for (char ch : value) {
        const auto c = static_cast<unsigned char>(ch);
        if (prints(c)) {
            out += ch;
            continue;
        }
        switch (c) {
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\0':
            out += "\\0";
            break;
        default:
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string cut_with_dots(std::string_view text, std::size_t width) {
    if (text.size() <= width) return std::string(text);
    if (width < 4) return std::string(width, '.');
    return std::string(text.substr(0, width - 3)) + "...";
}

} // namespace inspect

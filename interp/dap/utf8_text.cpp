#include "utf8_text.h"

namespace dap {

namespace {

// The length of the valid UTF-8 sequence at `at`, 0 when there is none, or
// -1 when the bytes there could start one that has not fully come.
int sequence_at(std::string_view s, std::size_t at) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char c = b(at);
    if (c < 0x80) return 1;
    int n = c >= 0xC2 && c <= 0xDF   ? 2
            : c >= 0xE0 && c <= 0xEF ? 3
            : c >= 0xF0 && c <= 0xF4 ? 4
                                     : 0;
    if (n == 0) return 0;
    for (int k = 1; k < n; ++k) {
        if (at + std::size_t(k) >= s.size()) return -1;
        unsigned char d = b(at + std::size_t(k));
        if ((d & 0xC0) != 0x80) return 0;
        // Overlong forms, surrogates and code points past U+10FFFF.
        if (k == 1 && ((c == 0xE0 && d < 0xA0) || (c == 0xED && d > 0x9F) ||
                       (c == 0xF0 && d < 0x90) || (c == 0xF4 && d > 0x8F)))
            return 0;
    }
    return n;
}

void latin1(std::string& out, unsigned char c) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
}

// Converts `s`; with `keep_tail`, an unfinished sequence at the end is left
// in `tail` instead of being converted byte by byte.
std::string convert(std::string_view s, bool keep_tail, std::string* tail) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t at = 0; at < s.size();) {
        int n = sequence_at(s, at);
        if (n < 0 && keep_tail) {
            tail->assign(s.substr(at));
            break;
        }
        if (n <= 0) {
            latin1(out, static_cast<unsigned char>(s[at]));
            ++at;
        } else {
            out.append(s.substr(at, std::size_t(n)));
            at += std::size_t(n);
        }
    }
    return out;
}

} // namespace

std::string utf8_of(std::string_view bytes) {
    return convert(bytes, false, nullptr);
}

std::string Utf8Stream::take(std::string_view chunk) {
    std::string all = carry_;
    all.append(chunk);
    carry_.clear();
    return convert(all, true, &carry_);
}

std::string Utf8Stream::finish() {
    std::string rest = utf8_of(carry_);
    carry_.clear();
    return rest;
}

} // namespace dap

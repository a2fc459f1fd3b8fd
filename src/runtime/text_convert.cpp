#include "runtime/text_convert.h"

#include <cstdint>

namespace {

// Bytes 0x80 to 0x9F of code page 1252. The rest of the code page is
// ISO 8859-1, whose bytes equal their code points.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

char16_t widen(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
    return byte;
}

// The byte for a wide character, or '?' when code page 1252 has none.
char narrow(char16_t wide) {
    if (wide < 0x80 || (wide >= 0xA0 && wide <= 0xFF)) return static_cast<char>(wide);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == wide) return static_cast<char>(0x80 + i);
    }
    return '?';
}

bool is_high_surrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool is_low_surrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

constexpr char32_t kReplacement = 0xFFFD;

void append_utf16(std::u16string& out, char32_t code) {
    if (code < 0x10000) {
        out.push_back(static_cast<char16_t>(code));
        return;
    }
    code -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
}

void append_utf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// Decodes one UTF-8 sequence at text[i], moving i past it. Overlong forms,
// surrogates and values above U+10FFFF are malformed: they give U+FFFD and
// consume only the lead byte, so that a valid character after a cut
// sequence is not swallowed.
char32_t decode_utf8(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80) return lead;
    int extra;
    char32_t code;
    char32_t least;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1, code = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2, code = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3, code = lead & 0x07, least = 0x10000;
    } else {
        return kReplacement;
    }
    const std::size_t start = i;
    for (int k = 0; k < extra; ++k) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            i = start;
            return kReplacement;
        }
        code = (code << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        i = start;
        return kReplacement;
    }
    return code;
}

} // namespace

std::u16string text_cp1252_to_utf16(std::string_view narrow_text) {
    std::u16string wide;
    wide.reserve(narrow_text.size());
    for (char c : narrow_text)
        wide.push_back(widen(static_cast<unsigned char>(c)));
    return wide;
}

std::u16string text_to_wide(std::string_view narrow_text) {
    std::u16string wide = text_cp1252_to_utf16(narrow_text);
    for (char16_t& c : wide) {
        if (c == u'/') c = u'\\';
    }
    return wide;
}

std::string text_from_wide(std::u16string_view wide) {
    std::string out;
    out.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const char16_t c = wide[i];
        if (is_high_surrogate(c) && i + 1 < wide.size() && is_low_surrogate(wide[i + 1])) {
            ++i; // the pair is one character outside the code page
            out.push_back('?');
            continue;
        }
        out.push_back(narrow(c));
    }
    return out;
}

std::u16string text_utf8_to_wide(std::string_view utf8) {
    std::u16string wide;
    wide.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size())
        append_utf16(wide, decode_utf8(utf8, i));
    return wide;
}

std::string text_utf8_from_wide(std::u16string_view wide) {
    std::string out;
    out.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const char16_t c = wide[i];
        if (is_high_surrogate(c) && i + 1 < wide.size() && is_low_surrogate(wide[i + 1])) {
            const char32_t code = 0x10000 + ((char32_t(c) - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            append_utf8(out, code);
            ++i;
        } else if (is_high_surrogate(c) || is_low_surrogate(c)) {
            append_utf8(out, kReplacement);
        } else {
            append_utf8(out, c);
        }
    }
    return out;
}

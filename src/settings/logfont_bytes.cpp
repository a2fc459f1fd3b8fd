#include "settings/logfont_bytes.h"

#include <cstring>

namespace {

void put32(std::string& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>((bits >> shift) & 0xFF);
}

std::int32_t get32(std::string_view bytes, std::size_t at) {
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i)
        bits = (bits << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return static_cast<std::int32_t>(bits);
}

} // namespace

std::string logfont_to_bytes(const LogFont& lf) {
    std::string out;
    out.reserve(kLogFontBytes);
    for (std::int32_t field : {lf.height, lf.width, lf.escapement, lf.orientation, lf.weight})
        put32(out, field);
    for (std::uint8_t field :
         {lf.italic, lf.underline, lf.strike_out, lf.char_set, lf.out_precision, lf.clip_precision,
          lf.quality, lf.pitch_and_family})
        out += static_cast<char>(field);
    out.append(lf.face_name, sizeof lf.face_name);
    return out;
}

std::optional<LogFont> logfont_from_bytes(std::string_view bytes) {
    if (bytes.size() != kLogFontBytes) return std::nullopt;
    LogFont lf;
    std::int32_t* fields[] = {&lf.height, &lf.width, &lf.escapement, &lf.orientation, &lf.weight};
    for (std::size_t i = 0; i < 5; ++i)
        *fields[i] = get32(bytes, i * 4);
    std::uint8_t* small[] = {&lf.italic,   &lf.underline,       &lf.strike_out,
                             &lf.char_set, &lf.out_precision,   &lf.clip_precision,
                             &lf.quality,  &lf.pitch_and_family};
    for (std::size_t i = 0; i < 8; ++i)
        *small[i] = static_cast<std::uint8_t>(bytes[20 + i]);
    std::memcpy(lf.face_name, bytes.data() + 28, sizeof lf.face_name);
    return lf;
}

std::string logfont_face(const LogFont& lf) {
    return std::string(lf.face_name, strnlen(lf.face_name, sizeof lf.face_name));
}

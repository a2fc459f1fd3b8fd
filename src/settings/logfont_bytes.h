// A font description as the 60 bytes of a LOGFONTA, the form the settings
// store keeps it in: little-endian 32-bit fields, then bytes, then the face.
#pragma once

#include "platform/fonts.h"

#include <optional>
#include <string>
#include <string_view>

constexpr std::size_t kLogFontBytes = 60;

std::string logfont_to_bytes(const LogFont& logfont);

// Nothing unless the bytes are exactly 60 long.
std::optional<LogFont> logfont_from_bytes(std::string_view bytes);

// The face name up to its terminating zero (at most 32 bytes).
std::string logfont_face(const LogFont& logfont);

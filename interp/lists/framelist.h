// The `framelist` message: the call stack, innermost frame first. It
// answers the command `frames`, always with exactly one message.
//
// The body (interp/README.md, "Extensions of the link", says the same):
//
//   COUNT SELECTED LF                       COUNT entries follow
//   FILE LINE DISPLAYED ROUTINELEN LF ROUTINE LF
//
// SELECTED is the place in this list (0: the innermost) of the frame that
// `up` and `down` selected; 0 when the list is empty. FILE is the file
// index of the file map, LINE the 1-based line in that file, DISPLAYED the
// 0-based displayed line (the form of `stop-at`). ROUTINE is counted in
// bytes: a routine file's name may hold blanks.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lists {

struct FrameEntry {
    std::string routine;
    std::int64_t file = 0;
    std::int64_t line = 0;      // 1-based in its file
    std::int64_t displayed = 0; // 0-based displayed line
};

struct FrameList {
    std::int64_t selected = 0;
    std::vector<FrameEntry> frames; // innermost first
};

std::string encode_framelist(const FrameList& list);
// Nothing when the body is not a framelist body exactly as above.
std::optional<FrameList> decode_framelist(std::string_view body);

} // namespace lists

// The frame reader fed arbitrary byte streams cut at arbitrary points: the
// frames (and the first failure) must not depend on the cutting.
#include "link/frame_parser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Result {
    std::vector<std::string> frames;
    FrameParser::Status failure = FrameParser::Status::NeedMore;
    std::string header;
};

Result run(const std::uint8_t* data, std::size_t size, const std::uint8_t* cuts,
           std::size_t ncuts) {
    FrameParser parser;
    Result result;
    std::size_t at = 0, c = 0;
    while (at < size) {
        std::size_t piece = ncuts ? 1 + cuts[c++ % ncuts] % 64 : size;
        piece = std::min(piece, size - at);
        std::size_t offset = 0;
        while (offset < piece) {
            std::size_t used = 0;
            auto status = parser.push(reinterpret_cast<const char*>(data) + at + offset,
                                      piece - offset, used);
            offset += used;
            if (status == FrameParser::Status::Frame) {
                result.frames.push_back(parser.take_payload());
            } else if (status != FrameParser::Status::NeedMore) {
                result.failure = status;
                result.header = parser.header_text();
                return result;
            }
            if (used == 0 && status == FrameParser::Status::NeedMore) break;
        }
        at += piece;
    }
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    // The first byte says how many of the following bytes describe the cuts.
    std::size_t ncuts = std::min<std::size_t>(data[0] % 16, size - 1);
    const std::uint8_t* cuts = data + 1;
    const std::uint8_t* stream = data + 1 + ncuts;
    std::size_t length = size - 1 - ncuts;

    Result whole = run(stream, length, nullptr, 0);
    Result pieces = run(stream, length, cuts, ncuts);
    if (whole.frames != pieces.frames || whole.failure != pieces.failure ||
        whole.header != pieces.header)
        std::abort();
    if (whole.header.size() > FrameParser::max_header) std::abort();
    return 0;
}

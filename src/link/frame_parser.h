// The frame format "<" decimal-length ">" payload, as a push parser.
//
// Bytes may be pushed in any chunking; the parser never consumes a byte past
// the end of the frame it is completing, so the socket reader can hand it
// single bytes for the header and exactly the missing bytes of the payload.
#pragma once

#include <cstddef>
#include <string>

class FrameParser {
  public:
    enum class Status {
        NeedMore,       // the frame is not complete yet
        Frame,          // a frame is complete: take_payload()
        HeaderOverflow, // 99 header bytes without '>'
        HeaderInvalid,  // the header holds no number, or a negative one
    };

    // The most header bytes between '<' and '>'.
    static constexpr std::size_t max_header = 99;

    // Consumes bytes until a frame completes, the header proves bad, or the
    // bytes run out. `used` tells how many bytes were consumed.
    Status push(const char* data, std::size_t size, std::size_t& used);

    // True once the header has been read and payload bytes are expected.
    bool in_payload() const { return state_ == State::Payload; }
    std::size_t payload_missing() const { return length_ - payload_.size(); }
    // The header text up to its first NUL, as the invalid-header message
    // shows it.
    std::string header_text() const;

    // The completed frame's payload; the parser is ready for the next frame.
    std::string take_payload();

  private:
    enum class State { Skipping, Header, Payload, Done, Failed };
    Status finish_header();

    State state_ = State::Skipping;
    std::string header_;
    std::string payload_;
    std::size_t length_ = 0;
};

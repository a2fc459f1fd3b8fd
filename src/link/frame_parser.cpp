#include "link/frame_parser.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>

namespace {

// Reads the header the way "%d" would: leading white space, an optional
// sign, then digits; whatever follows the number is ignored. Values beyond
// the range of a signed 32-bit length are refused like a non-number.
bool scan_length(const char* text, long long& value) {
    while (*text && std::isspace(static_cast<unsigned char>(*text)))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    if (!std::isdigit(static_cast<unsigned char>(*text))) return false;
    long long v = 0;
    while (std::isdigit(static_cast<unsigned char>(*text))) {
        v = v * 10 + (*text++ - '0');
        if (v > INT_MAX) return false;
    }
    value = negative ? -v : v;
    return true;
}

} // namespace

std::string FrameParser::header_text() const {
    return std::string(header_.c_str());
}

FrameParser::Status FrameParser::finish_header() {
    long long value = 0;
    if (!scan_length(header_.c_str(), value) || value < 0) {
        state_ = State::Failed;
        return Status::HeaderInvalid;
    }
    length_ = static_cast<std::size_t>(value);
    payload_.clear();
    // Reserve what is reasonable up front; a huge announced length grows
    // with the bytes that really arrive.
    payload_.reserve(std::min<std::size_t>(length_, 1 << 20));
    state_ = State::Payload;
    return length_ == 0 ? (state_ = State::Done, Status::Frame) : Status::NeedMore;
}

FrameParser::Status FrameParser::push(const char* data, std::size_t size, std::size_t& used) {
    used = 0;
    if (state_ == State::Failed) return Status::NeedMore;
    if (state_ == State::Done) return Status::Frame;
    while (used < size) {
        switch (state_) {
        case State::Skipping: {
            const void* lt = std::memchr(data + used, '<', size - used);
            if (!lt) {
                used = size;
                return Status::NeedMore;
            }
            used = static_cast<std::size_t>(static_cast<const char*>(lt) - data) + 1;
            header_.clear();
            state_ = State::Header;
            break;
        }
        case State::Header: {
            char c = data[used++];
            if (c == '>') {
                Status status = finish_header();
                if (status != Status::NeedMore) return status;
                break;
            }
            if (header_.size() == max_header) {
                state_ = State::Failed;
                return Status::HeaderOverflow;
            }
            header_.push_back(c);
            break;
        }
        case State::Payload: {
            std::size_t take = std::min(size - used, payload_missing());
            payload_.append(data + used, take);
            used += take;
            if (payload_missing() == 0) {
                state_ = State::Done;
                return Status::Frame;
            }
            break;
        }
        case State::Done:
            return Status::Frame;
        case State::Failed:
            return Status::NeedMore;
        }
    }
    return Status::NeedMore;
}

std::string FrameParser::take_payload() {
    std::string payload = std::move(payload_);
    payload_.clear();
    header_.clear();
    length_ = 0;
    state_ = State::Skipping;
    return payload;
}

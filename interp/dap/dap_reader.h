// The Debug Adapter Protocol's framing: each message is a block of header
// lines ("Content-Length: N" among them), an empty line, then N bytes of
// JSON. DapReader is a push parser: bytes may come in any chunking, and each
// call to next() hands out one complete message, or one problem with the
// input, which never stops the reader: it skips the bad frame and goes on
// with the next one.
#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace dap {

struct Inbound {
    enum class Kind { message, problem } kind = Kind::message;
    nlohmann::json message; // an object, for Kind::message
    std::string problem;    // for people, for Kind::problem
};

class DapReader {
  public:
    // Header blocks longer than this are refused; so are bodies longer than
    // max_body, whose bytes are skipped.
    static constexpr std::size_t max_header = 8192;
    static constexpr std::size_t max_body = 64u << 20;

    void push(std::string_view bytes) { kept_.append(bytes); }
    // The next message or problem, once enough bytes have come.
    std::optional<Inbound> next();
    // Bytes kept that do not make a whole message yet.
    std::size_t waiting() const { return kept_.size() - at_; }

  private:
    std::optional<Inbound> header_block();
    std::optional<Inbound> body();
    void compact();

    std::string kept_;
    std::size_t at_ = 0;          // the first byte not yet used
    std::size_t body_length_ = 0; // while in a body
    bool in_body_ = false;
    std::size_t skipping_ = 0; // bytes of a refused body still to drop
    bool discarding_ = false;  // dropping a header that was too long
};

// One message as it goes out: the header and the JSON text. Bytes of
// strings that are not UTF-8 become U+FFFD, so the output is always valid.
std::string frame_of(const nlohmann::json& message);

} // namespace dap

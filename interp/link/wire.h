// What travels on the four connections: frames "<length>payload" in both
// directions, raw bytes on the output and input streams, and the escaped
// one-line form in which scenario scripts write bytes and transcripts record
// them.
#pragma once

#include "sys.h"

#include <cstdio>
#include <optional>
#include <string>

namespace ostra {

std::string frame_header(std::size_t length); // "<length>"
std::string frame_of(const std::string& payload);

// The payload of a message to the debugger: "|keyword|body".
std::string message_of(const std::string& keyword, const std::string& body);

// Backslash escapes: \n \r \t \\ and \xHH for every other byte below 0x20 or
// from 0x7F up. unescaped() reads that form back (and \0 for a NUL byte);
// false when an escape is malformed.
std::string escaped(const std::string& bytes);
bool unescaped(const std::string& text, std::string& bytes);

// Bytes arriving on one inbound connection, kept until a whole frame or line
// has come. Reading ahead is harmless here: this side owns its sockets.
class Inbound {
  public:
    Socket socket = no_socket;

    // Waits up to `milliseconds` (negative: for ever) for bytes and keeps
    // whatever is waiting. False when nothing came: the time ran out, or the
    // peer ended the stream (closed() then says so).
    bool fill(long milliseconds);
    bool closed() const { return closed_; }

    // A whole frame's payload from the kept bytes, if one is complete. Bytes
    // before "<" are dropped. A header that is not a number, or runs past 99
    // bytes without ">", sets malformed().
    std::optional<std::string> take_frame();
    bool malformed() const { return malformed_; }

    // One line, up to and including its line feed, if one is complete.
    std::optional<std::string> take_line();
    // Whatever is kept, complete or not.
    std::string take_rest();
    bool has_bytes() const { return !kept_.empty(); }

    // Reads one frame, waiting up to `milliseconds` in all. nullopt when it
    // did not come in time, the stream ended or the header was malformed.
    std::optional<std::string> read_frame(long milliseconds);

  private:
    std::string kept_;
    bool closed_ = false;
    bool malformed_ = false;
};

// A record of everything received, one escaped line per item, flushed at
// once so that a killed process still leaves a complete file.
class Transcript {
  public:
    ~Transcript();
    bool open(const std::string& path);
    void record(const char* kind, const std::string& bytes);
    void note(const std::string& text); // a line without a payload

  private:
    std::FILE* file_ = nullptr;
};

} // namespace ostra

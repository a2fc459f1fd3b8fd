// DAP carries text as JSON strings, which must be UTF-8; a macro writes
// bytes. Valid UTF-8 passes as it is; any other byte is taken as the
// Latin-1 character of that code, so nothing is lost or refused.
#pragma once

#include <string>
#include <string_view>

namespace dap {

std::string utf8_of(std::string_view bytes);

// The same for a stream cut into chunks anywhere: the start of a character
// whose other bytes have not come yet waits for the next chunk.
class Utf8Stream {
  public:
    std::string take(std::string_view chunk);
    // What is left at the end of the stream.
    std::string finish();

  private:
    std::string carry_;
};

} // namespace dap

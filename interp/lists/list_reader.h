// Reading a list message's body: decimal numbers, single separators and
// byte strings of a given length, each step checked against what is left,
// so that no length or count read from the wire can make the reader go
// past the body or allocate for bytes that are not there.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lists {

class ListReader {
  public:
    explicit ListReader(std::string_view body) : rest_(body) {}

    // A decimal number: digits only, at most 18 of them; a leading "-" too
    // when `signed_ok`.
    std::optional<std::int64_t> number(bool signed_ok = false);
    // Exactly the byte `c`.
    bool separator(char c);
    // Exactly `length` bytes.
    std::optional<std::string> bytes(std::int64_t length);
    // A word: bytes up to the next blank or line feed (not taken), at least one.
    std::optional<std::string> word();
    // The next byte, without taking it; 0 at the end.
    char peek() const { return rest_.empty() ? '\0' : rest_.front(); }
    bool at_end() const { return rest_.empty(); }
    std::string_view rest() const { return rest_; }

  private:
    std::string_view rest_;
};

// The decimal form of a number, as the lists write it.
std::string decimal(std::int64_t n);

} // namespace lists

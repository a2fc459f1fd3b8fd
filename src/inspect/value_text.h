// How a variable's value is written on one row of the variables pane.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace inspect {

// The value with every byte that does not print written as an escape: \n,
// \r, \t, \0, and \xHH for the other control bytes, DEL and the bytes code
// page 1252 leaves undefined. A backslash stays itself.
std::string escaped_value(std::string_view value);

// The text cut to `width` characters, its end replaced by "..." when it
// does not fit (a width under four keeps only dots).
std::string cut_with_dots(std::string_view text, std::size_t width);

} // namespace inspect

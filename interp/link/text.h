// Small text helpers of the session: letter case, words, whole numbers,
// path parts and the shape of REXX symbols.
#pragma once

#include <string>
#include <vector>

namespace ostra {

// Upper- and lower-case of the ASCII letters only.
std::string upper(std::string text);
std::string lower(std::string text);

// The blank- or tab-separated words of a text.
std::vector<std::string> words_of(const std::string& text);

// `text` without the blanks and tabs at its two ends.
std::string trim_blanks(const std::string& text);

// What follows the first word of `text` and the blanks after it.
std::string rest_after_first_word(const std::string& text);

// A whole number in decimal, optionally signed, with blanks around it.
bool whole_number(const std::string& text, long& number);

// A path's last part, after its last slash or backslash.
std::string base_name(const std::string& path);
// The base name up to its first full stop: the routine a routine file holds.
std::string file_stem(const std::string& path);

// REXX symbols: letters, digits and . ! ? _ (and # @ $ as many interpreters
// allow). A constant symbol starts with a digit or a full stop and stands for
// itself.
bool is_symbol(const std::string& text);
bool is_constant_symbol(const std::string& text);

} // namespace ostra

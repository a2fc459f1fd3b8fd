// The quote-aware word splitter fed arbitrary bytes: no word is empty, no
// byte is invented (the lone quote of an unclosed section aside), and text
// without quotes or backslashes splits exactly at its spaces.
#include "runtime/words.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> split_at_spaces(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (c != ' ') {
            word.push_back(c);
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> words = split_quoted_words(text.data(), text.size());

    std::size_t total = 0;
    for (const std::string& word : words) {
        if (word.empty()) std::abort();
        total += word.size();
    }
    if (total > size + 1) std::abort();

    if (text.find_first_of("\"'\\") == std::string::npos && words != split_at_spaces(text)) {
        std::abort();
    }
    return 0;
}

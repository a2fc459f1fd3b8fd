#include "runtime/words.h"

#include <algorithm>

std::vector<WordSpan> split_words(std::string_view text) {
    std::vector<WordSpan> words;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] == ' ') {
            ++at;
            continue;
        }
        const std::size_t end = std::min(text.find(' ', at), text.size());
        words.push_back({at, end - at});
        at = end;
    }
    return words;
}

std::string_view text_from_word(std::string_view text, std::size_t index) {
    const std::vector<WordSpan> words = split_words(text);
    return index < words.size() ? text.substr(words[index].start) : std::string_view();
}

namespace {

struct Splitter {
    std::vector<std::string> words;
    std::string word;

    void end_word() {
        if (!word.empty()) words.push_back(std::move(word));
        word.clear();
    }
};

bool is_quote(char c) {
    return c == '"' || c == '\'';
}

} // namespace

std::vector<std::string> split_quoted_words(const char* text, std::size_t length) {
    Splitter s;
    char quote = 0; // the open section's quote, or 0 outside quotes
    for (std::size_t i = 0; i < length; ++i) {
        const char c = text[i];
        const bool has_next = i + 1 < length;
        const char next = has_next ? text[i + 1] : 0;
        if (quote == 0) {
            if (c == ' ') {
                s.end_word();
            } else if (is_quote(c)) {
                s.end_word();
                quote = c;
            } else if (c == '\\' && has_next && is_quote(next)) {
                s.word.push_back(next);
                ++i;
            } else {
                s.word.push_back(c);
            }
            continue;
        }
        if (c == quote) {
            s.end_word(); // an empty section gives no word
            quote = 0;
        } else if (c == '\\' && has_next && is_quote(next)) {
            // A backslash before the closing quote is kept when that quote
            // ends the word anyway ("C:\dir\" followed by the end or a
            // space); anywhere else it escapes the quote.
            const bool closing_ends_word = next == quote && (i + 2 == length || text[i + 2] == ' ');
            if (closing_ends_word) {
                s.word.push_back('\\');
            } else {
                s.word.push_back(next);
                ++i;
            }
        } else {
            s.word.push_back(c);
        }
    }
    if (quote != 0 && s.word.empty()) {
        s.word.push_back(quote);
    }
    s.end_word();
    return std::move(s.words);
}

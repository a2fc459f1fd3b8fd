#include "text.h"

#include <cstdlib>

namespace ostra {

std::string upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return text;
}

std::string lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return text;
}

std::vector<std::string> words_of(const std::string& text) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while ((at = text.find_first_not_of(" \t", at)) != std::string::npos) {
        std::size_t end = text.find_first_of(" \t", at);
        words.push_back(text.substr(at, end - at));
        at = end;
    }
    return words;
}

std::string trim_blanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string rest_after_first_word(const std::string& text) {
    std::size_t at = text.find_first_not_of(" \t");
    if (at == std::string::npos) return "";
    at = text.find_first_of(" \t", at);
    if (at == std::string::npos) return "";
    at = text.find_first_not_of(" \t", at);
    return at == std::string::npos ? "" : text.substr(at);
}

bool whole_number(const std::string& text, long& number) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return false;
    std::size_t last = text.find_last_not_of(' ');
    std::string digits = text.substr(first, last - first + 1);
    std::size_t at = digits[0] == '-' || digits[0] == '+' ? 1 : 0;
    if (at == digits.size() || digits.size() - at > 9) return false;
    for (std::size_t i = at; i < digits.size(); ++i)
        if (digits[i] < '0' || digits[i] > '9') return false;
    number = std::strtol(digits.c_str(), nullptr, 10);
    return true;
}

std::string base_name(const std::string& path) {
    std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string file_stem(const std::string& path) {
    std::string base = base_name(path);
    return base.substr(0, base.find('.'));
}

namespace {

bool symbol_char(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '!' || c == '?' || c == '_' || c == '#' || c == '@' || c == '$';
}

} // namespace

bool is_symbol(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!symbol_char(c)) return false;
    return true;
}

bool is_constant_symbol(const std::string& text) {
    return !text.empty() && ((text[0] >= '0' && text[0] <= '9') || text[0] == '.');
}

} // namespace ostra

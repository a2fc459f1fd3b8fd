#include "source_index.h"

#include "text.h"

namespace regina {

namespace {

bool symbol_char(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '!' || c == '?' || c == '_' || c == '#' || c == '@' || c == '$';
}

// Walks the text once, keeping track of comments (which nest and may span
// lines), strings, and line ends that a trailing comma continues.
class Scanner {
  public:
    explicit Scanner(const std::string& text) : text_(text) {
        index_.line_count = count_lines(text);
        index_.clause_starts.assign(std::size_t(index_.line_count), false);
    }

    SourceIndex run() {
        while (at_ < text_.size()) {
            char c = text_[at_];
            if (c == '/' && peek(1) == '*') {
                skip_comment();
            } else if (c == '\n') {
                if (!continued_) clause_start_ = true;
                continued_ = false;
                ++line_, ++at_;
            } else if (c == ';') {
                clause_start_ = true;
                continued_ = false;
                ++at_;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++at_;
            } else {
                continued_ = c == ',';
                if (clause_start_)
                    start_clause();
                else if (c == '"' || c == '\'')
                    skip_string(c);
                else
                    ++at_;
            }
        }
        return index_;
    }

  private:
    const std::string& text_;
    SourceIndex index_;
    std::size_t at_ = 0;
    int line_ = 0;
    bool clause_start_ = true;
    bool continued_ = false;
    std::vector<std::size_t> waiting_; // labels whose first clause is still to come

    char peek(std::size_t ahead) const {
        return at_ + ahead < text_.size() ? text_[at_ + ahead] : '\0';
    }

    void skip_comment() {
        int depth = 0;
        while (at_ < text_.size()) {
            if (text_[at_] == '/' && peek(1) == '*') {
                ++depth, at_ += 2;
            } else if (text_[at_] == '*' && peek(1) == '/') {
                at_ += 2;
                if (--depth == 0) return;
            } else {
                if (text_[at_] == '\n') ++line_;
                ++at_;
            }
        }
    }

    void skip_string(char quote) {
        ++at_;
        while (at_ < text_.size() && text_[at_] != quote && text_[at_] != '\n')
            ++at_;
        if (at_ < text_.size() && text_[at_] == quote) ++at_;
    }

    void start_clause() {
        clause_start_ = false;
        std::size_t begin = at_;
        while (at_ < text_.size() && symbol_char(text_[at_]))
            ++at_;
        std::size_t after = at_;
        while (after < text_.size() && (text_[after] == ' ' || text_[after] == '\t'))
            ++after;
        if (at_ > begin && after < text_.size() && text_[after] == ':') {
            index_.labels.push_back({text_.substr(begin, at_ - begin), line_, -1});
            waiting_.push_back(index_.labels.size() - 1);
            at_ = after + 1;
            clause_start_ = true;
            continued_ = false;
            return;
        }
        // END is not a place to stop: a loop stops at its DO once per pass.
        const bool end = ostra::upper(text_.substr(begin, at_ - begin)) == "END";
        if (line_ < index_.line_count && !end) index_.clause_starts[std::size_t(line_)] = true;
        for (std::size_t label : waiting_)
            index_.labels[label].entry = line_;
        waiting_.clear();
        if (at_ == begin) {
            // Not a symbol: a string, a number sign, an operator. Move on
            // without losing a string's quotes.
            char c = text_[at_];
            if (c == '"' || c == '\'')
                skip_string(c);
            else
                ++at_;
        }
    }
};

} // namespace

int count_lines(const std::string& text) {
    int lines = 1;
    for (char c : text)
        if (c == '\n') ++lines;
    if (!text.empty() && text.back() == '\n') --lines;
    return lines;
}

SourceIndex index_source(const std::string& text) {
    return Scanner(text).run();
}

int SourceIndex::clause_line_from(int line) const {
    for (int l = line < 0 ? 0 : line; l < line_count; ++l)
        if (clause_starts[std::size_t(l)]) return l;
    return -1;
}

const Label* SourceIndex::label_on(int line, const std::string& name) const {
    for (const Label& l : labels)
        if (l.line == line && ostra::upper(l.name) == ostra::upper(name)) return &l;
    return nullptr;
}

const Label* SourceIndex::label_entering(int line) const {
    for (const Label& l : labels)
        if (l.entry == line) return &l;
    return nullptr;
}

const Label* SourceIndex::label_named(const std::string& name) const {
    for (const Label& l : labels)
        if (ostra::upper(l.name) == ostra::upper(name)) return &l;
    return nullptr;
}

} // namespace regina

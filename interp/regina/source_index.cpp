#include "source_index.h"

#include "text.h"

#include <algorithm>
#include <cstring>

namespace regina {

namespace {

// The first words of REXX's keyword instructions (and of THEN, ELSE and
// OTHERWISE, which are followed by one).
bool is_keyword(const std::string& upper_word) {
    static const char* const keywords[] = {
        "ADDRESS", "ARG",       "CALL",    "DO",    "DROP",  "ELSE",    "END",     "EXIT",
        "IF",      "INTERPRET", "ITERATE", "LEAVE", "NOP",   "NUMERIC", "OPTIONS", "OTHERWISE",
        "PARSE",   "PROCEDURE", "PULL",    "PUSH",  "QUEUE", "RETURN",  "SAY",     "SELECT",
        "SIGNAL",  "THEN",      "TRACE",   "UPPER", "WHEN"};
    for (const char* k : keywords)
        if (upper_word == k) return true;
    return false;
}

// Walks the text once, keeping track of comments (which nest and may span
// lines), strings, and line ends that a trailing comma continues; and of
// the clauses, the DO and SELECT blocks around them, and the routines they
// call by name.
class Scanner {
  public:
    explicit Scanner(const std::string& text) : text_(text) {
        index_.line_count = count_lines(text);
        index_.clause_starts.assign(std::size_t(index_.line_count), false);
    }

    SourceIndex run() {
        // Regina passes over a "#!" first line.
        if (text_.rfind("#!", 0) == 0) at_ = std::min(text_.find('\n'), text_.size());
        while (at_ < text_.size()) {
            char c = text_[at_];
            if (c == '/' && peek(1) == '*') {
                skip_comment();
            } else if (c == '-' && peek(1) == '-') {
                // Regina's line comment.
                at_ = std::min(text_.find('\n', at_), text_.size());
            } else if (c == '\n') {
                if (!continued_) clause_start_ = true;
                continued_ = false;
                ++line_, ++at_;
            } else if (c == ';') {
                clause_start_ = true;
                continued_ = false;
                after_call_ = false;
                ++at_;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++at_;
            } else {
                continued_ = c == ',';
                if (clause_start_)
                    start_clause();
                else if (c == '"' || c == '\'')
                    skip_string(c);
                else if (symbol_char(c))
                    read_symbol();
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
    bool after_call_ = false;          // the next symbol is the routine a CALL names
    std::vector<std::size_t> waiting_; // labels whose first clause is still to come
    std::vector<bool> blocks_;         // open DO and SELECT blocks: true for a loop
    std::vector<Loop> open_loops_;     // the loops among them, innermost last
    int loops_ = 0;                    // how many
    bool conditional_ = false;         // the next clause is a THEN's, ELSE's or OTHERWISE's

    char peek(std::size_t ahead) const {
        return at_ + ahead < text_.size() ? text_[at_ + ahead] : '\0';
    }

    void skip_comment() {
        const std::size_t end = comment_end(text_, at_);
        line_ += int(std::count(text_.begin() + std::ptrdiff_t(at_),
                                text_.begin() + std::ptrdiff_t(end), '\n'));
        at_ = end;
    }

    void skip_string(char quote) {
        ++at_;
        while (at_ < text_.size() && text_[at_] != quote && text_[at_] != '\n')
            ++at_;
        if (at_ < text_.size() && text_[at_] == quote) ++at_;
    }

    std::size_t skip_blanks(std::size_t from) const {
        while (from < text_.size() && (text_[from] == ' ' || text_[from] == '\t'))
            ++from;
        return from;
    }

    // THEN, ELSE or OTHERWISE ending at `from` is the keyword, after which an
    // instruction starts, and not a variable of that name in an expression
    // ("do then = 1 to 5", "then-1").
    bool keyword_stands_at(std::size_t from) const {
        if (from < text_.size() && !std::strchr(" \t\r\n;", text_[from]) &&
            text_.compare(from, 2, "/*") != 0)
            return false;
        std::size_t next = skip_blanks(from);
        return next >= text_.size() || !std::strchr("=<>|&\\*/%+-,", text_[next]) ||
               text_.compare(next, 2, "/*") == 0 || text_.compare(next, 2, "--") == 0;
    }

    // Nothing more in the clause after `from` (a comment may follow).
    bool clause_ends_at(std::size_t from) const {
        from = skip_blanks(from);
        if (from >= text_.size()) return true;
        char c = text_[from];
        return c == ';' || c == '\n' || c == '\r' ||
               ((c == '/' || c == '-') && from + 1 < text_.size() &&
                text_[from + 1] == (c == '/' ? '*' : '-'));
    }

    // A command clause at `begin`, its expression at `command`, to the end of
    // its clause.
    void note_command(std::size_t begin, std::size_t command) {
        index_.has_commands = true;
        index_.commands.push_back({index_.clauses.back(), clause_end(text_, begin), command});
    }

    // ADDRESS ENV COMMAND runs a command; ADDRESS, ADDRESS ENV and ADDRESS
    // VALUE only choose the environment.
    void note_address(std::size_t begin, std::size_t after) {
        std::size_t end = after;
        while (end < text_.size() && symbol_char(text_[end]))
            ++end;
        if (end == after) return;
        if (ostra::upper(text_.substr(after, end - after)) == "VALUE" || clause_ends_at(end))
            return;
        note_command(begin, skip_blanks(end));
    }

    // A symbol inside a clause: a routine called by name, or THEN, ELSE or
    // OTHERWISE, after which the instruction is a clause of its own.
    void read_symbol() {
        std::size_t begin = at_;
        while (at_ < text_.size() && symbol_char(text_[at_]))
            ++at_;
        std::string word = ostra::upper(text_.substr(begin, at_ - begin));
        if (after_call_) {
            after_call_ = false;
            if (word != "ON" && word != "OFF") index_.calls.push_back({word, line_, begin});
            return;
        }
        if (at_ < text_.size() && text_[at_] == '(') {
            index_.calls.push_back({word, line_, begin});
            return;
        }
        if ((word == "THEN" || word == "ELSE" || word == "OTHERWISE") && keyword_stands_at(at_))
            clause_start_ = conditional_ = true;
    }

    // The symbol at `from` in the clause (upper case), and where it ends.
    std::pair<std::string, std::size_t> word_at(std::size_t from) const {
        from = skip_blanks(from);
        std::size_t end = from;
        while (end < text_.size() && symbol_char(text_[end]))
            ++end;
        return {ostra::upper(text_.substr(from, end - from)), end};
    }

    // SIGNAL LABEL, SIGNAL ON|OFF CONDITION [NAME LABEL], SIGNAL VALUE EXPR
    // and CALL ON|OFF CONDITION [NAME LABEL]: where control may go.
    void note_transfer(const std::string& instruction, std::size_t after) {
        auto [first, end] = word_at(after);
        if (first == "ON") {
            index_.traps = true;
            auto [condition, condition_end] = word_at(end);
            auto [name, name_end] = word_at(condition_end);
            index_.signal_targets.push_back(name == "NAME" ? word_at(name_end).first : condition);
        } else if (instruction == "SIGNAL" && first != "OFF") {
            const std::size_t next = skip_blanks(after);
            if (first.empty() || first == "VALUE") {
                // A computed label, or a quoted one: anywhere, as far as we know.
                if (next < text_.size() && (text_[next] == '"' || text_[next] == '\'')) {
                    const std::size_t close = text_.find(text_[next], next + 1);
                    if (close != std::string::npos) {
                        index_.signal_targets.push_back(
                            ostra::upper(text_.substr(next + 1, close - next - 1)));
                        return;
                    }
                }
                index_.dynamic_transfers = true;
            } else {
                index_.signal_targets.push_back(first);
            }
        }
    }

    void start_clause() {
        clause_start_ = false;
        after_call_ = false;
        std::size_t begin = at_;
        while (at_ < text_.size() && symbol_char(text_[at_]))
            ++at_;
        std::size_t after = skip_blanks(at_);
        if (at_ > begin && after < text_.size() && text_[after] == ':') {
            index_.labels.push_back({text_.substr(begin, at_ - begin), line_, -1, {}, begin});
            waiting_.push_back(index_.labels.size() - 1);
            at_ = after + 1;
            clause_start_ = true;
            continued_ = false;
            return;
        }
        const std::string word = ostra::upper(text_.substr(begin, at_ - begin));
        const bool assignment = after < text_.size() && text_[after] == '=';
        // END is not a place to stop: a loop stops at its DO once per pass.
        const bool end = word == "END" && !assignment;
        if (line_ < index_.line_count && !end) index_.clause_starts[std::size_t(line_)] = true;
        if (!waiting_.empty()) {
            std::size_t stop = text_.find('\n', begin);
            std::string entry =
                text_.substr(begin, stop == std::string::npos ? stop : stop - begin);
            while (!entry.empty() && (entry.back() == '\r' || entry.back() == ' '))
                entry.pop_back();
            for (std::size_t label : waiting_) {
                index_.labels[label].entry = line_;
                index_.labels[label].entry_text = entry;
            }
        }
        waiting_.clear();
        if (end && !blocks_.empty()) {
            if (blocks_.back()) {
                --loops_;
                open_loops_.back().end_clause = index_.clauses.size();
                index_.loops.push_back(std::move(open_loops_.back()));
                open_loops_.pop_back();
            }
            blocks_.pop_back();
        }
        ClauseStart clause{line_, begin, loops_, int(blocks_.size()), {}, conditional_};
        if (!assignment && is_keyword(word)) clause.keyword = word;
        conditional_ = false;
        index_.clauses.push_back(std::move(clause));
        const bool compared = assignment && after + 1 < text_.size() && text_[after + 1] == '=';
        if ((!assignment || compared) && !is_keyword(word)) note_command(begin, begin);
        if (word == "ADDRESS" && !assignment) note_address(begin, after);
        if (!assignment) {
            if (word == "DO") {
                // DO alone groups; anything after it makes a loop.
                const bool loop = !clause_ends_at(at_);
                blocks_.push_back(loop);
                if (loop) {
                    ++loops_;
                    const std::size_t header = skip_blanks(at_);
                    open_loops_.push_back(
                        {index_.clauses.size() - 1, 0,
                         text_.substr(header, clause_end(text_, header) - header)});
                }
            } else if (word == "SELECT") {
                blocks_.push_back(false);
            } else if (word == "CALL") {
                after_call_ = true;
                note_transfer(word, at_);
            } else if (word == "SIGNAL") {
                note_transfer(word, at_);
            } else if (word == "INTERPRET") {
                index_.dynamic_transfers = true;
            } else if (word == "THEN" || word == "ELSE" || word == "OTHERWISE") {
                clause_start_ = conditional_ = true;
                index_.clauses.pop_back(); // the instruction after it is the clause
            } else if (at_ > begin && at_ < text_.size() && text_[at_] == '(') {
                index_.calls.push_back({word, line_, begin});
            }
        }
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

bool symbol_char(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '!' || c == '?' || c == '_' || c == '#' || c == '@' || c == '$';
}

std::size_t comment_end(std::string_view text, std::size_t at) {
    int depth = 0;
    while (at < text.size()) {
        if (text.compare(at, 2, "/*") == 0) {
            ++depth, at += 2;
        } else if (text.compare(at, 2, "*/") == 0) {
            at += 2;
            if (--depth == 0) return at;
        } else {
            ++at;
        }
    }
    return at;
}

std::size_t clause_end(const std::string& text, std::size_t from) {
    std::size_t end = from;
    for (char quote = 0; end < text.size(); ++end) {
        const char c = text[end];
        if (quote) {
            if (c == quote) quote = 0;
            if (c == '\n') break;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';' || c == '\n' || c == '\r' || text.compare(end, 2, "/*") == 0 ||
                   text.compare(end, 2, "--") == 0) {
            break;
        }
    }
    while (end > from && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    return end;
}

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

const Label* SourceIndex::label_entered_by(int line, std::string_view clause) const {
    for (const Label& l : labels) {
        if (l.entry != line || l.entry_text.empty() || clause.empty()) continue;
        // The trace shows the clause as written, cut at its end: one is the
        // start of the other.
        std::size_t n = std::min(clause.size(), l.entry_text.size());
        if (clause.substr(0, n) == std::string_view(l.entry_text).substr(0, n)) return &l;
    }
    return nullptr;
}

const ClauseStart* SourceIndex::clause_on(int line, std::string_view traced,
                                          const std::string& text) const {
    auto first = std::lower_bound(clauses.begin(), clauses.end(), line,
                                  [](const ClauseStart& c, int l) { return c.line < l; });
    const ClauseStart* found = nullptr;
    for (auto c = first; c != clauses.end() && c->line == line; ++c) {
        if (!found) found = &*c;
        std::string_view here = std::string_view(text).substr(c->offset);
        std::size_t n = std::min(traced.size(), here.size());
        if (n > 0 && here.substr(0, n) == traced.substr(0, n)) return &*c;
    }
    return found;
}

const Label* SourceIndex::routine_at(int line) const {
    const Label* routine = nullptr;
    for (const Label& l : labels) {
        if (l.line > line) break;
        const std::string name = ostra::upper(l.name);
        for (const CallSite& c : calls)
            if (c.name == name) {
                routine = &l;
                break;
            }
    }
    return routine;
}

std::vector<int> SourceIndex::lines_calling(const std::string& name) const {
    std::vector<int> lines;
    const std::string wanted = ostra::upper(name);
    for (const CallSite& c : calls)
        if (c.name == wanted) lines.push_back(c.line);
    return lines;
}

const Label* SourceIndex::label_named(const std::string& name) const {
    for (const Label& l : labels)
        if (ostra::upper(l.name) == ostra::upper(name)) return &l;
    return nullptr;
}

} // namespace regina

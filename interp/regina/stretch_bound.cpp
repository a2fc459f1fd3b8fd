#include "stretch_bound.h"

#include "text.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace regina {

namespace {

bool names_label(const SourceIndex& index, const std::string& upper_name) {
    for (const CallSite& c : index.calls)
        if (c.name == upper_name) return true;
    return std::find(index.signal_targets.begin(), index.signal_targets.end(), upper_name) !=
           index.signal_targets.end();
}

// The symbols of a clause, upper case, strings left out.
std::vector<std::string> symbols_of(std::string_view clause) {
    std::vector<std::string> symbols;
    for (std::size_t at = 0; at < clause.size();) {
        const char c = clause[at];
        if (c == '\'' || c == '"') {
            const std::size_t close = clause.find(c, at + 1);
            at = close == std::string_view::npos ? clause.size() : close + 1;
        } else if (symbol_char(c)) {
            std::size_t end = at;
            while (end < clause.size() && symbol_char(clause[end]))
                ++end;
            symbols.push_back(ostra::upper(std::string(clause.substr(at, end - at))));
            at = end;
        } else {
            ++at;
        }
    }
    return symbols;
}

std::string_view clause_text(const std::string& text, const ClauseStart& c) {
    return std::string_view(text).substr(c.offset, clause_end(text, c.offset) - c.offset);
}

// The variable an assignment sets (upper case), or nothing.
std::optional<std::string> assigned(std::string_view clause) {
    std::size_t end = 0;
    while (end < clause.size() && symbol_char(clause[end]))
        ++end;
    std::size_t next = end;
    while (next < clause.size() && (clause[next] == ' ' || clause[next] == '\t'))
        ++next;
    if (end == 0 || next >= clause.size() || clause[next] != '=' ||
        (next + 1 < clause.size() && clause[next + 1] == '='))
        return std::nullopt;
    return ostra::upper(std::string(clause.substr(0, end)));
}

// A whole number of up to nine digits: larger loops are not counted.
std::optional<long long> whole_number(const std::string& text) {
    long number = 0;
    if (!ostra::whole_number(text, number)) return std::nullopt;
    return number;
}

// DO NAME = START TO LIMIT [BY STEP], in either order of TO and BY.
struct CountedHeader {
    std::string control; // upper case
    std::string limit;   // as written: a number or a simple symbol
    long long step = 1;
};

std::optional<CountedHeader> counted_header(const std::string& header) {
    if (header.find_first_of("'\"") != std::string::npos) return std::nullopt;
    const std::size_t equals = header.find('=');
    if (equals == std::string::npos) return std::nullopt;
    CountedHeader h;
    const std::vector<std::string> name = ostra::words_of(header.substr(0, equals));
    if (name.size() != 1 || name[0].find('.') != std::string::npos) return std::nullopt;
    h.control = ostra::upper(name[0]);
    const std::vector<std::string> words = ostra::words_of(header.substr(equals + 1));
    bool has_limit = false;
    for (std::size_t k = 0; k < words.size(); ++k) {
        const std::string word = ostra::upper(words[k]);
        if (word == "FOR" || word == "WHILE" || word == "UNTIL" || word == "FOREVER")
            return std::nullopt;
        if (word != "TO" && word != "BY") continue;
        // A phrase is one word: a number, or a symbol for the limit.
        if (k + 1 >= words.size()) return std::nullopt;
        const std::string& value = words[k + 1];
        const bool next_is_keyword = k + 2 >= words.size() || ostra::upper(words[k + 2]) == "TO" ||
                                     ostra::upper(words[k + 2]) == "BY";
        if (!next_is_keyword) return std::nullopt;
        if (word == "TO") {
            if (has_limit) return std::nullopt;
            has_limit = true;
            h.limit = value;
        } else {
            std::optional<long long> step = whole_number(value);
            if (!step || *step == 0) return std::nullopt;
            h.step = *step;
        }
    }
    // A compound limit's tails may have changed since the DO used them.
    if (!has_limit || (!whole_number(h.limit) && h.limit.find('.') != std::string::npos))
        return std::nullopt;
    return h;
}

// Regina's built-in functions that neither set variables nor read input.
bool harmless_builtin(const std::string& name) {
    static const char* const names[] = {
        "ABBREV",    "ABS",        "ADDRESS",    "ARG",      "B2X",       "BITAND",    "BITOR",
        "BITXOR",    "C2D",        "C2X",        "CENTER",   "CENTRE",    "CHANGESTR", "CHAROUT",
        "COMPARE",   "CONDITION",  "COPIES",     "COUNTSTR", "D2C",       "D2X",       "DATATYPE",
        "DATE",      "DELSTR",     "DELWORD",    "DIGITS",   "ERRORTEXT", "FORM",      "FORMAT",
        "FUZZ",      "INSERT",     "LASTPOS",    "LEFT",     "LENGTH",    "LINEOUT",   "LOWER",
        "MAX",       "MIN",        "OVERLAY",    "POS",      "QUEUED",    "RANDOM",    "REVERSE",
        "RIGHT",     "SIGN",       "SOURCELINE", "SPACE",    "STRIP",     "SUBSTR",    "SUBWORD",
        "SYMBOL",    "TIME",       "TRANSLATE",  "TRUNC",    "UPPER",     "VERIFY",    "WORD",
        "WORDINDEX", "WORDLENGTH", "WORDPOS",    "WORDS",    "X2B",       "X2C",       "X2D",
        "XRANGE"};
    for (const char* n : names)
        if (name == n) return true;
    return false;
}

// The body of `loop` leaves `control` and `limit` alone and can only leave
// by its END.
bool body_keeps_to_itself(const SourceIndex& index, const std::string& text, const Loop& loop,
                          const std::string& control, const std::string& limit) {
    const std::size_t from = index.clauses[loop.do_clause].offset;
    const std::size_t to = index.clauses[loop.end_clause].offset;
    for (const CallSite& call : index.calls) {
        if (call.offset < from || call.offset >= to) continue;
        if (!harmless_builtin(call.name) || index.label_named(call.name)) return false;
    }
    for (std::size_t k = loop.do_clause + 1; k < loop.end_clause; ++k) {
        const ClauseStart& c = index.clauses[k];
        const std::string_view written = clause_text(text, c);
        const std::string& key = c.keyword;
        if (key == "CALL" || key == "SIGNAL" || key == "LEAVE" || key == "ITERATE" ||
            key == "RETURN" || key == "EXIT" || key == "INTERPRET" || key == "PULL" ||
            key == "ARG" || key == "TRACE" || key == "NUMERIC" || key == "PROCEDURE" ||
            key == "UPPER")
            return false;
        if (key == "PARSE" || key == "DROP") {
            const std::vector<std::string> symbols = symbols_of(written);
            if (key == "PARSE") {
                // PARSE [UPPER|LOWER|CASELESS] VAR|VALUE: nothing read from outside.
                std::size_t source = 1;
                while (source < symbols.size() &&
                       (symbols[source] == "UPPER" || symbols[source] == "LOWER" ||
                        symbols[source] == "CASELESS"))
                    ++source;
                if (source >= symbols.size() ||
                    (symbols[source] != "VAR" && symbols[source] != "VALUE"))
                    return false;
            }
            for (const std::string& s : symbols)
                if (s == control || s == limit) return false;
        }
        if (key.empty()) {
            std::optional<std::string> target = assigned(written);
            if (target && (*target == control || *target == limit)) return false;
        }
    }
    return true;
}

// The clauses "trace -N" is sure to count in one pass of `loop`.
long long counted_per_pass(const SourceIndex& index, const std::string& text, const Loop& loop) {
    const int own_block = index.clauses[loop.do_clause].blocks + 1;
    long long counted = 0;
    for (std::size_t k = loop.do_clause + 1; k < loop.end_clause; ++k) {
        const ClauseStart& c = index.clauses[k];
        if (c.blocks != own_block || c.conditional) continue;
        if (c.keyword == "NOP" || c.keyword == "SAY" || c.keyword == "IF" ||
            (c.keyword.empty() && assigned(clause_text(text, c))))
            ++counted;
    }
    return counted;
}

// The passes of a counted loop still to come after the current one.
long long passes_to_come(const std::string& control, const std::string& limit_text, long long step,
                         const ValueOf& value_of) {
    const std::optional<std::string> current = value_of(control);
    if (!current) return 0;
    const std::optional<long long> at = whole_number(*current);
    std::optional<long long> limit = whole_number(limit_text);
    if (!limit) {
        const std::optional<std::string> value = value_of(limit_text);
        if (value) limit = whole_number(*value);
    }
    if (!at || !limit) return 0;
    const long long span = step > 0 ? limit.value() - at.value() : at.value() - limit.value();
    return span < 0 ? 0 : span / (step > 0 ? step : -step);
}

// Per line: whether any stretch of code between labels that holds it can
// be entered.
std::vector<bool> lines_that_may_run(const SourceIndex& index, const std::string& text) {
    std::vector<bool> runs(std::size_t(index.line_count), index.dynamic_transfers);
    if (index.dynamic_transfers) return runs;
    // The stretches between labels: the first starts the file.
    const std::size_t stretches = index.labels.size() + 1;
    // Whether the code of stretch k can run on into the next one: not when
    // its last clause, outside every block and condition, is EXIT, RETURN
    // or SIGNAL to a label.
    auto runs_on = [&](std::size_t k) {
        const std::size_t from = k == 0 ? 0 : index.labels[k - 1].offset;
        const std::size_t to = k + 1 < stretches ? index.labels[k].offset : text.size();
        const ClauseStart* last = nullptr;
        for (const ClauseStart& c : index.clauses)
            if (c.offset >= from && c.offset < to) last = &c;
        if (!last || last->blocks != 0 || last->conditional) return true;
        if (last->keyword == "EXIT" || last->keyword == "RETURN") return false;
        if (last->keyword != "SIGNAL") return true;
        const std::vector<std::string> words = symbols_of(clause_text(text, *last));
        return words.size() > 1 && (words[1] == "ON" || words[1] == "OFF");
    };
    bool entered = true;
    for (std::size_t k = 0; k < stretches; ++k) {
        if (k > 0)
            entered = names_label(index, ostra::upper(index.labels[k - 1].name)) ||
                      (entered && runs_on(k - 1));
        if (!entered) continue;
        // A label's line belongs to the stretches on both sides of it.
        const int first = k == 0 ? 0 : index.labels[k - 1].line;
        const int last = k + 1 < stretches ? index.labels[k].line : index.line_count - 1;
        for (int line = first; line <= last && line < index.line_count; ++line)
            runs[std::size_t(line)] = true;
    }
    return runs;
}

} // namespace

std::optional<std::size_t> traced_clause(const SourceIndex& index, const std::string& text,
                                         int line, std::string_view traced) {
    if (traced.empty()) return std::nullopt;
    auto first = std::lower_bound(index.clauses.begin(), index.clauses.end(), line,
                                  [](const ClauseStart& c, int l) { return c.line < l; });
    std::optional<std::size_t> found;
    for (auto c = first; c != index.clauses.end() && c->line == line; ++c) {
        const std::string_view written = clause_text(text, *c);
        const std::size_t n = std::min(written.size(), traced.size());
        if (n == 0 || written.substr(0, n) != traced.substr(0, n)) continue;
        if (found) return std::nullopt; // two read alike: which one is not known
        found = std::size_t(c - index.clauses.begin());
    }
    return found;
}

StretchBounds::StretchBounds(const SourceIndex& index, const std::string& text)
    : may_run_(lines_that_may_run(index, text)) {
    if (index.traps || index.dynamic_transfers) return;
    for (const Loop& loop : index.loops) {
        std::optional<CountedHeader> h = counted_header(loop.header);
        if (!h) continue;
        const std::string limit = ostra::upper(h->limit);
        if (limit == h->control || !body_keeps_to_itself(index, text, loop, h->control, limit))
            continue;
        const long long per_pass = counted_per_pass(index, text, loop);
        if (per_pass == 0) continue;
        loops_.push_back({loop.do_clause, loop.end_clause, index.clauses[loop.do_clause].line,
                          index.clauses[loop.end_clause].line, h->control, limit, h->step,
                          per_pass});
    }
}

bool StretchBounds::may_run(int line) const {
    return line < 0 || std::size_t(line) >= may_run_.size() || may_run_[std::size_t(line)];
}

long long StretchBounds::clauses_before_leaving(std::size_t clause, const std::set<int>& stops,
                                                const ValueOf& value_of) const {
    long long best = 0;
    for (const CountedLoop& loop : loops_) {
        if (clause <= loop.do_clause || clause >= loop.end_clause) continue;
        if (stops.lower_bound(loop.first_line) != stops.upper_bound(loop.last_line)) continue;
        // One pass less than the count, in case the current one is the last
        // the control variable shows.
        const long long passes = passes_to_come(loop.control, loop.limit, loop.step, value_of) - 1;
        if (passes <= 0) continue;
        best =
            std::max(best, std::min(passes, 1'000'000'000'000LL / loop.per_pass) * loop.per_pass);
    }
    return best;
}

} // namespace regina

#include "program.h"

#include "text.h"

#include <cstdlib>

namespace regina {

namespace {

// "word" as the first word of `text`, in any letter case.
bool starts_with_word(std::string_view text, const char* word) {
    std::size_t n = 0;
    while (word[n]) {
        if (n >= text.size() || (text[n] | 0x20) != word[n]) return false;
        ++n;
    }
    if (n == text.size()) return true;
    char next = text[n];
    return next == ' ' || next == ';' || next == '(' || next == '\'' || next == '"' || next == '\t';
}

} // namespace

TraceLine read_trace_line(std::string_view line) {
    TraceLine t;
    if (line.size() < 11 || line.substr(6, 5) != " *-* ") return t;
    t.clause = true;
    for (char c : line.substr(0, 6))
        if (c >= '0' && c <= '9') t.line = t.line * 10 + (c - '0');
    std::size_t at = 11;
    while (at < line.size() && line[at] == ' ')
        ++at;
    t.indent = int(at - 11);
    t.text = line.substr(at);
    return t;
}

int Program::add_file(const std::string& path, const std::string& real, const std::string& text) {
    LoadedFile f;
    f.path = path;
    f.real = real;
    f.text = text;
    f.index = index_source(text);
    if (!files.empty())
        f.first_displayed = files.back().first_displayed + files.back().index.line_count;
    files.push_back(std::move(f));
    return int(files.size() - 1);
}

int Program::file_of(const std::string& real) const {
    for (std::size_t i = 0; i < files.size(); ++i)
        if (files[i].real == real) return int(i);
    return -1;
}

int Program::current_file() const {
    return activations_.empty() ? -1 : activations_.back().file;
}

void Program::push(const std::string& routine, int file, int indent) {
    Frame f;
    f.routine = routine;
    f.file = file;
    f.activation = activations_.size() - 1;
    f.base_indent = indent;
    f.line = files[std::size_t(file)].first_displayed;
    frames.push_back(f);
}

void Program::enter(int file, const std::string& routine) {
    Activation a;
    a.file = file;
    a.root = frames.size();
    activations_.push_back(a);
    push(routine, file, 0);
}

void Program::leave() {
    if (activations_.empty()) return;
    frames.resize(activations_.back().root);
    activations_.pop_back();
}

std::optional<ostra::Position> Program::follow(const TraceLine& t) {
    if (activations_.empty()) return std::nullopt;
    Activation& a = activations_.back();
    const LoadedFile& file = files[std::size_t(a.file)];
    const int line = t.line > 0 ? t.line : a.last_line; // 1-based

    if (a.last_was_return && t.indent <= a.last_indent && frames.size() > a.root + 1)
        frames.pop_back();
    while (frames.size() > a.root + 1 && frames.back().base_indent > t.indent)
        frames.pop_back();
    a.last_was_return = starts_with_word(t.text, "return");
    const int caller_indent = frames.back().last_indent;

    const bool label = !t.text.empty() && t.text.back() == ':';
    if (label) {
        std::string name(t.text.substr(0, t.text.size() - 1));
        if (t.indent > caller_indent) {
            const Label* l = file.index.label_on(line - 1, name);
            push(l ? l->name : name, a.file, t.indent);
        }
        frames.back().last_indent = t.indent;
        a.last_line = line;
        a.last_indent = t.indent;
        a.last_text.clear();
        return std::nullopt;
    }
    // A function's first clause is the first one traced on its line; a later
    // clause on a label's entry line is a loop body going deeper.
    if (t.indent > caller_indent && t.line > 0) {
        if (const Label* l = file.index.label_entering(line - 1)) push(l->name, a.file, t.indent);
    }
    frames.back().last_indent = t.indent;
    // INTERPRET traces its own clause again for each clause of the string it
    // runs: the debugger has stopped at it once.
    const bool interpreted =
        t.line == 0 && t.text == a.last_text && starts_with_word(t.text, "interpret");
    a.last_text = t.text;
    a.last_line = line;
    a.last_indent = t.indent;
    if (interpreted) return std::nullopt;
    // A loop's END is traced as a clause of its own; the debugger stops at
    // the DO once per pass instead. Lines past the file are the helper's.
    if (line > file.index.line_count || starts_with_word(t.text, "end")) return std::nullopt;

    Frame& top = frames.back();
    top.line = file.first_displayed + line - 1;
    if (starts_with_word(t.text, "procedure")) top.procedure = true;
    ostra::Position p{top.line, t.line > 0, top.fresh};
    top.fresh = false;
    return p;
}

std::optional<std::size_t> Program::scope_of(std::size_t index) const {
    if (index >= frames.size()) return std::nullopt;
    const std::size_t run = frames[index].activation;
    for (std::size_t k = index + 1; k < frames.size() && frames[k].activation == run; ++k)
        if (frames[k].procedure) return std::nullopt;
    return run;
}

} // namespace regina

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

// Whether the text names a way of reading the default input anywhere: PULL,
// LINEIN or CHARIN. Such a read needs its line for "halt-at", which a
// clause run untraced does not give.
bool mentions_input(const std::string& text) {
    const std::string words = ostra::upper(text);
    for (const char* word : {"PULL", "LINEIN", "CHARIN"})
        if (words.find(word) != std::string::npos) return true;
    return false;
}

// The names "PROCEDURE EXPOSE a b. (list) c" shares, upper case; a name in
// parentheses is shared too (its value names more, which are not followed).
std::vector<std::string> exposed_names(std::string_view clause) {
    std::vector<std::string> names;
    std::vector<std::string> words =
        ostra::words_of(std::string(clause.substr(0, clause.find(';'))));
    for (std::size_t k = 2; k < words.size() && ostra::upper(words[1]) == "EXPOSE"; ++k) {
        std::string w = ostra::upper(words[k]);
        while (!w.empty() && (w.front() == '(' || w.back() == ')' || w.back() == ';')) {
            if (w.front() == '(') w.erase(0, 1);
            if (!w.empty() && (w.back() == ')' || w.back() == ';')) w.pop_back();
        }
        if (!w.empty()) names.push_back(w);
    }
    return names;
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

const LoadedFile* Program::file_holding(int displayed) const {
    for (const LoadedFile& f : files)
        if (displayed >= f.first_displayed && displayed < f.first_displayed + f.index.line_count)
            return &f;
    return nullptr;
}

int Program::add_file(const std::string& path, const std::string& real, const std::string& text) {
    LoadedFile f;
    f.path = path;
    f.real = real;
    f.text = text;
    f.index = index_source(text);
    f.reads_input = mentions_input(text);
    f.rewrite = rewrite_trace(text, f.index);
    f.bounds = StretchBounds(f.index, text);
    // A routine file is shown after a "return" line of its own (see
    // Session::file_loaded).
    if (!files.empty())
        f.first_displayed = files.back().first_displayed + files.back().index.line_count + 1;
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
    // A routine starts with its caller's trace setting; a routine file with
    // the default.
    if (!frames.empty() && frames.back().activation == f.activation)
        f.trace_asked = frames.back().trace_asked;
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
    // A blank number is the number Regina showed last, in whichever run.
    const int line = t.line > 0 ? t.line : last_shown_; // 1-based
    if (t.line > 0) last_shown_ = t.line;
    const bool first_on_line = line != a.last_line || a.last_text.empty();

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
    // clause on a label's entry line is a loop body going deeper. A function
    // written on its label's line and entered again from that line (a second
    // call in one clause, recursion) shows no line number: its first clause
    // is known by its text.
    if (t.indent > caller_indent) {
        const Label* l = t.line > 0 ? file.index.label_entering(line - 1)
                                    : file.index.label_entered_by(line - 1, t.text);
        if (l) push(l->name, a.file, t.indent);
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
    entered_procedure_ = starts_with_word(t.text, "procedure");
    if (entered_procedure_) {
        top.procedure = true;
        top.exposed = exposed_names(t.text);
    }
    ostra::Position p{top.line, first_on_line, top.fresh};
    top.fresh = false;
    return p;
}

std::optional<ostra::Position> Program::resync(const TraceLine& t) {
    if (activations_.empty()) return std::nullopt;
    Activation& a = activations_.back();
    const LoadedFile& file = files[std::size_t(a.file)];
    const int line = t.line > 0 ? t.line : last_shown_; // 1-based
    a.last_was_return = false;
    a.last_text.clear();
    const bool label = !t.text.empty() && t.text.back() == ':';
    std::string label_name = label ? std::string(t.text.substr(0, t.text.size() - 1)) : "";
    if (label && !file.index.lines_calling(label_name).empty()) {
        // A CALL traced the label it reached, one deeper than its caller:
        // whatever started there or deeper has returned, and follow()
        // enters the routine from the frame below.
        while (frames.size() > a.root + 1 && frames.back().base_indent >= t.indent)
            frames.pop_back();
        enter_from_untraced(file, frames.back(), label_name, t.indent);
        return follow(t);
    }
    const ClauseStart* clause = file.index.clause_on(line - 1, t.text, file.text);
    // Regina indents a clause by its calls and the loops it runs in: what is
    // left after its own loops is where its frame starts.
    const int base = t.indent - (clause ? clause->loops : 0);
    const Label* routine = file.index.routine_at(line - 1);
    auto runs_here = [&](std::size_t k) {
        return routine ? ostra::upper(frames[k].routine) == ostra::upper(routine->name)
                       : k == a.root;
    };
    // The deepest frame seen before that starts there and runs that routine
    // is the one now running; those above it have returned.
    std::size_t keep = frames.size();
    for (std::size_t k = frames.size(); k-- > a.root;)
        if (frames[k].base_indent == base && runs_here(k)) {
            keep = k;
            break;
        }
    if (keep < frames.size()) {
        frames.resize(keep + 1);
    } else if (base <= 0 || !routine) {
        frames.resize(a.root + 1); // back in the activation's own code
    } else {
        // Called while untraced: the frames that start at or above it are
        // gone, and the one below calls it.
        while (frames.size() > a.root + 1 && frames.back().base_indent >= base)
            frames.pop_back();
        enter_from_untraced(file, frames.back(), routine->name, base);
        push(routine->name, a.file, base);
        frames.back().procedure = starts_with_word(routine->entry_text, "procedure");
    }
    frames.back().fresh = false;
    frames.back().last_indent = t.indent; // follow() enters nothing more
    return follow(t);
}

// The frame `caller` called `routine` from a clause that was not traced: it
// stands at a line of its own routine that calls that name.
void Program::enter_from_untraced(const LoadedFile& file, Frame& caller, const std::string& routine,
                                  int callee_indent) {
    const bool main = &caller == &frames[activations_.back().root];
    const Label* caller_routine = main ? nullptr : file.index.label_named(caller.routine);
    for (int site : file.index.lines_calling(routine))
        if (file.index.routine_at(site) == caller_routine) {
            caller.line = file.first_displayed + site;
            break;
        }
    caller.last_indent = callee_indent - 1;
}

void Program::called_untraced(const std::string& routine) {
    if (activations_.empty()) return;
    const Activation& a = activations_.back();
    Frame& caller = frames.back();
    enter_from_untraced(files[std::size_t(a.file)], caller, routine, caller.last_indent + 1);
}

std::optional<Program::Hidden> Program::hidden_scope(std::size_t index) {
    if (index >= frames.size()) return std::nullopt;
    const std::size_t run = frames[index].activation;
    for (std::size_t k = index + 1; k < frames.size() && frames[k].activation == run; ++k) {
        if (!frames[k].procedure) continue;
        if (!frames[k - 1].hidden) return std::nullopt;
        bool innermost = true;
        for (std::size_t j = k + 1; j < frames.size() && frames[j].activation == run; ++j)
            innermost = innermost && !frames[j].procedure;
        return Hidden{&frames[k - 1], &frames[k], innermost};
    }
    return std::nullopt;
}

std::optional<std::size_t> Program::scope_of(std::size_t index) const {
    if (index >= frames.size()) return std::nullopt;
    const std::size_t run = frames[index].activation;
    for (std::size_t k = index + 1; k < frames.size() && frames[k].activation == run; ++k)
        if (frames[k].procedure) return std::nullopt;
    return run;
}

} // namespace regina

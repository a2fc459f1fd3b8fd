// Breakpoints: lines (confirmed with "stop-set") and routines (confirmed
// with "stopin-set"). A breakpoint on a file that is not loaded yet, or on a
// routine whose file is not, waits and is confirmed when the file arrives.
#include "session.h"
#include "value.h"

namespace sim {

// The displayed line of the first clause the walker can stop at on line
// `line` (0-based) of file `file` or after it in the same file.
std::optional<int> Session::clause_line_from(int file, int line) const {
    const SourceFile& f = m_.files[std::size_t(file)];
    for (const Clause& c : f.clauses)
        if (c.step_point && c.line >= line) return f.first_displayed + c.line;
    return std::nullopt;
}

void Session::confirm_line(int displayed) {
    lines_.insert(displayed);
    link_.send("stop-set", std::to_string(displayed));
}

void Session::stop_at(const std::vector<std::string>& words, bool displayed) {
    long n;
    if (!to_whole(words[2], n) || n < 1) return say("ostra-sim: bad line number " + words[2]);
    int file = 0, line = int(n - 1);
    if (displayed) {
        // The file that holds displayed line n.
        file = -1;
        for (std::size_t i = 0; i < m_.files.size(); ++i) {
            const SourceFile& f = m_.files[i];
            if (line >= f.first_displayed && line < f.first_displayed + f.line_count) {
                file = int(i);
                line -= f.first_displayed;
            }
        }
    } else if (selected_ < m_.frames.size()) {
        file = m_.frames[selected_].file;
    }
    std::optional<int> at;
    if (file >= 0 && line < m_.files[std::size_t(file)].line_count)
        at = clause_line_from(file, line);
    if (!at) return say("ostra-sim: no clause at or after line " + words[2]);
    confirm_line(*at);
}

// "stop in NAME ID LINE": a LINE of 0 sets a routine breakpoint with that
// id; otherwise NAME is a file and LINE a line in it.
void Session::stop_in(const std::vector<std::string>& words) {
    long id, line;
    if (!to_whole(words[3], id) || !to_whole(words[4], line))
        return say("ostra-sim: bad breakpoint \"" + words[2] + " " + words[3] + " " + words[4] +
                   "\"");
    if (line != 0) {
        pending_.push_back({words[2], int(line)});
    } else {
        for (const RoutineBreak& r : routines_)
            if (r.id == id) return;
        routines_.push_back({int(id), words[2]});
    }
    resolve_pending();
}

void Session::delete_line(const std::vector<std::string>& words) {
    long line;
    if (to_whole(words[1], line)) lines_.erase(int(line));
}

void Session::delete_routine(const std::vector<std::string>& words) {
    long id;
    if (!to_whole(words[1], id)) return;
    std::erase_if(routines_, [&](const RoutineBreak& r) { return r.id == id; });
}

std::optional<int> Session::routine_line(const std::string& name) const {
    for (const SourceFile& f : m_.files) {
        if (auto label = f.labels.find(upper(name)); label != f.labels.end())
            return f.first_displayed + f.clauses[std::size_t(label->second)].line;
    }
    for (std::size_t i = 1; i < m_.files.size(); ++i)
        if (upper(file_stem(m_.files[i].path)) == upper(name)) return m_.files[i].first_displayed;
    return std::nullopt;
}

bool Session::routine_break_at(const std::string& routine) const {
    for (const RoutineBreak& r : routines_)
        if (upper(r.name) == upper(routine)) return true;
    return false;
}

// Confirms every breakpoint whose file or routine is now known.
void Session::resolve_pending() {
    for (RoutineBreak& r : routines_) {
        if (r.confirmed) continue;
        if (std::optional<int> line = routine_line(r.name)) {
            r.confirmed = true;
            link_.send("stopin-set", std::to_string(r.id) + " " + std::to_string(*line));
        }
    }
    std::erase_if(pending_, [&](const FileLineBreak& b) {
        for (std::size_t i = 0; i < m_.files.size(); ++i) {
            const SourceFile& f = m_.files[i];
            if (upper(base_name(f.path)) != upper(b.file)) continue;
            std::optional<int> at;
            if (b.line <= f.line_count) at = clause_line_from(int(i), b.line - 1);
            if (at)
                confirm_line(*at);
            else
                say("ostra-sim: no clause at or after line " + std::to_string(b.line) + " of " +
                    b.file);
            return true;
        }
        return false;
    });
}

} // namespace sim

// Breakpoints: lines (confirmed with "stop-set") and routines (confirmed
// with "stopin-set"). A breakpoint on a file that is not loaded yet, or on a
// routine whose file is not, waits and is confirmed when the file arrives.
#include "session.h"
#include "text.h"

namespace ostra {

// A breakpoint set again on its line takes the new options.
void Session::confirm_line(int displayed, const BreakOptions& options) {
    lines_.insert(displayed);
    if (options.plain())
        tests_.erase(displayed);
    else
        tests_[displayed] = BreakTest{options};
    link_.send("stop-set", std::to_string(displayed));
}

void Session::stop_at(const Command& c) {
    int file = 0, line = int(c.line - 1);
    const std::size_t files = engine_.file_count();
    if (c.displayed) {
        // The file that holds displayed line n.
        file = -1;
        for (std::size_t i = 0; i < files; ++i) {
            ProgramFile f = engine_.file(i);
            if (line >= f.first_displayed && line < f.first_displayed + f.line_count) {
                file = int(i);
                line -= f.first_displayed;
                break;
            }
        }
    } else if (selected_ < engine_.depth()) {
        file = engine_.frame(selected_).file;
    }
    std::optional<int> at;
    if (file >= 0 && std::size_t(file) < files && line < engine_.file(std::size_t(file)).line_count)
        at = engine_.clause_line_from(file, line);
    if (!at) return complain("no clause at or after line " + std::to_string(c.line));
    confirm_line(*at, c.options);
}

// "stop in NAME ID LINE": a LINE of 0 sets a routine breakpoint with that
// id; otherwise NAME is a file and LINE a line in it.
void Session::stop_in(const Command& c) {
    if (c.line != 0) {
        pending_.push_back({c.name, c.line, c.options});
    } else {
        for (const RoutineBreak& r : routines_)
            if (r.id == c.id) return;
        routines_.push_back({c.id, c.name, false, BreakTest{c.options}});
    }
    resolve_pending();
}

bool Session::routine_break_holds(const std::string& routine) {
    for (RoutineBreak& r : routines_)
        if (upper(r.name) == upper(routine) &&
            (r.test.options.plain() || holds(r.test, engine_.frame(engine_.depth() - 1).line)))
            return true;
    return false;
}

// Confirms every breakpoint whose file or routine is now known.
void Session::resolve_pending() {
    for (RoutineBreak& r : routines_) {
        if (r.confirmed) continue;
        if (std::optional<int> line = engine_.routine_line(r.name)) {
            r.confirmed = true;
            link_.send("stopin-set", std::to_string(r.id) + " " + std::to_string(*line));
        }
    }
    std::erase_if(pending_, [&](const FileLineBreak& b) {
        for (std::size_t i = 0; i < engine_.file_count(); ++i) {
            ProgramFile f = engine_.file(i);
            if (upper(base_name(f.path)) != upper(b.file)) continue;
            std::optional<int> at;
            if (b.line <= f.line_count) at = engine_.clause_line_from(int(i), int(b.line - 1));
            if (at)
                confirm_line(*at, b.options);
            else
                complain("no clause at or after line " + std::to_string(b.line) + " of " + b.file);
            return true;
        }
        return false;
    });
}

} // namespace ostra

// Regina's exits: the trace exit (where the session stops before each
// clause), the terminal exits of SAY and PULL, and the function exit that
// runs routine files found beside the macro under the debugger.
#include "halt_signals.h"
#include "regina_engine.h"
#include "rexx_api.h"
#include "routine_files.h"

#include "sys.h"
#include "text.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <poll.h>
#include <set>
#include <unistd.h>

namespace regina {

namespace {

std::int64_t now_us() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

// Whether standard input can be read without waiting: bytes already in the
// stdio buffer (glibc keeps its read pointers in the FILE), or on the
// descriptor, or its end.
bool stdin_ready() {
    if (stdin->_IO_read_ptr < stdin->_IO_read_end) return true;
    pollfd p{0, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0;
}

// Regina's "Error 41 running "/x/m.rexx", line 4: Bad arithmetic conversion"
// as the debugger's message puts it: "Error 41: Bad arithmetic conversion
// (line 4 of m.rexx)".
std::string error_message(const std::string& report) {
    std::size_t running = report.find(" running \"");
    std::size_t path_end =
        running == std::string::npos ? running : report.find("\", line ", running + 10);
    std::size_t colon = path_end == std::string::npos ? path_end : report.find(": ", path_end);
    if (colon == std::string::npos) return report;
    std::string path = report.substr(running + 10, path_end - running - 10);
    std::string line = report.substr(path_end + 8, colon - path_end - 8);
    return report.substr(0, running) + report.substr(colon) + " (line " + line + " of " +
           ostra::base_name(path) + ")";
}

void set_result(RXSTRING& into, const std::string& value) {
    if (!into.strptr || into.strlength < value.size())
        into.strptr = static_cast<char*>(RexxAllocateMemory(ULONG(value.size() + 1)));
    std::memcpy(into.strptr, value.data(), value.size());
    into.strlength = value.size();
}

} // namespace

long ReginaEngine::on_io(long subfunction, void* parameters) {
    switch (subfunction) {
    case RXSIOTRC: {
        // Where the debugger stops and asks its questions.
        HaltSignalsHeld held;
        auto* p = static_cast<RXSIOTRC_PARM*>(parameters);
        return on_trace(std::string_view(p->rxsio_string.strptr, p->rxsio_string.strlength));
    }
    case RXSIOSAY:
        if (!asking_) return RXEXIT_NOT_HANDLED;
        {
            auto* p = static_cast<RXSIOSAY_PARM*>(parameters);
            said_.append(p->rxsio_string.strptr, p->rxsio_string.strlength);
            said_ += '\n';
        }
        return RXEXIT_HANDLED;
    case RXSIOTRD:
        if (asking_) {
            // A question that pulls gets an empty line: it must not eat
            // the macro's input.
            set_result(static_cast<RXSIOTRD_PARM*>(parameters)->rxsiotrd_retc, "");
            return RXEXIT_HANDLED;
        }
        {
            HaltSignalsHeld held; // the debugger may stop and ask while it waits
            wait_for_stdin();
        }
        return RXEXIT_NOT_HANDLED;
    case RXSIODTR:
        // The pause after each clause: go on, or run untraced for a while.
        set_result(static_cast<RXSIODTR_PARM*>(parameters)->rxsiodtr_retc,
                   asking_ ? std::string() : pause_answer());
        return RXEXIT_HANDLED;
    }
    return RXEXIT_NOT_HANDLED;
}

long ReginaEngine::on_trace(std::string_view line) {
    if (!halt_signals_recorded_) {
        record_halt_signals();
        halt_signals_recorded_ = true;
    }
    if (asking_) {
        // A question's own clauses: only watch that it does not run away.
        // A question run by RexxCallBack leaves Regina's last line number
        // as it was; one that is a Regina run of its own does not.
        if (!asking_live_) program_.saw_line_number(read_trace_line(line).line);
        if (++question_clauses_ % 1024 == 0 && !halt_sent_ &&
            ostra::now_ms() > question_deadline_) {
            halt_sent_ = true;
            RexxSetHalt(getpid(), 0);
        }
        return RXEXIT_HANDLED;
    }
    TraceLine t = read_trace_line(line);
    if (!t.clause) {
        // Regina's banner as interactive tracing begins: the debugger's own.
        if (line.find("+++ Interactive trace.") != std::string_view::npos) return RXEXIT_HANDLED;
        // An error's traceback starts with the failing clause: after an
        // untraced stretch, that is where the frames are worked out again.
        if (untraced_run_ != no_stretch && line.size() > 11 && line.substr(6, 5) == " +++ " &&
            line.find("+++ RC=") == std::string_view::npos) {
            std::string as_clause(line);
            as_clause.replace(6, 5, " *-* ");
            untraced_run_ = no_stretch;
            program_.resync(read_trace_line(as_clause));
        }
        if (line.rfind("Error ", 0) == 0 && !error_seen_) {
            // Regina's report of a run-time error: show it, then stop at the
            // clause that failed so that its variables can be looked at.
            error_seen_ = true;
            write_error_output(std::string(line));
            session_->failed(error_message(std::string(line)),
                             raised_by_error(std::string(line), last_halt_signal()));
            if (session_->quitting()) end_now();
            return RXEXIT_HANDLED;
        }
        const std::string letter =
            program_.frames.empty() ? "N" : trace_letter(program_.frames.back().trace_asked);
        // Results and intermediates ("       >V>   ..."): Regina makes them
        // for a TRACE R or I, and the macro may have asked for less since
        // (TRACE() with an argument).
        if (line.size() > 10 && line.substr(7, 1) == ">" && line.substr(9, 1) == ">")
            return letter == "R" || letter == "I" ? RXEXIT_NOT_HANDLED : RXEXIT_HANDLED;
        if (line.find("+++ RC=") != std::string_view::npos) {
            if (letter == "O") {
                catch_command_failure(line);
                return RXEXIT_HANDLED;
            }
            // Under A, R and I its clause has been shown already.
            if (letter != "A" && letter != "R" && letter != "I") {
                if (untraced_run_ != no_stretch) place_untraced_command();
                show_failed_command();
            }
            // Regina would write the line after this exit: written first, it
            // is in the macro's output before a stop for the condition.
            write_error_output(std::string(line));
            catch_command_failure(line);
            return RXEXIT_HANDLED;
        }
        // A traceback line shows the copy's clause: shown as written.
        const int file = program_.current_file();
        if (file >= 0 && line.size() > 11 && line.substr(6, 5) == " +++ ") {
            const std::string shown =
                shown_as_written(std::string(line), program_.files[std::size_t(file)].rewrite);
            if (shown != line) {
                write_error_output(shown);
                return RXEXIT_HANDLED;
            }
        }
        return RXEXIT_NOT_HANDLED; // Regina writes it to standard error
    }
    // A command of this clause that was not marked (INTERPRET's) has no
    // known string.
    last_command_.clear();
    // A label a condition trap names may be where a handler takes a
    // condition the debugger catches: the clause before it tells.
    const bool trap_label = !t.text.empty() && t.text.back() == ':' && session_->catching_any();
    const int line_before = clause_line_;
    const std::string text_before = trap_label ? clause_text_ : std::string();
    const std::size_t depth_before = program_.frames.size();
    clause_line_ = t.line > 0 ? t.line : clause_line_;
    clause_text_.assign(line.substr(11)); // as the copy has it: see show_failed_command
    std::optional<ostra::Position> at;
    if (untraced_run_ != no_stretch) {
        follow_.lose(); // the stretch's clauses were not seen
        end_stretch();
        if (session_->quitting()) end_now();
        at = program_.resync(t);
    } else {
        at = program_.follow(t);
    }
    follow_.clause(program_.frames.size(), clause_text_);
    keep_hidden_variables();
    echo_trace(line, t); // in the frame the clause runs in
    if (!at) {
        if (trap_label)
            catch_trap(t, line_before, text_before, program_.frames.size() > depth_before);
        return RXEXIT_HANDLED;
    }
    if (!session_->before_clause(*at)) end_now();
    if (++since_flush_ >= 256) {
        since_flush_ = 0;
        std::fflush(stdout);
    }
    const int file = program_.current_file();
    if (file >= 0 && program_.files[std::size_t(file)].reads_input && reads_default_input(t.text))
        wait_for_stdin();
    return RXEXIT_HANDLED;
}

// Plain Regina traces a command that ends with a return code other than 0:
// the clause, then "+++ RC=n +++". Under "trace a" the clause was traced
// before it ran, to the trace exit; it is written here as plain Regina's
// tracing would have written it, the line number shown only when it
// changed.
void ReginaEngine::show_failed_command() {
    char number[16] = "      ";
    if (clause_line_ != shown_line_) std::snprintf(number, sizeof number, "%6d", clause_line_);
    shown_line_ = clause_line_;
    std::string shown = std::string(number) + " *-* " + clause_text_;
    const int file = program_.current_file();
    if (file >= 0) shown = shown_as_written(shown, program_.files[std::size_t(file)].rewrite);
    write_error_output(shown);
}

// A line of Regina's error output, after what the macro wrote before it.
void ReginaEngine::write_error_output(std::string line) {
    line += '\n';
    settle();
    (void)!::write(2, line.data(), line.size());
}

// A PROCEDURE hides its caller's variables from Regina's variable pool
// until it returns; they cannot change meanwhile (but for those it
// exposes), so a copy taken now answers questions about the caller. Only
// while the debugger could stop to ask: a free run copies nothing.
void ReginaEngine::keep_hidden_variables() {
    std::vector<Frame>& frames = program_.frames;
    if (program_.entered_procedure() && frames.size() >= 2 &&
        frames[frames.size() - 2].activation == frames.back().activation &&
        !session_->runs_freely()) {
        Frame& caller = frames[frames.size() - 2];
        caller.hidden = all_variables();
        caller.hidden_changes.clear();
    }
    // Back in a frame whose routine call has returned: what questions
    // changed in its copy goes to Regina now.
    Frame& top = frames.back();
    if (top.hidden && !program_.entered_procedure()) {
        for (const auto& [variable, value] : top.hidden_changes)
            put_variable(variable, value);
        top.hidden.reset();
        top.hidden_changes.clear();
    }
}

std::string ReginaEngine::pause_answer() {
    // Regina goes on counting the untraced clauses wherever they run, in
    // any routine and any file: a stretch may only start when no clause it
    // could run stops the macro, and when no file it runs reads the default
    // input (a read needs its line for "halt-at"), or has its clauses traced
    // by its own TRACE (that output needs every clause). A TRACE VALUE that
    // asks for clause output inside a stretch shows it from the stretch's
    // end. After "trace -N" Regina pauses once more: an empty answer sets it
    // going.
    if (untraced_run_ != no_stretch) return "";
    if (!session_->runs_to_breakpoints()) return "";
    for (const LoadedFile& f : program_.files)
        if (f.reads_input || f.rewrite.asks_for_output) return "";
    for (const Frame& frame : program_.frames)
        if (traces_clauses(trace_letter(frame.trace_asked))) return "";
    long long clauses = stretch_;
    if (!session_->runs_freely()) {
        // Too short a stretch costs more than tracing its clauses.
        const long long room = untraced_room();
        if (room < 16) return "";
        clauses = std::min(clauses, room);
    }
    untraced_run_ = program_.activations() - 1;
    stretch_began_us_ = now_us();
    return "trace -" + std::to_string(clauses);
}

// How many clauses Regina may run untraced while breakpoints are set: as
// many as it likes when none of them can ever be reached, else what the
// counted loops around the clause that just ran are sure to run first (no
// call can happen there, so routine breakpoints cannot be reached).
long long ReginaEngine::untraced_room() {
    const std::set<int>& stops = session_->line_breakpoints();
    const bool reachable = session_->has_routine_breakpoints() ||
                           std::any_of(stops.begin(), stops.end(), [&](int displayed) {
                               const LoadedFile* f = program_.file_holding(displayed);
                               // A routine file's own "return" line is not known to be unreached.
                               return !f || f->bounds.may_run(displayed - f->first_displayed);
                           });
    if (!reachable) return std::numeric_limits<long long>::max();
    const int file = program_.current_file();
    if (file < 0 || program_.frames.empty()) return 0;
    const LoadedFile& f = program_.files[std::size_t(file)];
    const int line = program_.frames.back().line - f.first_displayed;
    std::string_view traced = clause_text_;
    traced.remove_prefix(std::min(traced.find_first_not_of(' '), traced.size()));
    std::optional<std::size_t> clause = traced_clause(f.index, f.text, line, traced);
    if (!clause) return 0;
    std::set<int> own;
    for (int displayed : stops)
        if (program_.file_holding(displayed) == &f) own.insert(displayed - f.first_displayed);
    return f.bounds.clauses_before_leaving(
        *clause, own, [](const std::string& name) { return fetch_variable(name, false); });
}

// Commands are served between stretches: a stretch is kept to a few
// milliseconds so that "break" and new breakpoints take effect at once.
void ReginaEngine::end_stretch() {
    untraced_run_ = no_stretch;
    const std::int64_t took = now_us() - stretch_began_us_;
    if (took < 2000 && stretch_ < 1000000)
        stretch_ *= 2;
    else if (took > 8000 && stretch_ > 64)
        stretch_ /= 2;
    session_->poll_now();
}

// A command failed while Regina ran untraced: the clause the copy's
// command clauses name as they run (OSTRA_REGINA_AT_) is shown as Regina
// would have traced it.
void ReginaEngine::place_untraced_command() {
    const int file = program_.current_file();
    if (file < 0) return;
    const LoadedFile& f = program_.files[std::size_t(file)];
    if (command_clause_ < 0 || std::size_t(command_clause_) >= f.index.commands.size()) return;
    const SourceIndex::Command& c = f.index.commands[std::size_t(command_clause_)];
    const Label* routine = f.index.routine_at(c.clause.line);
    // Its routine's frame gives the depth; one not on the stack was called
    // during the stretch, from the innermost frame known.
    int base = routine && !program_.frames.empty() ? program_.frames.back().base_indent + 1 : 0;
    for (std::size_t k = program_.frames.size(); k-- > 0;) {
        const Frame& frame = program_.frames[k];
        if (frame.file != file) continue;
        const bool root = k == 0 || program_.frames[k - 1].file != file;
        if (routine ? ostra::upper(frame.routine) == ostra::upper(routine->name) : root) {
            base = frame.base_indent;
            break;
        }
    }
    clause_line_ = c.clause.line + 1;
    clause_text_ = std::string(std::size_t(base + c.clause.loops), ' ') +
                   f.text.substr(c.clause.offset, c.end - c.clause.offset);
}

void ReginaEngine::wait_for_stdin() {
    if (stdin_ready()) return;
    if (!session_->wait_for_input(0, stdin_ready)) end_now();
}

// Killed, or the debugger went away: nothing of the macro may run on.
void ReginaEngine::end_now() {
    settle();
    int status = session_->close();
    std::_Exit(status);
}

// The macro's TRACE instruction, or its TRACE() function: what it asks for
// is kept for its trace output, and Regina goes on tracing for the
// debugger (the result lines of R and I only when asked for).
long ReginaEngine::on_trace_setting(bool instruction, void* parameters) {
    auto* p = static_cast<RXFNCCAL_PARM*>(parameters);
    std::string setting = p->rxfnc_argc > 0 && p->rxfnc_argv[0].strptr
                              ? std::string(p->rxfnc_argv[0].strptr, p->rxfnc_argv[0].strlength)
                              : "";
    std::string& asked =
        program_.frames.empty() ? macro_trace_ : program_.frames.back().trace_asked;
    const std::string before = asked;
    const std::string letter = trace_letter(setting);
    if (!letter.empty()) asked = (setting.find('?') != std::string::npos ? "?" : "") + letter;
    if (!instruction) {
        set_result(p->rxfnc_retc, before);
        return RXEXIT_HANDLED;
    }
    const std::string now = trace_letter(asked);
    set_result(p->rxfnc_retc, now == "R" || now == "I" ? now : "A");
    return RXEXIT_HANDLED;
}

// Trace output the macro asked for, as plain Regina would write it.
void ReginaEngine::echo_trace(std::string_view line, const TraceLine& t) {
    if (program_.frames.empty()) return;
    const std::string& asked = program_.frames.back().trace_asked;
    if (asked == "N" || asked == "O") return; // the usual case, at every clause
    const std::string letter = trace_letter(asked);
    const bool label = !t.text.empty() && t.text.back() == ':';
    if (letter != "A" && letter != "R" && letter != "I" && !(letter == "L" && label)) return;
    const int file = program_.current_file();
    write_error_output(
        shown_as_written(std::string(line), program_.files[std::size_t(file)].rewrite));
}

long ReginaEngine::on_function(void* parameters) {
    auto* p = static_cast<RXFNCCAL_PARM*>(parameters);
    std::string name(reinterpret_cast<const char*>(p->rxfnc_name), p->rxfnc_namel);
    if (name == trace_instruction_function) return on_trace_setting(true, parameters);
    if (name == trace_query_function) return on_trace_setting(false, parameters);
    if (name == command_mark_function) {
        // A command clause of the copy is about to run: which one, in case
        // it fails while Regina runs untraced, and the command string it
        // sends (its second argument, given back unchanged), which
        // condition('D') gives for its ERROR or FAILURE.
        command_clause_ =
            p->rxfnc_argc > 0 && p->rxfnc_argv[0].strptr
                ? std::atoi(
                      std::string(p->rxfnc_argv[0].strptr, p->rxfnc_argv[0].strlength).c_str())
                : -1;
        last_command_.clear();
        if (p->rxfnc_argc > 1 && p->rxfnc_argv[1].strptr)
            last_command_.assign(p->rxfnc_argv[1].strptr, p->rxfnc_argv[1].strlength);
        set_result(p->rxfnc_retc, last_command_);
        return RXEXIT_HANDLED;
    }
    if (asking_) return RXEXIT_NOT_HANDLED;
    int caller = program_.current_file();
    std::vector<std::string> folders;
    if (caller >= 0) folders.push_back(folder_of(program_.files[std::size_t(caller)].real));
    folders.push_back(folder_of(program_.files[0].real));
    std::string found = find_routine_file(name, folders);
    if (found.empty()) return RXEXIT_NOT_HANDLED; // Regina's own search
    int file = program_.file_of(found);
    if (file < 0) {
        std::string text;
        if (!read_whole_file(found, text)) return RXEXIT_NOT_HANDLED;
        file = program_.add_file(shown_path(found, program_.files), found, text);
        session_->file_loaded(std::size_t(file), text);
    }
    std::vector<std::string> args;
    for (USHORT i = 0; i < p->rxfnc_argc; ++i)
        args.emplace_back(p->rxfnc_argv[i].strptr ? p->rxfnc_argv[i].strptr : "",
                          p->rxfnc_argv[i].strlength);
    std::optional<std::string> result;
    bool failed = false;
    const bool subroutine = p->rxfnc_flags.rxffsub;
    // The caller's variables stay as they are until the call returns: a
    // snapshot answers questions about them meanwhile.
    const std::size_t caller_run = program_.activations() - 1;
    if (snapshots_.size() <= caller_run) {
        snapshots_.resize(caller_run + 1);
        changes_.resize(caller_run + 1);
    }
    snapshots_[caller_run] = all_variables();
    changes_[caller_run].clear();
    const bool untraced = untraced_run_ != no_stretch;
    if (untraced) program_.called_untraced(ostra::upper(name));
    run_file(file, subroutine ? RXSUBROUTINE : RXFUNCTION, args, result, failed);
    // The caller's stretch may go on after the call.
    if (untraced) untraced_run_ = program_.activations() - 1;
    for (const auto& [variable, value] : changes_[caller_run])
        put_variable(variable, value);
    changes_[caller_run].clear();
    snapshots_[caller_run].clear();
    if (session_->quitting()) end_now();
    if (failed) {
        p->rxfnc_flags.rxfferr = 1;
        return RXEXIT_HANDLED;
    }
    if (result)
        set_result(p->rxfnc_retc, *result);
    else
        MAKERXSTRING(p->rxfnc_retc, nullptr, 0); // RETURN without a value
    return RXEXIT_HANDLED;
}

} // namespace regina

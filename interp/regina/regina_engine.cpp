#include "regina_engine.h"

#include "rexx_api.h"
#include "routine_files.h"
#include "text.h"

#include <cstdio>
#include <cstring>

namespace regina {

namespace {

ReginaEngine* active = nullptr; // the exits are plain C functions

LONG APIENTRY io_exit(LONG function, LONG subfunction, PEXIT parameters) {
    return active ? active->on_io(subfunction, parameters) : RXEXIT_NOT_HANDLED;
}

LONG APIENTRY function_exit(LONG function, LONG subfunction, PEXIT parameters) {
    return active ? active->on_function(parameters) : RXEXIT_NOT_HANDLED;
}

LONG APIENTRY start_or_end_exit(LONG function, LONG subfunction, PEXIT parameters) {
    return active ? active->on_start_or_end(function) : RXEXIT_NOT_HANDLED;
}

// The body of the helper of questions: runs the question in the caller's
// scope (the helper has no PROCEDURE), and turns every way the question can
// fail, a runaway loop included (halted from the trace exit), into one line
// starting with 01x.
const char ask_body[] = "signal on syntax name OSTRA_REGINA_FAILED_\n"
                        "signal on novalue name OSTRA_REGINA_FAILED_\n"
                        "signal on halt name OSTRA_REGINA_FAILED_\n"
                        "interpret arg(1)\n"
                        "return\n"
                        "OSTRA_REGINA_FAILED_:\n"
                        "if condition('C') == 'SYNTAX' then say '01'x'Error' rc':' errortext(rc)\n"
                        "else if condition('C') == 'NOVALUE' then say '01'x'NOVALUE:' "
                        "condition('D') 'has no value'\n"
                        "else say '01'x'The question did not finish in time.'\n"
                        "return\n";

} // namespace

std::string traced_copy(const std::string& text) {
    std::string copy;
    if (text.rfind("#!", 0) == 0) {
        // Regina passes over a "#!" first line; the copy's first line
        // carries the trace setting instead, so line numbers stay.
        copy = "trace ?a" + text.substr(std::min(text.find('\n'), text.size()));
    } else {
        copy = "trace ?a;" + text;
    }
    // Falling off the end of the file must not run into the helper.
    copy += "\nexit\n";
    copy += std::string(ask_routine) + ":\n" + ask_body;
    return copy;
}

std::string question_program() {
    return std::string("trace a;") + ask_body;
}

namespace {

bool same_letters(std::string_view text, std::size_t at, const char* upper_word) {
    for (std::size_t n = 0; upper_word[n]; ++n)
        if (at + n >= text.size() || (text[at + n] & ~0x20) != upper_word[n]) return false;
    return true;
}

std::size_t skip_blanks(std::string_view text, std::size_t at) {
    while (at < text.size() && text[at] == ' ')
        ++at;
    return at;
}

} // namespace

// Called for every clause: looks without copying.
bool reads_default_input(std::string_view clause) {
    const bool parse = same_letters(clause, 0, "PARSE");
    for (std::size_t at = 0; at + 6 <= clause.size(); ++at) {
        if (!same_letters(clause, at, "LINEIN") && !same_letters(clause, at, "CHARIN")) continue;
        std::size_t p = skip_blanks(clause, at + 6);
        if (p >= clause.size() || clause[p] != '(') {
            if (parse && clause[at] != 'c' && clause[at] != 'C') return true; // PARSE LINEIN
            continue;
        }
        p = skip_blanks(clause, p + 1);
        if (clause.substr(p, 2) == "''" || clause.substr(p, 2) == "\"\"")
            p = skip_blanks(clause, p + 2);
        if (p < clause.size() && (clause[p] == ')' || clause[p] == ',')) return true;
    }
    return false;
}

ReginaEngine::ReginaEngine() {
    active = this;
    // Exits belong to the thread that registers them: this one runs Regina.
    RexxRegisterExitExe(io_exit_name, io_exit, nullptr);
    RexxRegisterExitExe(function_exit_name, function_exit, nullptr);
    RexxRegisterExitExe(start_exit_name, start_or_end_exit, nullptr);
    RexxRegisterExitExe(end_exit_name, start_or_end_exit, nullptr);
}

ReginaEngine::~ReginaEngine() {
    RexxDeregisterExit(io_exit_name, nullptr);
    RexxDeregisterExit(function_exit_name, nullptr);
    RexxDeregisterExit(start_exit_name, nullptr);
    RexxDeregisterExit(end_exit_name, nullptr);
    active = nullptr;
}

ostra::ProgramFile ReginaEngine::file(std::size_t index) const {
    const LoadedFile& f = program_.files[index];
    return {f.path, f.first_displayed, f.index.line_count};
}

ostra::StackFrame ReginaEngine::frame(std::size_t index) const {
    const Frame& f = program_.frames[index];
    return {f.routine, f.file, f.line};
}

std::optional<int> ReginaEngine::clause_line_from(int file, int line) const {
    const LoadedFile& f = program_.files[std::size_t(file)];
    int at = f.index.clause_line_from(line);
    if (at < 0) return std::nullopt;
    return f.first_displayed + at;
}

std::optional<int> ReginaEngine::routine_line(const std::string& name) const {
    for (const LoadedFile& f : program_.files)
        if (const Label* l = f.index.label_named(name)) return f.first_displayed + l->line;
    for (std::size_t i = 1; i < program_.files.size(); ++i)
        if (ostra::upper(ostra::file_stem(program_.files[i].path)) == ostra::upper(name))
            return program_.files[i].first_displayed;
    return std::nullopt;
}

void ReginaEngine::settle() {
    std::fflush(stdout);
    std::fflush(stderr);
}

int ReginaEngine::run(const std::string& shown, const std::string& real, const std::string& args) {
    std::string text;
    if (!read_whole_file(real, text)) {
        session_->cannot_run("cannot read \"" + shown + "\"");
        return session_->close();
    }
    if (text.find('\0') != std::string::npos) {
        session_->cannot_run("\"" + shown + "\" is not a text file");
        return session_->close();
    }
    int main = program_.add_file(shown, real, text);
    session_->announce(text, shown, program_.files[0].index.line_count);
    bool failed = false;
    std::vector<std::string> arguments;
    if (!args.empty()) arguments.push_back(args);
    std::optional<std::string> result;
    int status = run_file(main, RXCOMMAND, arguments, result, failed);
    if (!session_->quitting()) session_->end(status);
    return session_->close();
}

// One traced Regina run of a loaded file. The status is what an interpreter
// process would exit with: the macro's EXIT value, or 256 minus the error
// number after a run-time error.
int ReginaEngine::run_file(int file, long call_type, const std::vector<std::string>& args,
                           std::optional<std::string>& result, bool& failed) {
    const LoadedFile& f = program_.files[std::size_t(file)];
    std::string copy = traced_copy(f.rewrite.text);
    RXSTRING instore[2];
    MAKERXSTRING(instore[0], copy.data(), copy.size());
    MAKERXSTRING(instore[1], nullptr, 0);
    std::vector<RXSTRING> argv(args.size() + 1);
    for (std::size_t i = 0; i < args.size(); ++i)
        MAKERXSTRING(argv[i], const_cast<char*>(args[i].data()), args[i].size());
    RXSYSEXIT exits[] = {{const_cast<char*>(io_exit_name), RXSIO},
                         {const_cast<char*>(function_exit_name), RXFNC},
                         {nullptr, RXENDLST}};
    SHORT rc = 0;
    RXSTRING value;
    MAKERXSTRING(value, nullptr, 0);
    program_.enter(file, file == 0 ? "main" : ostra::file_stem(f.path));
    // Regina wants an argument array even when there are no arguments.
    // Each Regina run installs its handlers of signals again.
    halt_signals_recorded_ = false;
    APIRET started = RexxStart(LONG(args.size()), argv.data(), f.real.c_str(), instore, "SYSTEM",
                               call_type, exits, &rc, &value);
    halt_signals_recorded_ = false;
    program_.leave();
    long code = long(started);
    failed = code != 0;
    if (value.strptr) result = std::string(value.strptr, value.strlength);
    if (value.strptr) RexxFreeMemory(value.strptr);
    if (instore[1].strptr) RexxFreeMemory(instore[1].strptr);
    if (code < 0) return int((256 + code % 256) % 256);
    if (code > 0) return 1;
    return rc;
}

int run_plain(const std::string& real, const std::string& args) {
    RXSTRING argv[2];
    MAKERXSTRING(argv[0], const_cast<char*>(args.data()), args.size());
    MAKERXSTRING(argv[1], nullptr, 0);
    SHORT rc = 0;
    RXSTRING value;
    MAKERXSTRING(value, nullptr, 0);
    APIRET started = RexxStart(args.empty() ? 0 : 1, argv, real.c_str(), nullptr, "SYSTEM",
                               RXCOMMAND, nullptr, &rc, &value);
    if (value.strptr) RexxFreeMemory(value.strptr);
    long code = long(started);
    if (code < 0) return int((256 + code % 256) % 256);
    if (code > 0) return 1;
    return rc;
}

} // namespace regina

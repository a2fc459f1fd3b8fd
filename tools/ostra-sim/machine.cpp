#include "machine.h"

#include "expr.h"
#include "value.h"

#include <fstream>

namespace sim {

namespace {

bool readable(const std::string& path) {
    return std::ifstream(path).good();
}

} // namespace

bool Machine::start(const std::string& path, const std::vector<std::string>& args) {
    files.clear();
    frames.clear();
    SourceFile main;
    if (!load_source(path, main)) return false;
    files.push_back(std::move(main));
    Frame f;
    f.routine = main_routine;
    f.pool = std::make_shared<VarPool>();
    f.args = args;
    frames.push_back(std::move(f));
    finish_step();
    return true;
}

int Machine::displayed_line(const Frame& f) const {
    const SourceFile& file = files[f.file];
    return file.first_displayed + file.clauses[f.pc].line;
}

int Machine::call_line(std::size_t index) const {
    if (index == 0 || index >= frames.size()) return -1;
    const Frame& caller = frames[index - 1];
    const SourceFile& file = files[caller.file];
    return file.first_displayed + file.clauses[frames[index].call_clause].line;
}

int Machine::displayed_count() const {
    return files.empty() ? 0 : files.back().first_displayed + files.back().line_count;
}

int Machine::routine_file(const std::string& name, Host& host) {
    std::vector<std::string> folders{folder_of(files[0].path)};
    if (!frames.empty()) folders.insert(folders.begin(), folder_of(files[frames.back().file].path));
    for (const std::string& folder : folders) {
        for (const std::string& base : {name, lower(name)}) {
            for (const char* ext : {".rexx", ".ost", ".rex", ".cmd", ""}) {
                std::string path = folder + base + ext;
                for (std::size_t i = 1; i < files.size(); ++i)
                    if (files[i].path == path) return int(i);
                SourceFile file;
                if (!readable(path) || !load_source(path, file)) continue;
                // The line before it is the routine file's "return" line.
                file.first_displayed = displayed_count() + 1;
                files.push_back(std::move(file));
                host.file_loaded(int(files.size() - 1));
                return int(files.size() - 1);
            }
        }
    }
    return -1;
}

bool Machine::fail(const std::string& why) {
    error = why;
    return false;
}

Outcome Machine::failed(const std::string& why) {
    error = why;
    return Outcome::failed;
}

Scope Machine::scope_of(Frame& f) {
    return Scope(*f.pool, &f.traps, f.traps.taking("NOVALUE") != nullptr);
}

bool Machine::eval(const std::string& expr, std::string& value) {
    Scope scope = scope_of(frames.back());
    std::string why;
    if (evaluate(expr, scope, value, why)) return true;
    if (!scope.novalue.empty()) raised = Condition{"NOVALUE", std::nullopt, scope.novalue};
    return fail(why);
}

Outcome Machine::step(Host& host) {
    if (frames.empty()) return Outcome::ended;
    raised.reset();
    Outcome outcome = run_clause(clause_of(frames.back()), host);
    if (outcome != Outcome::ran) return outcome;
    return finish_step();
}

// Control that runs off the end of a file: a routine file returns to its
// caller; the main file, or an internal routine in it, ends the program.
Outcome Machine::finish_step() {
    while (!frames.empty() && frames.back().pc >= int(files[frames.back().file].clauses.size())) {
        if (frames.size() == 1 || !frames.back().external) {
            frames.clear();
            break;
        }
        frames.pop_back();
        frames.back().pool->drop("RESULT");
    }
    return frames.empty() ? Outcome::ended : Outcome::ran;
}

Outcome Machine::run_clause(const Clause& c, Host& host) {
    Frame& f = frames.back();
    std::string value;
    switch (c.kind) {
    case Kind::say:
        if (!c.expr.empty() && !eval(c.expr, value)) return Outcome::failed;
        host.write_output(value + "\n");
        break;
    case Kind::assign:
        if (!eval(c.expr, value)) return Outcome::failed;
        f.pool->set(c.name, value);
        break;
    case Kind::parse:
        return run_parse(c, host);
    case Kind::if_: {
        if (!eval(c.expr, value)) return Outcome::failed;
        if (value != "0" && value != "1") return failed("Error 34: Logical value not 0 or 1");
        f.pc = value == "1" ? c.next : c.if_false;
        return Outcome::ran;
    }
    case Kind::do_:
        return run_do(c);
    case Kind::end:
        return run_end(c);
    case Kind::leave:
    case Kind::iterate:
        return run_leave(c);
    case Kind::call:
        return run_call(c, host);
    case Kind::return_:
    case Kind::exit:
        return run_return(c);
    case Kind::procedure:
        return run_procedure(c);
    case Kind::trap:
        return run_trap(c);
    case Kind::signal:
        return run_signal(c);
    case Kind::command:
        return run_command(c, host);
    case Kind::drop:
        for (const std::string& name : words_of(c.list))
            f.pool->drop(name);
        break;
    case Kind::interpret: {
        // The instructions the debugger's "interpret" knows, in this frame;
        // what they say is the macro's output.
        if (!eval(c.expr, value)) return Outcome::failed;
        std::string said, why;
        bool changed = false;
        if (!run_immediate(value, *f.pool, said, why, changed, &f.traps)) return failed(why);
        if (!said.empty()) host.write_output(said + "\n");
        break;
    }
    case Kind::unknown:
        return failed(c.error);
    default:
        break;
    }
    f.pc = c.next;
    return Outcome::ran;
}

Outcome Machine::run_parse(const Clause& c, Host& host) {
    Frame& f = frames.back();
    std::string source;
    switch (c.from) {
    case ParseFrom::pull: {
        std::optional<std::string> line = host.read_input_line();
        if (!line) return Outcome::interrupted;
        source = *line;
        break;
    }
    case ParseFrom::var:
        if (!eval(c.name, source)) return Outcome::failed;
        break;
    case ParseFrom::value:
        if (!c.expr.empty() && !eval(c.expr, source)) return Outcome::failed;
        break;
    case ParseFrom::arg: {
        // One template part per argument, separated by commas.
        std::size_t at = 0;
        for (std::size_t n = 0;; ++n) {
            std::size_t comma = c.list.find(',', at);
            std::string part = c.list.substr(at, comma == std::string::npos ? comma : comma - at);
            std::string arg = n < f.args.size() ? f.args[n] : "";
            apply_template(part, c.upper_case ? upper(arg) : arg, *f.pool);
            if (comma == std::string::npos) break;
            at = comma + 1;
        }
        f.pc = c.next;
        return Outcome::ran;
    }
    }
    apply_template(c.list, c.upper_case ? upper(source) : source, *f.pool);
    f.pc = c.next;
    return Outcome::ran;
}

Outcome Machine::run_call(const Clause& c, Host& host) {
    if (frames.size() >= deepest_stack) return failed("Error 11: Control stack full");
    std::vector<std::string> args;
    Scope scope = scope_of(frames.back());
    if (!evaluate_list(c.expr, scope, args, error)) {
        if (!scope.novalue.empty()) raised = Condition{"NOVALUE", std::nullopt, scope.novalue};
        return Outcome::failed;
    }
    Frame callee;
    callee.args = std::move(args);
    callee.call_clause = frames.back().pc;
    callee.caller_pool = frames.back().pool;
    const SourceFile& here = files[frames.back().file];
    if (auto label = here.labels.find(upper(c.name)); label != here.labels.end()) {
        callee.file = frames.back().file;
        callee.pc = label->second + 1;
        callee.routine = here.clauses[label->second].name;
        callee.pool = frames.back().pool;
        callee.traps = frames.back().traps;
    } else {
        int file = routine_file(c.name, host);
        if (file < 0) return failed("Error 43: Routine not found: " + c.name);
        callee.file = file;
        callee.routine = file_stem(files[file].path);
        callee.pool = std::make_shared<VarPool>();
        callee.external = true;
    }
    frames.back().pool->set("SIGL", std::to_string(c.line + 1));
    frames.back().pc = c.next; // where the routine returns to
    frames.push_back(std::move(callee));
    return Outcome::ran;
}

Outcome Machine::run_return(const Clause& c) {
    std::string value;
    if (!c.expr.empty() && !eval(c.expr, value)) return Outcome::failed;
    if (c.kind == Kind::exit || frames.size() == 1) {
        result = value;
        frames.clear();
        return Outcome::ended;
    }
    frames.pop_back();
    if (c.expr.empty())
        frames.back().pool->drop("RESULT");
    else
        frames.back().pool->set("RESULT", value);
    return Outcome::ran;
}

Outcome Machine::run_procedure(const Clause& c) {
    Frame& f = frames.back();
    if (frames.size() == 1 || f.external || !f.caller_pool || f.pool != f.caller_pool)
        return failed("Error 17: Unexpected PROCEDURE");
    std::set<std::string> exposed;
    for (const std::string& name : words_of(c.list))
        exposed.insert(upper(name));
    f.pool = std::make_shared<VarPool>(f.caller_pool, std::move(exposed));
    f.pc = c.next;
    return Outcome::ran;
}

void apply_template(const std::string& names, const std::string& source, VarPool& pool) {
    std::vector<std::string> vars = words_of(names);
    if (vars.size() == 1) {
        if (vars[0] != ".") pool.set(vars[0], source);
        return;
    }
    std::size_t at = 0;
    for (std::size_t n = 0; n < vars.size(); ++n) {
        std::size_t start = source.find_first_not_of(' ', at);
        std::string word;
        if (start == std::string::npos) {
            at = source.size();
        } else if (n + 1 == vars.size()) {
            word = source.substr(start);
            at = source.size();
        } else {
            std::size_t end = source.find(' ', start);
            word = source.substr(start, end == std::string::npos ? end : end - start);
            at = end == std::string::npos ? source.size() : end;
        }
        if (vars[n] != ".") pool.set(vars[n], word);
    }
}

bool evaluate_list(const std::string& text, Scope& scope, std::vector<std::string>& values,
                   std::string& error) {
    values.clear();
    std::vector<Token> t;
    if (!tokenize(text, t, error)) return false;
    std::size_t from = 0;
    int depth = 0;
    for (std::size_t i = 0; i <= t.size(); ++i) {
        if (i < t.size() && t[i].kind == Tok::open) ++depth;
        if (i < t.size() && t[i].kind == Tok::close) --depth;
        if (i < t.size() && !(t[i].kind == Tok::comma && depth == 0)) continue;
        std::string value;
        if (i > from && !evaluate(t, from, i, scope, value, error)) return false;
        if (i > from || i < t.size() || !values.empty()) values.push_back(value);
        from = i + 1;
    }
    return true;
}

} // namespace sim

// Looking at the stopped macro: its stack, its variables (a stem's tails
// as its children, paged), questions in any frame, changing a variable,
// the condition it stopped for, and its files.
#include "adapter.h"

#include "repl_input.h"
#include "varlist.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace dap {

namespace {

// The marker that tells a value from an error text in a question's answer:
// no error text of either interpreter starts with "=". (A control byte
// would be safer still, but Regina drops it from the start of what a
// question says.)
const std::string value_mark = "=";
const std::string say_mark = "say '=' || ";
const char frame_gone = '\x02';

std::string hex_of(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

bool whole_number(const std::string& s) {
    return !s.empty() && s.size() < 10 &&
           std::all_of(s.begin(), s.end(), [](char c) { return std::isdigit((unsigned char)c); });
}

std::string stem_summary(const lists::Variable& v) {
    std::string text = "(" + std::to_string(v.tails) + (v.tails == 1 ? " tail" : " tails");
    if (v.value) text += ", default \"" + *v.value + "\"";
    return text + ")";
}

} // namespace

json Adapter::source_json(std::size_t file) const {
    const std::string& path = files_[file].path;
    return {{"name", utf8_of(std::filesystem::path(path).filename().string())},
            {"path", utf8_of(path)}};
}

std::string Adapter::routine_of_frame(std::int64_t frame_id) const {
    if (frame_id >= 1 && std::size_t(frame_id) <= frames_.frames.size())
        return frames_.frames[std::size_t(frame_id - 1)].routine;
    return stop_.routine;
}

void Adapter::question(const std::string& routine, const std::string& instructions,
                       std::function<void(bool ok, const std::string& said)> done) {
    expect({Reply::Kind::tipval, 0,
            [done](bool ok, const std::string& body) {
                if (!ok) return done(false, "the interpreter has ended");
                if (!body.empty() && body[0] == frame_gone)
                    return done(false, "that frame is no longer on the stack");
                done(true, body);
            }},
           "tipeval @" + (routine.empty() ? std::string("main") : routine) + " " + instructions);
}

void Adapter::on_stack_trace(const json& request) {
    if (!link_ || !stop_.stopped) return fail(request, "the macro is not stopped");
    const json args = request.value("arguments", json::object());
    const std::size_t start = std::size_t(std::max(0, args.value("startFrame", 0)));
    const int levels = args.value("levels", 0);
    auto answer = [this, request, start, levels](const lists::FrameList& list) {
        frames_ = list;
        json frames = json::array();
        for (std::size_t i = start; i < list.frames.size(); ++i) {
            if (levels > 0 && frames.size() >= std::size_t(levels)) break;
            const lists::FrameEntry& f = list.frames[i];
            json frame = {
                {"id", i + 1}, {"name", utf8_of(f.routine)}, {"line", f.line}, {"column", 1}};
            if (f.file >= 0 && std::size_t(f.file) < files_.size() &&
                !files_[std::size_t(f.file)].path.empty())
                frame["source"] = source_json(std::size_t(f.file));
            frames.push_back(frame);
        }
        respond(request, {{"stackFrames", frames}, {"totalFrames", list.frames.size()}});
    };
    if (!has("frames")) {
        // Only where it stopped is known.
        lists::FrameList only;
        std::optional<std::size_t> file = file_of_displayed(stop_.line);
        only.frames.push_back({stop_.routine, file ? std::int64_t(*file) : -1,
                               file ? stop_.line - files_[*file].offset + 1 : stop_.line + 1,
                               stop_.line});
        return answer(only);
    }
    expect({Reply::Kind::framelist, 0,
            [this, request, answer](bool ok, const std::string& body) {
                std::optional<lists::FrameList> list;
                if (ok) list = lists::decode_framelist(body);
                if (!list)
                    return fail(request, ok ? "the interpreter's stack cannot be read"
                                            : "the interpreter has ended");
                answer(*list);
            }},
           "frames");
}

void Adapter::on_scopes(const json& request) {
    const json args = request.value("arguments", json::object());
    const std::int64_t frame = args.value("frameId", std::int64_t(1));
    if (!stop_.stopped || frame < 1) return fail(request, "the macro is not stopped");
    json scopes = json::array();
    if (has("vars")) {
        var_refs_.push_back({frame - 1, ""});
        scopes.push_back({{"name", "Variables"},
                          {"presentationHint", "locals"},
                          {"variablesReference", var_refs_.size()},
                          {"expensive", false}});
    }
    respond(request, {{"scopes", scopes}});
}

void Adapter::on_variables(const json& request) {
    const json args = request.value("arguments", json::object());
    const std::int64_t ref = args.value("variablesReference", std::int64_t(0));
    if (ref < 1 || std::size_t(ref) > var_refs_.size() || !link_)
        return fail(request, "those variables are gone: the macro has moved on");
    const VarRef where = var_refs_[std::size_t(ref - 1)];
    std::string text = "vars " + std::to_string(where.frame);
    if (!where.stem.empty()) text += " " + where.stem;
    if (args.contains("count") && args["count"].is_number_integer() && args["count"] > 0)
        text += " " + std::to_string(args.value("start", 0)) + " " +
                std::to_string(args["count"].get<std::int64_t>());
    expect({Reply::Kind::varlist, 0,
            [this, request, where](bool ok, const std::string& body) {
                std::optional<lists::VarList> list;
                if (ok) list = lists::decode_varlist(body);
                if (!list)
                    return fail(request, ok ? "the interpreter's variables cannot be read"
                                            : "the interpreter has ended");
                json vars = json::array();
                if (list->failure == lists::VarFailure::hidden)
                    vars.push_back({{"name", "(hidden)"},
                                    {"value", utf8_of(list->reason)},
                                    {"variablesReference", 0}});
                else if (list->failure != lists::VarFailure::none)
                    return fail(request, list->reason);
                for (const lists::Variable& v : list->entries) {
                    json entry = {{"name", utf8_of(v.name)}, {"variablesReference", 0}};
                    if (v.stem) {
                        var_refs_.push_back({where.frame, v.name});
                        entry["value"] = utf8_of(stem_summary(v));
                        entry["variablesReference"] = var_refs_.size();
                        entry["indexedVariables"] = v.tails;
                        entry["evaluateName"] = utf8_of(v.name);
                    } else {
                        entry["value"] = utf8_of(v.value.value_or(""));
                        if (where.stem.empty())
                            entry["evaluateName"] = utf8_of(v.name);
                        else if (whole_number(v.name))
                            entry["evaluateName"] = utf8_of(where.stem + v.name);
                    }
                    vars.push_back(entry);
                }
                respond(request, {{"variables", vars}});
            }},
           text);
}

void Adapter::on_set_variable(const json& request) {
    const json args = request.value("arguments", json::object());
    const std::int64_t ref = args.value("variablesReference", std::int64_t(0));
    if (ref < 1 || std::size_t(ref) > var_refs_.size() || !link_ || !stop_.stopped)
        return fail(request, "that variable is gone: the macro has moved on");
    if (!args.contains("name") || !args["name"].is_string() || !args.contains("value") ||
        !args["value"].is_string())
        return fail(request, "setVariable needs a name and a value");
    const VarRef where = var_refs_[std::size_t(ref - 1)];
    const std::string name = args["name"], value = args["value"];
    std::string instructions;
    if (where.stem.empty()) {
        instructions = name + " = (" + value + "); " + say_mark + name;
    } else {
        // A tail may hold any byte: it goes through a variable of its own.
        const std::string tail = "OSTRA_DAP_TAIL_";
        instructions = tail + " = '" + hex_of(name) + "'x; " + where.stem + tail + " = (" + value +
                       "); " + say_mark + where.stem + tail + "; drop " + tail;
    }
    question(routine_of_frame(where.frame + 1), instructions,
             [this, request](bool ok, const std::string& said) {
                 if (!ok || said.rfind(value_mark, 0) != 0) return fail(request, said);
                 respond(request, {{"value", utf8_of(said.substr(value_mark.size()))}});
             });
}

void Adapter::on_evaluate(const json& request) {
    const json args = request.value("arguments", json::object());
    if (!args.contains("expression") || !args["expression"].is_string())
        return fail(request, "evaluate needs an expression");
    const std::string context = args.value("context", "");
    ReplLine line = repl_line_of(args["expression"].get<std::string>());
    if (context != "repl") line = {ReplKind::expression, args["expression"]};
    if (line.kind == ReplKind::input) {
        if (!link_ || ended_) return fail(request, "no macro is running");
        if (!link_->type(line.text)) return fail(request, "the macro's input is closed");
        return respond(request, {{"result", ""}, {"variablesReference", 0}});
    }
    if (!link_ || ended_) return fail(request, "no macro is running");
    if (!stop_.stopped) return fail(request, "the macro is running: pause it first");
    const std::string routine = routine_of_frame(args.value("frameId", std::int64_t(0)));
    if (line.kind == ReplKind::instructions)
        return question(routine, line.text, [this, request](bool ok, const std::string& said) {
            if (!ok) return fail(request, said);
            respond(request, {{"result", utf8_of(said)}, {"variablesReference", 0}});
        });
    question(routine, say_mark + "(" + line.text + ")",
             [this, request](bool ok, const std::string& said) {
                 if (!ok || said.rfind(value_mark, 0) != 0) return fail(request, said);
                 respond(request, {{"result", utf8_of(said.substr(value_mark.size()))},
                                   {"variablesReference", 0}});
             });
}

void Adapter::on_exception_info(const json& request) {
    if (!stop_.stopped || stop_.exception_id.empty())
        return fail(request, "the macro did not stop for a condition");
    respond(request, {{"exceptionId", stop_.exception_id},
                      {"description", utf8_of(stop_.exception_text)},
                      {"breakMode", "always"}});
}

void Adapter::on_loaded_sources(const json& request) {
    json sources = json::array();
    for (std::size_t i = 0; i < files_.size(); ++i)
        if (!files_[i].path.empty()) sources.push_back(source_json(i));
    respond(request, {{"sources", sources}});
}

} // namespace dap

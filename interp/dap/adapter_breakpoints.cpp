// Breakpoints: lines (with conditions, hit counts and logpoints), routines,
// and the REXX conditions caught as exceptions. Each is unverified until
// the interpreter confirms it; the confirmation then goes to the client as
// a "breakpoint" event with the line it landed on.
#include "adapter.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace dap {

namespace {

const char* const conditions[] = {"ERROR",  "FAILURE", "NOVALUE", "NOTREADY",
                                  "SYNTAX", "HALT",    "TRAPPED"};

std::string normal_path(const std::string& path) {
    return std::filesystem::path(path).lexically_normal().string();
}

std::string text_of(const json& j, const char* key) {
    return j.contains(key) && j[key].is_string() ? j[key].get<std::string>() : "";
}

bool same_ask(const BreakAsk& a, const BreakAsk& b) {
    return a.condition == b.condition && a.hit_condition == b.hit_condition &&
           a.log_message == b.log_message;
}

} // namespace

std::optional<std::size_t> Adapter::file_named(const std::string& path) const {
    const std::string wanted = normal_path(path);
    for (std::size_t i = 0; i < files_.size(); ++i)
        if (!files_[i].path.empty() && files_[i].path == wanted) return i;
    return std::nullopt;
}

std::optional<std::size_t> Adapter::file_of_displayed(int displayed) const {
    for (std::size_t i = 0; i < files_.size(); ++i)
        if (!files_[i].path.empty() && displayed >= files_[i].first && displayed <= files_[i].last)
            return i;
    return std::nullopt;
}

json Adapter::breakpoint_json(const LineBreak& b, const std::string& message) const {
    json j = {
        {"id", b.id}, {"verified", b.verified}, {"line", b.line}, {"source", {{"path", b.path}}}};
    if (b.verified)
        if (std::optional<std::size_t> f = file_of_displayed(b.displayed))
            j["line"] = b.displayed - files_[*f].offset + 1;
    if (!message.empty()) j["message"] = utf8_of(message);
    return j;
}

void Adapter::breakpoint_event(const LineBreak& b, const std::string& message) {
    event("breakpoint", {{"reason", "changed"}, {"breakpoint", breakpoint_json(b, message)}});
}

void Adapter::send_line_break(LineBreak& b) {
    std::string error;
    std::optional<std::string> options = break_options(b.ask, error);
    const bool plain =
        b.ask.condition.empty() && b.ask.hit_condition.empty() && b.ask.log_message.empty();
    if (options && !plain && !has("breaks")) {
        options.reset();
        error = "this interpreter has no conditions, hit counts or logpoints";
    }
    if (!options) return breakpoint_event(b, error);
    if (!link_) return;
    const int id = b.id;
    auto refused = [this, id](bool ok, const std::string& why) {
        for (LineBreak& x : line_breaks_)
            if (x.id == id) breakpoint_event(x, ok ? why : "the interpreter has ended");
    };
    std::optional<std::size_t> file = file_named(b.path);
    if (file) {
        const int displayed = files_[*file].offset + b.line; // 1-based
        b.waiting_file = false;
        const std::string place = std::to_string(displayed);
        expect({Reply::Kind::line_break, id, refused},
               b.ask.log_message.empty() ? "stopv at " + place + *options
                                         : "tracev at " + place + " " + b.ask.log_message);
        return;
    }
    b.waiting_file = true;
    // A logpoint is set once its file has come (files_changed); any other
    // kind waits at the interpreter, which confirms it when the file loads.
    if (!b.ask.log_message.empty()) return;
    const std::string base = std::filesystem::path(b.path).filename().string();
    if (base.find(' ') != std::string::npos)
        return breakpoint_event(b, "a file whose name has blanks takes breakpoints once loaded");
    command("stop in " + base + " 0 " + std::to_string(b.line) + *options);
}

void Adapter::files_changed() {
    for (LineBreak& b : line_breaks_)
        if (b.waiting_file && !b.ask.log_message.empty() && file_named(b.path)) send_line_break(b);
}

void Adapter::on_stop_set(int displayed) {
    // The first breakpoint command still waiting is the one answered.
    for (auto r = replies_.begin(); r != replies_.end(); ++r) {
        if (r->kind != Reply::Kind::line_break) continue;
        const int id = r->break_id;
        replies_.erase(r);
        for (LineBreak& b : line_breaks_)
            if (b.id == id) {
                b.verified = true;
                b.displayed = displayed;
                breakpoint_event(b);
            }
        return;
    }
    // Else a breakpoint that waited for its file, now loaded.
    std::optional<std::size_t> file = file_of_displayed(displayed);
    if (!file) return;
    for (LineBreak& b : line_breaks_) {
        if (!b.waiting_file || file_named(b.path) != file) continue;
        if (files_[*file].offset + b.line - 1 > displayed) continue;
        b.waiting_file = false;
        b.verified = true;
        b.displayed = displayed;
        return breakpoint_event(b);
    }
}

void Adapter::on_stopin_set(int id, int displayed) {
    for (FunctionBreak& f : function_breaks_) {
        if (f.id != id) continue;
        f.verified = true;
        f.displayed = displayed;
        json bp = {{"id", f.id}, {"verified", true}};
        if (std::optional<std::size_t> file = file_of_displayed(displayed)) {
            bp["line"] = displayed - files_[*file].offset + 1;
            bp["source"] = source_json(*file);
        }
        event("breakpoint", {{"reason", "changed"}, {"breakpoint", bp}});
    }
}

void Adapter::on_set_breakpoints(const json& request) {
    const json args = request.value("arguments", json::object());
    const json source = args.value("source", json::object());
    const std::string path = text_of(source, "path");
    if (path.empty()) return fail(request, "setBreakpoints needs a source with a path");
    std::vector<std::pair<int, BreakAsk>> asked;
    if (args.contains("breakpoints") && args["breakpoints"].is_array()) {
        for (const json& b : args["breakpoints"])
            if (b.is_object() && b.contains("line") && b["line"].is_number_integer())
                asked.push_back({b["line"].get<int>(),
                                 {text_of(b, "condition"), text_of(b, "hitCondition"),
                                  text_of(b, "logMessage")}});
    } else if (args.contains("lines") && args["lines"].is_array()) {
        for (const json& line : args["lines"])
            if (line.is_number_integer()) asked.push_back({line.get<int>(), {}});
    }
    const std::string wanted = normal_path(path);
    std::vector<LineBreak> old, kept;
    std::erase_if(line_breaks_, [&](LineBreak& b) {
        if (normal_path(b.path) != wanted) return false;
        old.push_back(std::move(b));
        return true;
    });
    json answer = json::array();
    std::vector<int> fresh;
    for (auto& [line, ask] : asked) {
        auto same = std::find_if(old.begin(), old.end(), [&](const LineBreak& b) {
            return b.line == line && same_ask(b.ask, ask);
        });
        if (same != old.end()) {
            kept.push_back(std::move(*same));
            old.erase(same);
        } else {
            kept.push_back({next_break_id_++, path, line, ask});
            fresh.push_back(kept.back().id);
        }
    }
    // Lines given up first, so that a line set again afresh stays set.
    for (const LineBreak& b : old) {
        const bool still = std::any_of(kept.begin(), kept.end(), [&](const LineBreak& k) {
            return k.verified && k.displayed == b.displayed;
        });
        if (b.verified && !still) command("delete " + std::to_string(b.displayed));
    }
    for (LineBreak& b : kept)
        answer.push_back(breakpoint_json(b));
    respond(request, {{"breakpoints", answer}});
    for (LineBreak& b : kept)
        line_breaks_.push_back(std::move(b));
    for (LineBreak& b : line_breaks_)
        if (std::find(fresh.begin(), fresh.end(), b.id) != fresh.end()) send_line_break(b);
}

void Adapter::on_set_function_breakpoints(const json& request) {
    const json args = request.value("arguments", json::object());
    std::vector<FunctionBreak> wanted;
    json answer = json::array();
    std::vector<std::string> problems;
    if (args.contains("breakpoints") && args["breakpoints"].is_array())
        for (const json& b : args["breakpoints"]) {
            FunctionBreak f;
            f.name = text_of(b, "name");
            std::string error;
            std::optional<std::string> options =
                break_options({text_of(b, "condition"), text_of(b, "hitCondition"), ""}, error);
            if (options && !options->empty() && !has("breaks")) {
                options.reset();
                error = "this interpreter has no conditions or hit counts";
            }
            if (f.name.empty() || f.name.find_first_of(" \t") != std::string::npos) {
                options.reset();
                error = "a routine's name is one word";
            }
            f.options = options.value_or("");
            if (!options) f.id = -1;
            wanted.push_back(f);
            problems.push_back(error);
        }
    std::vector<FunctionBreak> kept;
    for (FunctionBreak& old : function_breaks_) {
        auto same = std::find_if(wanted.begin(), wanted.end(), [&](const FunctionBreak& w) {
            return w.id == 0 && w.name == old.name && w.options == old.options;
        });
        if (same != wanted.end()) {
            *same = old;
        } else {
            command("deletein " + std::to_string(old.id));
        }
    }
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        FunctionBreak& f = wanted[i];
        json bp = {{"verified", f.verified}};
        if (f.id < 0) {
            bp["id"] = next_break_id_++;
            bp["message"] = problems[i];
            answer.push_back(bp);
            continue;
        }
        if (f.id == 0) {
            f.id = next_break_id_++;
            command("stop in " + f.name + " " + std::to_string(f.id) + " 0" + f.options);
        }
        bp["id"] = f.id;
        if (f.verified)
            if (std::optional<std::size_t> file = file_of_displayed(f.displayed)) {
                bp["line"] = f.displayed - files_[*file].offset + 1;
                bp["source"] = source_json(*file);
            }
        answer.push_back(bp);
        kept.push_back(f);
    }
    function_breaks_ = std::move(kept);
    respond(request, {{"breakpoints", answer}});
}

void Adapter::on_set_exception_breakpoints(const json& request) {
    const json args = request.value("arguments", json::object());
    std::set<std::string> wanted;
    if (args.contains("filters") && args["filters"].is_array())
        for (const json& f : args["filters"])
            if (f.is_string()) wanted.insert(f.get<std::string>());
    json answer = json::array();
    for (const std::string& name : wanted) {
        const bool known =
            std::find(std::begin(conditions), std::end(conditions), name) != std::end(conditions);
        json bp = {{"verified", known && has("catch")}};
        if (!known)
            bp["message"] = "no REXX condition is called " + name;
        else if (!has("catch"))
            bp["message"] = "this interpreter cannot catch conditions";
        answer.push_back(bp);
    }
    catch_wanted_ = wanted;
    if (has("catch"))
        for (const char* name : conditions) {
            const bool want = wanted.count(name) > 0, now = caught_.count(name) > 0;
            if (want == now) continue;
            if (want)
                caught_.insert(name);
            else
                caught_.erase(name);
            expect({Reply::Kind::catch_list, 0, [](bool, const std::string&) {}},
                   std::string("catch ") + name + (want ? "" : " off"));
        }
    respond(request, {{"breakpoints", answer}});
}

void Adapter::resend_breakpoints() {
    for (LineBreak& b : line_breaks_) {
        b.verified = false;
        b.displayed = -1;
        b.waiting_file = false;
        send_line_break(b);
    }
    for (FunctionBreak& f : function_breaks_) {
        f.verified = false;
        command("stop in " + f.name + " " + std::to_string(f.id) + " 0" + f.options);
    }
    caught_.clear();
    if (has("catch"))
        for (const std::string& name : catch_wanted_) {
            caught_.insert(name);
            expect({Reply::Kind::catch_list, 0, [](bool, const std::string&) {}}, "catch " + name);
        }
}

} // namespace dap

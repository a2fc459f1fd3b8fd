// Every variable of a frame, for the debugger's variables pane: from
// Regina's variable pool for a frame of the Regina run now running, or from
// the copies questions use (questions.cpp) for a frame behind a PROCEDURE
// or waiting for a routine file it called.
#include "regina_engine.h"

namespace regina {

namespace {

void add_all(const Variables& from, std::vector<ostra::NamedValue>& into) {
    into.reserve(into.size() + from.size());
    for (const auto& [name, value] : from)
        into.push_back({name, value});
}

} // namespace

bool ReginaEngine::variables(std::size_t frame, std::vector<ostra::NamedValue>& into,
                             std::string& why) {
    std::optional<std::size_t> run = program_.scope_of(frame);
    if (run && *run + 1 == program_.activations()) {
        each_variable([&](std::string name, std::string value) {
            into.push_back({std::move(name), std::move(value)});
        });
        return true;
    }
    if (run && *run < snapshots_.size()) {
        add_all(snapshots_[*run], into);
        return true;
    }
    std::optional<Program::Hidden> hidden_by;
    if (!run) hidden_by = program_.hidden_scope(frame);
    if (!hidden_by) {
        why = hidden(frame);
        return false;
    }
    const Frame& procedure = *hidden_by->procedure;
    if (!hidden_by->innermost || procedure.activation + 1 != program_.activations()) {
        add_all(*hidden_by->holder->hidden, into);
        return true;
    }
    // What the routine exposes it may have changed since the copy: those
    // names are read as they are now, where the routine sees them.
    Variables now = *hidden_by->holder->hidden;
    auto exposed = [&](const std::string& name) {
        for (const std::string& e : procedure.exposed)
            if (e == name || (e.back() == '.' && name.compare(0, e.size(), e) == 0)) return true;
        return false;
    };
    std::erase_if(now, [&](const auto& entry) { return exposed(entry.first); });
    each_variable([&](std::string name, std::string value) {
        if (exposed(name)) now.insert_or_assign(std::move(name), std::move(value));
    });
    add_all(now, into);
    return true;
}

} // namespace regina

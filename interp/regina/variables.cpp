// Every variable of a frame, for the debugger's variables pane: from
// Regina's variable pool for a frame of the Regina run now running, or from
// the copies questions use (questions.cpp) for a frame behind a PROCEDURE
// or waiting for a routine file it called.
#include "regina_engine.h"

namespace regina {

namespace {

constexpr const char* not_read_whole = "the interpreter could not read these variables whole";

void visit_all(const Variables& from, const ostra::VariableVisitor& visit) {
    for (const auto& [name, value] : from)
        visit(name, value);
}

} // namespace

bool ReginaEngine::live_scope(std::size_t frame) const {
    std::optional<std::size_t> run = program_.scope_of(frame);
    return run && *run + 1 == program_.activations();
}

bool ReginaEngine::variables(std::size_t frame, const ostra::VariableVisitor& visit,
                             std::string& why) {
    if (live_scope(frame)) {
        if (each_variable(visit)) return true;
        why = not_read_whole;
        return false;
    }
    std::optional<std::size_t> run = program_.scope_of(frame);
    if (run && *run < snapshots_.size()) {
        visit_all(snapshots_[*run], visit);
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
        visit_all(*hidden_by->holder->hidden, visit);
        return true;
    }
    // What the routine exposes it may have changed since the copy: those
    // names are read as they are now, where the routine sees them.
    Variables now = *hidden_by->holder->hidden;
    auto exposed = [&](std::string_view name) {
        for (const std::string& e : procedure.exposed)
            if (e == name || (e.back() == '.' && name.compare(0, e.size(), e) == 0)) return true;
        return false;
    };
    std::erase_if(now, [&](const auto& entry) { return exposed(entry.first); });
    const bool read = each_variable([&](std::string_view name, std::string_view value) {
        if (exposed(name)) now.insert_or_assign(std::string(name), std::string(value));
    });
    if (!read) {
        why = not_read_whole;
        return false;
    }
    visit_all(now, visit);
    return true;
}

// Only the frame whose variables are Regina's own, as they are while the
// clauses run: a frame behind a PROCEDURE or a routine file's call has a
// copy that no clause changes.
bool ReginaEngine::follow_variables(std::size_t frame) {
    if (frame + 1 != program_.frames.size() || !live_scope(frame)) return false;
    follow_.start(program_.frames.size(), clause_text_);
    return follow_.following();
}

std::optional<std::vector<ostra::VariableChange>>
ReginaEngine::variables_changed(std::size_t frame) {
    if (frame + 1 != program_.frames.size() || !live_scope(frame)) {
        follow_.lose();
        return std::nullopt;
    }
    return follow_.changes(program_.frames.size());
}

} // namespace regina

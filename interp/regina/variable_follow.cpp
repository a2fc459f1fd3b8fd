#include "variable_follow.h"

namespace regina {

namespace {

// Set by so many clauses, and in so many ways, that they are read always.
const char* const always_read[] = {"RC", "RESULT", "SIGL"};

constexpr std::size_t most_clause_texts = 512;

} // namespace

const ClauseEffect& VariableFollow::effect_of(std::string_view clause) {
    std::string text(clause);
    if (auto found = effects_.find(text); found != effects_.end()) return found->second;
    if (effects_.size() >= most_clause_texts) effects_.clear();
    return effects_.emplace(std::move(text), clause_effect(clause)).first->second;
}

void VariableFollow::start(std::size_t depth, std::string_view clause) {
    following_ = true;
    depth_ = depth;
    clauses_ = 0;
    seen_.clear();
    names_.clear();
    for (const char* name : always_read)
        touch(name);
    this->clause(depth, clause);
}

void VariableFollow::clause(std::size_t depth, std::string_view clause) {
    if (!following_) return;
    if (depth != depth_ || ++clauses_ > most_clauses) {
        following_ = false;
        return;
    }
    const ClauseEffect& effect = effect_of(clause);
    if (!effect.known) {
        following_ = false;
        return;
    }
    for (const std::string& symbol : effect.targets)
        touch(symbol);
}

// The symbol's exact name as the clause about to run derives it, noted with
// whether it has a value now, the first time it is seen.
void VariableFollow::touch(const std::string& symbol) {
    std::string name = derived_name(symbol, fetch_);
    if (!names_.insert(name).second) return;
    ostra::VariableChange seen;
    seen.name = std::move(name);
    seen.was_set = fetch_(seen.name).has_value();
    seen_.push_back(std::move(seen));
}

std::optional<std::vector<ostra::VariableChange>> VariableFollow::changes(std::size_t depth) {
    const bool followed = following_ && depth == depth_;
    following_ = false;
    if (!followed) return std::nullopt;
    std::vector<ostra::VariableChange> changes = std::move(seen_);
    seen_.clear();
    names_.clear();
    for (ostra::VariableChange& c : changes)
        c.value = fetch_(c.name);
    return changes;
}

} // namespace regina

#include "vars.h"

#include "value.h"

namespace sim {

bool symbol_char(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '@' ||
           c == '#' || c == '$' || c == '.' || c == '!' || c == '?' || c == '_';
}

bool valid_symbol(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!symbol_char(c)) return false;
    return true;
}

bool constant_symbol(const std::string& text) {
    return !text.empty() && ((text[0] >= '0' && text[0] <= '9') || text[0] == '.');
}

namespace {

std::string stem_of(const std::string& name) {
    std::size_t stop = name.find('.');
    return stop == std::string::npos ? name : name.substr(0, stop + 1);
}

} // namespace

std::string VarPool::derived(const std::string& symbol) {
    std::string name = upper(symbol);
    std::size_t stop = name.find('.');
    if (stop == std::string::npos || stop + 1 == name.size()) return name;
    std::string out = name.substr(0, stop + 1);
    std::size_t at = stop + 1;
    for (;;) {
        std::size_t next = name.find('.', at);
        std::string part =
            name.substr(at, next == std::string::npos ? std::string::npos : next - at);
        if (!part.empty() && !constant_symbol(part)) {
            if (std::optional<std::string> value = get(part)) part = *value;
        }
        out += part;
        if (next == std::string::npos) break;
        out += '.';
        at = next + 1;
    }
    return out;
}

VarPool* VarPool::owner_of(const std::string& name) {
    if (caller_ && (exposed_.count(name) || exposed_.count(stem_of(name))))
        return caller_->owner_of(name);
    return this;
}

std::optional<std::string> VarPool::get(const std::string& symbol) {
    std::string name = derived(symbol);
    VarPool* pool = owner_of(name);
    if (auto found = pool->values_.find(name); found != pool->values_.end()) return found->second;
    std::string stem = stem_of(name);
    if (stem != name) {
        if (auto found = pool->values_.find(stem); found != pool->values_.end())
            return found->second;
    }
    return std::nullopt;
}

void VarPool::set(const std::string& symbol, const std::string& value) {
    std::string name = derived(symbol);
    VarPool* pool = owner_of(name);
    if (name.back() == '.') {
        // A new stem value replaces every tail set before.
        for (auto it = pool->values_.begin(); it != pool->values_.end();)
            it = it->first.rfind(name, 0) == 0 ? pool->values_.erase(it) : std::next(it);
    }
    pool->values_[name] = value;
}

void VarPool::drop(const std::string& symbol) {
    std::string name = derived(symbol);
    owner_of(name)->values_.erase(name);
}

// The pool's own names and those it exposes never meet: a name it exposes
// is set and dropped in the caller's pool from the PROCEDURE on (owner_of),
// and the pool starts empty.
void VarPool::each_visible(const Visitor& visit) const {
    for (const auto& [name, value] : values_)
        visit(name, value);
    if (!caller_ || exposed_.empty()) return;
    caller_->each_visible([&](std::string_view name, std::string_view value) {
        const std::string exact(name);
        if (exposed_.count(exact) || exposed_.count(stem_of(exact))) visit(name, value);
    });
}

std::string VarPool::value_of(const std::string& symbol) {
    if (constant_symbol(symbol)) return symbol;
    if (std::optional<std::string> value = get(symbol)) return *value;
    return derived(symbol);
}

} // namespace sim

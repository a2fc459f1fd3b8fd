#include "variable_entry.h"

namespace lists {

void append_entry(std::string& out, const Variable& v) {
    out += v.stem ? "s " : "v ";
    out += decimal(std::int64_t(v.name.size()));
    out += ' ';
    out += v.value ? decimal(std::int64_t(v.value->size())) : "-";
    if (v.stem) {
        out += ' ';
        out += decimal(v.tails);
    }
    out += '\n';
    out += v.name;
    out += '\n';
    if (v.value) out += *v.value;
    out += '\n';
}

std::optional<Variable> read_entry(ListReader& in) {
    Variable v;
    const char kind = in.peek();
    if (kind != 'v' && kind != 's') return std::nullopt;
    v.stem = kind == 's';
    in.separator(kind);
    if (!in.separator(' ')) return std::nullopt;
    std::optional<std::int64_t> name_length = in.number();
    if (!name_length || !in.separator(' ')) return std::nullopt;
    std::optional<std::int64_t> value_length;
    if (!(v.stem && in.separator('-'))) {
        value_length = in.number();
        if (!value_length) return std::nullopt;
    }
    if (v.stem) {
        std::optional<std::int64_t> tails;
        if (!in.separator(' ') || !(tails = in.number())) return std::nullopt;
        v.tails = *tails;
    }
    if (!in.separator('\n')) return std::nullopt;
    std::optional<std::string> name = in.bytes(*name_length);
    if (!name || !in.separator('\n')) return std::nullopt;
    v.name = std::move(*name);
    if (value_length) {
        v.value = in.bytes(*value_length);
        if (!v.value) return std::nullopt;
    }
    if (!in.separator('\n')) return std::nullopt;
    return v;
}

namespace {

std::optional<VarFailure> failure_of(const std::string& word) {
    for (VarFailure f : {VarFailure::gone, VarFailure::hidden, VarFailure::bad})
        if (word == failure_word(f)) return f;
    return std::nullopt;
}

} // namespace

void append_failure(std::string& out, VarFailure failure, const std::string& reason) {
    out += " - ";
    out += failure_word(failure);
    out += '\n';
    out += reason;
}

bool read_failure(ListReader& in, VarFailure& failure, std::string& reason) {
    if (!in.separator('-')) return true;
    std::optional<std::string> word;
    if (!in.separator(' ') || !(word = in.word()) || !in.separator('\n')) return false;
    std::optional<VarFailure> named = failure_of(*word);
    if (!named) return false;
    failure = *named;
    reason = std::string(in.rest());
    return true;
}

} // namespace lists

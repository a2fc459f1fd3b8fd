#include "varchanges.h"

#include "list_reader.h"
#include "variable_entry.h"

namespace lists {

std::string encode_varchanges(const VarChanges& changes) {
    std::string out = decimal(changes.frame);
    if (changes.failure != VarFailure::none) {
        append_failure(out, changes.failure, changes.reason);
        return out;
    }
    for (std::int64_t n : {changes.generation, changes.base, changes.total,
                           std::int64_t(changes.set.size()), std::int64_t(changes.dropped.size())})
        out += ' ' + decimal(n);
    out += '\n';
    for (const Variable& v : changes.set)
        append_entry(out, v);
    for (const std::string& name : changes.dropped) {
        out += decimal(std::int64_t(name.size()));
        out += '\n';
        out += name;
        out += '\n';
    }
    return out;
}

std::optional<VarChanges> decode_varchanges(std::string_view body) {
    ListReader in(body);
    VarChanges changes;
    std::optional<std::int64_t> frame = in.number(true);
    if (!frame || !in.separator(' ')) return std::nullopt;
    changes.frame = *frame;
    if (!read_failure(in, changes.failure, changes.reason)) return std::nullopt;
    if (changes.failure != VarFailure::none) return changes;
    std::int64_t numbers[5];
    for (int k = 0; k < 5; ++k) {
        std::optional<std::int64_t> n = in.number();
        if (!n || (k < 4 && !in.separator(' '))) return std::nullopt;
        numbers[k] = *n;
    }
    if (!in.separator('\n')) return std::nullopt;
    changes.generation = numbers[0];
    changes.base = numbers[1];
    changes.total = numbers[2];
    const std::int64_t set = numbers[3], dropped = numbers[4];
    // An entry takes at least 8 bytes and a dropped name 3: counts larger
    // than the body allows are not believed (nor reserved for).
    const auto room = std::int64_t(in.rest().size());
    if (set > room / 8 || dropped > room / 3) return std::nullopt;
    if (changes.base == 0 && (dropped != 0 || set != changes.total)) return std::nullopt;
    changes.set.reserve(std::size_t(set));
    for (std::int64_t k = 0; k < set; ++k) {
        std::optional<Variable> v = read_entry(in);
        if (!v) return std::nullopt;
        changes.set.push_back(std::move(*v));
    }
    for (std::int64_t k = 0; k < dropped; ++k) {
        std::optional<std::int64_t> length = in.number();
        std::optional<std::string> name;
        if (!length || !in.separator('\n') || !(name = in.bytes(*length)) || !in.separator('\n'))
            return std::nullopt;
        changes.dropped.push_back(std::move(*name));
    }
    if (!in.at_end()) return std::nullopt;
    return changes;
}

} // namespace lists

#include "variable_listing.h"

#include <algorithm>

namespace ostra {

namespace {

struct WholeNumber {
    bool negative = false;
    std::string_view digits; // without leading zeros
};

std::optional<WholeNumber> whole(const std::string& tail) {
    WholeNumber n;
    std::size_t at = 0;
    if (!tail.empty() && tail[0] == '-') {
        n.negative = true;
        at = 1;
    }
    if (at == tail.size()) return std::nullopt;
    for (std::size_t i = at; i < tail.size(); ++i)
        if (tail[i] < '0' || tail[i] > '9') return std::nullopt;
    std::size_t first = tail.find_first_not_of('0', at);
    n.digits =
        first == std::string::npos ? std::string_view() : std::string_view(tail).substr(first);
    if (n.digits.empty()) n.negative = false; // -0 is 0
    return n;
}

// -1, 0 or 1 as a is below, equal to or above b.
int compare_magnitude(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    int c = a.compare(b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

int compare_numbers(const WholeNumber& a, const WholeNumber& b) {
    if (a.negative != b.negative) return a.negative ? -1 : 1;
    int m = compare_magnitude(a.digits, b.digits);
    return a.negative ? -m : m;
}

lists::Variable variable(const NamedValue& v) {
    lists::Variable out;
    out.name = v.name;
    out.value = v.value;
    return out;
}

// The part [from, from + count) of a list of `total` entries, cut to it.
std::pair<std::size_t, std::size_t> span(std::int64_t from, std::int64_t count, std::size_t total) {
    std::size_t first = from < 0 ? 0 : std::min(std::size_t(from), total);
    std::size_t last =
        count < 0 || std::uint64_t(count) >= total - first ? total : first + std::size_t(count);
    return {first, last};
}

// A tail read once for sorting: a million tails take some twenty million
// comparisons, which must not read the digits again each time.
struct TailKey {
    std::optional<WholeNumber> number;
    const std::string* tail;
    std::size_t index;
};

bool key_before(const TailKey& a, const TailKey& b) {
    if (a.number && b.number) {
        int c = compare_numbers(*a.number, *b.number);
        return c != 0 ? c < 0 : *a.tail < *b.tail;
    }
    if (a.number || b.number) return bool(a.number);
    return *a.tail < *b.tail;
}

} // namespace

bool tail_before(const std::string& a, const std::string& b) {
    return key_before({whole(a), &a, 0}, {whole(b), &b, 0});
}

VariableListing::VariableListing(VariableWalk walk) : walk_(std::move(walk)) {}

bool VariableListing::read(std::string& why, const std::string& keep_tails_of) {
    keep_tails_of_ = keep_tails_of;
    const bool read =
        walk_([this](std::string_view name, std::string_view value) { add(name, value); }, why);
    if (read && !keep_tails_of_.empty()) {
        if (auto found = stem_index_.find(keep_tails_of_); found != stem_index_.end())
            stems_[found->second].gathered = true;
    }
    keep_tails_of_.clear();
    if (!read) return false;
    std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
        return lists::variable_before(a.name, b.name);
    });
    return true;
}

// An engine gives a stem's tails one after another as a rule: the stem of
// the previous tail is tried before the index.
VariableListing::Stem& VariableListing::stem_named(std::string_view stem) {
    if (!stems_.empty() && stems_[last_stem_].name == stem) return stems_[last_stem_];
    auto [it, added] = stem_index_.try_emplace(std::string(stem), stems_.size());
    if (added) {
        entries_.push_back({it->first, stems_.size(), true});
        stems_.emplace_back().name = it->first;
    }
    last_stem_ = it->second;
    return stems_[last_stem_];
}

void VariableListing::add(std::string_view name, std::string_view value) {
    const std::size_t stop = name.find('.');
    if (stop == std::string_view::npos) {
        entries_.push_back({std::string(name), values_.size(), false});
        values_.emplace_back(value);
        return;
    }
    Stem& s = stem_named(name.substr(0, stop + 1));
    if (stop + 1 == name.size()) {
        s.value = std::string(value);
        return;
    }
    ++s.count;
    if (!keep_tails_of_.empty() && s.name == keep_tails_of_)
        s.tails.push_back({std::string(name.substr(stop + 1)), std::string(value)});
}

// The tails of one stem, from a walk of the whole frame: no engine can be
// asked for one stem's tails alone.
void VariableListing::gather(Stem& s) {
    s.gathered = true;
    s.tails.reserve(std::size_t(s.count));
    const std::string_view stem = s.name;
    std::string why;
    walk_(
        [&](std::string_view name, std::string_view value) {
            if (name.size() > stem.size() && name.compare(0, stem.size(), stem) == 0)
                s.tails.push_back({std::string(name.substr(stem.size())), std::string(value)});
        },
        why);
}

lists::VarList VariableListing::page(std::int64_t from, std::int64_t count) const {
    lists::VarList list;
    auto [first, last] = span(from, count, entries_.size());
    list.total = std::int64_t(entries_.size());
    list.from = std::int64_t(first);
    for (std::size_t k = first; k < last; ++k) {
        const Entry& e = entries_[k];
        if (!e.stem) {
            lists::Variable v;
            v.name = e.name;
            v.value = values_[e.index];
            list.entries.push_back(std::move(v));
            continue;
        }
        const Stem& s = stems_[e.index];
        lists::Variable v;
        v.name = e.name;
        v.value = s.value;
        v.stem = true;
        v.tails = s.count;
        list.entries.push_back(std::move(v));
    }
    return list;
}

lists::VarList VariableListing::stem_page(const std::string& stem, std::int64_t from,
                                          std::int64_t count) {
    lists::VarList list;
    list.stem = stem;
    auto found = stem_index_.find(stem);
    if (found == stem_index_.end()) return list;
    Stem& s = stems_[found->second];
    if (!s.gathered) gather(s);
    if (!s.ordered) {
        std::vector<TailKey> keys;
        keys.reserve(s.tails.size());
        for (std::size_t k = 0; k < s.tails.size(); ++k)
            keys.push_back({whole(s.tails[k].name), &s.tails[k].name, k});
        std::sort(keys.begin(), keys.end(), key_before);
        std::vector<NamedValue> ordered;
        ordered.reserve(s.tails.size());
        for (const TailKey& key : keys)
            ordered.push_back(std::move(s.tails[key.index]));
        s.tails = std::move(ordered);
        s.ordered = true;
    }
    auto [first, last] = span(from, count, s.tails.size());
    list.total = std::int64_t(s.tails.size());
    list.from = std::int64_t(first);
    for (std::size_t k = first; k < last; ++k)
        list.entries.push_back(variable(s.tails[k]));
    return list;
}

} // namespace ostra

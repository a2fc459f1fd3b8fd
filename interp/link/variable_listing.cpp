#include "variable_listing.h"

#include <algorithm>
#include <utility>

namespace ostra {

namespace {

struct WholeNumber {
    bool negative = false;
    std::string_view digits; // without leading zeros
};

std::optional<WholeNumber> whole(std::string_view tail) {
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
    n.digits = first == std::string_view::npos ? std::string_view() : tail.substr(first);
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

// The part [from, from + count) of a list of `total` entries, cut to it.
std::pair<std::size_t, std::size_t> span(std::int64_t from, std::int64_t count, std::size_t total) {
    std::size_t first = from < 0 ? 0 : std::min(std::size_t(from), total);
    std::size_t last =
        count < 0 || std::uint64_t(count) >= total - first ? total : first + std::size_t(count);
    return {first, last};
}

} // namespace

// A tail is classed once, when it is gathered: a million tails take some
// twenty million comparisons, which must not read the digits again each
// time. A whole number of up to 18 digits, as nearly every tail of a stem
// is, compares by its value at once; the longer ones lie below or above
// all of those, as their sign says.
void VariableListing::classify(Tail& t, std::string_view name) {
    std::optional<WholeNumber> n = whole(name);
    t.number = 0;
    if (!n) {
        t.kind = Tail::not_number;
    } else if (n->digits.size() > 18) {
        t.kind = n->negative ? Tail::big_negative : Tail::big_positive;
    } else {
        t.kind = Tail::small_number;
        for (char d : n->digits)
            t.number = t.number * 10 + (d - '0');
        if (n->negative) t.number = -t.number;
    }
}

bool VariableListing::before(const Tail& a, std::string_view a_name, const Tail& b,
                             std::string_view b_name) {
    if (a.kind != b.kind) return a.kind < b.kind;
    if (a.kind == Tail::small_number && a.number != b.number) return a.number < b.number;
    if (a.kind == Tail::big_negative || a.kind == Tail::big_positive) {
        int c = compare_numbers(*whole(a_name), *whole(b_name));
        if (c != 0) return c < 0;
    }
    return a_name < b_name;
}

bool tail_before(const std::string& a, const std::string& b) {
    VariableListing::Tail ta, tb;
    VariableListing::classify(ta, a);
    VariableListing::classify(tb, b);
    return VariableListing::before(ta, a, tb, b);
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
    if (!keep_tails_of_.empty() && s.name == keep_tails_of_) keep(s, name.substr(stop + 1), value);
}

void VariableListing::keep(Stem& s, std::string_view tail, std::string_view value) {
    Tail& t = s.tails.emplace_back();
    t.at = s.bytes.size();
    t.name_size = tail.size();
    t.value_size = value.size();
    classify(t, tail);
    s.bytes.append(tail).append(value);
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
                keep(s, name.substr(stem.size()), value);
        },
        why);
}

lists::Variable VariableListing::shown(const Entry& e) const {
    lists::Variable v;
    v.name = e.name;
    if (!e.stem) {
        v.value = values_[e.index];
        return v;
    }
    const Stem& s = stems_[e.index];
    v.value = s.value;
    v.stem = true;
    v.tails = s.count;
    return v;
}

lists::VarList VariableListing::page(std::int64_t from, std::int64_t count) const {
    lists::VarList list;
    auto [first, last] = span(from, count, entries_.size());
    list.total = std::int64_t(entries_.size());
    list.from = std::int64_t(first);
    list.entries.reserve(last - first);
    for (std::size_t k = first; k < last; ++k)
        list.entries.push_back(shown(entries_[k]));
    return list;
}

std::optional<lists::Variable> VariableListing::entry(const std::string& name) const {
    auto at = std::lower_bound(
        entries_.begin(), entries_.end(), name,
        [](const Entry& e, const std::string& n) { return lists::variable_before(e.name, n); });
    if (at == entries_.end() || at->name != name) return std::nullopt;
    return shown(*at);
}

std::vector<std::string> VariableListing::take_touched() {
    return std::exchange(touched_, {});
}

// The tails' order, as indices: nearly all tails are small numbers, which
// sort as pairs of their value and index, sixteen bytes each; the few
// others go by the whole comparison, and the longer negative numbers
// among them before the small ones.
void VariableListing::order(Stem& s) {
    struct Small {
        std::int64_t number;
        std::uint32_t index;
    };
    std::vector<Small> small;
    std::vector<std::uint32_t> others;
    small.reserve(s.tails.size());
    for (std::size_t k = 0; k < s.tails.size(); ++k) {
        const Tail& t = s.tails[k];
        if (t.kind == Tail::small_number)
            small.push_back({t.number, std::uint32_t(k)});
        else
            others.push_back(std::uint32_t(k));
    }
    const std::string_view bytes = s.bytes;
    auto name = [&](std::uint32_t k) { return bytes.substr(s.tails[k].at, s.tails[k].name_size); };
    std::sort(small.begin(), small.end(), [&](const Small& a, const Small& b) {
        return a.number != b.number ? a.number < b.number : name(a.index) < name(b.index);
    });
    std::sort(others.begin(), others.end(), [&](std::uint32_t a, std::uint32_t b) {
        return before(s.tails[a], name(a), s.tails[b], name(b));
    });
    auto negative = std::partition_point(others.begin(), others.end(), [&](std::uint32_t k) {
        return s.tails[k].kind == Tail::big_negative;
    });
    s.order.clear();
    s.order.reserve(s.tails.size());
    s.order.insert(s.order.end(), others.begin(), negative);
    for (const Small& n : small)
        s.order.push_back(n.index);
    s.order.insert(s.order.end(), negative, others.end());
    s.ordered = true;
}

lists::VarList VariableListing::stem_page(const std::string& stem, std::int64_t from,
                                          std::int64_t count) {
    lists::VarList list;
    list.stem = stem;
    auto found = stem_index_.find(stem);
    if (found == stem_index_.end()) return list;
    Stem& s = stems_[found->second];
    if (!s.gathered) gather(s);
    if (!s.ordered) order(s);
    auto [first, last] = span(from, count, s.order.size());
    list.total = std::int64_t(s.order.size());
    list.from = std::int64_t(first);
    for (std::size_t k = first; k < last; ++k) {
        const Tail& t = s.tails[s.order[k]];
        lists::Variable v;
        v.name.assign(s.bytes, t.at, t.name_size);
        v.value = s.bytes.substr(t.at + t.name_size, t.value_size);
        list.entries.push_back(std::move(v));
    }
    return list;
}

bool VariableListing::apply(const std::vector<VariableChange>& changes) {
    for (const VariableChange& c : changes) {
        const std::size_t stop = c.name.find('.');
        if (stop == std::string::npos) {
            if (set_simple(c.name, c.value)) touched_.push_back(c.name);
            continue;
        }
        const std::size_t entries = entries_.size();
        if (!set_tail(c, stop)) return false;
        // A tail that neither was nor is leaves its stem as it was.
        if (c.value || c.was_set || entries != entries_.size())
            touched_.push_back(c.name.substr(0, stop + 1));
    }
    return true;
}

// Where an entry named `name` stands, or would stand, in the pane's order.
std::vector<VariableListing::Entry>::iterator VariableListing::entry_at(const std::string& name) {
    return std::lower_bound(
        entries_.begin(), entries_.end(), name,
        [](const Entry& e, const std::string& n) { return lists::variable_before(e.name, n); });
}

void VariableListing::insert_entry(Entry e) {
    auto at = entry_at(e.name);
    entries_.insert(at, std::move(e));
}

bool VariableListing::set_simple(const std::string& name, const std::optional<std::string>& value) {
    auto at = entry_at(name);
    if (at != entries_.end() && at->name == name) {
        if (!value) {
            entries_.erase(at);
            return true;
        }
        if (values_[at->index] == *value) return false;
        values_[at->index] = *value;
        return true;
    }
    if (!value) return false;
    entries_.insert(at, {name, values_.size(), false});
    values_.push_back(*value);
    return true;
}

// A tail's change counts for its stem; a stem with no tail and no default
// is not listed.
bool VariableListing::set_tail(const VariableChange& change, std::size_t stop) {
    const std::string stem = change.name.substr(0, stop + 1);
    const std::string_view tail = std::string_view(change.name).substr(stop + 1);
    if (tail.empty()) return false;
    auto found = stem_index_.find(stem);
    if (found == stem_index_.end()) {
        if (!change.value) return !change.was_set;
        found = stem_index_.emplace(stem, stems_.size()).first;
        stems_.emplace_back().name = stem;
        insert_entry({stem, found->second, true});
    }
    Stem& s = stems_[found->second];
    if (s.gathered) {
        set_gathered_tail(s, tail, change.value);
        s.count = std::int64_t(s.order.size());
    } else {
        s.count += std::int64_t(change.value.has_value()) - std::int64_t(change.was_set);
    }
    if (s.count < 0) return false;
    if (s.count == 0 && !s.value) {
        entries_.erase(entry_at(stem));
        stem_index_.erase(found);
    }
    return true;
}

// Kept tails are changed where they stand in order; a new value goes to
// the end of the stem's bytes.
void VariableListing::set_gathered_tail(Stem& s, std::string_view tail,
                                        const std::optional<std::string>& value) {
    if (!s.ordered) order(s);
    Tail probe;
    classify(probe, tail);
    auto name_of = [&](std::uint32_t k) {
        return std::string_view(s.bytes).substr(s.tails[k].at, s.tails[k].name_size);
    };
    auto at = std::lower_bound(s.order.begin(), s.order.end(), tail,
                               [&](std::uint32_t k, std::string_view t) {
                                   return before(s.tails[k], name_of(k), probe, t);
                               });
    if (at != s.order.end() && name_of(*at) == tail) {
        if (!value) {
            s.order.erase(at);
            return;
        }
        Tail& t = s.tails[*at];
        t.at = s.bytes.size();
        t.value_size = value->size();
        s.bytes.append(tail).append(*value);
        return;
    }
    if (!value) return;
    const std::size_t place = std::size_t(at - s.order.begin());
    keep(s, tail, *value);
    s.order.insert(s.order.begin() + std::ptrdiff_t(place), std::uint32_t(s.tails.size() - 1));
}

} // namespace ostra

#include "inspect/variables_model.h"

#include "inspect/value_text.h"

#include <algorithm>

namespace inspect {

namespace {

// What a stem's row is compared by: its default value and its tail count.
std::string stem_state(const lists::Variable& v) {
    return (v.value ? "=" + *v.value : std::string("-")) + " " + std::to_string(v.tails);
}

} // namespace

void VariablesModel::clear() {
    *this = VariablesModel{};
}

std::string VariablesModel::ask(std::int64_t frame, const std::string& frame_key) {
    // The rows of the frame stay until the answer replaces them; tails are
    // asked again, as their values may have changed.
    if (frame != frame_ || frame_key != key_) entries_.clear();
    for (auto& [name, stem] : open_) {
        stem.pages.clear();
        stem.asked.clear();
    }
    reindex();
    frame_ = frame;
    key_ = frame_key;
    notice_.clear();
    return "vars " + std::to_string(frame);
}

void VariablesModel::unavailable(const std::string& line) {
    entries_.clear();
    reindex();
    notice_ = line;
}

std::optional<std::string> VariablesModel::stem_memory_value(const lists::Variable& v) const {
    return v.stem ? std::optional<std::string>(stem_state(v)) : v.value;
}

bool VariablesModel::changed(const std::string& key,
                             const std::optional<std::string>& value) const {
    const auto m = memory_.find(key_);
    if (m == memory_.end() || !m->second.seen) return false;
    const auto was = m->second.before.find(key);
    if (was == m->second.before.end())
        return key.find('.') == std::string::npos ||
               key.back() == '.'; // new: not a tail never seen
    return was->second != value;
}

void VariablesModel::remember(const std::string& key, const std::optional<std::string>& value) {
    Memory& m = memory_[key_];
    if (m.stop != stops_) {
        if (m.stop != 0 || !m.now.empty()) {
            m.before = std::move(m.now);
            m.seen = true;
        }
        m.now.clear();
        m.stop = stops_;
    }
    // Keys come in the list's order, nearly always rising: the end is the
    // place to try first.
    m.now.insert_or_assign(m.now.end(), key, value);
}

void VariablesModel::take(const lists::VarList& list) {
    if (list.frame != frame_) return;
    if (list.failure != lists::VarFailure::none) {
        if (list.stem.empty() || list.failure != lists::VarFailure::bad)
            unavailable(list.reason.empty() ? "these variables cannot be read" : list.reason);
        return;
    }
    if (list.stem.empty()) {
        notice_.clear();
        entries_ = list.entries;
        // The interpreter lists them in this order already: a look costs
        // one comparison a row where a sort costs a dozen.
        auto before = [](const lists::Variable& a, const lists::Variable& b) {
            return lists::variable_before(a.name, b.name);
        };
        if (!std::is_sorted(entries_.begin(), entries_.end(), before))
            std::stable_sort(entries_.begin(), entries_.end(), before);
        for (const lists::Variable& v : entries_)
            remember(v.name, stem_memory_value(v));
        // A stem that is gone closes; one still there keeps its new count.
        for (auto it = open_.begin(); it != open_.end();) {
            auto e = std::find_if(entries_.begin(), entries_.end(), [&](const lists::Variable& v) {
                return v.stem && v.name == it->first;
            });
            if (e == entries_.end()) {
                it = open_.erase(it);
            } else {
                it->second.total = e->tails;
                ++it;
            }
        }
        reindex();
        return;
    }
    const auto s = open_.find(list.stem);
    if (s == open_.end()) return;
    OpenStem& stem = s->second;
    stem.total = list.total;
    if (list.from % tail_page != 0) return;
    const std::int64_t page = list.from / tail_page;
    for (const lists::Variable& v : list.entries)
        remember(list.stem + v.name, v.value);
    stem.pages[page] = list.entries;
}

void VariablesModel::reindex() {
    open_at_.clear();
    for (std::size_t e = 0; e < entries_.size(); ++e)
        if (entries_[e].stem && open_.count(entries_[e].name)) open_at_.push_back(e);
}

VariablesModel::Place VariablesModel::place(std::size_t index) const {
    std::size_t extra = 0; // tail rows of the open stems before
    for (std::size_t e : open_at_) {
        if (index <= e + extra) return {index - extra, std::nullopt};
        const auto total = std::size_t(std::max<std::int64_t>(open_.at(entries_[e].name).total, 0));
        if (index <= e + extra + total) return {e, std::int64_t(index - e - extra - 1)};
        extra += total;
    }
    return {index - extra, std::nullopt};
}

// Asked for every row drawn: only the open stems are looked at.
std::size_t VariablesModel::row_count() const {
    std::size_t n = entries_.size();
    for (std::size_t e : open_at_)
        n += std::size_t(std::max<std::int64_t>(open_.at(entries_[e].name).total, 0));
    return n;
}

const lists::Variable* VariablesModel::tail_at(const OpenStem& stem, std::int64_t at) const {
    const auto p = stem.pages.find(at / tail_page);
    if (p == stem.pages.end()) return nullptr;
    const auto k = std::size_t(at % tail_page);
    return k < p->second.size() ? &p->second[k] : nullptr;
}

VarRow VariablesModel::row(std::size_t index) const {
    VarRow r;
    if (index >= row_count()) return r;
    const Place at = place(index);
    if (at.entry >= entries_.size()) return r;
    const lists::Variable& v = entries_[at.entry];
    if (!at.tail) {
        r.name = v.name;
        r.value = v.value;
        r.stem = v.stem;
        r.tails = v.tails;
        r.open = v.stem && open_.count(v.name) != 0;
        r.changed = changed(v.name, stem_memory_value(v));
        return r;
    }
    r.tail = true;
    r.stem_name = v.name;
    const lists::Variable* t = tail_at(open_.at(v.name), *at.tail);
    if (!t) {
        r.loaded = false;
        return r;
    }
    r.name = t->name;
    r.value = t->value;
    r.changed = changed(v.name + t->name, t->value);
    return r;
}

std::string VariablesModel::page_command(const std::string& stem, std::int64_t page) const {
    return "vars " + std::to_string(frame_) + " " + stem + " " + std::to_string(page * tail_page) +
           " " + std::to_string(tail_page);
}

std::vector<std::string> VariablesModel::wanted(std::size_t first, std::size_t count) {
    std::vector<std::string> commands;
    const std::size_t end = std::min(row_count(), first + count);
    for (std::size_t i = first; i < end; ++i) {
        const Place at = place(i);
        if (!at.tail) continue;
        const std::string& name = entries_[at.entry].name;
        OpenStem& stem = open_.at(name);
        const std::int64_t page = *at.tail / tail_page;
        if (stem.pages.count(page) || !stem.asked.insert(page).second) {
            // Jump to the next page: the rest of this one needs nothing.
            const std::int64_t left = tail_page - 1 - (*at.tail % tail_page);
            i += std::size_t(std::min<std::int64_t>(left, stem.total - 1 - *at.tail));
            continue;
        }
        commands.push_back(page_command(name, page));
    }
    return commands;
}

std::optional<std::string> VariablesModel::toggle(std::size_t index) {
    const Place at = place(index);
    if (at.entry >= entries_.size()) return std::nullopt;
    const lists::Variable& v = entries_[at.entry];
    if (!v.stem) return std::nullopt;
    if (at.tail || open_.count(v.name)) {
        open_.erase(v.name);
        reindex();
        return std::nullopt;
    }
    OpenStem& stem = open_[v.name];
    stem.total = v.tails;
    reindex();
    if (v.tails == 0) return std::nullopt;
    stem.asked.insert(0);
    return page_command(v.name, 0);
}

std::string VariablesModel::row_text(std::size_t index, std::size_t width) const {
    if (index >= row_count()) return {};
    const VarRow r = row(index);
    std::string text;
    if (r.tail) {
        text = "  " + escaped_value(r.stem_name) +
               (r.loaded ? escaped_value(r.name) : std::string("...")) + " = ";
    } else {
        text = escaped_value(r.name);
        if (r.stem) {
            text = std::string(r.open ? "- " : "+ ") + text + " (" + std::to_string(r.tails) +
                   (r.tails == 1 ? " tail)" : " tails)");
            if (!r.value) return cut_with_dots(text, width);
        }
        text += " = ";
    }
    if (r.value) {
        // Only what can show is escaped: a value of megabytes costs no more.
        const std::size_t room = width > text.size() ? width - text.size() : 0;
        text += escaped_value(std::string_view(*r.value).substr(0, room + 1));
    }
    return cut_with_dots(text, width);
}

std::string VariablesModel::all_text() const {
    std::string out;
    const std::size_t n = row_count();
    for (std::size_t i = 0; i < n; ++i) {
        const VarRow r = row(i);
        if (r.tail && !r.loaded) continue;
        out += r.tail ? "  " + escaped_value(r.stem_name + r.name) : escaped_value(r.name);
        if (r.stem) out += " (" + std::to_string(r.tails) + " tails)";
        if (r.value) out += " = " + escaped_value(*r.value);
        out += '\n';
    }
    return out;
}

} // namespace inspect

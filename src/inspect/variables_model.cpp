#include "inspect/variables_model.h"

#include "inspect/value_text.h"

#include <algorithm>

namespace inspect {

namespace {

// What a row is compared by: a variable's value, or a stem's default value
// and tail count.
std::optional<std::string> shown_state(const lists::Variable& v) {
    if (!v.stem) return v.value;
    return (v.value ? "=" + *v.value : std::string("-")) + " " + std::to_string(v.tails);
}

bool same_entry(const lists::Variable& a, const lists::Variable& b) {
    return a.stem == b.stem && a.tails == b.tails && a.value == b.value;
}

using Entries = std::vector<lists::Variable>;

Entries::iterator entry_place(Entries& entries, const std::string& name) {
    return std::lower_bound(entries.begin(), entries.end(), name,
                            [](const lists::Variable& v, const std::string& n) {
                                return lists::variable_before(v.name, n);
                            });
}

// Applies the entries set and the names dropped to `entries`, in the pane's
// order; `changing(name, was)` hears of each entry before it changes (`was`
// null for a new one).
template <typename Changing>
void apply_changes(Entries& entries, const lists::VarChanges& changes, Changing changing) {
    for (const lists::Variable& v : changes.set) {
        auto at = entry_place(entries, v.name);
        if (at != entries.end() && at->name == v.name) {
            if (same_entry(*at, v)) continue;
            changing(v.name, &*at);
            *at = v;
        } else {
            changing(v.name, nullptr);
            entries.insert(at, v);
        }
    }
    for (const std::string& name : changes.dropped) {
        auto at = entry_place(entries, name);
        if (at == entries.end() || at->name != name) continue;
        changing(name, &*at);
        entries.erase(at);
    }
}

} // namespace

void VariablesModel::clear() {
    *this = VariablesModel{};
}

const std::vector<lists::Variable>& VariablesModel::entries() const {
    static const std::vector<lists::Variable> none;
    return current_ && showing_ ? current_->entries : none;
}

std::string VariablesModel::ask(std::int64_t frame, const std::string& frame_key, bool by_changes) {
    // The rows of the frame stay until the answer replaces them; tails are
    // asked again, as their values may have changed.
    if (frame != frame_ || frame_key != key_) showing_ = false;
    for (auto& [name, stem] : open_) {
        stem.pages.clear();
        stem.asked.clear();
    }
    frame_ = frame;
    key_ = frame_key;
    based_on_.reset();
    current_ = &rows_[key_];
    reindex();
    notice_.clear();
    if (by_changes)
        return "varchanges " + std::to_string(frame) + " " +
               std::to_string(current_->listed ? current_->generation : 0);
    return "vars " + std::to_string(frame);
}

void VariablesModel::rekey(const std::string& frame_key) {
    if (frame_key == key_) return;
    if (!based_on_) based_on_ = key_;
    key_ = frame_key;
    current_ = &rows_[key_];
    showing_ = false;
    reindex();
}

void VariablesModel::unavailable(const std::string& line) {
    showing_ = false;
    reindex();
    notice_ = line;
}

VariablesModel::FrameRows& VariablesModel::rows_listed() {
    FrameRows& rows = *current_;
    if (rows.listed && rows.stop != stops_) {
        rows.before.clear();
        rows.seen = true;
    }
    rows.stop = stops_;
    return rows;
}

// An entry is about to change: at the first change of this stop, how it
// stood at the last one is kept for the comparison.
void VariablesModel::note_change(FrameRows& rows, const std::string& name,
                                 const lists::Variable* was) {
    if (!rows.seen) return;
    rows.before.try_emplace(name, Was{was != nullptr, was ? shown_state(*was) : Shown()});
}

bool VariablesModel::entry_changed(const lists::Variable& v) const {
    if (!current_ || !current_->seen) return false;
    const auto was = current_->before.find(v.name);
    if (was == current_->before.end()) return false;
    return !was->second.existed || was->second.shown != shown_state(v);
}

bool VariablesModel::tail_changed(const std::string& key,
                                  const std::optional<std::string>& value) const {
    const auto m = tails_.find(key_);
    if (m == tails_.end()) return false;
    const auto was = m->second.before.find(key);
    return was != m->second.before.end() && was->second != value;
}

void VariablesModel::remember_tail(const std::string& key,
                                   const std::optional<std::string>& value) {
    TailMemory& m = tails_[key_];
    if (m.stop != stops_) {
        m.before = std::move(m.now);
        m.now.clear();
        m.stop = stops_;
    }
    // Tails come in their stem's order: the end is the place to try first.
    m.now.insert_or_assign(m.now.end(), key, value);
}

void VariablesModel::listed() {
    current_->listed = true;
    showing_ = true;
    notice_.clear();
    // A stem that is gone closes; one still there keeps its new count.
    Entries& entries = current_->entries;
    for (auto it = open_.begin(); it != open_.end();) {
        auto e = entry_place(entries, it->first);
        if (e == entries.end() || e->name != it->first || !e->stem) {
            it = open_.erase(it);
        } else {
            it->second.total = e->tails;
            ++it;
        }
    }
    reindex();
}

// The frame's whole list, compared with its rows at the last stop.
void VariablesModel::take_whole(Entries now) {
    FrameRows& rows = rows_listed();
    // The interpreter lists them in this order already: a look costs
    // one comparison a row where a sort costs a dozen.
    auto before = [](const lists::Variable& a, const lists::Variable& b) {
        return lists::variable_before(a.name, b.name);
    };
    if (!std::is_sorted(now.begin(), now.end(), before))
        std::stable_sort(now.begin(), now.end(), before);
    if (rows.seen) {
        // Both lists in the pane's order: one walk finds what differs.
        auto a = rows.entries.cbegin(), b = now.cbegin();
        while (a != rows.entries.cend() || b != now.cend()) {
            if (b == now.cend() || (a != rows.entries.cend() && before(*a, *b))) {
                note_change(rows, a->name, &*a);
                ++a;
            } else if (a == rows.entries.cend() || before(*b, *a)) {
                note_change(rows, b->name, nullptr);
                ++b;
            } else {
                if (!same_entry(*a, *b)) note_change(rows, a->name, &*a);
                ++a, ++b;
            }
        }
    }
    rows.entries = std::move(now);
    rows.generation = 0;
    listed();
}

void VariablesModel::take(const lists::VarList& list) {
    if (list.frame != frame_ || !current_) return;
    if (list.failure != lists::VarFailure::none) {
        if (list.stem.empty() || list.failure != lists::VarFailure::bad)
            unavailable(list.reason.empty() ? "these variables cannot be read" : list.reason);
        return;
    }
    if (list.stem.empty()) {
        take_whole(list.entries);
        return;
    }
    const auto s = open_.find(list.stem);
    if (s == open_.end()) return;
    OpenStem& stem = s->second;
    stem.total = list.total;
    if (list.from % tail_page != 0) return;
    const std::int64_t page = list.from / tail_page;
    for (const lists::Variable& v : list.entries)
        remember_tail(list.stem + v.name, v.value);
    stem.pages[page] = list.entries;
}

std::optional<std::string> VariablesModel::take(const lists::VarChanges& changes) {
    if (changes.frame != frame_ || !current_) return std::nullopt;
    if (changes.failure != lists::VarFailure::none) {
        unavailable(changes.reason.empty() ? "these variables cannot be read" : changes.reason);
        return std::nullopt;
    }
    if (changes.base == 0) {
        based_on_.reset();
        take_whole(changes.set);
        current_->generation = changes.generation;
        return std::nullopt;
    }
    if (based_on_) return take_rebased(changes);
    FrameRows& rows = *current_;
    if (!rows.listed || changes.base != rows.generation) {
        rows.generation = 0;
        return "varchanges " + std::to_string(frame_) + " 0";
    }
    rows_listed();
    apply_changes(rows.entries, changes, [&](const std::string& name, const lists::Variable* was) {
        note_change(rows, name, was);
    });
    rows.generation = changes.generation;
    listed();
    return std::nullopt;
}

// Changes to another frame's rows (rekey) make this frame's whole list,
// which is then taken as any whole list is: compared with the rows this
// frame had at the last stop.
std::optional<std::string> VariablesModel::take_rebased(const lists::VarChanges& changes) {
    const auto base = rows_.find(*based_on_);
    based_on_.reset();
    if (base == rows_.end() || !base->second.listed || changes.base != base->second.generation) {
        current_->generation = 0;
        return "varchanges " + std::to_string(frame_) + " 0";
    }
    Entries whole = base->second.entries;
    apply_changes(whole, changes, [](const std::string&, const lists::Variable*) {});
    take_whole(std::move(whole));
    current_->generation = changes.generation;
    return std::nullopt;
}

void VariablesModel::reindex() {
    open_at_.clear();
    if (open_.empty()) return;
    const Entries& rows = entries();
    for (std::size_t e = 0; e < rows.size(); ++e)
        if (rows[e].stem && open_.count(rows[e].name)) open_at_.push_back(e);
}

VariablesModel::Place VariablesModel::place(std::size_t index) const {
    std::size_t extra = 0; // tail rows of the open stems before
    for (std::size_t e : open_at_) {
        if (index <= e + extra) return {index - extra, std::nullopt};
        const auto total =
            std::size_t(std::max<std::int64_t>(open_.at(entries()[e].name).total, 0));
        if (index <= e + extra + total) return {e, std::int64_t(index - e - extra - 1)};
        extra += total;
    }
    return {index - extra, std::nullopt};
}

// Asked for every row drawn: only the open stems are looked at.
std::size_t VariablesModel::row_count() const {
    std::size_t n = entries().size();
    for (std::size_t e : open_at_)
        n += std::size_t(std::max<std::int64_t>(open_.at(entries()[e].name).total, 0));
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
    if (at.entry >= entries().size()) return r;
    const lists::Variable& v = entries()[at.entry];
    if (!at.tail) {
        r.name = v.name;
        r.value = v.value;
        r.stem = v.stem;
        r.tails = v.tails;
        r.open = v.stem && open_.count(v.name) != 0;
        r.changed = entry_changed(v);
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
    r.changed = tail_changed(v.name + t->name, t->value);
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
        const std::string& name = entries()[at.entry].name;
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
    if (at.entry >= entries().size()) return std::nullopt;
    const lists::Variable& v = entries()[at.entry];
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
        if (r.stem) out += " (" + std::to_string(r.tails) + (r.tails == 1 ? " tail)" : " tails)");
        if (r.value) out += " = " + escaped_value(*r.value);
        out += '\n';
    }
    return out;
}

} // namespace inspect

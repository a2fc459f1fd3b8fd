#include "variable_pool.h"

#include "rexx_api.h"

#include "text.h"

#include <vector>

namespace regina {

namespace {

void set_name(SHVBLOCK& block, const std::string& name) {
    MAKERXSTRING(block.shvname, const_cast<char*>(name.data()), name.size());
    block.shvnamelen = ULONG(name.size());
}

std::string taken(RXSTRING& s) {
    std::string text(s.strptr ? s.strptr : "", s.strptr ? s.strlength : 0);
    if (s.strptr) RexxFreeMemory(s.strptr);
    s.strptr = nullptr;
    return text;
}

std::string_view viewed(const RXSTRING& s) {
    return s.strptr ? std::string_view(s.strptr, s.strlength) : std::string_view();
}

} // namespace

std::optional<std::string> fetch_variable(const std::string& name, bool symbolic) {
    SHVBLOCK block{};
    set_name(block, name);
    MAKERXSTRING(block.shvvalue, nullptr, 0);
    block.shvcode = symbolic ? RXSHV_SYFET : RXSHV_FETCH;
    RexxVariablePool(&block);
    std::string value = taken(block.shvvalue);
    if (block.shvret & (RXSHV_NEWV | RXSHV_BADN | RXSHV_NOAVL | RXSHV_BADF)) return std::nullopt;
    return value;
}

void put_variable(const std::string& name, const std::optional<std::string>& value) {
    SHVBLOCK block{};
    set_name(block, name);
    if (value) {
        MAKERXSTRING(block.shvvalue, const_cast<char*>(value->data()), value->size());
        block.shvvaluelen = ULONG(value->size());
        block.shvcode = RXSHV_SET;
    } else {
        block.shvcode = RXSHV_DROPV;
    }
    RexxVariablePool(&block);
}

namespace {

// What a walk copies each name and value into: Regina fills a buffer it is
// given instead of allocating, which saves a malloc and a free of each on
// both sides. A name or value longer than its buffer comes back cut, with
// RXSHV_TRUNC and no word of its whole length; it is read whole after the
// walk.
constexpr std::size_t walk_name_room = 4096;
constexpr std::size_t walk_value_room = 65536;

// Any request but RXSHV_NEXTV starts Regina's walk again from the first
// variable; a fetch of the empty name is refused (RXSHV_BADN) and touches
// nothing else.
void restart_walk() {
    SHVBLOCK block{};
    MAKERXSTRING(block.shvname, nullptr, 0);
    MAKERXSTRING(block.shvvalue, nullptr, 0);
    block.shvcode = RXSHV_FETCH;
    RexxVariablePool(&block);
}

struct WalkStep {
    bool last = false;   // no variable: the walk is over, or failed
    bool failed = false; // Regina refused it (no pool, out of memory)
    bool cut = false;    // the name or the value did not fit
};

// One RXSHV_NEXTV, into the buffers when they are given, else into memory
// Regina allocates (which the caller frees).
WalkStep next_variable(SHVBLOCK& block, std::string* name_room, std::string* value_room) {
    block = SHVBLOCK{};
    if (name_room) {
        MAKERXSTRING(block.shvname, name_room->data(), name_room->size());
        block.shvnamelen = ULONG(name_room->size());
        MAKERXSTRING(block.shvvalue, value_room->data(), value_room->size());
        block.shvvaluelen = ULONG(value_room->size());
    } else {
        MAKERXSTRING(block.shvname, nullptr, 0);
        MAKERXSTRING(block.shvvalue, nullptr, 0);
    }
    block.shvcode = RXSHV_NEXTV;
    RexxVariablePool(&block);
    WalkStep step;
    step.last = block.shvret & (RXSHV_LVAR | RXSHV_BADF | RXSHV_NOAVL | RXSHV_MEMFL);
    step.failed = block.shvret & (RXSHV_BADF | RXSHV_NOAVL | RXSHV_MEMFL);
    step.cut = block.shvret & RXSHV_TRUNC;
    return step;
}

void free_walked(SHVBLOCK& block) {
    if (block.shvname.strptr) RexxFreeMemory(block.shvname.strptr);
    if (block.shvvalue.strptr) RexxFreeMemory(block.shvvalue.strptr);
}

// Regina ends a walk with RXSHV_LVAR; the guard only keeps a pool that
// never says so from walking for ever.
constexpr long walk_guard = 200000000;

} // namespace

bool each_variable(const std::function<void(std::string_view name, std::string_view value)>& take) {
    static std::string name_room(walk_name_room, '\0'), value_room(walk_value_room, '\0');
    // A walk left unfinished would go on from where it stopped.
    restart_walk();
    // The variables that did not fit: their places in the walk and the
    // first bytes of their names.
    std::vector<std::pair<long, std::string>> cut;
    long place = 0;
    for (; place < walk_guard; ++place) {
        SHVBLOCK block;
        const WalkStep step = next_variable(block, &name_room, &value_room);
        if (step.failed) return false;
        if (step.last) break;
        if (step.cut)
            cut.emplace_back(place, viewed(block.shvname));
        else
            take(viewed(block.shvname), viewed(block.shvvalue));
    }
    // A simple variable whose whole name came is fetched by it. A compound
    // one is not: a fetch refuses a tail with a blank, NUL or 8-bit byte,
    // and takes the name of an empty tail ("S.") for the stem's default.
    std::erase_if(cut, [&](const std::pair<long, std::string>& c) {
        const std::string& name = c.second;
        if (name.size() >= name_room.size() || name.find('.') != std::string::npos) return false;
        std::optional<std::string> value = fetch_variable(name, false);
        if (value) take(name, *value);
        return bool(value);
    });
    if (cut.empty()) return true;
    // The pool is as it was: the same walk again, the rest of those in
    // memory Regina allocates to their size.
    restart_walk();
    std::size_t next = 0;
    for (long at = 0; at <= place && next < cut.size(); ++at) {
        const bool wanted = at == cut[next].first;
        SHVBLOCK block;
        const WalkStep step = next_variable(block, wanted ? nullptr : &name_room, &value_room);
        if (step.last) {
            if (wanted) free_walked(block);
            break;
        }
        if (!wanted) continue;
        const std::string_view name = viewed(block.shvname);
        const bool same = name.substr(0, cut[next].second.size()) == cut[next].second;
        if (same) take(name, viewed(block.shvvalue));
        free_walked(block);
        if (!same) break;
        ++next;
    }
    restart_walk();
    return next == cut.size();
}

Variables all_variables() {
    Variables found;
    // A pool cannot change while it is read: no clause runs meanwhile.
    (void)each_variable([&](std::string_view name, std::string_view value) {
        found.insert_or_assign(std::string(name), std::string(value));
    });
    return found;
}

std::string derived_name(const std::string& symbol, const Variables& variables) {
    return derived_name(symbol, [&](const std::string& part) -> std::optional<std::string> {
        auto value = variables.find(part);
        if (value == variables.end()) return std::nullopt;
        return value->second;
    });
}

std::string derived_name(const std::string& symbol, const ValueOf& value_of) {
    std::string name = ostra::upper(symbol);
    std::size_t stop = name.find('.');
    if (stop == std::string::npos) return name;
    std::string out = name.substr(0, stop + 1);
    for (std::size_t at = stop + 1;;) {
        std::size_t next = name.find('.', at);
        std::string part = name.substr(at, next == std::string::npos ? next : next - at);
        if (!part.empty() && !ostra::is_constant_symbol(part)) {
            if (std::optional<std::string> value = value_of(part)) part = *value;
        }
        out += part;
        if (next == std::string::npos) break;
        out += '.';
        at = next + 1;
    }
    return out;
}

namespace {

bool is_stem(const std::string& name) {
    return !name.empty() && name.back() == '.';
}

// Puts back the stems (`stems`) or the other variables that differ between
// `was` and `now`; true when something was put.
bool put_back(const Variables& was, const Variables& now, bool stems) {
    bool put = false;
    for (const auto& [name, value] : was) {
        if (is_stem(name) != stems) continue;
        auto found = now.find(name);
        if (found == now.end() || found->second != value) put_variable(name, value), put = true;
    }
    for (const auto& [name, value] : now)
        if (is_stem(name) == stems && !was.count(name))
            put_variable(name, std::nullopt), put = true;
    return put;
}

} // namespace

void restore_variables(const Variables& was) {
    // Stems first: setting or dropping a stem's default drops its tails,
    // which are then compared with the pool as it is after that.
    const Variables now = all_variables();
    if (put_back(was, now, true))
        put_back(was, all_variables(), false);
    else
        put_back(was, now, false);
}

} // namespace regina

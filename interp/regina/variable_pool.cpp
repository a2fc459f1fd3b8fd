#include "variable_pool.h"

#include "rexx_api.h"

#include "text.h"

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

void each_variable(const std::function<void(std::string_view name, std::string_view value)>& take) {
    // Regina ends the walk with RXSHV_LVAR; the guard only keeps a pool
    // that never says so from walking for ever. Regina allocates the name
    // and the value of each variable it gives: `take` sees them in place,
    // and they are freed as soon as it returns.
    for (long guard = 0; guard < 200000000; ++guard) {
        SHVBLOCK block{};
        MAKERXSTRING(block.shvname, nullptr, 0);
        MAKERXSTRING(block.shvvalue, nullptr, 0);
        block.shvcode = RXSHV_NEXTV;
        RexxVariablePool(&block);
        const bool last = block.shvret & RXSHV_LVAR;
        const bool bad = block.shvret & (RXSHV_BADF | RXSHV_NOAVL | RXSHV_MEMFL);
        if (!last && !bad) take(viewed(block.shvname), viewed(block.shvvalue));
        if (block.shvname.strptr) RexxFreeMemory(block.shvname.strptr);
        if (block.shvvalue.strptr) RexxFreeMemory(block.shvvalue.strptr);
        if (last || bad) break;
    }
}

Variables all_variables() {
    Variables found;
    each_variable([&](std::string_view name, std::string_view value) {
        found.insert_or_assign(std::string(name), std::string(value));
    });
    return found;
}

std::string derived_name(const std::string& symbol, const Variables& variables) {
    std::string name = ostra::upper(symbol);
    std::size_t stop = name.find('.');
    if (stop == std::string::npos) return name;
    std::string out = name.substr(0, stop + 1);
    for (std::size_t at = stop + 1;;) {
        std::size_t next = name.find('.', at);
        std::string part = name.substr(at, next == std::string::npos ? next : next - at);
        if (!part.empty() && !ostra::is_constant_symbol(part)) {
            auto value = variables.find(part);
            if (value != variables.end()) part = value->second;
        }
        out += part;
        if (next == std::string::npos) break;
        out += '.';
        at = next + 1;
    }
    return out;
}

} // namespace regina

// Instructions typed at the debugger ("interpret ...", the questions of tips
// and pins) run against one frame's variables. They are parsed like a line
// of a macro, so IF/THEN/ELSE chains follow the same links, but only the
// instructions that cannot loop or leave the frame are allowed.
#include "expr.h"
#include "machine.h"
#include "value.h"

namespace sim {

bool run_immediate(const std::string& text, VarPool& pool, std::string& said, std::string& error,
                   bool& changed, const Traps* traps) {
    changed = false;
    Scope scope(pool, traps);
    std::vector<Clause> clauses;
    for (const std::string& piece : split_pieces(text))
        split_clause(piece, 0, clauses);
    link_clauses(clauses);
    said.clear();
    bool first_line = true;
    int pc = 0;
    while (pc >= 0 && pc < int(clauses.size())) {
        const Clause& c = clauses[std::size_t(pc)];
        std::string value;
        switch (c.kind) {
        case Kind::say:
            if (!c.expr.empty() && !evaluate(c.expr, scope, value, error)) return false;
            said += (first_line ? "" : "\n") + value;
            first_line = false;
            break;
        case Kind::assign:
            if (!evaluate(c.expr, scope, value, error)) return false;
            pool.set(c.name, value);
            changed = true;
            break;
        case Kind::if_:
            if (!evaluate(c.expr, scope, value, error)) return false;
            if (value != "0" && value != "1") {
                error = "Error 34: Logical value not 0 or 1";
                return false;
            }
            pc = value == "1" ? c.next : c.if_false;
            continue;
        case Kind::drop:
            for (const std::string& name : words_of(c.list))
                pool.drop(name);
            changed = true;
            break;
        case Kind::nop:
        case Kind::else_:
            break;
        case Kind::unknown:
            error = c.error;
            return false;
        default:
            error = "Error 48: ostra-sim cannot interpret \"" + c.text + "\"";
            return false;
        }
        pc = c.next;
    }
    return true;
}

} // namespace sim

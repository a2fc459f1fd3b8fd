// DO, END, LEAVE and ITERATE. A repetitive DO keeps a Loop record on its
// frame while it runs. Each iteration comes back through the DO clause (so
// that the debugger stops there once per pass): the END marks the record as
// iterating and jumps to the DO, which then steps the loop and tests it.
#include "expr.h"
#include "machine.h"
#include "value.h"

namespace sim {

namespace {

bool number_of(const std::string& text, double& number, std::string& error) {
    if (to_number(text, number)) return true;
    error = "Error 41: Bad arithmetic conversion";
    return false;
}

} // namespace

Outcome Machine::run_do(const Clause& c) {
    Frame& f = frames.back();
    const LoopHeader& d = c.loop;
    const int here = f.pc;
    if (d.form == LoopHeader::Form::block) {
        f.pc = c.next;
        return Outcome::ran;
    }
    std::string value;
    Loop* loop = f.loops.empty() ? nullptr : &f.loops.back();
    bool leave = false;
    if (loop && loop->do_index == here && loop->iterating) {
        loop->iterating = false;
        if (!d.until.empty()) {
            if (!eval(d.until, value)) return Outcome::failed;
            leave = value == "1";
        }
        if (!leave && !loop->var.empty()) {
            double now;
            if (!number_of(f.pool->value_of(loop->var), now, error)) return Outcome::failed;
            f.pool->set(loop->var, number_text(now + loop->by));
        }
    } else {
        Loop fresh;
        fresh.do_index = here;
        if (d.form == LoopHeader::Form::controlled) {
            double start;
            if (!eval(d.init, value) || !number_of(value, start, error)) return Outcome::failed;
            if (!d.to.empty()) {
                if (!eval(d.to, value) || !number_of(value, fresh.to, error))
                    return Outcome::failed;
                fresh.has_to = true;
            }
            if (!d.by.empty() && (!eval(d.by, value) || !number_of(value, fresh.by, error)))
                return Outcome::failed;
            fresh.var = d.var;
            f.pool->set(d.var, number_text(start));
        }
        long limit;
        if (!d.for_.empty() || d.form == LoopHeader::Form::count) {
            const std::string& expr = d.form == LoopHeader::Form::count ? d.count : d.for_;
            if (!eval(expr, value)) return Outcome::failed;
            if (!to_whole(value, limit) || limit < 0)
                return failed("Error 26: Invalid whole number");
            (d.form == LoopHeader::Form::count ? fresh.count_left : fresh.for_left) = limit;
        }
        f.loops.push_back(fresh);
        loop = &f.loops.back();
    }
    if (!leave && loop->has_to) {
        double now;
        if (!number_of(f.pool->value_of(loop->var), now, error)) return Outcome::failed;
        leave = loop->by >= 0 ? now > loop->to : now < loop->to;
    }
    for (long* left : {&loop->for_left, &loop->count_left}) {
        if (leave || *left < 0) continue;
        if (*left == 0)
            leave = true;
        else
            --*left;
    }
    if (!leave && !d.while_.empty()) {
        if (!eval(d.while_, value)) return Outcome::failed;
        if (value != "0" && value != "1") return failed("Error 34: Logical value not 0 or 1");
        leave = value == "0";
    }
    if (leave) {
        f.loops.pop_back();
        f.pc = files[f.file].clauses[c.match].next;
    } else {
        f.pc = c.next;
    }
    return Outcome::ran;
}

Outcome Machine::run_end(const Clause& c) {
    Frame& f = frames.back();
    if (!f.loops.empty() && f.loops.back().do_index == c.match) {
        f.loops.back().iterating = true;
        f.pc = c.match;
    } else {
        f.pc = c.next;
    }
    return Outcome::ran;
}

Outcome Machine::run_leave(const Clause& c) {
    Frame& f = frames.back();
    // The innermost loop, or the one whose control variable is named.
    int which = int(f.loops.size()) - 1;
    if (!c.name.empty()) {
        while (which >= 0 && upper(f.loops[std::size_t(which)].var) != upper(c.name))
            --which;
    }
    if (which < 0) return failed("Error 28: Invalid LEAVE or ITERATE");
    Loop target = f.loops[std::size_t(which)];
    f.loops.resize(std::size_t(which) + 1);
    if (c.kind == Kind::leave) {
        f.loops.pop_back();
        f.pc = files[f.file].clauses[files[f.file].clauses[target.do_index].match].next;
    } else {
        f.loops.back().iterating = true;
        f.pc = target.do_index;
    }
    return Outcome::ran;
}

} // namespace sim

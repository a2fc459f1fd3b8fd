// The structure pass over a file's clauses: which END closes which DO, which
// clauses form the branches of an IF, and where control goes after each
// clause. Control leaving a statement goes to the statement after it; the
// last statement of a DO body leads to its END, which either loops back to
// the DO or leaves by its own `next`.
#include "source.h"

#include <map>

namespace sim {

namespace {

class Linker {
  public:
    explicit Linker(std::vector<Clause>& clauses) : c_(clauses), n_(int(clauses.size())) {}

    void run() { sequence(0, false); }

  private:
    std::vector<Clause>& c_;
    int n_;
    std::map<int, std::pair<int, int>> branches_; // IF -> (THEN start, ELSE start or -1)

    void broken(int i, const char* error) {
        c_[i].kind = Kind::unknown;
        c_[i].error = error;
    }

    // Statements from `s` up to an END (when inside a DO) or the end of the
    // file; returns where it stopped.
    int sequence(int s, bool in_do) {
        std::vector<int> starts;
        int i = s;
        while (i < n_) {
            if (c_[i].kind == Kind::end) {
                if (in_do) break;
                broken(i, "Error 10: Unexpected or unmatched END");
            }
            starts.push_back(i);
            i = statement(i);
        }
        for (std::size_t k = 0; k < starts.size(); ++k)
            set_exit(starts[k], k + 1 < starts.size() ? starts[k + 1] : i);
        return i;
    }

    // One statement starting at `s`; returns the index after it.
    int statement(int s) {
        switch (c_[s].kind) {
        case Kind::do_: {
            int e = sequence(s + 1, true);
            if (e == n_) {
                broken(s, "Error 14: Incomplete DO/SELECT/IF");
                return n_;
            }
            c_[s].match = e;
            c_[e].match = s;
            return e + 1;
        }
        case Kind::if_: {
            int t = s + 1;
            if (t >= n_ || c_[t].kind == Kind::end || c_[t].kind == Kind::else_) {
                broken(s, "Error 14: Incomplete DO/SELECT/IF");
                return s + 1;
            }
            int after = statement(t);
            int other = -1;
            if (after < n_ && c_[after].kind == Kind::else_) {
                if (after + 1 >= n_ || c_[after + 1].kind == Kind::end) {
                    broken(after, "Error 14: Incomplete DO/SELECT/IF");
                    return after + 1;
                }
                other = after + 1;
                after = statement(other);
            }
            branches_[s] = {t, other};
            return after;
        }
        case Kind::else_:
            broken(s, "Error 8: Unexpected THEN or ELSE");
            return s + 1;
        default:
            return s + 1;
        }
    }

    void set_exit(int s, int target) {
        Clause& c = c_[s];
        if (c.kind == Kind::do_ && c.match >= 0) {
            c.next = s + 1;
            c_[c.match].next = target;
        } else if (c.kind == Kind::if_ && branches_.count(s)) {
            auto [then_start, else_start] = branches_[s];
            c.next = then_start;
            c.if_false = else_start >= 0 ? else_start : target;
            set_exit(then_start, target);
            if (else_start >= 0) {
                c_[else_start - 1].next = target;
                set_exit(else_start, target);
            }
        } else {
            c.next = target;
        }
    }
};

bool is_step_point(Kind kind) {
    return kind != Kind::label && kind != Kind::else_ && kind != Kind::end &&
           kind != Kind::procedure;
}

} // namespace

void link_clauses(std::vector<Clause>& clauses) {
    Linker(clauses).run();
    int last_line = -1;
    for (Clause& c : clauses) {
        c.step_point = is_step_point(c.kind);
        c.first_on_line = c.step_point && c.line != last_line;
        if (c.step_point) last_line = c.line;
    }
}

} // namespace sim

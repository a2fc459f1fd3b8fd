// The variables of one frame in the order a variables pane shows them, and
// pages of that order: RC, RESULT and SIGL first when set, then the others
// by name, each stem one entry (its tail count and default value); a
// stem's tails with whole numbers first, by value (1, 2, 10), then the
// others by their bytes.
//
// Made from one walk of the frame's variables, it answers any number of
// pages: the session keeps it while the macro stands still and nothing has
// changed. The walk keeps of a stem only its tail count and default, since
// the frame's page shows no more; the tails of a stem are gathered by a
// second walk the first time a page of them is asked for, put in order
// once, and kept for the pages after it.
#pragma once

#include "engine.h"

#include "varlist.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ostra {

bool tail_before(const std::string& a, const std::string& b);

// Passes every variable of one frame to the visitor; false, with the
// reason in `why`, when they cannot be read.
using VariableWalk = std::function<bool(const VariableVisitor& visit, std::string& why)>;

class VariableListing {
  public:
    // `walk` is kept for the stems' tails: it must see the same variables
    // for as long as the listing lives.
    explicit VariableListing(VariableWalk walk);

    // Walks the frame; false, with the walk's reason in `why`, when it
    // failed. `keep_tails_of` names a stem ("NAME.") whose tails this walk
    // gathers already, for a question that asks for them at once.
    bool read(std::string& why, const std::string& keep_tails_of = std::string());

    // Brings the listing up to date with variables that may have changed
    // since it was read (Engine::variables_changed); false when they do not
    // fit it (a stem's default among them), and it must be read again.
    bool apply(const std::vector<VariableChange>& changes);

    // A page of the frame's variables.
    lists::VarList page(std::int64_t from, std::int64_t count) const;
    // The frame's entry of that name (a stem "NAME." as one entry), or
    // nothing when it has none.
    std::optional<lists::Variable> entry(const std::string& name) const;
    // The names of the entries apply() may have changed since this was last
    // asked (a stem's for any of its tails), in no order, some perhaps twice.
    std::vector<std::string> take_touched();
    // A page of the tails of `stem` ("NAME."); an empty list when it has none.
    lists::VarList stem_page(const std::string& stem, std::int64_t from, std::int64_t count);

  private:
    friend bool tail_before(const std::string& a, const std::string& b);

    // A tail kept, its name and value in its stem's bytes, with its class
    // for sorting.
    struct Tail {
        std::size_t at = 0; // its name, then its value
        std::size_t name_size = 0;
        std::size_t value_size = 0;
        // In their order.
        enum Kind : unsigned char {
            big_negative,
            small_number,
            big_positive,
            not_number
        } kind = not_number;
        std::int64_t number = 0; // a small number's value
    };
    static void classify(Tail& t, std::string_view name);
    static bool before(const Tail& a, std::string_view a_name, const Tail& b,
                       std::string_view b_name);

    struct Stem {
        std::string name;                 // with its full stop
        std::optional<std::string> value; // its default
        std::int64_t count = 0;
        // Its tails once gathered: a million tails in one block of bytes
        // rather than two million strings.
        std::string bytes;
        std::vector<Tail> tails;
        std::vector<std::uint32_t> order; // of tails, once put in order
        bool gathered = false;
        bool ordered = false;
    };
    struct Entry {
        std::string name;  // a stem with its full stop
        std::size_t index; // into values_ or stems_
        bool stem;
    };
    lists::Variable shown(const Entry& e) const;
    void add(std::string_view name, std::string_view value);
    // Whether it changed the listing.
    bool set_simple(const std::string& name, const std::optional<std::string>& value);
    bool set_tail(const VariableChange& change, std::size_t stop);
    void set_gathered_tail(Stem& s, std::string_view tail, const std::optional<std::string>& value);
    std::vector<Entry>::iterator entry_at(const std::string& name);
    void insert_entry(Entry e);
    Stem& stem_named(std::string_view stem);
    void gather(Stem& s);
    static void order(Stem& s);
    static void keep(Stem& s, std::string_view tail, std::string_view value);

    VariableWalk walk_;
    std::vector<std::string> values_; // of the simple variables
    std::vector<Stem> stems_;
    std::unordered_map<std::string, std::size_t> stem_index_;
    std::size_t last_stem_ = 0; // where the previous tail went, while stems_ has any
    std::string keep_tails_of_; // while read() walks
    std::vector<Entry> entries_;
    std::vector<std::string> touched_;
};

// Whether tail `a` comes before tail `b`: whole numbers (an optional minus
// sign and digits) first, by value, then by their bytes; the others after
// them, by their bytes.
bool tail_before(const std::string& a, const std::string& b);

} // namespace ostra

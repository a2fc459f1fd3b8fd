// Variable pools. A routine called without PROCEDURE shares its caller's
// pool; PROCEDURE gives it a fresh one, through which the names listed after
// EXPOSE still reach the caller's pool.
//
// Names are kept upper-case. A compound symbol (stem.tail) is stored under
// its derived name, the tail parts replaced by the values of the variables
// they name; assigning to a stem ("A.") sets the value every unset tail of
// that stem then has.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace sim {

// The character classes of REXX symbols.
bool symbol_char(char c);
bool valid_symbol(const std::string& text);
// A symbol that names a value of its own: it starts with a digit or a full
// stop.
bool constant_symbol(const std::string& text);

class VarPool {
  public:
    VarPool() = default;
    VarPool(std::shared_ptr<VarPool> caller, std::set<std::string> exposed)
        : caller_(std::move(caller)), exposed_(std::move(exposed)) {}

    // The name under which a symbol's value is kept (see above).
    std::string derived(const std::string& symbol);

    // The value of a variable, or nothing when it has none.
    std::optional<std::string> get(const std::string& symbol);
    void set(const std::string& symbol, const std::string& value);
    void drop(const std::string& symbol);

    // The value a symbol stands for in an expression: its variable's value,
    // or its own name upper-cased (a constant keeps its spelling).
    std::string value_of(const std::string& symbol);

    // Visits every variable this pool sees, by derived name ("A.", "A.1"):
    // its own, and those its EXPOSE reaches in the caller's pool. The views
    // are the pools' own strings.
    using Visitor = std::function<void(std::string_view name, std::string_view value)>;
    void each_visible(const Visitor& visit) const;

  private:
    VarPool* owner_of(const std::string& name);
    std::map<std::string, std::string> values_;
    std::shared_ptr<VarPool> caller_;
    std::set<std::string> exposed_;
};

} // namespace sim

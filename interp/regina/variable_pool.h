// Regina's variable pool, for the scope of the clause about to run.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace regina {

using Variables = std::map<std::string, std::string>; // exact names: "X", "NAME.1"
// The value of a variable of the running scope by its exact name, nothing
// when it has none.
using ValueOf = std::function<std::optional<std::string>(const std::string& name)>;
// Changes to variables: the new value, or nothing when dropped.
using Changes = std::map<std::string, std::optional<std::string>>;

// A variable by its exact name (`symbolic`: as a symbol, its tail
// substituted); nothing when it has no value.
std::optional<std::string> fetch_variable(const std::string& name, bool symbolic);
// Sets a variable by its exact name, or drops it when there is no value.
void put_variable(const std::string& name, const std::optional<std::string>& value);
// Every variable of the scope, by exact name, in the pool's own order but
// for those whose name or value is longer than the walk's buffers (4 KB and
// 64 KB), which come after the others; the views last only until `take`
// returns, and `take` must not use the pool. False when Regina refused the
// walk or the pool was seen to change while it was read (some variables
// may have been given by then).
bool each_variable(const std::function<void(std::string_view name, std::string_view value)>& take);
Variables all_variables();
// Puts the scope's variables back as `was` lists them: what was set since
// gets its old value again, what was made is dropped.
void restore_variables(const Variables& was);

// The exact name a symbol stands for among `variables`: upper case, and a
// compound symbol's tails replaced by the values of those that are
// variables.
std::string derived_name(const std::string& symbol, const Variables& variables);
// The same, the tails' values read through `value_of`.
std::string derived_name(const std::string& symbol, const ValueOf& value_of);

} // namespace regina

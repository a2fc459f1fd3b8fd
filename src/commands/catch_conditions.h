// The REXX conditions the interpreter is asked to stop for ("catch"), as vel
// remembers them to list, save and send again to a new interpreter, and the
// line that tells the user which one stopped the macro. They need the
// interpreter's "catch" group (link/link_features.h).
#pragma once

#include "commands/command_text.h"

#include <string>
#include <vector>

// The names, upper case, in the order the interpreters list them.
extern std::vector<std::string> g_caught_conditions;

// "catch", "catch NAME", "catch NAME off". False for an invalid line.
bool row_catch(const CommandText& command);

// A new interpreter: every condition caught so far is asked for again.
void vel_catch_rearm();

// "status": one "catch NAME" line each.
void vel_catch_listing();

// The interpreter stopped for a caught condition (caught): one line in the
// command pane naming it, its line and its description.
void vel_catch_report(const std::string& name, int line, const std::string& rc,
                      const std::string& description);

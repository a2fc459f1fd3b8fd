// Breakpoints that say more than their place: a condition ("if EXPR"), a
// count ("after K", "every K") or a logpoint's text ("trace at N TEXT").
// The interpreter keeps and evaluates them; vel remembers what each line
// asks so that it can mark, list, save and send it again. The forms need
// the interpreter's "breaks" group (link/link_features.h).
#pragma once

#include "commands/command_text.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct BreakOptions {
    // A logpoint (trace at): `words` is its text. Otherwise `words` is what
    // follows the place: "after 3 if x > 1".
    bool log = false;
    std::string words;
};

// How the line-number gutter marks a displayed line.
enum class BreakMark { None, Plain, Conditional, Log };

struct BreakFormsTable {
    // By the interpreter's (0-based) line, as its stop-set named it. An
    // entry counts only while the breakpoint table holds that line: a plain
    // confirmation of the line replaces it.
    std::map<std::int32_t, BreakOptions> confirmed;
    // Sent and not confirmed yet: the line asked for (0-based, the
    // interpreter may move it down to the next line with an instruction).
    std::vector<std::pair<std::int32_t, BreakOptions>> asked;
    // Command lines typed (or read back) before the interpreter's answer to
    // "features" was in: they run once it is.
    std::vector<std::string> held;
};

extern BreakFormsTable g_break_forms;

// Checks the words after a breakpoint's place as the interpreter will,
// so that a bad form never leaves vel: nothing when they are good, else the
// reason.
std::optional<std::string> break_options_fault(const BreakOptions& options);

// The "stop at", "stopv at", "trace at" and "tracev at" rows with more than
// a place. False for an invalid line.
bool row_break_form(const CommandText& command);

// "stop in NAME ... after/every/if ...": false when the line has no such
// words (a plain stop in).
bool vel_break_stop_in_form(const CommandText& command);

// A group-gated command (breaks or catch): true when it may be sent now.
// While the interpreter's answer to "features" is awaited the line is held
// and run again once it is in; without the group "not supported by this
// interpreter" is said.
bool break_group_ready(std::string_view group, const CommandText& command);

// The answer to "features" came in: the held lines run.
void vel_break_forms_release();

// A stop-set for the interpreter's (0-based) line: the options asked for it
// move to the confirmed table, or a plain confirmation drops old ones.
void vel_break_forms_confirmed(std::int32_t line);

// The options of the breakpoint entry `index` of the line list, if any.
const BreakOptions* vel_break_options_of_entry(std::size_t index);

// What the gutter draws for a displayed line.
BreakMark vel_bp_mark(std::int32_t displayed_line);

// The text a hover on the mark shows: "stop if x > 3"; empty for a plain
// mark or no mark.
std::string vel_bp_mark_tip(std::int32_t displayed_line);

// The command that sets the line breakpoint on the interpreter's 1-based
// line again, with what it asks.
std::string vel_break_command(std::int64_t line_from_1, const BreakOptions* options);

// A new interpreter: nothing it has not confirmed yet is awaited.
void vel_break_forms_forget_asked();

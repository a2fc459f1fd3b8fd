// A macro's own TRACE settings in the debugger's copy of it. Regina's
// tracing is how the debugger sees each clause, so the copy's TRACE
// instructions and TRACE() calls go to the debugger instead
// (OSTRA_REGINA_TRACE_ and OSTRA_REGINA_TRACE_Q_, answered by the function
// exit): it keeps what the macro asked for, writes the trace output that
// setting gives, and keeps Regina tracing for itself. Lines and line
// numbers stay as they are.
#pragma once

#include "source_index.h"

#include <map>
#include <string>
#include <vector>

namespace regina {

inline constexpr const char* trace_instruction_function = "OSTRA_REGINA_TRACE_";
inline constexpr const char* trace_query_function = "OSTRA_REGINA_TRACE_Q_";
inline constexpr const char* command_mark_function = "OSTRA_REGINA_AT_";

struct TraceRewrite {
    std::string text;
    // The TRACE instructions as written, by 1-based line: trace output
    // shows them so.
    std::map<int, std::string> instructions;
    bool changed = false;
    // Some TRACE asks, as written, for output of its clauses (A, C, I, L, R).
    bool asks_for_output = false;
};

// The setting (a letter as trace_letter gives) writes trace lines of the
// clauses that run, not only of commands that fail.
bool traces_clauses(const std::string& letter);

// `text` (which `index` describes) with "TRACE setting" made "trace value
// OSTRA_REGINA_TRACE_('setting')" (VALUE and expressions passed as they
// are) and "TRACE(" made "OSTRA_REGINA_TRACE_Q_(". Command k of the index is
// prefixed with "OSTRA_REGINA_AT_(k) || ", which tells the debugger that it
// runs and adds nothing to the command.
TraceRewrite rewrite_trace(const std::string& text, const SourceIndex& index);

// A trace line of the copy as plain Regina would show it for the macro.
std::string shown_as_written(const std::string& line, const TraceRewrite& rewrite);

// The setting a TRACE asks for, as one upper-case letter (A, C, E, F, I, L,
// N, O, R); the '?' of interactive tracing and the numbers of skipping are
// the debugger's and are dropped: nothing when only those were given.
std::string trace_letter(const std::string& setting);

} // namespace regina

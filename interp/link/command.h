// The debugger's command frames, read into a form the session acts on. The
// parser only reads: whether a command makes sense now (a run command while
// running, a line past the end) is the session's business.
#pragma once

#include "break_options.h"

#include <string>

namespace ostra {

enum class Verb {
    none, // an empty frame: ignored
    unknown,
    bad, // a known verb with arguments that do not fit; `error` says why
    kill,
    break_,
    cont,
    next,
    step,
    stepout,
    where,
    up,
    down,
    print,      // text: what to print
    interpret,  // text: the instructions
    tipeval,    // context, text: the instruction
    stop_at,    // line (1-based); displayed: stopv; options
    stop_in,    // name, id, line (0: a routine breakpoint); options
    trace_at,   // a logpoint: line, displayed (tracev), options (log)
    catch_,     // name: a condition, "TRAPPED", or empty to list; on
    delete_,    // line (0-based displayed)
    deletein,   // id
    features,   // what this interpreter adds to the link
    vars,       // frame, name (a stem or empty), from, count; error when they do not fit
    varchanges, // frame, since; error when they do not fit
    frames,     // the call stack as one list
    stoplists,  // on: each stop comes with the stack and the selected frame's changes
};

struct Command {
    Verb verb = Verb::none;
    std::string text;    // print / interpret / tipeval: the REXX text
    std::string context; // tipeval: "@FRAME" or a file index
    std::string name;    // stop in: routine or file name
    long line = 0;
    long id = 0;
    bool displayed = false;    // stopv: lines count over all files
    long frame = 0;            // vars: 0 is the innermost frame
    long from = 0, count = -1; // vars: a page; count -1: to the end
    long since = 0;            // varchanges: the generation the front end holds (0: none)
    BreakOptions options;      // stop at / stop in / trace at
    bool on = true;            // catch: false for "catch NAME off"; stoplists: on or off
    std::string error;         // bad: the reason
};

Command parse_command(const std::string& frame);

} // namespace ostra

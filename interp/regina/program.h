// The program as the debugger sees it while Regina runs it: the files
// loaded so far (the main macro, then each routine file as it is first
// called) and the stack of frames, rebuilt from the trace lines Regina
// passes to the trace exit before each clause.
//
// Regina has no interface for its call stack. What the trace line gives is
// the clause's line (blank: the same line as before) and an indentation of
// call nesting plus repetitive-DO nesting; a called routine's clauses are
// indented one more than the clause that called it. A frame is entered when
// a label is traced one deeper than its caller's last clause (CALL traces
// the label it reaches; SIGNAL to a label traces it at the same depth), or
// when the indentation grows onto the first clause after a label (a function
// call traces no label). A frame is left after a RETURN (unless the next
// clause is deeper: a function called by the RETURN's expression), or when
// the indentation falls below the frame's own. Each routine file runs in a Regina run of its own
// (an activation) whose indentation starts again at zero.
#pragma once

#include "engine.h"
#include "session.h"
#include "source_index.h"
#include "stretch_bound.h"
#include "trace_rewrite.h"
#include "variable_pool.h"

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace regina {

struct LoadedFile {
    std::string path; // as announced: the main macro as given, a routine file as found
    std::string real; // the file on this system
    std::string text;
    int first_displayed = 0;
    SourceIndex index;
    bool reads_input = false; // may read the default input stream
    TraceRewrite rewrite;     // the text Regina runs, the macro's TRACE made the debugger's
    StretchBounds bounds;     // how far it may run untraced with breakpoints set
};

struct Frame {
    std::string routine;
    int file = 0;
    std::size_t activation = 0;
    int base_indent = 0;
    int last_indent = 0;    // of its last traced clause
    int line = 0;           // displayed: the clause about to run, or the call into the next frame
    bool procedure = false; // its variables are its own (PROCEDURE)
    bool fresh = true;      // no clause of it reached yet
    // What the macro's TRACE asked for in this routine ("N", "?R"...);
    // Regina traces for the debugger whatever it is.
    std::string trace_asked = "N";
    // For a PROCEDURE frame: the names its EXPOSE shares with its caller
    // (upper case; a stem as "NAME.").
    std::vector<std::string> exposed;
    // The frame's variables as they were when the PROCEDURE of the routine it
    // called ran: they cannot change while that routine runs (but for those
    // it exposes), so questions about them are answered from here; and what
    // questions changed in them, put back when the routine returns.
    std::optional<Variables> hidden;
    Changes hidden_changes;
};

// One clause line of the trace: "%6d *-* " then the indented clause text.
struct TraceLine {
    bool clause = false; // a "*-*" line; anything else is Regina's own report
    int line = 0;        // 1-based; 0 when blank (the same line as before)
    int indent = 0;
    std::string_view text; // without the indentation; points into the line read
};

TraceLine read_trace_line(std::string_view line);

class Program {
  public:
    std::deque<LoadedFile> files;
    std::vector<Frame> frames;

    // Adds a file (the first one is the main macro); its index.
    int add_file(const std::string& path, const std::string& real, const std::string& text);
    // The loaded file that holds a displayed line (0-based), or nullptr.
    const LoadedFile* file_holding(int displayed) const;
    // The index of a loaded file with that real path, or -1.
    int file_of(const std::string& real) const;

    // A Regina run starts for `file` (the main macro, or a routine file
    // called from the current clause) and ends.
    void enter(int file, const std::string& routine);
    void leave();
    std::size_t activations() const { return activations_.size(); }
    // The file of the innermost activation; -1 before any.
    int current_file() const;

    // Follows one traced clause. The position to stop at, or nothing for a
    // label or a line Regina runs that is not part of the file.
    std::optional<ostra::Position> follow(const TraceLine& t);
    // Follows the first clause traced after Regina ran clauses of the
    // innermost activation untraced: the frames are worked out again from
    // the clause's indentation and the routine its line belongs to, keeping
    // those of the frames seen before that can still be on the stack.
    std::optional<ostra::Position> resync(const TraceLine& t);
    // Regina showed line number `line` (1-based) in a trace line that is
    // not the macro's (a question's clauses): later blank numbers mean it.
    void saw_line_number(int line) {
        if (line > 0) last_shown_ = line;
    }
    // The innermost activation's frame called `routine` (a routine file)
    // from a clause not traced: it stands at a line that calls that name.
    void called_untraced(const std::string& routine);

    // The Regina run (activation) whose variables frame `index` sees: the
    // scope of that run's innermost frame, unless a PROCEDURE frame of the
    // same run stands in between (then nothing).
    std::optional<std::size_t> scope_of(std::size_t index) const;
    // For a frame hidden that way: the frame below the first PROCEDURE frame
    // above it, which holds the snapshot of their shared variables, and that
    // PROCEDURE frame; nothing when there is no snapshot.
    struct Hidden {
        Frame* holder;
        const Frame* procedure;
        bool innermost; // no other PROCEDURE frame of the run stands above it
    };
    std::optional<Hidden> hidden_scope(std::size_t index);
    // The last clause followed was a PROCEDURE instruction (about to run).
    bool entered_procedure() const { return entered_procedure_; }

  private:
    struct Activation {
        int file = 0;
        std::size_t root = 0; // its first frame
        int last_line = 1;
        int last_indent = 0;
        bool last_was_return = false;
        std::string last_text;
    };
    std::vector<Activation> activations_;
    int last_shown_ = 1; // the last line number Regina's trace showed
    bool entered_procedure_ = false;

    void push(const std::string& routine, int file, int indent);
    void enter_from_untraced(const LoadedFile& file, Frame& caller, const std::string& routine,
                             int callee_indent);
};

} // namespace regina

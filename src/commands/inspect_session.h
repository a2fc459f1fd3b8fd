// The variables and call stack panes' dealings with the interpreter: the
// two models (inspect/), the `frames` and `vars` questions on their way and
// what each answer is for. Questions go only to an interpreter whose answer
// to "features" offered their group; each is answered by exactly one
// message, so answers are paired with questions by their order. An answer
// that does not come within `inspect_answer_wait` is given up on, and one
// that cannot be read leaves a one-line notice: neither blocks anything.
#pragma once

#include "framelist.h"
#include "inspect/stack_model.h"
#include "inspect/variables_model.h"
#include "varchanges.h"
#include "varlist.h"

#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>

// What a `vars` question on its way is for. Ahead: the pane's question sent
// at a stop together with the stack's, for the frame the stop is expected
// to select (`InspectSession::ahead_frame`); the stack's answer makes it
// the pane's, or Dropped when the stack selects another frame.
enum class VarsAsk { Pane, Print, Ahead, Dropped };

struct InspectSession {
    bool shown = false; // the panes are on (`vars on`, the View menu)
    inspect::StackModel stack;
    inspect::VariablesModel vars;
    std::deque<VarsAsk> vars_pending;
    std::int64_t ahead_frame = 0; // what the question marked Ahead asks for
    int frames_pending = 0;
    bool frames_again = false;  // the stack changed while a question was out
    bool print_waiting = false; // `vars` alone waits for the stack to know the frame
    // "stoplists": what vel last asked for, and what the interpreter's last
    // answer said. From an answer "on" to an answer "off", every stop
    // message is followed by the stack and the selected frame's changes.
    bool stop_lists_asked = false;
    bool stop_lists_come = false;
    std::chrono::steady_clock::time_point asked_at{};
};

extern InspectSession g_inspect;

constexpr std::chrono::milliseconds inspect_answer_wait{5000};

// The notices the panes show instead of rows.
inline constexpr char inspect_not_supported[] = "not supported by this interpreter";
inline constexpr char inspect_unreadable[] = "the interpreter's answer could not be read";
inline constexpr char inspect_no_answer[] = "no answer from the interpreter";

// Shows or hides the panes; shown while the macro is stopped, they are
// filled at once.
void inspect_set_shown(bool shown);

// The macro stopped (`new_stop`), or another frame was selected (stop-up):
// the stack and the selected frame's variables are asked for again. Both
// questions go at once when the pane's rows can be asked for before the
// stack is known (one round trip at a stop); when the stack's answer shows
// another frame selected, the variables are asked for once more. An
// interpreter that sends both lists with the stop (stoplists) is asked
// nothing: its lists are taken as those answers.
void inspect_stopped(bool new_stop);

// What the interpreter offers is known: the panes, if shown, ask to be sent
// their lists with each stop, and are filled if the macro is stopped.
void inspect_features_known();

// The answer to "stoplists on" or "stoplists off".
void inspect_stop_lists_answered(bool on);

// The interpreter's answers; nothing when the body could not be read.
void inspect_framelist(const std::optional<lists::FrameList>& list);
void inspect_varlist(const std::optional<lists::VarList>& list);
void inspect_varchanges(const std::optional<lists::VarChanges>& changes);

// The user selects the frame at the stack pane's row `index` (as up and
// down do).
void inspect_select_frame(std::size_t index);

// Opens or closes the stem at the variables pane's row.
void inspect_toggle_stem(std::size_t row);

// The variables pane shows rows [first, first+count): the pages of tails
// they need are asked for.
void inspect_rows_shown(std::size_t first, std::size_t count);

// The variable at the variables pane's row gets `value` in the selected
// frame (as a pin edit assigns), and the frame's variables are asked for
// again. False when the row names nothing a REXX assignment can reach (a
// stem's own row, a tail that is not a symbol).
bool inspect_edit_value(std::size_t row, const std::string& value);

// `vars` alone: the selected frame's variables printed in the command pane.
void inspect_print_variables();

// An answer is overdue: the questions out are given up on. True when this
// call did so.
bool inspect_check_timeout(std::chrono::steady_clock::time_point now);
// Milliseconds until an answer is overdue; -1 when none is awaited.
int inspect_wait_left_ms(std::chrono::steady_clock::time_point now);

// The connection closed or the macro ended: the panes empty.
void inspect_forget();

// The settings' name of the on/off choice.
inline constexpr char inspect_setting_shown[] = "Wvars";

// Test control of the headless system clipboard.
//
// One CF_TEXT slot kept in memory with the parts of Windows' behaviour vel
// relies on: an owner, delayed rendering (vel announces text and gives the
// bytes only when some program asks for them, through clipboard_render as
// the render request would) and the destroy notice (clipboard_lost) that
// the owner gets when the clipboard is emptied by anyone, itself included.
// It starts empty and owned by nobody.
#pragma once

#include <optional>
#include <string>

namespace headless {

// Back to an empty clipboard owned by nobody, with no failures switched on.
void clipboard_reset();

// Another program empties the clipboard and puts this block on it as CF_TEXT
// (nothing: no text at all). The block is taken byte for byte, so give the
// terminating NUL yourself where it matters. When vel owned the clipboard it
// is told it lost it.
void clipboard_set_from_other_program(const std::optional<std::string>& block);

// Another program reads CF_TEXT: text vel announced but has not yet given is
// rendered first. The bytes of the block, or nothing when there is no text
// (also when vel was asked and gave none).
std::optional<std::string> clipboard_read_as_other_program();

// While on, vel cannot open the clipboard (another program holds it open):
// announcing and reading fail. Other programs are not affected.
void clipboard_set_open_fails(bool on);

// While on, the block for a render request cannot be allocated.
void clipboard_set_render_allocation_fails(bool on);

// The system's view: vel's main window owns the clipboard.
bool clipboard_vel_owns();
// Whether vel's announced text is still waiting to be rendered.
bool clipboard_render_pending();
// How many times vel emptied the clipboard and announced text.
int clipboard_announcements();

} // namespace headless

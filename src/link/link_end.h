// Ending vel when the link is over, without losing unsaved edits.
#pragma once

// The link is lost or finished in a way that ends vel with `status`. With
// unsaved edits the user is asked first, as when quitting; when the answer
// keeps vel open, the link is closed and vel waits for user input as after
// the interpreter's end, and this returns.
void link_end_vel(int status);

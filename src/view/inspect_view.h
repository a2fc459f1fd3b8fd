// What the variables and call stack panes' session may ask of the window
// (the display draws the panes).
#pragma once

// What the panes show changed: they are drawn again once the main loop's
// turn is over.
void inspect_view_changed();

// The panes were switched on or off: the window is laid out again.
void inspect_view_shown_changed();

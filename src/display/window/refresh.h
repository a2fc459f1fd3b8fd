// The one place the window is brought up to date. The link, the editor, the
// commands and the pins only change state (the displayed source through its
// writers, the panes' text through view/text_panes.h); at the end of every
// main-loop turn and of every window event the refresh draws each pane that
// changed once, brings a line asked for into view, works out the title,
// pointer, toolbar and menu when what they follow changed, and moves the
// pins after the drawing.
#pragma once

void display_refresh();

// Whether the next refresh has something to draw.
bool display_refresh_pending();

// What the title, pointer, toolbar and menu follow changed outside the
// displayed source (a connection made or closed, unsaved edits begun or
// saved): the next refresh works them out again.
void display_state_due();

// Back to the start (tests).
void display_refresh_reset();

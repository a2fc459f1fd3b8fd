// What the display remembers of the state it last showed.
#pragma once

#include <cstdint>
#include <string>

struct DisplayStateRecord {
    // The title last put up: it is set again only when it changes, so a
    // title someone else put up stays until the state says something new.
    std::string applied_title;
    // Whether the io pane was last drawn showing that the macro waits for
    // input: it is drawn again when that changes.
    bool io_shows_waiting = false;
    // The wait for input (displayed_source().input_waits) the command pane last said
    // where answers are typed for: it says so once a wait.
    std::uint32_t answer_note_wait = 0;
};

extern DisplayStateRecord g_display_state;

// Works out the title (with "* " in front while sources have unsaved
// edits), the pointer's shape, and which toolbar buttons and menu entries
// can be used, from the link, source and edit state (display/window/refresh.h
// calls it when they changed).
void display_state_apply();

// Every record of the display back to its start (windows are not touched:
// the records forget them).
void display_reset_records();

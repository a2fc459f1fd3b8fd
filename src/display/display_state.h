// What the display remembers of the state it last showed.
#pragma once

#include "view/display_state.h"

#include <string>

struct DisplayStateRecord {
    // The title last put up: it is set again only when it changes, so a
    // title someone else put up stays until the state says something new.
    std::string applied_title;
};

extern DisplayStateRecord g_display_state;

// Every record of the display back to its start (windows are not touched:
// the records forget them).
void display_reset_records();

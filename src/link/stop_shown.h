// Whether the stop arrow is drawn.
#pragma once

// True while the stop line means something: an interpreter is connected and
// has stopped since it connected. Otherwise no arrow is drawn.
bool stop_line_shown();

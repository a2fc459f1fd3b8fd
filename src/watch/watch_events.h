// What tips and pins tell the subsystems above them. Start-up passes each on
// to its owner (startup/watch_events.cpp), so watch never depends on them.
#pragma once

// The pins changed in a way the status file keeps (placed, moved, watch
// mode, deleted): save it quietly.
void watch_pins_changed();

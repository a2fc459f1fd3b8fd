// The main window's life: what happens when the user closes it.
#pragma once

// The user asked to close the main window (title-bar button, Alt+F4).
void main_window_close_requested();

// The main window is gone.
[[noreturn]] void main_window_destroyed();

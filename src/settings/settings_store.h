// Window geometry, pane proportions and the text font kept between runs, per
// user and per screen size.
#pragma once

#include <optional>
#include <string>

// "SOFTWARE\HALVERD\VEL\<user>\<width>x<height>" for the current user ("?"
// when the name cannot be read) and the current screen.
std::string vel_settings_key();

// A value's bytes: the current user's if present, otherwise the machine's
// under the same key. Values longer than 1024 bytes are not read.
std::optional<std::string> vel_settings_read(const std::string& name);

// Writes "Wp" (unless the main window is minimised), "Wh", "Ww", "Wsz" (the
// panes' height fractions) and "Wt" for the current user. Each is written on
// its own; failures are ignored. Nothing is written before the main window
// exists. Start-up makes this the exit hook, so vel_exit saves before the
// process ends.
void vel_settings_save(const double (&fractions)[3]);

// Writes one more value for the current user beside those above, once the
// main window exists; failures are ignored.
void vel_settings_save_value(const std::string& name, const std::string& value);

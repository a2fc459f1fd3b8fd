// Window geometry, pane proportions and the text font kept between runs.
#pragma once

// Writes the current geometry, pane fractions and font to the settings store.
// Called by vel_exit before the process ends. Until the settings store lands
// there is nothing to write.
void vel_settings_save();

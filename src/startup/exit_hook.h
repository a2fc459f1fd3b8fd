// What start-up arranges for every orderly end of vel.
#pragma once

// Makes the saving of the window's settings (geometry, pane heights, text
// font) the exit hook of vel_exit.
void startup_install_exit_hook();

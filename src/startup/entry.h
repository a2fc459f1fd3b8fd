// The program's spine: start-up in its fixed order, then the main loop.
#pragma once

// Runs vel for the command line the platform reports. Never returns: every
// end of the process goes through exit.
[[noreturn]] void vel_main(int show_command);

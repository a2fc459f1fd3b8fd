// Regina's SAA interface, with the parts this program uses switched on.
#pragma once

#define INCL_RXSYSEXIT
#define INCL_RXSHV
#define INCL_RXARI
#include <rexxsaa.h>

namespace regina {

// The exit names registered with Regina for this thread.
inline constexpr const char* io_exit_name = "OSTRA_REGINA_IO";
inline constexpr const char* function_exit_name = "OSTRA_REGINA_FUNCTION";
inline constexpr const char* start_exit_name = "OSTRA_REGINA_START";
inline constexpr const char* end_exit_name = "OSTRA_REGINA_END";

// The helper routine appended to each in-store copy.
inline constexpr const char* ask_routine = "OSTRA_REGINA_ASK_";

} // namespace regina

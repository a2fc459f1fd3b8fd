// The operating system's own words for the last failed call.
#pragma once

#include <string>

// The system's message for the last error, in the user's language, without
// its trailing line end; an empty text when the system has no message.
// Read it straight after the failing call: most calls reset the error.
std::string last_error_text();

// The interpreter's messages.
#pragma once

#include <string_view>

// Reads one message from the message socket and applies it.
void hnd_in();

// Applies one message payload: a delimiter, a keyword, the delimiter again,
// and a body. An unknown keyword or a missing second delimiter prints the
// format error and ends vel (link_end_vel: unsaved edits are asked about
// first, and may keep vel open with the link closed).
void hnd_in_payload(std::string_view payload);

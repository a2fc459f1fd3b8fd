// Waiting for one of the link's sockets to have something to read.
#pragma once

#include "platform/net.h"

// 0 when the socket is readable (data or end of stream) within the time, -1
// on time-out or error.
int wait_readable(vel_socket socket, long long milliseconds);

// The frames vel sent while test mode echoes every one into the command
// pane ("+++ vel_send(SOCKET) PAYLOAD"): their payloads, in order.
#pragma once

#include "display/panes/panes.h"

#include <string>
#include <vector>

inline std::vector<std::string> echoed_frames() {
    std::vector<std::string> out;
    for (const std::string& line : g_panes.command.lines) {
        const std::size_t at = line.find(") ");
        if (line.rfind("+++ vel_send(", 0) == 0 && at != std::string::npos)
            out.push_back(line.substr(at + 2, line.size() - at - 3));
    }
    return out;
}

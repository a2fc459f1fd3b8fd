// Files on the headless side as the edit tests read them back.
#pragma once

#include "platform/fs.h"

#include <string>

// A file's bytes as the system gives them; "<none>" when it cannot be read.
inline std::string file_contents(const std::string& path) {
    const int fd = plat_fd_open_read(path);
    if (fd < 0) return "<none>";
    std::string bytes;
    char block[4096];
    for (long got; (got = plat_fd_read(fd, block, sizeof block)) > 0;)
        bytes.append(block, static_cast<std::size_t>(got));
    plat_fd_close(fd);
    return bytes;
}

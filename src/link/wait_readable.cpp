#include "link/wait_readable.h"

int wait_readable(vel_socket socket, long long milliseconds) {
    const long long micro = milliseconds * 1000;
    const int ready = plat_socket_select_read(socket, static_cast<long>(micro / 1000000),
                                              static_cast<long>(micro % 1000000));
    return ready == 1 ? 0 : -1;
}

// A connected pair of real TCP sockets on 127.0.0.1 for the link tests.
#pragma once

#include "platform/net.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>

#include <string>

struct LoopbackPair {
    vel_socket near_end = VEL_NO_SOCKET; // the side vel reads and writes
    vel_socket far_end = VEL_NO_SOCKET;  // the side the test plays the peer on

    LoopbackPair() {
        plat_net_start();
        vel_socket listener = plat_socket_tcp();
        EXPECT_EQ(plat_socket_bind_to(listener, htonl(INADDR_LOOPBACK)), 0);
        EXPECT_EQ(plat_socket_listen(listener, 1), 0);
        const int port = plat_socket_local_port(listener);
        far_end = plat_socket_tcp();
        EXPECT_EQ(plat_socket_connect(far_end, htonl(INADDR_LOOPBACK), port), 0);
        near_end = plat_socket_accept(listener);
        plat_socket_close(listener);
    }
    ~LoopbackPair() {
        close_far();
        if (near_end != VEL_NO_SOCKET) plat_socket_close(near_end);
    }
    LoopbackPair(const LoopbackPair&) = delete;
    LoopbackPair& operator=(const LoopbackPair&) = delete;

    void write(const std::string& bytes) const {
        std::size_t at = 0;
        while (at < bytes.size()) {
            long sent = plat_socket_send(far_end, bytes.data() + at, long(bytes.size() - at));
            ASSERT_GT(sent, 0);
            at += std::size_t(sent);
        }
    }
    // Reads what arrived at the far end within the time.
    std::string read_far(long milliseconds = 200) const {
        std::string got;
        char buffer[4096];
        while (plat_socket_select_read(far_end, 0, milliseconds * 1000) == 1) {
            long n = plat_socket_recv(far_end, buffer, sizeof buffer);
            if (n <= 0) break;
            got.append(buffer, std::size_t(n));
            milliseconds = 20;
        }
        return got;
    }
    void close_far() {
        if (far_end != VEL_NO_SOCKET) plat_socket_close(far_end);
        far_end = VEL_NO_SOCKET;
    }
};

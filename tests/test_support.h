// Shared set-up for the native tests: every process-wide record back to its
// start, and the headless platform emptied.
#pragma once

#include "platform/headless/headless.h"
#include "startup/reset_state.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

inline void reset_vel_state() {
    headless::reset();
    vel_reset_all_state();
    // Whatever this machine's name resolves to, the tests talk to loopback.
    headless::set_host("velhost", {htonl(INADDR_LOOPBACK)});
}

class VelTest : public ::testing::Test {
  protected:
    void SetUp() override { reset_vel_state(); }
    void TearDown() override { reset_vel_state(); }
};

// The status vel ended with while running the statement, or -1000 when it
// did not end.
#define VEL_EXIT_STATUS(statement) headless::run_until_exit([&] { statement; })

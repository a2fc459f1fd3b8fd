// Shared set-up for the native tests: every process-wide record back to its
// start, and the headless platform emptied.
#pragma once

#include "display/clipboard.h"
#include "display/mouse_events.h"
#include "display/panes.h"
#include "display/pointer.h"
#include "link/link_state.h"
#include "link/source.h"
#include "platform/headless/headless.h"
#include "startup/crash_filter.h"
#include "startup/startup_state.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

inline void reset_vel_state() {
    g_startup = StartupState{};
    g_link = LinkState{};
    g_panes = PaneSet{};
    g_source = SourceState{};
    g_pointer = PointerState{};
    g_clipboard = ClipboardState{};
    g_mouse = MouseState{};
    headless::reset();
    // Whatever this machine's name resolves to, the tests talk to loopback.
    headless::set_host("velhost", {htonl(INADDR_LOOPBACK)});
    forget_development_verdict();
}

class VelTest : public ::testing::Test {
  protected:
    void SetUp() override { reset_vel_state(); }
    void TearDown() override { reset_vel_state(); }
};

// The status vel ended with while running the statement, or -1000 when it
// did not end.
#define VEL_EXIT_STATUS(statement) headless::run_until_exit([&] { statement; })

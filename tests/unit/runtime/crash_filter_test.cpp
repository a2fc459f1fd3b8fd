#include "runtime/crash_filter.h"

#include "test_support.h"

#include <cstring>

namespace {

std::uint32_t ipv4(int a, int b, int c, int d) {
    const std::uint8_t octets[4] = {std::uint8_t(a), std::uint8_t(b), std::uint8_t(c),
                                    std::uint8_t(d)};
    std::uint32_t address;
    std::memcpy(&address, octets, 4);
    return address;
}

class CrashFilter : public VelTest {};

} // namespace

TEST_F(CrashFilter, OrdinaryMachineMakesNoSocketCallAndStartsNothing) {
    headless::set_computer_name("buildbox");
    EXPECT_EQ(is_development_machine(), 0);
    crash_filter();
    adjust_exception_policy();
    EXPECT_EQ(headless::net_start_calls(), 0);
    EXPECT_EQ(headless::host_lookups(), 0);
    EXPECT_EQ(headless::jit_launches(), 0);
    EXPECT_FALSE(headless::callback_swallowing_cleared());
}

TEST_F(CrashFilter, DevelopmentNameOutsideTheNetworkIsNotDevelopment) {
    headless::set_computer_name("vel-dev-1");
    headless::set_host("vel-dev-1", {ipv4(192, 0, 3, 7), ipv4(10, 0, 2, 1)});
    EXPECT_EQ(is_development_machine(), 0);
    EXPECT_EQ(headless::net_start_calls(), 1);
    crash_filter();
    EXPECT_EQ(headless::jit_launches(), 0);
}

TEST_F(CrashFilter, DevelopmentMachineStartsTheDebuggerAndClearsThePolicy) {
    headless::set_computer_name("Vel-Dev-2");
    headless::set_host("vel-dev-2", {ipv4(10, 0, 0, 1), ipv4(192, 0, 2, 40)});
    EXPECT_EQ(is_development_machine(), 1);
    adjust_exception_policy();
    EXPECT_TRUE(headless::callback_swallowing_cleared());
    crash_filter();
    launch_jit_debugger();
    EXPECT_EQ(headless::jit_launches(), 2);
}

TEST_F(CrashFilter, VerdictIsWorkedOutOnce) {
    headless::set_computer_name("VEL-DEV-1");
    headless::set_host("x", {ipv4(192, 0, 2, 1)});
    EXPECT_EQ(is_development_machine(), 1);
    headless::set_computer_name("elsewhere");
    EXPECT_EQ(is_development_machine(), 1);
    EXPECT_EQ(headless::net_start_calls(), 1);
}

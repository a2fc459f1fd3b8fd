#include "runtime/crash_filter.h"

#include "platform/net.h"
#include "platform/system.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// The developers' machines (upper case) and their network, 192.0.2.x.
const char* const development_machines[2] = {"VEL-DEV-1", "VEL-DEV-2"};
const std::uint8_t development_network[3] = {192, 0, 2};
constexpr unsigned long debugger_attach_wait_ms = 120000;

int verdict = -1;

bool on_development_network(std::uint32_t address_be) {
    // Network byte order: the first byte in memory is the first octet.
    const auto* octets = reinterpret_cast<const std::uint8_t*>(&address_be);
    return std::equal(development_network, development_network + 3, octets);
}

int work_out_verdict() {
    std::string name = plat_computer_name();
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) {
        return static_cast<char>(c < 128 ? std::toupper(c) : c);
    });
    if (name != development_machines[0] && name != development_machines[1]) return 0;
    std::vector<std::uint32_t> addresses;
    if (!plat_own_host_addresses(addresses)) return 0;
    return std::any_of(addresses.begin(), addresses.end(), on_development_network) ? 1 : 0;
}

} // namespace

int is_development_machine() {
    if (verdict < 0) verdict = work_out_verdict();
    return verdict;
}

void forget_development_verdict() {
    verdict = -1;
}

void install_crash_filter() {
    plat_install_crash_filter(crash_filter);
}

void adjust_exception_policy() {
    if (is_development_machine()) plat_clear_callback_exception_swallowing();
}

void crash_filter() {
    launch_jit_debugger();
}

void launch_jit_debugger() {
    if (is_development_machine()) plat_launch_jit_debugger(debugger_attach_wait_ms);
}

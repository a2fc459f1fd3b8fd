// The in-memory record behind the headless platform (shared by its files).
#pragma once

#include "platform/headless/headless.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace headless_internal {

struct State {
    std::vector<headless::BoxRecord> boxes;
    std::deque<BoxAnswer> box_answers;
    std::string stdout_bytes;
    std::string command_line = "vel";
    // Overrides of the real environment: a value, or nothing for "unset".
    std::map<std::string, std::optional<std::string>> env;
    std::string computer_name = "HEADLESS";
    std::optional<std::string> host_name; // nothing: the real host
    std::vector<std::uint32_t> host_addresses;
    int net_start_calls = 0;
    int host_lookups = 0;
    int jit_launches = 0;
    bool crash_filter_installed = false;
    bool callback_swallowing_cleared = false;
    bool dpi_declared = false;
    void (*access_violation_handler)(int) = nullptr;
    headless::MainWindow window;
    std::deque<std::function<void()>> messages;
};

State& state();

} // namespace headless_internal

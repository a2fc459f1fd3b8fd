// The fixture of the evaluation tests: stopped in a routine file called
// from the main macro, each with a variable of its own.
#pragma once

#include "vel_side.h"

#include <gtest/gtest.h>

#include <memory>

namespace simtest {

// The question vel asks for a symbol under the mouse.
inline std::string symbol_question(const std::string& context, const std::string& e) {
    return "tipeval " + context + " if symbol(\"" + e + "\")==\"VAR\" then say '='||(" + e +
           "); else say '?'";
}

class SimEvaluation : public ::testing::Test {
  protected:
    // Stopped in the routine `sub` (frame "sub", file index 1), called from
    // "main" (file index 0), each with a variable `v` of its own.
    void SetUp() override {
        write_file(scratch_path("sub.rexx"), "v = 'inner'\nw = v\nreturn\n");
        std::string main = scratch_path("eval_main.rexx");
        write_file(main, "v = 'outer'\nn = 6\nname.1 = 'first'\ni = 1\ncall sub\nexit\n");
        vel = std::make_unique<VelSide>(std::vector<std::string>{main});
        vel->until_stop();
        vel->command("stop in sub.rexx 0 2"); // w = v
        vel->command("cont");
        while (std::optional<std::string> m = vel->next_message())
            if (*m == "|stop-at|8 sub") break;
    }
    std::string ask(const std::string& command) {
        vel->command(command);
        return vel->next_message().value_or("(no answer)");
    }
    std::unique_ptr<VelSide> vel;
};

} // namespace simtest

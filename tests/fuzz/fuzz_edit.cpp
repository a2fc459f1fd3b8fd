// Arbitrary sequences of edits, undo and redo over arbitrary multi-file
// sources: nothing may crash, every invariant holds after every step, and
// undoing everything gives back the original text.
#include "edit_ops_driver.h"
#include "platform/headless/headless.h"
#include "startup/reset_state.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    headless::reset();
    vel_reset_all_state();
    edit_driver::make_source(1 + data[0] % 4, 1 + data[1] % 9, data[2]);
    edit_begin();
    const std::vector<std::string> original = edit_driver::shown();
    for (std::size_t at = 3; at + 2 <= size; at += 2) {
        const int status =
            headless::run_until_exit([&] { edit_driver::act(data[at], data[at + 1]); });
        if (status != -1000) std::abort(); // no edit ends vel
        if (!edit_driver::broken().empty()) std::abort();
    }
    edit_driver::undo_all(true);
    if (edit_driver::shown() != original || !edit_driver::broken().empty()) std::abort();
    return 0;
}

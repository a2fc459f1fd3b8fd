#include "log_budget.h"

namespace ostra {

bool LogBudget::admit(std::int64_t now_ms) {
    if (window_over(now_ms)) {
        window_start_ = now_ms;
        sent_ = 0;
    }
    if (sent_ < per_second_) {
        ++sent_;
        return true;
    }
    ++dropped_;
    return false;
}

long LogBudget::take_dropped() {
    long dropped = dropped_;
    dropped_ = 0;
    return dropped;
}

} // namespace ostra

// How many logpoint lines may go to the debugger: a macro can pass a
// logpoint thousands of times a second, and every line is a message the
// front end must show. At most `per_second` lines are sent in each second;
// the rest are counted, and the count is told once the second is over (or
// when the macro stops or ends), so nothing is silently lost.
#pragma once

#include <cstdint>

namespace ostra {

class LogBudget {
  public:
    explicit LogBudget(long per_second = 1000) : per_second_(per_second) {}

    // Whether a line may be sent at `now_ms`; when not, it is counted as
    // dropped.
    bool admit(std::int64_t now_ms);
    // The lines dropped so far that have not been told, taken; 0 when none.
    long take_dropped();
    // Whether the second in which lines were dropped is over.
    bool window_over(std::int64_t now_ms) const { return now_ms - window_start_ >= 1000; }
    long per_second() const { return per_second_; }

  private:
    long per_second_;
    std::int64_t window_start_ = -1000000;
    long sent_ = 0;
    long dropped_ = 0;
};

} // namespace ostra

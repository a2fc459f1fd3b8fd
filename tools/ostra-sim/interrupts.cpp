#include "interrupts.h"

#include <csignal>

namespace sim {

namespace {

volatile std::sig_atomic_t interrupted = 0;

void note_interrupt(int) {
    interrupted = 1;
}

} // namespace

void keep_interrupts() {
    std::signal(SIGINT, note_interrupt);
}

bool take_interrupt() {
    if (!interrupted) return false;
    interrupted = 0;
    return true;
}

} // namespace sim

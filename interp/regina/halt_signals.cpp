#include "halt_signals.h"

#include <csignal>
#include <signal.h>

namespace regina {

namespace {

const int halting[] = {SIGINT, SIGTERM, SIGHUP};
const char* const names[] = {"SIGINT", "SIGTERM", "SIGHUP"};
constexpr int count = 3;
struct sigaction regina_action[count];
volatile sig_atomic_t last = -1;   // an index of `halting`
volatile sig_atomic_t holding = 0; // HaltSignalsHeld alive
volatile sig_atomic_t held = -1;   // kept back meanwhile

void recorder(int signal, siginfo_t* info, void* context);

bool is_recorder(const struct sigaction& a) {
    return (a.sa_flags & SA_SIGINFO) && a.sa_sigaction == recorder;
}

bool handles(const struct sigaction& a) {
    return (a.sa_flags & SA_SIGINFO) ? a.sa_sigaction != nullptr
                                     : a.sa_handler != SIG_IGN && a.sa_handler != SIG_DFL;
}

// Only sigaction: safe in a signal handler too.
void keep_in_front(int i) {
    struct sigaction now {};
    if (::sigaction(halting[i], nullptr, &now) != 0 || is_recorder(now) || !handles(now)) return;
    regina_action[i] = now;
    struct sigaction in_front = now;
    in_front.sa_flags = (now.sa_flags | SA_SIGINFO) & ~SA_RESETHAND;
    in_front.sa_sigaction = recorder;
    ::sigaction(halting[i], &in_front, nullptr);
}

void pass_on(int i, siginfo_t* info, void* context) {
    const struct sigaction a = regina_action[i];
    if (a.sa_flags & SA_SIGINFO)
        a.sa_sigaction(halting[i], info, context);
    else if (handles(a))
        a.sa_handler(halting[i]);
    keep_in_front(i); // Regina's handler may have installed itself again
}

void recorder(int signal, siginfo_t* info, void* context) {
    for (int i = 0; i < count; ++i) {
        if (halting[i] != signal) continue;
        last = i;
        if (holding > 0)
            held = i;
        else
            pass_on(i, info, context);
    }
}

} // namespace

void record_halt_signals() {
    for (int i = 0; i < count; ++i)
        keep_in_front(i);
}

std::string last_halt_signal() {
    const int i = last;
    return i >= 0 && i < count ? names[i] : "";
}

HaltSignalsHeld::HaltSignalsHeld() {
    holding = holding + 1;
}

HaltSignalsHeld::~HaltSignalsHeld() {
    holding = holding - 1;
    if (holding > 0 || held < 0) return;
    const int i = held;
    held = -1;
    siginfo_t info{};
    info.si_signo = halting[i];
    pass_on(i, &info, nullptr);
}

} // namespace regina

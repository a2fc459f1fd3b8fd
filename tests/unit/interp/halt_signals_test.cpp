// The recorder in front of the interpreter's handlers of halting signals:
// what it notes, what it keeps back, and that it stays in front.
#include "halt_signals.h"

#include <gtest/gtest.h>

#include <csignal>
#include <signal.h>

namespace {

volatile sig_atomic_t handled = 0;
volatile sig_atomic_t handled_signal = 0;

// Stands for Regina's handler; like a handler of the old kind, it puts
// itself back with signal().
void interpreter_handler(int signal) {
    handled = handled + 1;
    handled_signal = signal;
    std::signal(signal, interpreter_handler);
}

class HaltSignals : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int s : {SIGINT, SIGTERM}) {
            struct sigaction a {};
            a.sa_handler = interpreter_handler;
            sigemptyset(&a.sa_mask);
            ::sigaction(s, &a, &before_[s == SIGINT ? 0 : 1]);
        }
        handled = 0;
        regina::record_halt_signals();
    }
    void TearDown() override {
        ::sigaction(SIGINT, &before_[0], nullptr);
        ::sigaction(SIGTERM, &before_[1], nullptr);
    }
    struct sigaction before_[2];
};

} // namespace

TEST_F(HaltSignals, ASignalReachesTheInterpretersHandlerAndIsNamed) {
    ::raise(SIGTERM);
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(handled_signal, SIGTERM);
    EXPECT_EQ(regina::last_halt_signal(), "SIGTERM");
    // The handler put itself back with signal(); the recorder stands in
    // front of it again, so a hold still keeps the signal back.
    {
        regina::HaltSignalsHeld held;
        ::raise(SIGTERM);
        EXPECT_EQ(handled, 1);
    }
    EXPECT_EQ(handled, 2);
    ::raise(SIGINT);
    EXPECT_EQ(handled_signal, SIGINT);
    EXPECT_EQ(regina::last_halt_signal(), "SIGINT");
}

TEST_F(HaltSignals, ASignalWhileHeldReachesTheHandlerOnceTheLastHoldGoes) {
    {
        regina::HaltSignalsHeld outer;
        {
            regina::HaltSignalsHeld inner;
            ::raise(SIGINT);
            EXPECT_EQ(regina::last_halt_signal(), "SIGINT") << "named at once";
        }
        EXPECT_EQ(handled, 0) << "still held";
    }
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(handled_signal, SIGINT);
    { regina::HaltSignalsHeld held; }
    EXPECT_EQ(handled, 1) << "nothing came: nothing handed on";
    ::raise(SIGINT);
    EXPECT_EQ(handled, 2) << "no hold: at once";
}

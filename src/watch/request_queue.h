// The questions to the interpreter that wait for their "tipval" answer. The
// interpreter answers every question once and in order, so answers are
// paired with questions by order alone: the oldest pending question owns the
// next answer.
#pragma once

#include <array>

enum RequestKind : int {
    REQUEST_NONE = 0, // what an empty queue yields
    REQUEST_TIP = 1,  // the hover tip (argument -1)
    REQUEST_PIN = 2,  // a pin's refresh (argument: the pin's index)
    REQUEST_EDIT = 3, // an assignment made from a pin's edit box (argument -1)
};

struct TipRequest {
    int kind = REQUEST_NONE;
    int argument = -1;
    bool operator==(const TipRequest&) const = default;
};

// A ring of 32. When it is full the oldest question is forgotten: its answer
// will then be taken for the next one, which is the price of never growing
// without bound when an interpreter stops answering.
class RequestQueue {
  public:
    static constexpr int kCapacity = 32;

    // Adds a question; returns the one it pushed out of a full ring, if any
    // (kind REQUEST_NONE otherwise).
    TipRequest push(TipRequest request);
    // The oldest question, removed; {REQUEST_NONE, -1} when there is none.
    TipRequest take();
    int size() const { return count_; }
    // Whether a question of the kind is waiting.
    bool holds(int kind) const;

  private:
    std::array<TipRequest, kCapacity> ring_{};
    int head_ = 0; // the oldest
    int count_ = 0;
};

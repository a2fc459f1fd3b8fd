#include "watch/request_queue.h"

TipRequest RequestQueue::push(TipRequest request) {
    TipRequest dropped;
    if (count_ == kCapacity) dropped = take();
    ring_[static_cast<std::size_t>((head_ + count_) % kCapacity)] = request;
    ++count_;
    return dropped;
}

TipRequest RequestQueue::take() {
    if (count_ == 0) return {};
    const TipRequest oldest = ring_[static_cast<std::size_t>(head_)];
    head_ = (head_ + 1) % kCapacity;
    --count_;
    return oldest;
}

bool RequestQueue::holds(int kind) const {
    for (int i = 0; i < count_; ++i)
        if (ring_[static_cast<std::size_t>((head_ + i) % kCapacity)].kind == kind) return true;
    return false;
}

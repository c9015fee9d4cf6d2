#pragma once

#include "common/waiter.h"

#include <chrono>
#include <functional>
#include <vector>

namespace tavrino::test {

// A waiter that returns at once and notes every pause asked of it.
struct InstantWaiter final : Waiter {
    std::vector<int> pauses; // milliseconds, in order
    std::function<void()> onPause;

    void pause(std::chrono::milliseconds duration, const std::function<bool()>&) override {
        pauses.push_back(static_cast<int>(duration.count()));
        if (onPause)
            onPause();
    }
};

} // namespace tavrino::test

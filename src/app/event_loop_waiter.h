#pragma once

#include "common/waiter.h"

namespace tavrino::app {

// Pauses inside a local event loop: the window stays live (STOP, the tab
// pages and the close box keep working) while the time passes; the CPU is idle.
class EventLoopWaiter final : public Waiter {
public:
    void pause(std::chrono::milliseconds duration) override;
};

} // namespace tavrino::app

#pragma once

#include "common/waiter.h"
#include "link/sensor_link.h"

#include <QDeadlineTimer>

namespace tavrino::app {

// Pauses in the link's own wait: the window stays live (STOP, the tab pages
// and the close box keep working) while the time passes, the CPU is idle, and
// wakeWaits() has the pause ask its stop condition again, so closing the
// program does not wait for the pause to run out.
class LinkWaiter final : public Waiter {
public:
    explicit LinkWaiter(link::SensorLink& link) : link_(link) {}

    void pause(std::chrono::milliseconds duration, const std::function<bool()>& stop) override {
        link_.pause(QDeadlineTimer(duration, Qt::PreciseTimer), stop);
    }

private:
    link::SensorLink& link_;
};

} // namespace tavrino::app

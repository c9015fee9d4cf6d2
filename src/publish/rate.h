#pragma once

// At most a given number of frames per second: a frame is due when the
// period since the last published one has passed. Frames in between are
// skipped, so the one published is always the newest at hand.

#include <chrono>
#include <optional>

namespace tavrino::publish {

class RateLimit {
public:
    using Clock = std::chrono::steady_clock;

    // `perSecond` > 0; nothing: every frame is due.
    explicit RateLimit(std::optional<double> perSecond);

    // Whether a frame arriving at `now` is published; when it is, the next
    // one is due a period later.
    [[nodiscard]] bool due(Clock::time_point now);

private:
    std::optional<Clock::duration> period_;
    std::optional<Clock::time_point> next_;
};

} // namespace tavrino::publish

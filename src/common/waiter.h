#pragma once

#include <chrono>
#include <functional>

namespace tavrino {

// A pause in a flow (the assistant's pauses after its parameter transfers).
// The program and the command-line tool wait for real while their event loop
// keeps running; tests pass one that returns at once. `stop` ends the pause
// early: it is asked at the start and whenever the wait is woken.
class Waiter {
public:
    virtual ~Waiter() = default;
    virtual void pause(std::chrono::milliseconds duration, const std::function<bool()>& stop) = 0;
};

} // namespace tavrino

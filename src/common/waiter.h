#pragma once

#include <chrono>

namespace tavrino {

// A pause in a flow (the assistant's pauses after its parameter transfers).
// The program and the command-line tool wait for real while their event loop
// keeps running; tests pass one that returns at once.
class Waiter {
public:
    virtual ~Waiter() = default;
    virtual void pause(std::chrono::milliseconds duration) = 0;
};

} // namespace tavrino

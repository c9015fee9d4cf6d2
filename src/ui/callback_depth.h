#pragma once

#include <functional>
#include <utility>

namespace tavrino::ui {

// Counts the operator callbacks that are running. A callback that talks to
// the sensor waits in a local event loop, so further callbacks (and the close
// box) run nested inside it. Shutting down must wait until the outermost one
// has returned: the objects a waiting loop uses must still exist when it
// wakes up. Every callback that may exchange with the sensor or run a loop
// holds a Scope for its whole duration.
class CallbackDepth {
public:
    class Scope {
    public:
        explicit Scope(CallbackDepth& depth) : depth_(depth) { ++depth_.depth_; }
        ~Scope() {
            if (--depth_.depth_ == 0 && depth_.onIdle) {
                // Taken out first: onIdle may run callbacks that open scopes.
                auto idle = std::move(depth_.onIdle);
                depth_.onIdle = nullptr;
                idle();
            }
        }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        CallbackDepth& depth_;
    };

    [[nodiscard]] bool busy() const { return depth_ > 0; }
    [[nodiscard]] int depth() const { return depth_; }

    // Runs once, when the outermost running callback returns.
    std::function<void()> onIdle;

    // Runs `f` inside a scope.
    template <class F> void run(F&& f) {
        Scope scope(*this);
        std::forward<F>(f)();
    }

    // A slot that runs `f` inside a scope: for buttons whose flow may
    // exchange with the sensor or ask the operator.
    template <class F> [[nodiscard]] auto scoped(F f) {
        return [this, f = std::move(f)] {
            Scope scope(*this);
            f();
        };
    }
    // A slot that runs `flow(session)` inside a scope; what the flow
    // returns is not the slot's business.
    template <class S, class R> [[nodiscard]] auto scoped(S& session, R (*flow)(S&)) {
        return scoped([&session, flow] { flow(session); });
    }

private:
    int depth_ = 0;
};

} // namespace tavrino::ui

#pragma once

#include "app/link_waiter.h"
#include "assistant/search.h"
#include "common/observers.h"
#include "common/waiter.h"

#include <array>

namespace tavrino::app {

enum class AssistantChange {
    Xyz,      // a row of the XYZ table
    Progress, // `progress`, also `running`
};

// The double-parameter panel's own state: the XYZ table and what the
// assistant is doing. The double-parameter and correction tables are the
// parameter controls of words 20..28 (parameters.controls).
class AssistantState : public Notifying<AssistantChange> {
public:
    explicit AssistantState(link::SensorLink& link) : linkWaiter_(link) {}

    // XYZ table rows: the bright target with set 1, the darker target with
    // set 1, the darker target with set 2; columns raw X, Y, Z.
    static constexpr int kBrightWithSet1 = 0;
    static constexpr int kDarkerWithSet1 = 1;
    static constexpr int kDarkerWithSet2 = 2;
    std::array<std::array<int, 3>, 3> xyz{};

    bool running = false;
    assistant::Progress progress;

    // Set when the program closes while the assistant runs: it ends at its
    // next step, without further questions.
    bool abandoned = false;

    // Where the pauses wait: in the link's wait unless a test put another.
    [[nodiscard]] Waiter& waiter() { return *waiter_; }
    void useWaiter(Waiter& waiter) { waiter_ = &waiter; }

private:
    LinkWaiter linkWaiter_;
    Waiter* waiter_ = &linkWaiter_;
};

} // namespace tavrino::app

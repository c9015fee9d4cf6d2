#pragma once

#include "app/dimming.h"
#include "ui/subscription.h"

#include <QAbstractButton>
#include <QPointer>

#include <utility>
#include <vector>

namespace tavrino::ui {

// Buttons of a page that start exchanges: each follows its dimming flag,
// from the moment it is added on.
class DimmedButtons {
public:
    explicit DimmedButtons(app::DimmingModel& dimming)
        : dimming_(dimming),
          subscription_(dimming, [this](app::DimControl c, bool dimmed) { follow(c, dimmed); }) {}

    void add(app::DimControl c, QAbstractButton* button) {
        dimming_.registerControl(c);
        button->setEnabled(!dimming_.dimmed(c));
        buttons_.emplace_back(c, button);
    }

private:
    void follow(app::DimControl c, bool dimmed) {
        for (auto& [control, button] : buttons_)
            if (control == c && button)
                button->setEnabled(!dimmed);
    }

    app::DimmingModel& dimming_;
    std::vector<std::pair<app::DimControl, QPointer<QAbstractButton>>> buttons_;
    Subscription<app::DimmingModel> subscription_;
};

} // namespace tavrino::ui

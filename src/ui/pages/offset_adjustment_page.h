#pragma once

#include "app/session.h"
#include "ui/dimmed_buttons.h"
#include "ui/subscription.h"
#include "ui/titled_widget.h"
#include "ui/ui_context.h"

#include <array>

class QLineEdit;
class QPushButton;

namespace tavrino::ui {

class RawValueDisplays;

// The offset adjustment page: the XYZ offset that the sensor subtracts in
// the XYZ OFFSET modes, taken from the live raw values shown beside it and
// sent on request.
class OffsetAdjustmentPage : public TitledWidget {
    Q_OBJECT
public:
    explicit OffsetAdjustmentPage(UiContext& context, QWidget* parent = nullptr);

    void retranslate(Language language) override;

    [[nodiscard]] QLineEdit* valueBox(std::size_t axis) const { return values_.at(axis); }
    [[nodiscard]] QPushButton* assignButton() const { return assign_; }
    [[nodiscard]] QPushButton* sendButton() const { return send_; }
    [[nodiscard]] QPushButton* getButton() const { return get_; }
    [[nodiscard]] RawValueDisplays* rawDisplays() const { return raw_; }

private:
    void build(UiContext& context);
    void connectControls(UiContext& context);
    void edited(std::size_t axis);
    void showValues();

    app::Session& session_;
    std::array<QLineEdit*, 3> values_{};
    RawValueDisplays* raw_ = nullptr;
    QPushButton* assign_;
    QPushButton* send_;
    QPushButton* get_;
    DimmedButtons dimmed_;
    Subscription<app::CalibrationState> subscription_;
};

} // namespace tavrino::ui

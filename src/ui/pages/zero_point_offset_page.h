#pragma once

#include "app/session.h"
#include "ui/dimmed_buttons.h"
#include "ui/subscription.h"
#include "ui/titled_widget.h"
#include "ui/ui_context.h"

#include <array>

class QLabel;
class QPushButton;
class QSpinBox;

namespace tavrino::ui {

// The zero-point offset page (hidden until the factory password shows it):
// the sensor's dark signal X, Y, Z, sent, read or measured by the sensor.
class ZeroPointOffsetPage : public TitledWidget {
    Q_OBJECT
public:
    explicit ZeroPointOffsetPage(UiContext& context, QWidget* parent = nullptr);

    void retranslate(Language language) override;

    [[nodiscard]] QSpinBox* valueField(std::size_t axis) const { return values_.at(axis); }
    [[nodiscard]] QPushButton* sendButton() const { return send_; }
    [[nodiscard]] QPushButton* getButton() const { return get_; }
    [[nodiscard]] QPushButton* calcButton() const { return calc_; }
    [[nodiscard]] QPushButton* closeButton() const { return close_; }

private:
    void build();
    void connectControls(UiContext& context);
    void showValues();

    app::Session& session_;
    std::array<QSpinBox*, 3> values_{};
    QPushButton* send_;
    QPushButton* get_;
    QPushButton* calc_;
    QPushButton* close_;
    DimmedButtons dimmed_;
    Subscription<app::CalibrationState> subscription_;
};

} // namespace tavrino::ui

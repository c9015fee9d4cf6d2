#pragma once

#include "common/language.h"
#include "measurement/display.h"

#include <QWidget>

#include <array>
#include <cstddef>

class QLabel;
class QLineEdit;
class QTimer;

namespace tavrino::ui {

class HelpRegistry;

// RAW X, RAW Y and RAW Z of the live measurement, captioned, where an ASSIGN
// button takes them over: the operator sees the values before assigning
// them. While shown they follow the newest frame at display rate; hidden,
// they rest.
class RawValueDisplays : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRepaintIntervalMs = 33;

    // Horizontal: one row of caption and display pairs; vertical: one pair a
    // row, beside the X, Y and Z rows of a page.
    RawValueDisplays(const measurement::MeasurementDisplay& display, HelpRegistry& help,
                     Qt::Orientation orientation, QWidget* parent = nullptr);

    [[nodiscard]] QLineEdit* display(std::size_t channel) const { return displays_.at(channel); }
    [[nodiscard]] QLabel* caption(std::size_t channel) const { return captions_.at(channel); }
    [[nodiscard]] QTimer* repaintTimer() const { return repaint_; }

    // Paints the newest frame's raw values, if not shown yet.
    bool updateDisplays();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    const measurement::MeasurementDisplay& display_;
    std::array<QLabel*, 3> captions_{};
    std::array<QLineEdit*, 3> displays_{};
    QTimer* repaint_;
    measurement::FrameWatch watch_;
};

} // namespace tavrino::ui

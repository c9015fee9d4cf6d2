#pragma once

#include "ui/titled_widget.h"
#include "ui/ui_context.h"

namespace tavrino::ui {

// The calibration page: colour spaces, rows and the transfer of the calibration values.
class CalibrationPage : public TitledWidget {
    Q_OBJECT
public:
    explicit CalibrationPage(UiContext& context, QWidget* parent = nullptr);
};

} // namespace tavrino::ui

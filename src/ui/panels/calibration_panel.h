#pragma once

#include "ui/titled_widget.h"
#include "ui/ui_context.h"

namespace tavrino::ui {

// The calibration panel: the calibration tables.
class CalibrationPanel : public TitledWidget {
    Q_OBJECT
public:
    explicit CalibrationPanel(UiContext& context, QWidget* parent = nullptr);
};

} // namespace tavrino::ui

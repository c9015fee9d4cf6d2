#pragma once

#include "ui/titled_widget.h"
#include "ui/ui_context.h"

namespace tavrino::ui {

// The offset adjustment page: the XYZ offset of the sensor.
class OffsetAdjustmentPage : public TitledWidget {
    Q_OBJECT
public:
    explicit OffsetAdjustmentPage(UiContext& context, QWidget* parent = nullptr);
};

} // namespace tavrino::ui

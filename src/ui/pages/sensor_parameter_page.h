#pragma once

#include "ui/titled_widget.h"
#include "ui/ui_context.h"

namespace tavrino::ui {

// The sensor parameter page: the parameter controls and the transfer buttons.
class SensorParameterPage : public TitledWidget {
    Q_OBJECT
public:
    explicit SensorParameterPage(UiContext& context, QWidget* parent = nullptr);
};

} // namespace tavrino::ui

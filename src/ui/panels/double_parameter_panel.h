#pragma once

#include "ui/titled_widget.h"
#include "ui/ui_context.h"

namespace tavrino::ui {

// The double-parameter panel: the two parameter sets and the assistant.
class DoubleParameterPanel : public TitledWidget {
    Q_OBJECT
public:
    explicit DoubleParameterPanel(UiContext& context, QWidget* parent = nullptr);
};

} // namespace tavrino::ui

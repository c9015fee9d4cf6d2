#pragma once

#include "ui/titled_widget.h"
#include "ui/ui_context.h"

namespace tavrino::ui {

// The signal graph panel: time graphs of the recorded signals.
class SignalGraphPanel : public TitledWidget {
    Q_OBJECT
public:
    explicit SignalGraphPanel(UiContext& context, QWidget* parent = nullptr);
};

} // namespace tavrino::ui

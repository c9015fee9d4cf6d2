#pragma once

#include "ui/titled_widget.h"
#include "ui/ui_context.h"

namespace tavrino::ui {

// The recorded-value teach panel: a recorded series and its projections.
class RecordedValueTeachPanel : public TitledWidget {
    Q_OBJECT
public:
    explicit RecordedValueTeachPanel(UiContext& context, QWidget* parent = nullptr);
};

} // namespace tavrino::ui

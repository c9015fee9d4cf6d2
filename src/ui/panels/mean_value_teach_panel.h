#pragma once

#include "ui/titled_widget.h"
#include "ui/ui_context.h"

namespace tavrino::ui {

// The mean-value teach panel: captured frames and their mean.
class MeanValueTeachPanel : public TitledWidget {
    Q_OBJECT
public:
    explicit MeanValueTeachPanel(UiContext& context, QWidget* parent = nullptr);
};

} // namespace tavrino::ui

#pragma once

#include "ui/titled_widget.h"
#include "ui/ui_context.h"

namespace tavrino::ui {

// The scope panel: the scope graph and its cursors.
class ScopePanel : public TitledWidget {
    Q_OBJECT
public:
    explicit ScopePanel(UiContext& context, QWidget* parent = nullptr);
};

} // namespace tavrino::ui

#pragma once

#include "ui/titled_widget.h"
#include "ui/ui_context.h"

namespace tavrino::ui {

// The table settings page: row colours and row specifications of the teach table.
class TableSettingsPage : public TitledWidget {
    Q_OBJECT
public:
    explicit TableSettingsPage(UiContext& context, QWidget* parent = nullptr);
};

} // namespace tavrino::ui

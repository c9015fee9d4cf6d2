#pragma once

#include "ui/titled_widget.h"
#include "ui/ui_context.h"

namespace tavrino::ui {

// The scope page: the scan controls of the high-rate scan.
class ScopePage : public TitledWidget {
    Q_OBJECT
public:
    explicit ScopePage(UiContext& context, QWidget* parent = nullptr);
};

} // namespace tavrino::ui

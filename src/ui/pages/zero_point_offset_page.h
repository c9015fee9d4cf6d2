#pragma once

#include "ui/titled_widget.h"
#include "ui/ui_context.h"

namespace tavrino::ui {

// The zero-point offset page (hidden until the factory password shows it).
class ZeroPointOffsetPage : public TitledWidget {
    Q_OBJECT
public:
    explicit ZeroPointOffsetPage(UiContext& context, QWidget* parent = nullptr);
};

} // namespace tavrino::ui

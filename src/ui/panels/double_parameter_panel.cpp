#include "ui/panels/double_parameter_panel.h"

#include "ui/texts.h"

#include <QVBoxLayout>

namespace tavrino::ui {

DoubleParameterPanel::DoubleParameterPanel([[maybe_unused]] UiContext& context, QWidget* parent)
    : TitledWidget(texts::kDoubleParameterHeading, parent) {
    body()->addStretch(1);
}

} // namespace tavrino::ui

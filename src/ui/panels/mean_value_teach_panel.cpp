#include "ui/panels/mean_value_teach_panel.h"

#include "ui/texts.h"

#include <QVBoxLayout>

namespace tavrino::ui {

MeanValueTeachPanel::MeanValueTeachPanel([[maybe_unused]] UiContext& context, QWidget* parent)
    : TitledWidget(texts::kMeanValueTeachHeading, parent) {
    body()->addStretch(1);
}

} // namespace tavrino::ui

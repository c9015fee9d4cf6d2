#include "ui/panels/recorded_value_teach_panel.h"

#include "ui/texts.h"

#include <QVBoxLayout>

namespace tavrino::ui {

RecordedValueTeachPanel::RecordedValueTeachPanel([[maybe_unused]] UiContext& context, QWidget* parent)
    : TitledWidget(texts::kRecordedValueTeachHeading, parent) {
    body()->addStretch(1);
}

} // namespace tavrino::ui

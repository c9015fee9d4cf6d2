#include "ui/panels/calibration_panel.h"

#include "ui/texts.h"

#include <QVBoxLayout>

namespace tavrino::ui {

CalibrationPanel::CalibrationPanel([[maybe_unused]] UiContext& context, QWidget* parent)
    : TitledWidget(texts::kCalibrationPanelHeading, parent) {
    body()->addStretch(1);
}

} // namespace tavrino::ui

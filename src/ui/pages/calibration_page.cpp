#include "ui/pages/calibration_page.h"

#include "ui/texts.h"

#include <QVBoxLayout>

namespace tavrino::ui {

CalibrationPage::CalibrationPage([[maybe_unused]] UiContext& context, QWidget* parent)
    : TitledWidget(texts::kCalibrationHeading, parent) {
    body()->addStretch(1);
}

} // namespace tavrino::ui

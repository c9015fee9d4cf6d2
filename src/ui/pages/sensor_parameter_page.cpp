#include "ui/pages/sensor_parameter_page.h"

#include "ui/texts.h"

#include <QVBoxLayout>

namespace tavrino::ui {

SensorParameterPage::SensorParameterPage([[maybe_unused]] UiContext& context, QWidget* parent)
    : TitledWidget(texts::kSensorParameterHeading, parent) {
    body()->addStretch(1);
}

} // namespace tavrino::ui

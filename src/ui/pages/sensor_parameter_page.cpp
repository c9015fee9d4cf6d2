#include "ui/pages/sensor_parameter_page.h"

#include "app/double_parameters.h"
#include "app/session.h"
#include "assistant/texts.h"
#include "ui/help.h"
#include "ui/parameter_field.h"
#include "ui/qt_text.h"
#include "ui/scrolling.h"
#include "ui/texts.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavrino::ui {

namespace {

using parameters::Control;

// In the order the page shows them: the light and receiver settings, then
// colour space and calibration, then the outputs.
constexpr Control kPageControls[] = {
    Control::Power,       Control::PowerMode,      Control::Gain,          Control::Integral1,
    Control::Integral2,   Control::Average,        Control::LedMode,       Control::ColorSpace,
    Control::Calibration, Control::DigitalOutmode, Control::AnalogOutmode, Control::AnalogOutSignal,
    Control::AnalogOut,   Control::AnalogZoom,
};

} // namespace

SensorParameterPage::SensorParameterPage(UiContext& context, QWidget* parent)
    : TitledWidget(texts::kSensorParameterHeading, parent), setDp_(new QPushButton(this)) {
    // The controls scroll when the window is made smaller than they are.
    // Only upwards and downwards: a sideways bar would keep itself in place.
    // The page shows through, as it does around the area.
    QWidget* controls =
        addScrolling(this, body(), {.sideways = Sideways::Never, .backdrop = Backdrop::PageShowsThrough});
    auto* grid = new QGridLayout(controls);
    int row = 0;
    for (Control c : kPageControls) {
        auto* field = new ParameterField(context, c, controls);
        fields_.push_back(field);
        grid->addWidget(field->caption(), row, 0);
        grid->addWidget(field->editor(), row, 1);
        // The double-parameter sets belong to POWER MODE DOUBLE.
        if (c == Control::PowerMode)
            grid->addWidget(setDp_, ++row, 1, Qt::AlignLeft);
        ++row;
        // A little air between the groups.
        if (c == Control::LedMode || c == Control::Calibration)
            grid->setRowMinimumHeight(row++, 8);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);
    context.help.add(setDp_, assistant::texts::kSetDpHelp);
    app::Session& session = context.session;
    connect(setDp_, &QPushButton::clicked, this, [&session] { app::CBF_ButtonSetDp(session); });
    retranslate(context.session.language());
}

void SensorParameterPage::retranslate(Language language) {
    TitledWidget::retranslate(language);
    setDp_->setText(qs(texts::kSetDpButton, language));
    for (ParameterField* f : fields_)
        f->retranslate(language);
}

ParameterField* SensorParameterPage::field(parameters::Control control) const {
    for (ParameterField* f : fields_)
        if (f->control() == control)
            return f;
    return nullptr;
}

} // namespace tavrino::ui

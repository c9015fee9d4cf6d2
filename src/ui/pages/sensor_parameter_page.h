#pragma once

#include "parameters/parameter_controls.h"
#include "ui/titled_widget.h"
#include "ui/ui_context.h"

#include <vector>

class QPushButton;

namespace tavrino::ui {

class ParameterField;

// The sensor parameter page: light source, amplification and integration,
// colour space, calibration and the output modes, each bound to the
// session's parameter controls.
class SensorParameterPage : public TitledWidget {
    Q_OBJECT
public:
    explicit SensorParameterPage(UiContext& context, QWidget* parent = nullptr);

    void retranslate(Language language) override;

    // The field of `control`, or nullptr when it is not on this page.
    [[nodiscard]] ParameterField* field(parameters::Control control) const;
    // SET DP: opens the double-parameter panel.
    [[nodiscard]] QPushButton* setDpButton() const { return setDp_; }

private:
    QPushButton* setDp_;
    std::vector<ParameterField*> fields_;
};

} // namespace tavrino::ui

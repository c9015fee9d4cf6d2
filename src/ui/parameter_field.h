#pragma once

#include "common/language.h"
#include "parameters/parameter_controls.h"
#include "ui/subscription.h"
#include "ui/ui_context.h"

#include <QObject>

class QComboBox;
class QLabel;
class QSlider;
class QSpinBox;
class QWidget;

namespace tavrino::ui {

// One parameter control on screen: its caption and its editor (a list of the
// option's labelled codes, a numeric field, or for POWER a slider with its
// numeric field beside it), bound to the session's parameter controls both
// ways. An operator edit writes the model and then commits the control
// through the option rules; a model change only updates the editor, so it
// never commits again. Dimmed controls are disabled, hidden ones not shown.
class ParameterField : public QObject {
    Q_OBJECT
public:
    ParameterField(UiContext& context, parameters::Control control, QWidget* parent);
    ~ParameterField() override;

    [[nodiscard]] parameters::Control control() const { return control_; }
    [[nodiscard]] QLabel* caption() const { return caption_; }
    // What the page lays out beside the caption.
    [[nodiscard]] QWidget* editor() const { return editor_; }
    [[nodiscard]] QComboBox* comboBox() const { return combo_; } // rings only
    [[nodiscard]] QSpinBox* spinBox() const { return spin_; }    // everything but rings
    [[nodiscard]] QSlider* slider() const { return slider_; }    // POWER only

    void retranslate(Language language);

private:
    void operatorEdit(int value);
    void onChange(const parameters::ControlChange& change);
    void showValue();
    void showState();

    UiContext& context_;
    parameters::Control control_;
    QLabel* caption_;
    QWidget* editor_ = nullptr;
    QComboBox* combo_ = nullptr;
    QSpinBox* spin_ = nullptr;
    QSlider* slider_ = nullptr;
    Subscription<parameters::ParameterControls> subscription_;
};

} // namespace tavrino::ui

#include "ui/parameter_field.h"

#include "app/session.h"
#include "parameters/options.h"
#include "parameters/rules.h"
#include "ui/callback_depth.h"
#include "ui/help.h"
#include "ui/qt_text.h"
#include "ui/texts.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

namespace tavrino::ui {

namespace {

using parameters::Control;
using parameters::ControlChange;

QSpinBox* numericField(Control control, QWidget* parent) {
    auto* spin = new QSpinBox(parent);
    const auto [low, high] = parameters::ParameterControls::range(control);
    spin->setRange(static_cast<int>(low), static_cast<int>(high));
    // Typing commits with Enter or on leaving the field, not per keystroke.
    spin->setKeyboardTracking(false);
    spin->setAccelerated(true);
    return spin;
}

} // namespace

ParameterField::ParameterField(UiContext& context, Control control, QWidget* parent)
    : QObject(parent), context_(context), control_(control), caption_(new QLabel(parent)),
      subscription_(context.session.parameters.controls,
                    [this](const parameters::ControlChange& change) { onChange(change); }) {
    const parameters::OptionEntry& option = parameters::optionEntry(parameters::wordOf(control));
    switch (option.kind) {
    case parameters::ControlKind::Ring: {
        combo_ = new QComboBox(parent);
        for (const parameters::OptionCode& entry : option.codes)
            combo_->addItem(QString(), static_cast<int>(entry.code));
        connect(combo_, &QComboBox::activated, this,
                [this](int index) { operatorEdit(combo_->itemData(index).toInt()); });
        editor_ = combo_;
        break;
    }
    case parameters::ControlKind::Slider: {
        editor_ = new QWidget(parent);
        auto* row = new QHBoxLayout(editor_);
        row->setContentsMargins(0, 0, 0, 0);
        slider_ = new QSlider(Qt::Horizontal, editor_);
        const auto [low, high] = parameters::ParameterControls::range(control);
        slider_->setRange(static_cast<int>(low), static_cast<int>(high));
        slider_->setPageStep(50);
        spin_ = numericField(control, editor_);
        row->addWidget(slider_, 1);
        row->addWidget(spin_);
        connect(slider_, &QSlider::valueChanged, this, &ParameterField::operatorEdit);
        connect(spin_, &QSpinBox::valueChanged, this, &ParameterField::operatorEdit);
        break;
    }
    default:
        spin_ = numericField(control, parent);
        connect(spin_, &QSpinBox::valueChanged, this, &ParameterField::operatorEdit);
        editor_ = spin_;
        break;
    }

    const auto help = parameters::helpText(control);
    const auto index = static_cast<std::size_t>(control);
    for (QWidget* w : {static_cast<QWidget*>(combo_), static_cast<QWidget*>(spin_),
                       static_cast<QWidget*>(slider_), static_cast<QWidget*>(caption_)}) {
        if (w == nullptr)
            continue;
        if (help)
            context_.help.add(w, *help);
        // POWER's slider and field share the caption.
        if (w != caption_ && index < texts::kParameterCaptions.size())
            context_.help.name(w, texts::kParameterCaptions[index]);
    }

    retranslate(context_.session.language());
    showValue();
    showState();
}

ParameterField::~ParameterField() = default;

void ParameterField::retranslate(Language language) {
    const auto index = static_cast<std::size_t>(control_);
    if (index < texts::kParameterCaptions.size())
        caption_->setText(qs(texts::kParameterCaptions[index], language));
    if (combo_ == nullptr)
        return;
    const QSignalBlocker blocker(combo_);
    const parameters::OptionEntry& option = parameters::optionEntry(parameters::wordOf(control_));
    for (int i = 0; i < combo_->count() && i < static_cast<int>(option.codes.size()); ++i)
        combo_->setItemText(i, qs(option.codes[static_cast<std::size_t>(i)].label, language));
}

void ParameterField::operatorEdit(int value) {
    app::Session& session = context_.session;
    parameters::ParameterControls& controls = session.parameters.controls;
    // A dimmed or hidden control keeps its value, whatever reached the editor.
    if (!controls.editable(control_)) {
        showValue();
        return;
    }
    if (controls.code(control_) == value) {
        showValue(); // the other editor of POWER follows
        return;
    }
    // The rules may ask the operator; their dialogs let other callbacks run.
    CallbackDepth::Scope scope(context_.callbacks);
    controls.setValue(control_, value);
    showValue();
    session.parameters.rules.commit(control_);
}

void ParameterField::onChange(const ControlChange& change) {
    if (change.index != static_cast<int>(control_))
        return;
    switch (change.kind) {
    case ControlChange::Kind::Value:
        showValue();
        break;
    case ControlChange::Kind::Dimmed:
    case ControlChange::Kind::Hidden:
        showState();
        break;
    default:
        break;
    }
}

void ParameterField::showValue() {
    const int value = context_.session.parameters.controls.code(control_);
    if (combo_ != nullptr) {
        const QSignalBlocker blocker(combo_);
        combo_->setCurrentIndex(combo_->findData(value));
    }
    if (spin_ != nullptr && spin_->value() != value) {
        const QSignalBlocker blocker(spin_);
        spin_->setValue(value);
    }
    if (slider_ != nullptr && slider_->value() != value) {
        const QSignalBlocker blocker(slider_);
        slider_->setValue(value);
    }
}

void ParameterField::showState() {
    const parameters::ParameterControls& controls = context_.session.parameters.controls;
    const bool dimmed = controls.dimmed(control_);
    const bool hidden = controls.hidden(control_);
    editor_->setEnabled(!dimmed);
    caption_->setEnabled(!dimmed);
    editor_->setVisible(!hidden);
    caption_->setVisible(!hidden);
}

} // namespace tavrino::ui

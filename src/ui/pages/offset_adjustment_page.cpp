#include "ui/pages/offset_adjustment_page.h"

#include "app/calibration.h"
#include "calibration/help_texts.h"
#include "ui/callback_depth.h"
#include "ui/help.h"
#include "ui/pages/axis_rows.h"
#include "ui/qt_text.h"
#include "ui/raw_value_displays.h"
#include "ui/texts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavrino::ui {

namespace {

namespace h = calibration::help;

constexpr Text kAssignButton{"ASSIGN XYZ OFFSET", "ASSIGN XYZ OFFSET"};
constexpr Text kSendButton{"SEND XYZ OFFSET", "SEND XYZ OFFSET"};
constexpr Text kGetButton{"LESEN", "GET"};
constexpr int kBoxWidth = 90;

} // namespace

OffsetAdjustmentPage::OffsetAdjustmentPage(UiContext& context, QWidget* parent)
    : TitledWidget(texts::kOffsetAdjustmentHeading, parent), session_(context.session),
      assign_(new QPushButton(this)), send_(new QPushButton(this)), get_(new QPushButton(this)),
      dimmed_(context.session.dimming),
      subscription_(context.session.calibration, [this](app::CalibrationChange change) {
          if (change == app::CalibrationChange::Offsets)
              showValues();
      }) {
    for (QLineEdit*& box : values_) {
        box = new QLineEdit(this);
        // Checked when the entry is finished: anything but 0..65535 goes
        // back to the value the box had, an empty box included.
        box->setMaxLength(5);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box->setMaximumWidth(kBoxWidth);
        context.help.add(box, h::kXyzOffsetValues);
    }
    build(context);
    context.help.add(assign_, h::kAssignXyzOffset);
    context.help.add(send_, h::kXyzOffsetSend);
    context.help.add(get_, h::kOffsetGet);
    connectControls(context);
    dimmed_.add(app::DimControl::OffsetAdjustmentSend, send_);
    dimmed_.add(app::DimControl::OffsetAdjustmentGet, get_);
    showValues();
    retranslate(session_.language());
}

void OffsetAdjustmentPage::build(UiContext& context) {
    // The raw values stand beside the boxes that ASSIGN XYZ OFFSET fills.
    raw_ = new RawValueDisplays(context.session.live.display, context.help, Qt::Vertical, this);
    auto* rows = new QHBoxLayout;
    QGridLayout* boxes = axisRows(this, values_);
    boxes->setColumnStretch(2, 0);
    rows->addLayout(boxes);
    rows->addSpacing(24);
    rows->addWidget(raw_, 0, Qt::AlignTop);
    rows->addStretch(1);
    body()->addLayout(rows);
    auto* buttons = new QGridLayout;
    buttons->addWidget(assign_, 0, 0);
    buttons->addWidget(send_, 0, 1);
    buttons->addWidget(get_, 1, 0);
    body()->addLayout(buttons);
    body()->addStretch(1);
}

void OffsetAdjustmentPage::connectControls(UiContext& context) {
    CallbackDepth& callbacks = context.callbacks;
    connect(assign_, &QPushButton::clicked, this, callbacks.scoped(session_, &app::assignXyzOffsetButton));
    connect(send_, &QPushButton::clicked, this, callbacks.scoped(session_, &app::xyzOffsetSendButton));
    connect(get_, &QPushButton::clicked, this, callbacks.scoped(session_, &app::xyzOffsetGetButton));
    for (std::size_t i = 0; i < 3; ++i)
        connect(values_[i], &QLineEdit::editingFinished, this, [this, i] { edited(i); });
}

void OffsetAdjustmentPage::edited(std::size_t axis) {
    bool ok = false;
    const uint value = values_[axis]->text().toUInt(&ok);
    if (ok && value <= 65535)
        app::xyzOffsetEdited(session_, axis, static_cast<std::uint16_t>(value));
    else
        showValues();
}

void OffsetAdjustmentPage::showValues() {
    for (std::size_t i = 0; i < 3; ++i)
        values_[i]->setText(QString::number(session_.calibration.xyzOffset[i]));
}

void OffsetAdjustmentPage::retranslate(Language language) {
    TitledWidget::retranslate(language);
    assign_->setText(qs(kAssignButton, language));
    send_->setText(qs(kSendButton, language));
    get_->setText(qs(kGetButton, language));
}

} // namespace tavrino::ui

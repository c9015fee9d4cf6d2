#include "ui/pages/zero_point_offset_page.h"

#include "app/calibration.h"
#include "calibration/help_texts.h"
#include "ui/callback_depth.h"
#include "ui/help.h"
#include "ui/pages/axis_rows.h"
#include "ui/qt_text.h"
#include "ui/texts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tavrino::ui {

namespace {

namespace h = calibration::help;

constexpr Text kSendButton{"SENDEN", "SEND"};
constexpr Text kGetButton{"LESEN", "GET"};
constexpr Text kCalcButton{"CALC", "CALC"};
constexpr int kFieldWidth = 90;

} // namespace

ZeroPointOffsetPage::ZeroPointOffsetPage(UiContext& context, QWidget* parent)
    : TitledWidget(texts::kZeroPointOffsetHeading, parent), session_(context.session),
      send_(new QPushButton(this)), get_(new QPushButton(this)), calc_(new QPushButton(this)),
      close_(new QPushButton(this)), dimmed_(context.session.dimming),
      subscription_(context.session.calibration, [this](app::CalibrationChange change) {
          if (change == app::CalibrationChange::Offsets)
              showValues();
      }) {
    for (QSpinBox*& spin : values_) {
        spin = new QSpinBox(this);
        spin->setRange(0, 65535);
        spin->setMinimumWidth(kFieldWidth);
        spin->setKeyboardTracking(false);
        spin->setAlignment(Qt::AlignRight);
        context.help.add(spin, h::kZeroPointValues);
    }
    build();
    context.help.add(send_, h::kZeroPointSend);
    context.help.add(get_, h::kOffsetGet);
    context.help.add(calc_, h::kZeroPointCalc);
    context.help.add(close_, h::kZeroPointClose);
    connectControls(context);
    dimmed_.add(app::DimControl::ZeroPointSend, send_);
    dimmed_.add(app::DimControl::ZeroPointGet, get_);
    dimmed_.add(app::DimControl::ZeroPointCalc, calc_);
    showValues();
    retranslate(session_.language());
}

void ZeroPointOffsetPage::build() {
    body()->addLayout(axisRows(this, values_));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {send_, get_, calc_})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(close_);
    body()->addLayout(buttons);
    body()->addStretch(1);
}

void ZeroPointOffsetPage::connectControls(UiContext& context) {
    CallbackDepth& callbacks = context.callbacks;
    connect(send_, &QPushButton::clicked, this, callbacks.scoped(session_, &app::zeroPointSendButton));
    connect(get_, &QPushButton::clicked, this, callbacks.scoped(session_, &app::zeroPointGetButton));
    connect(calc_, &QPushButton::clicked, this, callbacks.scoped(session_, &app::zeroPointCalcButton));
    connect(close_, &QPushButton::clicked, this, callbacks.scoped(session_, &app::zeroPointCloseButton));
    for (std::size_t i = 0; i < 3; ++i)
        connect(values_[i], &QSpinBox::valueChanged, this, [this, i](int value) {
            app::zeroPointEdited(session_, i, static_cast<std::uint16_t>(value));
        });
}

void ZeroPointOffsetPage::showValues() {
    for (std::size_t i = 0; i < 3; ++i) {
        const QSignalBlocker blocker(values_[i]);
        values_[i]->setValue(session_.calibration.zeroPoint[i]);
    }
}

void ZeroPointOffsetPage::retranslate(Language language) {
    TitledWidget::retranslate(language);
    send_->setText(qs(kSendButton, language));
    get_->setText(qs(kGetButton, language));
    calc_->setText(qs(kCalcButton, language));
    close_->setText(qs(texts::kCloseButton, language));
}

} // namespace tavrino::ui

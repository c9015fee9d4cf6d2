#include "ui/raw_value_displays.h"

#include "calibration/help_texts.h"
#include "ui/help.h"
#include "ui/number_cells.h"
#include "ui/qt_text.h"
#include "ui/texts.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace tavrino::ui {

namespace {
// Room for the widest raw value, "-32768".
constexpr int kDisplayWidth = 70;
constexpr int kPairGap = 12;
} // namespace

RawValueDisplays::RawValueDisplays(const measurement::MeasurementDisplay& display, HelpRegistry& help,
                                   Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), display_(display), repaint_(new QTimer(this)) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < 3; ++i) {
        captions_[i] = new QLabel(qs(texts::kRawCaptions[i]), this);
        displays_[i] = numberDisplay(this, kDisplayWidth);
        displays_[i]->setMinimumWidth(kDisplayWidth);
        captions_[i]->setBuddy(displays_[i]);
        help.add(displays_[i], calibration::help::kRawValues);
        const int n = static_cast<int>(i);
        const bool inOneRow = orientation == Qt::Horizontal;
        if (inOneRow && i > 0)
            captions_[i]->setContentsMargins(kPairGap, 0, 0, 0);
        grid->addWidget(captions_[i], inOneRow ? 0 : n, inOneRow ? 2 * n : 0);
        grid->addWidget(displays_[i], inOneRow ? 0 : n, inOneRow ? 2 * n + 1 : 1);
    }
    grid->setColumnStretch(grid->columnCount(), 1);
    repaint_->setInterval(kRepaintIntervalMs);
    connect(repaint_, &QTimer::timeout, this, [this] { updateDisplays(); });
}

bool RawValueDisplays::updateDisplays() {
    if (!watch_.takeNew(display_))
        return false;
    for (std::size_t i = 0; i < 3; ++i)
        displays_[i]->setText(QString::number(display_.raw[i]));
    return true;
}

void RawValueDisplays::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    updateDisplays();
    repaint_->start();
}

void RawValueDisplays::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    repaint_->stop();
}

} // namespace tavrino::ui

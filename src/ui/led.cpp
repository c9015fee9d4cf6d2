#include "ui/led.h"

#include <QPainter>

#include <algorithm>

namespace tavrino::ui {

namespace {

constexpr int kDiameter = 18;

} // namespace

Led::Led(QColor onColour, QColor offColour, QWidget* parent)
    : QWidget(parent), onColour_(onColour), offColour_(offColour) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void Led::setOn(bool on) {
    if (on_ == on)
        return;
    on_ = on;
    update();
}

QSize Led::sizeHint() const {
    return {kDiameter + 4, kDiameter + 4};
}

void Led::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int d = std::min(width(), height()) - 4;
    const QRectF lamp((width() - d) / 2.0, (height() - d) / 2.0, d, d);
    painter.setPen(QPen(palette().color(QPalette::Mid), 1.5));
    painter.setBrush(colour());
    painter.drawEllipse(lamp);
}

} // namespace tavrino::ui

#include "ui/panels/big_colour_number_panel.h"

#include "ui/qt_text.h"
#include "ui/texts.h"

#include <QFont>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace tavrino::ui {

BigColourNumberPanel::BigColourNumberPanel(UiContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(context.session), number_(new QLabel(this)),
      panelId_(new QLabel(this)), repaint_(new QTimer(this)),
      subscription_(context.session.shell, [this](app::ShellChange change) {
          if (change == app::ShellChange::PanelId)
              panelId_->setText(qs(session_.shell.panelId));
      }) {
    QFont big = number_->font();
    big.setPointSize(96);
    big.setBold(true);
    number_->setFont(big);
    number_->setAlignment(Qt::AlignCenter);
    panelId_->setAlignment(Qt::AlignCenter);
    panelId_->setTextFormat(Qt::PlainText);
    panelId_->setText(qs(session_.shell.panelId));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panelId_);
    layout->addWidget(number_, 1);
    setColourNumber(session_.live.display.colourNumber);
    repaint_->setInterval(33);
    connect(repaint_, &QTimer::timeout, this, [this] { updateDisplay(); });
    resize(320, 260);
    retranslate(session_.language());
}

void BigColourNumberPanel::retranslate(Language language) {
    setWindowTitle(qs(texts::kBigColourNumberTitle, language));
}

void BigColourNumberPanel::setColourNumber(int number) {
    if (number == shown_)
        return;
    shown_ = number;
    number_->setText(QString::number(number));
}

bool BigColourNumberPanel::updateDisplay() {
    if (!watch_.takeNew(session_.live.display))
        return false;
    setColourNumber(session_.live.display.colourNumber);
    return true;
}

void BigColourNumberPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    setColourNumber(session_.live.display.colourNumber);
    repaint_->start();
}

void BigColourNumberPanel::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    repaint_->stop();
}

void BigColourNumberPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        hide();
        return;
    }
    QWidget::mousePressEvent(event);
}

} // namespace tavrino::ui

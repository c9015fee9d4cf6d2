#pragma once

#include "app/session.h"
#include "measurement/display.h"
#include "ui/subscription.h"
#include "ui/ui_context.h"

#include <QWidget>

class QLabel;
class QTimer;

namespace tavrino::ui {

// The big colour-number panel: a window of its own with the detected colour
// number in large digits and the sensor identification. A right click on it
// or its close box hides it again. While it is shown it follows the live
// measurement at display rate.
class BigColourNumberPanel : public QWidget {
    Q_OBJECT
public:
    explicit BigColourNumberPanel(UiContext& context, QWidget* parent = nullptr);

    void retranslate(Language language);
    void setColourNumber(int number);

    [[nodiscard]] QLabel* numberDisplay() const { return number_; }
    [[nodiscard]] QLabel* panelIdDisplay() const { return panelId_; }

    // Shows the newest frame's colour number if not shown yet; the repaint
    // timer calls it while the panel is shown.
    bool updateDisplay();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    app::Session& session_;
    QLabel* number_;
    QLabel* panelId_;
    QTimer* repaint_;
    measurement::FrameWatch watch_;
    int shown_ = -1;
    Subscription<app::ShellState> subscription_;
};

} // namespace tavrino::ui

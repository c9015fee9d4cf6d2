#pragma once

#include "app/session.h"
#include "ui/subscription.h"
#include "ui/ui_context.h"

#include <QWidget>

class QLabel;

namespace tavrino::ui {

// The big colour-number panel: a window of its own with the detected colour
// number in large digits and the sensor identification. A right click on it
// or its close box hides it again.
class BigColourNumberPanel : public QWidget {
    Q_OBJECT
public:
    explicit BigColourNumberPanel(UiContext& context, QWidget* parent = nullptr);

    void retranslate(Language language);
    void setColourNumber(int number);

    [[nodiscard]] QLabel* numberDisplay() const { return number_; }
    [[nodiscard]] QLabel* panelIdDisplay() const { return panelId_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    app::Session& session_;
    QLabel* number_;
    QLabel* panelId_;
    Subscription<app::Session> subscription_;
};

} // namespace tavrino::ui

#pragma once

#include <QColor>
#include <QWidget>

namespace tavrino::ui {

// A round indicator lamp: one colour while on, another while off.
class Led : public QWidget {
    Q_OBJECT
public:
    Led(QColor onColour, QColor offColour, QWidget* parent = nullptr);

    [[nodiscard]] bool isOn() const { return on_; }
    void setOn(bool on);
    // The colour it shows now.
    [[nodiscard]] QColor colour() const { return on_ ? onColour_ : offColour_; }

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor onColour_;
    QColor offColour_;
    bool on_ = false;
};

} // namespace tavrino::ui

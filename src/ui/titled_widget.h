#pragma once

#include "common/language.h"

#include <QWidget>

class QAbstractButton;
class QLabel;
class QVBoxLayout;

namespace tavrino::ui {

// A page or panel: a heading above its controls. Every one switches its
// captions with retranslate(), which the language switch calls.
class TitledWidget : public QWidget {
    Q_OBJECT
public:
    TitledWidget(Text heading, QWidget* parent = nullptr);

    // Sets every caption in `language`; overrides call the base first.
    virtual void retranslate(Language language);

    [[nodiscard]] QLabel* heading() const { return heading_; }
    // The CLOSE button of a child panel, which Escape presses; nullptr for
    // a page or panel without one.
    [[nodiscard]] QAbstractButton* closeButton() const { return closeButton_; }

protected:
    void setCloseButton(QAbstractButton* button) { closeButton_ = button; }
    // The layout below the heading.
    [[nodiscard]] QVBoxLayout* body() const { return body_; }

private:
    Text headingText_;
    QLabel* heading_;
    QVBoxLayout* body_;
    QAbstractButton* closeButton_ = nullptr;
};

} // namespace tavrino::ui

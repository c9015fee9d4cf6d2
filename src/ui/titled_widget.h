#pragma once

#include "common/language.h"

#include <QWidget>

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

protected:
    // The layout below the heading.
    [[nodiscard]] QVBoxLayout* body() const { return body_; }

private:
    Text headingText_;
    QLabel* heading_;
    QVBoxLayout* body_;
};

} // namespace tavrino::ui

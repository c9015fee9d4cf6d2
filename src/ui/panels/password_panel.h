#pragma once

#include "ui/ui_context.h"

#include "common/language.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace tavrino::app {
class Session;
}

namespace tavrino::ui {

// The password panel of the factory calibration functions: a modal popup
// with a masked field of at most 20 characters, closed by its close box.
// A known entry closes it and runs its action; any other is told and the box
// stays open with an empty field. The entry is never kept or shown.
class PasswordPanel : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 20;

    explicit PasswordPanel(UiContext& context, QWidget* parent = nullptr);

    void retranslate(Language language);

    // Empties the field and shows the box, modal, without blocking.
    void openForEntry();

    [[nodiscard]] QLineEdit* passwordField() const { return field_; }

private:
    void entered();

    app::Session& session_;
    UiContext& context_;
    QLabel* caption_;
    QLineEdit* field_;
};

} // namespace tavrino::ui

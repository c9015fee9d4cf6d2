#pragma once

#include "ui/ui_context.h"

#include "common/language.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace tavrino::ui {

// The password panel of the factory calibration functions: a modal popup
// with a masked field of at most 20 characters, closed by its close box.
class PasswordPanel : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 20;

    explicit PasswordPanel(UiContext& context, QWidget* parent = nullptr);

    void retranslate(Language language);

    [[nodiscard]] QLineEdit* passwordField() const { return field_; }
    [[nodiscard]] QString password() const;

private:
    QLabel* caption_;
    QLineEdit* field_;
};

} // namespace tavrino::ui

#include "ui/panels/password_panel.h"

#include "app/session.h"
#include "ui/qt_text.h"
#include "ui/texts.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tavrino::ui {

PasswordPanel::PasswordPanel(UiContext& context, QWidget* parent)
    : QDialog(parent), caption_(new QLabel(this)), field_(new QLineEdit(this)) {
    setModal(true);
    field_->setMaxLength(kMaxLength);
    field_->setEchoMode(QLineEdit::Password);
    // The mask character is "*" on every platform.
    field_->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    connect(field_, &QLineEdit::returnPressed, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption_);
    layout->addWidget(field_);
    layout->addStretch(1);
    resize(280, 110);
    retranslate(context.session.language());
}

void PasswordPanel::retranslate(Language language) {
    setWindowTitle(qs(texts::kPasswordTitle, language));
    caption_->setText(qs(texts::kPasswordLabel, language));
}

QString PasswordPanel::password() const {
    return field_->text();
}

} // namespace tavrino::ui

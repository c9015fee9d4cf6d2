#include "ui/panels/password_panel.h"

#include "app/calibration.h"
#include "app/session.h"
#include "ui/callback_depth.h"
#include "ui/control_texts.h"
#include "ui/help.h"
#include "ui/qt_text.h"
#include "ui/texts.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <string>

namespace tavrino::ui {

PasswordPanel::PasswordPanel(UiContext& context, QWidget* parent)
    : QDialog(parent), session_(context.session), context_(context), caption_(new QLabel(this)),
      field_(new QLineEdit(this)) {
    setModal(true);
    field_->setMaxLength(kMaxLength);
    field_->setEchoMode(QLineEdit::Password);
    // The mask character is "*" on every platform.
    field_->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    field_->setContextMenuPolicy(Qt::NoContextMenu);
    connect(field_, &QLineEdit::returnPressed, this, &PasswordPanel::entered);
    caption_->setBuddy(field_);
    context.help.add(field_, texts::kPasswordHelp);

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

void PasswordPanel::openForEntry() {
    field_->clear();
    open();
    field_->setFocus();
}

void PasswordPanel::entered() {
    std::string entry = field_->text().toStdString();
    field_->clear();
    // The box is gone before a known entry's action asks or exchanges.
    if (app::passwordClosesBox(entry))
        accept();
    CallbackDepth::Scope scope(context_.callbacks);
    app::passwordEntered(session_, entry);
    entry.assign(entry.size(), '\0');
}

} // namespace tavrino::ui

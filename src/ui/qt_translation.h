#pragma once

#include "common/language.h"

#include <QString>
#include <QStringList>
#include <QTranslator>

class QWidget;

namespace tavrino::ui {

// The program's own texts on the standard buttons (OK, Cancel, Yes, No) of
// the button boxes in `dialog`, in `language`: they read right whether or not
// Qt's translation is installed.
void setButtonTexts(QWidget* dialog, Language language);

// Qt's own texts (the standard buttons, the file and print dialogs, the
// context menus of text fields) in the operator's language: Qt's German
// translation is installed while the language is German and removed for
// English. Where the translation is not installed on this computer Qt's texts
// stay English; the program's popups set their main buttons and labels from
// its own pairs in either case.
class QtTranslation {
public:
    // The translation is looked for in each of `directories` in turn.
    explicit QtTranslation(QStringList directories = defaultDirectories());
    ~QtTranslation();
    QtTranslation(const QtTranslation&) = delete;
    QtTranslation& operator=(const QtTranslation&) = delete;

    void apply(Language language);
    [[nodiscard]] bool installed() const { return installed_; }

    // Beside the program first (an installed package), then Qt's own.
    [[nodiscard]] static QStringList defaultDirectories();

private:
    bool load();

    QStringList directories_;
    QTranslator german_;
    bool loaded_ = false;
    bool triedLoading_ = false;
    bool installed_ = false;
};

} // namespace tavrino::ui

#include "ui/qt_translation.h"

#include "ui/qt_text.h"
#include "ui/texts.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QLibraryInfo>
#include <QPushButton>

#include <array>
#include <utility>

namespace tavrino::ui {

namespace {

constexpr const char* kGermanQtTranslation = "qtbase_de";

struct ButtonText {
    QDialogButtonBox::StandardButton button;
    Text text;
};
constexpr std::array kButtonTexts{
    ButtonText{QDialogButtonBox::Ok, texts::kOkButton},
    ButtonText{QDialogButtonBox::Cancel, texts::kCancelButton},
    ButtonText{QDialogButtonBox::Yes, texts::kYesButton},
    ButtonText{QDialogButtonBox::No, texts::kNoButton},
};

} // namespace

void setButtonTexts(QWidget* dialog, Language language) {
    for (QDialogButtonBox* box : dialog->findChildren<QDialogButtonBox*>())
        for (const ButtonText& b : kButtonTexts)
            if (QPushButton* button = box->button(b.button))
                button->setText(qs(b.text, language));
}

QtTranslation::QtTranslation(QStringList directories) : directories_(std::move(directories)) {}

QtTranslation::~QtTranslation() {
    if (installed_)
        QCoreApplication::removeTranslator(&german_);
}

QStringList QtTranslation::defaultDirectories() {
    const QString programDirectory = QCoreApplication::applicationDirPath();
    return {QDir(programDirectory).filePath(QStringLiteral("translations")),
            QDir(programDirectory).filePath(QStringLiteral("../share/tavrino-scope/translations")),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

bool QtTranslation::load() {
    // Looked for once: a file that is not there does not appear while the
    // program runs.
    if (!triedLoading_) {
        triedLoading_ = true;
        for (const QString& directory : directories_)
            if (german_.load(QString::fromLatin1(kGermanQtTranslation), directory)) {
                loaded_ = true;
                break;
            }
    }
    return loaded_;
}

void QtTranslation::apply(Language language) {
    const bool wanted = language == Language::German && load();
    if (wanted == installed_)
        return;
    if (wanted) {
        installed_ = QCoreApplication::installTranslator(&german_);
    } else {
        QCoreApplication::removeTranslator(&german_);
        installed_ = false;
    }
}

} // namespace tavrino::ui

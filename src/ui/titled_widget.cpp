#include "ui/titled_widget.h"

#include "ui/qt_text.h"

#include <QFont>
#include <QLabel>
#include <QVBoxLayout>

namespace tavrino::ui {

TitledWidget::TitledWidget(Text heading, QWidget* parent)
    : QWidget(parent), headingText_(heading), heading_(new QLabel(this)), body_(new QVBoxLayout) {
    QFont font = heading_->font();
    font.setBold(true);
    font.setPointSize(font.pointSize() + 2);
    heading_->setFont(font);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addLayout(body_, 1);
    retranslate(Language::English);
}

void TitledWidget::retranslate(Language language) {
    heading_->setText(qs(headingText_, language));
    // A screen reader names the page or panel after its heading.
    setAccessibleName(heading_->text());
}

} // namespace tavrino::ui

#include "ui/pages/recorder_page.h"

#include "ui/qt_text.h"
#include "ui/texts.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace tavrino::ui {

RecorderPage::RecorderPage(UiContext& context, QWidget* parent)
    : TitledWidget(texts::kRecorderHeading, parent), session_(context.session),
      panelIdCaption_(new QLabel(this)), panelId_(new QLabel(this)), recordFileCaption_(new QLabel(this)),
      recordFile_(new QLabel(this)), subscription_(context.session.shell, [this](app::ShellChange change) {
          if (change == app::ShellChange::PanelId || change == app::ShellChange::Paths)
              refresh();
      }) {
    panelId_->setTextFormat(Qt::PlainText);
    recordFile_->setTextFormat(Qt::PlainText);
    recordFile_->setWordWrap(true);
    recordFile_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* grid = new QGridLayout;
    grid->addWidget(panelIdCaption_, 0, 0);
    grid->addWidget(panelId_, 0, 1);
    grid->addWidget(recordFileCaption_, 1, 0);
    grid->addWidget(recordFile_, 1, 1);
    grid->setColumnStretch(1, 1);
    body()->addLayout(grid);
    body()->addStretch(1);
    retranslate(session_.language());
    refresh();
}

void RecorderPage::retranslate(Language language) {
    TitledWidget::retranslate(language);
    panelIdCaption_->setText(qs(texts::kPanelIdLabel, language));
    recordFileCaption_->setText(qs(texts::kRecordFileLabel, language));
}

void RecorderPage::refresh() {
    panelId_->setText(qs(session_.shell.panelId));
    recordFile_->setText(qs(session_.shell.paths.recorderFile));
}

} // namespace tavrino::ui

#include "ui/panels/measurement_display_panel.h"

#include "ui/help.h"
#include "ui/qt_text.h"
#include "ui/texts.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tavrino::ui {

namespace {

QLineEdit* display(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

} // namespace

MeasurementDisplayPanel::MeasurementDisplayPanel(UiContext& context, QWidget* parent)
    : TitledWidget(texts::kMeasurementDisplayHeading, parent), session_(context.session),
      statusCaption_(new QLabel(this)), status_(display(this)), comPortCaption_(new QLabel(this)),
      comPort_(display(this)), serverCaption_(new QLabel(this)), server_(display(this)),
      graphTabs_(new QTabWidget(this)), subscription_(context.session, [this](app::SessionChange change) {
          if (change == app::SessionChange::LinkDisplay)
              refreshLinkDisplay();
          else if (change == app::SessionChange::SensorIdentity)
              refreshIdentity();
      }) {
    auto* grid = new QGridLayout;
    grid->addWidget(statusCaption_, 0, 0);
    grid->addWidget(status_, 0, 1, 1, 3);
    grid->addWidget(comPortCaption_, 1, 0);
    grid->addWidget(comPort_, 1, 1);
    grid->addWidget(serverCaption_, 1, 2);
    grid->addWidget(server_, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 2);
    body()->addLayout(grid);

    for (int page = 0; page < kGraphPageCount; ++page)
        graphTabs_->addTab(new QWidget(graphTabs_), QString());
    // The three-sided view is the page in front at start-up.
    graphTabs_->setCurrentIndex(kGraphPageCount - 1);
    body()->addWidget(graphTabs_, 1);
    context.help.add(graphTabs_, texts::kGraphTabHelp);

    retranslate(session_.language);
    refreshLinkDisplay();
    refreshIdentity();
}

void MeasurementDisplayPanel::retranslate(Language language) {
    TitledWidget::retranslate(language);
    statusCaption_->setText(qs(texts::kSensorStatusLabel, language));
    comPortCaption_->setText(qs(texts::kComPortDisplayLabel, language));
    serverCaption_->setText(qs(texts::kServerDisplayLabel, language));
    for (int page = 0; page < kGraphPageCount; ++page)
        graphTabs_->setTabText(page, qs(texts::kGraphTabLabels[static_cast<std::size_t>(page)], language));
}

void MeasurementDisplayPanel::setSensorStatus(std::string_view text) {
    // The status texts end in line breaks meant for the connection log.
    QString shown = qs(text);
    while (shown.endsWith(QLatin1Char('\n')))
        shown.chop(1);
    status_->setText(shown.replace(QLatin1Char('\n'), QLatin1Char(' ')));
}

void MeasurementDisplayPanel::refreshLinkDisplay() {
    const app::LinkDisplay& link = session_.linkDisplay;
    comPort_->setText(QString::number(link.comPort));
    server_->setText(qs(link.serverAddress));
    comPortCaption_->setVisible(link.comPortVisible);
    comPort_->setVisible(link.comPortVisible);
    serverCaption_->setVisible(link.serverAddressVisible);
    server_->setVisible(link.serverAddressVisible);
}

void MeasurementDisplayPanel::refreshIdentity() {
    status_->setToolTip(qs(session_.sensor.firmware));
}

} // namespace tavrino::ui

#include "ui/pages/table_settings_page.h"

#include "app/dimming.h"
#include "app/table_settings.h"
#include "ui/callback_depth.h"
#include "ui/control_texts.h"
#include "ui/help.h"
#include "ui/qt_text.h"
#include "ui/qt_translation.h"
#include "ui/texts.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>

namespace tavrino::ui {

namespace {

constexpr int kSpecificationColumn = 0;
constexpr int kColourColumn = 1;
constexpr int kColourColumnWidth = 60;
constexpr int kRepaintMs = 33;

QColor qcolor(teach::Rgb c) {
    return {c.red, c.green, c.blue};
}

QString swatchStyle(teach::Rgb c) {
    return QStringLiteral("background-color: %1;").arg(qcolor(c).name());
}

} // namespace

TableSettingsPage::TableSettingsPage(UiContext& context, QWidget* parent)
    : TitledWidget(texts::kTableSettingsHeading, parent), context_(context), session_(context.session),
      table_(new QTableWidget(teach::kRows, 2, this)), modeCaption_(new QLabel(this)),
      mode_(new QComboBox(this)), rowCaption_(new QLabel(this)), row_(new QSpinBox(this)),
      colourCaption_(new QLabel(this)), colour_(new QPushButton(this)), setRowColour_(new QPushButton(this)),
      defaults_(new QPushButton(this)), saveFile_(new QPushButton(this)), getFile_(new QPushButton(this)),
      saveEe_(new QPushButton(this)), getEe_(new QPushButton(this)), temperatureCaption_(new QLabel(this)),
      temperature_(new QLabel(this)), measuredCaption_(new QLabel(this)), measured_(new QFrame(this)),
      repaint_(new QTimer(this)),
      rowsSubscription_(context.session.rowColours,
                        [this](const teach::RowColours::Change& change) { showRow(change.row); }),
      tableSubscription_(context.session.parameters.teachTable,
                         [this](const teach::TableChange& change) {
                             if (change.kind == teach::TableChange::Kind::RowLabels)
                                 showRowLabels();
                         }),
      stateSubscription_(context.session.tableSettings,
                         [this](app::TableSettingsChange change) {
                             switch (change) {
                             case app::TableSettingsChange::Mode:
                                 showMode();
                                 break;
                             case app::TableSettingsChange::Selection:
                                 showSelection();
                                 break;
                             case app::TableSettingsChange::Busy:
                                 showExchangeButtons();
                                 break;
                             }
                         }),
      dimmingSubscription_(context.session.dimming, [this](app::DimControl c, bool) {
          if (c == app::DimControl::SendButton)
              showExchangeButtons();
      }) {
    buildTable();
    body()->addWidget(table_);
    body()->addLayout(buildControls());
    body()->addStretch(1);
    registerHelp();
    connectControls();

    for (int r = 0; r < teach::kRows; ++r)
        showRow(r);
    showRowLabels();
    showMode();
    showSelection();
    showExchangeButtons();
    repaint_->setInterval(kRepaintMs);
    retranslate(session_.language());
}

void TableSettingsPage::buildTable() {
    for (int r = 0; r < teach::kRows; ++r) {
        auto* label = new QTableWidgetItem(QString::number(r));
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        table_->setVerticalHeaderItem(r, label);
        table_->setItem(r, kSpecificationColumn, new QTableWidgetItem);
        auto* colour = new QTableWidgetItem;
        colour->setFlags(Qt::ItemIsEnabled);
        table_->setItem(r, kColourColumn, colour);
    }
    for (int c = 0; c < 2; ++c)
        table_->setHorizontalHeaderItem(c, new QTableWidgetItem);
    table_->setWordWrap(false);
    table_->horizontalHeader()->setSectionResizeMode(kSpecificationColumn, QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(kColourColumn, QHeaderView::Fixed);
    table_->horizontalHeader()->resizeSection(kColourColumn, kColourColumnWidth);
    table_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
}

QLayout* TableSettingsPage::buildControls() {
    mode_->addItem({});
    mode_->addItem({});
    row_->setRange(0, teach::kRows - 1);
    measured_->setFrameShape(QFrame::Box);
    measured_->setAutoFillBackground(true);
    measured_->setMinimumSize(60, 24);
    temperature_->setFrameShape(QFrame::Panel);
    temperature_->setFrameShadow(QFrame::Sunken);
    temperature_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    temperature_->setMinimumWidth(60);

    // Four columns, two controls a row, so the page is no taller than the others.
    auto* grid = new QGridLayout;
    grid->addWidget(modeCaption_, 0, 0);
    grid->addWidget(mode_, 0, 1);
    grid->addWidget(measuredCaption_, 0, 2);
    grid->addWidget(measured_, 0, 3);
    grid->addWidget(rowCaption_, 1, 0);
    grid->addWidget(row_, 1, 1);
    grid->addWidget(colourCaption_, 1, 2);
    grid->addWidget(colour_, 1, 3);
    grid->addWidget(setRowColour_, 2, 0, 1, 2);
    grid->addWidget(defaults_, 2, 2, 1, 2);
    grid->addWidget(saveFile_, 3, 0, 1, 2);
    grid->addWidget(getFile_, 3, 2, 1, 2);
    grid->addWidget(saveEe_, 4, 0, 1, 2);
    grid->addWidget(getEe_, 4, 2, 1, 2);
    grid->addWidget(temperatureCaption_, 5, 0);
    grid->addWidget(temperature_, 5, 1);
    for (int c = 0; c < 4; ++c)
        grid->setColumnStretch(c, 1);
    return grid;
}

void TableSettingsPage::registerHelp() {
    HelpRegistry& help = context_.help;
    help.name(table_, texts::kRowSpecificationsName);
    help.add(table_, texts::kRowSpecificationsHelp);
    // The colour button shows the colour, no caption.
    help.name(colour_, texts::kColourSelectLabel);
    modeCaption_->setBuddy(mode_);
    rowCaption_->setBuddy(row_);
    help.add(temperature_, texts::kTemperatureHelp);
    help.add(mode_, texts::kRowColourModeHelp);
    help.add(row_, texts::kRowSelectHelp);
    help.add(colour_, texts::kColourSelectHelp);
    help.add(setRowColour_, texts::kSetRowColourHelp);
    help.add(defaults_, texts::kDefaultColoursHelp);
    help.add(saveFile_, texts::kSaveToFileHelp);
    help.add(getFile_, texts::kGetFromFileHelp);
    help.add(saveEe_, texts::kSaveToEeHelp);
    help.add(getEe_, texts::kGetFromEeHelp);
}

void TableSettingsPage::connectControls() {
    connect(mode_, &QComboBox::currentIndexChanged, this,
            [this](int index) { app::InitSrcPanel(session_, index); });
    connect(row_, &QSpinBox::valueChanged, this, [this](int row) { app::selectRow(session_, row); });
    connect(colour_, &QPushButton::clicked, this, &TableSettingsPage::CBF_EditColorNumericRow);
    connect(setRowColour_, &QPushButton::clicked, this, [this] { run(&app::SetRowColor); });
    connect(defaults_, &QPushButton::clicked, this, [this] { run(&app::CBF_ButtonTableAttrReset); });
    connect(saveFile_, &QPushButton::clicked, this, [this] { run(&app::SaveTableSettingsToFile); });
    connect(getFile_, &QPushButton::clicked, this, [this] { run(&app::GetTableSettingsFromFile); });
    connect(saveEe_, &QPushButton::clicked, this, [this] { run(&app::CBF_ButtonSaveTableSettingsToEE); });
    connect(getEe_, &QPushButton::clicked, this, [this] { run(&app::CBF_ButtonGetTableSettingsFromEE); });
    connect(table_, &QTableWidget::itemChanged, this, &TableSettingsPage::CBF_TableEdited);
    connect(repaint_, &QTimer::timeout, this, [this] { updateDisplay(); });
}

void TableSettingsPage::retranslate(Language language) {
    TitledWidget::retranslate(language);
    table_->horizontalHeaderItem(kSpecificationColumn)
        ->setText(qs(texts::kSpecificationColumnHeading, language));
    table_->horizontalHeaderItem(kColourColumn)->setText(qs(texts::kColourColumnHeading, language));
    modeCaption_->setText(qs(texts::kRowColourModeLabel, language));
    for (int i = 0; i < 2; ++i)
        mode_->setItemText(i, qs(texts::kRowColourModes[static_cast<std::size_t>(i)], language));
    rowCaption_->setText(qs(texts::kRowSelectLabel, language));
    colourCaption_->setText(qs(texts::kColourSelectLabel, language));
    setRowColour_->setText(qs(texts::kSetRowColourButton, language));
    defaults_->setText(qs(texts::kDefaultColoursButton, language));
    saveFile_->setText(qs(texts::kSaveToFileButton, language));
    getFile_->setText(qs(texts::kGetFromFileButton, language));
    saveEe_->setText(qs(texts::kSaveToEeButton, language));
    getEe_->setText(qs(texts::kGetFromEeButton, language));
    temperatureCaption_->setText(qs(texts::kTemperatureLabel, language));
    measuredCaption_->setText(qs(texts::kMeasuredColourLabel, language));
}

bool TableSettingsPage::updateDisplay() {
    const measurement::MeasurementDisplay& d = session_.live.display;
    if (!watch_.takeNew(d))
        return false;
    temperature_->setText(QString::number(d.temperature));
    const teach::Rgb c{d.paintColour.red, d.paintColour.green, d.paintColour.blue};
    measured_->setStyleSheet(swatchStyle(c));
    return true;
}

void TableSettingsPage::showEvent(QShowEvent* event) {
    TitledWidget::showEvent(event);
    watch_.reset();
    updateDisplay();
    repaint_->start();
}

void TableSettingsPage::hideEvent(QHideEvent* event) {
    TitledWidget::hideEvent(event);
    repaint_->stop();
}

void TableSettingsPage::CBF_EditColorNumericRow() {
    CallbackDepth::Scope scope(context_.callbacks);
    const QColor initial = qcolor(teach::intToRgb(session_.tableSettings.selectedColour));
    QColorDialog dialog(initial, this);
    dialog.setWindowTitle(qs(texts::kColourSelectLabel, session_.language()));
    setButtonTexts(&dialog, session_.language());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QColor chosen = dialog.selectedColor();
    if (chosen.isValid())
        app::selectColour(session_, teach::rgbToInt({chosen.red(), chosen.green(), chosen.blue()}));
}

void TableSettingsPage::CBF_TableEdited(QTableWidgetItem* item) {
    // Only the operator's edits arrive here: the table is blocked while it
    // follows the model.
    if (item->column() == kSpecificationColumn)
        session_.rowColours.setSpecification(item->row(), str(item->text()));
}

template <class Operation> void TableSettingsPage::run(Operation operation) {
    CallbackDepth::Scope scope(context_.callbacks);
    operation(session_);
}

void TableSettingsPage::showRow(int row) {
    QTableWidgetItem* text = table_->item(row, kSpecificationColumn);
    QTableWidgetItem* colour = table_->item(row, kColourColumn);
    if (text == nullptr || colour == nullptr)
        return;
    const QSignalBlocker blocker(table_);
    const QString specification = qs(session_.rowColours.specification(row));
    if (text->text() != specification)
        text->setText(specification);
    colour->setBackground(qcolor(session_.rowColours.rgb(row)));
}

void TableSettingsPage::showRowLabels() {
    for (int r = 0; r < teach::kRows; ++r)
        table_->verticalHeaderItem(r)->setForeground(
            qcolor(session_.parameters.teachTable.rowLabelColour(r)));
}

void TableSettingsPage::showMode() {
    const bool automatic = session_.tableSettings.automatic();
    {
        const QSignalBlocker blocker(mode_);
        mode_->setCurrentIndex(session_.tableSettings.rowColourMode);
    }
    row_->setEnabled(!automatic);
    colour_->setEnabled(!automatic);
    setRowColour_->setEnabled(!automatic);
    measuredCaption_->setVisible(automatic);
    measured_->setVisible(automatic);
}

void TableSettingsPage::showSelection() {
    const QSignalBlocker blocker(row_);
    row_->setValue(session_.tableSettings.selectedRow);
    colour_->setStyleSheet(swatchStyle(teach::intToRgb(session_.tableSettings.selectedColour)));
}

void TableSettingsPage::showExchangeButtons() {
    // Usable while the live loop runs (it serves them between two frames),
    // not while another exchange or loop holds the link.
    const bool dimmed = session_.tableSettings.busy || session_.dimming.dimmed(app::DimControl::SendButton);
    saveEe_->setEnabled(!dimmed);
    getEe_->setEnabled(!dimmed);
}

} // namespace tavrino::ui

#include "ui/panels/calibration_panel.h"

#include "app/calibration.h"
#include "calibration/help_texts.h"
#include "ui/callback_depth.h"
#include "ui/control_texts.h"
#include "ui/help.h"
#include "ui/number_cells.h"
#include "ui/qt_text.h"
#include "ui/raw_value_displays.h"
#include "ui/scrolling.h"
#include "ui/texts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QTableView>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

namespace tavrino::ui {

namespace {

namespace h = calibration::help;

constexpr Text kReferencePage{"REFERENZ", "REFERENCE"};
constexpr Text kSetValuePage{"SOLLWERT", "SETVALUE"};
constexpr Text kSensorPage{"SENSORDATEN", "SENSOR DATA"};
constexpr Text kScrollAll{"Alle scrollen", "Scroll All"};

constexpr Text kReferenceSetValueCaption{"REFERENZ SOLLWERT", "REFERENCE SETVALUE"};
constexpr Text kReferenceActualCaption{"XYZ MESSWERT DER REFERENZ", "ACTUAL XYZ VALUE OF REFERENCE"};
constexpr Text kReferenceXyzCaption{"XYZ DER REFERENZ", "XYZ OF REFERENCE"};
constexpr Text kWhitePointCaption{"XnYnZn", "XnYnZn"};
constexpr Text kSetValueCaption{"SOLLWERT", "SETVALUE"};
constexpr Text kXyzSetValueCaption{"XYZ SOLLWERT", "XYZ SETVALUE"};
constexpr Text kActualCaption{"XYZ MESSWERT", "ACTUAL XYZ VALUE"};
constexpr Text kFactorCaption{"XYZ KALIBRIERFAKTOREN", "XYZ CALIBRATION FACTORS"};
constexpr Text kSensorValuesCaption{"SENSOR XYZ WERTE", "SENSOR XYZ VALUES"};
constexpr Text kSensorFactorsCaption{"SENSOR XYZ FAKTOREN", "SENSOR XYZ FACTORS"};
constexpr Text kSensorRowsCaption{"ROWS", "ROWS"};
constexpr Text kSensorParametersCaption{"PARAMETER", "PARAMETERS"};
constexpr Text kSensorCorrectionCaption{"KORREKTURWERTE", "CORRECTION VALUES"};
constexpr Text kSensorWhitePointCaption{"XnYnZn", "XnYnZn"};
constexpr Text kSensorReferenceCaption{"XYZ MESSWERT DER REFERENZ", "ACTUAL XYZ OF REFERENCE"};
constexpr Text kSensorWhiteBalanceCaption{"WEISSABGLEICH", "WHITE BALANCE"};
constexpr Text kReferenceInstructions{
    "1. Sensor auf die Referenz richten.\n"
    "2. Referenzdatei laden oder Referenz-Sollwert eingeben; XYZ der Referenz wird sofort berechnet.\n"
    "3. Referenz-Farbraum pruefen.\n"
    "4. GO starten und ASSIGN druecken: RAW X, RAW Y, RAW Z werden als Messwert der Referenz uebernommen, "
    "der Weisspunkt XnYnZn wird sofort berechnet.\n"
    "5. Referenz in eine Datei speichern.",
    "1. Place the sensor at the REFERENCE target.\n"
    "2. Load a reference file or type the REFERENCE setvalue; the XYZ of the reference is computed at once.\n"
    "3. Check the REFERENCE color space.\n"
    "4. Start GO and press ASSIGN: RAW X, RAW Y, RAW Z are taken as the actual value of the reference, the "
    "white point XnYnZn is computed at once.\n"
    "5. Save the REFERENCE settings to a file."};
constexpr Text kSetValueInstructions{
    "SOLLWERTE TABELLE: Sollwertdatei laden oder die Sollwerte der Ziele eingeben (ihr XYZ wird sofort "
    "berechnet), Sollwert-Farbraum pruefen, ROWS auf die Anzahl der Ziele setzen, Tabelle speichern.\n"
    "XYZ MESSWERTE TABELLE: Sensor auf das Ziel der Zeile No.: richten, bei laufendem GO ASSIGN TO ROW "
    "druecken, mit dem naechsten Ziel weitermachen; Tabelle speichern.\n"
    "KALIBRIERFAKTOREN: FAKTOREN BERECHNEN, dann SENDEN; LESEN zeigt unter SENSORDATEN, was der Sensor "
    "gespeichert hat.",
    "SETVALUE TABLE: load a setvalue file or type the setvalues of the targets (their XYZ is computed at "
    "once), check the SETVALUE color space, set ROWS to the number of targets, save the table.\n"
    "ACTUAL XYZ VALUE TABLE: place the sensor at the target of row No.:, with GO running press ASSIGN TO "
    "ROW, go on with the next target; save the table.\n"
    "CALIBRATION FACTORS: CALCULATE FACTORS, then SEND; READ shows under SENSOR DATA what the sensor "
    "stored."};
// Lines the instruction boxes show without scrolling.
constexpr int kReferenceInstructionLines = 8;
constexpr int kSetValueInstructionLines = 7;

constexpr int kRowHeight = 20;
constexpr int kRowLabelWidth = 26;
// A table cell is its column's width less the grid line.
constexpr int kGridLine = 1;
// Between the SENSOR DATA page's tables: the room goes to the numbers.
constexpr int kSensorPageSpacing = 3;

QTableView* tableView(CalibTableModel* model, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setModel(model);
    view->setItemDelegate(new NumberCellDelegate(view));
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    view->horizontalHeader()->setHighlightSections(false);
    QHeaderView* rows = view->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(kRowHeight);
    rows->setMinimumWidth(kRowLabelWidth);
    rows->setDefaultAlignment(Qt::AlignCenter);
    rows->setHighlightSections(false);
    if (model->rowCount() <= 3) {
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setFixedHeight(view->horizontalHeader()->sizeHint().height() + model->rowCount() * kRowHeight +
                             2 * view->frameWidth());
    } else {
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }
    return view;
}

} // namespace

CalibrationPanel::CalibrationPanel(UiContext& context, QWidget* parent)
    : TitledWidget(texts::kCalibrationPanelHeading, parent), session_(context.session),
      tabs_(new QTabWidget(this)), scrollAll_(new QCheckBox(this)), close_(new QPushButton(this)),
      sensorRows_(new QLineEdit(this)),
      subscription_(context.session.calibration,
                    [this](app::CalibrationChange change) { onChange(change); }) {
    for (std::size_t i = 0; i < kTableCount; ++i)
        models_[i] = new CalibTableModel(session_, context.callbacks, static_cast<CalibTable>(i), this);
    build(context);
    registerHelp(context.help);
    connectControls(context);
    tabs_->setCurrentIndex(static_cast<int>(session_.calibration.page));
    showSensorRows();
    retranslate(session_.language());
}

QWidget* CalibrationPanel::titledView(CalibTable table, Text caption, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    auto* label = new QLabel(box);
    captions_.emplace_back(label, caption);
    QTableView* v = tableView(model(table), box);
    views_[static_cast<std::size_t>(table)] = v;
    label->setBuddy(v);
    column->addWidget(label);
    column->addWidget(v, 1);
    return box;
}

QWidget* CalibrationPanel::buildReferencePage() {
    auto* page = new QWidget(tabs_);
    auto* column = new QVBoxLayout(page);
    column->addWidget(titledView(CalibTable::ReferenceSetValue, kReferenceSetValueCaption, page));
    column->addWidget(titledView(CalibTable::ReferenceXyz, kReferenceXyzCaption, page));
    column->addWidget(referenceRaw_);
    column->addWidget(titledView(CalibTable::ReferenceActual, kReferenceActualCaption, page));
    column->addWidget(titledView(CalibTable::WhitePoint, kWhitePointCaption, page));
    referenceInstructions_ = instructionBox(kReferenceInstructionLines, page);
    column->addSpacing(8);
    column->addWidget(referenceInstructions_);
    column->addStretch(1);
    return page;
}

QPlainTextEdit* CalibrationPanel::instructionBox(int lines, QWidget* parent) {
    // A text box rather than a wrapping label: its height does not follow
    // its width, so the pages keep to the room the window gives them and the
    // text scrolls inside when the box is made smaller than it.
    auto* box = new QPlainTextEdit(parent);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setFrameShape(QFrame::StyledPanel);
    // Half a line more than the lines asked for: the last one shows whole.
    const int lineSpacing = box->fontMetrics().lineSpacing();
    const int height = lines * lineSpacing + lineSpacing / 2 +
                       2 * (box->frameWidth() + static_cast<int>(box->document()->documentMargin()));
    box->setMinimumHeight(height / 2);
    box->setMaximumHeight(height);
    return box;
}

QWidget* CalibrationPanel::buildSetValuePage() {
    auto* page = new QWidget(tabs_);
    auto* grid = new QGridLayout(page);
    grid->addWidget(titledView(CalibTable::SetValues, kSetValueCaption, page), 0, 0);
    grid->addWidget(titledView(CalibTable::XyzSetValues, kXyzSetValueCaption, page), 0, 1);
    grid->addWidget(setValueRaw_, 1, 0, 1, 2);
    grid->addWidget(titledView(CalibTable::ActualValues, kActualCaption, page), 2, 0);
    grid->addWidget(titledView(CalibTable::Factors, kFactorCaption, page), 2, 1);
    setValueInstructions_ = instructionBox(kSetValueInstructionLines, page);
    grid->addWidget(setValueInstructions_, 3, 0, 1, 2);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(2, 1);
    return page;
}

QWidget* CalibrationPanel::buildSensorPage() {
    auto* page = new QWidget(tabs_);
    auto* row = new QHBoxLayout(page);
    row->setSpacing(kSensorPageSpacing);
    // The 64-row tables are as wide as their numbers need; the rest of the
    // width goes to the block's tables beside them.
    row->addWidget(titledView(CalibTable::SensorValues, kSensorValuesCaption, page));
    row->addWidget(titledView(CalibTable::SensorFactors, kSensorFactorsCaption, page));
    for (CalibTable t : {CalibTable::SensorValues, CalibTable::SensorFactors})
        fitColumnsToNumbers(t);
    auto* side = new QVBoxLayout;
    auto* rows = new QHBoxLayout;
    auto* rowsLabel = new QLabel(page);
    captions_.emplace_back(rowsLabel, kSensorRowsCaption);
    rowsLabel->setBuddy(sensorRows_);
    sensorRows_->setReadOnly(true);
    sensorRows_->setFocusPolicy(Qt::NoFocus);
    sensorRows_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    sensorRows_->setMaximumWidth(60);
    rows->addWidget(rowsLabel);
    rows->addWidget(sensorRows_);
    rows->addStretch(1);
    side->addLayout(rows);
    side->addWidget(titledView(CalibTable::SensorParameters, kSensorParametersCaption, page));
    side->addWidget(titledView(CalibTable::SensorCorrection, kSensorCorrectionCaption, page));
    side->addWidget(titledView(CalibTable::SensorWhitePoint, kSensorWhitePointCaption, page));
    side->addWidget(titledView(CalibTable::SensorReferenceActual, kSensorReferenceCaption, page));
    side->addWidget(titledView(CalibTable::SensorWhiteBalance, kSensorWhiteBalanceCaption, page));
    side->addStretch(1);
    row->addLayout(side, 1);
    QTableView* parameters = view(CalibTable::SensorParameters);
    parameters->verticalHeader()->setMinimumWidth(40);
    parameters->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    parameters->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    // The block's one-row tables need no row label; their numbers get the room.
    for (CalibTable t : {CalibTable::SensorCorrection, CalibTable::SensorWhitePoint,
                         CalibTable::SensorReferenceActual, CalibTable::SensorWhiteBalance})
        view(t)->verticalHeader()->hide();
    return page;
}

void CalibrationPanel::fitColumnsToNumbers(CalibTable table) {
    // Their cells hold 16-bit numbers, five digits at most: each column is as
    // wide as the style says a cell needs for five of the font's widest digit
    // in a row, so no value is ever cut short. The headings are single
    // letters, narrower than that.
    QTableView* v = view(table);
    QString widest;
    for (char d = '0'; d <= '9'; ++d) {
        const QString digits(5, QLatin1Char(d));
        if (v->fontMetrics().horizontalAdvance(digits) > v->fontMetrics().horizontalAdvance(widest))
            widest = digits;
    }
    QStyleOptionViewItem cell;
    cell.initFrom(v);
    cell.font = v->font();
    cell.features = QStyleOptionViewItem::HasDisplay;
    cell.text = widest;
    cell.displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
    const int width =
        v->style()->sizeFromContents(QStyle::CT_ItemViewItem, &cell, QSize(), v).width() + kGridLine;
    QHeaderView* columns = v->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setMinimumSectionSize(width);
    columns->setDefaultSectionSize(width);
    for (int c = 0; c < 3; ++c)
        columns->resizeSection(c, width);
    const QHeaderView* rows = v->verticalHeader();
    const int rowLabels = std::max(rows->sizeHint().width(), rows->minimumWidth());
    const int scrollBar =
        v->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, v->verticalScrollBar());
    v->setFixedWidth(rowLabels + 3 * width + scrollBar + 2 * v->frameWidth());
}

void CalibrationPanel::build(UiContext& context) {
    const measurement::MeasurementDisplay& live = session_.live.display;
    referenceRaw_ = new RawValueDisplays(live, context.help, Qt::Horizontal, this);
    setValueRaw_ = new RawValueDisplays(live, context.help, Qt::Horizontal, this);
    // Page order is that of CalibPage.
    tabs_->addTab(buildReferencePage(), QString());
    tabs_->addTab(buildSetValuePage(), QString());
    tabs_->addTab(buildSensorPage(), QString());
    scrolled_ = {view(CalibTable::SetValues),    view(CalibTable::XyzSetValues),
                 view(CalibTable::ActualValues), view(CalibTable::Factors),
                 view(CalibTable::SensorValues), view(CalibTable::SensorFactors)};
    // Everything scrolls when the window is made smaller than the panel.
    QVBoxLayout* column = addScrollingColumn(this, body());
    QWidget* content = column->parentWidget();
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(scrollAll_);
    bottom->addStretch(1);
    bottom->addWidget(close_);
    for (QWidget* w :
         {static_cast<QWidget*>(tabs_), static_cast<QWidget*>(scrollAll_), static_cast<QWidget*>(close_)})
        w->setParent(content);
    column->addWidget(tabs_, 1);
    column->addLayout(bottom);
}

void CalibrationPanel::registerHelp(HelpRegistry& help) {
    const std::pair<CalibTable, Text> tables[] = {
        {CalibTable::ReferenceSetValue, h::kReferenceSetValueTable},
        {CalibTable::ReferenceActual, h::kReferenceActualTable},
        {CalibTable::ReferenceXyz, h::kReferenceXyzTable},
        {CalibTable::WhitePoint, h::kWhitePointTable},
        {CalibTable::SetValues, h::kSetValueTable},
        {CalibTable::XyzSetValues, h::kXyzSetValueTable},
        {CalibTable::ActualValues, h::kActualTable},
        {CalibTable::Factors, h::kFactorTable},
    };
    for (const auto& [table, text] : tables)
        help.add(view(table), text);
    for (std::size_t i = static_cast<std::size_t>(CalibTable::SensorValues); i < kTableCount; ++i)
        help.add(views_[i], h::kSensorTables);
    help.add(sensorRows_, h::kSensorTables);
    help.add(scrollAll_, h::kScrollAll);
    help.add(close_, h::kClosePanel);
    // A table's caption stands above it.
    for (const auto& [label, caption] : captions_)
        if (auto* table = qobject_cast<QTableView*>(label->buddy()))
            help.name(table, caption);
    help.add(tabs_, texts::kCalibrationPagesHelp);
    setCloseButton(close_);
    for (QPlainTextEdit* box : {referenceInstructions_, setValueInstructions_}) {
        help.name(box, texts::kInstructionsName);
        help.add(box, texts::kCalibrationInstructionsHelp);
    }
}

void CalibrationPanel::connectControls(UiContext& context) {
    CallbackDepth& callbacks = context.callbacks;
    connect(close_, &QPushButton::clicked, this, callbacks.scoped(session_, &app::closeCalibrationButton));
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index >= 0 && index != static_cast<int>(session_.calibration.page))
            app::showCalibPage(session_, static_cast<app::CalibPage>(index));
        applyScrollRow();
    });
    connect(scrollAll_, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            scrolled(0);
    });
    for (QTableView* v : scrolled_)
        connect(v->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int first) {
            if (scrollAll_->isChecked())
                scrolled(first);
        });
}

void CalibrationPanel::scrolled(int firstRow) {
    // Each view scrolls by whole rows, so its scroll position is the first
    // visible row. The views moved here report back; that is not a new scroll.
    if (scrolling_)
        return;
    scrollRow_ = firstRow;
    applyScrollRow();
}

void CalibrationPanel::applyScrollRow() {
    // Views on a page not shown yet have no scroll range; they take the row
    // when their page comes forward.
    if (!scrollAll_->isChecked())
        return;
    scrolling_ = true;
    for (QTableView* v : scrolled_)
        v->verticalScrollBar()->setValue(scrollRow_);
    scrolling_ = false;
}

RawValueDisplays* CalibrationPanel::rawDisplays(app::CalibPage page) const {
    switch (page) {
    case app::CalibPage::Reference:
        return referenceRaw_;
    case app::CalibPage::SetValue:
        return setValueRaw_;
    case app::CalibPage::SensorData:
        break;
    }
    return nullptr;
}

QPlainTextEdit* CalibrationPanel::instructions(app::CalibPage page) const {
    switch (page) {
    case app::CalibPage::Reference:
        return referenceInstructions_;
    case app::CalibPage::SetValue:
        return setValueInstructions_;
    case app::CalibPage::SensorData:
        break;
    }
    return nullptr;
}

void CalibrationPanel::showSensorRows() {
    sensorRows_->setText(QString::number(session_.calibration.tables.sensor.block.rows));
}

void CalibrationPanel::onChange(app::CalibrationChange change) {
    switch (change) {
    case app::CalibrationChange::Page:
        tabs_->setCurrentIndex(static_cast<int>(session_.calibration.page));
        break;
    case app::CalibrationChange::SensorData:
        showSensorRows();
        break;
    default:
        break;
    }
}

void CalibrationPanel::retranslate(Language language) {
    TitledWidget::retranslate(language);
    tabs_->setTabText(0, qs(kReferencePage, language));
    tabs_->setTabText(1, qs(kSetValuePage, language));
    tabs_->setTabText(2, qs(kSensorPage, language));
    scrollAll_->setText(qs(kScrollAll, language));
    close_->setText(qs(texts::kCloseButton, language));
    for (const auto& [label, text] : captions_)
        label->setText(qs(text, language));
    referenceInstructions_->setPlainText(qs(kReferenceInstructions, language));
    setValueInstructions_->setPlainText(qs(kSetValueInstructions, language));
}

} // namespace tavrino::ui

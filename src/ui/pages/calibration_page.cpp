#include "ui/pages/calibration_page.h"

#include "app/calibration.h"
#include "calibration/colour_space.h"
#include "calibration/help_texts.h"
#include "ui/callback_depth.h"
#include "ui/help.h"
#include "ui/qt_text.h"
#include "ui/scrolling.h"
#include "ui/texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tavrino::ui {

namespace {

namespace c = calibration;
namespace h = calibration::help;
using Page = CalibrationPage;

constexpr int kGroupMargin = 6;
constexpr int kGroupSpacing = 4;
constexpr int kLabelGap = 8;

constexpr std::array<Text, Page::ButtonCount> kButtonCaptions{{
    {"ASSIGN", "ASSIGN"},
    {"RESET REFERENZ", "RESET REFERENCE"},
    {"REFERENZ LADEN", "LOAD REFERENCE"},
    {"REFERENZ SPEICHERN", "SAVE REFERENCE"},
    {"RESET SOLLWERTE", "RESET SETVALUE"},
    {"SOLLWERTE LADEN", "LOAD SETVALUE"},
    {"SOLLWERTE SPEICHERN", "SAVE SETVALUE"},
    {"ASSIGN TO ROW", "ASSIGN TO ROW"},
    {"RESET MESSWERTE", "RESET ACTUAL XYZ"},
    {"MESSWERTE LADEN", "LOAD ACTUAL XYZ"},
    {"MESSWERTE SPEICHERN", "SAVE ACTUAL XYZ"},
    {"FAKTOREN BERECHNEN", "CALCULATE FACTORS"},
    {"SENDEN", "SEND"},
    {"LESEN", "READ"},
}};

constexpr std::array<Text, Page::ButtonCount> kButtonHelp{{
    h::kAssignReference,
    h::kResetReference,
    h::kLoadReference,
    h::kSaveReference,
    h::kResetSetValues,
    h::kLoadSetValues,
    h::kSaveSetValues,
    h::kAssignToRow,
    h::kResetActual,
    h::kLoadActual,
    h::kSaveActual,
    h::kCalculate,
    h::kSend,
    h::kRead,
}};

constexpr Text kParameterGroup{"PARAMETER", "PARAMETER"};
constexpr Text kParameterNote{
    "Stellen Sie sicher, dass der Sensor mit den richtigen Parameterwerten eingestellt ist.",
    "Make sure that you have adjusted the sensor with proper parameter values."};
constexpr Text kReferenceGroup{"REFERENZ", "REFERENCE"};
constexpr Text kSetValueGroup{"SOLLWERTE TABELLE", "SETVALUE TABLE"};
constexpr Text kActualGroup{"XYZ MESSWERTE TABELLE", "ACTUAL XYZ VALUE TABLE"};
constexpr Text kFactorGroup{"KALIBRIERFAKTOREN", "CALIBRATION FACTORS"};
constexpr Text kReferenceSpaceLabel{"REFERENZ FARBRAUM", "REFERENCE COLOR SPACE"};
constexpr Text kSetValueSpaceLabel{"SOLLWERT FARBRAUM", "SETVALUE COLOR SPACE"};
constexpr Text kRowsLabel{"ROWS", "ROWS"};
constexpr Text kRowNoLabel{"No.:", "No.:"};
constexpr Text kAutoAdvance{"automatisch weiter", "auto advance"};

using Flow = void (*)(app::Session&);
// The flow of each button.
constexpr std::array<Flow, Page::ButtonCount> kFlows{{
    &app::assignReferenceButton,
    &app::resetReferenceButton,
    [](app::Session& s) { app::GetCalibRefFromFile(s); },
    [](app::Session& s) { app::SaveCalibRefToFile(s); },
    &app::resetSetValuesButton,
    [](app::Session& s) { app::GetCalibSetvalueFromFile(s); },
    [](app::Session& s) { app::SaveCalibSetvalueToFile(s); },
    &app::assignToRowButton,
    &app::resetActualValuesButton,
    [](app::Session& s) { app::GetCalibActualValueFromFile(s); },
    [](app::Session& s) { app::SaveCalibActualValueToFile(s); },
    &app::calculateFactorsButton,
    &app::sendCalibrationButton,
    &app::readCalibrationButton,
}};

QComboBox* spaceSelector(QWidget* parent) {
    auto* combo = new QComboBox(parent);
    for (std::uint16_t i = 0; i < c::kCalibSpaceCount; ++i)
        combo->addItem(qs(c::calibSpaceName(i)), i);
    return combo;
}

QSpinBox* counter(int minimum, QWidget* parent) {
    auto* spin = new QSpinBox(parent);
    spin->setRange(minimum, static_cast<int>(c::kSetValueRows));
    spin->setKeyboardTracking(false);
    spin->setAlignment(Qt::AlignRight);
    return spin;
}

} // namespace

// ---- decoration ----

CalibrationDecoration::CalibrationDecoration(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize CalibrationDecoration::sizeHint() const {
    return {200, 44};
}

void CalibrationDecoration::paintEvent(QPaintEvent*) {
    // Three overlapping discs in the colours of the three channels.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int d = height() - 8;
    const int left = (width() - 2 * d) / 2;
    const QColor discs[] = {QColor(230, 40, 40, 170), QColor(40, 180, 40, 170), QColor(40, 80, 230, 170)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(discs[i]);
        p.setPen(Qt::NoPen);
        p.drawEllipse(left + i * d / 2, 4, d, d);
    }
}

void CalibrationDecoration::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        emit rightDoubleClicked();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

// ---- page ----

CalibrationPage::CalibrationPage(UiContext& context, QWidget* parent)
    : TitledWidget(texts::kCalibrationHeading, parent), session_(context.session),
      referenceSpace_(spaceSelector(this)), setValueSpace_(spaceSelector(this)), rows_(counter(0, this)),
      rowNo_(counter(1, this)), autoAdvance_(new QCheckBox(this)),
      decoration_(new CalibrationDecoration(this)), dimmed_(context.session.dimming),
      subscription_(context.session.calibration, [this](app::CalibrationChange change) {
          if (change == app::CalibrationChange::Tables)
              showControls();
      }) {
    for (std::size_t i = 0; i < ButtonCount; ++i) {
        buttons_[i] = new QPushButton(this);
        buttons_[i]->setAutoDefault(false);
    }
    build();
    registerHelp(context.help);
    connectControls(context);
    dimmed_.add(app::DimControl::CalibrationSend, button(Send));
    dimmed_.add(app::DimControl::CalibrationGet, button(Read));
    showControls();
    retranslate(session_.language());
}

QGroupBox* CalibrationPage::group(Text title) {
    auto* box = new QGroupBox(this);
    groups_.emplace_back(box, title);
    return box;
}

QLabel* CalibrationPage::label(Text text, QWidget* parent, QWidget* buddy) {
    auto* l = new QLabel(parent);
    l->setBuddy(buddy);
    labels_.emplace_back(l, text);
    return l;
}

void CalibrationPage::build() {
    const auto buttonGrid = [this](QGridLayout* grid, int row, std::initializer_list<Button> list) {
        int column = 0;
        for (Button b : list)
            grid->addWidget(button(b), row, column++);
    };

    // Every calibration value depends on the sensor's parameters.
    QGroupBox* parameter = group(kParameterGroup);
    auto* p = new QVBoxLayout(parameter);
    p->setContentsMargins(kGroupMargin, kGroupMargin, kGroupMargin, kGroupMargin);
    QLabel* note = label(kParameterNote, parameter);
    note->setWordWrap(true);
    p->addWidget(note);

    QGroupBox* reference = group(kReferenceGroup);
    auto* r = new QGridLayout(reference);
    r->addWidget(label(kReferenceSpaceLabel, reference, referenceSpace_), 0, 0);
    r->addWidget(referenceSpace_, 0, 1);
    buttonGrid(r, 1, {AssignReference, ResetReference});
    buttonGrid(r, 2, {LoadReference, SaveReference});

    QGroupBox* setValues = group(kSetValueGroup);
    auto* s = new QGridLayout(setValues);
    s->addWidget(label(kSetValueSpaceLabel, setValues, setValueSpace_), 0, 0);
    s->addWidget(setValueSpace_, 0, 1);
    auto* rows = new QHBoxLayout;
    rows->setSpacing(kLabelGap);
    rows->addWidget(label(kRowsLabel, setValues, rows_));
    rows->addWidget(rows_, 1);
    s->addLayout(rows, 1, 0);
    s->addWidget(button(ResetSetValues), 1, 1);
    buttonGrid(s, 2, {LoadSetValues, SaveSetValues});

    QGroupBox* actual = group(kActualGroup);
    auto* a = new QGridLayout(actual);
    auto* rowNo = new QHBoxLayout;
    rowNo->setSpacing(kLabelGap);
    rowNo->addWidget(label(kRowNoLabel, actual, rowNo_));
    rowNo->addWidget(rowNo_, 1);
    a->addLayout(rowNo, 0, 0);
    a->addWidget(autoAdvance_, 0, 1);
    buttonGrid(a, 1, {AssignToRow, ResetActual});
    buttonGrid(a, 2, {LoadActual, SaveActual});

    QGroupBox* factors = group(kFactorGroup);
    auto* f = new QGridLayout(factors);
    f->addWidget(button(Calculate), 0, 0, 1, 2);
    buttonGrid(f, 1, {Send, Read});

    for (QGridLayout* grid : {r, s, a, f}) {
        grid->setColumnStretch(0, 1);
        grid->setColumnStretch(1, 1);
        grid->setContentsMargins(kGroupMargin, kGroupMargin, kGroupMargin, kGroupMargin);
        grid->setVerticalSpacing(kGroupSpacing);
    }
    // Everything scrolls when the window is made smaller than the page.
    QVBoxLayout* column = addScrollingColumn(this, body());
    QWidget* content = column->parentWidget();
    column->setSpacing(kGroupSpacing);
    // The note on the parameters comes first; the decoration stands beside
    // the last group.
    for (QGroupBox* box : {parameter, reference, setValues, actual}) {
        box->setParent(content);
        column->addWidget(box);
    }
    auto* bottom = new QHBoxLayout;
    factors->setParent(content);
    decoration_->setParent(content);
    bottom->addWidget(factors, 3);
    bottom->addWidget(decoration_, 1, Qt::AlignVCenter);
    column->addLayout(bottom);
    column->addStretch(1);
}

void CalibrationPage::registerHelp(HelpRegistry& help) {
    help.add(referenceSpace_, h::kReferenceSpace);
    help.add(setValueSpace_, h::kSetValueSpace);
    help.add(rows_, h::kRows);
    help.add(rowNo_, h::kRowNo);
    help.add(autoAdvance_, h::kAutoAdvance);
    for (std::size_t i = 0; i < ButtonCount; ++i)
        help.add(buttons_[i], kButtonHelp[i]);
}

void CalibrationPage::connectControls(UiContext& context) {
    CallbackDepth& callbacks = context.callbacks;
    app::Session& s = session_;
    for (std::size_t i = 0; i < ButtonCount; ++i)
        connect(buttons_[i], &QPushButton::clicked, this, callbacks.scoped(s, kFlows[i]));
    const auto spaceOf = [](QComboBox* combo, int index) {
        return static_cast<std::uint16_t>(combo->itemData(index).toUInt());
    };
    connect(referenceSpace_, &QComboBox::activated, this, [this, &callbacks, spaceOf](int index) {
        CallbackDepth::Scope scope(callbacks);
        app::referenceSpaceCommitted(session_, spaceOf(referenceSpace_, index));
    });
    connect(setValueSpace_, &QComboBox::activated, this, [this, &callbacks, spaceOf](int index) {
        CallbackDepth::Scope scope(callbacks);
        app::setValueSpaceCommitted(session_, spaceOf(setValueSpace_, index));
    });
    connect(rows_, &QSpinBox::valueChanged, this, [&s, &callbacks](int value) {
        CallbackDepth::Scope scope(callbacks);
        app::rowsCommitted(s, value);
    });
    connect(rowNo_, &QSpinBox::valueChanged, this, [&s](int value) { app::rowNoCommitted(s, value); });
    connect(autoAdvance_, &QCheckBox::toggled, this, [&s](bool on) { app::autoAdvanceCommitted(s, on); });
    connect(decoration_, &CalibrationDecoration::rightDoubleClicked, this,
            &CalibrationPage::passwordRequested);
}

void CalibrationPage::showControls() {
    const c::CalibrationTables& t = session_.calibration.tables;
    const QSignalBlocker b1(referenceSpace_), b2(setValueSpace_), b3(rows_), b4(rowNo_), b5(autoAdvance_);
    referenceSpace_->setCurrentIndex(referenceSpace_->findData(t.referenceSpace));
    setValueSpace_->setCurrentIndex(setValueSpace_->findData(t.setValueSpace));
    rows_->setValue(t.rows);
    rowNo_->setValue(t.rowNo);
    autoAdvance_->setChecked(t.autoAdvance);
}

void CalibrationPage::retranslate(Language language) {
    TitledWidget::retranslate(language);
    for (std::size_t i = 0; i < ButtonCount; ++i)
        buttons_[i]->setText(qs(kButtonCaptions[i], language));
    for (const auto& [l, text] : labels_)
        l->setText(qs(text, language));
    for (const auto& [box, text] : groups_)
        box->setTitle(qs(text, language));
    autoAdvance_->setText(qs(kAutoAdvance, language));
}

} // namespace tavrino::ui

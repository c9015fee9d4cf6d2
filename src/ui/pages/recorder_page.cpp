#include "ui/pages/recorder_page.h"

#include "app/record_review.h"
#include "app/recorder.h"
#include "recorder/texts.h"
#include "ui/callback_depth.h"
#include "ui/help.h"
#include "ui/qt_text.h"
#include "ui/texts.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tavrino::ui {

namespace {

using recorder::RecorderControl;

// Captions of the recorder page.
constexpr Text kSelectFileButton{"DATEI WAEHLEN", "SELECT FILE"};
constexpr Text kOpenRecordFileButton{"AUFZEICHNUNG OEFFNEN", "OPEN RECORD FILE"};
constexpr Text kModeLabel{"AUFNAHMEMODUS", "RECORD MODE"};
constexpr Text kIntervalLabel{"INTERVALL [s]", "INTERVAL [s]"};
constexpr Text kValuesLabel{"WERTE", "VALUES"};
constexpr Text kRecordTimeLabel{"AUFNAHMEZEIT", "RECORD TIME"};
constexpr Text kRecordTimeParts[] = {{"TAGE", "DAYS"}, {"STD", "HOURS"}, {"MIN", "MIN"}, {"SEK", "SEC"}};
constexpr Text kRecordedLabel{"AUFGENOMMEN", "RECORDED"};
constexpr Text kRemainingLabel{"VERBLEIBEND", "REMAINING"};
constexpr Text kSeriesLabel{"SERIE", "SERIES"};
constexpr Text kStartButton{"START", "START"};
constexpr Text kStopButton{"STOP", "STOP"};
constexpr Text kManualButton{"AUFNEHMEN", "RECORD"};
constexpr Text kTriggeredButton{"TRIGGER START", "TRIGGER START"};

constexpr int kCaptionWidth = 120;
// A running recording's button, and the resting one.
constexpr const char* kRecordingStyle = "background-color: rgb(255, 0, 0);";
constexpr int kDisplayRateMs = 33;

QLabel* caption(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setMinimumWidth(kCaptionWidth);
    return label;
}

QLabel* display(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setFrameShape(QFrame::StyledPanel);
    label->setMinimumWidth(56);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

// A row of a caption and its control, shown and hidden together.
QWidget* rowOf(QWidget* parent, QLabel* label, QWidget* control) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    label->setParent(row);
    control->setParent(row);
    label->setBuddy(control);
    layout->addWidget(label);
    layout->addWidget(control, 1);
    return row;
}

QString number(double value, int decimals) {
    // No "-0" in a display.
    return QString::number(value == 0.0 ? 0.0 : value, 'f', decimals);
}

} // namespace

RecorderPage::RecorderPage(UiContext& context, QWidget* parent)
    : TitledWidget(texts::kRecorderHeading, parent), context_(context), session_(context.session),
      panelIdCaption_(caption(this)), panelId_(new QLabel(this)), selectFile_(new QPushButton(this)),
      openFile_(new QPushButton(this)), recordFileCaption_(caption(this)), recordFile_(new QLabel(this)),
      modeCaption_(caption(this)), mode_(new QComboBox(this)), intervalCaption_(caption(this)),
      interval_(new QDoubleSpinBox(this)), valuesCaption_(caption(this)), values_(new QSpinBox(this)),
      recordTimeCaption_(caption(this)), recordedCaption_(caption(this)), recorded_(display(this)),
      remainingCaption_(caption(this)), remaining_(display(this)), seriesCaption_(caption(this)),
      series_(display(this)), start_(new QPushButton(this)), stop_(new QPushButton(this)),
      manual_(new QPushButton(this)), triggered_(new QPushButton(this)),
      shellSubscription_(context.session.shell,
                         [this](app::ShellChange change) {
                             if (change == app::ShellChange::PanelId || change == app::ShellChange::Paths)
                                 showShell();
                         }),
      recorderSubscription_(context.session.recorder,
                            [this](app::RecorderChange change) { onRecorderChange(change); }),
      dimmingSubscription_(context.session.dimming, [this](app::DimControl c, bool) { followDimming(c); }) {
    build();
    registerHelp(context.help);
    connectControls();
    retranslate(session_.language());
    showShell();
    showLayout();
    showFields();
    showRecordTime();
    showCounts();
    showActivity();
}

void RecorderPage::build() {
    panelId_->setTextFormat(Qt::PlainText);
    recordFile_->setTextFormat(Qt::PlainText);
    recordFile_->setWordWrap(true);
    recordFile_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    for (int i = 0; i < recorder::kRecordModeCount; ++i)
        mode_->addItem(QString(), i);
    interval_->setRange(0.0, app::RecorderState::kIntervalFieldMax);
    interval_->setDecimals(3);
    interval_->setSingleStep(0.25);
    values_->setRange(app::RecorderState::kValuesFieldMin, 65535);

    // The four parts of the record time, each with its caption above it.
    auto* timeRow = new QWidget(this);
    auto* timeGrid = new QGridLayout(timeRow);
    timeGrid->setContentsMargins(0, 0, 0, 0);
    timeGrid->setVerticalSpacing(0);
    recordTimeCaption_->setParent(timeRow);
    timeGrid->addWidget(recordTimeCaption_, 1, 0);
    for (std::size_t i = 0; i < recordTime_.size(); ++i) {
        const int column = static_cast<int>(i) + 1;
        recordTimeCaptions_[i] = new QLabel(timeRow);
        recordTime_[i] = display(timeRow);
        recordTime_[i]->setMinimumWidth(40);
        timeGrid->addWidget(recordTimeCaptions_[i], 0, column, Qt::AlignHCenter);
        timeGrid->addWidget(recordTime_[i], 1, column);
        timeGrid->setColumnStretch(column, 1);
    }

    auto at = [this](RecorderControl c) -> QWidget*& { return rows_[static_cast<std::size_t>(c)]; };
    at(RecorderControl::SelectFile) = selectFile_;
    at(RecorderControl::FilePath) = rowOf(this, recordFileCaption_, recordFile_);
    at(RecorderControl::Mode) = rowOf(this, modeCaption_, mode_);
    at(RecorderControl::Interval) = rowOf(this, intervalCaption_, interval_);
    at(RecorderControl::NumberOfValues) = rowOf(this, valuesCaption_, values_);
    at(RecorderControl::RecordTime) = timeRow;
    at(RecorderControl::RecordedValues) = rowOf(this, recordedCaption_, recorded_);
    at(RecorderControl::Remaining) = rowOf(this, remainingCaption_, remaining_);
    at(RecorderControl::SeriesCount) = rowOf(this, seriesCaption_, series_);
    at(RecorderControl::Start) = start_;
    at(RecorderControl::Stop) = stop_;
    at(RecorderControl::Manual) = manual_;
    at(RecorderControl::Triggered) = triggered_;

    QVBoxLayout* page = body();
    page->addWidget(rowOf(this, panelIdCaption_, panelId_));
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(selectFile_);
    fileRow->addWidget(openFile_);
    fileRow->addStretch(1);
    page->addLayout(fileRow);
    for (RecorderControl c :
         {RecorderControl::FilePath, RecorderControl::Mode, RecorderControl::Interval,
          RecorderControl::NumberOfValues, RecorderControl::RecordTime, RecorderControl::RecordedValues,
          RecorderControl::Remaining, RecorderControl::SeriesCount})
        page->addWidget(row(c));
    auto* buttons = new QHBoxLayout;
    // START or TRIGGER START first, STOP after it.
    for (QPushButton* b : {start_, triggered_, manual_, stop_})
        buttons->addWidget(b);
    buttons->addStretch(1);
    page->addLayout(buttons);
    page->addStretch(1);

    countsTimer_.setSingleShot(true);
    countsTimer_.setInterval(kDisplayRateMs);
    for (app::DimControl c : {app::DimControl::RecorderSelectFile, app::DimControl::RecorderStart,
                              app::DimControl::RecorderTriggered, app::DimControl::RecorderMode})
        session_.dimming.registerControl(c);
}

void RecorderPage::registerHelp(HelpRegistry& help) {
    for (std::size_t i = 0; i < recorder::kRecorderControlCount; ++i) {
        const auto c = static_cast<RecorderControl>(i);
        if (const Text* text = recorder::recorderHelp(c))
            help.add(row(c), *text);
    }
    // The parts that receive the clicks themselves.
    help.add(recordFile_, recorder::texts::kFilePathHelp);
    help.add(mode_, recorder::texts::kModeHelp);
    help.add(interval_, recorder::texts::kIntervalHelp);
    help.add(values_, recorder::texts::kNumberOfValuesHelp);
    for (QLabel* part : recordTime_)
        help.add(part, recorder::texts::kRecordTimeHelp);
    help.add(recorded_, recorder::texts::kRecordedValuesHelp);
    help.add(remaining_, recorder::texts::kRemainingHelp);
    help.add(openFile_, recorder::texts::kOpenRecordFileHelp);
}

void RecorderPage::connectControls() {
    app::Session& s = session_;
    CallbackDepth& callbacks = context_.callbacks;
    connect(selectFile_, &QPushButton::clicked, this,
            [&s, &callbacks] { callbacks.run([&s] { app::CBF_ButtonSelRecFile(s); }); });
    connect(openFile_, &QPushButton::clicked, this,
            [&s, &callbacks] { callbacks.run([&s] { app::openRecordFile(s); }); });
    connect(start_, &QPushButton::clicked, this,
            [&s, &callbacks] { callbacks.run([&s] { app::CBF_ButtonRecordStart(s); }); });
    connect(stop_, &QPushButton::clicked, this, [&s] { app::CBF_ButtonRecordStop(s); });
    connect(manual_, &QPushButton::clicked, this,
            [&s, &callbacks] { callbacks.run([&s] { app::CBF_ButtonManualRecord(s); }); });
    connect(triggered_, &QPushButton::clicked, this,
            [&s, &callbacks] { callbacks.run([&s] { app::CBF_ButtonTriggeredRecord(s); }); });
    connect(mode_, &QComboBox::activated, this,
            [&s](int index) { app::CBF_RingRecordMode(s, recorder::recordModeFromIndex(index)); });
    connect(interval_, &QDoubleSpinBox::editingFinished, this,
            [this] { app::CBF_NumericRecordInterval(session_, interval_->value()); });
    connect(values_, &QSpinBox::editingFinished, this,
            [this] { app::CBF_NumericRecordValues(session_, static_cast<std::uint16_t>(values_->value())); });
    connect(&countsTimer_, &QTimer::timeout, this, &RecorderPage::showCounts);
}

void RecorderPage::retranslate(Language language) {
    TitledWidget::retranslate(language);
    panelIdCaption_->setText(qs(texts::kPanelIdLabel, language));
    recordFileCaption_->setText(qs(texts::kRecordFileLabel, language));
    selectFile_->setText(qs(kSelectFileButton, language));
    openFile_->setText(qs(kOpenRecordFileButton, language));
    modeCaption_->setText(qs(kModeLabel, language));
    for (int i = 0; i < recorder::kRecordModeCount; ++i)
        mode_->setItemText(i, qs(recorder::texts::kModeNames[i], language));
    intervalCaption_->setText(qs(kIntervalLabel, language));
    valuesCaption_->setText(qs(kValuesLabel, language));
    recordTimeCaption_->setText(qs(kRecordTimeLabel, language));
    for (std::size_t i = 0; i < recordTimeCaptions_.size(); ++i)
        recordTimeCaptions_[i]->setText(qs(kRecordTimeParts[i], language));
    recordedCaption_->setText(qs(kRecordedLabel, language));
    remainingCaption_->setText(qs(kRemainingLabel, language));
    seriesCaption_->setText(qs(kSeriesLabel, language));
    start_->setText(qs(kStartButton, language));
    stop_->setText(qs(kStopButton, language));
    manual_->setText(qs(kManualButton, language));
    triggered_->setText(qs(kTriggeredButton, language));
}

// ---- following the session ----

void RecorderPage::onRecorderChange(app::RecorderChange change) {
    switch (change) {
    case app::RecorderChange::Mode:
        showLayout();
        break;
    case app::RecorderChange::Fields:
        showFields();
        break;
    case app::RecorderChange::RecordTime:
        showRecordTime();
        break;
    case app::RecorderChange::Counts:
        if (!countsTimer_.isActive())
            countsTimer_.start();
        break;
    case app::RecorderChange::Activity:
        showActivity();
        showCounts();
        break;
    }
}

void RecorderPage::showShell() {
    panelId_->setText(qs(session_.shell.panelId));
    recordFile_->setText(qs(session_.shell.paths.recorderFile));
}

void RecorderPage::showLayout() {
    const app::RecorderState& r = session_.recorder;
    {
        const QSignalBlocker blocker(mode_);
        mode_->setCurrentIndex(static_cast<int>(r.mode));
    }
    for (std::size_t i = 0; i < recorder::kRecorderControlCount; ++i)
        rows_[i]->setVisible(r.visible(static_cast<RecorderControl>(i)));
}

void RecorderPage::showFields() {
    const app::RecorderState& r = session_.recorder;
    const QSignalBlocker intervalBlocker(interval_);
    const QSignalBlocker valuesBlocker(values_);
    interval_->setValue(r.interval);
    values_->setValue(r.numberOfValues);
}

void RecorderPage::showRecordTime() {
    const recorder::RecordTime& t = session_.recorder.recordTime;
    recordTime_[0]->setText(QString::number(t.days));
    recordTime_[1]->setText(QString::number(t.hours));
    recordTime_[2]->setText(QString::number(t.minutes));
    recordTime_[3]->setText(number(t.seconds, 2));
}

void RecorderPage::showCounts() {
    const app::RecorderState& r = session_.recorder;
    recorded_->setText(QString::number(r.recordedCount));
    remaining_->setText(QString::number(r.remaining));
    series_->setText(number(r.seriesCount, 0));
}

void RecorderPage::showActivity() {
    const app::RecorderState& r = session_.recorder;
    const app::DimmingModel& dimming = session_.dimming;
    // While an interval recording runs its fields and START are indicators only.
    interval_->setEnabled(!r.intervalRecording);
    values_->setEnabled(!r.intervalRecording);
    start_->setEnabled(!r.intervalRecording && !dimming.dimmed(app::DimControl::RecorderStart));
    start_->setStyleSheet(r.intervalRecording ? kRecordingStyle : "");
    triggered_->setStyleSheet(r.triggeredRecording ? kRecordingStyle : "");
    triggered_->setEnabled(!dimming.dimmed(app::DimControl::RecorderTriggered));
    manual_->setEnabled(!r.manualRecording);
    selectFile_->setEnabled(!dimming.dimmed(app::DimControl::RecorderSelectFile));
    // A running recording feeds the signal graph panel its live signals.
    openFile_->setEnabled(!r.intervalRecording && !r.triggeredRecording &&
                          !dimming.dimmed(app::DimControl::RecorderSelectFile));
    mode_->setEnabled(!dimming.dimmed(app::DimControl::RecorderMode));
}

void RecorderPage::followDimming(app::DimControl c) {
    switch (c) {
    case app::DimControl::RecorderSelectFile:
    case app::DimControl::RecorderStart:
    case app::DimControl::RecorderTriggered:
    case app::DimControl::RecorderMode:
        showActivity();
        break;
    default:
        break;
    }
}

} // namespace tavrino::ui

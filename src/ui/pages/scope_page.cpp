#include "ui/pages/scope_page.h"

#include "app/scope.h"
#include "app/scope_capture.h"
#include "scope/texts.h"
#include "ui/callback_depth.h"
#include "ui/control_texts.h"
#include "ui/help.h"
#include "ui/qt_text.h"
#include "ui/scrolling.h"
#include "ui/texts.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tavrino::ui {

namespace {

constexpr Text kModeLabel{"TRIGGER MODUS", "TRIGGER MODE"};
constexpr Text kModeNames[] = {{"EINZELAUFNAHME", "SINGLE SHOT"},
                               {"STEIGENDE FLANKE", "RISING EDGE"},
                               {"FALLENDE FLANKE", "FALLING EDGE"},
                               {"INTERN C-No.0", "INTERNAL C-No.0"},
                               {"EXTERN IN0", "EXTERNAL IN0"}};
constexpr Text kPreTriggerLabel{"PRE TRIGGER WERTE", "PRE TRIGGER VALUES"};
constexpr Text kRateLabel{"SCAN RATE", "SCAN RATE"};
constexpr Text kSignalLabel{"SIGNAL", "SIGNAL"};
constexpr Text kSignalNames[] = {{"X Y Z [digit]", "X Y Z [digit]"}, {"FARBRAUM", "COLOR SPACE"}};
constexpr Text kLevelLabel{"TRIGGER LEVEL", "TRIGGER LEVEL"};
constexpr Text kCommentLabel{"KOMMENTAR", "COMMENT"};
constexpr Text kCycleButton{"ZYKLUSZEIT ABFRAGEN", "GET CYCLE TIME"};
constexpr Text kFrequencyLabel{"SCANFREQUENZ [Hz]", "SCAN FREQUENCY [Hz]"};
constexpr Text kCycleTimeLabel{"ZYKLUSZEIT [ms]", "CYCLE TIME [ms]"};
constexpr Text kScanButton{"SCAN", "SCAN"};
constexpr Text kBreakButton{"BREAK", "BREAK"};
constexpr Text kPrintButton{"DRUCKEN", "PRINT"};
constexpr Text kSaveCaptureButton{"AUFNAHME SPEICHERN", "SAVE CAPTURE"};
constexpr Text kOpenCaptureButton{"AUFNAHME OEFFNEN", "OPEN CAPTURE"};

constexpr int kModes = 5;
constexpr int kSignals = 2;
constexpr double kLevelLimit = 32767.0;

QLabel* display(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setFrameShape(QFrame::StyledPanel);
    label->setMinimumWidth(90);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

ScopePage::ScopePage(UiContext& context, QWidget* parent)
    : TitledWidget(texts::kScopeHeading, parent), context_(context), session_(context.session),
      modeCaption_(new QLabel(this)), mode_(new QComboBox(this)), preTriggerCaption_(new QLabel(this)),
      preTrigger_(new QSpinBox(this)), rateCaption_(new QLabel(this)), rate_(new QSpinBox(this)),
      signalCaption_(new QLabel(this)), signal_(new QComboBox(this)), levelCaption_(new QLabel(this)),
      level_(new QDoubleSpinBox(this)), commentCaption_(new QLabel(this)), comment_(new QPlainTextEdit(this)),
      cycleButton_(new QPushButton(this)), frequencyCaption_(new QLabel(this)), frequency_(display(this)),
      cycleTimeCaption_(new QLabel(this)), cycleTime_(display(this)), scan_(new QPushButton(this)),
      break_(new QPushButton(this)), print_(new QPushButton(this)), saveCapture_(new QPushButton(this)),
      openCapture_(new QPushButton(this)),
      scopeSubscription_(context.session.scope, [this](app::ScopeChange change) { onScopeChange(change); }),
      dimmingSubscription_(context.session.dimming, [this](app::DimControl c, bool) {
          if (c == app::DimControl::ScopeScan || c == app::DimControl::ScopeBreak ||
              c == app::DimControl::ScopeCycleTime)
              showButtons();
      }) {
    build();
    registerHelp(context.help);
    connectControls();
    retranslate(session_.language());
    showSettings();
    showCycleTime();
    showButtons();
}

void ScopePage::build() {
    for (int i = 0; i < kModes; ++i)
        mode_->addItem(QString(), i);
    for (int i = 0; i < kSignals; ++i)
        signal_->addItem(QString(), i);
    preTrigger_->setRange(0, scope::kSamples - 1);
    rate_->setRange(1, 65535);
    level_->setRange(-kLevelLimit, kLevelLimit);
    comment_->setTabChangesFocus(true);
    comment_->setMinimumHeight(60);
    // A right double click empties the box; a menu on its first click would swallow the second.
    comment_->setContextMenuPolicy(Qt::NoContextMenu);

    auto* grid = new QGridLayout;
    int row = 0;
    for (auto [caption, field] : {std::pair<QLabel*, QWidget*>{modeCaption_, mode_},
                                  {preTriggerCaption_, preTrigger_},
                                  {rateCaption_, rate_},
                                  {signalCaption_, signal_},
                                  {levelCaption_, level_}}) {
        caption->setBuddy(field);
        grid->addWidget(caption, row, 0);
        grid->addWidget(field, row++, 1);
    }
    // Everything scrolls when the window is made smaller than the page.
    QVBoxLayout* page = addScrollingColumn(this, body());
    page->addLayout(grid);
    commentCaption_->setBuddy(comment_);
    page->addWidget(commentCaption_);
    page->addWidget(comment_, 1);

    auto* cycle = new QGridLayout;
    cycle->addWidget(cycleButton_, 0, 0, 1, 2);
    cycle->addWidget(frequencyCaption_, 1, 0);
    cycle->addWidget(frequency_, 1, 1);
    cycle->addWidget(cycleTimeCaption_, 2, 0);
    cycle->addWidget(cycleTime_, 2, 1);
    page->addLayout(cycle);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {scan_, break_, print_})
        buttons->addWidget(b);
    page->addLayout(buttons);
    auto* captures = new QHBoxLayout;
    for (QPushButton* b : {saveCapture_, openCapture_})
        captures->addWidget(b);
    page->addLayout(captures);

    for (app::DimControl c :
         {app::DimControl::ScopeScan, app::DimControl::ScopeBreak, app::DimControl::ScopeCycleTime})
        session_.dimming.registerControl(c);
}

void ScopePage::registerHelp(HelpRegistry& help) {
    namespace t = scope::texts;
    help.add(cycleButton_, t::kCycleTimeHelp);
    help.add(frequency_, t::kScanFrequencyHelp);
    help.add(scan_, t::kScanHelp);
    help.add(break_, t::kBreakHelp);
    help.add(print_, t::kPrintHelp);
    help.add(saveCapture_, t::kSaveCaptureHelp);
    help.add(openCapture_, t::kOpenCaptureHelp);
    help.add(mode_, t::kTriggerModeHelp);
    help.add(signal_, t::kRecordedSignalHelp);
    help.add(preTrigger_, t::kPreTriggerHelp);
    help.add(level_, t::kTriggerLevelHelp);
    help.add(rate_, t::kScanRateHelp);
    // A right double click empties the comment.
    help.addWithRightDoubleClick(comment_, texts::kScopeCommentHelp, [this] { comment_->clear(); });
}

void ScopePage::connectControls() {
    app::Session& s = session_;
    CallbackDepth& callbacks = context_.callbacks;
    connect(mode_, &QComboBox::activated, this, &ScopePage::commitSettings);
    connect(signal_, &QComboBox::activated, this, &ScopePage::commitSettings);
    for (QSpinBox* field : {preTrigger_, rate_})
        connect(field, &QSpinBox::editingFinished, this, &ScopePage::commitSettings);
    connect(level_, &QDoubleSpinBox::editingFinished, this, &ScopePage::commitSettings);
    connect(comment_, &QPlainTextEdit::textChanged, this, &ScopePage::commitComment);
    connect(cycleButton_, &QPushButton::clicked, this,
            [&s, &callbacks] { callbacks.run([&s] { app::CBF_ButtonGetCycleTime(s); }); });
    connect(scan_, &QPushButton::clicked, this,
            [&s, &callbacks] { callbacks.run([&s] { app::CBF_ButtonScopeScan(s); }); });
    // Never counted: BREAK runs inside the waiting scan.
    connect(break_, &QPushButton::clicked, this, [&s] { app::CBF_ButtonScopeBreak(s); });
    connect(print_, &QPushButton::clicked, this, &ScopePage::printRequested);
    connect(saveCapture_, &QPushButton::clicked, this,
            [&s, &callbacks] { callbacks.run([&s] { app::CBF_ButtonSaveCapture(s); }); });
    connect(openCapture_, &QPushButton::clicked, this,
            [&s, &callbacks] { callbacks.run([&s] { app::CBF_ButtonOpenCapture(s); }); });
}

void ScopePage::retranslate(Language language) {
    TitledWidget::retranslate(language);
    modeCaption_->setText(qs(kModeLabel, language));
    for (int i = 0; i < kModes; ++i)
        mode_->setItemText(i, qs(kModeNames[i], language));
    preTriggerCaption_->setText(qs(kPreTriggerLabel, language));
    rateCaption_->setText(qs(kRateLabel, language));
    signalCaption_->setText(qs(kSignalLabel, language));
    for (int i = 0; i < kSignals; ++i)
        signal_->setItemText(i, qs(kSignalNames[i], language));
    levelCaption_->setText(qs(kLevelLabel, language));
    commentCaption_->setText(qs(kCommentLabel, language));
    cycleButton_->setText(qs(kCycleButton, language));
    frequencyCaption_->setText(qs(kFrequencyLabel, language));
    cycleTimeCaption_->setText(qs(kCycleTimeLabel, language));
    scan_->setText(qs(kScanButton, language));
    break_->setText(qs(kBreakButton, language));
    print_->setText(qs(kPrintButton, language));
    saveCapture_->setText(qs(kSaveCaptureButton, language));
    openCapture_->setText(qs(kOpenCaptureButton, language));
}

// ---- committing ----

void ScopePage::commitSettings() {
    scope::ScanSettings settings = session_.scope.settings;
    settings.triggerMode = mode_->currentIndex();
    settings.preTrigger = preTrigger_->value();
    settings.scanRate = rate_->value();
    settings.recordedSignal = signal_->currentIndex();
    settings.triggerLevel = level_->value();
    app::setScopeSettings(session_, settings);
}

void ScopePage::commitComment() {
    QString text = comment_->toPlainText();
    if (text.size() > static_cast<qsizetype>(app::ScopeState::kCommentLimit)) {
        text.truncate(static_cast<qsizetype>(app::ScopeState::kCommentLimit));
        const QSignalBlocker blocker(comment_);
        comment_->setPlainText(text);
        comment_->moveCursor(QTextCursor::End);
    }
    app::setScopeComment(session_, str(text));
}

// ---- following the session ----

void ScopePage::onScopeChange(app::ScopeChange change) {
    switch (change) {
    case app::ScopeChange::Settings:
        showSettings();
        break;
    case app::ScopeChange::Axes:
        level_->setDecimals(session_.scope.axes.valueDecimals);
        break;
    case app::ScopeChange::CycleTime:
        showCycleTime();
        break;
    case app::ScopeChange::Scanning:
        showButtons();
        break;
    default:
        break;
    }
}

void ScopePage::showSettings() {
    const scope::ScanSettings& s = session_.scope.settings;
    {
        const QSignalBlocker b1(mode_), b2(preTrigger_), b3(rate_), b4(signal_), b5(level_);
        mode_->setCurrentIndex(s.triggerMode);
        preTrigger_->setValue(s.preTrigger);
        rate_->setValue(s.scanRate);
        signal_->setCurrentIndex(s.recordedSignal == scope::kColourSpaceSignal ? 1 : 0);
        level_->setDecimals(session_.scope.axes.valueDecimals);
        level_->setValue(s.triggerLevel);
    }
    if (comment_->toPlainText() != qs(session_.scope.comment)) {
        const QSignalBlocker blocker(comment_);
        comment_->setPlainText(qs(session_.scope.comment));
    }
    showTriggerFields();
}

void ScopePage::showTriggerFields() {
    const scope::TriggerFieldDimming d = scope::triggerFieldDimming(session_.scope.settings.triggerMode);
    level_->setEnabled(!d.level);
    preTrigger_->setEnabled(!d.preTrigger);
}

void ScopePage::showCycleTime() {
    const scope::CycleTime& t = session_.scope.cycle;
    frequency_->setText(qs(scope::fixedText(t.frequency, scope::frequencyDecimals(t.frequency))));
    cycleTime_->setText(qs(scope::fixedText(t.cycleMs, scope::cycleTimeDecimals(t.frequency))));
}

void ScopePage::showButtons() {
    const app::DimmingModel& d = session_.dimming;
    scan_->setEnabled(!d.dimmed(app::DimControl::ScopeScan));
    // A capture neither replaces nor is taken from a scan that is running;
    // without a sensor it is still saved and opened.
    saveCapture_->setEnabled(!session_.scope.scanning);
    openCapture_->setEnabled(!session_.scope.scanning);
    break_->setEnabled(!d.dimmed(app::DimControl::ScopeBreak));
    cycleButton_->setEnabled(!d.dimmed(app::DimControl::ScopeCycleTime));
}

} // namespace tavrino::ui

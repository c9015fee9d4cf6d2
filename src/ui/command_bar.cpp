#include "ui/command_bar.h"

#include "app/live_measurement.h"
#include "app/session.h"
#include "measurement/texts.h"
#include "parameters/texts.h"
#include "ui/callback_depth.h"
#include "ui/help.h"
#include "ui/qt_text.h"
#include "ui/texts.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>

namespace tavrino::ui {

namespace {

using parameters::TransferTarget;

constexpr int kMinimumButtonWidth = 56;

// A function key clicks its button; a dimmed button ignores it.
void addShortcut(QWidget* owner, Qt::Key key, QPushButton* button) {
    auto* shortcut = new QShortcut(QKeySequence(key), owner);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
        if (button->isEnabled())
            button->click();
    });
}

} // namespace

CommandBar::CommandBar(UiContext& context, QWidget* parent)
    : QWidget(parent), context_(context), send_(new QPushButton(this)), get_(new QPushButton(this)),
      ram_(new QPushButton(this)), eeprom_(new QPushButton(this)), file_(new QPushButton(this)),
      go_(new QPushButton(this)), stop_(new QPushButton(this)), targets_(new QButtonGroup(this)),
      dimmingSubscription_(context.session.dimming,
                           [this](app::DimControl c, bool dimmed) { followDimming(c, dimmed); }),
      controlsSubscription_(context.session.parameters.controls,
                            [this](const parameters::ControlChange& change) {
                                if (change.kind == parameters::ControlChange::Kind::Target)
                                    showTarget();
                            }) {
    // Narrow windows may squeeze the buttons down to their captions.
    for (QPushButton* b : {send_, get_, ram_, eeprom_, file_, go_, stop_})
        b->setMinimumWidth(kMinimumButtonWidth);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(send_);
    row->addWidget(get_);
    row->addSpacing(8);
    for (QPushButton* b : {ram_, eeprom_, file_}) {
        b->setCheckable(true);
        targets_->addButton(b);
        row->addWidget(b);
    }
    targets_->setExclusive(true);
    row->addStretch(1);
    row->addWidget(go_);
    row->addWidget(stop_);

    HelpRegistry& help = context.help;
    help.add(send_, parameters::texts::kSendHelp);
    help.add(get_, parameters::texts::kGetHelp);
    for (QPushButton* b : {ram_, eeprom_, file_})
        help.add(b, parameters::texts::kSelectTargetHelp);
    help.add(go_, measurement::texts::kGoHelp);
    help.add(stop_, measurement::texts::kStopHelp);

    connect(send_, &QPushButton::clicked, this, &CommandBar::CBF_ButtonSend);
    connect(get_, &QPushButton::clicked, this, &CommandBar::CBF_ButtonGet);
    connect(ram_, &QPushButton::clicked, this, [this] { CBF_ButtonSelectMem(TransferTarget::Ram); });
    connect(eeprom_, &QPushButton::clicked, this, [this] { CBF_ButtonSelectMem(TransferTarget::Eeprom); });
    connect(file_, &QPushButton::clicked, this, [this] { CBF_ButtonSelectMem(TransferTarget::File); });
    connect(go_, &QPushButton::clicked, this, &CommandBar::CBF_ButtonGo);
    connect(stop_, &QPushButton::clicked, this, &CommandBar::CBF_ButtonStop);
    addShortcut(this, Qt::Key_F9, send_);
    addShortcut(this, Qt::Key_F10, get_);
    addShortcut(this, Qt::Key_F11, go_);
    addShortcut(this, Qt::Key_F12, stop_);

    // SEND, GET, the select buttons and GO start exchanges; STOP never does.
    dimmable_ = {
        {app::DimControl::SendButton, send_}, {app::DimControl::GetButton, get_},
        {app::DimControl::RamSelect, ram_},   {app::DimControl::EepromSelect, eeprom_},
        {app::DimControl::FileSelect, file_}, {app::DimControl::GoButton, go_},
    };
    app::DimmingModel& dimming = context.session.dimming;
    for (const auto& [c, button] : dimmable_) {
        dimming.registerControl(c);
        button->setEnabled(!dimming.dimmed(c));
    }

    showTarget();
    retranslate(context.session.language());
}

CommandBar::~CommandBar() = default;

void CommandBar::retranslate(Language language) {
    send_->setText(qs(texts::kSendButton, language));
    get_->setText(qs(texts::kGetButton, language));
    ram_->setText(qs(texts::kRamButton, language));
    eeprom_->setText(qs(texts::kEepromButton, language));
    file_->setText(qs(texts::kFileButton, language));
    go_->setText(qs(texts::kGoButton, language));
    stop_->setText(qs(texts::kStopButton, language));
}

QPushButton* CommandBar::selectButton(TransferTarget target) const {
    switch (target) {
    case TransferTarget::Ram:
        return ram_;
    case TransferTarget::Eeprom:
        return eeprom_;
    case TransferTarget::File:
        return file_;
    }
    return nullptr;
}

// ---- buttons ----

void CommandBar::CBF_ButtonSend() {
    CallbackDepth::Scope scope(context_.callbacks);
    context_.session.parameters.transfer.sendButton();
}

void CommandBar::CBF_ButtonGet() {
    CallbackDepth::Scope scope(context_.callbacks);
    context_.session.parameters.transfer.getButton();
}

void CommandBar::CBF_ButtonSelectMem(TransferTarget target) {
    context_.session.parameters.transfer.selectTarget(target);
    showTarget(); // also when the target did not change
}

void CommandBar::CBF_ButtonGo() {
    CallbackDepth::Scope scope(context_.callbacks);
    app::CBF_ButtonGo(context_.session);
}

void CommandBar::CBF_ButtonStop() {
    CallbackDepth::Scope scope(context_.callbacks);
    app::CBF_ButtonStop(context_.session);
}

// ---- following the session ----

void CommandBar::showTarget() {
    const parameters::ParameterControls& controls = context_.session.parameters.controls;
    for (TransferTarget t : {TransferTarget::Ram, TransferTarget::Eeprom, TransferTarget::File}) {
        QPushButton* b = selectButton(t);
        const QSignalBlocker blocker(b);
        b->setChecked(controls.selectButtonOn(t));
    }
}

void CommandBar::followDimming(app::DimControl c, bool dimmed) {
    if (auto it = dimmable_.find(c); it != dimmable_.end())
        it->second->setEnabled(!dimmed);
}

} // namespace tavrino::ui

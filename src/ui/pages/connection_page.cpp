#include "ui/pages/connection_page.h"

#include "app/connection.h"
#include "app/texts.h"
#include "link/serial_ports.h"
#include "ui/callback_depth.h"
#include "ui/control_texts.h"
#include "ui/help.h"
#include "ui/qt_text.h"
#include "ui/texts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <vector>

namespace tavrino::ui {

namespace {

// The baud rate of each baud-rate index, in index order.
// The highest COM port number a serial port can have.
constexpr int kMaxComPort = 255;

constexpr std::array<int, 8> kBaudRates{9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};

// The serial devices present, as the COM port select offers them.
QStringList serialDevices() {
    QStringList devices;
    for (const std::string& device : link::serialDevices())
        devices << QString::fromStdString(device);
    return devices;
}

} // namespace

std::optional<ComPortChoice> parseComPortText(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    static const QRegularExpression number(QStringLiteral("^(?:COM)?(\\d+)$"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = number.match(trimmed);
    if (!match.hasMatch())
        return ComPortChoice{0, str(trimmed)};
    bool ok = false;
    const int n = match.captured(1).toInt(&ok);
    if (!ok || n < 1 || n > kMaxComPort)
        return std::nullopt;
    return ComPortChoice{n, {}};
}

QString comPortText(const app::ConnectionSettings& settings) {
    if (!settings.comDevice.empty())
        return qs(settings.comDevice);
    return QStringLiteral("COM%1").arg(settings.comPort);
}

std::string availablePortsText(Language language, const QStringList& devices) {
    if (devices.isEmpty())
        return {};
    std::string text(app::texts::kComPortsAvailable.in(language));
    for (const QString& device : devices)
        text += str(device) + "\n";
    text += "\n";
    return text;
}

ConnectionPage::ConnectionPage(UiContext& context, QWidget* parent)
    : TitledWidget(texts::kConnectionHeading, parent), context_(context), session_(context.session),
      protocol_(new QComboBox(this)), findComPorts_(new QPushButton(this)), comPort_(new QComboBox(this)),
      baudRate_(new QComboBox(this)), serverAddress_(new QComboBox(this)), portNumber_(new QLineEdit(this)),
      connect_(new QPushButton(this)), disconnect_(new QPushButton(this)), accept_(new QPushButton(this)),
      changeBaudRate_(new QPushButton(this)), hardwareInfo_(new QPushButton(this)),
      log_(new QPlainTextEdit(this)), sensorId_(new QLineEdit(this)), language_(new QComboBox(this)),
      protocolCaption_(new QLabel(this)), comPortCaption_(new QLabel(this)),
      baudRateCaption_(new QLabel(this)), serverAddressCaption_(new QLabel(this)),
      portNumberCaption_(new QLabel(this)), logCaption_(new QLabel(this)), sensorIdCaption_(new QLabel(this)),
      languageCaption_(new QLabel(this)),
      connectionSubscription_(context.session.connection,
                              [this](app::ConnectionChange change) { onConnectionChange(change); }),
      shellSubscription_(context.session.shell, [this](app::ShellChange change) { onShellChange(change); }),
      dimmingSubscription_(context.session.dimming,
                           [this](app::DimControl c, bool dimmed) { followDimming(c, dimmed); }) {
    protocol_->addItems({QStringLiteral("RS-232"), QStringLiteral("TCP/IP")});

    comPort_->setEditable(true);
    comPort_->setInsertPolicy(QComboBox::NoInsert);
    addComPortItems(serialDevices());

    for (int rate : kBaudRates)
        baudRate_->addItem(QString::number(rate));

    serverAddress_->setEditable(true);
    serverAddress_->setInsertPolicy(QComboBox::NoInsert);
    serverAddress_->lineEdit()->setMaxLength(static_cast<int>(app::kServerAddressMaxLength));
    serverAddress_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    serverAddress_->setMinimumContentsLength(15);

    portNumber_->setMaxLength(static_cast<int>(app::kPortNumberMaxLength));
    sensorId_->setMaxLength(static_cast<int>(app::kPanelIdMaxLength));
    language_->addItems({QStringLiteral("Deutsch"), QStringLiteral("English")});

    log_->setReadOnly(true);
    log_->setUndoRedoEnabled(false);
    log_->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    // Settings on the left of a grid, the buttons beside them.
    auto* fields = new QGridLayout;
    int row = 0;
    auto addRow = [&](QLabel* caption, QWidget* field) {
        caption->setBuddy(field);
        fields->addWidget(caption, row, 0);
        fields->addWidget(field, row, 1);
        ++row;
    };
    addRow(protocolCaption_, protocol_);
    fields->addWidget(findComPorts_, row++, 1);
    addRow(comPortCaption_, comPort_);
    addRow(baudRateCaption_, baudRate_);
    addRow(serverAddressCaption_, serverAddress_);
    addRow(portNumberCaption_, portNumber_);
    fields->setColumnStretch(1, 1);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {connect_, disconnect_, accept_, changeBaudRate_, hardwareInfo_})
        buttons->addWidget(b);
    buttons->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addLayout(fields, 3);
    top->addLayout(buttons, 2);
    body()->addLayout(top);

    body()->addWidget(logCaption_);
    body()->addWidget(log_, 1);
    logCaption_->setBuddy(log_);
    sensorIdCaption_->setBuddy(sensorId_);
    languageCaption_->setBuddy(language_);

    auto* bottom = new QGridLayout;
    bottom->addWidget(sensorIdCaption_, 0, 0);
    bottom->addWidget(sensorId_, 0, 1);
    bottom->addWidget(languageCaption_, 1, 0);
    bottom->addWidget(language_, 1, 1);
    bottom->setColumnStretch(1, 1);
    body()->addLayout(bottom);

    // Right-click help of every control.
    for (int i = 0; i < app::kConnectionControlCount; ++i) {
        const auto c = static_cast<app::ConnectionControl>(i);
        if (auto help = app::connectionHelpText(c))
            context_.help.add(control(c), *help);
    }
    context_.help.describe(log_, texts::kConnectionLogHelp);

    // The controls that start exchanges follow the session's dimming.
    dimmable_ = {
        {app::DimControl::ConnectButton, connect_},
        {app::DimControl::DisconnectButton, disconnect_},
        {app::DimControl::BaudRateSelect, baudRate_},
        {app::DimControl::AcceptButton, accept_},
        {app::DimControl::ChangeBaudRateButton, changeBaudRate_},
        {app::DimControl::HardwareInfoButton, hardwareInfo_},
    };
    for (const auto& [c, widget] : dimmable_) {
        session_.dimming.registerControl(c);
        widget->setEnabled(!session_.dimming.dimmed(c));
    }

    connect(connect_, &QPushButton::clicked, this, &ConnectionPage::CBF_ButtonTryToConnect);
    connect(disconnect_, &QPushButton::clicked, this, &ConnectionPage::CBF_ButtonDisconnect);
    connect(accept_, &QPushButton::clicked, this, &ConnectionPage::CBF_ButtonAccept);
    connect(changeBaudRate_, &QPushButton::clicked, this, &ConnectionPage::CBF_ButtonChangeBaudrate);
    connect(hardwareInfo_, &QPushButton::clicked, this, &ConnectionPage::CBF_ButtonGenHwInfoFile);
    connect(findComPorts_, &QPushButton::clicked, this, &ConnectionPage::CBF_ButtonFindComPorts);
    connect(protocol_, &QComboBox::activated, this, &ConnectionPage::CBF_EditCommunicationProtocol);
    connect(comPort_, &QComboBox::activated, this, [this] { CBF_EditSelectComPort(); });
    connect(comPort_->lineEdit(), &QLineEdit::editingFinished, this, &ConnectionPage::CBF_EditSelectComPort);
    connect(baudRate_, &QComboBox::activated, this, &ConnectionPage::CBF_EditSelectBaudrate);
    connect(serverAddress_, &QComboBox::activated, this, [this] { CBF_StringIpAdress(); });
    connect(serverAddress_->lineEdit(), &QLineEdit::returnPressed, this, &ConnectionPage::CBF_StringIpAdress);
    connect(serverAddress_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        // Leaving the box with an edited address commits it like Enter does.
        if (str(serverAddress_->currentText()) != session_.connection.settings.serverAddress)
            CBF_StringIpAdress();
    });
    connect(portNumber_, &QLineEdit::editingFinished, this, &ConnectionPage::CBF_StringPortNumber);
    connect(sensorId_, &QLineEdit::editingFinished, this, &ConnectionPage::CBF_EditID);
    connect(language_, &QComboBox::activated, this, &ConnectionPage::CBF_EditLanguage);

    retranslate(session_.language());
    showSettings();
    showServerAddresses();
    showProtocolControls();
    sensorId_->setText(qs(session_.shell.panelId));
    language_->setCurrentIndex(languageIndex(session_.language()));
}

ConnectionPage::~ConnectionPage() = default;

QWidget* ConnectionPage::control(app::ConnectionControl c) const {
    using C = app::ConnectionControl;
    switch (c) {
    case C::ProtocolSelect:
        return protocol_;
    case C::FindComPortsButton:
        return findComPorts_;
    case C::ComPortSelect:
        return comPort_;
    case C::BaudRateSelect:
        return baudRate_;
    case C::ServerAddressBox:
        return serverAddress_;
    case C::PortNumberBox:
        return portNumber_;
    case C::ConnectButton:
        return connect_;
    case C::DisconnectButton:
        return disconnect_;
    case C::ConnectionLog:
        return log_;
    case C::AcceptButton:
        return accept_;
    case C::ChangeBaudRateButton:
        return changeBaudRate_;
    case C::HardwareInfoButton:
        return hardwareInfo_;
    case C::LanguageSelect:
        return language_;
    case C::SensorIdField:
        return sensorId_;
    }
    return nullptr;
}

void ConnectionPage::retranslate(Language language) {
    TitledWidget::retranslate(language);
    protocolCaption_->setText(qs(texts::kProtocolLabel, language));
    comPortCaption_->setText(qs(texts::kComPortLabel, language));
    baudRateCaption_->setText(qs(texts::kBaudRateLabel, language));
    serverAddressCaption_->setText(qs(texts::kServerAddressLabel, language));
    portNumberCaption_->setText(qs(texts::kPortNumberLabel, language));
    logCaption_->setText(qs(texts::kConnectionLogLabel, language));
    sensorIdCaption_->setText(qs(texts::kSensorIdLabel, language));
    languageCaption_->setText(qs(texts::kLanguageLabel, language));
    findComPorts_->setText(qs(texts::kFindComPortsButton, language));
    connect_->setText(qs(texts::kConnectButton, language));
    disconnect_->setText(qs(texts::kDisconnectButton, language));
    accept_->setText(qs(texts::kAcceptButton, language));
    changeBaudRate_->setText(qs(texts::kChangeBaudRateButton, language));
    hardwareInfo_->setText(qs(texts::kHardwareInfoButton, language));
    const QSignalBlocker blocker(language_);
    language_->setCurrentIndex(languageIndex(language));
}

void ConnectionPage::appendLog(std::string_view text) {
    QTextCursor cursor(log_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(qs(text));
    log_->verticalScrollBar()->setValue(log_->verticalScrollBar()->maximum());
}

void ConnectionPage::commitTypedFields() {
    // A commit shows the settings again, over whatever the other fields
    // hold: all four are read first.
    const QString comPort = comPort_->currentText();
    const QString address = serverAddress_->currentText().trimmed();
    const QString port = portNumber_->text();
    const QString id = sensorId_->text();
    commitComPort(comPort);
    if (str(address) != session_.connection.settings.serverAddress)
        app::serverAddressCommitted(session_, str(address));
    commitPortNumber(port);
    commitPanelId(id);
}

// ---- buttons ----

void ConnectionPage::CBF_ButtonTryToConnect() {
    context_.callbacks.run([this] { app::connectButton(session_); });
}

void ConnectionPage::CBF_ButtonDisconnect() {
    context_.callbacks.run([this] { app::disconnectButton(session_); });
}

void ConnectionPage::CBF_ButtonAccept() {
    context_.callbacks.run([this] { app::acceptButton(session_); });
}

void ConnectionPage::CBF_ButtonChangeBaudrate() {
    context_.callbacks.run([this] { app::changeBaudrateButton(session_); });
}

void ConnectionPage::CBF_ButtonGenHwInfoFile() {
    context_.callbacks.run([this] { app::hardwareInfoButton(session_); });
}

void ConnectionPage::CBF_ButtonFindComPorts() {
    const QStringList devices = serialDevices();
    addComPortItems(devices);
#ifdef _WIN32
    std::vector<int> numbers;
    for (const QString& device : devices)
        if (auto choice = parseComPortText(device); choice && choice->device.empty())
            numbers.push_back(choice->number);
    app::findComPorts(session_, numbers);
#else
    // Serial devices here have paths, not COM numbers: list the paths.
    const std::string text = availablePortsText(session_.language(), devices);
    if (!text.empty())
        session_.op().appendConnectionLog(text);
#endif
}

// ---- fields ----

void ConnectionPage::CBF_EditCommunicationProtocol(int protocol) {
    app::protocolChanged(session_, link::protocolFromCode(protocol));
}

void ConnectionPage::CBF_EditSelectComPort() {
    commitComPort(comPort_->currentText());
}

void ConnectionPage::commitComPort(const QString& text) {
    const auto choice = parseComPortText(text);
    if (!choice) {
        // Not a port: the select keeps showing the port in use.
        showSettings();
        return;
    }
    const app::ConnectionSettings& now = session_.connection.settings;
    const int number = choice->device.empty() ? choice->number : now.comPort;
    if (number == now.comPort && choice->device == now.comDevice)
        return;
    app::comPortChanged(session_, number, choice->device);
}

void ConnectionPage::CBF_EditSelectBaudrate(int baudIndex) {
    app::baudIndexChanged(session_, baudIndex);
}

void ConnectionPage::CBF_StringIpAdress() {
    const std::string address = str(serverAddress_->currentText().trimmed());
    app::serverAddressCommitted(session_, address);
}

void ConnectionPage::CBF_StringPortNumber() {
    commitPortNumber(portNumber_->text());
}

void ConnectionPage::commitPortNumber(const QString& text) {
    const std::string port = str(text);
    if (port != session_.connection.settings.portNumber)
        app::portNumberChanged(session_, port);
}

void ConnectionPage::CBF_EditID() {
    commitPanelId(sensorId_->text());
}

void ConnectionPage::commitPanelId(const QString& text) {
    const std::string id = str(text);
    if (id == session_.shell.panelId)
        return;
    session_.shell.panelId = id;
    session_.shell.notify(app::ShellChange::PanelId);
}

void ConnectionPage::CBF_EditLanguage(int index) {
    const Language language = languageFromIndex(index);
    if (language == session_.language())
        return;
    session_.shell.language = language;
    session_.shell.notify(app::ShellChange::Language);
}

// ---- following the session ----

void ConnectionPage::onConnectionChange(app::ConnectionChange change) {
    switch (change) {
    case app::ConnectionChange::Settings:
        showSettings();
        break;
    case app::ConnectionChange::Panel:
        showProtocolControls();
        break;
    case app::ConnectionChange::ServerAddresses:
        showServerAddresses();
        break;
    default:
        break;
    }
}

void ConnectionPage::onShellChange(app::ShellChange change) {
    switch (change) {
    case app::ShellChange::PanelId:
        if (str(sensorId_->text()) != session_.shell.panelId)
            sensorId_->setText(qs(session_.shell.panelId));
        break;
    case app::ShellChange::Language: {
        const QSignalBlocker blocker(language_);
        language_->setCurrentIndex(languageIndex(session_.language()));
        break;
    }
    default:
        break;
    }
}

void ConnectionPage::showSettings() {
    const app::ConnectionSettings& c = session_.connection.settings;
    const QSignalBlocker b1(protocol_);
    const QSignalBlocker b2(comPort_);
    const QSignalBlocker b3(baudRate_);
    const QSignalBlocker b4(serverAddress_);
    const QSignalBlocker b5(portNumber_);
    protocol_->setCurrentIndex(link::protocolCode(c.protocol));
    comPort_->setEditText(comPortText(c));
    // An index outside the list opens at 115200 baud, and so it shows.
    baudRate_->setCurrentIndex(
        c.baudIndex >= 0 && c.baudIndex < static_cast<int>(kBaudRates.size()) ? c.baudIndex : 4);
    serverAddress_->setEditText(qs(c.serverAddress));
    portNumber_->setText(qs(c.portNumber));
}

void ConnectionPage::showServerAddresses() {
    const QSignalBlocker blocker(serverAddress_);
    serverAddress_->clear();
    for (const std::string& address : session_.connection.serverAddresses.entries())
        serverAddress_->addItem(qs(address));
    serverAddress_->setEditText(qs(session_.connection.settings.serverAddress));
}

void ConnectionPage::showProtocolControls() {
    const app::ConnectionState& connection = session_.connection;
    auto visible = [&connection](app::ConnectionControl c) { return connection.controlVisible(c); };
    using C = app::ConnectionControl;
    for (int i = 0; i < app::kConnectionControlCount; ++i) {
        const auto c = static_cast<C>(i);
        control(c)->setVisible(visible(c));
    }
    comPortCaption_->setVisible(visible(C::ComPortSelect));
    baudRateCaption_->setVisible(visible(C::BaudRateSelect));
    serverAddressCaption_->setVisible(visible(C::ServerAddressBox));
    portNumberCaption_->setVisible(visible(C::PortNumberBox));
}

void ConnectionPage::followDimming(app::DimControl c, bool dimmed) {
    if (auto it = dimmable_.find(c); it != dimmable_.end())
        it->second->setEnabled(!dimmed);
}

void ConnectionPage::addComPortItems(const QStringList& devices) {
    const QSignalBlocker blocker(comPort_);
    const QString shown = comPort_->currentText();
    for (const QString& device : devices)
        if (comPort_->findText(device) < 0)
            comPort_->addItem(device);
    comPort_->setEditText(shown);
}

} // namespace tavrino::ui

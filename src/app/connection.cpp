#include "app/connection.h"

#include "app/calibration.h"
#include "app/texts.h"
#include "link/orders.h"
#include "parameters/parameter_file.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <limits>

namespace tavrino::app {

namespace order = link::order;

namespace {

constexpr std::size_t kHardwareWords = 256;

// Processes what the operator did meanwhile, as the connection page does
// after reading its fields and after dimming; without an application object
// (tests of the pure parts) there is nothing to process.
void processPendingEvents() {
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::processEvents();
}

std::uint16_t wordAt(const std::uint8_t* payload, std::size_t length, std::size_t offset) {
    const std::uint8_t lo = offset < length ? payload[offset] : 0;
    const std::uint8_t hi = offset + 1 < length ? payload[offset + 1] : 0;
    return static_cast<std::uint16_t>(lo | (hi << 8));
}

std::string cut(const std::string& text, std::size_t maxLength) {
    return text.size() > maxLength ? text.substr(0, maxLength) : text;
}

// The Close choice ends the program: the front end, told through the shell,
// decides how.
void requestClose(Session& s) {
    s.shell.closeRequested = true;
    s.shell.notify(ShellChange::CloseRequested);
}

// The failed-connection popup with `text`; Offline runs Disconnect.
void closeOrOffline(Session& s, const std::string& text) {
    const auto choice =
        s.op().closeOrOffline(kInfoTitle.in(s.language()), text, texts::kCloseLabel.in(s.language()));
    if (choice == ConnectFailureChoice::Close)
        requestClose(s);
    else
        Disconnect(s);
}

void log(Session& s, std::string_view text) {
    s.op().appendConnectionLog(text);
}

// "\n", label and value as one connection log entry.
void logLine(Session& s, std::string_view label, std::string_view value) {
    std::string text = "\n";
    text += label;
    text += value;
    log(s, text);
}

} // namespace

// ---------------------------------------------------------------- pure parts

FirmwareTokens splitFirmwareText(std::string_view firmware) {
    // The C library's token splitter: skip leading delimiters, take up to the
    // next delimiter, continue after it. Once the text is used up every
    // further token is missing.
    std::size_t pos = 0;
    auto next = [&](std::string_view delimiters) -> std::string {
        if (!delimiters.empty())
            while (pos < firmware.size() && delimiters.find(firmware[pos]) != std::string_view::npos)
                ++pos;
        if (pos >= firmware.size())
            return {};
        const std::size_t end =
            delimiters.empty() ? std::string_view::npos : firmware.find_first_of(delimiters, pos);
        if (end == std::string_view::npos) {
            std::string token(firmware.substr(pos));
            pos = firmware.size();
            return token;
        }
        std::string token(firmware.substr(pos, end - pos));
        pos = end + 1;
        return token;
    };
    FirmwareTokens t;
    t.t1 = next(".");
    t.t2 = next(".");
    t.t3 = next(" ");
    t.t4 = next("");
    return t;
}

std::string payloadText(const std::uint8_t* payload, std::size_t length, std::size_t maxLength) {
    const std::size_t n = std::min(length, maxLength);
    const auto* begin = reinterpret_cast<const char*>(payload);
    const auto* zero = std::find(begin, begin + n, '\0');
    return {begin, zero};
}

std::string hardwareDataText(const std::uint8_t* payload, std::size_t length) {
    // Four upper-case hex digits per word, no separator: 1024 characters that
    // read back as the 512 bytes in word order.
    std::string text;
    text.reserve(kHardwareWords * 4);
    char digits[8];
    for (std::size_t w = 0; w < kHardwareWords; ++w) {
        std::snprintf(digits, sizeof digits, "%04X", static_cast<unsigned>(wordAt(payload, length, 2 * w)));
        text += digits;
    }
    return text;
}

// ---------------------------------------------------------------- operations

void GetConnectionSettingsFromFile(Session& s) {
    s.connection.settings = readConnectionSettings(s.panelSettingsFile());
    s.connection.notify(ConnectionChange::Settings);
}

void InitConnectPanel(Session& s) {
    s.connection.notify(ConnectionChange::Panel);
}

bool OpenLink(Session& s) {
    const link::ConnectionSettings& c = s.connection.settings;
    const bool tcp = c.protocol == link::Protocol::TcpIp;
    LinkDisplay& shown = s.connection.linkDisplay;
    shown.comPort = c.comPort;
    shown.comDevice = c.comDevice;
    shown.serverAddress = c.serverAddress;
    shown.comPortVisible = !tcp;
    shown.serverAddressVisible = tcp;
    s.connection.notify(ConnectionChange::LinkDisplay);
    s.link.open(c);
    return s.link.lastOpenResult() >= 0;
}

int TryToConnect(Session& s) {
    s.link.closeSerial();
    const std::string trying = texts::kTryToConnect.str(s.language());
    s.op().setSensorStatus(trying);
    log(s, trying);
    processPendingEvents();

    if (OpenLink(s))
        return CheckComLine(s);
    closeOrOffline(s, texts::kCouldNotConnect.str(s.language()));
    return -1;
}

int ConnectToSensor(Session& s) {
    InitConnectPanel(s);
    SetButtonsDimmed(s, 0, true);
    const int result = TryToConnect(s);
    if (result == 1)
        SetButtonsDimmed(s, 0, false);
    return result;
}

int ConnectAtStartup(Session& s, const std::optional<ConnectOption>& given) {
    GetConnectionSettingsFromFile(s);
    if (given)
        enterConnection(s, *given);
    return ConnectToSensor(s);
}

int CheckComLine(Session& s) {
    const auto failed = [&s] {
        closeOrOffline(s, texts::kCouldNotConnect.str(s.language()));
        return -1;
    };

    if (s.link.request(order::FirmwareText, 0) != 1)
        return failed();
    // At most the 72 bytes of the firmware field, also when the sensor sent
    // them without a terminating zero.
    s.connection.sensor.firmware =
        payloadText(s.link.replyPayload(), s.link.lastReply().length, SensorIdentity::kFirmwareSize);
    s.connection.notify(ConnectionChange::SensorIdentity);

    const FirmwareTokens tokens = splitFirmwareText(s.connection.sensor.firmware);
    const std::string version = tokens.version();
    if (version != kExpectedFirmwareVersion) {
        std::string text(texts::kFirmwareMismatch.in(s.language()));
        text += version;
        text += "\n\n";
        text += texts::kCouldNotConnect.in(s.language());
        closeOrOffline(s, text);
        return -1;
    }
    s.connection.sensor.displayText = tokens.displayText();
    s.op().setSensorStatus(s.connection.sensor.displayText);
    log(s, s.connection.sensor.displayText);

    // Name and next calibration: texts of at most 255 characters, whatever
    // length the sensor sends.
    constexpr std::size_t kMaxText = SensorIdentity::kTextBufferSize - 1;
    if (s.link.request(order::SensorIdentity, 0) != 1)
        return failed();
    s.connection.sensor.name = payloadText(s.link.replyPayload(), s.link.lastReply().length, kMaxText);
    s.connection.sensor.serialNumber = s.link.lastReply().argument;
    s.connection.notify(ConnectionChange::SensorIdentity);
    logLine(s, texts::kSensorLabel, s.connection.sensor.name);
    logLine(s, texts::kSerialNumberLabel.in(s.language()), std::to_string(s.connection.sensor.serialNumber));

    if (s.link.request(order::SensorIdentity, 1) != 1)
        return failed();
    s.connection.sensor.nextCalibration =
        payloadText(s.link.replyPayload(), s.link.lastReply().length, kMaxText);
    s.connection.notify(ConnectionChange::SensorIdentity);
    logLine(s, texts::kNextCalibrationLabel.in(s.language()), s.connection.sensor.nextCalibration);
    log(s, "\n\n");

    s.flags.sensorConnected = 1;
    s.parameters.transfer.GetPara();
    if (s.flags.sensorConnected != 1)
        return -1;
    s.op().setDimmed(Dimmable::ConfirmedConnectionButtons, false);
    return 1;
}

void Disconnect(Session& s) {
    SetButtonsDimmed(s, 0, true);
    s.link.closeSerial();
    if (s.link.tcpConnected())
        s.link.disconnectTcp();
    const std::string text = texts::kNoSensorConnected.str(s.language());
    s.op().setSensorStatus(text);
    log(s, text);
    s.parameters.controls.selectTarget(parameters::TransferTarget::File);
    // What offline work with parameter files needs.
    for (DimControl c : {DimControl::ConnectButton, DimControl::BaudRateSelect, DimControl::SendButton,
                         DimControl::GetButton})
        s.dimming.setDimmed(c, false);
    s.flags.sensorConnected = 0;
}

int ChangeBaudrate(Session& s) {
    // The button exists for the serial line only.
    if (s.connection.settings.protocol != link::Protocol::Rs232)
        return -1;
    const std::int16_t baudIndex = s.connection.settings.baudIndex;
    log(s, texts::kChangeBaudrate.str(s.language()));
    // Still at the old rate: the port stays as it is until the sensor agreed.
    if (s.link.request(order::ChangeBaudrate, static_cast<std::uint16_t>(baudIndex)) != 1)
        return -1;
    log(s, texts::kDone.str(s.language()));
    s.link.InitRS232(s.connection.settings);
    s.flags.sensorConnected = 1;
    TryToConnect(s);
    if (s.flags.sensorConnected != 1)
        return -1;
    log(s, texts::kConfirmNewBaudrate.str(s.language()));
    return 1;
}

int GenerateHWInfoFile(Session& s, const std::optional<std::string>& path) {
    s.flags.sensorConnected = 1;
    const parameters::TransferTarget target = s.parameters.controls.target();
    s.parameters.controls.selectTarget(parameters::TransferTarget::Ram);
    s.parameters.transfer.GetPara();
    s.parameters.controls.selectTarget(target);
    if (s.flags.sensorConnected == 0)
        return -1;
    GetOffset(s);
    if (s.flags.sensorConnected == 0)
        return -1;
    if (s.link.requestRecord(order::HardwareInfo, link::kHardwareInfoKey, 2 * kHardwareWords) != 1 ||
        s.flags.sensorConnected == 0)
        return -1;
    const std::string data = hardwareDataText(s.link.replyPayload(), s.link.lastReply().length);

    std::string file;
    if (path) {
        file = *path;
    } else {
        FileRequest request;
        request.mode = FileRequest::Mode::Save;
        request.startDirectory = directoryOf(s.shell.paths.hardwareIniFile);
        request.defaultName = std::string(kHardwareInfoFileName);
        request.filter = std::string(texts::kIniFilter);
        request.title = std::string(texts::kHardwareDialogTitle);
        const FileChoice choice = s.op().selectFile(request);
        if (!choice.chosen()) {
            log(s, texts::kNoFileSelected.str(s.language()));
            log(s, "\n\n");
            return -1;
        }
        file = choice.path;
    }
    s.shell.paths.hardwareIniFile = file;
    s.shell.notify(ShellChange::Paths);

    parameters::GetPanelValues(s.parameters.controls, s.parameters.teachTable, s.parameters.set);
    IniHandle ini = Ini_New(false);
    int status = kIniOutOfMemory;
    if (ini) {
        IniDocument* doc = ini.get();
        Ini_PutString(doc, "GENERAL INFO", "FILE TYPE:", texts::kHardwareFileType);
        Ini_PutString(doc, "GENERAL INFO", "SCOPE VERSION:", texts::kHardwareScopeVersion);
        Ini_PutString(doc, "GENERAL INFO", "FIRMWARE VERSION:", s.connection.sensor.firmware);
        Ini_PutString(doc, "HARDWARE INFO", "DATA", data);
        constexpr std::string_view kAxes[] = {"X", "Y", "Z"};
        for (std::size_t i = 0; i < 3; ++i)
            Ini_PutInt(doc, "ZERO POINT OFFSET", kAxes[i], s.calibration.zeroPoint[i]);
        for (std::size_t i = 0; i < 3; ++i)
            Ini_PutInt(doc, "XYZ OFFSET", kAxes[i], s.calibration.xyzOffset[i]);
        parameters::AppendParaToIniHandle(doc, s.parameters.set);
        parameters::AppendTechVecToIniHandle(doc, s.parameters.set);
        status = Ini_WriteToFile(doc, file);
    }
    // A file that could not be written is not reported as saved.
    const Text& outcome = status >= 0 ? texts::kFileSaved : texts::kFileNotSaved;
    std::string text = outcome.str(s.language());
    text += '\n';
    text += file;
    text += "\n\n";
    log(s, text);
    return status >= 0 ? 1 : -1;
}

void SetButtonsDimmed(Session& s, int scope, bool dim) {
    s.dimming.SetButtonsDimmed(scope, dim);
    processPendingEvents();
}

// ---------------------------------------------------------------- controls

void connectButton(Session& s) {
    ConnectToSensor(s);
}

void disconnectButton(Session& s) {
    Disconnect(s);
}

void acceptButton(Session& s) {
    storePanelSettings(s);
    s.op().showMainTab(MainTab::SensorParameter);
}

int changeBaudrateButton(Session& s) {
    SetButtonsDimmed(s, 0, true);
    s.dimming.setConfirmedConnectionButtons(true);
    const int result = ChangeBaudrate(s);
    SetButtonsDimmed(s, 0, false);
    return result;
}

void hardwareInfoButton(Session& s) {
    SetButtonsDimmed(s, 0, true);
    GenerateHWInfoFile(s);
    SetButtonsDimmed(s, 0, false);
}

void findComPorts(Session& s, const std::vector<int>& comPorts) {
    if (comPorts.empty())
        return;
    std::string text = texts::kComPortsAvailable.str(s.language());
    for (int n : comPorts)
        text += "COM" + std::to_string(n) + "\n";
    text += "\n";
    log(s, text);
}

void protocolChanged(Session& s, link::Protocol protocol) {
    s.connection.settings.protocol = protocol;
    s.connection.notify(ConnectionChange::Settings);
    InitConnectPanel(s);
    s.dimming.setConfirmedConnectionButtons(true);
}

void comPortChanged(Session& s, int comPort, const std::string& device) {
    s.connection.settings.comPort = static_cast<std::int16_t>(std::clamp(comPort, 0, 255));
    s.connection.settings.comDevice = cut(device, kPathMaxLength);
    s.connection.notify(ConnectionChange::Settings);
    s.dimming.setConfirmedConnectionButtons(true);
}

void baudIndexChanged(Session& s, int baudIndex) {
    s.connection.settings.baudIndex = static_cast<std::int16_t>(std::clamp(baudIndex, 0, 7));
    s.connection.notify(ConnectionChange::Settings);
    s.dimming.setDimmed(DimControl::AcceptButton, true);
}

void portNumberChanged(Session& s, const std::string& portNumber) {
    s.connection.settings.portNumber = cut(portNumber, kPortNumberMaxLength);
    s.connection.notify(ConnectionChange::Settings);
    s.dimming.setDimmed(DimControl::AcceptButton, true);
}

void serverAddressCommitted(Session& s, const std::string& address) {
    s.dimming.setDimmed(DimControl::AcceptButton, true);
    const std::string text = cut(address, kServerAddressMaxLength);
    s.connection.settings.serverAddress = text;
    s.connection.serverAddresses.commit(text);
    s.connection.notify(ConnectionChange::Settings);
    s.connection.notify(ConnectionChange::ServerAddresses);
}

void showConnectionHelp(Session& s, ConnectionControl c) {
    if (const auto help = connectionHelpText(c))
        s.op().message(kInfoTitle.in(s.language()), help->in(s.language()));
}

// ---------------------------------------------------------------- settings

void loadPanelSettings(Session& s) {
    PanelSettings settings = s.panelSettings();
    const PanelSettingsLoad outcome = LoadPanelSettings(s.panelSettingsFile(), s.programDirectory(), settings,
                                                        s.rowColours, s.op(), s.language());
    s.shell.keepSettingsFile = mustKeepPanelSettingsFile(outcome);
    s.applyPanelSettings(settings);
    teach::paintRowColours(s.rowColours, s.parameters.teachTable);
}

int storePanelSettings(Session& s) {
    int status = kIniOk;
    if (s.shell.keepSettingsFile) {
        // What was there at start-up is not the program's to destroy.
        status = KeepPanelSettingsFile(s.panelSettingsFile());
        s.shell.keepSettingsFile = status < 0;
    }
    if (status >= 0)
        status = StorePanelSettings(s.panelSettingsFile(), s.panelSettings(), s.rowColours);
    // The settings file is replaced whole or not at all; a failure keeps the
    // old file, and the operator should know the new settings were not kept.
    if (status < 0)
        s.op().message(kInfoTitle.in(s.language()),
                       std::string(texts::kFileNotSaved.in(s.language())) + "\n" + s.panelSettingsFile());
    return status;
}

} // namespace tavrino::app

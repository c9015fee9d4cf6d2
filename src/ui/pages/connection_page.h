#pragma once

#include "app/session.h"
#include "ui/subscription.h"
#include "ui/titled_widget.h"
#include "ui/ui_context.h"

#include <QStringList>

#include <map>
#include <optional>
#include <string>
#include <string_view>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tavrino::ui {

// What the operator typed into the COM port select: "COM3" or "3" name a
// port number, anything else is a device path (such as /dev/ttyUSB0).
struct ComPortChoice {
    int number = 0;
    std::string device;
    friend bool operator==(const ComPortChoice&, const ComPortChoice&) = default;
};
// Nothing for an empty text or a port number outside 1..255.
[[nodiscard]] std::optional<ComPortChoice> parseComPortText(const QString& text);
// What the COM port select shows for the connection settings.
[[nodiscard]] QString comPortText(const app::ConnectionSettings& settings);

// The connection log text for the serial devices found (one line per device
// name, below the heading, then an empty line); empty when none was found.
[[nodiscard]] std::string availablePortsText(Language language, const QStringList& devices);

// The connection page: protocol, serial and TCP settings, connect and
// disconnect, the connection log, the sensor identification and the language.
// It shows the session's connection settings and hands every operator edit
// to connection management.
class ConnectionPage : public TitledWidget {
    Q_OBJECT
public:
    explicit ConnectionPage(UiContext& context, QWidget* parent = nullptr);
    ~ConnectionPage() override;

    void retranslate(Language language) override;

    // The connection log only grows.
    void appendLog(std::string_view text);

    // Takes over what the operator typed into the COM port, server address,
    // port number and sensor ID fields without committing it yet (no Enter,
    // the field not left), as committing would: the settings are stored as
    // the page shows them.
    void commitTypedFields();

    [[nodiscard]] QWidget* control(app::ConnectionControl c) const;
    [[nodiscard]] QComboBox* protocolSelect() const { return protocol_; }
    [[nodiscard]] QPushButton* findComPortsButton() const { return findComPorts_; }
    [[nodiscard]] QComboBox* comPortSelect() const { return comPort_; }
    [[nodiscard]] QComboBox* baudRateSelect() const { return baudRate_; }
    [[nodiscard]] QComboBox* serverAddressBox() const { return serverAddress_; }
    [[nodiscard]] QLineEdit* portNumberBox() const { return portNumber_; }
    [[nodiscard]] QPushButton* connectButton() const { return connect_; }
    [[nodiscard]] QPushButton* disconnectButton() const { return disconnect_; }
    [[nodiscard]] QPushButton* acceptButton() const { return accept_; }
    [[nodiscard]] QPushButton* changeBaudRateButton() const { return changeBaudRate_; }
    [[nodiscard]] QPushButton* hardwareInfoButton() const { return hardwareInfo_; }
    [[nodiscard]] QPlainTextEdit* connectionLog() const { return log_; }
    [[nodiscard]] QLineEdit* sensorIdBox() const { return sensorId_; }
    [[nodiscard]] QComboBox* languageSelect() const { return language_; }

public slots:
    void CBF_ButtonTryToConnect();
    void CBF_ButtonDisconnect();
    void CBF_ButtonAccept();
    void CBF_ButtonChangeBaudrate();
    void CBF_ButtonGenHwInfoFile();
    void CBF_ButtonFindComPorts();
    void CBF_EditCommunicationProtocol(int protocol);
    void CBF_EditSelectComPort();
    void CBF_EditSelectBaudrate(int baudIndex);
    void CBF_StringIpAdress();
    void CBF_StringPortNumber();
    void CBF_EditID();
    void CBF_EditLanguage(int index);

private:
    // The commits of the typed fields, from the text the field holds.
    void commitComPort(const QString& text);
    void commitPortNumber(const QString& text);
    void commitPanelId(const QString& text);
    void onConnectionChange(app::ConnectionChange change);
    void onShellChange(app::ShellChange change);
    void showSettings();
    void showServerAddresses();
    void showProtocolControls();
    void followDimming(app::DimControl c, bool dimmed);
    void addComPortItems(const QStringList& devices);

    UiContext& context_;
    app::Session& session_;

    QComboBox* protocol_;
    QPushButton* findComPorts_;
    QComboBox* comPort_;
    QComboBox* baudRate_;
    QComboBox* serverAddress_;
    QLineEdit* portNumber_;
    QPushButton* connect_;
    QPushButton* disconnect_;
    QPushButton* accept_;
    QPushButton* changeBaudRate_;
    QPushButton* hardwareInfo_;
    QPlainTextEdit* log_;
    QLineEdit* sensorId_;
    QComboBox* language_;

    // Captions of the fields, hidden with them.
    QLabel* protocolCaption_;
    QLabel* comPortCaption_;
    QLabel* baudRateCaption_;
    QLabel* serverAddressCaption_;
    QLabel* portNumberCaption_;
    QLabel* logCaption_;
    QLabel* sensorIdCaption_;
    QLabel* languageCaption_;

    std::map<app::DimControl, QWidget*> dimmable_;
    Subscription<app::ConnectionState> connectionSubscription_;
    Subscription<app::ShellState> shellSubscription_;
    Subscription<app::DimmingModel> dimmingSubscription_;
};

} // namespace tavrino::ui

#pragma once

// Connection management: the connection page's operations. Every exchange
// goes through the session's link, which reports each failure itself; these
// operations add the connection check, the offline mode, the baud-rate change
// and the hardware information file.

#include "app/connect_option.h"
#include "app/session.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrino::app {

inline constexpr std::string_view kExpectedFirmwareVersion = "TAVRINO4 VXR QLM V3.2";
inline constexpr std::string_view kHardwareInfoFileName = "HardwareInitialFile.ini";

// The firmware text split as the connection check reads it: token 1 up to
// the first ".", token 2 up to the next ".", token 3 up to the next blank,
// token 4 the rest. Delimiters before a token are skipped; a missing token is
// empty.
struct FirmwareTokens {
    std::string t1, t2, t3, t4;
    // token 1 "." token 2: compared with the expected version.
    [[nodiscard]] std::string version() const { return t1 + "." + t2; }
    // token 1 "." token 2 token 4: the status field's short text.
    [[nodiscard]] std::string displayText() const { return t1 + "." + t2 + t4; }
};
[[nodiscard]] FirmwareTokens splitFirmwareText(std::string_view firmware);

// The text of a received payload: up to its first zero byte or its end,
// and never more than `maxLength` characters.
[[nodiscard]] std::string payloadText(const std::uint8_t* payload, std::size_t length, std::size_t maxLength);

// The hardware data text: 256 little-endian 16-bit words as 4 upper-case hex
// digits each, without separators. Bytes beyond `length` count as zero.
[[nodiscard]] std::string hardwareDataText(const std::uint8_t* payload, std::size_t length);

// --- Operations --------------------------------------------------------------

// Connection settings from the panel settings file into the connection page.
void GetConnectionSettingsFromFile(Session& s);
// The protocol of the connection page decides which of its controls show.
void InitConnectPanel(Session& s);
// Opens the transport with the connection page's settings (the measurement
// display panel shows which); no connection check. False when it could not be
// opened (the link has reported why).
bool OpenLink(Session& s);
// Opens the transport with the connection page's settings and runs the
// connection check. 1 connected; -1 not (the operator chose Offline, or Close,
// which sets closeRequested).
int TryToConnect(Session& s);
// What the connect button and the start-up do: the connection page shown for
// the protocol, the sensor buttons dimmed, TryToConnect, and the buttons
// undimmed once connected. TryToConnect's result.
int ConnectToSensor(Session& s);
// The start-up connection: the settings from the panel settings file, with
// `given` (a connection named on the command line) entered over them as the
// operator would enter it, then ConnectToSensor.
int ConnectAtStartup(Session& s, const std::optional<ConnectOption>& given = std::nullopt);
// The connection check: firmware text and version, identity, parameters.
int CheckComLine(Session& s);
// Closes the transport and switches to offline work (target FILE).
void Disconnect(Session& s);
// Moves the sensor and the program to the baud-rate index of the connection
// page. 1 done and reconnected, -1 not.
int ChangeBaudrate(Session& s);
// Reads the sensor's data and writes the hardware information file. With
// `path` set no dialog is shown (command-line tool). 1 written, -1 not.
int GenerateHWInfoFile(Session& s, const std::optional<std::string>& path = std::nullopt);
// The exchange controls, all to `dim`; then pending events are processed.
void SetButtonsDimmed(Session& s, int scope, bool dim);

// The exchange controls dimmed (SetButtonsDimmed(0, ...)) for as long as the
// guard lives, so every way out of a flow undims them.
class ButtonsDimmed {
public:
    explicit ButtonsDimmed(Session& s) : s_(s) { SetButtonsDimmed(s_, 0, true); }
    ~ButtonsDimmed() { SetButtonsDimmed(s_, 0, false); }
    ButtonsDimmed(const ButtonsDimmed&) = delete;
    ButtonsDimmed& operator=(const ButtonsDimmed&) = delete;

private:
    Session& s_;
};

// --- What the connection page's controls do -----------------------------------

void connectButton(Session& s);
void disconnectButton(Session& s);
// Stores the panel settings and shows the sensor parameter page.
void acceptButton(Session& s);
// ChangeBaudrate's result.
int changeBaudrateButton(Session& s);
void hardwareInfoButton(Session& s);
// Lists the serial ports found (their COM numbers) in the connection log.
void findComPorts(Session& s, const std::vector<int>& comPorts);
void protocolChanged(Session& s, link::Protocol protocol);
void comPortChanged(Session& s, int comPort, const std::string& device = {});
void baudIndexChanged(Session& s, int baudIndex);
void portNumberChanged(Session& s, const std::string& portNumber);
void serverAddressCommitted(Session& s, const std::string& address);
// Right click on a connection page control.
void showConnectionHelp(Session& s, ConnectionControl c);

// --- Panel settings of the session ---------------------------------------------

// LoadPanelSettings on the session's settings file, then the row colours
// painted into the teach table.
void loadPanelSettings(Session& s);
// StorePanelSettings from the session (connection settings from the page).
int storePanelSettings(Session& s);

} // namespace tavrino::app

#pragma once

// The controls of the connection page and which of them each protocol shows.

#include "common/language.h"
#include "link/connection_settings.h"

#include <optional>

namespace tavrino::app {

enum class ConnectionControl : int {
    ProtocolSelect,
    FindComPortsButton,
    ComPortSelect,
    BaudRateSelect,
    ServerAddressBox,
    PortNumberBox,
    ConnectButton,
    DisconnectButton,
    ConnectionLog,
    AcceptButton,
    ChangeBaudRateButton,
    HardwareInfoButton,
    LanguageSelect,
    SensorIdField,
};
inline constexpr int kConnectionControlCount = 14;

// Whether the connection page shows control `c` with `protocol`: the serial
// controls with RS-232, the server controls with TCP/IP, the rest always.
[[nodiscard]] bool connectionControlVisible(ConnectionControl c, link::Protocol protocol);

// The right-click help text of a control; nothing for the connection log.
[[nodiscard]] std::optional<Text> connectionHelpText(ConnectionControl c);

} // namespace tavrino::app

#pragma once

// The controls of the connection page and which of them each protocol shows.

#include "common/language.h"

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

inline constexpr int kProtocolRs232 = 0;
inline constexpr int kProtocolTcpIp = 1;

// Whether the connection page shows control `c` with `protocol`: the serial
// controls with RS-232, the server controls with TCP/IP, the rest always.
[[nodiscard]] bool connectionControlVisible(ConnectionControl c, int protocol);

// The right-click help text of a control; nothing for the connection log.
[[nodiscard]] std::optional<Text> connectionHelpText(ConnectionControl c);

} // namespace tavrino::app

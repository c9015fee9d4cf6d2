#pragma once

// A connection named on the command line, "tcp:HOST:PORT" or
// "serial:DEVICE", and its entry on the connection page.

#include "app/session.h"

#include <optional>
#include <string>
#include <string_view>

namespace tavrino::app {

struct ConnectOption {
    bool tcp = false;
    std::string host;   // tcp
    std::string port;   // tcp: 1..65535
    int comPort = 0;    // serial: "COMn" or "n", 1..255
    std::string device; // serial: any other name, a device path
    friend bool operator==(const ConnectOption&, const ConnectOption&) = default;
};

// Nothing when `text` is neither form: an empty host or device, a port
// that is not a number from 1 to 65535, another prefix.
[[nodiscard]] std::optional<ConnectOption> parseConnectOption(std::string_view text);

// Enters the connection on the connection page as the operator does: the
// protocol, then the server address and port or the COM port. The page's
// other settings (baud rate, the other protocol's fields) stay.
void enterConnection(Session& s, const ConnectOption& option);

} // namespace tavrino::app

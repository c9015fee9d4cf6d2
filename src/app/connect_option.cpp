#include "app/connect_option.h"

#include "app/connect_panel.h"
#include "app/connection.h"

#include <algorithm>
#include <cctype>

namespace tavrino::app {

namespace {

constexpr int kHighestPort = 65535;
constexpr int kHighestComPort = 255;

// A decimal number from 1 to `highest` and nothing else.
std::optional<int> numberIn(std::string_view text, int highest) {
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; }))
        return std::nullopt;
    int n = 0;
    for (char c : text)
        n = n * 10 + (c - '0');
    if (n < 1 || n > highest)
        return std::nullopt;
    return n;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

std::optional<ConnectOption> parseConnectOption(std::string_view text) {
    ConnectOption option;
    if (startsWith(text, "tcp:")) {
        const std::string_view rest = text.substr(4);
        const std::size_t colon = rest.rfind(':');
        if (colon == std::string_view::npos || colon == 0 || !numberIn(rest.substr(colon + 1), kHighestPort))
            return std::nullopt;
        option.tcp = true;
        option.host = std::string(rest.substr(0, colon));
        option.port = std::string(rest.substr(colon + 1));
        return option;
    }
    if (startsWith(text, "serial:")) {
        const std::string_view device = text.substr(7);
        if (device.empty())
            return std::nullopt;
        const std::string_view digits =
            startsWith(device, "COM") || startsWith(device, "com") ? device.substr(3) : device;
        if (const auto n = numberIn(digits, kHighestComPort))
            option.comPort = *n;
        else
            option.device = std::string(device);
        return option;
    }
    return std::nullopt;
}

void enterConnection(Session& s, const ConnectOption& option) {
    if (option.tcp) {
        protocolChanged(s, link::Protocol::TcpIp);
        serverAddressCommitted(s, option.host);
        portNumberChanged(s, option.port);
    } else {
        protocolChanged(s, link::Protocol::Rs232);
        comPortChanged(s, option.device.empty() ? option.comPort : s.connection.settings.comPort,
                       option.device);
    }
}

} // namespace tavrino::app

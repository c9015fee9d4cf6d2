#include "cli/cli_context.h"
#include "link/frame.h"

#include <charconv>
#include <cstdio>

namespace tavrino::cli {

bool CliContext::openLink() {
    openFailureStatus = kExitFailure;
    auto& s = link->settings;
    if (tcp) {
        const auto endpoint = parseTcpEndpoint(*tcp);
        if (!endpoint) {
            openFailureStatus = usageError("--tcp needs HOST:PORT");
            return false;
        }
        s.protocol = 1;
        s.serverAddress = endpoint->host;
        s.serverPort = endpoint->port;
        link->InitTCP_IP();
        return link->tcpConnected();
    }
    if (serial) {
        s.protocol = 0;
        s.comDevice = *serial;
        s.baudIndex = static_cast<std::int16_t>(baudIndex);
        link->InitRS232();
        return link->lastOpenResult() >= 0;
    }
    openFailureStatus = usageError("a sensor is needed: --tcp HOST:PORT or --serial DEVICE");
    return false;
}

int usageError(const std::string& message) {
    std::fprintf(stderr, "tavrino-cli: %s\n(see tavrino-cli --help)\n", message.c_str());
    return kExitUsage;
}

std::string formatFixed6(double value) {
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 6);
    if (ec != std::errc())
        return "nan";
    return {buf, end};
}

std::string formatGeneral(double value, int digits) {
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, digits);
    if (ec != std::errc())
        return "nan";
    return {buf, end};
}

std::string hexBytes(const std::uint8_t* bytes, std::size_t size) {
    return link::hexText(bytes, size);
}

std::optional<std::vector<std::uint8_t>> parseHex(const std::string& text) {
    std::vector<std::uint8_t> out;
    int high = -1;
    for (char c : text) {
        int v;
        if (c >= '0' && c <= '9')
            v = c - '0';
        else if (c >= 'a' && c <= 'f')
            v = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            v = c - 'A' + 10;
        else if ((c == ' ' || c == '\t' || c == ':' || c == ',') && high < 0)
            continue;
        else
            return std::nullopt;
        if (high < 0) {
            high = v;
        } else {
            out.push_back(static_cast<std::uint8_t>(high * 16 + v));
            high = -1;
        }
    }
    if (high >= 0)
        return std::nullopt;
    return out;
}

std::optional<long> parseInteger(const std::string& text, long min, long max) {
    long v = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || ptr != text.data() + text.size() || text.empty() || v < min || v > max)
        return std::nullopt;
    return v;
}

std::optional<TcpEndpoint> parseTcpEndpoint(const std::string& text) {
    const auto colon = text.rfind(':');
    if (colon == std::string::npos)
        return std::nullopt;
    const auto port = parseInteger(text.substr(colon + 1), 0, 65535);
    if (!port)
        return std::nullopt;
    return TcpEndpoint{text.substr(0, colon), static_cast<unsigned>(*port)};
}

} // namespace tavrino::cli

#include "publish/topics.h"

#include "publish/json.h"

#include <charconv>

namespace tavrino::publish {

bool validId(std::string_view id) {
    if (id.empty() || id.size() > kMaxIdLength || !validUtf8(id))
        return false;
    for (const char c : id) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || c == '/' || c == '+' || c == '#')
            return false;
    }
    return true;
}

Topics topicsFor(std::string_view id) {
    const std::string base = "tavrino/" + std::string(id) + "/";
    return {base + "status", base + "identity", base + "parameters", base + "measurement"};
}

std::string BrokerAddress::text() const {
    const bool v6 = host.find(':') != std::string::npos;
    return (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

namespace {

std::optional<std::uint16_t> parsePort(std::string_view text) {
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 1 || value > 65535)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

} // namespace

std::optional<BrokerAddress> parseBrokerAddress(std::string_view text) {
    BrokerAddress address;
    std::string_view rest;
    if (!text.empty() && text.front() == '[') {
        const auto close = text.find(']');
        if (close == std::string_view::npos)
            return std::nullopt;
        address.host = std::string(text.substr(1, close - 1));
        rest = text.substr(close + 1);
        if (!rest.empty() && rest.front() != ':')
            return std::nullopt;
    } else if (const auto colon = text.find(':');
               colon != std::string_view::npos && text.find(':', colon + 1) == std::string_view::npos) {
        address.host = std::string(text.substr(0, colon));
        rest = text.substr(colon);
    } else {
        address.host = std::string(text);
    }
    if (address.host.empty())
        return std::nullopt;
    if (!rest.empty()) {
        const auto port = parsePort(rest.substr(1));
        if (!port)
            return std::nullopt;
        address.port = *port;
    }
    return address;
}

} // namespace tavrino::publish

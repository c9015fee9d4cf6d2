#pragma once

// The settings of the sensor connection as the operator enters them on the
// connection page and the panel settings file keeps them. Standard C++: the
// settings file and the command-line tool use them without the transports.

#include <cstdint>
#include <string>

namespace tavrino::link {

// The transport the sensor is reached over; the numbers are those of the
// panel settings file's "COMPROTOCOL".
enum class Protocol : std::int16_t {
    Rs232 = 0,
    TcpIp = 1,
};

// "COMPROTOCOL" as stored: 1 is TCP/IP, anything else the serial line.
[[nodiscard]] constexpr Protocol protocolFromCode(long code) {
    return code == static_cast<long>(Protocol::TcpIp) ? Protocol::TcpIp : Protocol::Rs232;
}
[[nodiscard]] constexpr int protocolCode(Protocol p) {
    return static_cast<int>(p);
}

// The port number stays text as the operator typed it; it becomes a number
// only when connecting (see portNumberOf).
struct ConnectionSettings {
    Protocol protocol = Protocol::Rs232;
    std::int16_t comPort = 1;
    std::string comDevice; // a device path (Linux); wins over the number when set
    std::int16_t baudIndex = 4;
    std::string serverAddress;
    std::string portNumber = "5000";
    friend bool operator==(const ConnectionSettings&, const ConnectionSettings&) = default;
};

// The port number text as the decimal number it starts with, like the C
// library's conversion; anything beyond the port range comes back as 65536,
// so the transport refuses it rather than connecting to a wrapped port.
[[nodiscard]] inline unsigned portNumberOf(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (i < text.size() && text[i] == '+')
        ++i;
    unsigned long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + static_cast<unsigned long>(text[i] - '0');
        if (value > 0x10000)
            return 0x10000;
    }
    return static_cast<unsigned>(value);
}

} // namespace tavrino::link

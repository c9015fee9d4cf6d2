#pragma once

// Where a sensor's messages go on the plant's broker, and the broker's
// address as the command line names it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavrino::publish {

// The texts of the status topic.
inline constexpr std::string_view kOnline = "online";
inline constexpr std::string_view kOffline = "offline";

inline constexpr std::uint16_t kDefaultBrokerPort = 1883;

// The four topics of one sensor, all under tavrino/<ID>/.
struct Topics {
    std::string status;      // retained "online" / "offline", also the last will
    std::string identity;    // retained JSON
    std::string parameters;  // retained JSON
    std::string measurement; // one JSON object per frame
};

// Longest ID accepted: topics stay short enough for every broker and log.
inline constexpr std::size_t kMaxIdLength = 128;

// Whether `id` can stand as one level of a topic: not empty, at most
// kMaxIdLength bytes of valid UTF-8, no control characters and none of the
// characters that split or match topic levels ("/", "+", "#").
[[nodiscard]] bool validId(std::string_view id);

// The topics of sensor `id` (which validId accepts).
[[nodiscard]] Topics topicsFor(std::string_view id);

struct BrokerAddress {
    std::string host;
    std::uint16_t port = kDefaultBrokerPort;
    // HOST:PORT, with an IPv6 host in brackets.
    [[nodiscard]] std::string text() const;
};

// HOST, HOST:PORT, [IPv6] or [IPv6]:PORT; a bare IPv6 address (more than one
// colon) is a host without port. Nothing when the host is empty or the port
// is not 1..65535.
[[nodiscard]] std::optional<BrokerAddress> parseBrokerAddress(std::string_view text);

} // namespace tavrino::publish

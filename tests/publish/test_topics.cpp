// The topic layout, the IDs that can stand in it and the broker address of
// the command line.

#include "publish/topics.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tavrino::publish {
namespace {

TEST(Topics, FourTopicsUnderTheSensorsId) {
    const Topics t = topicsFor("4711");
    EXPECT_EQ(t.status, "tavrino/4711/status");
    EXPECT_EQ(t.identity, "tavrino/4711/identity");
    EXPECT_EQ(t.parameters, "tavrino/4711/parameters");
    EXPECT_EQ(t.measurement, "tavrino/4711/measurement");
}

TEST(Topics, IdsThatStandAsOneTopicLevel) {
    struct Case {
        std::string id;
        bool valid;
    };
    const std::vector<Case> cases = {
        {"4711", true},
        {"line 3 left", true},
        {"Linie-\xc3\x84", true},
        {std::string(kMaxIdLength, 'x'), true},
        {std::string(kMaxIdLength + 1, 'x'), false},
        {"", false},
        {"line/3", false},
        {"+", false},
        {"line#3", false},
        {"tab\tid", false},
        {"del\x7f", false},
        {"\xff", false},
        {std::string("nul\0", 4), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(validId(c.id), c.valid) << c.id;
}

TEST(BrokerAddress, HostPortAndTheDefaultPort) {
    struct Case {
        const char* text;
        std::optional<std::pair<std::string, std::uint16_t>> address;
    };
    const std::vector<Case> cases = {
        {"localhost", {{"localhost", 1883}}},
        {"broker.plant:1884", {{"broker.plant", 1884}}},
        {"10.0.0.1:65535", {{"10.0.0.1", 65535}}},
        {"10.0.0.1:1", {{"10.0.0.1", 1}}},
        {"[::1]:1885", {{"::1", 1885}}},
        {"[fe80::1]", {{"fe80::1", 1883}}},
        {"::1", {{"::1", 1883}}},
        {"", std::nullopt},
        {":1883", std::nullopt},
        {"host:", std::nullopt},
        {"host:0", std::nullopt},
        {"host:65536", std::nullopt},
        {"host:18x3", std::nullopt},
        {"host:-1", std::nullopt},
        {"[::1", std::nullopt},
        {"[::1]1883", std::nullopt},
        {"[]:1883", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto parsed = parseBrokerAddress(c.text);
        ASSERT_EQ(parsed.has_value(), c.address.has_value()) << c.text;
        if (parsed) {
            EXPECT_EQ(parsed->host, c.address->first) << c.text;
            EXPECT_EQ(parsed->port, c.address->second) << c.text;
        }
    }
}

TEST(BrokerAddress, TextPutsAnIpv6HostInBrackets) {
    EXPECT_EQ((BrokerAddress{"::1", 1885}).text(), "[::1]:1885");
    EXPECT_EQ((BrokerAddress{"broker", 1883}).text(), "broker:1883");
}

} // namespace
} // namespace tavrino::publish

// The pure parts of connection management: firmware text, payload texts,
// hardware data text, offset record, dimming and the connection given on
// the command line.

#include "app/connect_option.h"
#include "app/connection.h"
#include "app/dimming.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavrino::app {
namespace {

TEST(FirmwareText, SplitsLikeTheCTokenSplitter) {
    struct Case {
        std::string firmware;
        FirmwareTokens tokens;
    };
    const Case cases[] = {
        {"TAVRINO4 VXR QLM V3.2.7 B", {"TAVRINO4 VXR QLM V3", "2", "7", "B"}},
        {"TAVRINO4 VXR QLM V3.1.9 B", {"TAVRINO4 VXR QLM V3", "1", "9", "B"}},
        {"TAVRINO4 VXR QLM V3.2", {"TAVRINO4 VXR QLM V3", "2", "", ""}},
        {"TAVRINO4 VXR QLM V3.2.7", {"TAVRINO4 VXR QLM V3", "2", "7", ""}},
        {"A.B.C D E", {"A", "B", "C", "D E"}},
        // leading delimiters are skipped, runs of them count as one
        {"..A..B.  C D", {"A", "B", "C", "D"}},
        {"no dots", {"no dots", "", "", ""}},
        {"", {"", "", "", ""}},
        {"...", {"", "", "", ""}},
    };
    for (const auto& c : cases) {
        const FirmwareTokens t = splitFirmwareText(c.firmware);
        EXPECT_EQ(t.t1, c.tokens.t1) << c.firmware;
        EXPECT_EQ(t.t2, c.tokens.t2) << c.firmware;
        EXPECT_EQ(t.t3, c.tokens.t3) << c.firmware;
        EXPECT_EQ(t.t4, c.tokens.t4) << c.firmware;
    }
    EXPECT_EQ(splitFirmwareText("TAVRINO4 VXR QLM V3.2.7 B").version(), kExpectedFirmwareVersion);
    EXPECT_EQ(splitFirmwareText("TAVRINO4 VXR QLM V3.2.7 B").displayText(), "TAVRINO4 VXR QLM V3.2B");
    EXPECT_EQ(splitFirmwareText("TAVRINO4 VXR QLM V3.1.9 B").version(), "TAVRINO4 VXR QLM V3.1");
    EXPECT_EQ(splitFirmwareText("TAVRINO4 VXR QLM V3.20.1 B").version(), "TAVRINO4 VXR QLM V3.20");
}

TEST(PayloadText, EndsAtTheZeroTheLengthOrTheLimit) {
    const std::string bytes = std::string("name") + '\0' + "junk";
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
    EXPECT_EQ(payloadText(p, bytes.size(), 255), "name");
    EXPECT_EQ(payloadText(p, 2, 255), "na");
    EXPECT_EQ(payloadText(p, bytes.size(), 3), "nam");
    EXPECT_EQ(payloadText(p, 0, 255), "");
    const std::string unterminated(300, 'n');
    EXPECT_EQ(
        payloadText(reinterpret_cast<const std::uint8_t*>(unterminated.data()), unterminated.size(), 255),
        std::string(255, 'n'));
}

TEST(HardwareDataText, FourUpperCaseDigitsPerWordAndZerosForAShortReply) {
    std::array<std::uint8_t, 512> full{};
    for (std::size_t i = 0; i < full.size(); ++i)
        full[i] = static_cast<std::uint8_t>(i * 7 + 3);
    const std::string text = hardwareDataText(full.data(), full.size());
    ASSERT_EQ(text.size(), 1024U);
    EXPECT_EQ(text.substr(0, 8), "0A031811"); // bytes 03 0A 11 18: words 0x0A03, 0x1811
    EXPECT_EQ(text.find_first_not_of("0123456789ABCDEF"), std::string::npos);

    // A 5-byte reply: two whole words, one half word, the rest zero.
    const std::string shortText = hardwareDataText(full.data(), 5);
    ASSERT_EQ(shortText.size(), 1024U);
    EXPECT_EQ(shortText.substr(0, 12), text.substr(0, 8) + "001F");
    EXPECT_EQ(shortText.substr(12), std::string(1012, '0'));
}

TEST(Dimming, ScopesAndTheButtonsOnlyAConnectionUndims) {
    const std::vector<DimControl> transfer = {DimControl::SendButton, DimControl::GetButton,
                                              DimControl::RamSelect, DimControl::EepromSelect,
                                              DimControl::FileSelect};
    const std::vector<DimControl> always = {DimControl::GoButton,         DimControl::ConnectButton,
                                            DimControl::DisconnectButton, DimControl::BaudRateSelect,
                                            DimControl::ScopeScan,        DimControl::DoubleParameterStart};
    DimmingModel m;
    // A fresh model waits for a confirmed connection, nothing else.
    for (DimControl c :
         {DimControl::AcceptButton, DimControl::ChangeBaudRateButton, DimControl::HardwareInfoButton})
        EXPECT_TRUE(m.dimmed(c));
    for (auto c : always)
        EXPECT_FALSE(m.dimmed(c));
    m.setConfirmedConnectionButtons(false);
    std::vector<std::pair<DimControl, bool>> seen;
    m.subscribe([&](DimControl c, bool d) { seen.emplace_back(c, d); });

    m.SetButtonsDimmed(1, true);
    for (auto c : always)
        EXPECT_TRUE(m.dimmed(c));
    for (auto c : transfer)
        EXPECT_FALSE(m.dimmed(c));
    EXPECT_TRUE(m.dimmed(DimControl::ChangeBaudRateButton));
    EXPECT_TRUE(m.dimmed(DimControl::HardwareInfoButton));
    EXPECT_FALSE(m.dimmed(DimControl::AcceptButton));

    m.SetButtonsDimmed(0, true);
    for (auto c : transfer)
        EXPECT_TRUE(m.dimmed(c));
    m.SetButtonsDimmed(0, false);
    for (auto c : always)
        EXPECT_FALSE(m.dimmed(c));
    for (auto c : transfer)
        EXPECT_FALSE(m.dimmed(c));
    EXPECT_TRUE(m.dimmed(DimControl::ChangeBaudRateButton));
    EXPECT_TRUE(m.dimmed(DimControl::HardwareInfoButton));

    m.apply(Dimmable::ConfirmedConnectionButtons, false);
    EXPECT_FALSE(m.dimmed(DimControl::ChangeBaudRateButton));
    m.apply(Dimmable::SensorButtons, true);
    EXPECT_TRUE(m.dimmed(DimControl::SendButton));
    EXPECT_TRUE(m.dimmed(DimControl::HardwareInfoButton));

    // Observers hear actual changes only: dimming what is dimmed is silent.
    const auto before = seen.size();
    m.SetButtonsDimmed(0, true);
    EXPECT_EQ(seen.size(), before);
}

TEST(ConnectOption, ReadsBothFormsAndRefusesTheRest) {
    struct Case {
        const char* text;
        std::optional<ConnectOption> parsed;
    };
    const Case cases[] = {
        {"tcp:127.0.0.1:5000", ConnectOption{true, "127.0.0.1", "5000", 0, ""}},
        {"tcp:sensor.local:1", ConnectOption{true, "sensor.local", "1", 0, ""}},
        {"tcp:h:65535", ConnectOption{true, "h", "65535", 0, ""}},
        {"serial:/dev/pts/3", ConnectOption{false, "", "", 0, "/dev/pts/3"}},
        {"serial:COM3", ConnectOption{false, "", "", 3, ""}},
        {"serial:12", ConnectOption{false, "", "", 12, ""}},
        {"serial:COM256", ConnectOption{false, "", "", 0, "COM256"}}, // no COM number: a name
        {"tcp:127.0.0.1", std::nullopt},
        {"tcp::5000", std::nullopt},
        {"tcp:h:0", std::nullopt},
        {"tcp:h:65536", std::nullopt},
        {"tcp:h:50x0", std::nullopt},
        {"tcp:h:", std::nullopt},
        {"serial:", std::nullopt},
        {"udp:h:5000", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseConnectOption(c.text), c.parsed) << c.text;
}

} // namespace
} // namespace tavrino::app

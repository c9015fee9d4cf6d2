#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tavrino::scope {

inline constexpr int kSamples = 128;
inline constexpr int kFrames = 4;
inline constexpr int kOrderScan = 110;
inline constexpr std::uint16_t kArgumentStart = 1;
inline constexpr std::uint16_t kArgumentBreak = 0;
inline constexpr std::size_t kStartPayloadSize = 12;
inline constexpr std::size_t kStatePayloadSize = 256;  // 128 x 16-bit states
inline constexpr std::size_t kSignalPayloadSize = 512; // 128 x 32-bit samples
// The recorded signal whose samples are colour-space values in 16.16 fixed point.
inline constexpr int kColourSpaceSignal = 1;
inline constexpr int kSingleShot = 0;

// Everything a TCP scan receives from the start request on: the start reply
// (header only), then the four frames with their headers.
inline constexpr std::size_t kTcpStartReplySize = 8;
inline constexpr std::size_t kTcpScanSize =
    kTcpStartReplySize + (8 + kStatePayloadSize) + 3 * (8 + kSignalPayloadSize); // 1832

// The scope page's settings, read at the start of each scan.
struct ScanSettings {
    int triggerMode = 0; // 0 single shot, 1 rising, 2 falling, 3 colour number 0, 4 IN0
    int preTrigger = 0;
    int scanRate = 1;
    int recordedSignal = 0;
    double triggerLevel = 0.0;
};

// Which trigger fields a trigger mode leaves without meaning: single shot
// needs neither, the edges both, the colour-number and IN0 triggers only the
// pre-trigger values.
struct TriggerFieldDimming {
    bool level = false;
    bool preTrigger = false;
};
[[nodiscard]] TriggerFieldDimming triggerFieldDimming(int triggerMode);

// Trigger level as the sensor takes it: truncated towards zero, in 16.16 fixed
// point for the colour-space signal. Values beyond the 32-bit range are held
// at its ends rather than wrapped into a level of the other sign.
[[nodiscard]] std::int32_t triggerLevelWord(double level, int recordedSignal);

// The 12-byte payload of the scan start request (order 110, argument 1).
[[nodiscard]] std::array<std::uint8_t, kStartPayloadSize> encodeStartRequest(const ScanSettings& s);

// Ring position of output position 0: pre-trigger samples before the trigger
// index, or the ring start in single shot mode.
[[nodiscard]] int startPosition(int triggerMode, int preTrigger, int triggerIndex);

// A finished scan, in output order.
struct ScanResult {
    std::array<double, kSamples> red{};
    std::array<double, kSamples> green{};
    std::array<double, kSamples> blue{};
    std::array<std::int16_t, kSamples> states{};
    std::array<int, kSamples> digital0{}; // bit 0 drawn as 2/3
    std::array<int, kSamples> digital1{}; // bit 1 drawn as 0/1
    std::array<int, kSamples> digital2{}; // bit 2 drawn as 4/5
};

// Payload size frame `k` carries.
[[nodiscard]] std::size_t framePayloadSize(int k);

// Converts the payload of frame `k` (0 states, 1..3 red, green, blue) into
// `out`, starting at ring position `start`.
void convertFrame(int k, const std::uint8_t* payload, int start, int recordedSignal, ScanResult& out);

// Digital traces from the state samples, at their drawing offsets.
void buildDigitalTraces(ScanResult& out);

enum class TcpScanVerdict {
    Good,
    BadHeader, // a header failed its checks, announced no payload or not its frame's size
    BadData,   // a payload's CRC differs from its header's data CRC
};

// Decodes the four frames of a TCP scan. `frames` holds the bytes after the
// start reply: kTcpScanSize - 8 of them. `out` is complete only on Good.
[[nodiscard]] TcpScanVerdict decodeTcpScan(const std::uint8_t* frames, const ScanSettings& s,
                                           ScanResult& out);

} // namespace tavrino::scope

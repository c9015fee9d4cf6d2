#include "scope/scan.h"

#include "link/frame.h"

#include <cmath>
#include <limits>

namespace tavrino::scope {

TriggerFieldDimming triggerFieldDimming(int triggerMode) {
    switch (triggerMode) {
    case 1:
    case 2:
        return {false, false};
    case 3:
    case 4:
        return {true, false};
    default:
        return {true, true};
    }
}

std::int32_t triggerLevelWord(double level, int recordedSignal) {
    double value = recordedSignal == kColourSpaceSignal ? level * 65536.0 : level;
    if (!std::isfinite(value))
        return 0;
    value = std::trunc(value);
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (value <= lo)
        return std::numeric_limits<std::int32_t>::min();
    if (value >= hi)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

std::array<std::uint8_t, kStartPayloadSize> encodeStartRequest(const ScanSettings& s) {
    std::array<std::uint8_t, kStartPayloadSize> p{};
    link::writeU32(p.data(), static_cast<std::uint32_t>(triggerLevelWord(s.triggerLevel, s.recordedSignal)));
    link::writeU16(p.data() + 4, static_cast<std::uint16_t>(s.triggerMode));
    link::writeU16(p.data() + 6, static_cast<std::uint16_t>(s.preTrigger));
    link::writeU16(p.data() + 8, static_cast<std::uint16_t>(s.scanRate));
    link::writeU16(p.data() + 10, static_cast<std::uint16_t>(s.recordedSignal));
    return p;
}

namespace {
int ringIndex(int v) {
    const int m = v % kSamples;
    return m < 0 ? m + kSamples : m;
}
} // namespace

int startPosition(int triggerMode, int preTrigger, int triggerIndex) {
    if (triggerMode == kSingleShot)
        return 0;
    return ringIndex(kSamples - preTrigger + triggerIndex);
}

std::size_t framePayloadSize(int k) {
    return k == 0 ? kStatePayloadSize : kSignalPayloadSize;
}

void convertFrame(int k, const std::uint8_t* payload, int start, int recordedSignal, ScanResult& out) {
    if (k == 0) {
        for (int i = 0; i < kSamples; ++i)
            out.states[i] = link::readI16(payload + 2 * ringIndex(start + i));
        return;
    }
    auto& trace = k == 1 ? out.red : k == 2 ? out.green : out.blue;
    const double scale = recordedSignal == kColourSpaceSignal ? 65536.0 : 1.0;
    for (int i = 0; i < kSamples; ++i)
        trace[i] = static_cast<double>(link::readI32(payload + 4 * ringIndex(start + i))) / scale;
}

void buildDigitalTraces(ScanResult& out) {
    for (int i = 0; i < kSamples; ++i) {
        const int state = out.states[i];
        out.digital0[i] = (state & 1) + 2;
        out.digital1[i] = (state >> 1) & 1;
        out.digital2[i] = ((state >> 2) & 1) + 4;
    }
}

TcpScanVerdict decodeTcpScan(const std::uint8_t* frames, const ScanSettings& s, ScanResult& out) {
    std::size_t offset = 0;
    int start = 0;
    for (int k = 0; k < kFrames; ++k) {
        const std::uint8_t* header = frames + offset;
        link::ReplyHeader h;
        // A frame of the wrong size would shift every later frame; it is as
        // unusable as a header that failed its CRC.
        if (link::checkReplyHeader(header, h) != link::HeaderVerdict::Good || h.length == 0 ||
            h.length != framePayloadSize(k))
            return TcpScanVerdict::BadHeader;
        const std::uint8_t* payload = header + link::kHeaderSize;
        if (link::crc8Update(payload, 0, h.length) != h.dataCrc)
            return TcpScanVerdict::BadData;
        if (k == 0)
            start = startPosition(s.triggerMode, s.preTrigger, static_cast<std::int16_t>(h.argument));
        convertFrame(k, payload, start, s.recordedSignal, out);
        offset += link::kHeaderSize + h.length;
    }
    buildDigitalTraces(out);
    return TcpScanVerdict::Good;
}

} // namespace tavrino::scope

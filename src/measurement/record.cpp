#include "measurement/record.h"

#include "common/convert.h"
#include "link/frame.h"

#include <algorithm>
#include <cstring>

namespace tavrino::measurement {

using link::readI16;
using link::readI32;

void ConvertData(MeasurementRecord& r) {
    const std::uint8_t* p = r.raw.data();
    r.csX = fixedToDouble(readI32(p + 0));
    r.csY = fixedToDouble(readI32(p + 4));
    r.csI = fixedToDouble(readI32(p + 8));
    r.refX = fixedToDouble(readI32(p + 12));
    r.refY = fixedToDouble(readI32(p + 16));
    r.refI = fixedToDouble(readI32(p + 20));
    r.deltaE = fixedToDouble(readI32(p + 24));
    r.X = readI16(p + 28);
    r.Y = readI16(p + 30);
    r.Z = readI16(p + 32);
    r.rawX = readI16(p + 34);
    r.rawY = readI16(p + 36);
    r.rawZ = readI16(p + 38);
    r.colorNo = readI16(p + 40);
    r.in0 = readI16(p + 42);
    r.temp = readI16(p + 44);
    r.dpSet = readI16(p + 46);
    r.sat = readI16(p + 48);
}

std::array<std::uint8_t, kPayloadSize> encodeRecord(const MeasurementRecord& r) {
    // Seven 16.16 fixed-point values from byte 0, eleven words from byte 28,
    // as ConvertData reads them; bytes 50 and 51 stay zero.
    std::array<std::uint8_t, kPayloadSize> out{};
    const double fixed[] = {r.csX, r.csY, r.csI, r.refX, r.refY, r.refI, r.deltaE};
    for (std::size_t i = 0; i < 7; ++i)
        link::writeU32(out.data() + 4 * i, static_cast<std::uint32_t>(clampToI32(fixed[i] * 65536.0).value));
    const std::int16_t words[] = {r.X,       r.Y,   r.Z,    r.rawX,  r.rawY, r.rawZ,
                                  r.colorNo, r.in0, r.temp, r.dpSet, r.sat};
    for (std::size_t i = 0; i < 11; ++i)
        link::writeU16(out.data() + 28 + 2 * i, static_cast<std::uint16_t>(words[i]));
    return out;
}

void acceptFrame(MeasurementRecord& record, const std::uint8_t* payload, std::size_t length,
                 bool keepPrevious) {
    if (keepPrevious)
        record.prevColorNo = record.colorNo;
    record.raw.fill(0);
    std::memcpy(record.raw.data(), payload, std::min(length, kPayloadSize));
    ConvertData(record);
}

DisplayColour displayColour(const MeasurementRecord& r) {
    return {r.X / 16, r.Y / 16, r.Z / 16};
}

DisplayColour clampedColour(DisplayColour c) {
    auto clamp = [](int v) { return std::clamp(v, 0, 255); };
    return {clamp(c.red), clamp(c.green), clamp(c.blue)};
}

Deviations singleDeviations(const MeasurementRecord& r, const TeachRows& table) {
    if (r.colorNo >= 0 && r.colorNo <= 2) {
        const auto& row = table[static_cast<std::size_t>(r.colorNo)];
        return {r.csX - row[0], r.csY - row[1], r.csI - row[2]};
    }
    return {r.deltaE, r.deltaE, r.deltaE};
}

void GraphHistories::append(const MeasurementRecord& r) {
    std::shift_left(xyz.begin(), xyz.end(), 3);
    xyz[xyz.size() - 3] = r.X;
    xyz[xyz.size() - 2] = r.Y;
    xyz[xyz.size() - 1] = r.Z;
    auto push = [](auto& h, double v) {
        std::shift_left(h.begin(), h.end(), 1);
        h.back() = v;
    };
    push(csX, r.csX);
    push(csY, r.csY);
    push(csI, r.csI);
}

void GraphHistories::clear() {
    xyz.fill(0);
    csX.fill(0);
    csY.fill(0);
    csI.fill(0);
}

} // namespace tavrino::measurement

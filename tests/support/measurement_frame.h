#pragma once

// The payload of a measurement reply (order 8), field by field, for scripted
// sensors. Needs the link library (its word writers).

#include "link/frame.h"
#include "measurement/record.h"

#include <QByteArray>

#include <cmath>
#include <cstdint>

namespace tavrino::test {

// The fields of a measurement frame as the sensor means them; unset ones are 0.
struct MeasurementFrame {
    double csX = 0, csY = 0, csI = 0;
    double refX = 0, refY = 0, refI = 0;
    double deltaE = 0;
    int X = 0, Y = 0, Z = 0;
    int rawX = 0, rawY = 0, rawZ = 0;
    int colorNo = 0, in0 = 0, temp = 0, dpSet = 0, sat = 0;
};

// Seven 16.16 fixed-point values, then eleven 16-bit words.
inline QByteArray measurementPayload(const MeasurementFrame& f) {
    QByteArray bytes(static_cast<int>(measurement::kPayloadSize), '\0');
    auto* p = reinterpret_cast<std::uint8_t*>(bytes.data());
    const double fixed[] = {f.csX, f.csY, f.csI, f.refX, f.refY, f.refI, f.deltaE};
    for (int i = 0; i < 7; ++i)
        link::writeU32(p + 4 * i, static_cast<std::uint32_t>(
                                      static_cast<std::int32_t>(std::lround(fixed[i] * 65536.0))));
    const int words[] = {f.X, f.Y, f.Z, f.rawX, f.rawY, f.rawZ, f.colorNo, f.in0, f.temp, f.dpSet, f.sat};
    for (int i = 0; i < 11; ++i)
        link::writeU16(p + 28 + 2 * i, static_cast<std::uint16_t>(words[i]));
    return bytes;
}

} // namespace tavrino::test

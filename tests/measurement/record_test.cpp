// Decoding of the measurement payload and what the program derives from it:
// display colour, single deviations and graph histories.

#include "measurement/record.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tavrino::measurement {
namespace {

using Payload = std::array<std::uint8_t, kPayloadSize>;

void put16(Payload& p, std::size_t at, std::int16_t v) {
    const auto u = static_cast<std::uint16_t>(v);
    p[at] = static_cast<std::uint8_t>(u & 0xFF);
    p[at + 1] = static_cast<std::uint8_t>(u >> 8);
}

MeasurementRecord decoded(const Payload& p) {
    MeasurementRecord r;
    acceptFrame(r, p.data(), p.size(), true);
    return r;
}

TEST(Decoding, FixedPointBytes) {
    struct Case {
        std::array<std::uint8_t, 4> bytes;
        double value;
    };
    const std::vector<Case> cases = {
        {{0x00, 0x00, 0xFF, 0xFF}, -1.0},
        {{0x00, 0x80, 0x01, 0x00}, 1.5},
        {{0x01, 0x00, 0x00, 0x00}, 1.0 / 65536.0},
        {{0x00, 0x00, 0x00, 0x80}, -32768.0},
        {{0xFF, 0xFF, 0xFF, 0x7F}, 32767.0 + 65535.0 / 65536.0},
    };
    // every 32-bit field of the layout, one after the other
    const std::size_t offsets[] = {0, 4, 8, 12, 16, 20, 24};
    for (const auto& c : cases) {
        for (std::size_t field = 0; field < 7; ++field) {
            Payload p{};
            std::copy(c.bytes.begin(), c.bytes.end(), p.begin() + static_cast<long>(offsets[field]));
            const auto r = decoded(p);
            const double values[] = {r.csX, r.csY, r.csI, r.refX, r.refY, r.refI, r.deltaE};
            for (std::size_t other = 0; other < 7; ++other)
                EXPECT_EQ(values[other], other == field ? c.value : 0.0) << field << " " << other;
        }
    }
}

TEST(Decoding, SixteenBitFieldsAtTheirOffsets) {
    Payload p{};
    const std::int16_t values[] = {4095, -1, 2048, 1234, -32768, 32767, 255, 1, 321, 2, 1};
    for (std::size_t i = 0; i < 11; ++i)
        put16(p, 28 + 2 * i, values[i]);
    put16(p, 50, 0x7777); // not used
    const auto r = decoded(p);
    EXPECT_EQ(r.X, 4095);
    EXPECT_EQ(r.Y, -1);
    EXPECT_EQ(r.Z, 2048);
    EXPECT_EQ(r.rawX, 1234);
    EXPECT_EQ(r.rawY, -32768);
    EXPECT_EQ(r.rawZ, 32767);
    EXPECT_EQ(r.colorNo, 255);
    EXPECT_EQ(r.in0, 1);
    EXPECT_EQ(r.temp, 321);
    EXPECT_EQ(r.dpSet, 2);
    EXPECT_EQ(r.sat, 1);
    EXPECT_EQ(r.raw, p);
}

TEST(Decoding, ShortPayloadReadsMissingBytesAsZero) {
    MeasurementRecord r;
    Payload full{};
    full.fill(0xEE);
    acceptFrame(r, full.data(), full.size(), true);
    const std::uint8_t shortPayload[] = {0x00, 0x80, 0x01, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x11};
    acceptFrame(r, shortPayload, sizeof shortPayload, true);
    EXPECT_EQ(r.csX, 1.5);
    EXPECT_EQ(r.csY, -1.0);
    EXPECT_EQ(r.csI, 0x11 / 65536.0);
    EXPECT_EQ(r.deltaE, 0.0);
    EXPECT_EQ(r.X, 0);
    EXPECT_EQ(r.colorNo, 0);
    EXPECT_EQ(r.sat, 0);
    acceptFrame(r, shortPayload, 0, true);
    EXPECT_EQ(r.csX, 0.0);
}

TEST(Decoding, PreviousColourNumberIsKeptOnlyWhenAsked) {
    MeasurementRecord r;
    Payload p{};
    put16(p, 40, 2);
    acceptFrame(r, p.data(), p.size(), true);
    put16(p, 40, 255);
    acceptFrame(r, p.data(), p.size(), true);
    EXPECT_EQ(r.prevColorNo, 2);
    EXPECT_EQ(r.colorNo, 255);
    put16(p, 40, 0);
    acceptFrame(r, p.data(), p.size(), false);
    EXPECT_EQ(r.prevColorNo, 2);
    EXPECT_EQ(r.colorNo, 0);
}

// The encoder is what the simulated sensor sends: every field must come back
// from the decoder at its own place, and fixed-point values beyond 16.16 clamp.
TEST(Encoding, DecodesBackFieldByField) {
    MeasurementRecord in;
    const double fixed[] = {0.25, -1.5, 99.75, 1.0 / 65536.0, -32768.0, 1e9, -1e9};
    double* const fields[] = {&in.csX, &in.csY, &in.csI, &in.refX, &in.refY, &in.refI, &in.deltaE};
    for (std::size_t i = 0; i < 7; ++i)
        *fields[i] = fixed[i];
    std::int16_t* const words[] = {&in.X,       &in.Y,   &in.Z,    &in.rawX,  &in.rawY, &in.rawZ,
                                   &in.colorNo, &in.in0, &in.temp, &in.dpSet, &in.sat};
    for (std::size_t i = 0; i < 11; ++i)
        *words[i] = static_cast<std::int16_t>(i % 2 ? -1000 - static_cast<int>(i) : 1000 + i);
    const Payload bytes = encodeRecord(in);
    EXPECT_EQ(bytes[50], 0);
    EXPECT_EQ(bytes[51], 0);

    const auto out = decoded(bytes);
    const double back[] = {out.csX, out.csY, out.csI, out.refX, out.refY, out.refI, out.deltaE};
    const double expected[] = {0.25,    -1.5, 99.75, 1.0 / 65536.0, -32768.0, 32767.0 + 65535.0 / 65536.0,
                               -32768.0};
    for (std::size_t i = 0; i < 7; ++i)
        EXPECT_EQ(back[i], expected[i]) << i;
    const std::int16_t wordsBack[] = {out.X,       out.Y,   out.Z,    out.rawX,  out.rawY, out.rawZ,
                                      out.colorNo, out.in0, out.temp, out.dpSet, out.sat};
    for (std::size_t i = 0; i < 11; ++i)
        EXPECT_EQ(wordsBack[i], *words[i]) << i;
}

TEST(DisplayColourTest, SixteenthsTruncatedTowardZero) {
    struct Case {
        std::int16_t x, y, z;
        DisplayColour colour, clamped;
    };
    const std::vector<Case> cases = {
        {4095, 0, -16, {255, 0, -1}, {255, 0, 0}},
        {-15, 15, 16, {0, 0, 1}, {0, 0, 1}},
        {-17, 4111, 32767, {-1, 256, 2047}, {0, 255, 255}},
        {-32768, 160, 1600, {-2048, 10, 100}, {0, 10, 100}},
    };
    for (const auto& c : cases) {
        MeasurementRecord r;
        r.X = c.x;
        r.Y = c.y;
        r.Z = c.z;
        EXPECT_EQ(displayColour(r), c.colour) << c.x << " " << c.y << " " << c.z;
        EXPECT_EQ(clampedColour(displayColour(r)), c.clamped) << c.x << " " << c.y << " " << c.z;
    }
}

TEST(Deviations, FromTheHitRowOrDeltaE) {
    const TeachRows table = {
        {{0.25, 0.5, 40.0, 1, 1, 1}, {0.125, 0.75, 60.0, 2, 2, 2}, {-3.0, 8.0, 99.0, 3, 3, 3}}};
    MeasurementRecord r;
    r.csX = 0.5;
    r.csY = 1.0;
    r.csI = 50.0;
    r.deltaE = 7.5;
    struct Case {
        std::int16_t colorNo;
        double d1, d2, dI;
    };
    const std::vector<Case> cases = {
        {0, 0.25, 0.5, 10.0}, {1, 0.375, 0.25, -10.0}, {2, 3.5, -7.0, -49.0},
        {255, 7.5, 7.5, 7.5}, {3, 7.5, 7.5, 7.5},      {-1, 7.5, 7.5, 7.5},
    };
    for (const auto& c : cases) {
        r.colorNo = c.colorNo;
        const auto d = singleDeviations(r, table);
        EXPECT_DOUBLE_EQ(d.d1, c.d1) << c.colorNo;
        EXPECT_DOUBLE_EQ(d.d2, c.d2) << c.colorNo;
        EXPECT_DOUBLE_EQ(d.dI, c.dI) << c.colorNo;
    }
}

TEST(Histories, NewestLastOldestDropped) {
    GraphHistories h;
    MeasurementRecord r;
    for (int i = 1; i <= 101; ++i) {
        r.X = static_cast<std::int16_t>(i);
        r.Y = static_cast<std::int16_t>(1000 + i);
        r.Z = static_cast<std::int16_t>(-i);
        r.csX = i * 0.5;
        r.csY = -i;
        r.csI = i * 10.0;
        h.append(r);
    }
    // sample 1 fell out; sample 2 is the oldest
    EXPECT_EQ(h.xyz[0], 2);
    EXPECT_EQ(h.xyz[1], 1002);
    EXPECT_EQ(h.xyz[2], -2);
    EXPECT_EQ(h.xyz[297], 101);
    EXPECT_EQ(h.xyz[298], 1101);
    EXPECT_EQ(h.xyz[299], -101);
    EXPECT_EQ(h.csX.front(), 1.0);
    EXPECT_EQ(h.csX.back(), 50.5);
    EXPECT_EQ(h.csY.back(), -101.0);
    EXPECT_EQ(h.csI.back(), 1010.0);
    EXPECT_EQ(h.csI[98], 1000.0);
    h.clear();
    EXPECT_EQ(h.xyz[299], 0);
    EXPECT_EQ(h.csI.back(), 0);
}

TEST(Histories, FewSamplesLeaveZerosInFront) {
    GraphHistories h;
    MeasurementRecord r;
    r.X = 7;
    r.csX = 3.0;
    h.append(r);
    EXPECT_EQ(h.xyz[297], 7);
    EXPECT_EQ(h.xyz[294], 0);
    EXPECT_EQ(h.csX[98], 0);
    EXPECT_EQ(h.csX[99], 3.0);
}

} // namespace
} // namespace tavrino::measurement

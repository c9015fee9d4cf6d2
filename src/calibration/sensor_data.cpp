#include "calibration/sensor_data.h"

namespace tavrino::calibration {
namespace {

void putWord(std::vector<std::uint8_t>& out, std::uint16_t w) {
    out.push_back(static_cast<std::uint8_t>(w & 0xFF));
    out.push_back(static_cast<std::uint8_t>(w >> 8));
}

std::uint16_t wordAt(std::span<const std::uint8_t> bytes, std::size_t index) {
    const std::size_t at = index * 2;
    const std::uint16_t lo = at < bytes.size() ? bytes[at] : 0;
    const std::uint16_t hi = at + 1 < bytes.size() ? bytes[at + 1] : 0;
    return static_cast<std::uint16_t>(lo | (hi << 8));
}

void putTriple(std::vector<std::uint8_t>& out, const RawTriple& t) {
    for (std::uint16_t w : t)
        putWord(out, w);
}

RawTriple tripleAt(std::span<const std::uint8_t> bytes, std::size_t firstWord) {
    return {wordAt(bytes, firstWord), wordAt(bytes, firstWord + 1), wordAt(bytes, firstWord + 2)};
}

} // namespace

std::vector<std::uint8_t> encodeTable(const RawRows& table) {
    std::vector<std::uint8_t> out;
    out.reserve(kTableBytes);
    for (const RawTriple& row : table)
        putTriple(out, row);
    return out;
}

RawRows decodeTable(std::span<const std::uint8_t> bytes) {
    RawRows rows{};
    for (std::size_t r = 0; r < kSetValueRows; ++r)
        rows[r] = tripleAt(bytes, r * 3);
    return rows;
}

std::vector<std::uint8_t> encodeBlock(const CalibrationBlock& b) {
    std::vector<std::uint8_t> out;
    out.reserve(kBlockBytes);
    for (std::uint16_t w : b.parameters)
        putWord(out, w);
    putWord(out, b.rows);
    putTriple(out, b.whitePoint);
    putTriple(out, b.referenceActual);
    putTriple(out, b.whiteBalance);
    return out;
}

CalibrationBlock decodeBlock(std::span<const std::uint8_t> bytes) {
    CalibrationBlock b;
    for (std::size_t i = 0; i < b.parameters.size(); ++i)
        b.parameters[i] = wordAt(bytes, i);
    b.rows = wordAt(bytes, 16);
    b.whitePoint = tripleAt(bytes, 17);
    b.referenceActual = tripleAt(bytes, 20);
    b.whiteBalance = tripleAt(bytes, 23);
    return b;
}

std::vector<std::uint8_t> encodeFactorsAndBlock(const RawRows& factors, const CalibrationBlock& block) {
    std::vector<std::uint8_t> out = encodeTable(factors);
    const std::vector<std::uint8_t> b = encodeBlock(block);
    out.insert(out.end(), b.begin(), b.end());
    return out;
}

FactorsAndBlock decodeFactorsAndBlock(std::span<const std::uint8_t> bytes) {
    FactorsAndBlock r;
    r.factors = decodeTable(bytes);
    r.block = decodeBlock(bytes.size() > kTableBytes ? bytes.subspan(kTableBytes)
                                                     : std::span<const std::uint8_t>{});
    return r;
}

CalibrationBlock blockFor(const std::array<std::uint16_t, 16>& parameterWords, const CalibrationTables& t) {
    CalibrationBlock b;
    b.parameters = parameterWords;
    b.rows = t.rows;
    b.whitePoint = t.whitePoint;
    b.referenceActual = t.referenceActual;
    return b;
}

OffsetRecord decodeOffsetRecord(std::span<const std::uint8_t> bytes) {
    return {tripleAt(bytes, 0), tripleAt(bytes, 3)};
}

std::vector<std::uint8_t> encodeOffsetRecord(const OffsetRecord& record) {
    std::vector<std::uint8_t> out;
    putTriple(out, record.zeroPoint);
    putTriple(out, record.xyz);
    return out;
}

std::vector<std::uint8_t> encodeTriple(const RawTriple& triple) {
    std::vector<std::uint8_t> out;
    putTriple(out, triple);
    return out;
}

RawTriple decodeTriple(std::span<const std::uint8_t> bytes) {
    return tripleAt(bytes, 0);
}

} // namespace tavrino::calibration

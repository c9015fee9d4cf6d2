#pragma once

#include "calibration/tables.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tavrino::calibration {

// Sensor storage areas: even arguments hold the measured table, odd ones the
// factors with the block.
inline constexpr std::uint16_t kFactorySlot = 0;
inline constexpr std::uint16_t kUserSlot = 2;

inline constexpr std::size_t kTableBytes = 384; // 64 x 3 words
inline constexpr std::size_t kBlockBytes = 52;  // 26 words
inline constexpr std::size_t kFactorsAndBlockBytes = kTableBytes + kBlockBytes;

// A 64 x 3 table travels row by row: X, Y, Z of row 1, then X, Y, Z of row 2,
// and so on, each word little-endian. The sensor stores and returns the same
// order, so the one layout here serves sending and showing read-back data.
[[nodiscard]] std::vector<std::uint8_t> encodeTable(const RawRows& table);
// Missing bytes read as 0 (the reply lengths are not guaranteed).
[[nodiscard]] RawRows decodeTable(std::span<const std::uint8_t> bytes);

[[nodiscard]] std::vector<std::uint8_t> encodeBlock(const CalibrationBlock& block);
[[nodiscard]] CalibrationBlock decodeBlock(std::span<const std::uint8_t> bytes);

// The factor table followed by the block: the payload of the odd area.
[[nodiscard]] std::vector<std::uint8_t> encodeFactorsAndBlock(const RawRows& factors,
                                                              const CalibrationBlock& block);
struct FactorsAndBlock {
    RawRows factors{};
    CalibrationBlock block{};
};
[[nodiscard]] FactorsAndBlock decodeFactorsAndBlock(std::span<const std::uint8_t> bytes);

// The block a send stores, from the 16 parameter words and the reference tables.
[[nodiscard]] CalibrationBlock blockFor(const std::array<std::uint16_t, 16>& parameterWords,
                                        const CalibrationTables& t);

// Correction word (128 = 1.0) as the SENSOR DATA page shows it.
[[nodiscard]] inline double correctionFactor(std::uint16_t word) {
    return word * 0.0078125;
}

// The offset record: zero-point X, Y, Z then XYZ offset X, Y, Z (12 bytes).
struct OffsetRecord {
    RawTriple zeroPoint{};
    RawTriple xyz{};
    friend bool operator==(const OffsetRecord&, const OffsetRecord&) = default;
};
inline constexpr std::size_t kOffsetRecordBytes = 12;
[[nodiscard]] OffsetRecord decodeOffsetRecord(std::span<const std::uint8_t> bytes);
[[nodiscard]] std::vector<std::uint8_t> encodeOffsetRecord(const OffsetRecord& record);
// Three words, the payload of an offset send.
[[nodiscard]] std::vector<std::uint8_t> encodeTriple(const RawTriple& triple);
[[nodiscard]] RawTriple decodeTriple(std::span<const std::uint8_t> bytes);

} // namespace tavrino::calibration

#include "parameters/wire.h"

#include "common/convert.h"
#include "link/frame.h"
#include "teach/teach_table.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tavrino::parameters {

namespace {

constexpr std::size_t kTeachWordsPerVector = 8;
constexpr std::size_t kTeachWordSize = 4;

} // namespace

std::uint16_t correctionWord(double value) {
    return clampToU16(value * kCorrectionScale).value;
}

std::uint16_t cubeRootWord(double value) {
    double product = value * kCorrectionScale;
    // A value beyond the correction word travels as the word's highest value,
    // so its cube root is that of the highest word.
    if (product >= 65536.0)
        product = 65535.0;
    return clampToU16(std::cbrt(product) * kCubeRootScale).value;
}

double correctionValue(std::uint16_t word) {
    return static_cast<double>(word) / kCorrectionScale;
}

std::int32_t toFixedPoint(double cell) {
    if (const auto word = teach::cellWord(cell))
        return *word;
    // A cell no word holds goes out as the nearest word; the operator's
    // entries never get here, they are refused.
    return clampToI32(cell * kFixedPointOne).value;
}

double fromFixedPoint(std::int32_t word) {
    return static_cast<double>(word) / kFixedPointOne;
}

void setCorrection(ParameterSet& set, std::size_t axis, double value) {
    if (axis > 2)
        return;
    set.words[word::CorrectionX + axis] = correctionWord(value);
    set.words[word::CubeRootX + axis] = cubeRootWord(value);
}

void encodeParameterBlock(const ParameterSet& set, std::uint8_t* out) {
    for (std::size_t i = 0; i < kWordCount; ++i)
        link::writeU16(out + 2 * i, set.words[i]);
}

void decodeParameterBlock(ParameterSet& set, const std::uint8_t* bytes, std::size_t length) {
    std::array<std::uint8_t, kParameterBlockSize> block{};
    std::memcpy(block.data(), bytes, std::min(length, block.size()));
    for (std::size_t i = 0; i < kWordCount; ++i)
        set.words[i] = link::readU16(block.data() + 2 * i);
}

void encodeTeachBlock(ParameterSet& set) {
    for (std::size_t row = 0; row < set.teach.size(); ++row)
        for (std::size_t c = 0; c < set.teach[row].size(); ++c)
            link::writeU32(set.teachBlock.data() + kTeachVectorSize * row + kTeachWordSize * c,
                           static_cast<std::uint32_t>(toFixedPoint(set.teach[row][c])));
}

void decodeTeachBlock(ParameterSet& set, const std::uint8_t* bytes, std::size_t length) {
    set.teachBlock.fill(0);
    std::memcpy(set.teachBlock.data(), bytes, std::min(length, set.teachBlock.size()));
    for (std::size_t row = 0; row < set.teach.size(); ++row)
        for (std::size_t c = 0; c < set.teach[row].size(); ++c)
            set.teach[row][c] = fromFixedPoint(
                link::readI32(set.teachBlock.data() + kTeachVectorSize * row + kTeachWordSize * c));
}

static_assert(kTeachVectorSize == kTeachWordsPerVector * kTeachWordSize);

} // namespace tavrino::parameters

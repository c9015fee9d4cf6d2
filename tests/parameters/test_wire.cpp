#include "parameters/wire.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace tavrino::parameters {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::int32_t i32At(const std::uint8_t* p) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
        (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
}

TEST(WireTest, CorrectionValuesGiveTheirWordAndCubeRootWord) {
    struct Case {
        double value;
        std::uint16_t word;
        std::uint16_t cubeRoot;
    };
    const Case cases[] = {
        {1.5, 192, 5907},                            // cbrt(192) x 1024 = 5907.1
        {1.0, 128, 5160},                            // cbrt(128) x 1024 = 5160.6
        {1.503, 192, 5911},                          // the cube root uses the untruncated 192.384
        {0.0, 0, 0},          {-1.0, 0, 0},          // below the field: lowest value
        {kNaN, 0, 0},         {600.0, 65535, 41284}, // beyond the word: both as for the highest word
        {kInf, 65535, 41284},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(correctionWord(c.value), c.word) << c.value;
        EXPECT_EQ(cubeRootWord(c.value), c.cubeRoot) << c.value;
    }
    EXPECT_EQ(correctionValue(192), 1.5);
    EXPECT_EQ(correctionValue(65535), 65535.0 / 128.0);
}

TEST(WireTest, TeachCellsTravelInFixedPointTruncatedTowardZero) {
    struct Case {
        double cell;
        std::int32_t word;
    };
    const Case cases[] = {
        {-0.5, -32768},
        {std::ldexp(1.0, -17), 0},
        {-std::ldexp(1.0, -17), 0},
        {1.5, 98304},
        {0.31234, 20469}, // 20469.5... truncated
        {-0.31234, -20469},
        {kNaN, 0},
        {1e10, std::numeric_limits<std::int32_t>::max()},
        {-1e10, std::numeric_limits<std::int32_t>::min()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(toFixedPoint(c.cell), c.word) << c.cell;
    EXPECT_EQ(fromFixedPoint(-32768), -0.5);
}

TEST(WireTest, ParameterBlockIsLittleEndianAndAShortBlockLeavesZeros) {
    ParameterSet set;
    for (std::size_t i = 0; i < kWordCount; ++i)
        set.words[i] = static_cast<std::uint16_t>(0x0102 * (i + 1));
    std::array<std::uint8_t, kParameterBlockSize> bytes{};
    encodeParameterBlock(set, bytes.data());
    EXPECT_EQ(bytes[0], 0x02);
    EXPECT_EQ(bytes[1], 0x01);
    EXPECT_EQ(bytes[62], 0x40); // word 31 = 0x2040
    EXPECT_EQ(bytes[63], 0x20);

    ParameterSet back;
    decodeParameterBlock(back, bytes.data(), bytes.size());
    EXPECT_EQ(back.words, set.words);

    ParameterSet shortSet;
    shortSet.words.fill(0xFFFF);
    decodeParameterBlock(shortSet, bytes.data(), 5); // two words and half of the third
    EXPECT_EQ(shortSet.words[0], 0x0102);
    EXPECT_EQ(shortSet.words[1], 0x0204);
    EXPECT_EQ(shortSet.words[2], 0x0006);
    for (std::size_t i = 3; i < kWordCount; ++i)
        EXPECT_EQ(shortSet.words[i], 0) << i;
}

TEST(WireTest, TeachBlockCarriesTheCellsAndKeepsTheTwoUninterpretedWords) {
    std::array<std::uint8_t, kTeachBlockSize> received{};
    for (std::size_t i = 0; i < received.size(); ++i)
        received[i] = static_cast<std::uint8_t>(i * 7 + 3);
    ParameterSet set;
    decodeTeachBlock(set, received.data(), received.size());
    EXPECT_EQ(set.teach[1][2], i32At(received.data() + 32 + 8) / 65536.0);

    set.teach = {{{0.5, -0.5, 100.0, 0.02, 0.04, 0.0},
                  {1.0, 2.0, 3.0, 4.0, 5.0, 6.0},
                  {-1.25, 0.0, std::ldexp(1.0, -17), 0.0, 0.0, 0.0}}};
    encodeTeachBlock(set);
    for (std::size_t row = 0; row < 3; ++row) {
        for (std::size_t c = 0; c < 6; ++c)
            EXPECT_EQ(i32At(set.teachBlock.data() + 32 * row + 4 * c), toFixedPoint(set.teach[row][c]));
        for (std::size_t b = 24; b < 32; ++b) // words 6..7 as last received
            EXPECT_EQ(set.teachBlock[32 * row + b], received[32 * row + b]) << row << ":" << b;
    }
    EXPECT_EQ(i32At(set.teachBlock.data()), 32768);
    EXPECT_EQ(i32At(set.teachBlock.data() + 4), -32768);
    EXPECT_EQ(i32At(set.teachBlock.data() + 64 + 8), 0);
}

TEST(WireTest, ShortTeachBlockLeavesZeroCellsAndZeroKeptWords) {
    ParameterSet set;
    set.teachBlock.fill(0xAB);
    set.teach[2][5] = 9.0;
    std::array<std::uint8_t, 8> received{0, 0, 1, 0, 0, 0, 2, 0}; // 1.0 and 2.0
    decodeTeachBlock(set, received.data(), received.size());
    EXPECT_EQ(set.teach[0][0], 1.0);
    EXPECT_EQ(set.teach[0][1], 2.0);
    EXPECT_EQ(set.teach[2][5], 0.0);
    EXPECT_EQ(set.teachBlock[95], 0);
}

} // namespace
} // namespace tavrino::parameters

TEST(WireTest, CellsTruncateAndOnlyAFilesRoundingIsTakenOntoTheWord) {
    using tavrino::parameters::fromFixedPoint;
    using tavrino::parameters::toFixedPoint;
    struct Case {
        const char* text; // as the operator typed it or a parameter file holds it
        std::int32_t word;
    };
    const Case cases[] = {
        {"610.36", 40000552}, // x 65536 = 40000552.96
        {"-610.36", -40000552},
        {"32767.99", 2147482992},          // 2147482992.64
        {"0.00001", 0},                    // 0.65536
        {"22004.70193481445", 1442100146}, // saved from that word, read back 2e-7 below it
        {"-17492.57725524902", -1146393543},
        {"32767.99998474121", 2147483647},
        {"-32768", -2147483647 - 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(toFixedPoint(std::strtod(c.text, nullptr)), c.word) << c.text;

    // Every word, saved with 16 significant digits and read back, goes out
    // as itself.
    std::uint32_t bits = 12345;
    for (int i = 0; i < 100000; ++i) {
        bits = bits * 1664525u + 1013904223u;
        const auto word = static_cast<std::int32_t>(bits);
        char text[64];
        std::snprintf(text, sizeof text, "%.16g", fromFixedPoint(word));
        ASSERT_EQ(toFixedPoint(std::strtod(text, nullptr)), word) << text;
    }
    // Values between two steps still truncate toward zero.
    EXPECT_EQ(toFixedPoint(1.99999 / 65536.0), 1);
    EXPECT_EQ(toFixedPoint(-1.99999 / 65536.0), -1);
}

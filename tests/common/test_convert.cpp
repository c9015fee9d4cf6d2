#include "common/convert.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace tavrino {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(ClampToInteger, SixteenBitUnsigned) {
    const struct {
        double in;
        std::uint16_t value;
        bool clamped;
    } cases[] = {
        {0.0, 0, false},        {59916.78, 59916, false}, {65535.99, 65535, false}, {65536.0, 65535, true},
        {70000.0, 65535, true}, {-0.7, 0, false},         {-1.0, 0, true},          {kInf, 65535, true},
        {-kInf, 0, true},       {kNaN, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(clampToU16(c.in), (Clamped<std::uint16_t>{c.value, c.clamped}));
    }
}

TEST(ClampToInteger, SignedTypesTruncateTowardZero) {
    EXPECT_EQ(clampToI16(-2.9), (Clamped<std::int16_t>{-2, false}));
    EXPECT_EQ(clampToI16(32767.5), (Clamped<std::int16_t>{32767, false}));
    EXPECT_EQ(clampToI16(32768.0), (Clamped<std::int16_t>{32767, true}));
    EXPECT_EQ(clampToI16(-32768.9), (Clamped<std::int16_t>{-32768, false}));
    EXPECT_EQ(clampToI16(-32769.0), (Clamped<std::int16_t>{-32768, true}));
    EXPECT_EQ(clampToI16(kNaN), (Clamped<std::int16_t>{0, true}));

    EXPECT_EQ(clampToI32(2147483647.9), (Clamped<std::int32_t>{2147483647, false}));
    EXPECT_EQ(clampToI32(2147483648.0), (Clamped<std::int32_t>{2147483647, true}));
    EXPECT_EQ(clampToI32(-2147483648.5), (Clamped<std::int32_t>{-2147483647 - 1, false}));
    EXPECT_EQ(clampToI32(-2147483649.0), (Clamped<std::int32_t>{-2147483647 - 1, true}));
    EXPECT_EQ(clampToI32(-kInf), (Clamped<std::int32_t>{-2147483647 - 1, true}));
    EXPECT_EQ(clampToI32(1e300), (Clamped<std::int32_t>{2147483647, true}));
}

TEST(ClampToInteger, SixtyFourBitLimitsWithoutOverflow) {
    // 2^63 is exactly representable but one past the highest int64 value.
    constexpr double twoTo63 = 9223372036854775808.0;
    EXPECT_EQ(clampToInteger<std::int64_t>(twoTo63),
              (Clamped<std::int64_t>{std::numeric_limits<std::int64_t>::max(), true}));
    EXPECT_EQ(clampToInteger<std::int64_t>(-twoTo63),
              (Clamped<std::int64_t>{std::numeric_limits<std::int64_t>::min(), false}));
    EXPECT_EQ(clampToInteger<std::uint64_t>(2 * twoTo63),
              (Clamped<std::uint64_t>{std::numeric_limits<std::uint64_t>::max(), true}));
    EXPECT_EQ(clampToInteger<std::uint64_t>(twoTo63), (Clamped<std::uint64_t>{1ull << 63, false}));
}

} // namespace
} // namespace tavrino

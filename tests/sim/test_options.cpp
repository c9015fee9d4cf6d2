#include "parameters/options.h"
#include "parameters/parameter_file.h"

#include <gtest/gtest.h>

#include <limits>

namespace tavrino::parameters {
namespace {

TEST(OptionTable, TableAgreesWithItselfAndTheParameterFile) {
    const auto& table = optionTable();
    for (std::size_t w = 0; w < kWordCount; ++w) {
        const OptionEntry& option = table[w];
        SCOPED_TRACE(std::string(option.name));
        EXPECT_LE(option.min, option.max);
        if (w < kFileWordCount) {
            EXPECT_GE(option.defaultValue, option.min);
            EXPECT_LE(option.defaultValue, option.max);
        }
        EXPECT_EQ(option.kind == ControlKind::Ring, !option.codes.empty());
        // A ring offers exactly its plausible range, each code labelled in
        // both languages.
        if (!option.codes.empty()) {
            EXPECT_EQ(option.codes.front().code, option.min);
            EXPECT_EQ(option.codes.back().code, option.max);
            EXPECT_EQ(option.codes.size(), std::size_t(option.max - option.min + 1));
            for (const OptionCode& c : option.codes) {
                EXPECT_FALSE(c.label.de.empty());
                EXPECT_FALSE(c.label.en.empty());
            }
        }
    }
    ASSERT_NE(findCode(word::Gain, 8), nullptr);
    EXPECT_EQ(findCode(word::Gain, 8)->label.in(Language::English), "AMP8");
    EXPECT_EQ(findCode(word::Gain, 8)->label.in(Language::German), "VST8");
    EXPECT_EQ(findCode(word::Gain, 0), nullptr);
    EXPECT_EQ(findCode(word::ShapeMode, 2)->label.in(Language::German), "KUGEL");
}

TEST(OptionTable, PlausibilityCheckReplacesEachWordJustOutsideItsRange) {
    const ParameterWords defaults = defaultParameterWords();
    {
        ParameterWords words = defaults;
        EXPECT_EQ(plausibilityCheck(words), 0);
        EXPECT_EQ(words, defaults);
    }
    for (std::size_t w = 0; w < kFileWordCount; ++w) {
        const OptionEntry& option = optionEntry(w);
        SCOPED_TRACE(std::string(option.name));
        for (std::uint16_t edge : {option.min, option.max}) {
            ParameterWords words = defaults;
            words[w] = edge;
            EXPECT_EQ(plausibilityCheck(words), 0);
            EXPECT_EQ(words[w], edge);
        }
        std::vector<std::uint16_t> outside;
        if (option.min > 0)
            outside.push_back(static_cast<std::uint16_t>(option.min - 1));
        if (option.max < std::numeric_limits<std::uint16_t>::max())
            outside.push_back(static_cast<std::uint16_t>(option.max + 1));
        for (std::uint16_t bad : outside) {
            ParameterWords words = defaults;
            words[w] = bad;
            EXPECT_EQ(plausibilityCheck(words), 1);
            EXPECT_EQ(words[w], option.defaultValue);
        }
    }
}

TEST(OptionTable, CubeRootWordsFollowTheCorrectionWords) {
    ParameterWords words = defaultParameterWords();
    EXPECT_EQ(words[word::CubeRootX], 5160); // cbrt(128) x 1024 = 5160.6
    words[word::CorrectionX + 1] = 192;
    words[word::CubeRootX + 1] = 0;
    words[word::CorrectionX + 2] = 0; // out of range: back to 128
    EXPECT_EQ(plausibilityCheck(words), 1);
    EXPECT_EQ(words[word::CubeRootX + 1], 5907);
    EXPECT_EQ(words[word::CorrectionX + 2], 128);
    EXPECT_EQ(words[word::CubeRootX + 2], 5160);
}

} // namespace
} // namespace tavrino::parameters

#include "parameters/options.h"

#include "parameters/wire.h"

namespace tavrino::parameters {

namespace {

// The sensor only has the truncated correction word, so its cube root comes
// from that word (word / 128 x 128 is exact).
void deriveCubeRootWords(std::span<std::uint16_t, kWordCount> words) {
    for (std::size_t i = 0; i < 3; ++i)
        words[word::CubeRootX + i] = cubeRootWord(correctionValue(words[word::CorrectionX + i]));
}

} // namespace

const std::array<OptionEntry, kWordCount>& optionTable() {
    return kOptionTable;
}

const OptionEntry& optionEntry(std::size_t w) {
    return kOptionTable.at(w);
}

const OptionCode* findCode(std::size_t w, std::uint16_t code) {
    for (const OptionCode& c : optionEntry(w).codes)
        if (c.code == code)
            return &c;
    return nullptr;
}

ParameterWords defaultParameterWords() {
    ParameterWords words{};
    for (std::size_t i = 0; i < kWordCount; ++i)
        words[i] = kOptionTable[i].defaultValue;
    deriveCubeRootWords(words);
    return words;
}

int plausibilityCheck(std::span<std::uint16_t, kWordCount> words) {
    int replaced = 0;
    for (std::size_t i = 0; i < word::CubeRootX; ++i) {
        const OptionEntry& option = kOptionTable[i];
        if (words[i] < option.min || words[i] > option.max) {
            words[i] = option.defaultValue;
            ++replaced;
        }
    }
    deriveCubeRootWords(words);
    return replaced;
}

} // namespace tavrino::parameters

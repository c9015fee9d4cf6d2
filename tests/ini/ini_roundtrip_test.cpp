// Random documents survive writing and reading with every value and the order
// of sections and items intact.

#include "ini/ini.h"
#include "ini_test_util.h"
#include "support/build_paths.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include <unistd.h>

namespace tavrino::test {
namespace {

using Value = std::variant<std::int32_t, double, std::string>;

struct Entry {
    std::string tag;
    Value value;
};

struct Section {
    std::string name;
    std::vector<Entry> entries;
};

class Generator {
public:
    explicit Generator(std::uint32_t seed) : random_(seed) {}

    std::vector<Section> document() {
        std::vector<Section> sections(pick(1, 6));
        for (std::size_t s = 0; s < sections.size(); ++s) {
            sections[s].name = name("Section", s);
            sections[s].entries.resize(pick(0, 10));
            for (std::size_t e = 0; e < sections[s].entries.size(); ++e) {
                sections[s].entries[e] = {name("Tag", e), value()};
            }
        }
        return sections;
    }

    std::size_t pick(std::size_t low, std::size_t high) {
        return std::uniform_int_distribution<std::size_t>(low, high)(random_);
    }

private:
    // Unique by construction (the index), with blanks and letters around it.
    std::string name(const char* stem, std::size_t index) {
        static constexpr char kLetters[] = "abcXYZ _-.:";
        std::string text = stem + std::to_string(index);
        for (std::size_t i = pick(0, 12); i > 0; --i) {
            text += kLetters[pick(0, sizeof kLetters - 2)];
        }
        return text + "x";
    }

    Value value() {
        switch (pick(0, 3)) {
        case 0:
            return static_cast<std::int32_t>(random_());
        case 1: {
            double d = 0;
            do {
                d = std::bit_cast<double>((std::uint64_t{random_()} << 32U) | random_());
            } while (d != d); // NaN never equals itself
            return d;
        }
        default: {
            // Quotes, backslashes, blanks at the ends, every control
            // character and high bytes; now and then far over the line limit.
            static constexpr char kSpecial[] = "\"\\\t\r\n \x01\x1f\x7f\x80\xe9\xff;=[]";
            std::string text(pick(0, 9) == 0 ? pick(1000, 5000) : pick(0, 120), ' ');
            for (char& c : text) {
                const auto kind = pick(0, 3);
                c = kind == 0   ? kSpecial[pick(0, sizeof kSpecial - 2)]
                    : kind == 1 ? static_cast<char>(pick(0, 255))
                                : static_cast<char>('a' + pick(0, 25));
            }
            return text;
        }
        }
    }

    std::mt19937 random_;
};

void put(IniDocument* ini, const std::vector<Section>& sections) {
    for (const auto& section : sections) {
        for (const auto& entry : section.entries) {
            if (const auto* i = std::get_if<std::int32_t>(&entry.value)) {
                ASSERT_EQ(Ini_PutInt(ini, section.name, entry.tag, *i), 0);
            } else if (const auto* d = std::get_if<double>(&entry.value)) {
                ASSERT_EQ(Ini_PutDouble(ini, section.name, entry.tag, *d), 0);
            } else {
                ASSERT_EQ(Ini_PutString(ini, section.name, entry.tag, std::get<std::string>(entry.value)), 0);
            }
        }
    }
}

void expectSame(IniDocument* ini, const std::vector<Section>& sections) {
    std::size_t expectedSections = 0;
    for (const auto& section : sections) {
        expectedSections += section.entries.empty() ? 0 : 1; // a put creates a section only with an item
    }
    ASSERT_EQ(Ini_NumberOfSections(ini), static_cast<int>(expectedSections));
    int index = 0;
    for (const auto& section : sections) {
        if (section.entries.empty()) {
            continue;
        }
        std::string name;
        Ini_NthSectionName(ini, index++, name);
        EXPECT_EQ(name, section.name);
        std::vector<std::string> tags;
        Ini_ItemTags(ini, section.name, tags);
        ASSERT_EQ(tags.size(), section.entries.size()) << section.name;
        for (std::size_t e = 0; e < tags.size(); ++e) {
            const auto& entry = section.entries[e];
            EXPECT_EQ(tags[e], entry.tag);
            if (const auto* i = std::get_if<std::int32_t>(&entry.value)) {
                std::int32_t read = 0;
                EXPECT_EQ(Ini_GetInt(ini, section.name, entry.tag, &read), 1);
                EXPECT_EQ(read, *i);
            } else if (const auto* d = std::get_if<double>(&entry.value)) {
                double read = 0;
                EXPECT_EQ(Ini_GetDouble(ini, section.name, entry.tag, &read), 1);
                // Doubles travel as "%.16g" text: they come back as that text reads.
                char text[64];
                std::snprintf(text, sizeof text, "%.16g", *d);
                const double expected = std::strtod(text, nullptr);
                EXPECT_EQ(std::bit_cast<std::uint64_t>(read), std::bit_cast<std::uint64_t>(expected)) << text;
            } else {
                EXPECT_EQ(iniString(ini, section.name, entry.tag), std::get<std::string>(entry.value));
            }
        }
    }
}

TEST(IniRoundTrip, RandomDocumentsComeBackIdentical) {
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Generator generator(seed);
        const auto sections = generator.document();
        IniHandle ini = Ini_New(false);
        const int limits[] = {80, 0, 1, 13, 1024};
        const int limit = limits[seed % 5];
        ASSERT_EQ(Ini_SetMaxValueLineLength(ini.get(), limit), 0);
        put(ini.get(), sections);
        const std::string text = iniText(ini.get());
        for (const auto& line : iniLines(text)) {
            ASSERT_LE(line.size(), 1024U);
        }
        IniHandle back = iniFromText(text);
        expectSame(back.get(), sections);
        if (::testing::Test::HasFailure()) {
            return;
        }
        // A second pass changes nothing.
        Ini_SetMaxValueLineLength(back.get(), limit);
        EXPECT_EQ(iniText(back.get()), text);
    }
}

TEST(IniRoundTrip, UnquotedLongValuesSurviveSplitting) {
    IniHandle ini = Ini_New(false);
    Ini_SetAddQuotesToStrings(ini.get(), false);
    Ini_SetMaxValueLineLength(ini.get(), 4);
    const std::string value = "ab  cd\"ef\"   g\"hi\"  ";
    Ini_PutString(ini.get(), "S", "T", "x" + value + "x");
    IniHandle back = iniFromText(iniText(ini.get()));
    EXPECT_EQ(iniString(back.get(), "S", "T"), "x" + value + "x");
}

TEST(IniRoundTrip, ThroughAFile) {
    const auto path =
        tavrino::test::testOutputDir() / ("ini-roundtrip-" + std::to_string(::getpid()) + ".ini");
    std::filesystem::create_directories(path.parent_path());
    Generator generator(4242);
    const auto sections = generator.document();
    IniHandle ini = Ini_New(false);
    put(ini.get(), sections);
    ASSERT_EQ(Ini_WriteToFile(ini.get(), path.string()), 0);
    IniHandle back = Ini_New(false);
    ASSERT_EQ(Ini_ReadFromFile(back.get(), path.string()), 0);
    std::filesystem::remove(path);
    expectSame(back.get(), sections);
}

} // namespace
} // namespace tavrino::test

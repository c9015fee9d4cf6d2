// The text format and the typed puts and gets, in memory.

#include "ini/ini.h"
#include "ini_test_util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace tavrino::test {
namespace {

TEST(IniFormat, LineBreakIsWrittenEscapedOnOneQuotedLine) {
    IniHandle ini = Ini_New(false);
    ASSERT_EQ(Ini_PutString(ini.get(), "S", "Text", "first\nsecond"), 0);
    const auto lines = iniLines(iniText(ini.get()));
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_EQ(lines[0], "[S]");
    EXPECT_EQ(lines[1], R"(Text = "first\nsecond")");
    EXPECT_EQ(lines[2], "");

    IniHandle back = iniFromText(iniText(ini.get()));
    EXPECT_EQ(iniString(back.get(), "S", "Text"), "first\nsecond");
}

TEST(IniFormat, EscapesEveryControlCharacterQuoteAndBackslash) {
    struct Case {
        std::string value;
        std::string written;
    };
    const Case cases[] = {
        {"a\tb", R"(a\tb)"},
        {"\r\n", R"(\r\n)"},
        {"say \"hi\"", R"(say \"hi\")"},
        {"C:\\dir", R"(C:\\dir)"},
        {std::string("\0\x01", 2), R"(\x00\x01)"},
        {"\x1f\x7f", R"(\x1f\x7f)"},
        {"\xe9\xff ;=[]", "\xe9\xff ;=[]"},
    };
    for (const auto& c : cases) {
        IniHandle ini = Ini_New(false);
        ASSERT_EQ(Ini_PutString(ini.get(), "S", "T", std::string_view(c.value)), 0);
        const std::string text = iniText(ini.get());
        EXPECT_EQ(iniLines(text).at(1), "T = \"" + c.written + "\"");
        IniHandle back = iniFromText(text);
        EXPECT_EQ(iniString(back.get(), "S", "T"), c.value) << c.written;
    }
}

TEST(IniFormat, UnescapesWhatOtherWritersProduce) {
    const std::pair<const char*, std::string> cases[] = {
        {R"(\q\=)", "q="}, {R"(\x41\x4a)", "AJ"}, {R"(\x4g)", "x4g"},  {R"(\X41)", "X41"},
        {R"(ab\)", "ab"},  {R"(\x4)", "x4"},      {R"(a\tb)", "a\tb"},
    };
    for (const auto& [written, value] : cases) {
        IniHandle ini = iniFromText(std::string("[S]\nT = ") + written + "\n");
        EXPECT_EQ(iniString(ini.get(), "S", "T"), value) << written;
    }
}

TEST(IniFormat, LongValueIsSplitIntoNumberedLinesAndJoinedOnReading) {
    const std::string value = std::string(80, 'a') + std::string(80, 'b') + std::string(40, 'c');
    IniHandle ini = Ini_New(false);
    Ini_PutString(ini.get(), "S", "Tag", value);
    Ini_PutInt(ini.get(), "S", "After", 1);
    const std::string text = iniText(ini.get());
    const auto lines = iniLines(text);
    ASSERT_EQ(lines.size(), 6U);
    EXPECT_EQ(lines[1], "Tag Line0001 = \"" + std::string(80, 'a') + "\"");
    EXPECT_EQ(lines[2], "Tag Line0002 = \"" + std::string(80, 'b') + "\"");
    EXPECT_EQ(lines[3], "Tag Line0003 = \"" + std::string(40, 'c') + "\"");

    IniHandle back = iniFromText(text);
    EXPECT_EQ(Ini_NumberOfItems(back.get(), "S"), 2);
    EXPECT_EQ(iniString(back.get(), "S", "Tag"), value);
}

TEST(IniFormat, NoLineExceedsTheLineLimitAndNothingIsCut) {
    const std::string longTag(300, 'T');
    const std::string value(5000, 'v');
    for (const int limit : {0, 1024, 80}) {
        IniHandle ini = Ini_New(false);
        ASSERT_EQ(Ini_SetMaxValueLineLength(ini.get(), limit), 0);
        Ini_PutString(ini.get(), "S", "Short", value);
        Ini_PutString(ini.get(), "S", longTag, value);
        const std::string text = iniText(ini.get());
        for (const auto& line : iniLines(text)) {
            EXPECT_LE(line.size(), 1024U) << "limit " << limit;
        }
        IniHandle back = iniFromText(text);
        EXPECT_EQ(iniString(back.get(), "S", "Short"), value) << "limit " << limit;
        // tags are cut, and the pieces of a cut tag still join
        EXPECT_EQ(iniString(back.get(), "S", longTag.substr(0, 246)), value);
    }
}

TEST(IniFormat, MalformedLinesAreIgnored) {
    IniHandle ini = iniFromText("Orphan = 1\n"
                                "[Main]\n"
                                "Empty =\n"
                                "Blank =   \n"
                                "NoSeparator\n"
                                " = 5\n"
                                "[Broken] junk\n"
                                "Kept = 2\n"
                                "[   ]\n"
                                "[Unclosed\n"
                                "Also = 3\n");
    EXPECT_EQ(Ini_NumberOfSections(ini.get()), 1);
    std::vector<std::string> tags;
    ASSERT_EQ(Ini_ItemTags(ini.get(), "Main", tags), 1);
    EXPECT_EQ(tags, (std::vector<std::string>{"Kept", "Also"}));
    int value = -1;
    EXPECT_EQ(Ini_GetInt(ini.get(), "Main", "Empty", &value), 0);
    EXPECT_EQ(value, -1);
}

TEST(IniFormat, BlanksAroundNamesAndValuesAreRemoved) {
    IniHandle ini = iniFromText("  [  Data Set  ]  \n   Tag   =   12   \n Name = \" padded \" \n");
    int value = 0;
    EXPECT_EQ(Ini_GetInt(ini.get(), "data set", " TAG ", &value), 1);
    EXPECT_EQ(value, 12);
    EXPECT_EQ(iniString(ini.get(), "DATA SET", "name"), " padded ");
    std::string name;
    Ini_NthSectionName(ini.get(), 0, name);
    EXPECT_EQ(name, "Data Set");
}

TEST(IniFormat, SectionNameRunsToTheLastBracket) {
    IniHandle ini = iniFromText("[a]b]\nT = 1\n");
    EXPECT_TRUE(Ini_ItemExists(ini.get(), "a]b", "T"));
}

TEST(IniFormat, LineEndsOfEveryKindReadAlike) {
    const std::string ends[] = {"\r\n", "\n", "\r", "\n\r", std::string(1, '\0')};
    for (const std::string& e : ends) {
        IniHandle ini =
            iniFromText("; c" + e + "[S]" + e + "A = 1" + e + e + "B = \"x\"" + e + "[T]" + e + "C = 3");
        std::vector<std::string> tags;
        Ini_ItemTags(ini.get(), "S", tags);
        EXPECT_EQ(tags, (std::vector<std::string>{"A", "B"}));
        int value = 0;
        EXPECT_EQ(Ini_GetInt(ini.get(), "T", "C", &value), 1);
        EXPECT_EQ(value, 3);
        EXPECT_EQ(Ini_LineOfLastAccess(ini.get()), 7);
        EXPECT_EQ(ini->sections()[0].comment, "; c");
    }
}

TEST(IniFormat, AnItemLineLongerThanAFileLineIsReadWholeAndWrittenBackInPieces) {
    const std::string value(1100, 'x');
    struct Case {
        std::string written;
        bool quoted;
    };
    const Case cases[] = {{'"' + value + '"', true}, {value, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.quoted ? "quoted" : "plain");
        IniHandle ini = iniFromText("[S]\nT = " + c.written + "\nNext = 1\n");
        EXPECT_EQ(iniString(ini.get(), "S", "T"), value);
        EXPECT_EQ(ini->sections()[0].items[0].quoted, c.quoted);
        EXPECT_TRUE(Ini_ItemExists(ini.get(), "S", "Next"));

        const std::string text = iniText(ini.get());
        for (const std::string& line : iniLines(text))
            EXPECT_LE(line.size(), 1024U);
        IniHandle back = iniFromText(text);
        EXPECT_EQ(iniString(back.get(), "S", "T"), value);
    }
}

TEST(IniFormat, CommentsAndSectionNamesKeepTheLineLimitAndOverlongLinesAreIgnored) {
    const std::string comment = "; " + std::string(1100, 'c');
    IniHandle ini = iniFromText("[S]\n" + comment + "\nA = 1\n[" + std::string(1100, 's') +
                                "]\nB = 2\nC = " + std::string(70 * 1024, 'v') + "\nD = 4\n");
    ASSERT_EQ(ini->sections().size(), 1U); // the cut section line has no closing bracket
    EXPECT_EQ(ini->sections()[0].items[0].comment, comment.substr(0, 1024));
    EXPECT_FALSE(Ini_ItemExists(ini.get(), "S", "C"));
    for (const char* tag : {"A", "B", "D"})
        EXPECT_TRUE(Ini_ItemExists(ini.get(), "S", tag)) << tag;
}

TEST(IniFormat, CommentsAreWrittenBackUnchanged) {
    const std::string text = "; top 1\r\n  ; top 2\r\n\r\n"
                             "; about S\r\n[S]\r\n; about A\r\n;\r\nA = 1\r\nB = \"two\"\r\n\r\n"
                             "[T]\r\nC = 3\r\n\r\n"
                             "; the end\r\n";
    IniHandle ini = iniFromText(text);
    EXPECT_EQ(ini->topComment(), "; top 1\r\n  ; top 2");
    EXPECT_EQ(ini->trailingComment(), "; the end");
    EXPECT_EQ(iniText(ini.get()), text);
}

TEST(IniFormat, CommentGrowsOverBlankLinesAndOrphanItemTakesItsComment) {
    IniHandle ini = iniFromText("; lost\nOrphan = 1\n[S]\n; one\n\n; two\nA = 1\n");
    EXPECT_EQ(ini->topComment(), "");
    EXPECT_EQ(ini->sections()[0].comment, "");
    EXPECT_EQ(ini->sections()[0].items[0].comment, "; one\r\n; two");
}

TEST(IniFormat, NumberedItemsOfAnotherTagAreNotJoined) {
    IniHandle ini = iniFromText("[S]\nA Line0001 = \"ab\"\nA Line0002 = \"cd\"\nB Line0002 = \"x\"\n"
                                "C Line1 = \"solo\"\n");
    std::vector<std::string> tags;
    Ini_ItemTags(ini.get(), "S", tags);
    EXPECT_EQ(tags, (std::vector<std::string>{"A", "B Line0002", "C"}));
    EXPECT_EQ(iniString(ini.get(), "S", "A"), "abcd");
}

TEST(IniFormat, SecondSectionOfOneNameIsKeptButFirstWins) {
    IniHandle ini = iniFromText("[S]\nA = 1\n[s]\nA = 2\nB = 3\n");
    EXPECT_EQ(Ini_NumberOfSections(ini.get()), 2);
    int value = 0;
    EXPECT_EQ(Ini_GetInt(ini.get(), "S", "A", &value), 1);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(Ini_GetInt(ini.get(), "S", "B", &value), 0);
}

TEST(IniFormat, ReadingAccumulates) {
    IniHandle ini = iniFromText("; top\n\n[A]\nX = 1\n");
    ASSERT_EQ(Ini_ReadFromBuffer(ini.get(), "; other top\n\n[B]\nY = 2\n"), 0);
    EXPECT_EQ(Ini_NumberOfSections(ini.get()), 2);
    EXPECT_EQ(ini->topComment(), "; top");
    EXPECT_EQ(ini->sections()[1].comment, "; other top");
}

TEST(IniFormat, TypedValuesAreWrittenLocaleIndependentAndUnquoted) {
    IniHandle ini = Ini_New(false);
    Ini_PutInt(ini.get(), "S", "I", -2147483647 - 1);
    Ini_PutDouble(ini.get(), "S", "D1", 0.1);
    Ini_PutDouble(ini.get(), "S", "D2", 1e20);
    Ini_PutDouble(ini.get(), "S", "D3", -std::numeric_limits<double>::infinity());
    Ini_PutDouble(ini.get(), "S", "D4", 0.1 + 0.2);
    const auto lines = iniLines(iniText(ini.get()));
    EXPECT_EQ(lines[1], "I = -2147483648");
    EXPECT_EQ(lines[2], "D1 = 0.1");
    EXPECT_EQ(lines[3], "D2 = 1e+20");
    EXPECT_EQ(lines[4], "D3 = -inf");
    EXPECT_EQ(lines[5], "D4 = 0.3"); // "%.16g" keeps sixteen digits
}

TEST(IniFormat, DoublesReadBackExactly) {
    const double values[] = {0.1, 1.0 / 3.0,          -1e-310,   6.02214076e23, 5e-324,
                             1.5, -32768.0 / 65536.0, 12345.6789};
    IniHandle ini = Ini_New(false);
    for (const double v : values) {
        Ini_PutDouble(ini.get(), "S", "D", v);
        IniHandle back = iniFromText(iniText(ini.get()));
        double read = 0;
        ASSERT_EQ(Ini_GetDouble(back.get(), "S", "D", &read), 1);
        EXPECT_EQ(read, v);
    }
}

TEST(IniFormat, GetIntAcceptsOnlyWholeSignedDecimals) {
    const std::pair<const char*, int> valid[] = {
        {"12", 12}, {"+7", 7},      {"-0", 0}, {"-2147483648", -2147483647 - 1}, {"2147483647", 2147483647},
        {"007", 7}, {"\" 5 \"", 5},
    };
    for (const auto& [text, expected] : valid) {
        IniHandle ini = iniFromText(std::string("[S]\nT = ") + text + "\n");
        int value = 99;
        EXPECT_EQ(Ini_GetInt(ini.get(), "S", "T", &value), 1) << text;
        EXPECT_EQ(value, expected) << text;
    }
    for (const char* text :
         {"2147483648", "-2147483649", "1.5", "+-1", "- 1", "1 2", "0x10", "abc", "--1", "+"}) {
        IniHandle ini = iniFromText(std::string("[S]\nT = ") + text + "\n");
        int value = 99;
        EXPECT_EQ(Ini_GetInt(ini.get(), "S", "T", &value), kIniInvalidInteger) << text;
        EXPECT_EQ(value, 99) << text;
    }
}

TEST(IniFormat, GetDoubleAcceptsNumbersAndInfinityInAnyCase) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<const char*, double> valid[] = {
        {"Inf", inf},  {"INF", inf}, {"+iNf", inf},  {"-Inf", -inf},       {"-INF", -inf},
        {"+1.5", 1.5}, {"-2", -2.0}, {"1e-3", 1e-3}, {"\" 3.25 \"", 3.25},
    };
    for (const auto& [text, expected] : valid) {
        IniHandle ini = iniFromText(std::string("[S]\nT = ") + text + "\n");
        double value = 0;
        EXPECT_EQ(Ini_GetDouble(ini.get(), "S", "T", &value), 1) << text;
        EXPECT_EQ(value, expected) << text;
    }
    for (const char* text : {"1e999", "abc", "1.5x", "++1", "+-1", "0x1p3", "1,5", "--inf"}) {
        IniHandle ini = iniFromText(std::string("[S]\nT = ") + text + "\n");
        double value = 7;
        EXPECT_EQ(Ini_GetDouble(ini.get(), "S", "T", &value), kIniInvalidDouble) << text;
        EXPECT_EQ(value, 7) << text;
    }
}

TEST(IniFormat, MissingOrEmptyValuesLeaveTheOutputUntouched) {
    IniHandle ini = iniFromText("[S]\nE = \"\"\nB = \"   \"\n");
    int i = 5;
    double d = 5;
    for (const char* tag : {"E", "B", "Missing"}) {
        EXPECT_EQ(Ini_GetInt(ini.get(), "S", tag, &i), 0);
        EXPECT_EQ(Ini_GetDouble(ini.get(), "S", tag, &d), 0);
    }
    EXPECT_EQ(Ini_GetInt(ini.get(), "Nowhere", "E", &i), 0);
    EXPECT_EQ(i, 5);
    EXPECT_EQ(d, 5);
}

TEST(IniFormat, GetStringIntoBufferTruncatesAndEmptiesWhenMissing) {
    IniHandle ini = Ini_New(false);
    Ini_PutString(ini.get(), "S", "T", "abcdef");
    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(Ini_GetStringIntoBuffer(ini.get(), "S", "T", buffer, sizeof buffer), 1);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(Ini_GetStringIntoBuffer(ini.get(), "S", "Other", buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(Ini_GetStringIntoBuffer(ini.get(), "S", "T", buffer, 0), kIniNullArgument);
    EXPECT_EQ(Ini_PutString(ini.get(), "S", "N", static_cast<const char*>(nullptr)), 0);
    EXPECT_EQ(iniString(ini.get(), "S", "N"), "");
}

TEST(IniFormat, PutReplacesEveryDuplicateAtThePositionOfTheFirst) {
    IniHandle ini = iniFromText("[S]\nA = 1\nT = 2\nB = 3\nt = 4\n");
    Ini_PutInt(ini.get(), "S", " T ", 9);
    std::vector<std::string> tags;
    Ini_ItemTags(ini.get(), "S", tags);
    EXPECT_EQ(tags, (std::vector<std::string>{"A", "T", "B"}));
    int value = 0;
    Ini_GetInt(ini.get(), "S", "t", &value);
    EXPECT_EQ(value, 9);

    Ini_SetDuplicateChecking(ini.get(), false);
    Ini_PutInt(ini.get(), "S", "A", 10);
    Ini_ItemTags(ini.get(), "S", tags);
    EXPECT_EQ(tags, (std::vector<std::string>{"A", "T", "B", "A"}));
    Ini_GetInt(ini.get(), "S", "A", &value);
    EXPECT_EQ(value, 1);
}

TEST(IniFormat, AutoSortKeepsSectionsAndItemsInOrder) {
    IniHandle ini = iniFromText("[zeta]\nb = 1\na = 2\n[Alpha]\nZ = 3\n", true);
    for (const char* section : {"mid", "BETA", "alpha"}) {
        Ini_PutInt(ini.get(), section, "m", 4);
    }
    Ini_PutInt(ini.get(), "zeta", "C", 5);
    std::vector<std::string> names;
    for (int i = 0; i < Ini_NumberOfSections(ini.get()); ++i) {
        std::string name;
        Ini_NthSectionName(ini.get(), i, name);
        names.push_back(name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "BETA", "mid", "zeta"}));
    std::vector<std::string> tags;
    Ini_ItemTags(ini.get(), "ZETA", tags);
    EXPECT_EQ(tags, (std::vector<std::string>{"a", "b", "C"}));
    int value = 0;
    EXPECT_EQ(Ini_GetInt(ini.get(), "alpha", "z", &value), 1);
    EXPECT_EQ(value, 3);
    EXPECT_EQ(Ini_LineOfLastAccess(ini.get()), 5);
}

TEST(IniFormat, SettersAndNullArgumentsAreChecked) {
    IniHandle ini = Ini_New(false);
    EXPECT_EQ(Ini_SetMaxValueLineLength(ini.get(), 1025), kIniLineLengthTooLarge);
    EXPECT_EQ(Ini_SetMaxValueLineLength(ini.get(), -1), kIniLineLengthTooLarge);
    EXPECT_EQ(Ini_SetMaxValueLineLength(ini.get(), 1024), 0);
    EXPECT_EQ(Ini_SetAddQuotesToStrings(ini.get(), false), 0);
    Ini_PutString(ini.get(), "S", "T", "x");
    EXPECT_EQ(iniLines(iniText(ini.get())).at(1), "T = x");

    int i = 0;
    double d = 0;
    std::string s;
    EXPECT_EQ(Ini_PutInt(nullptr, "S", "T", 1), kIniNullArgument);
    EXPECT_EQ(Ini_PutString(nullptr, "S", "T", "x"), kIniNullArgument);
    EXPECT_EQ(Ini_GetInt(nullptr, "S", "T", &i), kIniNullArgument);
    EXPECT_EQ(Ini_GetInt(ini.get(), "S", "T", nullptr), kIniNullArgument);
    EXPECT_EQ(Ini_GetDouble(ini.get(), "S", "T", nullptr), kIniNullArgument);
    EXPECT_EQ(Ini_GetDouble(nullptr, "S", "T", &d), kIniNullArgument);
    EXPECT_EQ(Ini_GetString(nullptr, "S", "T", s), kIniNullArgument);
    EXPECT_EQ(Ini_WriteToFile(nullptr, "x.ini"), kIniNullArgument);
    EXPECT_EQ(Ini_ReadFromFile(nullptr, "x.ini"), kIniNullArgument);
    Ini_Dispose(ini);
    EXPECT_EQ(ini, nullptr);
}

TEST(IniFormat, UnquotedValuesThatWouldChangeOnReadingAreWrittenQuoted) {
    // With quotes off, a value with blanks at its ends or an empty one would
    // lose its blanks or the whole item on the next read.
    IniHandle ini = Ini_New(false);
    Ini_SetAddQuotesToStrings(ini.get(), false);
    Ini_PutString(ini.get(), "S", "A", "plain");
    Ini_PutString(ini.get(), "S", "B", " padded ");
    Ini_PutString(ini.get(), "S", "C", "");
    const std::string text = iniText(ini.get());
    const auto lines = iniLines(text);
    EXPECT_EQ(lines[1], "A = plain");
    EXPECT_EQ(lines[2], "B = \" padded \"");
    EXPECT_EQ(lines[3], "C = \"\"");
    IniHandle back = iniFromText(text);
    EXPECT_EQ(iniString(back.get(), "S", "B"), " padded ");
    std::string value = "x";
    EXPECT_EQ(Ini_GetString(back.get(), "S", "C", value), 1);
    EXPECT_EQ(value, "");
}

} // namespace
} // namespace tavrino::test

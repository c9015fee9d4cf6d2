// Row colours and specifications in the sensor's 72-byte block and in the
// table attributes file.

#include "support/file_bytes.h"
#include "support/scripted_operator.h"
#include "support/test_directory.h"
#include "teach/table_settings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace tavrino::teach {
namespace {

std::string fieldOf(const TableSettingsBlock& block, std::size_t offset, std::size_t size) {
    return {reinterpret_cast<const char*>(block.data()) + offset, size};
}

TEST(TextCutTest, NeverEndsInHalfACharacter) {
    struct Case {
        std::string text;
        std::size_t max;
        std::string cut;
    };
    const Case cases[] = {
        {"ABCDEFGHIJKLMNOPQRST", 16, "ABCDEFGHIJKLMNOP"},
        {"ABCDEFGHIJKLMNO\xC3\xBC", 16, "ABCDEFGHIJKLMNO"},        // u-umlaut over the end
        {"ABCDEFGHIJKLMN\xC3\xBCX", 16, "ABCDEFGHIJKLMN\xC3\xBC"}, // ends on it exactly
        {"ABCDEFGHIJKLM\xE2\x82\xAC", 15, "ABCDEFGHIJKLM"},        // euro sign, 2 of 3 bytes fit
        {"\xF0\x9F\x98\x80", 3, ""},
        {"short", 16, "short"},
        {"bad end \xC3", 16, "bad end "}, // an incomplete character already in the text
    };
    for (const Case& c : cases)
        EXPECT_EQ(cutAtCharacter(c.text, c.max), c.cut) << c.text;
}

TEST(TableSettingsBlockTest, WhiteFillsItsFieldAndSpecificationsAreCutTo16Bytes) {
    RowColours rows;
    rows.setColour(0, kWhiteColour);
    rows.setSpecification(0, "ABCDEFGHIJKLMNOPQRST");
    rows.setColour(1, 255);
    rows.setSpecification(1, "two");
    const TableSettingsBlock block = encodeTableSettingsBlock(rows);
    EXPECT_EQ(fieldOf(block, 0, 8), "16777215");
    EXPECT_EQ(fieldOf(block, 8, 16), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(fieldOf(block, 24, 8), std::string("255\0\0\0\0\0", 8));
    EXPECT_EQ(fieldOf(block, 32, 16), std::string("two") + std::string(13, '\0'));
    EXPECT_EQ(fieldOf(block, 48, 8), std::string("255\0\0\0\0\0", 8)); // row 2's default, blue

    const auto back = decodeTableSettingsBlock(block.data(), block.size());
    EXPECT_EQ(back[0].colour, kWhiteColour);
    EXPECT_EQ(back[0].specification, "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(back[1].specification, "two");
}

TEST(TableSettingsBlockTest, ColourFieldsReadLeadingDigitsIntoTheColourRange) {
    struct Case {
        std::string field; // 8 bytes
        std::int32_t colour;
    };
    const Case cases[] = {
        {std::string("12ab\0\0\0\0", 8), 12},
        {std::string(8, '\0'), 0},
        {"-1234567", 0},
        {"99999999", kWhiteColour},
        {std::string("42\0"
                     "99999",
                     8),
         42}, // the text ends at the first zero byte
    };
    for (const Case& c : cases) {
        TableSettingsBlock block{};
        std::copy(c.field.begin(), c.field.end(), block.begin());
        EXPECT_EQ(decodeTableSettingsBlock(block.data(), block.size())[0].colour, c.colour) << c.field;
    }
    // A short reply: the missing rows read as zero bytes.
    const TableSettingsBlock full = encodeTableSettingsBlock(RowColours{});
    const auto rows = decodeTableSettingsBlock(full.data(), 30);
    EXPECT_EQ(rows[0].colour, kDefaultRowColours[0]);
    EXPECT_EQ(rows[2].colour, 0);
}

class TableFileTest : public ::testing::Test {
protected:
    test::ScriptedOperator op;
    std::string dir = test::testDirectory("teach");
    std::string path = dir + "/TableAttributes.ini";
    std::string remembered = dir + "/old/Last.ini";

    void choose(FileChoice::Kind kind) { op.fileAnswers.push_back({kind, path}); }
};

TEST_F(TableFileTest, SaveWritesTheSectionsInOrderAndRemembersThePath) {
    RowColours rows;
    rows.setColour(0, kWhiteColour);
    rows.setSpecification(0, "ABCDEFGHIJKLMNOPQRST");
    choose(FileChoice::Kind::New);
    ASSERT_EQ(SaveTableSettingsToFile(op, Language::English, rows, remembered), TableFileResult::Saved);
    EXPECT_EQ(test::readFileBytes(path), "[GENERAL INFO]\r\nFILE TYPE: = \"Table Attributes\"\r\n"
                                         "SCOPE VERSION: = \"TAVRINO4 VXR QLM Scope V3.2\"\r\n\r\n"
                                         "[TABLE ATTR OF TEACH VECTOR 0]\r\nRow color = 16777215\r\n"
                                         "Row specification = \"ABCDEFGHIJKLMNOPQRST\"\r\n\r\n"
                                         "[TABLE ATTR OF TEACH VECTOR 1]\r\nRow color = 8453888\r\n"
                                         "Row specification = \"\"\r\n\r\n"
                                         "[TABLE ATTR OF TEACH VECTOR 2]\r\nRow color = 255\r\n"
                                         "Row specification = \"\"\r\n\r\n");
    EXPECT_EQ(remembered, path);
    const FileRequest& request = op.fileRequests.at(0);
    EXPECT_EQ(request.startDirectory, dir + "/old");
    EXPECT_EQ(request.defaultName, "TableAttributes.ini");
    EXPECT_EQ(request.filter, "*.ini");
    EXPECT_EQ(request.title, "TableAttributes");
}

TEST_F(TableFileTest, AMissingRowSectionGivesItsDefaultAndIsReported) {
    test::writeFileBytes(
        path, "[GENERAL INFO]\r\nFILE TYPE: = \"Table Attributes\"\r\n"
              "SCOPE VERSION: = \"TAVRINO4 VXR QLM Scope V3.2\"\r\n"
              "[TABLE ATTR OF TEACH VECTOR 0]\r\nRow color = -5\r\nRow specification = \"zero\"\r\n"
              "[TABLE ATTR OF TEACH VECTOR 2]\r\nRow color = 123456789\r\n");
    RowColours rows;
    rows.setColour(1, 42);
    rows.setSpecification(1, "old");
    choose(FileChoice::Kind::Existing);
    ASSERT_EQ(GetTableSettingsFromFile(op, Language::English, rows, remembered), TableFileResult::Read);
    EXPECT_EQ(rows.colour(0), 0); // out of range, clamped
    EXPECT_EQ(rows.specification(0), "zero");
    EXPECT_EQ(rows.colour(1), 8453888);
    EXPECT_EQ(rows.specification(1), "");
    EXPECT_EQ(rows.colour(2), kWhiteColour);
    ASSERT_EQ(op.messages().size(), 1u);
    EXPECT_EQ(op.messages()[0],
              "Following teach vectors could not be read \nand were set to default value:\n\n"
              "TABLE ATTR OF TEACH VECTOR 1\n");
}

TEST_F(TableFileTest, DecliningTheTypeQuestionReadsNothing) {
    test::writeFileBytes(path, "[GENERAL INFO]\r\nFILE TYPE: = \"Parameter File\"\r\n"
                               "[TABLE ATTR OF TEACH VECTOR 0]\r\nRow color = 1\r\n");
    RowColours rows;
    choose(FileChoice::Kind::Existing);
    op.confirmAnswers = {false};
    EXPECT_EQ(GetTableSettingsFromFile(op, Language::English, rows, remembered), TableFileResult::Declined);
    EXPECT_EQ(rows.colour(0), kDefaultRowColours[0]);
    EXPECT_EQ(op.calls.at(1).text, "Selected file is not a parameter file! \nDo you want to proceed anyway?");
    EXPECT_EQ(op.messages(), std::vector<std::string>{"No parameter were read!"});
}

TEST_F(TableFileTest, NoFileChosenChangesNothing) {
    RowColours rows;
    op.fileAnswers.push_back({});
    EXPECT_EQ(GetTableSettingsFromFile(op, Language::German, rows, remembered), TableFileResult::Cancelled);
    EXPECT_EQ(remembered, dir + "/old/Last.ini");
    EXPECT_EQ(op.messages(),
              std::vector<std::string>{"Keine Datei ausgewaehlt! \nAktion wird nicht ausgefuehrt!"});
}

} // namespace
} // namespace tavrino::teach

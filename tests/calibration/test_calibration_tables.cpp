#include "calibration/factors.h"
#include "calibration/files.h"
#include "calibration/sensor_data.h"
#include "calibration/tables.h"
#include "calibration/texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace tavrino::calibration {
namespace {

TEST(CalcCF, NominalWhiteGivesUnitFactorAndRowsAboveKeepTheirs) {
    CalibrationTables t;
    t.whitePoint = {9505, 10000, 10890};
    EXPECT_EQ(normalisedWhite(t.whitePoint), (std::array<double, 3>{10000, 10000, 10000}));
    t.rows = 1;
    t.xyzSetValues[0] = {50, 25, 100};
    t.actual[0] = {5000, 2500, 10000};
    t.factors[1] = {7, 7, 7};
    EXPECT_TRUE(CalcCF(t).limited.empty());
    EXPECT_EQ(t.factors[0], (RawTriple{1024, 1024, 1024}));
    EXPECT_EQ(t.factors[1], (RawTriple{7, 7, 7}));
}

TEST(CalcCF, RowsZeroChangesNothing) {
    CalibrationTables t;
    t.rows = 0;
    t.actual[0] = {1, 1, 1};
    t.xyzSetValues[0] = {50, 50, 50};
    const RawRows before = t.factors;
    CalcCF(t);
    EXPECT_EQ(t.factors, before);
}

TEST(FactorFor, LimitsWhatTheFieldCannotHold) {
    struct Case {
        double white, set;
        std::uint16_t actual;
        std::uint16_t value;
        bool limited;
    } cases[] = {
        {10000, 50, 5000, 1024, false},
        {10000, 50, 0, 65535, true},                                      // measured 0
        {10000, 100, 1, 65535, true},                                     // quotient far above
        {10000, -50, 5000, 0, true},                                      // negative
        {10000, std::numeric_limits<double>::quiet_NaN(), 5000, 0, true}, // NaN set value
        {10000, 6.3999, 1000, 655, false},                                // truncation
    };
    for (const Case& c : cases) {
        const FactorValue f = factorFor(c.white, c.set, c.actual);
        EXPECT_EQ(f.value, c.value) << c.set << " / " << c.actual;
        EXPECT_EQ(f.limited, c.limited) << c.set << " / " << c.actual;
    }
}

TEST(CalcCF, TellsWhichRowsAndChannelsWereLimited) {
    CalibrationTables t;
    t.whitePoint = {9505, 10000, 10890};
    t.rows = 2;
    t.xyzSetValues[0] = {50, 50, 50};
    t.actual[0] = {5000, 0, 5000};
    t.xyzSetValues[1] = {50, 50, 50};
    t.actual[1] = {5000, 5000, 5000};
    const FactorResult r = CalcCF(t);
    ASSERT_EQ(r.limited.size(), 1u);
    EXPECT_EQ(r.message(Language::English).value_or(""),
              std::string(kFactorsLimited.en) + "\nRow 1 Y: 65535");
    EXPECT_NE(r.message(Language::German).value_or("").find("Zeile 1 Y"), std::string::npos);
}

TEST(AssignToRow, AdvancesUpTo64) {
    struct Case {
        std::uint16_t no;
        bool advance;
        std::uint16_t after;
    } cases[] = {{63, true, 64}, {64, true, 64}, {5, false, 5}};
    for (const Case& c : cases) {
        CalibrationTables t;
        t.rowNo = c.no;
        t.autoAdvance = c.advance;
        assignToRow(t, {1, 2, 3});
        EXPECT_EQ(t.actual[c.no - 1], (RawTriple{1, 2, 3}));
        EXPECT_EQ(t.rowNo, c.after);
    }
}

TEST(Reset, LeavesTheListedValues) {
    CalibrationTables t;
    t.rowNo = 9;
    t.actual[3] = {1, 2, 3};
    t.factors[3] = {5, 5, 5};
    t.referenceSpace = 0;
    t.rows = 7;
    t.whitePoint = {1, 2, 3};
    t.setValues[63] = {1, 1, 1};
    resetActualValues(t);
    EXPECT_EQ(t.rowNo, 1);
    EXPECT_EQ(t.actual, RawRows{});
    EXPECT_EQ(t.factors, CalibrationTables::unitFactors());
    resetReference(t);
    EXPECT_EQ(t.referenceSpace, 2);
    EXPECT_EQ(t.rows, 1);
    EXPECT_EQ(t.whitePoint, (RawTriple{4096, 4096, 4096}));
    resetSetValues(t);
    EXPECT_EQ(t.setValues[63], (Triple{}));
}

TEST(SensorData, TablesTravelRowByRowLittleEndian) {
    RawRows table{};
    table[0] = {0x0102, 0x0304, 0x0506};
    table[1] = {7, 8, 9};
    const auto bytes = encodeTable(table);
    ASSERT_EQ(bytes.size(), kTableBytes);
    const std::uint8_t head[] = {0x02, 0x01, 0x04, 0x03, 0x06, 0x05, 7, 0, 8, 0, 9, 0};
    EXPECT_TRUE(std::equal(std::begin(head), std::end(head), bytes.begin()));
    EXPECT_EQ(decodeTable(bytes), table);
}

TEST(SensorData, BlockWordsInTheirPlaces) {
    CalibrationTables t;
    t.rows = 5;
    t.whitePoint = {10, 11, 12};
    t.referenceActual = {20, 21, 22};
    std::array<std::uint16_t, 16> words{};
    for (std::size_t i = 0; i < words.size(); ++i)
        words[i] = static_cast<std::uint16_t>(100 + i);
    const auto bytes = encodeFactorsAndBlock(t.factors, blockFor(words, t));
    ASSERT_EQ(bytes.size(), kFactorsAndBlockBytes);
    const auto word = [&](std::size_t offset) {
        return bytes[kTableBytes + offset] | bytes[kTableBytes + offset + 1] << 8;
    };
    EXPECT_EQ(word(0), 100);
    EXPECT_EQ(word(30), 115);
    EXPECT_EQ(word(32), 5);
    EXPECT_EQ(word(34), 10);
    EXPECT_EQ(word(44), 22);
    EXPECT_EQ(word(46), 1024);
    EXPECT_EQ(word(50), 1024);
    const FactorsAndBlock back = decodeFactorsAndBlock(bytes);
    EXPECT_EQ(back.block, blockFor(words, t));
    EXPECT_EQ(correctionFactor(128), 1.0);
}

TEST(SensorData, ShortReplyReadsMissingWordsAsZero) {
    const std::uint8_t bytes[] = {1, 0, 2};
    EXPECT_EQ(decodeOffsetRecord(bytes), (OffsetRecord{{1, 2, 0}, {0, 0, 0}}));
    const OffsetRecord r{{1, 2, 3}, {4, 5, 65535}};
    EXPECT_EQ(decodeOffsetRecord(encodeOffsetRecord(r)), r);
}

// --- files ---

std::string textOf(CalibFile file, const CalibrationTables& t) {
    IniHandle ini = calibrationDocument(file, t);
    std::string text;
    Ini_WriteToBuffer(ini.get(), text);
    return text;
}

IniHandle documentOf(std::string_view text) {
    IniHandle ini = Ini_New(false);
    Ini_ReadFromBuffer(ini.get(), text);
    return ini;
}

std::size_t lines(const std::string& s) {
    return static_cast<std::size_t>(std::count(s.begin(), s.end(), '\n'));
}

TEST(CalibFiles, ReferenceTextInItsOrder) {
    CalibrationTables t;
    t.referenceSetValue = {50, 0.1, -2.5};
    t.referenceActual = {1, 2, 3};
    const std::string text = textOf(CalibFile::Reference, t);
    const std::string expected = "[GENERAL INFO]\r\nFILE TYPE: = \"Calibration Reference Values\"\r\n"
                                 "SCOPE VERSION: = \"TAVRINO4 VXR QLM Scope V3.2\"\r\n";
    EXPECT_EQ(text.substr(0, expected.size()), expected) << text;
    EXPECT_LT(text.find("REFERENCE COLOR SPACE"), text.find("SETVALUE ROWS"));
    EXPECT_NE(text.find("COLUMN 2 = 0.1\r\n"), std::string::npos) << text;
}

TEST(CalibFiles, SetValuesRoundTripAllRowsWhateverRows) {
    CalibrationTables t;
    t.rows = 5;
    for (std::size_t r = 0; r < kSetValueRows; ++r)
        // What an operator types (at most 16 significant digits) reloads exactly.
        t.setValues[r] = {static_cast<double>(r) * 0.5, r % 2 ? 0.1 : 1e-7, -123.4567890123456};
    const std::string text = textOf(CalibFile::SetValues, t);
    EXPECT_NE(text.find("[SETVALUE OF ROW 64]"), std::string::npos);
    IniHandle ini = documentOf(text);
    EXPECT_EQ(Ini_NumberOfSections(ini.get()), 4 + 64);
    const HeaderCheck h = checkHeader(*ini, CalibFile::SetValues);
    EXPECT_TRUE(h.markerMatches && h.versionMatches);
    CalibrationTables back;
    EXPECT_EQ(readCalibrationFile(*ini, CalibFile::SetValues, back), "");
    EXPECT_EQ(back.setValues, t.setValues);
}

TEST(CalibFiles, MissingRowsAreReportedOneLineEach) {
    CalibrationTables t;
    t.actual[0] = {1, 2, 3};
    t.setValues.fill({1, 2, 3});
    std::string text = textOf(CalibFile::SetValues, t);
    text = text.substr(0, text.find("[SETVALUE OF ROW 11]"));
    IniHandle ini = documentOf(text);
    CalibrationTables back;
    back.setValues.fill({9, 9, 9});
    const std::string report = readSetValueRows(*ini, back);
    EXPECT_EQ(lines(report), 162u);
    EXPECT_NE(report.find("SETVALUE OF ROW 12 COLUMN 3\n"), std::string::npos);
    EXPECT_EQ(back.setValues[10], (Triple{}));
    EXPECT_EQ(back.setValues[9], (Triple{1, 2, 3}));

    IniHandle actual = documentOf(textOf(CalibFile::ActualValues, t));
    EXPECT_EQ(readActualValueRows(*actual, back), "");
    EXPECT_EQ(back.actual[0], (RawTriple{1, 2, 3}));
}

TEST(CalibFiles, ReferenceWithoutSettingsTakesDefaults) {
    CalibrationTables t;
    t.referenceSpace = 0;
    t.setValueSpace = 5;
    t.rows = 30;
    std::string text = textOf(CalibFile::Reference, t);
    const auto from = text.find("[CALIBRATION SETTING]");
    text.erase(from, text.find("[REFERENCE SETVALUE]") - from);
    IniHandle ini = documentOf(text);
    CalibrationTables back;
    back.rows = 9;
    EXPECT_EQ(AcquireCalibSettingsFromIniHandle(*ini, back),
              "REFERENCE COLOR SPACE\nSETVALUE COLOR SPACE\nSETVALUE ROWS\n");
    EXPECT_EQ(back.referenceSpace, 2);
    EXPECT_EQ(back.setValueSpace, 2);
    EXPECT_EQ(back.rows, 1);
}

TEST(CalibFiles, HeaderChecksMarkerAndVersion) {
    CalibrationTables t;
    IniHandle setValues = documentOf(textOf(CalibFile::SetValues, t));
    const HeaderCheck wrongKind = checkHeader(*setValues, CalibFile::Reference);
    EXPECT_FALSE(wrongKind.markerMatches);
    EXPECT_TRUE(wrongKind.versionMatches);
    // Answered Yes, the reference sections of a set-value file load.
    CalibrationTables back;
    EXPECT_EQ(readCalibrationFile(*setValues, CalibFile::Reference, back), "");

    std::string other = textOf(CalibFile::Reference, t);
    other.replace(other.find("V3.2"), 4, "V3.1");
    IniHandle older = documentOf(other);
    const HeaderCheck version = checkHeader(*older, CalibFile::Reference);
    EXPECT_TRUE(version.markerMatches);
    EXPECT_FALSE(version.versionMatches);
}

} // namespace
} // namespace tavrino::calibration

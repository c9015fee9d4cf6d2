// The JSON payloads as pure logic: every field of a measurement, the nulls,
// the decimal point under a German locale, values JSON cannot carry, the
// escaping of whatever texts the sensor sends, the parameter keys and the
// time stamp.

#include "publish/payload.h"

#include "parameters/parameter_file.h"
#include "support/german_locale.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <chrono>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <locale>
#include <string>
#include <vector>

namespace tavrino::publish {
namespace {

using measurement::MeasurementRecord;

// A parsed JSON object; a payload that is not one fails the test.
QJsonObject parsed(const std::string& json) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << json;
    EXPECT_TRUE(doc.isObject()) << json;
    return doc.object();
}

MeasurementRecord sampleRecord() {
    MeasurementRecord r;
    r.X = 1207;
    r.Y = -12;
    r.Z = 968;
    r.rawX = 4095;
    r.rawY = 0;
    r.rawZ = -32768;
    r.csX = 0.25;
    r.csY = -1.5;
    r.csI = 1.0 / 65536.0;
    r.refX = 32767.0;
    r.refY = -0.0;
    r.refI = 2.0;
    r.deltaE = -1.0;
    r.colorNo = 1;
    r.in0 = 1;
    r.temp = 312;
    r.dpSet = 2;
    r.sat = 1;
    return r;
}

constexpr const char* kSampleTime = "2026-03-07T09:05:01.123Z";
constexpr const char* kSamplePayload =
    R"({"seq": 42, "time": "2026-03-07T09:05:01.123Z", "X": 1207, "Y": -12, "Z": 968, "rawX": 4095, )"
    R"("rawY": 0, "rawZ": -32768, "cs": [0.250000, -1.500000, 0.000015], "ref": [32767.000000, -0.000000, )"
    R"(2.000000], "deltaE": -1.000000, "colorNo": 1, "in0": 1, "temp": 312, "dpSet": 2, "sat": true})";

TEST(MeasurementPayload, EveryFieldInOrderWithSixDecimals) {
    const auto payload = measurementPayload(sampleRecord(), 42, kSampleTime);
    ASSERT_TRUE(payload);
    EXPECT_EQ(*payload, kSamplePayload);
    const QJsonObject o = parsed(*payload);
    EXPECT_EQ(o.size(), 16);
    EXPECT_EQ(o["cs"].toArray().size(), 3);
    EXPECT_EQ(o["rawZ"].toInt(), -32768);
}

TEST(MeasurementPayload, ColourNumberOutsideTheRowsIsNull) {
    struct Case {
        std::int16_t colorNo;
        bool null;
    };
    const std::vector<Case> cases = {{0, false}, {2, false}, {255, true}, {3, true}, {-1, true}};
    for (const Case& c : cases) {
        MeasurementRecord r = sampleRecord();
        r.colorNo = c.colorNo;
        const QJsonObject o = parsed(measurementPayload(r, 1, kSampleTime).value());
        ASSERT_TRUE(o.contains("colorNo")) << c.colorNo;
        EXPECT_EQ(o["colorNo"].isNull(), c.null) << c.colorNo;
        if (!c.null) {
            EXPECT_EQ(o["colorNo"].toInt(), c.colorNo);
        }
    }
}

TEST(MeasurementPayload, InputIsZeroOrOneAndSaturationABoolean) {
    struct Case {
        std::int16_t raw;
        int in0;
        bool sat;
    };
    const std::vector<Case> cases = {{0, 0, false}, {1, 1, true}, {255, 1, true}, {-1, 1, true}};
    for (const Case& c : cases) {
        MeasurementRecord r = sampleRecord();
        r.in0 = c.raw;
        r.sat = c.raw;
        const QJsonObject o = parsed(measurementPayload(r, 1, kSampleTime).value());
        EXPECT_EQ(o["in0"].toInteger(-9), c.in0) << c.raw;
        ASSERT_TRUE(o["sat"].isBool()) << c.raw;
        EXPECT_EQ(o["sat"].toBool(), c.sat) << c.raw;
    }
}

TEST(MeasurementPayload, ValuesJsonCannotCarryAreRefused) {
    const double bad[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity()};
    double MeasurementRecord::*fields[] = {&MeasurementRecord::csX,   &MeasurementRecord::csY,
                                           &MeasurementRecord::csI,   &MeasurementRecord::refX,
                                           &MeasurementRecord::refY,  &MeasurementRecord::refI,
                                           &MeasurementRecord::deltaE};
    for (std::size_t f = 0; f < std::size(fields); ++f) {
        for (const double value : bad) {
            MeasurementRecord r = sampleRecord();
            r.*fields[f] = value;
            EXPECT_FALSE(measurementPayload(r, 1, kSampleTime)) << "field " << f << " value " << value;
        }
    }
}

TEST(MeasurementPayload, SequenceNumbersBeyondThirtyTwoBits) {
    const auto payload = measurementPayload(sampleRecord(), 5000000000ULL, kSampleTime);
    ASSERT_TRUE(payload);
    EXPECT_EQ(parsed(*payload)["seq"].toInteger(), 5000000000LL);
}

TEST(MeasurementPayload, DecimalPointStaysAPointUnderAGermanLocale) {
    ASSERT_TRUE(test::useGermanLocale("publish"))
        << "no German locale and none could be built with localedef";
    // Streams too: the global C++ locale with the German decimal comma.
    const std::locale previous = std::locale::global(std::locale("de_DE.UTF-8"));
    char printed[32];
    std::snprintf(printed, sizeof printed, "%f", 1.5);
    const auto underGerman = measurementPayload(sampleRecord(), 42, kSampleTime);
    std::locale::global(previous);
    std::setlocale(LC_ALL, "C");
    ASSERT_STREQ(printed, "1,500000"); // the locale is really in effect
    EXPECT_EQ(underGerman.value_or(""), kSamplePayload);
}

TEST(Timestamp, UtcWithMillisecondsAlsoBeforeNineteenSeventy) {
    using namespace std::chrono;
    struct Case {
        sys_time<milliseconds> time;
        const char* text;
    };
    const std::vector<Case> cases = {
        {sys_time<milliseconds>{}, "1970-01-01T00:00:00.000Z"},
        {sys_days{2024y / February / 29} + 23h + 59min + 59s + 999ms, "2024-02-29T23:59:59.999Z"},
        {sys_days{2026y / March / 7} + 9h + 5min + 1s + 7ms, "2026-03-07T09:05:01.007Z"},
        {sys_time<milliseconds>{-1ms}, "1969-12-31T23:59:59.999Z"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(utcTimestamp(time_point_cast<system_clock::duration>(c.time)), c.text);
    // The millisecond that has begun: never rounded up into the next one, and
    // before 1970 not toward 1970 either.
    const auto almost = sys_days{2026y / December / 31} + 23h + 59min + 59s + 999999us;
    EXPECT_EQ(utcTimestamp(time_point_cast<system_clock::duration>(almost)), "2026-12-31T23:59:59.999Z");
    const sys_time<microseconds> justBefore{-1us};
    EXPECT_EQ(utcTimestamp(time_point_cast<system_clock::duration>(justBefore)), "1969-12-31T23:59:59.999Z");
}

TEST(IdentityPayload, FieldsAndTheProgram) {
    const QJsonObject o = parsed(identityPayload("TAVRINO4 VXR QLM V3.2.7 B", "Line 3", 4711));
    EXPECT_EQ(o["firmware"].toString(), "TAVRINO4 VXR QLM V3.2.7 B");
    EXPECT_EQ(o["name"].toString(), "Line 3");
    EXPECT_EQ(o["serial"].toInteger(), 4711);
    EXPECT_EQ(o["program"].toString(), "TAVRINO4 VXR QLM Scope V3.2");
    EXPECT_EQ(o.size(), 4);
}

TEST(IdentityPayload, WhateverTheSensorSendsGivesValidJson) {
    struct Case {
        std::string raw;
        QString read; // what a JSON reader makes of it
    };
    const std::vector<Case> cases = {
        {"a\"b\\c", QStringLiteral("a\"b\\c")},
        {"tab\there\nnew\rline", QStringLiteral("tab\there\nnew\rline")},
        {std::string("nul\0one\x01\x1f\x7f", 10),
         QStringLiteral("nul") + QChar(0) + QStringLiteral("one") + QChar(1) + QChar(0x1f) + QChar(0x7f)},
        {"gr\xc3\xbcn \xe2\x82\xac \xf0\x9f\x99\x82",
         QString::fromUtf8("gr\xc3\xbcn \xe2\x82\xac \xf0\x9f\x99\x82")},
        // Bytes that are no UTF-8 are read as Latin-1.
        {"gr\xfcn", QString::fromLatin1("gr\xfcn")},
        {"\xe2\x82", QString::fromLatin1("\xe2\x82")},                 // cut short
        {"\xc0\x80", QString::fromLatin1("\xc0\x80")},                 // overlong zero
        {"\xed\xa0\x80", QString::fromLatin1("\xed\xa0\x80")},         // a surrogate
        {"\xf4\x90\x80\x80", QString::fromLatin1("\xf4\x90\x80\x80")}, // beyond U+10FFFF
    };
    for (const Case& c : cases) {
        const std::string json = identityPayload(c.raw, c.raw, 1);
        // JSON allows no control character inside a string unescaped.
        for (const char ch : json)
            ASSERT_GE(static_cast<unsigned char>(ch), 0x20) << json;
        const QJsonObject o = parsed(json);
        EXPECT_EQ(o["name"].toString(), c.read) << json;
        EXPECT_EQ(o["firmware"].toString(), c.read) << json;
    }
}

TEST(ParametersPayload, EveryFileKeyInWordOrderAndTheColourSpaceName) {
    parameters::ParameterWords words{};
    for (std::size_t w = 0; w < words.size(); ++w)
        words[w] = static_cast<std::uint16_t>(1000 + w);
    words[parameters::word::Power] = 650;
    words[parameters::word::PowerMode] = 0;
    words[parameters::word::ColorSpace] = 1;
    words[parameters::word::CorrectionX + 2] = 65535;
    const std::string json = parametersPayload(words);
    EXPECT_EQ(json.rfind(R"({"POWER": 650, "POWER MODE": 0, "GAIN": 1002, )", 0), 0U) << json;
    EXPECT_NE(json.find(R"("CORRECTION VALUE Z": 65535, "COLOR SPACE NAME": "L*a*b*"})"), std::string::npos)
        << json;
    const QJsonObject o = parsed(json);
    EXPECT_EQ(o.size(), 30); // words 0..28 and the name; the cube roots are no file keys
    EXPECT_FALSE(o.contains("CUBE ROOT X"));
    EXPECT_EQ(o["EXTERN TEACH"].toInt(), 1014);
    EXPECT_EQ(o["DOUBLE PARA INTEGRAL2"].toInt(), 1025);
}

TEST(ParametersPayload, ColourSpaceNames) {
    const std::vector<std::pair<std::uint16_t, const char*>> cases = {
        {0, "xyY"}, {1, "L*a*b*"}, {2, "L*u*v*"}, {3, "L*C*h*"}, {4, "u'v'L*"}};
    for (const auto& [space, name] : cases) {
        parameters::ParameterWords words{};
        words[parameters::word::ColorSpace] = space;
        EXPECT_EQ(parsed(parametersPayload(words))["COLOR SPACE NAME"].toString(), name);
    }
    parameters::ParameterWords unknown{};
    unknown[parameters::word::ColorSpace] = 9;
    const QJsonObject o = parsed(parametersPayload(unknown));
    EXPECT_TRUE(o.contains("COLOR SPACE NAME"));
    EXPECT_TRUE(o["COLOR SPACE NAME"].isNull());
}

} // namespace
} // namespace tavrino::publish

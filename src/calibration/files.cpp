#include "calibration/files.h"

#include "calibration/texts.h"

#include <limits>

namespace tavrino::calibration {
namespace {

constexpr std::string_view kGeneral = "GENERAL INFO";
constexpr std::string_view kFileType = "FILE TYPE:";
constexpr std::string_view kVersion = "SCOPE VERSION:";
constexpr std::string_view kSetting = "CALIBRATION SETTING";
constexpr std::string_view kRefSetValue = "REFERENCE SETVALUE";
constexpr std::string_view kRefActual = "REFERENCE ACTUAL VALUE";
constexpr std::string_view kSetValueRow = "SETVALUE OF ROW ";
constexpr std::string_view kActualRow = "ACTUAL VALUE OF ROW ";
constexpr const char* kXyz[] = {"X", "Y", "Z"};

const CalibFileKind kKinds[] = {
    {"Calibration Reference Values", "CalibrationReferenceValues.ini", "CALIBRATION REFERENCE VALUE FILE",
     kLoadReferenceTitle, kSaveReferenceTitle, kNotReferenceFile, kReportHeaderSettings},
    {"Calibration Setvalues", "CalibrationSetvalues.ini", "CALIBRATION SETVALUES FILE", kLoadSetValuesTitle,
     kSaveSetValuesTitle, kNotSetValuesFile, kReportHeaderRows},
    {"Calibration Actual XYZ Values", "CalibrationActualValues.ini", "CALIBRATION ACTUAL VALUE FILE",
     kLoadActualTitle, kSaveActualTitle, kNotActualFile, kReportHeaderRows},
};

std::string column(std::size_t c) {
    return "COLUMN " + std::to_string(c + 1);
}
std::string rowSection(std::string_view prefix, std::size_t r) {
    return std::string(prefix) + std::to_string(r + 1);
}

// An integer item in 0..limit, or nothing (missing, empty, invalid or out of range).
bool getInt(IniDocument& ini, std::string_view section, std::string_view tag, std::int32_t limit,
            std::int32_t& out) {
    std::int32_t v = 0;
    if (Ini_GetInt(&ini, section, tag, &v) != 1 || v < 0 || v > limit)
        return false;
    out = v;
    return true;
}

bool getDouble(IniDocument& ini, std::string_view section, std::string_view tag, double& out) {
    double v = 0.0;
    if (Ini_GetDouble(&ini, section, tag, &v) != 1)
        return false;
    out = v;
    return true;
}

void noteMissing(std::string& report, std::string_view section, std::string_view tag) {
    report += section;
    report += ' ';
    report += tag;
    report += '\n';
}

std::uint16_t u16Setting(IniDocument& ini, std::string_view tag, std::uint16_t fallback,
                         std::string& report) {
    std::int32_t v = fallback;
    if (!getInt(ini, kSetting, tag, 0xFFFF, v)) {
        report += tag;
        report += '\n';
        v = fallback;
    }
    return static_cast<std::uint16_t>(v);
}

} // namespace

const CalibFileKind& kindOf(CalibFile file) {
    return kKinds[static_cast<int>(file)];
}

void AppendCalibSettingsToIniHandle(IniDocument& ini, const CalibrationTables& t) {
    Ini_PutInt(&ini, kSetting, "REFERENCE COLOR SPACE", t.referenceSpace);
    Ini_PutInt(&ini, kSetting, "SETVALUE COLOR SPACE", t.setValueSpace);
    Ini_PutInt(&ini, kSetting, "SETVALUE ROWS", t.rows);
    for (std::size_t c = 0; c < 3; ++c)
        Ini_PutDouble(&ini, kRefSetValue, column(c), t.referenceSetValue[c]);
    for (std::size_t c = 0; c < 3; ++c)
        Ini_PutInt(&ini, kRefActual, kXyz[c], t.referenceActual[c]);
}

IniHandle calibrationDocument(CalibFile file, const CalibrationTables& t) {
    IniHandle ini = Ini_New(false);
    if (!ini)
        return ini;
    Ini_PutString(ini.get(), kGeneral, kFileType, kindOf(file).marker);
    Ini_PutString(ini.get(), kGeneral, kVersion, kCalibScopeVersion);
    AppendCalibSettingsToIniHandle(*ini, t);
    for (std::size_t r = 0; r < kSetValueRows; ++r) {
        for (std::size_t c = 0; c < 3; ++c) {
            if (file == CalibFile::SetValues)
                Ini_PutDouble(ini.get(), rowSection(kSetValueRow, r), column(c), t.setValues[r][c]);
            else if (file == CalibFile::ActualValues)
                Ini_PutInt(ini.get(), rowSection(kActualRow, r), column(c), t.actual[r][c]);
        }
    }
    return ini;
}

HeaderCheck checkHeader(IniDocument& ini, CalibFile file) {
    std::string marker;
    std::string version;
    Ini_GetString(&ini, kGeneral, kFileType, marker);
    Ini_GetString(&ini, kGeneral, kVersion, version);
    return {marker == kindOf(file).marker, version == kCalibScopeVersion};
}

std::string AcquireCalibSettingsFromIniHandle(IniDocument& ini, CalibrationTables& t) {
    std::string report;
    t.referenceSpace = u16Setting(ini, "REFERENCE COLOR SPACE", kDefaultSpace, report);
    t.setValueSpace = u16Setting(ini, "SETVALUE COLOR SPACE", kDefaultSpace, report);
    t.rows = clampRows(u16Setting(ini, "SETVALUE ROWS", 1, report));
    for (std::size_t c = 0; c < 3; ++c) {
        t.referenceSetValue[c] = 0.0;
        if (!getDouble(ini, kRefSetValue, column(c), t.referenceSetValue[c]))
            noteMissing(report, kRefSetValue, column(c));
    }
    for (std::size_t c = 0; c < 3; ++c) {
        std::int32_t v = 0;
        if (!getInt(ini, kRefActual, kXyz[c], 0xFFFF, v))
            noteMissing(report, kRefActual, kXyz[c]);
        t.referenceActual[c] = static_cast<std::uint16_t>(v);
    }
    return report;
}

std::string readSetValueRows(IniDocument& ini, CalibrationTables& t) {
    std::string report;
    for (std::size_t r = 0; r < kSetValueRows; ++r) {
        const std::string section = rowSection(kSetValueRow, r);
        for (std::size_t c = 0; c < 3; ++c) {
            t.setValues[r][c] = 0.0;
            if (!getDouble(ini, section, column(c), t.setValues[r][c]))
                noteMissing(report, section, column(c));
        }
    }
    return report;
}

std::string readActualValueRows(IniDocument& ini, CalibrationTables& t) {
    std::string report;
    for (std::size_t r = 0; r < kSetValueRows; ++r) {
        const std::string section = rowSection(kActualRow, r);
        for (std::size_t c = 0; c < 3; ++c) {
            std::int32_t v = 0;
            if (!getInt(ini, section, column(c), 0xFFFF, v))
                noteMissing(report, section, column(c));
            t.actual[r][c] = static_cast<std::uint16_t>(v);
        }
    }
    return report;
}

std::string readCalibrationFile(IniDocument& ini, CalibFile file, CalibrationTables& t) {
    switch (file) {
    case CalibFile::Reference:
        return AcquireCalibSettingsFromIniHandle(ini, t);
    case CalibFile::SetValues:
        return readSetValueRows(ini, t);
    case CalibFile::ActualValues:
        return readActualValueRows(ini, t);
    }
    return {};
}

} // namespace tavrino::calibration

#pragma once

#include "calibration/tables.h"
#include "common/language.h"
#include "ini/ini.h"

#include <string>
#include <string_view>

namespace tavrino::calibration {

// The three calibration files: each a header, the calibration settings and
// the reference; the set-value and actual-value files add 64 row sections.
enum class CalibFile { Reference, SetValues, ActualValues };

inline constexpr std::string_view kCalibScopeVersion = "TAVRINO4 VXR QLM Scope V3.2";

struct CalibFileKind {
    std::string_view marker;      // FILE TYPE:
    std::string_view defaultName; // offered by the file dialog
    std::string_view settingsKey; // remembered path in the panel settings
    Text loadTitle;
    Text saveTitle;
    Text wrongMarker;
    Text reportHeader;
};
[[nodiscard]] const CalibFileKind& kindOf(CalibFile file);

// The document a save writes, in its exact order (sorting off).
[[nodiscard]] IniHandle calibrationDocument(CalibFile file, const CalibrationTables& t);
// The calibration-setting and both reference sections, as every save puts them.
void AppendCalibSettingsToIniHandle(IniDocument& ini, const CalibrationTables& t);

struct HeaderCheck {
    bool markerMatches = false;
    bool versionMatches = false;
};
[[nodiscard]] HeaderCheck checkHeader(IniDocument& ini, CalibFile file);

// Each returns the report: one line per value replaced by its default
// (empty when everything was read).
std::string AcquireCalibSettingsFromIniHandle(IniDocument& ini, CalibrationTables& t);
std::string readSetValueRows(IniDocument& ini, CalibrationTables& t);
std::string readActualValueRows(IniDocument& ini, CalibrationTables& t);
// The rows (or settings) of that file kind into the tables.
std::string readCalibrationFile(IniDocument& ini, CalibFile file, CalibrationTables& t);

} // namespace tavrino::calibration

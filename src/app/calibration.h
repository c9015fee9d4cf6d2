#pragma once

// The calibration page and panel, the password panel and the two offset
// pages: every flow their controls start.

#include "app/session.h"
#include "calibration/files.h"

#include <optional>
#include <string>
#include <string_view>

namespace tavrino::app {

// Column headings and row label colours from the selectors and ROWS.
void InitCalibPanel(Session& s);
void CalcXYZfromSetvalue(Session& s);
// The white point from the reference; the limit message when it is too high.
void CalcXnYnZn(Session& s);
// The factors of rows 1..ROWS; one message names any that had to be limited.
void CalcCF(Session& s);

// Orders 103 slot and slot + 1. 1 sent, -1 not (a failure was reported).
int SendCalibrationData(Session& s, std::uint16_t slot);
// Orders 104 slot and slot + 1 into the SENSOR DATA page. 1 or -1.
int ReadCalibrationData(Session& s, std::uint16_t slot);
// The send question with the title of `slot` (user or factory), then
// SendCalibrationData on Yes. 1 sent, 0 declined (nothing sent), -1 failed.
int confirmAndSendCalibration(Session& s, std::uint16_t slot);

// --- controls of the calibration page and panel ---
void referenceSpaceCommitted(Session& s, std::uint16_t space);
void setValueSpaceCommitted(Session& s, std::uint16_t space);
void rowsCommitted(Session& s, int rows);
void rowNoCommitted(Session& s, int rowNo);
void autoAdvanceCommitted(Session& s, bool on);
void referenceSetValueEdited(Session& s, std::size_t column, double value);
void referenceActualEdited(Session& s, std::size_t column, std::uint16_t value);
void setValueEdited(Session& s, std::size_t row, std::size_t column, double value);
void actualValueEdited(Session& s, std::size_t row, std::size_t column, std::uint16_t value);
void assignReferenceButton(Session& s);
void assignToRowButton(Session& s);
void resetReferenceButton(Session& s);
void resetSetValuesButton(Session& s);
void resetActualValuesButton(Session& s);
void calculateFactorsButton(Session& s);
void sendCalibrationButton(Session& s);
void readCalibrationButton(Session& s);
void closeCalibrationButton(Session& s);
void showCalibPage(Session& s, CalibPage page);

// --- calibration files ---
// With `path` set no dialog is shown (the command-line tool). 1 done, -1 not.
int loadCalibrationFile(Session& s, calibration::CalibFile file,
                        const std::optional<std::string>& path = std::nullopt);
int saveCalibrationFile(Session& s, calibration::CalibFile file,
                        const std::optional<std::string>& path = std::nullopt);
inline int GetCalibRefFromFile(Session& s) {
    return loadCalibrationFile(s, calibration::CalibFile::Reference);
}
inline int GetCalibSetvalueFromFile(Session& s) {
    return loadCalibrationFile(s, calibration::CalibFile::SetValues);
}
inline int GetCalibActualValueFromFile(Session& s) {
    return loadCalibrationFile(s, calibration::CalibFile::ActualValues);
}
inline int SaveCalibRefToFile(Session& s) {
    return saveCalibrationFile(s, calibration::CalibFile::Reference);
}
inline int SaveCalibSetvalueToFile(Session& s) {
    return saveCalibrationFile(s, calibration::CalibFile::SetValues);
}
inline int SaveCalibActualValueToFile(Session& s) {
    return saveCalibrationFile(s, calibration::CalibFile::ActualValues);
}

// --- password panel ---
// The entry of the password box. True when the box closes, false when it
// stays open (wrong password: told, the field is to be cleared).
bool passwordEntered(Session& s, std::string_view entry);
// Whether `entry` is one that closes the box (before its action runs).
[[nodiscard]] bool passwordClosesBox(std::string_view entry);

// --- offset compensation ---
// Order 102: the offset record into the zero-point controls and the XYZ
// offset edit boxes, so both pages show it whoever asked. 1 or -1.
int GetOffset(Session& s);
int SendZpOffset(Session& s);
int SendAdjOffset(Session& s);
// Cover question (false: nothing sent), order 100 argument 1, then GetOffset.
int CalcOffset(Session& s);
void zeroPointSendButton(Session& s);
void zeroPointGetButton(Session& s);
void zeroPointCalcButton(Session& s);
void zeroPointCloseButton(Session& s);
void assignXyzOffsetButton(Session& s);
void xyzOffsetSendButton(Session& s);
void xyzOffsetGetButton(Session& s);
void zeroPointEdited(Session& s, std::size_t axis, std::uint16_t value);
void xyzOffsetEdited(Session& s, std::size_t axis, std::uint16_t value);

} // namespace tavrino::app

#include "calibration/tables.h"

#include <algorithm>

namespace tavrino::calibration {

RawRows CalibrationTables::unitFactors() {
    RawRows rows{};
    rows.fill({kUnitFactor, kUnitFactor, kUnitFactor});
    return rows;
}

void resetReference(CalibrationTables& t) {
    t.referenceSpace = kDefaultSpace;
    t.setValueSpace = kDefaultSpace;
    t.rows = 1;
    t.referenceSetValue = {};
    t.referenceXyz = {};
    t.referenceActual = {};
    t.whitePoint = {kResetWhitePoint, kResetWhitePoint, kResetWhitePoint};
}

void resetSetValues(CalibrationTables& t) {
    t.setValues = {};
    t.xyzSetValues = {};
}

void resetActualValues(CalibrationTables& t) {
    t.rowNo = 1;
    t.actual = {};
    t.factors = CalibrationTables::unitFactors();
}

void assignToRow(CalibrationTables& t, const RawTriple& raw) {
    const std::uint16_t row = clampRowNo(t.rowNo);
    t.actual[row - 1] = raw;
    if (t.autoAdvance && row <= kSetValueRows - 1)
        t.rowNo = static_cast<std::uint16_t>(row + 1);
}

void convertSetValues(CalibrationTables& t) {
    const ConvertedSetValues c =
        CalcXYZfromSetvalue(t.referenceSpace, t.referenceSetValue, t.setValueSpace, t.setValues);
    t.referenceXyz = c.reference;
    t.xyzSetValues = c.rows;
}

std::uint16_t clampRows(int rows) {
    return static_cast<std::uint16_t>(std::clamp(rows, 0, static_cast<int>(kSetValueRows)));
}

std::uint16_t clampRowNo(int rowNo) {
    return static_cast<std::uint16_t>(std::clamp(rowNo, 1, static_cast<int>(kSetValueRows)));
}

} // namespace tavrino::calibration

#include "ui/panels/calibration_models.h"

#include "app/calibration.h"
#include "calibration/colour_space.h"
#include "calibration/sensor_data.h"
#include "ui/callback_depth.h"
#include "ui/number_cells.h"
#include "ui/qt_text.h"

#include <QBrush>
#include <QColor>

#include <cmath>
#include <optional>

namespace tavrino::ui {

namespace {

namespace c = calibration;
using app::CalibGroup;
using app::CalibTint;

enum class Cell { Editable, Computed };
enum class Headings { ReferenceSpace, SetValueSpace, Xyz, WhitePoint, Parameters };

struct TableInfo {
    int rows;
    bool isDouble;
    Cell cell;
    std::optional<CalibGroup> group;
    bool rowStates; // row labels green for rows 1..ROWS, red above
    Headings headings;
    int decimals;
};

constexpr int kSetDecimals = 4;
constexpr int kCorrectionDecimals = 6;
constexpr int kRows = static_cast<int>(c::kSetValueRows);

TableInfo infoOf(CalibTable t) {
    switch (t) {
    case CalibTable::ReferenceSetValue:
        return {1,           true, Cell::Editable, CalibGroup::Reference, false, Headings::ReferenceSpace,
                kSetDecimals};
    case CalibTable::ReferenceActual:
        return {1, false, Cell::Editable, CalibGroup::Reference, false, Headings::Xyz, 0};
    case CalibTable::ReferenceXyz:
        return {1, true, Cell::Computed, CalibGroup::Reference, false, Headings::Xyz, kSetDecimals};
    case CalibTable::WhitePoint:
        return {1, false, Cell::Computed, CalibGroup::WhitePoint, false, Headings::WhitePoint, 0};
    case CalibTable::SetValues:
        return {kRows,       true, Cell::Editable, CalibGroup::SetValues, true, Headings::SetValueSpace,
                kSetDecimals};
    case CalibTable::XyzSetValues:
        return {kRows, true, Cell::Computed, CalibGroup::SetValues, true, Headings::Xyz, kSetDecimals};
    case CalibTable::ActualValues:
        return {kRows, false, Cell::Editable, CalibGroup::ActualValues, true, Headings::Xyz, 0};
    case CalibTable::Factors:
        return {kRows, false, Cell::Computed, CalibGroup::Factors, true, Headings::Xyz, 0};
    case CalibTable::SensorValues:
    case CalibTable::SensorFactors:
        return {kRows, false, Cell::Computed, std::nullopt, false, Headings::Xyz, 0};
    case CalibTable::SensorParameters:
        return {3, false, Cell::Computed, std::nullopt, false, Headings::Parameters, 0};
    case CalibTable::SensorCorrection:
        return {1, true, Cell::Computed, std::nullopt, false, Headings::Xyz, kCorrectionDecimals};
    case CalibTable::SensorWhitePoint:
        return {1, false, Cell::Computed, std::nullopt, false, Headings::WhitePoint, 0};
    case CalibTable::SensorReferenceActual:
    case CalibTable::SensorWhiteBalance:
        break;
    }
    return {1, false, Cell::Computed, std::nullopt, false, Headings::Xyz, 0};
}

bool isSensorTable(CalibTable t) {
    return static_cast<int>(t) >= static_cast<int>(CalibTable::SensorValues);
}

double cellOf(const c::CalibrationTables& t, CalibTable table, std::size_t r, std::size_t k) {
    const c::CalibrationBlock& b = t.sensor.block;
    switch (table) {
    case CalibTable::ReferenceSetValue:
        return t.referenceSetValue[k];
    case CalibTable::ReferenceActual:
        return t.referenceActual[k];
    case CalibTable::ReferenceXyz:
        return t.referenceXyz[k];
    case CalibTable::WhitePoint:
        return t.whitePoint[k];
    case CalibTable::SetValues:
        return t.setValues[r][k];
    case CalibTable::XyzSetValues:
        return t.xyzSetValues[r][k];
    case CalibTable::ActualValues:
        return t.actual[r][k];
    case CalibTable::Factors:
        return t.factors[r][k];
    case CalibTable::SensorValues:
        return t.sensor.values[r][k];
    case CalibTable::SensorFactors:
        return t.sensor.factors[r][k];
    case CalibTable::SensorParameters:
        // POWER GAIN INTEGRAL 1, then the two double-parameter sets
        // (INTEGRAL 2 is not shown).
        return b.parameters[r == 0 ? k : 4 + 3 * (r - 1) + k];
    case CalibTable::SensorCorrection:
        return c::correctionFactor(b.parameters[10 + k]);
    case CalibTable::SensorWhitePoint:
        return b.whitePoint[k];
    case CalibTable::SensorReferenceActual:
        return b.referenceActual[k];
    case CalibTable::SensorWhiteBalance:
        break;
    }
    return b.whiteBalance[k];
}

void editCell(app::Session& s, CalibTable table, std::size_t r, std::size_t k, double v) {
    const auto raw = static_cast<std::uint16_t>(v);
    switch (table) {
    case CalibTable::ReferenceSetValue:
        app::referenceSetValueEdited(s, k, v);
        break;
    case CalibTable::ReferenceActual:
        app::referenceActualEdited(s, k, raw);
        break;
    case CalibTable::SetValues:
        app::setValueEdited(s, r, k, v);
        break;
    case CalibTable::ActualValues:
        app::actualValueEdited(s, r, k, raw);
        break;
    default:
        break;
    }
}

constexpr std::array<const char*, 3> kXyz{"X", "Y", "Z"};
constexpr std::array<const char*, 3> kXnYnZn{"Xn", "Yn", "Zn"};
constexpr std::array<const char*, 3> kParameterColumns{"POWER", "GAIN", "INTEGRAL1"};
constexpr std::array<const char*, 3> kParameterRows{"PARA", "SET1", "SET2"};

const QColor kEditable(255, 255, 255);
const QColor kComputed(224, 224, 224);
const QColor kAsking(255, 80, 80);
const QColor kLoading(255, 255, 0);
const QColor kSaving(150, 200, 255);
const QColor kRowEnabled(0, 200, 0);
const QColor kRowDisabled(255, 60, 60);

} // namespace

CalibTableModel::CalibTableModel(app::Session& session, CallbackDepth& callbacks, CalibTable table,
                                 QObject* parent)
    : QAbstractTableModel(parent), session_(session), callbacks_(callbacks), table_(table),
      subscription_(session.calibration, [this](app::CalibrationChange change) { onChange(change); }) {}

bool CalibTableModel::editable() const {
    return infoOf(table_).cell == Cell::Editable;
}

bool CalibTableModel::hasRowStates() const {
    return infoOf(table_).rowStates;
}

int CalibTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : infoOf(table_).rows;
}

int CalibTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

double CalibTableModel::value(int row, int column) const {
    return cellOf(session_.calibration.tables, table_, static_cast<std::size_t>(row),
                  static_cast<std::size_t>(column));
}

QVariant CalibTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const TableInfo info = infoOf(table_);
    switch (role) {
    case Qt::DisplayRole:
        return info.isDouble ? fixedText(value(index.row(), index.column()), info.decimals)
                             : QString::number(value(index.row(), index.column()), 'f', 0);
    case kFullValueRole:
    case Qt::EditRole:
        return value(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    case Qt::BackgroundRole:
        return background();
    case Qt::ForegroundRole:
        return QBrush(Qt::black);
    default:
        return {};
    }
}

QVariant CalibTableModel::background() const {
    const TableInfo info = infoOf(table_);
    const CalibTint tint = info.group ? session_.calibration.tintOf(*info.group) : CalibTint::Normal;
    switch (tint) {
    case CalibTint::Asking:
        return QBrush(kAsking);
    case CalibTint::Loading:
        return QBrush(kLoading);
    case CalibTint::Saving:
        return QBrush(kSaving);
    case CalibTint::Normal:
        break;
    }
    return QBrush(info.cell == Cell::Editable ? kEditable : kComputed);
}

QVariant CalibTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section < 0 || section >= (orientation == Qt::Horizontal ? 3 : rowCount()))
        return {};
    if (role == Qt::DisplayRole)
        return orientation == Qt::Horizontal ? columnHeading(section) : rowHeading(section);
    if (role == Qt::BackgroundRole && orientation == Qt::Vertical)
        return rowLabelBackground(section);
    return {};
}

QVariant CalibTableModel::rowLabelBackground(int row) const {
    if (!hasRowStates())
        return {};
    return QBrush(session_.calibration.tables.rowEnabled(static_cast<std::size_t>(row) + 1) ? kRowEnabled
                                                                                            : kRowDisabled);
}

QString CalibTableModel::columnHeading(int column) const {
    const auto k = static_cast<std::size_t>(column);
    const c::CalibrationTables& t = session_.calibration.tables;
    switch (infoOf(table_).headings) {
    case Headings::ReferenceSpace:
        return qs(c::setValueHeadings(t.referenceSpace)[k]);
    case Headings::SetValueSpace:
        return qs(c::setValueHeadings(t.setValueSpace)[k]);
    case Headings::WhitePoint:
        return QString::fromLatin1(kXnYnZn[k]);
    case Headings::Parameters:
        return QString::fromLatin1(kParameterColumns[k]);
    case Headings::Xyz:
        break;
    }
    return QString::fromLatin1(kXyz[k]);
}

QString CalibTableModel::rowHeading(int row) const {
    if (table_ == CalibTable::SensorParameters)
        return QString::fromLatin1(kParameterRows[static_cast<std::size_t>(row)]);
    return QString::number(row + 1);
}

Qt::ItemFlags CalibTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return editable() ? base | Qt::ItemIsEditable : base;
}

bool CalibTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || !editable() || (role != Qt::EditRole && role != kFullValueRole))
        return false;
    bool ok = false;
    const double v = value.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    // Measured values are whole raw counts on the sensor's 16-bit scale.
    if (!infoOf(table_).isDouble && (v < 0.0 || v > 65535.0 || v != std::trunc(v)))
        return false;
    CallbackDepth::Scope scope(callbacks_);
    editCell(session_, table_, static_cast<std::size_t>(index.row()),
             static_cast<std::size_t>(index.column()), v);
    return true;
}

void CalibTableModel::allChanged() {
    emit dataChanged(index(0, 0), index(rowCount() - 1, 2));
}

void CalibTableModel::onChange(app::CalibrationChange change) {
    using app::CalibrationChange;
    switch (change) {
    case CalibrationChange::Tables:
        if (!isSensorTable(table_))
            allChanged();
        break;
    case CalibrationChange::SensorData:
        if (isSensorTable(table_))
            allChanged();
        break;
    case CalibrationChange::Tint:
        if (infoOf(table_).group)
            emit dataChanged(index(0, 0), index(rowCount() - 1, 2), {Qt::BackgroundRole});
        break;
    case CalibrationChange::Headings:
        emit headerDataChanged(Qt::Horizontal, 0, 2);
        if (hasRowStates())
            emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
        break;
    default:
        break;
    }
}

} // namespace tavrino::ui

#pragma once

#include "app/session.h"
#include "ui/subscription.h"

#include <QAbstractTableModel>

namespace tavrino::ui {

class CallbackDepth;

// Every table of the calibration panel. The first eight are the operator's
// tables, the rest what the sensor returned.
enum class CalibTable : int {
    ReferenceSetValue,
    ReferenceActual,
    ReferenceXyz,
    WhitePoint,
    SetValues,
    XyzSetValues,
    ActualValues,
    Factors,
    SensorValues,
    SensorFactors,
    SensorParameters,
    SensorCorrection,
    SensorWhitePoint,
    SensorReferenceActual,
    SensorWhiteBalance,
};

// One calibration table of the session as a Qt model. It follows the
// session's notifications (values, headings, tints) and hands operator edits
// to the calibration flows, which convert and recompute what depends on them.
class CalibTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    CalibTableModel(app::Session& session, CallbackDepth& callbacks, CalibTable table,
                    QObject* parent = nullptr);

    [[nodiscard]] CalibTable table() const { return table_; }
    [[nodiscard]] bool editable() const;
    [[nodiscard]] bool hasRowStates() const;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The number a cell holds.
    [[nodiscard]] double value(int row, int column) const;

private:
    void onChange(app::CalibrationChange change);
    void allChanged();
    [[nodiscard]] QVariant background() const;
    [[nodiscard]] QVariant rowLabelBackground(int row) const;
    [[nodiscard]] QString columnHeading(int column) const;
    [[nodiscard]] QString rowHeading(int row) const;

    app::Session& session_;
    CallbackDepth& callbacks_;
    CalibTable table_;
    Subscription<app::CalibrationState> subscription_;
};

} // namespace tavrino::ui

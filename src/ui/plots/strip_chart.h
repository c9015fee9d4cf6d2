#pragma once

#include <qcustomplot.h>

#include <QColor>

#include <cstddef>
#include <vector>

namespace tavrino::ui {

// A strip chart of a fixed number of samples (the graph histories: oldest
// first, newest last) with 101 points per screen. Its vertical axis either
// keeps a fixed range or scales itself to the data. New samples are written
// into the points in place: nothing is allocated per update.
class StripChart : public QCustomPlot {
    Q_OBJECT
public:
    static constexpr int kPointsPerScreen = 101;

    StripChart(std::size_t samples, const std::vector<QColor>& traceColours, QWidget* parent = nullptr);

    // `values` holds samples x traces numbers, the traces interleaved
    // (X, Y, Z, X, Y, Z, ...); trace t of sample i is values[i * traces + t].
    void setSamples(const double* values);

    void setFixedRange(double low, double high);
    void setAutoscale(bool on);
    [[nodiscard]] bool autoscale() const { return autoscale_; }
    void setLabel(const QString& label);
    // Counts the replots since the chart was built (for the benchmark).
    [[nodiscard]] std::size_t replots() const { return replots_; }

signals:
    void leftClicked();
    void leftDoubleClicked();

private:
    void connectSignals();
    void applyRange();

    std::size_t samples_;
    std::size_t traces_;
    bool autoscale_ = false;
    QCPRange fixed_;
    std::size_t replots_ = 0;
};

} // namespace tavrino::ui

#include "ui/plots/strip_chart.h"

namespace tavrino::ui {

StripChart::StripChart(std::size_t samples, const std::vector<QColor>& traceColours, QWidget* parent)
    : QCustomPlot(parent), samples_(samples), traces_(traceColours.size()) {
    for (const QColor& colour : traceColours) {
        QCPGraph* g = addGraph();
        g->setPen(QPen(colour, 1));
        g->setAdaptiveSampling(false);
        QVector<double> keys(static_cast<int>(samples));
        for (int i = 0; i < keys.size(); ++i)
            keys[i] = i;
        g->setData(keys, QVector<double>(keys.size(), 0.0), true);
    }
    xAxis->setRange(0, kPointsPerScreen - 1);
    xAxis->setTickLabels(false);
    setNoAntialiasingOnDrag(true);
    setMinimumSize(120, 80);
    connectSignals();
}

void StripChart::connectSignals() {
    connect(this, &QCustomPlot::mousePress, this, [this](QMouseEvent* e) {
        if (e->button() == Qt::LeftButton)
            emit leftClicked();
    });
    connect(this, &QCustomPlot::mouseDoubleClick, this, [this](QMouseEvent* e) {
        if (e->button() == Qt::LeftButton)
            emit leftDoubleClicked();
    });
    connect(this, &QCustomPlot::afterReplot, this, [this] { ++replots_; });
}

void StripChart::setSamples(const double* values) {
    for (std::size_t t = 0; t < traces_; ++t) {
        auto data = graph(static_cast<int>(t))->data();
        std::size_t i = 0;
        for (auto it = data->begin(); it != data->end() && i < samples_; ++it, ++i)
            it->value = values[i * traces_ + t];
    }
    if (autoscale_)
        applyRange();
}

void StripChart::setFixedRange(double low, double high) {
    fixed_ = QCPRange(low, high);
    if (!autoscale_)
        applyRange();
}

void StripChart::setAutoscale(bool on) {
    autoscale_ = on;
    applyRange();
}

void StripChart::applyRange() {
    if (autoscale_)
        yAxis->rescale();
    else
        yAxis->setRange(fixed_);
}

void StripChart::setLabel(const QString& label) {
    yAxis->setLabel(label);
}

} // namespace tavrino::ui

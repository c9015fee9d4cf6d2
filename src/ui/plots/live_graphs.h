#pragma once

#include "app/session.h"
#include "common/graphs.h"
#include "measurement/graph_view.h"
#include "parameters/parameter_controls.h"
#include "teach/row_colours.h"
#include "ui/panels/measurement_display_panel.h"
#include "ui/subscription.h"

#include <QColor>
#include <QObject>
#include <QPixmap>
#include <QString>

#include <array>
#include <cstddef>
#include <optional>

class QCPAbstractItem;
class QTimer;

namespace tavrino::ui {

class SignalGraphPanel;

// The one owner of the live graphs' state: the grey-shapes flag, the handles
// of the taught shapes, the view bounds of the three-sided view and the
// signal graph's trace. It answers the logic's graph requests on the
// measurement display panel's plots and the signal graph panel.
//
// ShowGraph costs a frame only the hit colouring and marking: the charts
// and the projections are brought to the newest frame by a display-rate
// timer, one replot per visible graph and tick, so a loop decoding thousands
// of frames a second never replots per frame.
class LiveGraphs : public QObject, public Graphs {
    Q_OBJECT
public:
    static constexpr int kRefreshIntervalMs = 33; // about 30 pictures a second
    static constexpr double kXyzHigh = 4096;
    // Every shape with the grey-shapes flag, but the hit row's.
    [[nodiscard]] static QColor greyShape() { return {192, 192, 192}; }

    // The background pictures are read from `pictureDirectory` (the program's
    // own directory) by name.
    LiveGraphs(app::Session& session, const LiveGraphWidgets& widgets, SignalGraphPanel* signalPanel,
               QString pictureDirectory, QObject* parent = nullptr);

    void InitGraphs() override;
    void ShowGraph() override;
    void deleteProjectionPlots() override;
    void refreshScopeCaptions() override {}
    void InitPanelGraph() override;
    void SetPanelGraphData() override;

    // Left double click on a projection: grey shapes on or off, redrawn.
    void toggleGreyShapes();
    [[nodiscard]] bool greyShapes() const { return grey_; }
    [[nodiscard]] const measurement::AxisSpans& viewBounds() const { return bounds_; }
    // The shape of teach row `row` in projection `projection`; nullptr
    // while the projections are cleared.
    [[nodiscard]] QCPAbstractItem* shape(std::size_t row, std::size_t projection) const {
        return shapes_.at(row).at(projection);
    }
    void setPictureDirectory(const QString& directory);

    // Brings the visible graphs to the newest frame; the timer calls it.
    // Returns whether anything was drawn.
    bool refresh();
    [[nodiscard]] QTimer* refreshTimer() const { return timer_; }
    // Refreshes that drew something, since the start.
    [[nodiscard]] std::size_t refreshes() const { return refreshes_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectWidgets();
    void requestRefresh();
    void refreshPage(int page);
    void onControlChange(const parameters::ControlChange& change);
    void applyCoordinateCaptions();
    void applyCoordinateScaling(int graph);
    void zoomXyz(StripChart* chart, bool autoscale);
    void zoomCoordinates(bool autoscale);
    void recolourHit(HitChange hit);
    void drawBackground(std::uint16_t colourSpace);
    [[nodiscard]] const QPixmap& picture(std::uint16_t colourSpace, std::string_view file);
    [[nodiscard]] QColor rowColour(int row) const;
    [[nodiscard]] std::uint16_t colourSpace() const;

    app::Session& session_;
    LiveGraphWidgets widgets_;
    SignalGraphPanel* signalPanel_;
    QString pictureDirectory_;
    std::array<std::optional<QPixmap>, 5> pictures_{}; // by colour space, read once

    bool grey_ = false;
    std::array<std::array<QCPAbstractItem*, measurement::kProjections>, 3> shapes_{};
    measurement::AxisSpans bounds_{};
    double margin_ = 0;

    measurement::SignalTrace trace_;
    measurement::SignalValues latest_{};

    std::array<bool, MeasurementDisplayPanel::kGraphPageCount> pageDirty_{true, true, true};
    bool signalDirty_ = false;
    QTimer* timer_;
    std::size_t refreshes_ = 0;

    Subscription<parameters::ParameterControls> controlsSubscription_;
    Subscription<teach::RowColours> rowColourSubscription_;
};

} // namespace tavrino::ui

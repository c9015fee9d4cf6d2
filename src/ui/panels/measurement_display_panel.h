#pragma once

#include "app/session.h"
#include "measurement/display.h"
#include "parameters/parameter_controls.h"
#include "ui/subscription.h"
#include "ui/titled_widget.h"
#include "ui/ui_context.h"

#include <QString>

#include <array>
#include <string_view>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTimer;

namespace tavrino::ui {

class Led;
class StripChart;
class ProjectionPlot;
class QuadArrangement;

// The graphs of the measurement display panel's three graph pages.
struct LiveGraphWidgets {
    QTabWidget* pages = nullptr;
    StripChart* xyz = nullptr;                    // XYZ page
    std::array<StripChart*, 3> coordinates{};     // colour-space page: csX, csY, csI
    std::array<ProjectionPlot*, 3> projections{}; // three-sided view
    StripChart* xyz3D = nullptr;                  // three-sided view, beside the projections
    QuadArrangement* arrangement = nullptr;       // the three-sided view's two by two
    QPushButton* maximise = nullptr;
    QPushButton* minimise = nullptr;
};

// The measurement display panel: the live values (calibrated X Y Z, the
// colour-space coordinates, the single deviations, delta E, the colour
// number, IN0 and saturation), the sensor status field, the link displays
// and the graph tab control with its three pages. The default child panel.
//
// The displays never repaint per frame: a display-rate timer looks at the
// session's display model and paints only when a newer frame is there, so a
// loop that decodes thousands of frames a second costs the screen nothing.
class MeasurementDisplayPanel : public TitledWidget {
    Q_OBJECT
public:
    static constexpr int kGraphPageCount = 3;
    // The three sets of XYZ displays.
    enum XyzSet { OnPanel = 0, OnXyzPage = 1, OnColourSpacePage = 2 };
    static constexpr int kRepaintIntervalMs = 33; // about 30 pictures a second

    explicit MeasurementDisplayPanel(UiContext& context, QWidget* parent = nullptr);

    void retranslate(Language language) override;

    void setSensorStatus(std::string_view text);

    // Paints the newest frame of the display model if the panel has not shown
    // it yet; the repaint timer calls it. Returns whether it painted.
    bool updateDisplays();

    [[nodiscard]] QLineEdit* sensorStatus() const { return status_; }
    [[nodiscard]] QLineEdit* comPortDisplay() const { return comPort_; }
    [[nodiscard]] QLineEdit* serverAddressDisplay() const { return server_; }
    [[nodiscard]] QTabWidget* graphTabs() const { return graphTabs_; }
    [[nodiscard]] QLineEdit* xyzDisplay(XyzSet set, int channel) const;
    [[nodiscard]] QLineEdit* referenceDisplay(int i) const { return reference_.at(i).edit; }
    [[nodiscard]] QLineEdit* coordinateDisplay(int i) const { return coordinates_.at(i).edit; }
    [[nodiscard]] QLineEdit* deviationDisplay(int i) const { return deviations_.at(i).edit; }
    [[nodiscard]] QLineEdit* deltaEDisplay() const { return deltaE_.edit; }
    [[nodiscard]] QLineEdit* colourNumberDisplay() const { return colourNumber_.edit; }
    [[nodiscard]] QLabel* coordinateCaption(int i) const { return coordinateCaptions_.at(i); }
    [[nodiscard]] QLabel* deviationCaption(int i) const { return deviationCaptions_.at(i); }
    [[nodiscard]] QLabel* referenceCaption(int i) const { return referenceCaptions_.at(i); }
    [[nodiscard]] Led* in0Led() const { return in0_; }
    [[nodiscard]] Led* saturationLed() const { return saturation_; }
    [[nodiscard]] const LiveGraphWidgets& graphWidgets() const { return graphs_; }
    [[nodiscard]] QPushButton* signalGraphButton() const { return signalGraph_; }
    [[nodiscard]] QTimer* repaintTimer() const { return repaint_; }

signals:
    // Left double click on the colour-number display.
    void bigColourNumberRequested();
    // Right double click on the sensor status field.
    void clearConnectionLogRequested();
    // The signal graph button.
    void signalGraphRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // A numeric display that keeps what it shows, so an unchanged value costs
    // nothing and a changed one reuses the panel's text buffer.
    struct NumberDisplay {
        QLineEdit* edit = nullptr;
        int decimals = 0;
        bool valid = false;
        double shown = 0;
    };

    void showNumber(NumberDisplay& display, double value);
    void paint(const measurement::MeasurementDisplay& d);
    void onControlChange(const parameters::ControlChange& change);
    void applyCaptions();
    void applyShown();
    void refreshLinkDisplay();
    void refreshIdentity();
    QWidget* buildGraphPage(std::size_t page, QWidget* parent);
    QWidget* buildThreeSidedView(QWidget* parent);
    void addGraphHelp(HelpRegistry& help);

    app::Session& session_;
    QLabel* statusCaption_;
    QLineEdit* status_;
    QLabel* comPortCaption_;
    QLineEdit* comPort_;
    QLabel* serverCaption_;
    QLineEdit* server_;
    QTabWidget* graphTabs_;

    std::array<std::array<NumberDisplay, 3>, 3> xyz_{};
    std::array<NumberDisplay, 3> reference_{};
    std::array<NumberDisplay, 3> coordinates_{};
    std::array<NumberDisplay, 3> deviations_{};
    NumberDisplay deltaE_;
    NumberDisplay colourNumber_;
    std::array<QLabel*, 3> referenceCaptions_{};
    std::array<QLabel*, 3> coordinateCaptions_{};
    std::array<QLabel*, 3> deviationCaptions_{};
    QLabel* deltaECaption_;
    QLabel* colourNumberCaption_;
    QLabel* in0Caption_;
    QLabel* saturationCaption_;
    Led* in0_;
    Led* saturation_;
    LiveGraphWidgets graphs_;
    QPushButton* signalGraph_;

    QTimer* repaint_;
    measurement::FrameWatch watch_;
    QString text_; // reused for every number shown

    Subscription<app::ConnectionState> subscription_;
    Subscription<parameters::ParameterControls> controlsSubscription_;
};

} // namespace tavrino::ui

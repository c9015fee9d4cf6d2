#pragma once

// The session: the one program-wide state object. One per program run (the
// desktop program and the command-line tool each build one; tests build their
// own). It owns the link, the parameter set and its controls, the teach table,
// the measurement record and histories, the row colours, the remembered paths
// and addresses and the flags every subsystem shares. Lower layers receive
// only the members they need.

#include "app/connect_panel.h"
#include "app/dimming.h"
#include "app/panel_settings.h"
#include "app/server_addresses.h"
#include "common/ids.h"
#include "common/language.h"
#include "common/operator.h"
#include "common/run_flags.h"
#include "link/orders.h"
#include "link/sensor_link.h"
#include "measurement/display.h"
#include "measurement/record.h"
#include "parameters/parameter_controls.h"
#include "parameters/parameter_set.h"
#include "parameters/rules.h"
#include "parameters/transfer.h"
#include "teach/row_colours.h"
#include "teach/teach_table.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrino::app {

// What the connection check learnt about the sensor.
struct SensorIdentity {
    static constexpr std::size_t kFirmwareSize = link::kFirmwareTextSize;
    static constexpr std::size_t kTextBufferSize = 256; // name and next calibration, with the zero

    std::string firmware;    // up to 72 characters: the status field's tooltip
    std::string displayText; // the short version text of the status field
    std::string name;        // at most 255 characters
    std::uint16_t serialNumber = 0;
    std::string nextCalibration; // at most 255 characters
};

// The sensor's two offset sets as read with the offset record: the
// zero-point offset and the XYZ offset, X Y Z each.
struct OffsetValues {
    std::array<std::uint16_t, 3> zeroPoint{};
    std::array<std::uint16_t, 3> xyz{};
    friend bool operator==(const OffsetValues&, const OffsetValues&) = default;
};

// What the measurement display panel shows of the link: the COM port number
// with RS-232, the server address with TCP/IP.
struct LinkDisplay {
    bool comPortVisible = true;
    bool serverAddressVisible = false;
    int comPort = 1;
    std::string serverAddress;
    std::string comDevice; // a device path chosen instead of a port number
};

// What changed, so a widget refreshes only that.
enum class SessionChange {
    ConnectionSettings, // `connection` (the connection page's fields)
    ConnectPanel,       // `connectPanelProtocol`: which connection controls are visible
    ServerAddresses,
    SensorIdentity, // `sensor`: firmware tooltip, name, serial number, next calibration
    LinkDisplay,
    PanelId,
    Language,
    Paths,
    Window, // `window` / `windowRestore` after loading the settings
    Offsets,
    ChildPanel,
    TeachTolerance,
    DisplayColour,
    CloseRequested, // the operator chose Close in the failed-connection popup
};

// What the live measurement asks of the graphs; unset hooks are skipped.
struct MeasurementHooks {
    std::function<void()> initGraphs; // rebuild the graphs before a measurement starts
    std::function<void()> showGraph;  // after every frame shown; batch the replots
};

// What a main tab page does when the operator brings it to the front, for
// the pages whose owners come later; unset hooks are skipped.
struct MainTabHooks {
    std::function<void()> recorderPage;    // refresh the layout for the record mode, the record time
    std::function<void()> calibrationPage; // initialise the calibration page
};

// The operator the session hands to every subsystem: the front end's
// operator, with the dimming groups, the shown child panel and the active
// main tab page also kept in the session's models.
class SessionOperator : public Operator {
public:
    SessionOperator(Operator& outer, DimmingModel& dimming, ChildPanel& currentChildPanel,
                    MainTab& currentMainTab, std::function<void(SessionChange)> notify)
        : outer_(outer), dimming_(dimming), currentChildPanel_(currentChildPanel),
          currentMainTab_(currentMainTab), notify_(std::move(notify)) {}

    [[nodiscard]] Operator& outer() const { return outer_; }

    void message(std::string_view title, std::string_view text) override { outer_.message(title, text); }
    bool confirm(std::string_view title, std::string_view text) override {
        return outer_.confirm(title, text);
    }
    std::optional<std::string> prompt(std::string_view title, std::string_view text,
                                      std::size_t maxLength) override {
        return outer_.prompt(title, text, maxLength);
    }
    ConnectFailureChoice closeOrOffline(std::string_view title, std::string_view text,
                                        std::string_view closeLabel) override {
        return outer_.closeOrOffline(title, text, closeLabel);
    }
    FileChoice selectFile(const FileRequest& request) override { return outer_.selectFile(request); }
    void appendConnectionLog(std::string_view text) override { outer_.appendConnectionLog(text); }
    void setSensorStatus(std::string_view text) override { outer_.setSensorStatus(text); }
    void showMainTab(MainTab tab) override {
        currentMainTab_ = tab;
        outer_.showMainTab(tab);
    }
    void showChildPanel(ChildPanel panel) override;
    void setDimmed(Dimmable group, bool dimmed) override;

private:
    Operator& outer_;
    DimmingModel& dimming_;
    ChildPanel& currentChildPanel_;
    MainTab& currentMainTab_;
    std::function<void(SessionChange)> notify_;
};

class Session {
public:
    using Observer = std::function<void(SessionChange)>;

    // `programDirectory` is where the settings file and the default data
    // files live (see programDirectoryFor in app/program_directory.h).
    Session(Operator& op, std::string programDirectory);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

private:
    // Declared first: the members below are built on them.
    std::string programDirectory_;
    std::vector<std::pair<int, Observer>> observers_;
    int nextObserverId_ = 1;

public:
    // Models the operator sees through widgets.
    DimmingModel dimming;
    ChildPanel currentChildPanel = ChildPanel::MeasurementDisplay;
    // The active main tab page: kept by showMainTab through op() and by
    // mainTabChanged (app/live_measurement.h) for the operator's own switches.
    // The program starts on the sensor parameter page.
    MainTab currentMainTab = MainTab::SensorParameter;

private:
    SessionOperator op_;

public:
    Language language = Language::English;
    RunFlags flags;
    link::SensorLink link;

    parameters::ParameterSet parameterSet;
    parameters::ParameterControls controls;
    teach::TeachTable teachTable;
    parameters::ParameterRules rules;
    parameters::ParameterTransfer transfer;

    measurement::MeasurementRecord record;
    measurement::GraphHistories histories;
    // What the live displays show; widgets poll its frame counter (see
    // measurement/display.h) instead of being told about every frame.
    measurement::MeasurementDisplay display;
    MeasurementHooks measurementHooks;
    MainTabHooks mainTabHooks;

    teach::RowColours rowColours;
    std::int16_t teachToleranceOff = 0; // 1: teach tolerance off

    std::string panelId;
    FilePaths paths;
    WindowGeometry window;
    WindowRestore windowRestore = WindowRestore::Keep;

    // The connection page: its fields, the protocol whose controls it shows,
    // the remembered server addresses.
    ConnectionSettings connection;
    std::int16_t connectPanelProtocol = 0;
    ServerAddressList serverAddresses;
    LinkDisplay linkDisplay;

    SensorIdentity sensor;
    OffsetValues offsets;

    // Set when the operator chose Close in the failed-connection popup; the
    // front end ends the program (without storing the settings).
    bool closeRequested = false;
    std::function<void()> onCloseRequested;

    // The operator every subsystem talks to.
    [[nodiscard]] Operator& op() { return op_; }
    [[nodiscard]] const std::string& programDirectory() const { return programDirectory_; }
    // The program directory joined with "PanelSettings.cfg".
    [[nodiscard]] std::string panelSettingsFile() const;
    [[nodiscard]] bool connectionControlVisible(ConnectionControl c) const {
        return app::connectionControlVisible(c, connectPanelProtocol);
    }

    // The panel settings as one record (for storing) and back (after loading).
    [[nodiscard]] PanelSettings panelSettings() const;
    void applyPanelSettings(const PanelSettings& settings);

    // Observers are called after a change the session's operations made.
    int subscribe(Observer observer);
    void unsubscribe(int id);
    void notify(SessionChange change) const;
};

} // namespace tavrino::app

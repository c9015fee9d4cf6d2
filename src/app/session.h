#pragma once

// The session: the program-wide state, split into one part per subsystem
// (connection, parameters and teach table, live measurement, row colours,
// the shell), and the link and flags every subsystem shares.

#include "app/assistant_state.h"
#include "app/calibration_state.h"
#include "app/connect_panel.h"
#include "app/dimming.h"
#include "app/panel_settings.h"
#include "app/record_review.h"
#include "app/recorder_state.h"
#include "app/scope_state.h"
#include "app/server_addresses.h"
#include "app/table_settings_state.h"
#include "app/teach_panels_state.h"
#include "common/graphs.h"
#include "common/ids.h"
#include "common/language.h"
#include "common/observers.h"
#include "common/operator.h"
#include "common/run_flags.h"
#include "link/connection_settings.h"
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

// What the measurement display panel shows of the link: the COM port number
// with RS-232, the server address with TCP/IP.
struct LinkDisplay {
    bool comPortVisible = true;
    bool serverAddressVisible = false;
    int comPort = 1;
    std::string serverAddress;
    std::string comDevice; // a device path chosen instead of a port number
};

// ---- the session's parts ------------------------------------------------------
// Each part owns the state of one subsystem and tells its observers what
// changed, so a widget subscribes to the part it shows.

// The connection page, the link as last opened and what the connection check
// learnt about the sensor.
enum class ConnectionChange {
    Settings,        // `settings` (the connection page's fields)
    Panel,           // which connection controls are visible
    ServerAddresses, // the remembered server addresses
    SensorIdentity,  // firmware tooltip, name, serial number, next calibration
    LinkDisplay,
};

class ConnectionState : public Notifying<ConnectionChange> {
public:
    // The connection page's fields: the one copy of the connection settings.
    // The link receives them when it is opened; the panel settings file reads
    // and writes them.
    link::ConnectionSettings settings;
    ServerAddressList serverAddresses;
    LinkDisplay linkDisplay;
    SensorIdentity sensor;

    // The serial controls show with RS-232, the server controls with TCP/IP.
    [[nodiscard]] bool controlVisible(ConnectionControl c) const {
        return connectionControlVisible(c, settings.protocol);
    }
};

// The parameter set, the parameter controls that are its master copy while
// the program runs, the teach table grid and the operations between them.
enum class ParameterChange {
    TeachTolerance, // `teachToleranceOff`
    AutoIncrement,  // `autoIncrement`
};

class ParameterState : public Notifying<ParameterChange> {
public:
    // `parameterFile` is the remembered parameter file path (the shell's).
    ParameterState(link::SensorLink& link, RunFlags& flags, Operator& op, Graphs& graphs,
                   const Language& language, std::string& parameterFile);
    ParameterState(const ParameterState&) = delete;
    ParameterState& operator=(const ParameterState&) = delete;

    parameters::ParameterSet set;
    parameters::ParameterControls controls;
    teach::TeachTable teachTable;
    parameters::ParameterRules rules;
    parameters::ParameterTransfer transfer;
    std::int16_t teachToleranceOff = 0; // 1: teach tolerance off
    std::int16_t autoIncrement = 0;     // 1: TEACH DATA TO moves No. on
};

// The last decoded frame and what the live displays and graphs show of it.
enum class LiveChange {
    DisplayColour,
};

class LiveState : public Notifying<LiveChange> {
public:
    measurement::MeasurementRecord record;
    measurement::GraphHistories histories;
    // What the live displays show; widgets poll its frame counter (see
    // measurement/display.h) instead of being told about every frame.
    measurement::MeasurementDisplay display;
};

// The application shell: language, panel ID, remembered paths, the main
// window's placement, the page and child panel in front.
enum class ShellChange {
    Language,
    PanelId,
    Paths,
    Window, // `window` / `windowRestore` after loading the settings
    ChildPanel,
    CloseRequested, // the operator chose Close in the failed-connection popup
};

class ShellState : public Notifying<ShellChange> {
public:
    explicit ShellState(const std::string& programDirectory) : paths(defaultFilePaths(programDirectory)) {}

    Language language = Language::English;
    std::string panelId;
    FilePaths paths;
    WindowGeometry window;
    WindowRestore windowRestore = WindowRestore::Keep;
    ChildPanel currentChildPanel = ChildPanel::MeasurementDisplay;
    // The active main tab page: kept by showMainTab through the session's
    // operator and by mainTabChanged (app/live_measurement.h) for the
    // operator's own switches. The program starts on the sensor parameter page.
    MainTab currentMainTab = MainTab::SensorParameter;
    // Set when the operator chose Close in the failed-connection popup; the
    // front end ends the program (without storing the settings).
    bool closeRequested = false;
    // The settings file found at start-up was not one that could be read:
    // it is kept under its backup name before the first store replaces it.
    bool keepSettingsFile = false;
};

// The operator the session hands to every subsystem: the front end's
// operator, with the dimming groups, the shown child panel and the active
// main tab page also kept in the session's models.
class SessionOperator : public Operator {
public:
    SessionOperator(Operator& outer, DimmingModel& dimming, ShellState& shell)
        : outer_(outer), dimming_(dimming), shell_(shell) {}

    [[nodiscard]] Operator& outer() const { return outer_; }

    void message(std::string_view title, std::string_view text) override { outer_.message(title, text); }
    bool confirm(std::string_view title, std::string_view text) override {
        return outer_.confirm(title, text);
    }
    bool okCancel(std::string_view title, std::string_view text, std::string_view okLabel,
                  std::string_view cancelLabel) override {
        return outer_.okCancel(title, text, okLabel, cancelLabel);
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
    void appendFailureToConnectionLog(std::string_view text) override {
        outer_.appendFailureToConnectionLog(text);
    }
    void setSensorStatus(std::string_view text) override { outer_.setSensorStatus(text); }
    void showMainTab(MainTab tab) override {
        shell_.currentMainTab = tab;
        outer_.showMainTab(tab);
    }
    void showChildPanel(ChildPanel panel) override;
    void setDimmed(Dimmable group, bool dimmed) override;

private:
    Operator& outer_;
    DimmingModel& dimming_;
    ShellState& shell_;
};

// One per program run (the desktop program and the command-line tool each
// build one; tests build their own). Lower layers receive only the parts they
// need, never the whole session.
class Session {
public:
    // `programDirectory` is where the settings file and the default data
    // files live (see programDirectoryFor in app/program_directory.h).
    // `graphs` is the front end's: NoGraphs where nothing is drawn.
    Session(Operator& op, Graphs& graphs, std::string programDirectory);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

private:
    // Declared first: the members below are built on them.
    std::string programDirectory_;
    Graphs& graphs_;

public:
    ShellState shell;
    DimmingModel dimming;

private:
    SessionOperator op_;

public:
    RunFlags flags;
    link::SensorLink link;
    ConnectionState connection;
    ParameterState parameters;
    LiveState live;
    teach::RowColours rowColours;
    TableSettingsState tableSettings;
    AssistantState assistant;
    RecorderState recorder;
    RecordReviewState recordReview;
    ScopeState scope;
    CalibrationState calibration;
    TeachPanelsState teachPanels;

    // The operator every subsystem talks to.
    [[nodiscard]] Operator& op() { return op_; }
    [[nodiscard]] Graphs& graphs() { return graphs_; }
    [[nodiscard]] Language language() const { return shell.language; }
    [[nodiscard]] const std::string& programDirectory() const { return programDirectory_; }
    // The program directory joined with "PanelSettings.cfg".
    [[nodiscard]] std::string panelSettingsFile() const;

    // The panel settings as one record (for storing) and back (after loading).
    [[nodiscard]] PanelSettings panelSettings() const;
    void applyPanelSettings(const PanelSettings& settings);
};

} // namespace tavrino::app

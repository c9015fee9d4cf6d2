#pragma once

#include "app/connect_option.h"
#include "app/session.h"
#include "common/graphs.h"
#include "common/ids.h"
#include "ui/callback_depth.h"
#include "ui/help.h"
#include "ui/qt_translation.h"
#include "ui/subscription.h"
#include "ui/ui_context.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

class QLabel;
class QStackedWidget;

namespace tavrino::ui {

class PageSelector;
class TitledWidget;
class CommandBar;
class ConnectionPage;
class SensorParameterPage;
class TeachTablePage;
class RecorderPage;
class CalibrationPage;
class MeasurementDisplayPanel;
class DoubleParameterPanel;
class BigColourNumberPanel;
class PasswordPanel;
class SignalGraphPanel;
class ScopePage;
class ScopePanel;
class LiveGraphs;

// The logo shown at the top right of the main window: the bitmap in the
// working directory, else the one among the program's pictures (see
// app::pictureDirectory), or, when there is none, the picture built into
// the program.
inline constexpr const char* kLogoFile = "logoKEJ.bmp";
inline constexpr const char* kBuiltInLogo = ":/tavrino/logo.png";
inline constexpr int kDefaultWidth = 1014;
inline constexpr int kDefaultHeight = 690;
// The child panels' place in the main window: its top left corner stays here
// whatever page is in front and whatever the language.
inline constexpr int kChildPanelLeft = 385;
inline constexpr int kChildPanelTop = 63;
// Pages 0..4 in the first row of the page selector, 5..8 in the second.
inline constexpr int kFirstSelectorRow = 5;

// The main window: title line and logo, the page selector with its nine
// pages and, beside it, the place of the child panels, of which exactly one
// is shown. It also owns the two panels that are windows of their own (big
// colour number, password).
class MainWindow : public QMainWindow, public Graphs {
    Q_OBJECT
public:
    explicit MainWindow(app::Session& session, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up up to the displayed window: logo, panel settings, tab pages,
    // child panel. The connection attempt follows with connectAtStartup()
    // once the event loop runs.
    void InitAll();
    // The connection settings from the settings file, then the attempt to
    // connect with them.
    void connectAtStartup();
    // A connection given on the command line: connectAtStartup() enters it
    // on the connection page over the one from the file, as the operator
    // would, so that closing the program stores it.
    void setStartConnection(const app::ConnectOption& option) { startConnection_ = option; }

    // Shows `panel` (an unknown one shows the measurement display panel) and
    // remembers the request as the current child panel.
    void ShowChildPanelDisp(ChildPanel panel);
    // Only the widgets: what the operator seam calls.
    void showChildPanelWidget(ChildPanel panel);
    // Brings a page to the front without the operator's tab-switch actions.
    void showMainTab(MainTab tab);
    void appendConnectionLog(std::string_view text);
    void setSensorStatus(std::string_view text);
    void applyDimming(Dimmable group, bool dimmed);

    // The graphs of the measurement display panel, the signal graph panel
    // and the scope, answered by their one owner (liveGraphs()).
    void InitGraphs() override;
    void ShowGraph() override;
    void deleteProjectionPlots() override;
    void refreshScopeCaptions() override;
    void InitPanelGraph() override;
    void SetPanelGraphData() override;

    // Every caption in `language`, and the teach table's context menu.
    void retranslate(Language language);
    void SetUserDefinedMenuItems();

    // The title line and the logo from kLogoFile, else the built-in picture.
    void ShowLogo();
    // The title line and the logo from `logoFile`; a file that cannot be read
    // leaves the logo's place empty.
    void ShowLogo(const QString& logoFile);
    // 1014 x 690, centred on the screen (right double click).
    void restoreDefaultGeometry();

    // Asks the program to end as the close box does: the running loops are
    // told to stop, and once every callback has returned the settings are
    // stored (unless `storeSettings` is false) and the event loop is left.
    void requestQuit(bool storeSettings = true);
    [[nodiscard]] bool quitRequested() const { return quitRequested_; }
    [[nodiscard]] bool quitDone() const { return quitDone_; }
    // What leaving the event loop means; tests replace it.
    std::function<void()> quitApplication;

    [[nodiscard]] app::Session& session() const { return session_; }
    [[nodiscard]] HelpRegistry& help() { return help_; }
    [[nodiscard]] CallbackDepth& callbacks() { return callbacks_; }
    [[nodiscard]] PageSelector* mainTabs() const { return tabs_; }
    [[nodiscard]] QStackedWidget* childPanels() const { return stack_; }
    [[nodiscard]] QLabel* titleLine() const { return title_; }
    [[nodiscard]] QLabel* logo() const { return logo_; }
    [[nodiscard]] TitledWidget* page(MainTab tab) const;
    [[nodiscard]] TitledWidget* childPanel(ChildPanel panel) const;
    [[nodiscard]] CommandBar* commandBar() const { return commandBar_; }
    [[nodiscard]] ConnectionPage* connectionPage() const { return connectionPage_; }
    [[nodiscard]] SensorParameterPage* sensorParameterPage() const { return sensorParameterPage_; }
    [[nodiscard]] TeachTablePage* teachTablePage() const { return teachTablePage_; }
    [[nodiscard]] RecorderPage* recorderPage() const { return recorderPage_; }
    [[nodiscard]] CalibrationPage* calibrationPage() const { return calibrationPage_; }
    [[nodiscard]] MeasurementDisplayPanel* measurementDisplayPanel() const { return measurementDisplay_; }
    [[nodiscard]] DoubleParameterPanel* doubleParameterPanel() const { return doubleParameter_; }
    [[nodiscard]] BigColourNumberPanel* bigColourNumberPanel() const { return bigColourNumber_; }
    [[nodiscard]] PasswordPanel* passwordPanel() const { return password_; }
    [[nodiscard]] SignalGraphPanel* signalGraphPanel() const { return signalGraph_; }
    [[nodiscard]] ScopePage* scopePage() const { return scopePage_; }
    [[nodiscard]] ScopePanel* scopePanel() const { return scopePanel_; }
    [[nodiscard]] LiveGraphs* liveGraphs() const { return liveGraphs_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // Tab order, Escape for a panel's CLOSE, F1 for help.
    void addKeys();
    void CBF_TabMain1(int index);
    void onShellChange(app::ShellChange change);
    // The pages and the panel that the option rules show and hide.
    void followElement(parameters::Element element);
    // Page 7 is shown only after the password asked for it.
    void followZeroPointPage();
    void openBigColourNumberPanel();
    void placeBigColourNumberPanel();
    void applyWindowSettings();
    void syncWindowGeometry();
    void finishQuit();

    app::Session& session_;
    QtTranslation qtTranslation_;
    HelpRegistry help_;
    CallbackDepth callbacks_;
    UiContext context_;

    QLabel* title_;
    QLabel* logo_;
    PageSelector* tabs_;
    QStackedWidget* stack_;
    CommandBar* commandBar_;

    ConnectionPage* connectionPage_;
    SensorParameterPage* sensorParameterPage_;
    TeachTablePage* teachTablePage_;
    RecorderPage* recorderPage_;
    CalibrationPage* calibrationPage_;
    std::array<TitledWidget*, kMainTabCount> pages_{};

    MeasurementDisplayPanel* measurementDisplay_;
    DoubleParameterPanel* doubleParameter_;
    SignalGraphPanel* signalGraph_;
    ScopePage* scopePage_ = nullptr;
    ScopePanel* scopePanel_ = nullptr;
    LiveGraphs* liveGraphs_;
    std::array<TitledWidget*, kChildPanelCount> panels_{};

    // Where Tab goes: every widget that takes it, as the window shows them.
    std::vector<QWidget*> tabOrder_;

    BigColourNumberPanel* bigColourNumber_;
    PasswordPanel* password_;

    bool programmaticTabSwitch_ = false;
    bool geometryRestored_ = false;
    bool quitRequested_ = false;
    bool storeOnQuit_ = true;
    bool quitDone_ = false;
    std::optional<app::ConnectOption> startConnection_;
    Subscription<app::ShellState> subscription_;
    Subscription<parameters::ParameterControls> controlsSubscription_;
    Subscription<app::CalibrationState> calibrationSubscription_;
};

} // namespace tavrino::ui

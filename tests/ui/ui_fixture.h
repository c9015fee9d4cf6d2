#pragma once

#include "app/panel_settings.h"
#include "app/quit.h"
#include "app/session.h"
#include "sim_server.h"
#include "support/scripted_operator.h"
#include "support/sim_loopback.h"
#include "ui/graph_relay.h"
#include "ui/gui_operator.h"
#include "ui/main_window.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace tavrino::test {

// A main window on a fresh session in an empty program directory. Popups are
// answered by the scripted operator, the widgets are real. Leaving the event
// loop is only counted.
class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        gui = std::make_unique<ui::GuiOperator>(&scripted);
    }

    // Builds the window; a settings file written before is read by InitAll.
    void build(bool init = true) {
        session = std::make_unique<app::Session>(*gui, graphs, programDirectory());
        window = std::make_unique<ui::MainWindow>(*session);
        gui->attach(window.get());
        graphs.attach(window.get());
        window->quitApplication = [this] { ++quits; };
        if (init)
            window->InitAll();
    }

    // Safe whatever the test left (a failed assertion returns from the middle
    // of it): what still runs ends as closing the program ends it and the
    // link is closed while window and session are both there for whatever
    // that unwinds; then nothing is left pointing at the window, and the
    // session (whose link the window uses) goes last.
    void TearDown() override {
        if (session) {
            app::EndRunsForQuit(*session);
            session->link.abortWait();
            session->link.closeAll();
        }
        if (gui)
            gui->attach(nullptr);
        graphs.attach(nullptr);
        window.reset();
        session.reset();
    }

    [[nodiscard]] std::string programDirectory() const { return dir.path().toStdString(); }
    [[nodiscard]] std::string settingsFile() const {
        return app::joinPath(programDirectory(), app::kPanelSettingsFileName);
    }
    void writeSettings(const app::PanelSettings& settings) {
        teach::RowColours rows;
        ASSERT_GE(app::StorePanelSettings(settingsFile(), settings, rows), 0);
    }

    QTemporaryDir dir;
    ScriptedOperator scripted;
    std::unique_ptr<ui::GuiOperator> gui;
    ui::GraphRelay graphs;
    std::unique_ptr<app::Session> session;
    std::unique_ptr<ui::MainWindow> window;
    int quits = 0;
};

// As UiTest, with the simulated sensor on a free loopback port and a
// settings file that connects to it. The test builds the window.
class SimUiTest : public UiTest {
protected:
    sim::SimServer server{sim::SensorConfig{}};

    void SetUp() override {
        UiTest::SetUp();
        ASSERT_TRUE(listenOnLoopback(server));
        app::PanelSettings stored;
        stored.connection.protocol = link::Protocol::TcpIp;
        stored.connection.serverAddress = "127.0.0.1";
        stored.connection.portNumber = std::to_string(server.tcpPort());
        writeSettings(stored);
    }

    // Builds the window and lets it connect as at start-up; called through
    // ASSERT_NO_FATAL_FAILURE.
    void buildConnected() {
        build();
        window->connectAtStartup();
        ASSERT_EQ(session->flags.sensorConnected, 1);
    }
};

} // namespace tavrino::test

#include "app/connect_option.h"
#include "app/program_directory.h"
#include "app/session.h"
#include "ui/graph_relay.h"
#include "ui/gui_operator.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>
#include <optional>
#include <string>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tavrino-scope"));
    QApplication::setApplicationVersion(QStringLiteral("3.2.0"));
    // The program ends through the main window's close handling only.
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption dataDirOption(
        QStringLiteral("data-dir"),
        QStringLiteral("Directory of the settings and data files (default: the program directory)."),
        QStringLiteral("DIR"));
    parser.addOption(dataDirOption);
    const QCommandLineOption connectOption(
        QStringLiteral("connect"),
        QStringLiteral("Start with this connection, as if entered on the connection page: "
                       "tcp:HOST:PORT or serial:DEVICE."),
        QStringLiteral("CONNECTION"));
    parser.addOption(connectOption);
    parser.process(application);

    std::optional<std::string> dataDir;
    if (parser.isSet(dataDirOption)) {
        dataDir = parser.value(dataDirOption).toStdString();
        // An empty name would quietly stand for the default directory.
        if (dataDir->empty()) {
            std::fprintf(stderr, "tavrino-scope: --data-dir needs a directory\n");
            return 2;
        }
    }
    std::optional<tavrino::app::ConnectOption> connection;
    if (parser.isSet(connectOption)) {
        const std::string value = parser.value(connectOption).toStdString();
        connection = tavrino::app::parseConnectOption(value);
        if (!connection) {
            std::fprintf(stderr,
                         "tavrino-scope: --connect needs tcp:HOST:PORT or serial:DEVICE, not \"%s\"\n",
                         value.c_str());
            return 2;
        }
    }

    tavrino::ui::GuiOperator gui;
    tavrino::ui::GraphRelay graphs;
    tavrino::app::Session session(gui, graphs, tavrino::app::programDirectoryFor(dataDir));
    tavrino::ui::MainWindow window(session);
    gui.attach(&window);
    graphs.attach(&window);
    if (connection)
        window.setStartConnection(*connection);

    window.InitAll();
    // The connection attempt runs inside the event loop, so that choosing
    // Close in its failure popup can leave the loop.
    QTimer::singleShot(0, &window, &tavrino::ui::MainWindow::connectAtStartup);
    const int result = QApplication::exec();

    // The loop has ended and no callback runs any more: close the link.
    if (session.link.tcpConnected())
        session.link.disconnectTcp();
    session.link.closeSerial();
    graphs.attach(nullptr);
    gui.attach(nullptr);
    return result;
}

#include "app/connect_option.h"
#include "app/program_directory.h"
#include "app/session.h"
#include "common/version.h"
#include "ui/graph_relay.h"
#include "ui/gui_operator.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace {

// The program's options; --help and --version come with every parser.
void describeOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("TAVRINO4 VXR QLM Scope V3.2: sets up and watches a true-colour sensor."));
    parser.addHelpOption();
    parser.addOption(
        QCommandLineOption(QStringLiteral("version"), QStringLiteral("Print the version and exit.")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("data-dir"),
        QStringLiteral("Directory of the settings and data files (default: the program directory)."),
        QStringLiteral("DIR")));
    parser.addOption(
        QCommandLineOption(QStringLiteral("connect"),
                           QStringLiteral("Start with this connection, as if entered on the connection page: "
                                          "tcp:HOST:PORT or serial:DEVICE."),
                           QStringLiteral("CONNECTION")));
}

// Help and version are answered without a window system, so that they work
// without a display (the manual page is made from the help at build time).
// The exit status when one of them was asked for.
std::optional<int> answerTextOnlyRequest(int argc, char** argv) {
    bool asked = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        asked = asked || arg == "--help" || arg == "-h" || arg == "--help-all" || arg == "--version";
    }
    if (!asked)
        return std::nullopt;
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavrino-scope"));
    QCommandLineParser parser;
    describeOptions(parser);
    parser.process(application); // prints the help and exits for --help
    if (!parser.isSet(QStringLiteral("version")))
        return std::nullopt; // "--version" was the value of another option
    std::fputs(tavrino::versionText("tavrino-scope").c_str(), stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> status = answerTextOnlyRequest(argc, argv))
        return *status;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tavrino-scope"));
    QApplication::setApplicationVersion(QString::fromUtf8(tavrino::buildVersion()));
    // The program ends through the main window's close handling only.
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    describeOptions(parser);
    parser.process(application);
    const QString dataDirOption = QStringLiteral("data-dir");
    const QString connectOption = QStringLiteral("connect");

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

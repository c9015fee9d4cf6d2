// tavrino-sim: a simulated sensor on TCP and/or a pseudo-terminal.

#include "common/version.h"
#include "sim_server.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <optional>

namespace {

using tavrino::sim::SensorConfig;

int usageError(const QString& message) {
    std::fprintf(stderr, "tavrino-sim: %s\n", qPrintable(message));
    return 2;
}

struct TcpEndpoint {
    QHostAddress address;
    quint16 port = 0;
};

std::optional<TcpEndpoint> parseTcp(const QString& text) {
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    const QString host = colon < 0 ? QStringLiteral("127.0.0.1") : text.left(colon);
    bool ok = false;
    const uint port = text.mid(colon + 1).toUInt(&ok);
    if (!ok || port > 65535)
        return std::nullopt;
    QHostAddress address;
    if (host == QLatin1String("localhost"))
        address = QHostAddress::LocalHost;
    else if (!address.setAddress(host))
        return std::nullopt;
    return TcpEndpoint{address, static_cast<quint16>(port)};
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavrino-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulated sensor. Prints its endpoints on the first line of stdout, e.g.\n"
                       "\"tcp 127.0.0.1:5000 pty /dev/pts/4\".\n\n"
                       "Faults (--fault, repeatable): drop:ORDER[:N] delay:MS split:BYTES header-crc:ORDER\n"
                       "data-crc:ORDER short-header:ORDER short-payload:ORDER[:BYTES] error-reply:ORDER:ARG\n"
                       "plausibility:ORDER:COUNT oversize:ORDER disconnect:N port-error[:N]"));
    parser.addHelpOption();
    const QCommandLineOption tcp(QStringLiteral("tcp"),
                                 QStringLiteral("Listen on [HOST:]PORT (default 127.0.0.1:5000)."),
                                 QStringLiteral("[HOST:]PORT"));
    const QCommandLineOption pty(QStringLiteral("pty"),
                                 QStringLiteral("Open a pseudo-terminal as serial port."));
    const QCommandLineOption firmware(
        QStringLiteral("firmware"), QStringLiteral("Firmware identification text."), QStringLiteral("TEXT"));
    const QCommandLineOption serial(QStringLiteral("serial-number"),
                                    QStringLiteral("Serial number (0..65535)."), QStringLiteral("N"));
    const QCommandLineOption scene(QStringLiteral("scene"),
                                   QStringLiteral("Built-in scene (cycle, white, grey, black) or a file of "
                                                  "\"X Y Z [HOLD_SECONDS [NAME]]\" lines."),
                                   QStringLiteral("NAME|FILE"));
    const QCommandLineOption lineRate(
        QStringLiteral("line-rate"),
        QStringLiteral("Pace every byte at 10 bits per baud of the current rate."));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the measurement noise."),
                                  QStringLiteral("N"));
    const QCommandLineOption fault(QStringLiteral("fault"), QStringLiteral("Inject a fault (repeatable)."),
                                   QStringLiteral("FAULT"));
    const QCommandLineOption streamRate(
        QStringLiteral("stream-rate"),
        QStringLiteral("Order 30 sends its frames at HZ per second instead of at IN0 rising edges."),
        QStringLiteral("HZ"));
    const QCommandLineOption verbose(QStringLiteral("verbose"),
                                     QStringLiteral("Log requests, replies and faults as hex on stderr."));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Print the version and exit."));
    parser.addOptions(
        {tcp, pty, firmware, serial, scene, lineRate, seed, fault, streamRate, verbose, version});
    parser.process(app);
    if (parser.isSet(version)) {
        std::fputs(tavrino::versionText("tavrino-sim").c_str(), stdout);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return usageError(
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));

    SensorConfig config;
    if (parser.isSet(firmware))
        config.firmware = parser.value(firmware).toStdString();
    if (parser.isSet(serial)) {
        bool ok = false;
        const uint n = parser.value(serial).toUInt(&ok);
        if (!ok || n > 65535)
            return usageError(QStringLiteral("bad --serial-number '%1'").arg(parser.value(serial)));
        config.serialNumber = static_cast<std::uint16_t>(n);
    }
    if (parser.isSet(seed)) {
        bool ok = false;
        config.seed = parser.value(seed).toULongLong(&ok);
        if (!ok)
            return usageError(QStringLiteral("bad --seed '%1'").arg(parser.value(seed)));
    }
    if (parser.isSet(scene)) {
        const QString name = parser.value(scene);
        if (auto builtIn = tavrino::sim::builtInScene(name.toStdString())) {
            config.scene = std::move(*builtIn);
        } else {
            QFile file(name);
            if (!file.open(QIODevice::ReadOnly))
                return usageError(QStringLiteral("no built-in scene and no readable file '%1'").arg(name));
            std::string error;
            auto parsed = tavrino::sim::parseScene(file.readAll().toStdString(), error);
            if (!parsed)
                return usageError(QStringLiteral("%1: %2").arg(name, QString::fromStdString(error)));
            config.scene = std::move(*parsed);
        }
    }
    config.lineRate = parser.isSet(lineRate);
    if (parser.isSet(streamRate)) {
        bool ok = false;
        const double hz = parser.value(streamRate).toDouble(&ok);
        // At most a frame per microsecond; the line could not carry more.
        if (!ok || !(hz > 0.0) || hz > 1e6)
            return usageError(QStringLiteral("bad --stream-rate '%1'").arg(parser.value(streamRate)));
        config.streamPeriod = tavrino::sim::SimTime{static_cast<std::int64_t>(1e9 / hz)};
    }

    tavrino::sim::SimServer server(std::move(config));
    if (parser.isSet(verbose))
        server.setLogger([](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
    for (const QString& faultText : parser.values(fault)) {
        std::string error;
        const auto parsed = tavrino::sim::parseFault(faultText.toStdString(), error);
        if (!parsed)
            return usageError(QString::fromStdString(error));
        server.sensor().addFault(*parsed);
    }

    QStringList endpoints;
    if (parser.isSet(tcp) || !parser.isSet(pty)) {
        const QString endpointText = parser.isSet(tcp) ? parser.value(tcp) : QStringLiteral("127.0.0.1:5000");
        const auto endpoint = parseTcp(endpointText);
        if (!endpoint)
            return usageError(QStringLiteral("bad --tcp '%1'").arg(endpointText));
        QString error;
        if (!server.listenTcp(endpoint->address, endpoint->port, &error))
            return usageError(QStringLiteral("cannot listen on %1: %2").arg(endpointText, error));
        endpoints << QStringLiteral("tcp %1:%2").arg(server.tcpAddress().toString()).arg(server.tcpPort());
    }
    if (parser.isSet(pty)) {
        QString error;
        if (!server.openPty(&error))
            return usageError(QStringLiteral("cannot open a pseudo-terminal: %1").arg(error));
        endpoints << QStringLiteral("pty %1").arg(server.ptyPath());
    }
    std::printf("%s\n", qPrintable(endpoints.join(QLatin1Char(' '))));
    std::fflush(stdout);
    QObject::connect(&server, &tavrino::sim::SimServer::ptyReopened, [](const QString& path) {
        std::printf("pty %s\n", qPrintable(path));
        std::fflush(stdout);
    });
    return QCoreApplication::exec();
}

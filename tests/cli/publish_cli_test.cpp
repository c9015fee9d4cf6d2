// The publish command as a service runs it: tavrino-cli against tavrino-sim
// and a real mosquitto broker on loopback, read by a subscriber in the test.
// A broker restart in the middle of a QoS 1 stream, the status after a clean
// end, after the process was killed and after the sensor was lost, a broker
// that is down at the start, and the usage errors.

#include "cli_runner.h"
#include "publish/outbox.h"
#include "support/build_paths.h"
#include "support/mqtt_broker.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

namespace {

using cli_test::cli;
using cli_test::CliRun;
using cli_test::Simulator;
using tavrino::test::Broker;
using tavrino::test::Message;
using tavrino::test::Subscriber;
namespace mqtt = tavrino::test;

// tavrino-cli publish as a running process.
class Publisher {
public:
    explicit Publisher(const QStringList& args) {
        process_.start(QString::fromUtf8(tavrino::test::cliProgram()), args);
        process_.waitForStarted(5000);
    }
    ~Publisher() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    Publisher(const Publisher&) = delete;
    Publisher& operator=(const Publisher&) = delete;

    [[nodiscard]] bool running() const { return process_.state() == QProcess::Running; }
    void terminate() { process_.terminate(); }
    void kill() { process_.kill(); }
    // Its exit status once it has ended (-1: it crashed, was killed or hung).
    int finish(int timeoutMs = 30000) {
        if (!process_.waitForFinished(timeoutMs))
            return -1;
        err_ += QString::fromUtf8(process_.readAllStandardError());
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }
    [[nodiscard]] const QString& err() const { return err_; }

private:
    QProcess process_;
    QString err_;
};

QJsonObject json(const std::string& payload) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(payload)).object();
}

// The sequence numbers of the measurements on `topic`, in arrival order.
std::vector<long long> sequence(const std::vector<Message>& all, const std::string& topic) {
    std::vector<long long> seqs;
    for (const Message& m : mqtt::on(all, topic))
        seqs.push_back(json(m.payload)["seq"].toInteger(-1));
    return seqs;
}

std::vector<long long> oneTo(long long n) {
    std::vector<long long> v;
    for (long long i = 1; i <= n; ++i)
        v.push_back(i);
    return v;
}

// What a consumer keeps: each sequence number the first time it comes. A
// broker that goes between passing a message on and confirming it gets that
// message again after the restart (QoS 1 delivers at least once), so the
// stream may step back, but never further than the messages in flight.
struct Received {
    std::vector<long long> kept;
    std::vector<long long> replayedTooFarBack; // repeats older than the in-flight window
};

Received dropRepeats(const std::vector<long long>& seqs, long long window) {
    Received r;
    long long highest = 0;
    for (const long long seq : seqs) {
        if (seq > highest) {
            r.kept.push_back(seq);
            highest = seq;
        } else if (seq <= highest - window) {
            r.replayedTooFarBack.push_back(seq);
        }
    }
    return r;
}

// Where a sequence of numbers departs from 1, 2, 3, ...: repeats, gaps and
// steps back, for the failure message.
std::string departures(const std::vector<long long>& seqs) {
    std::string out;
    for (std::size_t i = 0; i < seqs.size(); ++i) {
        const long long expected = i == 0 ? 1 : seqs[i - 1] + 1;
        if (seqs[i] != expected)
            out += " at " + std::to_string(i) + ": " + std::to_string(i == 0 ? 0 : seqs[i - 1]) + " then " +
                   std::to_string(seqs[i]) + ";";
    }
    return out.empty() ? " none" : out;
}

auto measurementsAtLeast(const std::string& topic, std::size_t n) {
    return [topic, n](const std::vector<Message>& all) { return mqtt::on(all, topic).size() >= n; };
}

auto statusIs(const std::string& topic, const std::string& status) {
    return [topic, status](const std::vector<Message>& all) { return mqtt::last(all, topic) == status; };
}

class PublishCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (mqtt::mosquittoBinary().isEmpty())
            GTEST_SKIP()
                << "the mosquitto broker is not installed (scripts/install-deps.sh installs it); the "
                   "publishing tests need a real broker";
        broker = std::make_unique<Broker>();
        ASSERT_TRUE(broker->ready()) << "mosquitto did not start: " << broker->log().toStdString();
    }

    void startSimulator(const QStringList& extra = {}) {
        sim = std::make_unique<Simulator>(extra);
        ASSERT_FALSE(sim->tcp().isEmpty()) << "tavrino-sim did not name its endpoint";
    }

    QStringList publishArgs(const QStringList& extra) const {
        return QStringList{"--tcp", sim->tcp(), "publish", "--broker", broker->address()} + extra;
    }

    std::unique_ptr<Broker> broker;
    std::unique_ptr<Simulator> sim;
};

TEST_F(PublishCliTest, QosOneFramesAllArriveInOrderAcrossABrokerRestart) {
    // Paced at the line rate, so that the stream lasts while the broker is
    // away and comes back.
    startSimulator({"--line-rate"});
    Subscriber subscriber(broker->port(), "restart-reader");
    ASSERT_TRUE(subscriber.subscribed());
    const long long frames = 400;
    const std::string topic = "tavrino/line-1/measurement";
    Publisher publisher(publishArgs({"--id", "line-1", "--qos", "1", "-n", QString::number(frames)}));

    ASSERT_TRUE(subscriber.waitFor(measurementsAtLeast(topic, 50))) << "no stream before the restart";
    ASSERT_TRUE(publisher.running()) << "the stream ended before the broker went";
    broker->stop();
    broker->start();
    ASSERT_TRUE(broker->ready());

    EXPECT_EQ(publisher.finish(60000), 0) << publisher.err().toStdString();
    EXPECT_TRUE(publisher.err().contains("lost the broker at " + broker->address()))
        << publisher.err().toStdString();
    ASSERT_TRUE(subscriber.waitFor(measurementsAtLeast(topic, frames)))
        << mqtt::on(subscriber.messages(), topic).size() << " of " << frames;
    const auto seqs = sequence(subscriber.messages(), topic);
    const Received received = dropRepeats(seqs, static_cast<long long>(tavrino::publish::kInFlightWindow));
    EXPECT_EQ(received.kept, oneTo(frames)) << "departures:" << departures(seqs);
    EXPECT_TRUE(received.replayedTooFarBack.empty()) << "departures:" << departures(seqs);
    EXPECT_TRUE(subscriber.waitFor(statusIs("tavrino/line-1/status", "offline")));
}

TEST_F(PublishCliTest, CleanEndAfterNFramesLeavesOfflineRetainedBesideIdentityAndParameters) {
    startSimulator({"--serial-number", "815"});
    Subscriber subscriber(broker->port());
    ASSERT_TRUE(subscriber.subscribed());
    const CliRun r = cli(publishArgs({"-n", "30"}));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    // The ID is the serial number, and at QoS 0 on a quiet loopback every
    // frame arrives.
    ASSERT_TRUE(subscriber.waitFor(measurementsAtLeast("tavrino/815/measurement", 30)));
    const auto all = subscriber.messages();
    EXPECT_EQ(sequence(all, "tavrino/815/measurement"), oneTo(30));
    const QJsonObject frame = json(mqtt::on(all, "tavrino/815/measurement").front().payload);
    const QStringList keys{"seq", "time", "X",      "Y",       "Z",   "rawX", "rawY",  "rawZ",
                           "cs",  "ref",  "deltaE", "colorNo", "in0", "temp", "dpSet", "sat"};
    EXPECT_EQ(frame.keys().size(), keys.size());
    for (const QString& key : keys)
        EXPECT_TRUE(frame.contains(key)) << key.toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}Z$"))
                    .match(frame["time"].toString())
                    .hasMatch());
    const auto status = mqtt::on(all, "tavrino/815/status");
    ASSERT_GE(status.size(), 2U);
    EXPECT_EQ(status.front().payload, "online");
    EXPECT_EQ(status.back().payload, "offline");

    // Whoever subscribes later finds the retained state.
    Subscriber later(broker->port());
    ASSERT_TRUE(later.waitFor([](const std::vector<Message>& m) { return m.size() >= 3; }));
    const auto kept = later.messages();
    EXPECT_EQ(mqtt::last(kept, "tavrino/815/status"), "offline");
    const QJsonObject identity = json(mqtt::last(kept, "tavrino/815/identity"));
    EXPECT_EQ(identity["serial"].toInt(), 815);
    EXPECT_EQ(identity["program"].toString(), "TAVRINO4 VXR QLM Scope V3.2");
    const QJsonObject parameters = json(mqtt::last(kept, "tavrino/815/parameters"));
    EXPECT_EQ(parameters.size(), 30);
    EXPECT_TRUE(parameters.contains("COLOR SPACE NAME"));
    for (const Message& m : kept)
        EXPECT_TRUE(m.retained) << m.topic;
}

TEST_F(PublishCliTest, SigtermEndsWithOfflineAndExitZero) {
    startSimulator();
    Subscriber subscriber(broker->port());
    ASSERT_TRUE(subscriber.subscribed());
    Publisher publisher(publishArgs({"--id", "term", "--qos", "1"}));
    ASSERT_TRUE(subscriber.waitFor(measurementsAtLeast("tavrino/term/measurement", 20)));
    EXPECT_EQ(mqtt::last(subscriber.messages(), "tavrino/term/status"), "online");
    publisher.terminate();
    EXPECT_EQ(publisher.finish(), 0) << publisher.err().toStdString();
    EXPECT_TRUE(subscriber.waitFor(statusIs("tavrino/term/status", "offline")));
    Subscriber later(broker->port());
    EXPECT_TRUE(later.waitFor(statusIs("tavrino/term/status", "offline")));
}

TEST_F(PublishCliTest, SigkillLeavesTheLastWillOffline) {
    startSimulator();
    Subscriber subscriber(broker->port());
    ASSERT_TRUE(subscriber.subscribed());
    Publisher publisher(publishArgs({"--id", "killed"}));
    ASSERT_TRUE(subscriber.waitFor(measurementsAtLeast("tavrino/killed/measurement", 20)));
    publisher.kill();
    EXPECT_EQ(publisher.finish(), -1);
    EXPECT_TRUE(subscriber.waitFor(statusIs("tavrino/killed/status", "offline")));
    Subscriber later(broker->port());
    EXPECT_TRUE(later.waitFor(statusIs("tavrino/killed/status", "offline")));
}

TEST_F(PublishCliTest, LostSensorIsOfflineUntilANewOneAnswersOnTheSamePort) {
    startSimulator();
    const QString endpoint = sim->tcp();
    Subscriber subscriber(broker->port());
    ASSERT_TRUE(subscriber.subscribed());
    Publisher publisher(publishArgs({"--id", "lost", "--qos", "1"}));
    const std::string status = "tavrino/lost/status";
    const std::string measurement = "tavrino/lost/measurement";
    ASSERT_TRUE(subscriber.waitFor(measurementsAtLeast(measurement, 20)));

    sim.reset(); // killed
    ASSERT_TRUE(subscriber.waitFor(statusIs(status, "offline")));
    const auto before = subscriber.messages();
    const std::size_t parametersBefore = mqtt::on(before, "tavrino/lost/parameters").size();
    const std::size_t framesBefore = mqtt::on(before, measurement).size();
    EXPECT_TRUE(publisher.running());

    startSimulator({"--tcp", endpoint, "--serial-number", "42"});
    ASSERT_EQ(sim->tcp(), endpoint);
    ASSERT_TRUE(subscriber.waitFor(statusIs(status, "online")));
    ASSERT_TRUE(subscriber.waitFor(measurementsAtLeast(measurement, framesBefore + 20)));
    const auto after = subscriber.messages();
    EXPECT_GT(mqtt::on(after, "tavrino/lost/parameters").size(), parametersBefore)
        << "parameters not published again";
    EXPECT_EQ(json(mqtt::last(after, "tavrino/lost/identity"))["serial"].toInt(), 42);
    // The numbering goes on where it stopped.
    const auto seqs = sequence(after, measurement);
    EXPECT_EQ(seqs, oneTo(static_cast<long long>(seqs.size())));

    publisher.terminate();
    EXPECT_EQ(publisher.finish(), 0) << publisher.err().toStdString();
    EXPECT_TRUE(publisher.err().contains("the sensor answers again")) << publisher.err().toStdString();
}

TEST_F(PublishCliTest, BrokerGoneAtTheEndIsReportedAndExitsOne) {
    startSimulator();
    Subscriber subscriber(broker->port());
    ASSERT_TRUE(subscriber.subscribed());
    Publisher publisher(publishArgs({"--id", "gone", "--qos", "1"}));
    ASSERT_TRUE(subscriber.waitFor(measurementsAtLeast("tavrino/gone/measurement", 20)));
    broker->stop();
    publisher.terminate();
    // The flush waits while the broker confirms anything; then it gives up.
    EXPECT_EQ(publisher.finish(), 1) << publisher.err().toStdString();
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("\\d+ measurements could not be delivered to the broker\n$"))
            .match(publisher.err())
            .hasMatch())
        << publisher.err().toStdString();
}

TEST_F(PublishCliTest, BrokerDownAtTheStartExitsOneWithOneClearLine) {
    startSimulator();
    const quint16 nobody = mqtt::freePort();
    const QString address = QStringLiteral("127.0.0.1:%1").arg(nobody);
    const CliRun r = cli({"--tcp", sim->tcp(), "publish", "--broker", address});
    EXPECT_EQ(r.status, 1) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    const QStringList brokerLines = r.err.split('\n').filter(QStringLiteral("broker"));
    ASSERT_EQ(brokerLines.size(), 1) << r.err.toStdString();
    EXPECT_EQ(brokerLines.front(),
              "tavrino-cli: the broker at " + address + " cannot be reached: Connection refused");
}

TEST(PublishCliUsage, MalformedOptionsExitTwoBeforeAnyConnection) {
    // Nothing listens on port 1: a command that got past its checks would
    // fail with 1, not 2.
    const QStringList sensor{"--tcp", "127.0.0.1:1"};
    const std::vector<QStringList> cases = {
        sensor + QStringList{"publish"},
        sensor + QStringList{"publish", "--broker", "host:0"},
        sensor + QStringList{"publish", "--broker", ""},
        sensor + QStringList{"publish", "--broker", "h", "--qos", "2"},
        sensor + QStringList{"publish", "--broker", "h", "--max-rate", "0"},
        sensor + QStringList{"publish", "--broker", "h", "--max-rate", "-5"},
        sensor + QStringList{"publish", "--broker", "h", "--max-rate", "nan"},
        sensor + QStringList{"publish", "--broker", "h", "--max-rate", "inf"},
        sensor + QStringList{"publish", "--broker", "h", "--id", "line/3"},
        sensor + QStringList{"publish", "--broker", "h", "--id", "#"},
        sensor + QStringList{"publish", "--broker", "h", "--id", ""},
        sensor + QStringList{"publish", "--broker", "h", "-n", "0"},
        QStringList{"publish", "--broker", "h"},
    };
    for (const QStringList& args : cases) {
        const CliRun r = cli(args);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString() << "\n" << r.err.toStdString();
    }
}

} // namespace

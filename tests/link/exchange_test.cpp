// One exchange against a scripted sensor, over TCP and over a pseudo-terminal:
// reply validation, failure reports, and the link staying usable afterwards.

#include "link_fixture.h"

#include <QDeadlineTimer>

#include <optional>
#include <vector>

namespace tavrino::test {
namespace {

using link::ReplyHeader;
namespace texts = link::texts;
namespace order = link::order;

struct ReplyCase {
    std::string name;
    QByteArray reply;
    int piece = 0; // send in pieces of this many bytes
    int result = 1;
    std::optional<Text> report;
    bool headerKept = false; // last reply header must stay at the one before
};

QByteArray withHeaderByte(QByteArray f, int index, int value, bool fixCrc) {
    f[index] = static_cast<char>(value);
    if (fixCrc)
        f[7] =
            static_cast<char>(link::crc8Update(reinterpret_cast<const std::uint8_t*>(f.constData()), 0, 7));
    return f;
}

std::vector<ReplyCase> replyCases() {
    const QByteArray measurement = pattern(52);
    QByteArray flipped = frame(order::Measure, 0, measurement);
    flipped[8 + 10] = static_cast<char>(flipped[8 + 10] ^ 0x40);
    QByteArray oversize = frame(order::Measure, 0, {}, 2041);
    oversize.append(pattern(100, 3));
    const auto ok = [](std::string name, QByteArray reply, int piece = 0) {
        return ReplyCase{std::move(name), std::move(reply), piece, 1, std::nullopt, false};
    };
    const auto fails = [](std::string name, QByteArray reply, const Text& report, bool headerKept) {
        return ReplyCase{std::move(name), std::move(reply), 0, -1, report, headerKept};
    };
    return {
        ok("Firmware", frame(order::FirmwareText, 0, firmwareText())),
        ok("LengthZero", frame(order::StoreRamInEeprom, 0)),
        ok("OrderEchoDiffers", frame(order::GetOffset, 5, measurement)),
        fails("ErrorReplyArgument1", frame(0, 1), texts::kInvalidOrder, false),
        fails("ErrorReplyArgument2", frame(0, 2), texts::kCommunicationError, false),
        ok("ErrorReplyArgument3", frame(0, 3)),
        fails("StartByteWrongCrcFits", withHeaderByte(frame(order::Measure, 0, measurement), 0, 0x54, true),
              texts::kBadHeader, true),
        // an error reply whose header CRC is wrong: only the header message
        fails("HeaderCrcWrong", withHeaderByte(frame(0, 1), 7, frame(0, 1)[7] ^ 0x01, false),
              texts::kBadHeader, true),
        fails("PayloadByteFlipped", flipped, texts::kBadData, false),
        fails("LengthAboveBuffer", oversize, texts::kBadHeader, true),
        ok("LargestPayload", frame(order::HardwareInfo, link::kHardwareInfoKey, pattern(2040, 7))),
        ok("InPieces", frame(order::Measure, 0, measurement), 5),
        ok("InSingleBytes", frame(order::FirmwareText, 0, firmwareText()), 1),
    };
}

class ReplyTest : public LinkFixture, public ::testing::WithParamInterface<std::tuple<Line, ReplyCase>> {};

TEST_P(ReplyTest, IsJudgedReportedOnceAndLeavesTheLinkUsable) {
    const auto& [line, c] = GetParam();
    connect(line);

    answerWith(frame(order::SensorIdentity, 4711, QByteArray("TAVRINO4-SIM")));
    ASSERT_EQ(link.request(order::SensorIdentity, 0), 1);
    const ReplyHeader before = link.lastReply();

    flags.running = 1;
    flags.scopeRunning = 1;
    flags.sensorConnected = 1;
    answerWith(c.reply, c.piece);
    EXPECT_EQ(link.request(order::Measure, 0), c.result);

    if (c.report) {
        EXPECT_EQ(op.connectionLog, logged(*c.report));
        EXPECT_EQ(op.count("log"), 1u);
        EXPECT_EQ(op.sensorStatus, "TIMEOUT!");
        EXPECT_EQ(op.currentTab, MainTab::Connection);
        EXPECT_TRUE(op.dimmed[static_cast<int>(Dimmable::ConfirmedConnectionButtons)]);
        EXPECT_EQ(flags.running, 0);
        EXPECT_EQ(flags.scopeRunning, 0);
        EXPECT_EQ(flags.sensorConnected, 0);
    } else {
        EXPECT_EQ(op.connectionLog, "");
        EXPECT_EQ(op.count("status"), 0u);
        EXPECT_EQ(flags.running, 1);
    }

    const auto* h = reinterpret_cast<const std::uint8_t*>(c.reply.constData());
    const ReplyHeader expected =
        c.headerKept ? before : ReplyHeader{h[1], link::readU16(h + 2), link::readU16(h + 4), h[6]};
    EXPECT_EQ(link.lastReply().order, expected.order);
    EXPECT_EQ(link.lastReply().argument, expected.argument);
    EXPECT_EQ(link.lastReply().length, expected.length);
    EXPECT_EQ(link.lastReply().dataCrc, expected.dataCrc);
    if (c.result == 1) {
        EXPECT_EQ(payload(), c.reply.mid(8));
    }

    // Nothing of this reply may leak into the next exchange.
    answerWith(frame(order::FirmwareText, 0, firmwareText()));
    EXPECT_EQ(link.request(order::FirmwareText, 0), 1);
    EXPECT_EQ(payload(), firmwareText());
    ASSERT_EQ(peer->requests.size(), 3u);
    EXPECT_EQ(peer->requests[1], bytesOf({0x55, 0x08, 0x00, 0x00, 0x00, 0x00, 0xAA, 0x76}));
}

INSTANTIATE_TEST_SUITE_P(Replies, ReplyTest,
                         ::testing::Combine(::testing::Values(Line::Tcp, Line::Pty),
                                            ::testing::ValuesIn(replyCases())),
                         [](const auto& info) {
                             return lineName(std::get<0>(info.param)) + "_" + std::get<1>(info.param).name;
                         });

// ------------------------------------------------------------ stale bytes

struct StaleCase {
    std::string name;
    QByteArray bytes; // sent by the sensor while no exchange waits
    friend void PrintTo(const StaleCase& c, std::ostream* os) { *os << c.name; }
};

class StaleBytesTest : public LinkFixture, public ::testing::WithParamInterface<StaleCase> {};

TEST_P(StaleBytesTest, WhatCameBeforeTheRequestIsNoReply) {
    connectTcp();
    answerWith(frame(order::SensorIdentity, 4711, QByteArray("TAVRINO4-SIM")));
    ASSERT_EQ(link.request(order::SensorIdentity, 0), 1);

    // No event loop runs between this and the request: the bytes wait in
    // the connection, not yet fetched by the link.
    peer->send(GetParam().bytes);
    answerWith(frame(order::FirmwareText, 0, firmwareText()));
    EXPECT_EQ(link.request(order::FirmwareText, 0), 1);
    EXPECT_EQ(link.lastReply().order, order::FirmwareText);
    EXPECT_EQ(payload(), firmwareText());
    EXPECT_EQ(op.connectionLog, "");
}

INSTANTIATE_TEST_SUITE_P(
    Stale, StaleBytesTest,
    ::testing::Values(StaleCase{"StreamedMeasurement", frame(order::Measure, 0, pattern(52))},
                      StaleCase{"ThreeStreamedMeasurements",
                                frame(order::Measure, 0, pattern(52)).repeated(3)},
                      StaleCase{"ErrorReply", frame(0, 1)},
                      StaleCase{"HalfAFrame", frame(order::Measure, 0, pattern(52)).left(30)}),
    [](const auto& info) { return info.param.name; });

// ------------------------------------------------------------ record sizes

TEST_F(LinkFixture, AReplyShorterThanItsRecordIsABadDataFrame) {
    connectTcp();
    const struct {
        int payload;
        int result;
    } cases[] = {{0, -1}, {51, -1}, {52, 1}, {60, 1}};
    for (const auto& c : cases) {
        op.connectionLog.clear();
        answerWith(frame(order::Measure, 0, pattern(c.payload)));
        EXPECT_EQ(link.requestRecord(order::Measure, 0, 52), c.result) << c.payload;
        EXPECT_EQ(op.connectionLog, c.result == 1 ? "" : logged(texts::kBadData)) << c.payload;
    }
}

// ------------------------------------------------------------ requests

TEST_F(LinkFixture, RequestSendsThePayloadAndRecordsTheOrder) {
    connectTcp();
    answerWith(frame(order::SendOffset, 0));
    const std::uint8_t offsets[] = {1, 0, 2, 0, 3, 0};
    std::copy(std::begin(offsets), std::end(offsets), link.stagingPayload());
    EXPECT_EQ(link.request(order::SendOffset, 0, 6), 1);
    EXPECT_EQ(link.lastOrderSent(), order::SendOffset);
    ASSERT_EQ(peer->requests.size(), 1u);
    EXPECT_EQ(peer->requests[0], bytesOf({0x55, 0x65, 0x00, 0x00, 0x06, 0x00, 0xF6, 0x56, 1, 0, 2, 0, 3, 0}));
}

TEST_F(LinkFixture, TraceSeesEveryFrameBothWays) {
    connectTcp();
    std::vector<std::pair<bool, QByteArray>> seen;
    link.trace = [&](bool sent, const std::uint8_t* bytes, std::size_t size) {
        seen.emplace_back(sent, QByteArray(reinterpret_cast<const char*>(bytes), static_cast<int>(size)));
    };
    const QByteArray reply = frame(order::FirmwareText, 0, firmwareText());
    answerWith(reply);
    ASSERT_EQ(link.request(order::FirmwareText, 0), 1);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_TRUE(seen[0].first);
    EXPECT_EQ(seen[0].second, bytesOf({0x55, 0x07, 0x00, 0x00, 0x00, 0x00, 0xAA, 0x52}));
    EXPECT_FALSE(seen[1].first);
    EXPECT_EQ(seen[1].second, reply);
}

TEST_F(LinkFixture, ExchangeOnAClosedLineIsReportedAtOnce) {
    EXPECT_EQ(link.request(order::FirmwareText, 0), -1);
    EXPECT_EQ(op.connectionLog, logged(texts::kTimeout));
}

// ------------------------------------------------------------ one at a time

TEST_F(LinkFixture, SecondExchangeDuringAWaitIsRefusedAndTheFirstCompletes) {
    connectTcp();
    int second = 0;
    const QByteArray reply = frame(order::FirmwareText, 0, firmwareText());
    peer->onRequest = [&](const QByteArray&) {
        // The nested exchange starts from an event processed inside the wait,
        // as a button callback would; the answer comes only afterwards.
        QTimer::singleShot(0, &link, [&] {
            second = link.request(order::Measure, 0);
            peer->send(reply);
        });
    };
    EXPECT_EQ(link.request(order::FirmwareText, 0), 1);
    EXPECT_EQ(second, -1);
    EXPECT_EQ(payload(), firmwareText());
    EXPECT_EQ(peer->requests.size(), 1u);
    ASSERT_EQ(op.messages().size(), 1u);
    EXPECT_EQ(op.calls.front().title, "Message!");
    EXPECT_EQ(op.messages().front(), std::string(texts::kExchangeBusy.en));
    EXPECT_EQ(op.connectionLog, "");
    EXPECT_FALSE(link.exchangeRunning());
}

TEST_F(LinkFixture, AbortWaitEndsAnExchangeWithoutAReport) {
    connectTcp();
    peer->onRequest = [&](const QByteArray&) { QTimer::singleShot(0, &link, [&] { link.abortWait(); }); };
    EXPECT_EQ(link.request(order::FirmwareText, 0), -1);
    EXPECT_EQ(op.connectionLog, "");
    EXPECT_TRUE(link.tcpConnected());
}

// ------------------------------------------------------------ lost connections

TEST_F(LinkFixture, ServerClosingMidReplyIsReportedOnceAndEndsTheWait) {
    connectTcp();
    peer->onRequest = [&](const QByteArray&) {
        peer->send(frame(order::FirmwareText, 0, firmwareText()).left(4));
        peer->hangUp();
    };
    EXPECT_EQ(link.request(order::FirmwareText, 0), -1);
    EXPECT_EQ(op.connectionLog, logged(texts::kServerClosed));
    EXPECT_EQ(op.count("status"), 1u);
    EXPECT_FALSE(link.tcpConnected());
}

TEST_F(LinkFixture, ServerClosingWhileIdleIsReportedOnce) {
    connectTcp();
    flags.running = 1;
    peer->hangUp();
    ASSERT_TRUE(waitUntil([&] { return !link.tcpConnected(); }));
    EXPECT_EQ(op.connectionLog, logged(texts::kServerClosed));
    EXPECT_EQ(flags.running, 0);
}

TEST_F(LinkFixture, HungUpSerialLineIsReportedOnceAndThePortClosed) {
    auto p = std::make_unique<PtyPeer>();
    auto transport = std::make_unique<link::SerialTransport>(QString::fromStdString(p->path()), 115200);
    auto* serial = transport.get();
    peer = std::move(p);
    link.openTransport(std::move(transport));
    ASSERT_TRUE(link.serialOpen());

    peer->onRequest = [&](const QByteArray&) { peer->hangUp(); };
    EXPECT_EQ(link.request(order::FirmwareText, 0), -1);
    EXPECT_FALSE(link.serialOpen());
    ASSERT_TRUE(waitUntil([&] { return !serial->portOpen(); }));
    EXPECT_EQ(op.count("log"), 1u);
    // The error of the hung-up line ends the wait for the reply.
    EXPECT_EQ(op.connectionLog, logged(texts::kTimeout));
}

// ------------------------------------------------------------ frames sent by the sensor itself

TEST_F(LinkFixture, UnsolicitedFramesArrivingTogetherAreAllDelivered) {
    connectTcp();
    const QByteArray first = pattern(52, 1), second = pattern(52, 2);
    peer->onRequest = [&](const QByteArray&) {
        peer->send(frame(order::AutoSend, 1) + frame(order::Measure, 0, first) +
                   frame(order::Measure, 0, second));
    };
    ASSERT_EQ(link.request(order::AutoSend, 1), 1);
    const auto never = [] { return false; };
    ASSERT_EQ(link.receiveUnsolicited(never), 1);
    EXPECT_EQ(payload(), first);
    ASSERT_EQ(link.receiveUnsolicited(never), 1);
    EXPECT_EQ(payload(), second);
    EXPECT_EQ(op.connectionLog, "");
}

TEST_F(LinkFixture, UnsolicitedWaitEndsWhenItsFlagIsClearedAndWoken) {
    connectPty();
    flags.running = 1;
    QTimer::singleShot(20, &link, [&] {
        flags.running = 0;
        link.wakeWaits();
    });
    EXPECT_EQ(link.receiveUnsolicited([&] { return flags.running == 0; }), 0);
    EXPECT_EQ(op.connectionLog, "");
    EXPECT_FALSE(link.exchangeRunning());
}

// A pause that a callback runs inside a frame wait: one wake reaches both.
TEST_F(LinkFixture, WakeReachesAWaitAroundANestedPause) {
    connectPty();
    flags.running = 1;
    bool pauseStopped = false;
    QTimer::singleShot(0, &link, [&] {
        QTimer::singleShot(0, &link, [&] {
            flags.running = 0;
            link.wakeWaits();
        });
        pauseStopped = link.pause(QDeadlineTimer(60'000), [&] { return flags.running == 0; });
    });
    EXPECT_EQ(link.receiveUnsolicited([&] { return flags.running == 0; }), 0);
    EXPECT_TRUE(pauseStopped);
}

TEST_F(LinkFixture, UnsolicitedWaitRefusesAnExchangeAndStillTakesTheFrame) {
    connectTcp();
    int nested = 0;
    QTimer::singleShot(10, &link, [&] {
        nested = link.request(order::Measure, 0);
        peer->send(frame(order::Measure, 0, pattern(52)));
    });
    EXPECT_EQ(link.receiveUnsolicited([] { return false; }), 1);
    EXPECT_EQ(nested, -1);
    EXPECT_EQ(payload(), pattern(52));
    EXPECT_EQ(op.messages().size(), 1u);
    EXPECT_TRUE(peer->requests.empty());
}

TEST_F(LinkFixture, UnsolicitedFrameWithBadHeaderOrLengthIsReported) {
    connectTcp();
    const auto never = [] { return false; };
    peer->send(withHeaderByte(frame(order::Measure, 0), 7, 0, false));
    EXPECT_EQ(link.receiveUnsolicited(never), -1);
    EXPECT_EQ(op.connectionLog, logged(texts::kBadHeader));
    // An order echo 0 means nothing here, but its length is still bounded.
    peer->send(frame(0, 1, {}, 4000));
    EXPECT_EQ(link.receiveUnsolicited(never), -1);
    EXPECT_EQ(op.connectionLog, logged(texts::kBadHeader) + logged(texts::kBadHeader));
    peer->send(frame(0, 1));
    EXPECT_EQ(link.receiveUnsolicited(never), 1);
}

TEST_F(LinkFixture, ServerClosingDuringAnUnsolicitedWaitEndsIt) {
    connectTcp();
    QTimer::singleShot(10, &link, [&] { peer->hangUp(); });
    EXPECT_EQ(link.receiveUnsolicited([] { return false; }), -1);
    EXPECT_EQ(op.connectionLog, logged(texts::kServerClosed));
}

// ------------------------------------------------------------ the failure handler

TEST_F(LinkFixture, FailureHandlerActsInOrderInTheCurrentLanguage) {
    language = Language::German;
    flags = {1, 1, 1, 0, 0};
    link.SetTimeout(texts::kServerClosed);
    std::vector<std::string> kinds;
    for (const auto& call : op.calls)
        kinds.push_back(call.kind);
    EXPECT_EQ(kinds, (std::vector<std::string>{"status", "log", "dim", "tab"}));
    EXPECT_EQ(op.connectionLog, "Server hat Verbindung beendet!\n\n");
    EXPECT_EQ(link.failureMessage(), "Server hat Verbindung beendet!");
    EXPECT_EQ(op.calls[2].value, static_cast<int>(Dimmable::ConfirmedConnectionButtons) * 2 + 1);
    EXPECT_EQ(flags.running, 0);
    EXPECT_EQ(flags.scopeRunning, 0);
    EXPECT_EQ(flags.sensorConnected, 0);
}

// ------------------------------------------------------------ the full wait (about 3 s each)

TEST_F(LinkFixture, SilentSensorTimesOut) {
    connectTcp();
    EXPECT_EQ(link.request(order::Measure, 0), -1);
    EXPECT_EQ(op.connectionLog, logged(texts::kTimeout));
    EXPECT_EQ(peer->requests.size(), 1u);
    EXPECT_TRUE(link.tcpConnected());
}

TEST_F(LinkFixture, FiveHeaderBytesOnTheSerialLineTimeOut) {
    connectPty();
    answerWith(frame(order::Measure, 0, pattern(52)).left(5));
    EXPECT_EQ(link.request(order::Measure, 0), -1);
    EXPECT_EQ(op.connectionLog, logged(texts::kTimeout));
    EXPECT_EQ(link.receivedCount(), 5u);
}

TEST_F(LinkFixture, MissingPayloadTimesOut) {
    connectTcp();
    answerWith(frame(order::Measure, 0, pattern(52)).left(30));
    EXPECT_EQ(link.request(order::Measure, 0), -1);
    EXPECT_EQ(op.connectionLog, logged(texts::kTimeout));
    EXPECT_EQ(link.lastReply().length, 52);
}

} // namespace
} // namespace tavrino::test

#include "link/sensor_link.h"
#include "parameters/transfer.h"
#include "support/peers.h" // the scripted TCP sensor
#include "support/recording_graphs.h"
#include "support/scripted_operator.h"
#include "support/test_directory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace tavrino::parameters {
namespace {

using test::frame;

QByteArray le16(std::initializer_list<int> words) {
    QByteArray b;
    for (int w : words) {
        b.append(static_cast<char>(w & 0xFF));
        b.append(static_cast<char>((w >> 8) & 0xFF));
    }
    return b;
}

QByteArray le32(std::initializer_list<std::int64_t> words) {
    QByteArray b;
    for (std::int64_t w : words)
        for (int i = 0; i < 4; ++i)
            b.append(static_cast<char>((static_cast<std::uint32_t>(w) >> (8 * i)) & 0xFF));
    return b;
}

const std::string kRamNoticeEn =
    " Parameter in RAM did not pass plausibility check and were set to default value!";
const std::string kRamNoticeDe =
    " Parameter im RAM sind nicht plausibel und wurden auf ihre Grundeinstellung gesetzt!";
const std::string kEepromNoticeEn =
    " Parameter from EEPROM did not pass plausibility check and were set to default value!";

// The parameter block the controls of `setUpControls` give, word by word.
const QByteArray kSentBlock = le16({777, 0,   3,   10,   2000, 2,   1, 1, 0, 3, // words 0..9
                                    2,   100, 0,   2,    0,    0,   1, 1, 0, 2, // 10..19
                                    600, 6,   1,   300,  7,    2,               // 20..25
                                    192, 128, 256, 5907, 5160, 6501});          // 26..31
// A parameter block as a sensor would send it.
const QByteArray kReceivedBlock = le16({400, 0,  4,   20,   3000, 3,   0, 1, 0, 1, // DIRECT HI
                                        3,   50, 1,   0,    0,    0,   1, 0, 0, 0, // MAX VEC NO 3, BLOCK
                                        500, 5,  2,   200,  8,    3,               //
                                        192, 64, 320, 5907, 4096, 7004});          //

class TransferTest : public ::testing::Test {
protected:
    RunFlags flags;
    test::ScriptedOperator op;
    Language language = Language::English;
    link::SensorLink link{flags, op, language};
    std::unique_ptr<test::TcpPeer> peer;
    ParameterControls controls;
    teach::TeachTable table;
    ParameterSet set;
    test::RecordingGraphs graphs;
    std::vector<std::string>& graphCalls = graphs.calls;
    ParameterRules rules{controls, table, set, op, graphs, language};
    std::string parameterFile;
    ParameterTransfer transfer{link, flags, set, controls, table, rules, op, language, parameterFile};
    std::deque<QByteArray> replies;

    void SetUp() override {
        peer = std::make_unique<test::TcpPeer>();
        link::ConnectionSettings settings;
        settings.protocol = link::Protocol::TcpIp;
        settings.serverAddress = "127.0.0.1";
        settings.portNumber = std::to_string(peer->port());
        link.InitTCP_IP(settings);
        ASSERT_TRUE(link.tcpConnected()) << op.connectionLog;
        peer->onRequest = [this](const QByteArray&) {
            // Every request in these tests has a scripted answer; a missing
            // one would only end in the link's time limit.
            ASSERT_FALSE(replies.empty()) << "unscripted request";
            peer->send(replies.front());
            replies.pop_front();
        };
        op.calls.clear();
        op.connectionLog.clear();
    }

    void setUpControls() {
        const std::pair<Control, double> values[] = {
            {Control::Power, 777},         {Control::Gain, 3},
            {Control::Integral1, 10},      {Control::Integral2, 2000},
            {Control::Average, 2},         {Control::LedMode, 1},
            {Control::ColorSpace, 1},      {Control::DigitalOutmode, 3},
            {Control::MaxVecNo, 2},        {Control::Intlim, 100},
            {Control::EvaluationMode, 0},  {Control::ShapeMode, 2},
            {Control::AnalogOutSignal, 1}, {Control::AnalogZoom, 2},
            {Control::DoublePower2, 300},  {Control::DoubleGain2, 7},
            {Control::DoubleIntegral2, 2}, {Control::CorrectionX, 1.5},
            {Control::CorrectionY, 1.0},   {Control::CorrectionZ, 2.0},
        };
        for (const auto& [c, v] : values)
            controls.setValue(c, v);
        table.setCells({{{-0.5, std::ldexp(1.0, -17), 1.5, 0.0, 0.0, 0.0},
                         {0.0, 0.0, 0.0, 0.0, 0.0, 0.0},
                         {0.0, 0.0, 0.0, 0.0, 0.0, 100.25}}});
        // What the last GET left in the two uninterpreted words of each vector.
        for (std::size_t v = 0; v < 3; ++v)
            for (std::size_t b = 24; b < 32; ++b)
                set.teachBlock[32 * v + b] = static_cast<std::uint8_t>(0xA0 + 8 * v + (b - 24));
    }

    [[nodiscard]] QByteArray sentTeachBlock() const {
        QByteArray b;
        b += le32({-32768, 0, 98304, 0, 0, 0});
        b += QByteArray::fromHex("a0a1a2a3a4a5a6a7");
        b += le32({0, 0, 0, 0, 0, 0});
        b += QByteArray::fromHex("a8a9aaabacadaeaf");
        b += le32({0, 0, 0, 0, 0, 100 * 65536 + 16384});
        b += QByteArray::fromHex("b0b1b2b3b4b5b6b7");
        return b;
    }

    [[nodiscard]] std::vector<QByteArray> requests() const { return peer->requests; }

    [[nodiscard]] std::vector<double> controlValues() const {
        std::vector<double> v;
        for (std::size_t i = 0; i < kControlCount; ++i)
            v.push_back(controls.value(static_cast<Control>(i)));
        return v;
    }
};

TEST_F(TransferTest, SendToRamMakesTwoExchangesByteForByte) {
    setUpControls();
    flags.sendPending = 1;
    replies = {frame(1, 0), frame(1, 0)};
    EXPECT_EQ(transfer.SendPara(), 1);
    EXPECT_EQ(requests(), (std::vector<QByteArray>{frame(1, 0, kSentBlock), frame(1, 2, sentTeachBlock())}));
    EXPECT_EQ(flags.sendPending, 0);
    EXPECT_TRUE(op.connectionLog.empty());
    EXPECT_EQ(op.count("tab"), 0u);
}

TEST_F(TransferTest, SendToEepromStoresRamAsThirdExchange) {
    setUpControls();
    controls.selectTarget(TransferTarget::Eeprom);
    replies = {frame(1, 0), frame(1, 0), frame(3, 0)};
    EXPECT_EQ(transfer.SendPara(), 1);
    EXPECT_EQ(requests(),
              (std::vector<QByteArray>{frame(1, 0, kSentBlock), frame(1, 2, sentTeachBlock()), frame(3, 0)}));
}

TEST_F(TransferTest, SendFromALoopWithTargetFileWritesRamOnly) {
    setUpControls();
    controls.selectTarget(TransferTarget::File);
    replies = {frame(1, 0), frame(1, 0)};
    EXPECT_EQ(transfer.SendPara(), 1);
    EXPECT_EQ(requests().size(), 2u);
}

TEST_F(TransferTest, ReplacedParametersAreANoticeAndTheSequenceGoesOn) {
    struct Case {
        Language language;
        std::string log;
    };
    const Case cases[] = {
        {Language::English, "Message!\n3" + kRamNoticeEn + "\n\n"},
        {Language::German, "Info!\n3" + kRamNoticeDe + "\n\n"},
    };
    for (const Case& k : cases) {
        language = k.language;
        op.calls.clear();
        op.connectionLog.clear();
        peer->requests.clear();
        setUpControls();
        replies = {frame(1, 3), frame(1, 0)};
        EXPECT_EQ(transfer.SendPara(), 1);
        EXPECT_EQ(op.connectionLog, k.log);
        ASSERT_EQ(requests().size(), 2u);
        EXPECT_EQ(requests()[1], frame(1, 2, sentTeachBlock()));
        // The connection page comes to the front before the text is appended.
        ASSERT_EQ(op.calls.size(), 2u);
        EXPECT_EQ(op.calls[0].kind, "tab");
        EXPECT_EQ(op.calls[0].value, static_cast<int>(MainTab::Connection));
        EXPECT_EQ(op.calls[1].kind, "log");
    }
    // A notice on both exchanges is appended twice.
    language = Language::English;
    op.connectionLog.clear();
    replies = {frame(1, 1), frame(1, 65535)};
    EXPECT_EQ(transfer.SendPara(), 1);
    EXPECT_EQ(op.connectionLog, "Message!\n1" + kRamNoticeEn + "\n\nMessage!\n65535" + kRamNoticeEn + "\n\n");
}

TEST_F(TransferTest, AFailedExchangeEndsTheSend) {
    setUpControls();
    controls.selectTarget(TransferTarget::Eeprom);
    replies = {frame(0, 1)}; // the sensor refuses the order
    EXPECT_EQ(transfer.SendPara(), -1);
    EXPECT_EQ(requests().size(), 1u);
    replies = {frame(1, 0), frame(0, 2)};
    peer->requests.clear();
    EXPECT_EQ(transfer.SendPara(), -1);
    EXPECT_EQ(requests().size(), 2u);
}

QByteArray receivedTeachBlock() {
    QByteArray b;
    b += le32({20000, -20000, 50 * 65536, 10 * 65536, 10 * 65536, 5 * 65536, 0x11111111, 0x22222222});
    b += le32({1, -1, 0, 0, 0, 0, 0x33333333, 0x44444444});
    b += le32({0, 0, 0, 0, 0, 0, 0x55555555, 0x66666666});
    return b;
}

TEST_F(TransferTest, GetFromRamFillsTheControlsAndRunsTheRules) {
    flags.getPending = 1;
    replies = {frame(2, 0, kReceivedBlock), frame(2, 2, receivedTeachBlock())};
    EXPECT_EQ(transfer.GetPara(), 1);
    EXPECT_EQ(requests(), (std::vector<QByteArray>{frame(2, 0), frame(2, 2)}));
    EXPECT_EQ(flags.getPending, 0);

    EXPECT_EQ(controls.value(Control::Power), 400);
    EXPECT_EQ(controls.value(Control::Integral2), 3000);
    EXPECT_EQ(controls.value(Control::DoubleGain2), 8);
    EXPECT_EQ(controls.value(Control::CorrectionY), 0.5);
    EXPECT_EQ(controls.value(Control::CorrectionZ), 2.5);
    EXPECT_EQ(table.cell(0, 0), 20000 / 65536.0);
    EXPECT_EQ(table.cell(0, 1), -20000 / 65536.0);
    EXPECT_EQ(table.cell(0, 2), 50.0);
    EXPECT_EQ(table.cell(1, 1), -1 / 65536.0);
    EXPECT_EQ(set.words[word::CubeRootX + 2], 7004); // kept as received
    // The rules ran on the new values: DIRECT HI allows two teach vectors.
    EXPECT_EQ(controls.value(Control::MaxVecNo), 2);
    EXPECT_EQ(op.messages().size(), 1u);
    EXPECT_EQ(table.headings()[3], "a*Tol");
    EXPECT_EQ(graphCalls, (std::vector<std::string>{"scope", "init", "show"}));

    // The next SEND returns the uninterpreted words exactly as received.
    replies = {frame(1, 0), frame(1, 0)};
    peer->requests.clear();
    EXPECT_EQ(transfer.SendPara(), 1);
    ASSERT_EQ(requests().size(), 2u);
    const QByteArray sentTeach = requests()[1].mid(8);
    const QByteArray received = receivedTeachBlock();
    for (int v = 0; v < 3; ++v)
        EXPECT_EQ(sentTeach.mid(32 * v + 24, 8), received.mid(32 * v + 24, 8)) << v;
    EXPECT_EQ(sentTeach.left(24), received.left(24)); // cells that fit 16.16 come back unchanged
}

TEST_F(TransferTest, GetFromEepromLoadsItIntoRamFirst) {
    controls.selectTarget(TransferTarget::Eeprom);
    replies = {frame(4, 2), frame(2, 0, kReceivedBlock), frame(2, 2, receivedTeachBlock())};
    EXPECT_EQ(transfer.GetPara(), 1);
    EXPECT_EQ(requests(), (std::vector<QByteArray>{frame(4, 0), frame(2, 0), frame(2, 2)}));
    EXPECT_EQ(op.connectionLog, "Message!\n2" + kEepromNoticeEn + "\n\n");
    EXPECT_EQ(controls.value(Control::Power), 400);
}

TEST_F(TransferTest, AFailedSecondReadLeavesTheControlsUnchanged) {
    setUpControls();
    const auto before = controlValues();
    const TeachRows cellsBefore = table.cells();
    replies = {frame(2, 0, kReceivedBlock), frame(0, 1)};
    EXPECT_EQ(transfer.GetPara(), -1);
    EXPECT_EQ(requests().size(), 2u);
    EXPECT_EQ(controlValues(), before);
    EXPECT_EQ(table.cells(), cellsBefore);
    EXPECT_TRUE(graphCalls.empty());
    EXPECT_TRUE(op.messages().empty());     // no rule ran
    EXPECT_EQ(set.words[word::Power], 400); // words already received stay in the set
}

TEST_F(TransferTest, AFailedEepromLoadReadsNothing) {
    controls.selectTarget(TransferTarget::Eeprom);
    replies = {frame(0, 2)};
    EXPECT_EQ(transfer.GetPara(), -1);
    EXPECT_EQ(requests().size(), 1u);
    EXPECT_EQ(controls.value(Control::Power), 500);
}

TEST_F(TransferTest, AShortBlockIsABadDataFrameAndReachesNoControl) {
    set.words.fill(0xFFFF);
    table.setCell(2, 5, 3.0);
    controls.setValue(Control::Power, 321);
    const std::string badData = "ATTENTION! \nReceived data frame is incorrect!\n\n";
    const std::vector<QByteArray> cases[] = {
        {frame(2, 0, le16({300, 1}))},
        {frame(2, 0, QByteArray(64, '\0')), frame(2, 2, le32({65536}))},
    };
    for (const auto& c : cases) {
        replies = std::deque<QByteArray>(c.begin(), c.end());
        op.connectionLog.clear();
        EXPECT_EQ(transfer.GetPara(), -1) << c.size();
        EXPECT_EQ(op.connectionLog, badData) << c.size();
        EXPECT_EQ(table.cell(2, 5), 3.0) << c.size();
        EXPECT_EQ(controls.value(Control::Power), 321) << c.size();
    }
}

TEST_F(TransferTest, ButtonsDuringALoopOnlySetThePendingFlag) {
    flags.running = 1;
    transfer.sendButton();
    transfer.getButton();
    EXPECT_EQ(flags.sendPending, 1);
    EXPECT_EQ(flags.getPending, 1);
    EXPECT_TRUE(requests().empty());
    EXPECT_TRUE(op.calls.empty());
}

TEST_F(TransferTest, ButtonsWithTargetFileGoToTheParameterFile) {
    const std::string file = test::testDirectory("transfer") + "/Parameter.ini";
    op.fileAnswers.push_back({FileChoice::Kind::New, file});
    op.fileAnswers.push_back({FileChoice::Kind::Existing, file});
    controls.setValue(Control::Power, 321);
    transfer.selectTarget(TransferTarget::File);
    flags.running = 1; // the file does not wait for the loop
    EXPECT_EQ(transfer.sendButton(), 1);
    controls.setValue(Control::Power, 5);
    EXPECT_EQ(transfer.getButton(), 1);
    // Saved from the controls, and back into them with the rules applied.
    EXPECT_EQ(controls.value(Control::Power), 321);
    EXPECT_EQ(parameterFile, file);
    EXPECT_EQ(graphCalls, (std::vector<std::string>{"scope", "init", "show"}));
    EXPECT_EQ(flags.sendPending, 0);
    EXPECT_EQ(flags.getPending, 0);
    EXPECT_TRUE(requests().empty());
}

TEST_F(TransferTest, ButtonsDimTheExchangeButtonsAroundTheTransfer) {
    replies = {frame(1, 0), frame(1, 0)};
    transfer.sendButton();
    EXPECT_EQ(requests().size(), 2u);
    replies = {frame(2, 0, kReceivedBlock), frame(0, 1)};
    transfer.getButton(); // a failure undims as well
    // The link's failure report dims other groups of its own.
    const int on = static_cast<int>(Dimmable::SensorButtons) * 2 + 1;
    const int off = static_cast<int>(Dimmable::SensorButtons) * 2;
    std::vector<int> dims;
    for (const auto& c : op.calls)
        if (c.kind == "dim" && (c.value == on || c.value == off))
            dims.push_back(c.value);
    EXPECT_EQ(dims, (std::vector<int>{on, off, on, off}));
    EXPECT_FALSE(op.dimmed[static_cast<int>(Dimmable::SensorButtons)]);
}

TEST_F(TransferTest, HelpOfSendGetAndSelect) {
    transfer.showSendHelp();
    language = Language::German;
    transfer.showGetHelp();
    transfer.showSelectHelp();
    ASSERT_EQ(op.calls.size(), 3u);
    EXPECT_EQ(op.calls[0].title, "Message!");
    EXPECT_EQ(
        op.calls[0].text,
        "All the parameters of the PC-User-Interface are transferred to the sensor or to a selectable file. "
        "\nThe target of the parameter transfer is determined by the select button (RAM, EEPROM, FILE). "
        "\n\nShortcut Key: F9.");
    EXPECT_EQ(op.calls[1].title, "Info!");
    EXPECT_EQ(op.calls[1].text,
              "Sensor- oder Dateiparameter werden auf die PC-Nutzeroberflaeche uebertragen. "
              "\nDie Quelle der Parameteruebertragung wird mit der Button-Auswahl (RAM, EEPROM, "
              "DATEI) bestimmt. \n\nFunktionstaste: F10");
    EXPECT_EQ(op.calls[2].text, "Waehlen Sie die Quelle bzw. das Ziel fuer die Parameteruebertragung.");
}

} // namespace
} // namespace tavrino::parameters

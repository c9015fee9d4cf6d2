// The double-parameter assistant against a scripted sensor whose raw values
// follow the parameters it was last sent, and the ASSIGN buttons.

#include "app/connection.h"
#include "app/double_parameters.h"
#include "app/live_measurement.h"
#include "app/quit.h"
#include "app/session.h"
#include "assistant/texts.h"
#include "link/orders.h"
#include "parameters/options.h"
#include "support/instant_waiter.h"
#include "support/loopback_link.h"
#include "support/measurement_frame.h"
#include "support/peers.h"
#include "support/recording_graphs.h"
#include "support/scripted_operator.h"
#include "support/test_directory.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace tavrino::app {
namespace {

namespace order = link::order;
namespace word = parameters::word;
namespace t = assistant::texts;
using parameters::Control;
using Words = std::array<std::uint16_t, parameters::kWordCount>;

// The channels of the scripted sensor see a target of `brightness` as
// 1 : 0.9 : 0.5; the raw value grows with POWER, doubles with each GAIN stage
// and grows with INTEGRAL 1, clipped at 4095. Calibration is off, so X Y Z
// equal the raw values.
std::array<int, 3> rawFor(double brightness, const Words& w) {
    constexpr double kChannel[] = {1.0, 0.9, 0.5};
    std::array<int, 3> raw{};
    for (std::size_t c = 0; c < 3; ++c) {
        const double v = brightness * kChannel[c] * w[word::Power] / 1000.0 *
                         std::pow(2.0, w[word::Gain] - 1.0) * w[word::Integral1];
        raw[c] = static_cast<int>(std::clamp(std::round(v), 0.0, 4095.0));
    }
    return raw;
}

// X Y Z and raw X Y Z alike.
QByteArray measurementPayload(const std::array<int, 3>& raw) {
    return test::measurementPayload(
        {.X = raw[0], .Y = raw[1], .Z = raw[2], .rawX = raw[0], .rawY = raw[1], .rawZ = raw[2]});
}

// An operator whose OK/Cancel questions can move the next target in front of
// the sensor, as the person would before pressing OK.
class AssistantOperator : public test::ScriptedOperator {
public:
    std::function<void()> beforeAnswer;
    bool okCancel(std::string_view title, std::string_view text, std::string_view ok,
                  std::string_view cancel) override {
        if (beforeAnswer)
            beforeAnswer();
        return ScriptedOperator::okCancel(title, text, ok, cancel);
    }
};

class AssistantTest : public ::testing::Test {
protected:
    AssistantOperator op;
    test::RecordingGraphs graphs;
    test::InstantWaiter waiter;
    Session session{op, graphs, test::testDirectory("assistant")};
    test::TcpPeer peer;
    std::vector<Words> blocks; // every parameter block received, in order
    double brightness = 100;   // the bright target first
    double darkerBrightness = 10;
    int zeroPoint = 0;             // subtracted from every raw value (not below 0)
    std::function<void()> onBlock; // after each parameter block arrived

    void SetUp() override {
        session.assistant.useWaiter(waiter);
        op.beforeAnswer = [this] {
            if (op.count("okCancel") == 1) // the second question
                brightness = darkerBrightness;
        };
        peer.onRequest = [this](const QByteArray& request) { answer(request); };
        ASSERT_TRUE(test::openLoopbackLink(session, peer.port(), op));
    }

    void answer(const QByteArray& request) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(request.constData());
        const int o = bytes[1];
        const int a = link::readU16(bytes + 2);
        if (o == order::SendParameters && a == 0) {
            Words w{};
            for (std::size_t i = 0; i < w.size(); ++i)
                w[i] = link::readU16(bytes + link::kHeaderSize + 2 * i);
            blocks.push_back(w);
            if (onBlock)
                onBlock();
        }
        if (o == order::Measure) {
            auto raw = rawFor(brightness, blocks.back());
            for (int& v : raw)
                v = std::max(v - zeroPoint, 0);
            peer.send(test::frame(o, 0, measurementPayload(raw)));
        } else
            peer.send(test::frame(o, 0));
    }

    // GAIN, INTEGRAL 1 and POWER of the blocks from `from` on.
    [[nodiscard]] std::vector<std::array<int, 3>> settings(std::size_t from, std::size_t to) const {
        std::vector<std::array<int, 3>> out;
        for (std::size_t i = from; i < to && i < blocks.size(); ++i)
            out.push_back({blocks[i][word::Gain], blocks[i][word::Integral1], blocks[i][word::Power]});
        return out;
    }

    [[nodiscard]] std::string text(const Text& t) const { return std::string(t.in(session.language())); }
};

std::vector<std::array<int, 3>> gainPhase(int gains, int power = 1000) {
    std::vector<std::array<int, 3>> out;
    for (int g = 1; g <= gains; ++g)
        out.push_back({g, 1, power});
    return out;
}

std::vector<std::array<int, 3>> powerSearch(int gain, int integral, std::vector<int> powers) {
    std::vector<std::array<int, 3>> out;
    for (int p : powers)
        out.push_back({gain, integral, p});
    return out;
}

TEST_F(AssistantTest, FindsBothSetsAndSendsThemWithPowerModeDouble) {
    session.parameters.controls.setValue(Control::Average, 4);
    session.parameters.controls.setValue(Control::Calibration, 1);
    op.okCancelAnswers = {true, true};

    EXPECT_TRUE(CBF_ButtonStartAssistant(session));

    EXPECT_EQ(op.messages(), (std::vector<std::string>{text(t::kBeforeFirstSearch), text(t::kSucceeded)}));
    EXPECT_EQ(op.labels, (std::vector<std::string>{"OK/Cancel", "OK/Cancel"}));
    ASSERT_FALSE(blocks.empty());
    // The first send: the page as it was, with AVERAGE 1.
    EXPECT_EQ(blocks[0][word::Average], 1);
    EXPECT_EQ(blocks[0][word::Calibration], 1);

    // Bright target: 3200 at GAIN 6 exceeds 3000; the POWER search converges
    // on 3.2 x POWER = 3000.
    const std::size_t first = 1;
    EXPECT_EQ(settings(first, first + 6), gainPhase(6));
    EXPECT_EQ(settings(first + 6, first + 16),
              powerSearch(6, 1, {512, 768, 896, 960, 928, 944, 936, 940, 938, 937}));
    // The searches measure without calibration and with INTEGRAL 2 = 1.
    for (std::size_t i = first; i < first + 16; ++i) {
        EXPECT_EQ(blocks[i][word::Calibration], 0);
        EXPECT_EQ(blocks[i][word::PowerMode], 0);
        EXPECT_EQ(blocks[i][word::Integral2], 1);
    }

    // Darker target: GAIN 8 gives 1280; INTEGRAL 1 = 2 exceeds 2500 (2.56 x POWER).
    const std::size_t second = first + 16;
    EXPECT_EQ(settings(second, second + 8), gainPhase(8));
    EXPECT_EQ(settings(second + 8, second + 9), (std::vector<std::array<int, 3>>{{8, 2, 1000}}));
    EXPECT_EQ(settings(second + 9, second + 19),
              powerSearch(8, 2, {512, 768, 896, 960, 992, 976, 984, 980, 978, 977}));

    // One more block: DOUBLE, AVERAGE restored, both sets and the corrections.
    ASSERT_EQ(blocks.size(), second + 20);
    const Words& last = blocks.back();
    EXPECT_EQ(last[word::PowerMode], 1);
    EXPECT_EQ(last[word::Average], 4);
    EXPECT_EQ(last[word::Calibration], 0);
    const std::array<int, 6> sets{last[20], last[21], last[22], last[23], last[24], last[25]};
    EXPECT_EQ(sets, (std::array<int, 6>{937, 6, 1, 977, 8, 2}));

    const auto& xyz = session.assistant.xyz;
    EXPECT_EQ(xyz[0], (std::array<int, 3>{2998, 2699, 1499})); // bright, set 1
    EXPECT_EQ(xyz[1], (std::array<int, 3>{300, 270, 150}));    // darker, set 1
    EXPECT_EQ(xyz[2], (std::array<int, 3>{2501, 2251, 1251})); // darker, set 2
    for (std::size_t c = 0; c < 3; ++c)
        EXPECT_EQ(last[word::CorrectionX + c], static_cast<int>(128.0 * xyz[2][c] / xyz[1][c])) << c;

    // A pause after every send: 2000 ms after the first one, 500 ms after the others.
    ASSERT_EQ(waiter.pauses.size(), blocks.size() - 1);
    EXPECT_EQ(waiter.pauses.front(), 2000);
    EXPECT_TRUE(
        std::all_of(waiter.pauses.begin() + 1, waiter.pauses.end(), [](int ms) { return ms == 500; }));

    // The buttons are usable again and SEND acts at once.
    EXPECT_FALSE(session.dimming.dimmed(DimControl::SendButton));
    EXPECT_EQ(session.flags.running, 0);
    EXPECT_FALSE(session.assistant.running);
    EXPECT_EQ(session.assistant.progress.stage, assistant::Stage::Succeeded);
}

struct CancelCase {
    const char* name;
    std::deque<bool> answers;
    std::size_t blocks; // parameter blocks sent
    int average;        // AVERAGE on the page afterwards
};

class AssistantCancelTest : public AssistantTest, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(AssistantCancelTest, CancelShowsTheCancelMessageAndSendsNothingMore) {
    session.parameters.controls.setValue(Control::Average, 4);
    op.okCancelAnswers = GetParam().answers;
    EXPECT_FALSE(CBF_ButtonStartAssistant(session));
    const std::vector<std::string> messages = op.messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), text(t::kCancelled));
    EXPECT_EQ(std::count(messages.begin(), messages.end(), text(t::kCancelled)), 1);
    EXPECT_EQ(blocks.size(), GetParam().blocks);
    EXPECT_EQ(session.parameters.controls.code(Control::Average), GetParam().average);
    EXPECT_FALSE(session.dimming.dimmed(DimControl::DoubleParameterStart));
}

INSTANTIATE_TEST_SUITE_P(Prompts, AssistantCancelTest,
                         ::testing::Values(CancelCase{"First", {false}, 0, 4},
                                           CancelCase{"Second", {true, false}, 17, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AssistantTest, ACommunicationFailureEndsTheSearchWithOneReportAndTheCancelMessage) {
    op.okCancelAnswers = {true};
    onBlock = [this] {
        if (blocks.size() == 4)
            peer.hangUp();
    };
    EXPECT_FALSE(StartAssistant(session));
    EXPECT_EQ(op.messages(), (std::vector<std::string>{text(t::kBeforeFirstSearch), text(t::kCancelled)}));
    EXPECT_EQ(op.count("log"), 1u) << op.connectionLog;
    EXPECT_EQ(session.flags.sensorConnected, 0);
    EXPECT_EQ(blocks.size(), 4u);
}

TEST_F(AssistantTest, StopEndsTheGainPhaseAtItsNextStep) {
    op.okCancelAnswers = {true};
    // STOP while the third GAIN step is sent: that step is measured, the
    // fourth is not started.
    onBlock = [this] {
        if (blocks.size() == 4)
            CBF_ButtonStop(session);
    };
    EXPECT_FALSE(StartAssistant(session));
    EXPECT_EQ(settings(1, blocks.size()), gainPhase(3));
    EXPECT_EQ(op.messages(), (std::vector<std::string>{text(t::kBeforeFirstSearch), text(t::kCancelled)}));
    EXPECT_EQ(session.assistant.progress.stage, assistant::Stage::Cancelled);
}

// A correction value over a zero raw value is no number a word can carry:
// the panel keeps it, SEND refuses it and names it.
TEST_F(AssistantTest, SendRefusesACorrectionValueThatIsNotFinite) {
    struct Case {
        const char* name;
        std::array<int, 3> darkerWithSet1, darkerWithSet2;
        Control refused;
        const char* refusal;
    };
    const Case cases[] = {
        {"infinite",
         {0, 1000, 1000},
         {1500, 2000, 2500},
         Control::CorrectionX,
         "The correction value X is not a finite number: inf\nNo parameters are sent."},
        {"not a number",
         {1000, 1000, 0},
         {1500, 2000, 0},
         Control::CorrectionZ,
         "The correction value Z is not a finite number: nan\nNo parameters are sent."},
    };
    auto& c = session.parameters.controls;
    auto measured = [this](const std::array<int, 3>& raw) {
        session.live.record.rawX = static_cast<std::int16_t>(raw[0]);
        session.live.record.rawY = static_cast<std::int16_t>(raw[1]);
        session.live.record.rawZ = static_cast<std::int16_t>(raw[2]);
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        measured(k.darkerWithSet1);
        ASSERT_TRUE(CBF_ButtonAssign(session, 2));
        measured(k.darkerWithSet2);
        ASSERT_TRUE(CBF_ButtonAssign(session, 3));
        EXPECT_FALSE(std::isfinite(c.value(k.refused)));
        for (parameters::TransferTarget target :
             {parameters::TransferTarget::Ram, parameters::TransferTarget::Eeprom,
              parameters::TransferTarget::File}) {
            op.calls.clear();
            c.selectTarget(target);
            EXPECT_EQ(session.parameters.transfer.sendButton(), -1);
            EXPECT_EQ(op.messages(), std::vector<std::string>{k.refusal});
            EXPECT_EQ(op.count("file"), 0u);
        }
        // Also a SEND noted during the live measurement.
        op.calls.clear();
        EXPECT_EQ(session.parameters.transfer.SendPara(), -1);
        EXPECT_EQ(op.messages(), std::vector<std::string>{k.refusal});
        EXPECT_TRUE(blocks.empty());
        EXPECT_TRUE(peer.requests.empty());
    }
}

TEST_F(AssistantTest, TheAssistantSendsNoCorrectionValueOverAZeroRawValue) {
    // The darker target reads 0 with set 1: below the zero point.
    zeroPoint = 200;
    darkerBrightness = 5;
    op.okCancelAnswers = {true, true};
    EXPECT_FALSE(CBF_ButtonStartAssistant(session));
    EXPECT_EQ(session.assistant.xyz[1], (std::array<int, 3>{0, 0, 0}));
    EXPECT_GT(session.assistant.xyz[2][0], 0);
    EXPECT_EQ(session.parameters.controls.value(Control::CorrectionX),
              std::numeric_limits<double>::infinity());
    const std::vector<std::string> messages = op.messages();
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages[messages.size() - 2],
              "The correction value X is not a finite number: inf\nNo parameters are sent.");
    EXPECT_EQ(messages.back(), text(t::kCancelled));
    ASSERT_FALSE(blocks.empty());
    EXPECT_EQ(blocks.back()[word::PowerMode], 0); // the DOUBLE set was not sent
}

// Closing the program during a pause ends the pause, not only the steps after
// it: the session's own waiter waits in the link's wait, which the close wakes.
TEST(AssistantPause, EndsWhenTheProgramCloses) {
    test::ScriptedOperator op;
    test::RecordingGraphs graphs;
    Session s{op, graphs, test::testDirectory("assistant")};
    s.assistant.running = true;
    QTimer::singleShot(0, [&s] { EndRunsForQuit(s); });
    // Far below the pause, so a pause that runs on is seen; it ends it too.
    bool guardFired = false;
    QTimer::singleShot(20'000, [&] {
        guardFired = true;
        s.shell.closeRequested = true;
        s.link.wakeWaits();
    });
    AssistantPause(s, 60'000);
    EXPECT_FALSE(guardFired);
    EXPECT_TRUE(s.assistant.abandoned);
}

// ---- the ASSIGN buttons ----

TEST(DoubleParameterAssign, SaturationCheckThenSetsRawValuesAndCorrections) {
    test::ScriptedOperator op;
    test::RecordingGraphs graphs;
    Session s{op, graphs, test::testDirectory("assistant")};
    auto& c = s.parameters.controls;
    auto measured = [&s](int x, int y, int z) {
        s.live.record.rawX = static_cast<std::int16_t>(x);
        s.live.record.rawY = static_cast<std::int16_t>(y);
        s.live.record.rawZ = static_cast<std::int16_t>(z);
    };
    c.setValue(Control::Power, 700);
    c.setValue(Control::Gain, 3);
    c.setValue(Control::Integral1, 9);

    // Above 3500 in one channel: the message, nothing assigned.
    measured(3400, 3501, 1000);
    for (int which : {1, 3})
        EXPECT_FALSE(CBF_ButtonAssign(s, which));
    EXPECT_EQ(op.messages(), std::vector<std::string>(2, std::string(t::kSaturated.en)));
    EXPECT_EQ(c.value(Control::DoublePower1), 600);
    EXPECT_EQ(s.assistant.xyz[0], (std::array<int, 3>{}));
    // ASSIGN 2 has no check.
    measured(2000, 1500, 1000);
    EXPECT_TRUE(CBF_ButtonAssign(s, 2));

    measured(3500, 3500, 3500);
    EXPECT_TRUE(CBF_ButtonAssign(s, 1));
    EXPECT_EQ(c.value(Control::DoublePower1), 700);
    EXPECT_EQ(c.value(Control::DoubleGain1), 3);
    EXPECT_EQ(c.value(Control::DoubleIntegral1), 9);
    EXPECT_EQ(s.assistant.xyz[0], (std::array<int, 3>{3500, 3500, 3500}));

    c.setValue(Control::Power, 900);
    measured(3000, 3000, 2500);
    EXPECT_TRUE(CBF_ButtonAssign(s, 3));
    EXPECT_EQ(c.value(Control::DoublePower2), 900);
    EXPECT_EQ(s.assistant.xyz[1], (std::array<int, 3>{2000, 1500, 1000}));
    EXPECT_EQ(c.value(Control::CorrectionX), 1.5);
    EXPECT_EQ(c.value(Control::CorrectionY), 2.0);
    EXPECT_EQ(c.value(Control::CorrectionZ), 2.5);
    EXPECT_EQ(op.messages().size(), 2u);
}

} // namespace
} // namespace tavrino::app

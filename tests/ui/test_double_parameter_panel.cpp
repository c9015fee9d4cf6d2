// The double-parameter panel on the main window against the simulated
// sensor: SET DP, the assistant's progress while it runs, the tables after it,
// and the close button.
#include "ui_fixture.h"

#include "app/connection.h"
#include "assistant/texts.h"
#include "support/instant_waiter.h"
#include "ui/command_bar.h"
#include "ui/page_selector.h"
#include "ui/pages/sensor_parameter_page.h"
#include "ui/panels/double_parameter_panel.h"
#include "ui/panels/measurement_display_panel.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>

namespace tavrino::test {
namespace {

using parameters::Control;

class DoubleParameterPanelTest : public SimUiTest {
protected:
    InstantWaiter waiter;

    void SetUp() override {
        SimUiTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(buildConnected());
        session->assistant.useWaiter(waiter);
    }

    // A picture for the reviewer when TAVRINO_REVIEW_DIR names a directory.
    void keepPicture(const char* name) const {
        const QString dir = qEnvironmentVariable("TAVRINO_REVIEW_DIR");
        if (!dir.isEmpty())
            window->grab().save(dir + "/" + name + ".png");
    }
};

TEST_F(DoubleParameterPanelTest, AssistantRunsFromThePanelAndShowsItsProgressAndResult) {
    QTest::mouseClick(window->sensorParameterPage()->setDpButton(), Qt::LeftButton);
    ui::DoubleParameterPanel* panel = window->doubleParameterPanel();
    ASSERT_EQ(window->childPanels()->currentWidget(), static_cast<QWidget*>(panel));

    // While it runs: the line names target, phase and step; the sensor
    // buttons are dimmed, STOP is not.
    QStringList lines;
    bool dimmed = true;
    waiter.onPause = [&] {
        lines << panel->progressLine()->text();
        dimmed =
            dimmed && !panel->startButton()->isEnabled() && !window->commandBar()->goButton()->isEnabled();
        if (lines.size() == 12)
            keepPicture("review-17-assistant-running");
    };
    scripted.okCancelAnswers = {true, true};
    QTest::mouseClick(panel->startButton(), Qt::LeftButton);

    EXPECT_EQ(scripted.messages().back(), std::string(assistant::texts::kSucceeded.en));
    EXPECT_TRUE(dimmed);
    ASSERT_GT(lines.size(), 20);
    EXPECT_TRUE(lines[0].startsWith("Sending the default parameters")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("Bright target (3000): GAIN phase, step 1 of 8"))
        << lines[1].toStdString();
    EXPECT_TRUE(lines.back().startsWith("Darker target (2500): POWER search, step 10 of 10"))
        << lines.back().toStdString();
    EXPECT_EQ(panel->progressLine()->text(), "Assistant finished.");
    EXPECT_TRUE(panel->startButton()->isEnabled());

    // The tables show what the assistant found.
    const auto& c = session->parameters.controls;
    EXPECT_EQ(panel->doubleParameterTable()->item(0, 0)->text(),
              QString::number(c.code(Control::DoublePower1)));
    EXPECT_EQ(panel->doubleParameterTable()->item(1, 1)->text(),
              QString::number(c.code(Control::DoubleGain2)));
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(panel->xyzTable()->item(r, 1)->text(),
                  QString::number(session->assistant.xyz[static_cast<std::size_t>(r)][1]));
    EXPECT_FALSE(panel->xyzTable()->item(0, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_EQ(c.code(Control::PowerMode), 1);
    keepPicture("review-17-assistant-done");

    QTest::mouseClick(panel->closeButton(), Qt::LeftButton);
    EXPECT_EQ(window->childPanels()->currentWidget(),
              static_cast<QWidget*>(window->measurementDisplayPanel()));
    EXPECT_EQ(window->mainTabs()->currentIndex(), static_cast<int>(MainTab::SensorParameter));
}

TEST_F(DoubleParameterPanelTest, ACorrectionOverAZeroRawValueIsShownAsItIsAndNotSent) {
    QTest::mouseClick(window->sensorParameterPage()->setDpButton(), Qt::LeftButton);
    ui::DoubleParameterPanel* panel = window->doubleParameterPanel();
    auto measured = [this](int x, int y, int z) {
        session->live.record.rawX = static_cast<std::int16_t>(x);
        session->live.record.rawY = static_cast<std::int16_t>(y);
        session->live.record.rawZ = static_cast<std::int16_t>(z);
    };
    measured(0, 1000, 0);
    QTest::mouseClick(panel->assignButton(2), Qt::LeftButton);
    measured(1500, 2000, 0);
    QTest::mouseClick(panel->assignButton(3), Qt::LeftButton);

    QTableWidget* corrections = panel->correctionTable();
    EXPECT_EQ(corrections->item(0, 0)->text(), "inf");
    EXPECT_EQ(corrections->item(0, 1)->text(), "2.0000");
    EXPECT_EQ(corrections->item(0, 2)->text(), "nan");
    keepPicture("review-21-correction-not-finite");

    const auto before = server.sensor().memory().ramParameters;
    QTest::mouseClick(window->commandBar()->sendButton(), Qt::LeftButton);
    ASSERT_FALSE(scripted.messages().empty());
    EXPECT_EQ(scripted.messages().back(),
              "The correction value X is not a finite number: inf\nNo parameters are sent.");
    EXPECT_EQ(server.sensor().memory().ramParameters, before);
}

} // namespace
} // namespace tavrino::test

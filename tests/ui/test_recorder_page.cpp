// The recorder page against the simulated sensor: selecting the record file,
// a recording of values with START red and inoperable while it runs, and
// the controls each record mode shows.
#include "ui_fixture.h"
#include "widget_helpers.h"

#include "recorder/recorder_panel.h"
#include "ui/page_selector.h"
#include "ui/pages/recorder_page.h"

#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace tavrino::test {
namespace {

using recorder::RecorderControl;

class RecorderPageTest : public SimUiTest {};

TEST_F(RecorderPageTest, OperatorSelectsAFileRecordsValuesAndSwitchesModes) {
    ASSERT_NO_FATAL_FAILURE(buildConnected());
    window->mainTabs()->setCurrentIndex(static_cast<int>(MainTab::Recorder));
    ui::RecorderPage* page = window->recorderPage();

    const QString file = QString::fromStdString(programDirectory() + "/rec.dat");
    scripted.fileAnswers.push_back({FileChoice::Kind::New, file.toStdString()});
    QTest::mouseClick(page->selectFileButton(), Qt::LeftButton);
    EXPECT_EQ(page->recordFileDisplay()->text(), file);

    typeInto(page->valuesField(), 2);
    page->intervalField()->setValue(0.1);
    emit page->intervalField()->editingFinished();
    EXPECT_EQ(page->intervalField()->value(), 0.25); // raised and written back
    EXPECT_EQ(page->recordTimeDisplay(3)->text(), "0.50");

    bool startUsable = true, stopUsable = false;
    QString startStyle;
    QTimer::singleShot(100, page, [&] {
        startUsable = page->startButton()->isEnabled();
        startStyle = page->startButton()->styleSheet();
        stopUsable = page->stopButton()->isEnabled();
    });
    scripted.confirmAnswers = {true};
    QTest::mouseClick(page->startButton(), Qt::LeftButton);
    EXPECT_FALSE(startUsable);
    EXPECT_TRUE(startStyle.contains("255, 0, 0")) << startStyle.toStdString();
    EXPECT_TRUE(stopUsable);
    EXPECT_TRUE(page->startButton()->isEnabled());
    EXPECT_TRUE(page->startButton()->styleSheet().isEmpty());
    EXPECT_EQ(page->recordedDisplay()->text(), "2");
    EXPECT_EQ(page->remainingDisplay()->text(), "0");
    EXPECT_EQ(scripted.messages().back(), "File has been saved!");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().count("\r\n"), 3 + 2); // title, empty and heading line, two lines

    struct ModeCase {
        int mode;
        std::vector<RecorderControl> shown;
        std::vector<RecorderControl> hidden;
    };
    const ModeCase modes[] = {
        {2,
         {RecorderControl::Manual, RecorderControl::RecordedValues},
         {RecorderControl::Start, RecorderControl::Stop, RecorderControl::Interval}},
        {3,
         {RecorderControl::Triggered, RecorderControl::Stop, RecorderControl::SeriesCount},
         {RecorderControl::Start, RecorderControl::RecordedValues, RecorderControl::Manual}},
        {1,
         {RecorderControl::Interval, RecorderControl::Start, RecorderControl::SeriesCount},
         {RecorderControl::NumberOfValues, RecorderControl::RecordTime, RecorderControl::Remaining}},
    };
    for (const ModeCase& m : modes) {
        SCOPED_TRACE(m.mode);
        choose(page->modeSelector(), m.mode);
        for (RecorderControl c : m.shown)
            EXPECT_FALSE(page->row(c)->isHidden()) << static_cast<int>(c);
        for (RecorderControl c : m.hidden)
            EXPECT_TRUE(page->row(c)->isHidden()) << static_cast<int>(c);
    }
}

} // namespace
} // namespace tavrino::test

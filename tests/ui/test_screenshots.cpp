// Pictures of every page and panel for review: they land in the test output
// directory under screenshots/.
#include "ui_fixture.h"

#include "ui/panels/big_colour_number_panel.h"
#include "ui/panels/password_panel.h"
#include "ui/titled_widget.h"

#include <QDir>
#include <QPixmap>
#include <QStackedWidget>
#include <QTabWidget>

namespace tavrino::test {
namespace {

void save(QWidget* widget, const QString& name) {
    const QString dir = QStringLiteral(TAVRINO_TEST_OUTPUT_DIR "/screenshots/");
    ASSERT_TRUE(QDir().mkpath(dir));
    const QPixmap picture = widget->grab();
    ASSERT_FALSE(picture.isNull()) << name.toStdString();
    EXPECT_TRUE(picture.save(dir + name + QStringLiteral(".png"))) << name.toStdString();
}

TEST_F(UiTest, ScreenshotsOfEveryPageAndPanel) {
    build();
    window->show();
    const char* pageNames[] = {"connection", "sensor_parameter",  "teach_table",
                               "recorder",   "calibration",       "table_settings",
                               "scope",      "zero_point_offset", "offset_adjustment"};
    const char* panelNames[] = {"measurement_display",  "signal_graph", "mean_value_teach",
                                "recorded_value_teach", "scope_panel",  "double_parameter",
                                "calibration_panel"};
    for (const Language language : {Language::English, Language::German}) {
        session->shell.language = language;
        session->shell.notify(app::ShellChange::Language);
        const QString suffix = language == Language::German ? QStringLiteral("_de") : QString();
        for (int i = 0; i < kMainTabCount; ++i) {
            window->showMainTab(static_cast<MainTab>(i));
            save(window.get(), QStringLiteral("page_%1_%2%3").arg(i).arg(pageNames[i]).arg(suffix));
        }
        for (int i = 0; i < kChildPanelCount; ++i) {
            window->ShowChildPanelDisp(static_cast<ChildPanel>(i));
            save(window->childPanels()->currentWidget(),
                 QStringLiteral("panel_%1%2").arg(panelNames[i]).arg(suffix));
        }
        window->bigColourNumberPanel()->show();
        save(window->bigColourNumberPanel(), QStringLiteral("panel_big_colour_number%1").arg(suffix));
        window->bigColourNumberPanel()->hide();
        save(window->passwordPanel(), QStringLiteral("panel_password%1").arg(suffix));
    }
}

} // namespace
} // namespace tavrino::test

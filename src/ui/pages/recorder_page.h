#pragma once

#include "app/session.h"
#include "ui/subscription.h"
#include "ui/titled_widget.h"
#include "ui/ui_context.h"

class QLabel;

namespace tavrino::ui {

// The recorder page: record mode, interval and file of the recorder. Shows
// the sensor identification and the record file path.
class RecorderPage : public TitledWidget {
    Q_OBJECT
public:
    explicit RecorderPage(UiContext& context, QWidget* parent = nullptr);

    void retranslate(Language language) override;

    [[nodiscard]] QLabel* panelIdDisplay() const { return panelId_; }
    [[nodiscard]] QLabel* recordFileDisplay() const { return recordFile_; }

private:
    void refresh();

    app::Session& session_;
    QLabel* panelIdCaption_;
    QLabel* panelId_;
    QLabel* recordFileCaption_;
    QLabel* recordFile_;
    Subscription<app::ShellState> subscription_;
};

} // namespace tavrino::ui

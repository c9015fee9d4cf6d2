#pragma once

#include "app/session.h"
#include "measurement/display.h"
#include "ui/subscription.h"
#include "ui/titled_widget.h"
#include "ui/ui_context.h"

#include <array>

class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class QTimer;

namespace tavrino::ui {

// The mean-value teach panel: up to 100 captured frames, their mean and the
// largest distance from it, the live XYZ values, and teaching of the mean.
// The captures are the session's; the panel only shows them.
class MeanValueTeachPanel : public TitledWidget {
    Q_OBJECT
public:
    static constexpr int kRepaintIntervalMs = 33;

    explicit MeanValueTeachPanel(UiContext& context, QWidget* parent = nullptr);

    void retranslate(Language language) override;

    [[nodiscard]] QTableWidget* valueTable() const { return values_; }
    [[nodiscard]] QTableWidget* meanTable() const { return mean_; }
    [[nodiscard]] QLineEdit* counterDisplay() const { return counter_; }
    [[nodiscard]] QLineEdit* maxDeltaEDisplay() const { return maxDeltaE_; }
    [[nodiscard]] QPushButton* captureButton() const { return capture_; }
    [[nodiscard]] QPushButton* undoButton() const { return undo_; }
    [[nodiscard]] QPushButton* resetButton() const { return reset_; }
    [[nodiscard]] QPushButton* teachButton() const { return teach_; }
    [[nodiscard]] QPushButton* closeButton() const { return close_; }

    // Paints the newest frame's XYZ, if not shown yet.
    bool updateDisplays();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void build(UiContext& context);
    void connectControls(UiContext& context);
    void askReset();
    void cellEdited(QTableWidgetItem* item);
    void showCaptures();
    void showHeadings();

    app::Session& session_;
    QTableWidget* values_;
    QTableWidget* mean_;
    QLineEdit* counter_;
    QLineEdit* maxDeltaE_;
    std::array<QLineEdit*, 3> xyz_{};
    QPushButton* capture_;
    QPushButton* undo_;
    QPushButton* reset_;
    QPushButton* teach_;
    QPushButton* close_;
    QTimer* repaint_;
    measurement::FrameWatch watch_;
    Subscription<app::TeachPanelsState> subscription_;
    Subscription<teach::TeachTable> tableSubscription_;
    Subscription<parameters::ParameterControls> controlsSubscription_;
};

} // namespace tavrino::ui

#pragma once

#include "app/session.h"
#include "ui/subscription.h"
#include "ui/titled_widget.h"
#include "ui/ui_context.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavrino::ui {

class DigitalGraph;
class ScopeGraph;

// The scope panel: the scope graph with its two cursors, the digital graph
// below at the same positions, delta X and delta Y, ZOOM 1:1, the displayed
// signal, the scanning indicator and the close button.
class ScopePanel : public TitledWidget {
    Q_OBJECT
public:
    explicit ScopePanel(UiContext& context, QWidget* parent = nullptr);

    void retranslate(Language language) override;
    // The trace names follow the colour space and the recorded signal.
    void refreshCaptions();

    [[nodiscard]] ScopeGraph* scopeGraph() const { return graph_; }
    [[nodiscard]] DigitalGraph* digitalGraph() const { return digital_; }
    [[nodiscard]] QLineEdit* deltaXDisplay() const { return deltaX_; }
    [[nodiscard]] QLineEdit* deltaYDisplay() const { return deltaY_; }
    [[nodiscard]] QPushButton* zoomButton() const { return zoom_; }
    [[nodiscard]] QComboBox* displayedSignalSelector() const { return displayed_; }
    [[nodiscard]] QLabel* scanningIndicator() const { return indicator_; }
    [[nodiscard]] QPushButton* closeButton() const { return close_; }

private:
    void build();
    void registerHelp(HelpRegistry& help);
    void connectControls();
    void onScopeChange(app::ScopeChange change);
    void cursorDragged(int cursor, double x, double y);
    void showAxes();
    void showTraces();
    void showCursors();
    void showDeltas();

    UiContext& context_;
    app::Session& session_;
    ScopeGraph* graph_;
    DigitalGraph* digital_;
    QLabel* deltaXCaption_;
    QLineEdit* deltaX_;
    QLabel* deltaYCaption_;
    QLineEdit* deltaY_;
    QPushButton* zoom_;
    QLabel* displayedCaption_;
    QComboBox* displayed_;
    QLabel* indicator_;
    QPushButton* close_;
    Subscription<app::ScopeState> scopeSubscription_;
};

} // namespace tavrino::ui

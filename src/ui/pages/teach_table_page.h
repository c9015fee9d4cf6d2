#pragma once

#include "app/session.h"
#include "ui/subscription.h"
#include "ui/titled_widget.h"
#include "ui/ui_context.h"

#include <QPointer>

class QAction;
class QMenu;
class QTableWidget;

namespace tavrino::ui {

// The teach table page: the teach table grid with its own context menu.
class TeachTablePage : public TitledWidget {
    Q_OBJECT
public:
    explicit TeachTablePage(UiContext& context, QWidget* parent = nullptr);

    void retranslate(Language language) override;

    // Rebuilds the grid's context menu in the session's language; of the two
    // teach-tolerance entries the one matching the current state is dimmed.
    void SetUserDefinedMenuItems();

    [[nodiscard]] QTableWidget* grid() const { return grid_; }
    [[nodiscard]] QMenu* gridMenu() const { return menu_; }

signals:
    // The context-menu entries that act on the grid.
    void setSelectionToRequested();
    void incrementSelectionRequested();
    void resetSelectionRequested();
    void teachToleranceOffRequested();
    void teachToleranceOnRequested();

private:
    void CBF_GridCttHelp();

    app::Session& session_;
    QTableWidget* grid_;
    QMenu* menu_;
    Subscription<app::Session> subscription_;
};

} // namespace tavrino::ui

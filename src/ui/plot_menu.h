#pragma once

#include "common/language.h"
#include "common/operator.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <string>

class QCustomPlot;
class QMenu;
class QPoint;
class QWidget;

namespace tavrino::ui {

// The context menu of every graph: its help, "Export picture..." and "Copy
// to clipboard". The help registry opens it where another control would
// show its help at once, so every graph that has help has the menu.
class PlotMenu : public QObject {
    Q_OBJECT
public:
    // `showHelp` shows a control's help as its right click would.
    PlotMenu(Operator& op, const Language& language, std::function<void(const QWidget*)> showHelp,
             QObject* parent = nullptr);
    ~PlotMenu() override;

    // Where the export dialog starts; the current directory until set.
    void setPictureDirectory(std::function<std::string()> directory) { directory_ = std::move(directory); }

    // Opens the menu for `plot` at `globalPos` and returns at once.
    void popup(QCustomPlot* plot, const QPoint& globalPos);
    // The menu last opened (its entries are those of that graph).
    [[nodiscard]] QMenu* menu() const { return menu_.get(); }

    // The menu's entries.
    bool exportPicture(QCustomPlot& plot);
    void copyPicture(QCustomPlot& plot);

private:
    void fill();

    Operator& op_;
    const Language& language_;
    std::function<void(const QWidget*)> showHelp_;
    std::function<std::string()> directory_;
    std::unique_ptr<QMenu> menu_;
    QPointer<QCustomPlot> plot_;
};

} // namespace tavrino::ui

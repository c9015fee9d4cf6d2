#include "ui/plot_menu.h"

#include "app/picture_export.h"
#include "ui/plots/plot_picture.h"
#include "ui/qt_text.h"
#include "ui/texts.h"

#include <qcustomplot.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

namespace tavrino::ui {

namespace {

// "a*/b*" -> "a_b_.png": a file name proposed after the graph's name.
std::string pictureName(const QCustomPlot& plot) {
    QString name = plot.objectName().isEmpty() ? plot.accessibleName() : plot.objectName();
    for (QChar& c : name)
        if (!c.isLetterOrNumber())
            c = QLatin1Char('_');
    if (name.isEmpty())
        name = QStringLiteral("graph");
    return str(name) + ".png";
}

} // namespace

PlotMenu::PlotMenu(Operator& op, const Language& language, std::function<void(const QWidget*)> showHelp,
                   QObject* parent)
    : QObject(parent), op_(op), language_(language), showHelp_(std::move(showHelp)),
      menu_(std::make_unique<QMenu>()) {}

PlotMenu::~PlotMenu() = default;

void PlotMenu::popup(QCustomPlot* plot, const QPoint& globalPos) {
    plot_ = plot;
    fill();
    menu_->popup(globalPos);
}

void PlotMenu::fill() {
    menu_->clear(); // deletes the actions the menu owns
    auto add = [this](const Text& label, auto handler) {
        QAction* action = menu_->addAction(qs(label, language_));
        connect(action, &QAction::triggered, this, [this, handler] {
            if (plot_)
                handler(*plot_);
        });
    };
    add(texts::kMenuHelp, [this](QCustomPlot& plot) { showHelp_(&plot); });
    menu_->addSeparator();
    add(texts::kMenuExportPicture, [this](QCustomPlot& plot) { exportPicture(plot); });
    add(texts::kMenuCopyPicture, [this](QCustomPlot& plot) { copyPicture(plot); });
}

bool PlotMenu::exportPicture(QCustomPlot& plot) {
    const std::string directory = directory_ ? directory_() : std::string();
    QPointer<QCustomPlot> guarded(&plot);
    return app::exportPicture(op_, language_, directory, pictureName(plot),
                              [guarded](app::PictureFormat format) -> std::optional<std::string> {
                                  // The dialog ran an event loop: the graph may be gone.
                                  if (!guarded)
                                      return std::nullopt;
                                  return plotPicture(*guarded, format);
                              });
}

void PlotMenu::copyPicture(QCustomPlot& plot) {
    QGuiApplication::clipboard()->setImage(plotImage(plot));
}

} // namespace tavrino::ui

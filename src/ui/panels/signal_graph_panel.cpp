#include "ui/panels/signal_graph_panel.h"

#include "ui/texts.h"

#include <QVBoxLayout>

namespace tavrino::ui {

SignalGraphPanel::SignalGraphPanel([[maybe_unused]] UiContext& context, QWidget* parent)
    : TitledWidget(texts::kSignalGraphHeading, parent) {
    body()->addStretch(1);
}

} // namespace tavrino::ui

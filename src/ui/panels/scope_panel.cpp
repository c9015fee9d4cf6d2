#include "ui/panels/scope_panel.h"

#include "ui/texts.h"

#include <QVBoxLayout>

namespace tavrino::ui {

ScopePanel::ScopePanel([[maybe_unused]] UiContext& context, QWidget* parent)
    : TitledWidget(texts::kScopePanelHeading, parent) {
    body()->addStretch(1);
}

} // namespace tavrino::ui

#include "ui/pages/scope_page.h"

#include "ui/texts.h"

#include <QVBoxLayout>

namespace tavrino::ui {

ScopePage::ScopePage([[maybe_unused]] UiContext& context, QWidget* parent)
    : TitledWidget(texts::kScopeHeading, parent) {
    body()->addStretch(1);
}

} // namespace tavrino::ui

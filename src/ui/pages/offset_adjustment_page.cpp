#include "ui/pages/offset_adjustment_page.h"

#include "ui/texts.h"

#include <QVBoxLayout>

namespace tavrino::ui {

OffsetAdjustmentPage::OffsetAdjustmentPage([[maybe_unused]] UiContext& context, QWidget* parent)
    : TitledWidget(texts::kOffsetAdjustmentHeading, parent) {
    body()->addStretch(1);
}

} // namespace tavrino::ui

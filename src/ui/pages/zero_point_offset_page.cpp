#include "ui/pages/zero_point_offset_page.h"

#include "ui/texts.h"

#include <QVBoxLayout>

namespace tavrino::ui {

ZeroPointOffsetPage::ZeroPointOffsetPage([[maybe_unused]] UiContext& context, QWidget* parent)
    : TitledWidget(texts::kZeroPointOffsetHeading, parent) {
    body()->addStretch(1);
}

} // namespace tavrino::ui

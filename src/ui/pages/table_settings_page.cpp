#include "ui/pages/table_settings_page.h"

#include "ui/texts.h"

#include <QVBoxLayout>

namespace tavrino::ui {

TableSettingsPage::TableSettingsPage([[maybe_unused]] UiContext& context, QWidget* parent)
    : TitledWidget(texts::kTableSettingsHeading, parent) {
    body()->addStretch(1);
}

} // namespace tavrino::ui

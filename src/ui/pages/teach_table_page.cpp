#include "ui/pages/teach_table_page.h"

#include "teach/teach_table.h"
#include "ui/qt_text.h"
#include "ui/texts.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tavrino::ui {

TeachTablePage::TeachTablePage(UiContext& context, QWidget* parent)
    : TitledWidget(texts::kTeachTableHeading, parent), session_(context.session),
      grid_(new QTableWidget(teach::kRows, teach::kColumns, this)), menu_(new QMenu(this)),
      subscription_(context.session, [this](app::SessionChange change) {
          if (change == app::SessionChange::TeachTolerance)
              SetUserDefinedMenuItems();
      }) {
    // Row numbers as the sensor counts them: 0..2.
    for (int row = 0; row < teach::kRows; ++row)
        grid_->setVerticalHeaderItem(row, new QTableWidgetItem(QString::number(row)));
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    grid_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { menu_->popup(grid_->viewport()->mapToGlobal(pos)); });
    body()->addWidget(grid_);
    body()->addStretch(1);
    retranslate(session_.language);
}

void TeachTablePage::retranslate(Language language) {
    TitledWidget::retranslate(language);
    SetUserDefinedMenuItems();
}

void TeachTablePage::SetUserDefinedMenuItems() {
    const Language language = session_.language;
    menu_->clear(); // deletes the actions the menu owns
    auto add = [&](const Text& label, auto handler) {
        QAction* action = menu_->addAction(qs(label, language));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    add(texts::kMenuHelp, &TeachTablePage::CBF_GridCttHelp);
    menu_->addSeparator();
    add(texts::kMenuSetSelectionTo, &TeachTablePage::setSelectionToRequested);
    add(texts::kMenuIncrementSelection, &TeachTablePage::incrementSelectionRequested);
    add(texts::kMenuResetSelection, &TeachTablePage::resetSelectionRequested);
    menu_->addSeparator();
    QAction* off = add(texts::kMenuTeachTolOff, &TeachTablePage::teachToleranceOffRequested);
    QAction* on = add(texts::kMenuTeachTolOn, &TeachTablePage::teachToleranceOnRequested);
    const bool toleranceOff = session_.teachToleranceOff == 1;
    off->setEnabled(!toleranceOff);
    on->setEnabled(toleranceOff);
}

void TeachTablePage::CBF_GridCttHelp() {
    session_.op().message(kInfoTitle.in(session_.language), texts::kTeachGridHelp.in(session_.language));
}

} // namespace tavrino::ui

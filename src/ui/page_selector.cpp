#include "ui/page_selector.h"

#include <QBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>

namespace tavrino::ui {

namespace {

// Room beside the caption beyond the button's own frame and margin.
constexpr int kCaptionRoom = 4;
constexpr int kRowSpacing = 4;

} // namespace

PageSelector::PageSelector(int firstRowCount, QWidget* parent)
    : QWidget(parent), firstRowCount_(firstRowCount), rows_{new QHBoxLayout, new QHBoxLayout},
      stack_(new QStackedWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kRowSpacing);
    for (QBoxLayout* row : rows_) {
        row->setSpacing(kRowSpacing);
        layout->addLayout(row);
    }
    layout->addWidget(stack_, 1);
}

void PageSelector::addPage(QWidget* page) {
    const int index = count();
    auto* button = new QPushButton(this);
    button->setCheckable(true);
    button->setAutoDefault(false);
    // The row shares its width out by the captions' needs (fitRow).
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    buttons_.push_back(button);
    visible_.push_back(true);
    rowOf(index)->addWidget(button);
    stack_->addWidget(page);
    // A click, a key or a screen reader's toggle checks the button: its page
    // comes forward. Unchecking the page in front leaves it marked.
    connect(button, &QPushButton::toggled, this, [this, index](bool on) {
        if (!on || !setCurrentIndex(index))
            markCurrent();
    });
    if (index == 0)
        markCurrent();
    fitRow(rowOf(index));
}

QWidget* PageSelector::widget(int index) const {
    return stack_->widget(index);
}

QPushButton* PageSelector::button(int index) const {
    return index >= 0 && index < count() ? buttons_[static_cast<std::size_t>(index)] : nullptr;
}

int PageSelector::currentIndex() const {
    return stack_->currentIndex();
}

QWidget* PageSelector::currentWidget() const {
    return stack_->currentWidget();
}

bool PageSelector::setCurrentIndex(int index) {
    if (!isPageVisible(index))
        return false;
    const bool changed = index != stack_->currentIndex();
    stack_->setCurrentIndex(index);
    markCurrent();
    if (changed)
        emit currentChanged(index);
    return true;
}

void PageSelector::setPageVisible(int index, bool visible) {
    if (index < 0 || index >= count() || isPageVisible(index) == visible)
        return;
    visible_[static_cast<std::size_t>(index)] = visible;
    buttons_[static_cast<std::size_t>(index)]->setVisible(visible);
    fitRow(rowOf(index));
    if (visible || index != currentIndex())
        return;
    for (int i = index + 1; i < count(); ++i)
        if (setCurrentIndex(i))
            return;
    for (int i = index - 1; i >= 0; --i)
        if (setCurrentIndex(i))
            return;
}

bool PageSelector::isPageVisible(int index) const {
    return index >= 0 && index < count() && visible_[static_cast<std::size_t>(index)];
}

void PageSelector::setPageText(int index, const QString& text) {
    if (QPushButton* b = button(index)) {
        b->setText(text);
        fitRow(rowOf(index));
    }
}

QString PageSelector::pageText(int index) const {
    const QPushButton* b = button(index);
    return b != nullptr ? b->text() : QString();
}

QBoxLayout* PageSelector::rowOf(int index) const {
    return rows_[index < firstRowCount_ ? 0 : 1];
}

void PageSelector::fitRow(QBoxLayout* row) {
    // Every button gets at least its caption's width; the rest of the row is
    // shared in the same proportions, so no caption is cut while it fits.
    const int frame = style()->pixelMetric(QStyle::PM_ButtonMargin) +
                      2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    for (int i = 0; i < row->count(); ++i) {
        auto* b = qobject_cast<QPushButton*>(row->itemAt(i)->widget());
        if (b == nullptr)
            continue;
        const int need = b->fontMetrics().horizontalAdvance(b->text()) + frame + kCaptionRoom;
        b->setMinimumWidth(need);
        row->setStretch(i, need);
    }
}

void PageSelector::markCurrent() {
    // Only the page in front is marked. The buttons form no exclusive group:
    // Tab stops at each of them, where a group would be one stop.
    const int current = currentIndex();
    for (int i = 0; i < count(); ++i)
        buttons_[static_cast<std::size_t>(i)]->setChecked(i == current);
}

} // namespace tavrino::ui

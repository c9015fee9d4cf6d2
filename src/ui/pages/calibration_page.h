#pragma once

#include "app/session.h"
#include "ui/dimmed_buttons.h"
#include "ui/subscription.h"
#include "ui/titled_widget.h"
#include "ui/ui_context.h"

#include <QWidget>

#include <array>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace tavrino::ui {

// The picture on the calibration page; a right double click on it asks for
// the password of the factory functions.
class CalibrationDecoration : public QWidget {
    Q_OBJECT
public:
    explicit CalibrationDecoration(QWidget* parent = nullptr);
    [[nodiscard]] QSize sizeHint() const override;

signals:
    void rightDoubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// The calibration page: colour spaces, rows, the assign, reset, file and
// transfer buttons of the calibration tables.
class CalibrationPage : public TitledWidget {
    Q_OBJECT
public:
    // The buttons, in the order they are built.
    enum Button : int {
        AssignReference,
        ResetReference,
        LoadReference,
        SaveReference,
        ResetSetValues,
        LoadSetValues,
        SaveSetValues,
        AssignToRow,
        ResetActual,
        LoadActual,
        SaveActual,
        Calculate,
        Send,
        Read,
        ButtonCount
    };

    explicit CalibrationPage(UiContext& context, QWidget* parent = nullptr);

    void retranslate(Language language) override;

    [[nodiscard]] QComboBox* referenceSpaceSelector() const { return referenceSpace_; }
    [[nodiscard]] QComboBox* setValueSpaceSelector() const { return setValueSpace_; }
    [[nodiscard]] QSpinBox* rowsField() const { return rows_; }
    [[nodiscard]] QSpinBox* rowNoField() const { return rowNo_; }
    [[nodiscard]] QCheckBox* autoAdvanceBox() const { return autoAdvance_; }
    [[nodiscard]] QPushButton* button(Button b) const { return buttons_[static_cast<std::size_t>(b)]; }
    [[nodiscard]] CalibrationDecoration* decoration() const { return decoration_; }

signals:
    // The operator asks for the password box.
    void passwordRequested();

private:
    void build();
    QGroupBox* group(Text title);
    // A caption; `buddy` is the field it names.
    QLabel* label(Text text, QWidget* parent, QWidget* buddy = nullptr);
    void registerHelp(HelpRegistry& help);
    void connectControls(UiContext& context);
    void showControls();

    app::Session& session_;
    QComboBox* referenceSpace_;
    QComboBox* setValueSpace_;
    QSpinBox* rows_;
    QSpinBox* rowNo_;
    QCheckBox* autoAdvance_;
    std::array<QPushButton*, ButtonCount> buttons_{};
    CalibrationDecoration* decoration_;
    std::vector<std::pair<QLabel*, Text>> labels_;
    std::vector<std::pair<QGroupBox*, Text>> groups_;
    DimmedButtons dimmed_;
    Subscription<app::CalibrationState> subscription_;
};

} // namespace tavrino::ui

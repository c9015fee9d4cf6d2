#pragma once

#include "app/session.h"
#include "ui/panels/calibration_models.h"
#include "ui/subscription.h"
#include "ui/titled_widget.h"
#include "ui/ui_context.h"

#include <array>
#include <utility>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableView;

namespace tavrino::ui {

class RawValueDisplays;

// The calibration panel: the tables of the REFERENCE, SETVALUE and SENSOR
// DATA pages as views on the session's calibration tables, Scroll All and
// Close.
class CalibrationPanel : public TitledWidget {
    Q_OBJECT
public:
    static constexpr std::size_t kTableCount = 15;
    static constexpr std::size_t kScrolledCount = 6;

    explicit CalibrationPanel(UiContext& context, QWidget* parent = nullptr);

    void retranslate(Language language) override;

    [[nodiscard]] QTabWidget* tabs() const { return tabs_; }
    [[nodiscard]] QTableView* view(CalibTable table) const { return views_[static_cast<std::size_t>(table)]; }
    [[nodiscard]] CalibTableModel* model(CalibTable table) const {
        return models_[static_cast<std::size_t>(table)];
    }
    // The six 64-row tables that Scroll All keeps together.
    [[nodiscard]] const std::array<QTableView*, kScrolledCount>& scrolledViews() const { return scrolled_; }
    [[nodiscard]] QCheckBox* scrollAllBox() const { return scrollAll_; }
    [[nodiscard]] QLineEdit* sensorRowsDisplay() const { return sensorRows_; }
    [[nodiscard]] QPushButton* closeButton() const { return close_; }
    // The live raw values and the instructions of the REFERENCE and the
    // SETVALUE page (SENSOR DATA has neither: nullptr).
    [[nodiscard]] RawValueDisplays* rawDisplays(app::CalibPage page) const;
    [[nodiscard]] QPlainTextEdit* instructions(app::CalibPage page) const;

private:
    void build(UiContext& context);
    QWidget* buildReferencePage();
    QWidget* buildSetValuePage();
    QWidget* buildSensorPage();
    QWidget* titledView(CalibTable table, Text caption, QWidget* parent);
    QPlainTextEdit* instructionBox(int lines, QWidget* parent);
    void fitColumnsToNumbers(CalibTable table);
    void registerHelp(HelpRegistry& help);
    void connectControls(UiContext& context);
    void onChange(app::CalibrationChange change);
    void scrolled(int firstRow);
    void applyScrollRow();
    void showSensorRows();

    app::Session& session_;
    QTabWidget* tabs_;
    QCheckBox* scrollAll_;
    QPushButton* close_;
    QLineEdit* sensorRows_;
    QPlainTextEdit* referenceInstructions_ = nullptr;
    QPlainTextEdit* setValueInstructions_ = nullptr;
    RawValueDisplays* referenceRaw_ = nullptr;
    RawValueDisplays* setValueRaw_ = nullptr;
    std::array<CalibTableModel*, kTableCount> models_{};
    std::array<QTableView*, kTableCount> views_{};
    std::array<QTableView*, kScrolledCount> scrolled_{};
    std::vector<std::pair<QLabel*, Text>> captions_;
    int scrollRow_ = 0;
    bool scrolling_ = false;
    Subscription<app::CalibrationState> subscription_;
};

} // namespace tavrino::ui

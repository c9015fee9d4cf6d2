#pragma once

#include "app/session.h"
#include "ui/subscription.h"
#include "ui/titled_widget.h"
#include "ui/ui_context.h"

#include <string_view>

class QLabel;
class QLineEdit;
class QTabWidget;

namespace tavrino::ui {

// The measurement display panel: live values, the sensor status field, the
// link displays and the graph tab control. The default child panel.
class MeasurementDisplayPanel : public TitledWidget {
    Q_OBJECT
public:
    static constexpr int kGraphPageCount = 3;

    explicit MeasurementDisplayPanel(UiContext& context, QWidget* parent = nullptr);

    void retranslate(Language language) override;

    void setSensorStatus(std::string_view text);

    [[nodiscard]] QLineEdit* sensorStatus() const { return status_; }
    [[nodiscard]] QLineEdit* comPortDisplay() const { return comPort_; }
    [[nodiscard]] QLineEdit* serverAddressDisplay() const { return server_; }
    [[nodiscard]] QTabWidget* graphTabs() const { return graphTabs_; }

private:
    void refreshLinkDisplay();
    void refreshIdentity();

    app::Session& session_;
    QLabel* statusCaption_;
    QLineEdit* status_;
    QLabel* comPortCaption_;
    QLineEdit* comPort_;
    QLabel* serverCaption_;
    QLineEdit* server_;
    QTabWidget* graphTabs_;
    Subscription<app::Session> subscription_;
};

} // namespace tavrino::ui

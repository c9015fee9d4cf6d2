#pragma once

#include "app/dimming.h"
#include "common/language.h"
#include "parameters/parameter_controls.h"
#include "parameters/parameter_set.h"
#include "ui/subscription.h"
#include "ui/ui_context.h"

#include <QWidget>

#include <map>

class QButtonGroup;
class QPushButton;

namespace tavrino::ui {

// The row of buttons that stays visible above every page: SEND and GET with
// the RAM / EEPROM / FILE select buttons of the parameter transfer, and GO
// and STOP of the live measurement, with their function keys F9 to F12.
// The buttons that start exchanges follow the session's dimming.
class CommandBar : public QWidget {
    Q_OBJECT
public:
    explicit CommandBar(UiContext& context, QWidget* parent = nullptr);
    ~CommandBar() override;

    void retranslate(Language language);

    [[nodiscard]] QPushButton* sendButton() const { return send_; }
    [[nodiscard]] QPushButton* getButton() const { return get_; }
    [[nodiscard]] QPushButton* selectButton(parameters::TransferTarget target) const;
    [[nodiscard]] QPushButton* goButton() const { return go_; }
    [[nodiscard]] QPushButton* stopButton() const { return stop_; }

public slots:
    void CBF_ButtonSend();
    void CBF_ButtonGet();
    void CBF_ButtonSelectMem(parameters::TransferTarget target);
    void CBF_ButtonGo();
    void CBF_ButtonStop();

private:
    void showTarget();
    void followDimming(app::DimControl c, bool dimmed);

    UiContext& context_;
    QPushButton* send_;
    QPushButton* get_;
    QPushButton* ram_;
    QPushButton* eeprom_;
    QPushButton* file_;
    QPushButton* go_;
    QPushButton* stop_;
    QButtonGroup* targets_;
    std::map<app::DimControl, QPushButton*> dimmable_;
    Subscription<app::DimmingModel> dimmingSubscription_;
    Subscription<parameters::ParameterControls> controlsSubscription_;
};

} // namespace tavrino::ui

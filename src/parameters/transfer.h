#pragma once

#include "common/language.h"
#include "common/operator.h"
#include "common/run_flags.h"
#include "parameters/parameter_controls.h"
#include "parameters/parameter_set.h"
#include "parameters/rules.h"
#include "teach/teach_table.h"

#include <string>

namespace tavrino::link {
class SensorLink;
}

namespace tavrino::parameters {

// SEND and GET of the parameter set between the controls and the sensor's RAM
// or EEPROM, and the buttons that start them. Exchanges go through the sensor
// link, which reports every failure itself; a sequence stops at the first
// failed exchange and returns -1, otherwise the result of its last exchange.
class ParameterTransfer {
public:
    // `parameterFile` is the remembered parameter file path that SEND and
    // GET with target FILE start their dialogs at and update.
    ParameterTransfer(link::SensorLink& link, RunFlags& flags, ParameterSet& set, ParameterControls& controls,
                      teach::TeachTable& table, ParameterRules& rules, Operator& op, const Language& language,
                      std::string& parameterFile);

    // Controls to sensor: the parameter block, the teach vectors, and with
    // target EEPROM the order to store RAM in EEPROM. Any other target (also
    // FILE, when a loop sends) writes RAM only. -1 without an exchange when a
    // correction value is not sendable.
    int SendPara();
    // Sensor to controls: with target EEPROM the order to load EEPROM into RAM
    // first, then the parameter block and the teach vectors from RAM. The
    // controls change only after both reads succeeded; then the option rules
    // run and the graphs are rebuilt.
    int GetPara();

    // The SEND and GET buttons: FILE goes to the parameter file dialogs
    // (SendParaToFile, ReadParaFromFile); while the live
    // measurement runs only the pending flag is set (the loop serves it before
    // its next exchange); otherwise the exchange buttons are dimmed around the
    // transfer.
    // 1 done, -1 not (the operator was told), 0 only noted as pending.
    int sendButton();
    int getButton();

    // False, after telling the operator which one, when a correction value
    // is not a finite number: no word can carry it, so nothing is sent.
    [[nodiscard]] bool correctionsSendable() const;

    // The RAM/EEPROM/FILE select buttons.
    void selectTarget(TransferTarget target);

    // Right click on SEND, GET and the select buttons.
    void showSendHelp() const;
    void showGetHelp() const;
    void showSelectHelp() const;

private:
    // A non-zero argument word of the last reply counts parameters the sensor
    // replaced by their defaults: not a failure, but the operator hears of it.
    void noticeReplacedParameters(const Text& notice);

    link::SensorLink& link_;
    RunFlags& flags_;
    ParameterSet& set_;
    ParameterControls& controls_;
    teach::TeachTable& table_;
    ParameterRules& rules_;
    Operator& op_;
    const Language& language_;
    std::string& parameterFile_;
};

} // namespace tavrino::parameters

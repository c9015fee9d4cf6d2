#include "app/connect_panel.h"

#include "app/texts.h"

namespace tavrino::app {

bool connectionControlVisible(ConnectionControl c, link::Protocol protocol) {
    switch (c) {
    case ConnectionControl::FindComPortsButton:
    case ConnectionControl::ComPortSelect:
    case ConnectionControl::BaudRateSelect:
    case ConnectionControl::ChangeBaudRateButton:
        return protocol == link::Protocol::Rs232;
    case ConnectionControl::ServerAddressBox:
    case ConnectionControl::PortNumberBox:
        return protocol == link::Protocol::TcpIp;
    default:
        return true;
    }
}

std::optional<Text> connectionHelpText(ConnectionControl c) {
    switch (c) {
    case ConnectionControl::ProtocolSelect:
        return texts::kProtocolHelp;
    case ConnectionControl::FindComPortsButton:
        return texts::kFindComPortsHelp;
    case ConnectionControl::ComPortSelect:
        return texts::kComPortHelp;
    case ConnectionControl::BaudRateSelect:
        return texts::kBaudRateHelp;
    case ConnectionControl::ServerAddressBox:
        return texts::kServerAddressHelp;
    case ConnectionControl::PortNumberBox:
        return texts::kPortNumberHelp;
    case ConnectionControl::ConnectButton:
        return texts::kConnectHelp;
    case ConnectionControl::DisconnectButton:
        return texts::kDisconnectHelp;
    case ConnectionControl::AcceptButton:
        return texts::kAcceptHelp;
    case ConnectionControl::ChangeBaudRateButton:
        return texts::kChangeBaudRateHelp;
    case ConnectionControl::HardwareInfoButton:
        return texts::kHardwareInfoHelp;
    case ConnectionControl::LanguageSelect:
        return texts::kLanguageHelp;
    case ConnectionControl::SensorIdField:
        return texts::kSensorIdHelp;
    case ConnectionControl::ConnectionLog:
        break;
    }
    return std::nullopt;
}

} // namespace tavrino::app

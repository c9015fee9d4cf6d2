#include "link/serial_ports.h"

#include <QSerialPortInfo>

#include <algorithm>

namespace tavrino::link {

std::vector<std::string> serialDevices() {
    std::vector<std::string> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
#ifdef _WIN32
        devices.push_back(info.portName().toStdString());
#else
        devices.push_back(info.systemLocation().toStdString());
#endif
    }
    std::sort(devices.begin(), devices.end());
    return devices;
}

} // namespace tavrino::link

#pragma once

#include <string>
#include <vector>

namespace tavrino::link {

// The serial devices present, sorted, as the COM port select offers them:
// the system path ("/dev/ttyUSB0") on Linux and macOS, the port name
// ("COM3") on Windows.
[[nodiscard]] std::vector<std::string> serialDevices();

} // namespace tavrino::link

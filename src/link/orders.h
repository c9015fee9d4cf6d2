#pragma once

#include <cstddef>
#include <cstdint>

namespace tavrino::link {

// The sensor's order numbers.
namespace order {
inline constexpr int SendParameters = 1;         // arg 0: 64-byte block, arg 2: 96-byte teach vectors
inline constexpr int GetParameters = 2;          // arg 0: parameter block, arg 2: teach vectors
inline constexpr int StoreRamInEeprom = 3;       // header only
inline constexpr int LoadEepromIntoRam = 4;      // reply argument: count of replaced parameters
inline constexpr int FirmwareText = 7;           // 72-byte firmware identification
inline constexpr int Measure = 8;                // 52-byte measurement record
inline constexpr int SensorIdentity = 15;        // arg 0: name + serial number, arg 1: next calibration
inline constexpr int AutoSend = 30;              // arg 1 start, arg 0 stop
inline constexpr int MeasureZeroOffset = 100;    // arg 1
inline constexpr int SendOffset = 101;           // arg 0 zero-point, arg 1 XYZ offsets
inline constexpr int GetOffset = 102;            // 12-byte offset record
inline constexpr int SendCalibration = 103;      // arg slot / slot + 1
inline constexpr int ReadCalibration = 104;      // arg slot / slot + 1
inline constexpr int CycleTime = 105;            // two signed 32-bit values
inline constexpr int ScopeScan = 110;            // arg 1 start (12-byte settings), arg 0 break
inline constexpr int TableSettingsPrepare = 180; // arg 7680
inline constexpr int TableSettingsWrite = 182;   // arg 7680, 72 bytes
inline constexpr int TableSettingsRead = 184;    // arg 7680, payload the value 36
inline constexpr int ChangeBaudrate = 190;       // arg new baud-rate index
inline constexpr int HardwareInfo = 194;         // arg 11181
} // namespace order

inline constexpr std::uint16_t kTableSettingsArea = 7680; // 0x1E00
inline constexpr std::uint16_t kTableSettingsValue = 36;
inline constexpr std::uint16_t kHardwareInfoKey = 11181; // 0x2BAD
inline constexpr std::size_t kFirmwareTextSize = 72;

// Baud rate of a baud-rate index; any index outside 0..7 means 115200.
[[nodiscard]] constexpr int baudRateForIndex(int index) {
    constexpr int rates[] = {9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};
    return index >= 0 && index < 8 ? rates[index] : 115200;
}

} // namespace tavrino::link

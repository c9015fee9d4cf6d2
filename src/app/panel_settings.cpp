#include "app/panel_settings.h"

#include "app/server_addresses.h"
#include "common/texts.h"
#include "recorder/record_file.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <system_error>

namespace tavrino::app {

namespace {

constexpr std::string_view kGeneralInfo = "GENERAL INFO";
constexpr std::string_view kFileTypeKey = "FILE TYPE:";
constexpr std::string_view kScopeVersionKey = "SCOPE VERSION:";
constexpr std::string_view kPanelIdKey = "PANEL ID:";
constexpr std::string_view kLanguageKey = "LANGUAGE";

constexpr std::string_view kPanelPosition = "PANEL POSITION";
constexpr std::string_view kFullscreenKey = "MAINPANEL FULLSCREEN";
constexpr std::string_view kLeftKey = "MAINPANEL LEFT";
constexpr std::string_view kTopKey = "MAINPANEL TOP";
constexpr std::string_view kWidthKey = "MAINPANEL WIDTH";
constexpr std::string_view kHeightKey = "MAINPANEL HEIGHT";

constexpr std::string_view kDirectories = "DIRECTORIES";

constexpr std::string_view kIpAddresses = "IP ADDRESSES";
constexpr std::string_view kListItemsKey = "LIST ITEMS";
constexpr std::string_view kIpAddrPrefix = "IP ADDR ";

constexpr std::string_view kCommunication = "COMMUNICATION SETTINGS";
constexpr std::string_view kProtocolKey = "COMPROTOCOL";
constexpr std::string_view kComPortKey = "COMPORT";
constexpr std::string_view kComDeviceKey = "COMDEVICE";
constexpr std::string_view kBaudRateKey = "BAUDRATE";
constexpr std::string_view kIpAdressKey = "IP ADRESS"; // one D, as the file has always had it
constexpr std::string_view kPortNumberKey = "PORT NUMBER";

// Read limit of the file type and the address entries.
constexpr std::size_t kLongTextLength = 1024;

// The seven paths: key, default file name, and whether a missing key falls
// back to the bare program directory (all but the record file).
struct PathKey {
    std::string_view key;
    std::string_view defaultName;
    std::string FilePaths::*member;
};
constexpr PathKey kPathKeys[] = {
    {"PARAMETER FILE", "Parameter.ini", &FilePaths::parameterFile},
    {"RECORDER FILE", recorder::kRecordFileName, &FilePaths::recorderFile},
    {"HARDWARE INI FILE", "HardwareInitialFile.ini", &FilePaths::hardwareIniFile},
    {"TABLE ATTRIBUTES FILE", "TableAttributes.ini", &FilePaths::tableAttributesFile},
    {"CALIBRATION SETVALUES FILE", "CalibrationSetvalues.ini", &FilePaths::calibrationSetvaluesFile},
    {"CALIBRATION ACTUAL VALUE FILE", "CalibrationActualValues.ini", &FilePaths::calibrationActualValueFile},
    {"CALIBRATION REFERENCE VALUE FILE", "CalibrationReferenceValues.ini",
     &FilePaths::calibrationReferenceValueFile},
};

// A text item of at most `maxLength` characters; nothing when missing.
std::optional<std::string> getText(IniDocument* ini, std::string_view section, std::string_view key,
                                   std::size_t maxLength) {
    std::string text;
    if (Ini_GetString(ini, section, key, text) != 1)
        return std::nullopt;
    if (text.size() > maxLength)
        text.resize(maxLength);
    return text;
}

std::optional<std::int32_t> getInt(IniDocument* ini, std::string_view section, std::string_view key) {
    std::int32_t value = 0;
    if (Ini_GetInt(ini, section, key, &value) != 1)
        return std::nullopt;
    return value;
}

std::int16_t toInt16(std::int32_t v) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(v, std::numeric_limits<std::int16_t>::min(),
                                                              std::numeric_limits<std::int16_t>::max()));
}

// The document of the settings file when it could be read whole and is of
// type "Panel Settings"; an empty handle otherwise, `outcome` says why.
IniHandle openSettings(const std::string& file, PanelSettingsLoad& outcome) {
    IniHandle ini = Ini_New(false);
    if (!ini) {
        outcome = PanelSettingsLoad::Unreadable;
        return {};
    }
    switch (Ini_LoadFile(ini.get(), file)) {
    case IniFileLoad::Read:
        break;
    case IniFileLoad::Missing:
        outcome = PanelSettingsLoad::Missing;
        return {};
    case IniFileLoad::Unreadable:
        outcome = PanelSettingsLoad::Unreadable;
        return {};
    }
    const auto type = getText(ini.get(), kGeneralInfo, kFileTypeKey, kLongTextLength);
    if (type.value_or(std::string()) != kPanelSettingsFileType) {
        outcome = PanelSettingsLoad::OtherType;
        return {};
    }
    outcome = PanelSettingsLoad::Loaded;
    return ini;
}

IniHandle openSettings(const std::string& file) {
    PanelSettingsLoad ignored{};
    return openSettings(file, ignored);
}

} // namespace

std::string joinPath(const std::string& directory, std::string_view name) {
    std::string path = directory;
    if (!path.empty() && path.back() != kPathSeparator)
        path += kPathSeparator;
    path += name;
    return path;
}

std::string directoryOf(const std::string& path) {
    // A remembered path may be a bare directory (the fallback of a missing
    // key): the dialog then starts in it rather than in its parent.
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return path;
#ifdef _WIN32
    const auto cut = path.find_last_of("\\/");
#else
    const auto cut = path.find_last_of(kPathSeparator);
#endif
    if (cut == std::string::npos)
        return path;
    return cut == 0 ? path.substr(0, 1) : path.substr(0, cut);
}

FilePaths defaultFilePaths(const std::string& programDirectory) {
    FilePaths paths;
    for (const auto& p : kPathKeys)
        paths.*p.member = joinPath(programDirectory, p.defaultName);
    return paths;
}

namespace {

// The defaults first, then what a valid file holds.
PanelSettingsLoad readPanelSettings(const std::string& file, const std::string& programDirectory,
                                    PanelSettings& settings, teach::RowColours& rows) {
    settings.paths = defaultFilePaths(programDirectory);
    for (int row = 0; row < teach::kRows; ++row)
        rows.setColour(row, teach::kDefaultRowColours[static_cast<std::size_t>(row)]);
    settings.panelId.clear();
    settings.language = 1;
    settings.windowRestore = WindowRestore::Keep;
    settings.window = WindowGeometry{};
    settings.serverAddresses.clear();

    PanelSettingsLoad outcome{};
    IniHandle ini = openSettings(file, outcome);
    if (!ini)
        return outcome;
    IniDocument* doc = ini.get();

    settings.panelId = getText(doc, kGeneralInfo, kPanelIdKey, kPanelIdMaxLength).value_or(std::string());
    settings.language = getInt(doc, kGeneralInfo, kLanguageKey).value_or(1);

    if (const auto zoom = getInt(doc, kPanelPosition, kFullscreenKey)) {
        settings.window.zoomState = *zoom;
        if (*zoom == WindowGeometry::kMaximised) {
            settings.windowRestore = WindowRestore::Maximise;
        } else {
            settings.windowRestore = WindowRestore::Place;
            const WindowGeometry defaults;
            settings.window.left = getInt(doc, kPanelPosition, kLeftKey).value_or(defaults.left);
            settings.window.top = getInt(doc, kPanelPosition, kTopKey).value_or(defaults.top);
            settings.window.width = getInt(doc, kPanelPosition, kWidthKey).value_or(defaults.width);
            settings.window.height = getInt(doc, kPanelPosition, kHeightKey).value_or(defaults.height);
        }
    }

    for (const auto& p : kPathKeys) {
        const std::string fallback = p.member == &FilePaths::recorderFile
                                         ? joinPath(programDirectory, p.defaultName)
                                         : programDirectory;
        settings.paths.*p.member = getText(doc, kDirectories, p.key, kPathMaxLength).value_or(fallback);
    }

    if (const auto count = getInt(doc, kIpAddresses, kListItemsKey)) {
        const int n =
            std::min<std::int32_t>(*count, static_cast<std::int32_t>(ServerAddressList::kMaxEntries));
        for (int k = 1; k <= n; ++k) {
            const std::string key = std::string(kIpAddrPrefix) + std::to_string(k);
            if (auto address = getText(doc, kIpAddresses, key, kLongTextLength))
                settings.serverAddresses.push_back(std::move(*address));
        }
    }

    teach::AcquireTableSetFromIniHandle(doc, rows, 0, nullptr, Language::English);
    return PanelSettingsLoad::Loaded;
}

} // namespace

bool LoadPanelSettings(const std::string& file, const std::string& programDirectory, PanelSettings& settings,
                       teach::RowColours& rows) {
    return readPanelSettings(file, programDirectory, settings, rows) == PanelSettingsLoad::Loaded;
}

PanelSettingsLoad LoadPanelSettings(const std::string& file, const std::string& programDirectory,
                                    PanelSettings& settings, teach::RowColours& rows, Operator& op,
                                    Language language) {
    const PanelSettingsLoad outcome = readPanelSettings(file, programDirectory, settings, rows);
    if (mustKeepPanelSettingsFile(outcome))
        tellFileNotRead(op, language, file);
    return outcome;
}

bool mustKeepPanelSettingsFile(PanelSettingsLoad outcome) {
    return outcome == PanelSettingsLoad::Unreadable || outcome == PanelSettingsLoad::OtherType;
}

std::string panelSettingsBackup(const std::string& file) {
    return file + ".bak";
}

int KeepPanelSettingsFile(const std::string& file) {
    std::error_code ec;
    // A directory, a FIFO or a device is never moved: the store refuses to
    // write over it anyway.
    if (!std::filesystem::is_regular_file(file, ec))
        return kIniOk;
    // A link is moved itself, so the file it names stays untouched.
    std::filesystem::rename(file, panelSettingsBackup(file), ec);
    return ec ? kIniNotWritable : kIniOk;
}

int StorePanelSettings(const std::string& file, const PanelSettings& settings,
                       const teach::RowColours& rows) {
    IniHandle ini = Ini_New(false);
    if (!ini)
        return kIniOutOfMemory;
    IniDocument* doc = ini.get();

    Ini_PutString(doc, kGeneralInfo, kFileTypeKey, kPanelSettingsFileType);
    Ini_PutString(doc, kGeneralInfo, kScopeVersionKey, kScopeVersion);
    Ini_PutString(doc, kGeneralInfo, kPanelIdKey, settings.panelId);
    Ini_PutInt(doc, kGeneralInfo, kLanguageKey, settings.language);

    Ini_PutInt(doc, kPanelPosition, kFullscreenKey, settings.window.zoomState);
    Ini_PutInt(doc, kPanelPosition, kLeftKey, settings.window.left);
    Ini_PutInt(doc, kPanelPosition, kTopKey, settings.window.top);
    Ini_PutInt(doc, kPanelPosition, kWidthKey, settings.window.width);
    Ini_PutInt(doc, kPanelPosition, kHeightKey, settings.window.height);

    for (const auto& p : kPathKeys)
        Ini_PutString(doc, kDirectories, p.key, settings.paths.*p.member);

    const std::size_t n = std::min(settings.serverAddresses.size(), ServerAddressList::kMaxEntries);
    Ini_PutInt(doc, kIpAddresses, kListItemsKey, static_cast<std::int32_t>(n));
    for (std::size_t k = 1; k <= n; ++k)
        Ini_PutString(doc, kIpAddresses, std::string(kIpAddrPrefix) + std::to_string(k),
                      settings.serverAddresses[k - 1]);

    const ConnectionSettings& c = settings.connection;
    Ini_PutInt(doc, kCommunication, kProtocolKey, link::protocolCode(c.protocol));
    Ini_PutInt(doc, kCommunication, kComPortKey, c.comPort);
    Ini_PutInt(doc, kCommunication, kBaudRateKey, c.baudIndex);
    Ini_PutString(doc, kCommunication, kIpAdressKey, c.serverAddress);
    Ini_PutString(doc, kCommunication, kPortNumberKey, c.portNumber);
    // The serial device behind the port number goes last, so the section's
    // usual keys keep their places for readers that expect them in order.
    if (!c.comDevice.empty())
        Ini_PutString(doc, kCommunication, kComDeviceKey, c.comDevice);

    teach::AppendTableSetToIniHandle(doc, rows);
    return Ini_WriteToFile(doc, file);
}

ConnectionSettings readConnectionSettings(const std::string& file) {
    ConnectionSettings c;
    IniHandle ini = openSettings(file);
    if (!ini)
        return c;
    IniDocument* doc = ini.get();
    if (const auto v = getInt(doc, kCommunication, kProtocolKey))
        c.protocol = link::protocolFromCode(*v);
    if (const auto v = getInt(doc, kCommunication, kComPortKey))
        c.comPort = toInt16(*v);
    if (auto v = getText(doc, kCommunication, kComDeviceKey, kPathMaxLength))
        c.comDevice = std::move(*v);
    if (const auto v = getInt(doc, kCommunication, kBaudRateKey))
        c.baudIndex = toInt16(*v);
    if (auto v = getText(doc, kCommunication, kIpAdressKey, kServerAddressMaxLength))
        c.serverAddress = std::move(*v);
    if (auto v = getText(doc, kCommunication, kPortNumberKey, kPortNumberMaxLength))
        c.portNumber = std::move(*v);
    return c;
}

} // namespace tavrino::app

#pragma once

// The panel settings file "PanelSettings.cfg": language, sensor
// identification, main window placement, the seven remembered file paths, the
// remembered server addresses, the connection settings and the row colours.
// Standard C++ on the INI store; the program's front ends apply the values.

#include "common/language.h"
#include "common/operator.h"
#include "link/connection_settings.h"
#include "teach/row_colours.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrino::app {

inline constexpr std::string_view kPanelSettingsFileName = "PanelSettings.cfg";
inline constexpr std::string_view kPanelSettingsFileType = "Panel Settings";
inline constexpr std::string_view kScopeVersion = "TAVRINO4 VXR QLM Scope V3.2";

using ConnectionSettings = link::ConnectionSettings;
inline constexpr std::size_t kServerAddressMaxLength = 255;
inline constexpr std::size_t kPortNumberMaxLength = 31;

// The seven remembered data file paths.
struct FilePaths {
    std::string parameterFile;
    std::string recorderFile;
    std::string hardwareIniFile;
    std::string tableAttributesFile;
    std::string calibrationSetvaluesFile;
    std::string calibrationActualValueFile;
    std::string calibrationReferenceValueFile;
    friend bool operator==(const FilePaths&, const FilePaths&) = default;
};

// Main window placement. zoomState 2 means maximised.
struct WindowGeometry {
    static constexpr int kMaximised = 2;
    int zoomState = 0;
    int left = 10;
    int top = 40;
    int width = 1014;
    int height = 690;
    friend bool operator==(const WindowGeometry&, const WindowGeometry&) = default;
};

// What loading asks of the main window.
enum class WindowRestore {
    Keep,     // no "MAINPANEL FULLSCREEN": stay where the window was created
    Maximise, // stored zoom state 2
    Place,    // move and size to the stored geometry
};

// Everything the file holds except the row colours, which live in their own
// model.
struct PanelSettings {
    std::string panelId;
    int language = 1; // 0 German, 1 English
    WindowRestore windowRestore = WindowRestore::Keep;
    WindowGeometry window;
    FilePaths paths;
    std::vector<std::string> serverAddresses;
    ConnectionSettings connection;
};
inline constexpr std::size_t kPanelIdMaxLength = 100;
inline constexpr std::size_t kPathMaxLength = 260;

// The platform separator between a directory and a name.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif
[[nodiscard]] std::string joinPath(const std::string& directory, std::string_view name);
// The directory part of a path (everything before the last separator), or the
// path itself when it has no separator.
[[nodiscard]] std::string directoryOf(const std::string& path);

// The program directory joined with each default file name.
[[nodiscard]] FilePaths defaultFilePaths(const std::string& programDirectory);

// Reads `file` into `settings` and `rows`. The defaults (full default paths,
// default row colours, empty panel ID, English) are set first and stay when
// the file is missing, unreadable or not of type "Panel Settings"; in a valid
// file a missing key keeps its default or takes its fallback. The connection
// settings are not read here (see readConnectionSettings). Returns true when a
// valid file was read.
bool LoadPanelSettings(const std::string& file, const std::string& programDirectory, PanelSettings& settings,
                       teach::RowColours& rows);

// How a load of the settings file went.
enum class PanelSettingsLoad {
    Loaded,     // a valid file was read
    Missing,    // no file (a first start): the defaults, quietly
    Unreadable, // a file is there but could not be read: the defaults, and the operator was told
    OtherType,  // not a settings file (another type, garbage, empty): the defaults, and the operator was told
};
// LoadPanelSettings as above; a file that is there but is not a settings
// file of ours, or cannot be read at all (no permission, a directory, a read
// error), is also reported to the operator ("File could not be read!" and the
// path), so that its contents are not silently lost behind the operator's
// back (see KeepPanelSettingsFile).
PanelSettingsLoad LoadPanelSettings(const std::string& file, const std::string& programDirectory,
                                    PanelSettings& settings, teach::RowColours& rows, Operator& op,
                                    Language language);

// Whether the file found at start-up must be kept before the settings are
// stored over it: it was there but not a settings file that could be read.
[[nodiscard]] bool mustKeepPanelSettingsFile(PanelSettingsLoad outcome);
// Where KeepPanelSettingsFile keeps it: the path with ".bak" added.
[[nodiscard]] std::string panelSettingsBackup(const std::string& file);
// Renames the file at `file` (a regular file, or a link to one) to its
// backup name, replacing an older backup. kIniOk also when there is nothing
// of that kind to keep; kIniNotWritable when it could not be kept, in which
// case it must not be written over.
int KeepPanelSettingsFile(const std::string& file);

// Writes the whole file from scratch, in the fixed key order; the file is
// replaced atomically, so a failed write leaves the previous file. Returns the
// INI store's status (negative on failure).
int StorePanelSettings(const std::string& file, const PanelSettings& settings, const teach::RowColours& rows);

// The connection settings of the file: defaults, then every key present in a
// valid file. "COMDEVICE" is read beside "COMPORT" for a device path.
[[nodiscard]] ConnectionSettings readConnectionSettings(const std::string& file);

} // namespace tavrino::app

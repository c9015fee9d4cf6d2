#pragma once

// The INI document: the in-memory form of every settings and data file the
// program reads and writes (sections of tagged items), its text format and the
// typed put and get operations on it.
//
// Typical use:
//     IniHandle ini = Ini_New(false);
//     Ini_PutInt(ini.get(), "GENERAL INFO", "Count", 3);
//     int status = Ini_WriteToFile(ini.get(), path);
//     Ini_Dispose(ini);
//
// Every Ini_ operation returns an integer status (negative = error, see the
// kIni... constants) and never throws.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tavrino {

// --- Status codes -----------------------------------------------------------

inline constexpr int kIniOk = 0;
inline constexpr int kIniOutOfMemory = -12;              // also when a disk write fails with ENOMEM
inline constexpr int kIniLineLengthTooLarge = -14;       // maximum value line length outside 0..1024
inline constexpr int kIniNullArgument = -65;             // no document handle, or no output argument
inline constexpr int kIniPathError = -91;                // the target's directory cannot be examined
inline constexpr int kIniWriteError = -93;               // any other file-system error while writing
inline constexpr int kIniNotWritable = -95;              // target not writable, or write refused
inline constexpr int kIniDiskFull = -97;                 // no space left on the device
inline constexpr int kIniCouldNotOpenFile = -5001;       // "Could Not Open File For Reading"
inline constexpr int kIniReadError = -5002;              // "Error Reading From File"
inline constexpr int kIniNoTempFileName = -5003;         // "Could Not Find Unused Temporary File Name"
inline constexpr int kIniCouldNotCreateTempFile = -5004; // "Could Not Create Temporary File"
inline constexpr int kIniInvalidInteger = -5021;         // "Invalid Integer Number"
inline constexpr int kIniInvalidDouble = -5023;          // "Invalid Floating Point Number"
inline constexpr int kIniMissingSection = -5025;         // "Missing Section"
inline constexpr int kIniMissingItem = -5026;            // "Missing Item"

// The operator text of a status, or an empty text for codes that have none.
[[nodiscard]] std::string_view Ini_ErrorText(int status) noexcept;

// --- Format limits ----------------------------------------------------------

// Characters of one written line, without CR LF. Reading keeps comments and
// section lines to it but takes a longer item line whole.
inline constexpr int kIniMaxLineLength = 1024;
inline constexpr int kIniMaxTagLength = 255;          // characters of a written tag
inline constexpr int kIniDefaultValueLineLength = 80; // value characters per line before splitting

// --- The document -----------------------------------------------------------

class IniDocument {
public:
    struct Item {
        std::string tag;     // surrounding white space removed
        std::string value;   // written (escaped) form, without enclosing quotes
        bool quoted = false; // written between double quotes
        int line = 0;        // file line it was read from; 0 when put
        std::string comment; // comment lines before it, joined with CR LF
    };

    struct Section {
        std::string name; // surrounding white space removed
        std::vector<Item> items;
        bool sorted = false; // items kept in case-insensitive order
        int line = 0;
        std::string comment;
    };

    explicit IniDocument(bool autoSort = false) : autoSort_(autoSort) {}

    [[nodiscard]] bool autoSort() const { return autoSort_; }
    [[nodiscard]] bool duplicateChecking() const { return duplicateChecking_; }
    void setDuplicateChecking(bool on) { duplicateChecking_ = on; }
    [[nodiscard]] bool addQuotes() const { return addQuotes_; }
    void setAddQuotes(bool on) { addQuotes_ = on; }
    [[nodiscard]] int maxValueLineLength() const { return maxValueLineLength_; }
    // 0 means unlimited; anything outside 0..1024 gives kIniLineLengthTooLarge.
    int setMaxValueLineLength(int length);
    [[nodiscard]] int lineOfLastAccess() const { return lineOfLastAccess_; }

    [[nodiscard]] const std::vector<Section>& sections() const { return sections_; }
    [[nodiscard]] const std::string& topComment() const { return topComment_; }
    [[nodiscard]] const std::string& trailingComment() const { return trailingComment_; }

    // Stores an already formatted value (escaped form) under section/tag,
    // creating the section when needed and honouring duplicate checking.
    void putRaw(std::string_view section, std::string_view tag, std::string value, bool quoted);

    // Lookups record the found item's line as the line of last access and
    // remember the section for the next lookup. Names compare case-insensitively
    // without surrounding white space; of two equal names the first wins.
    [[nodiscard]] const Section* findSection(std::string_view name);
    [[nodiscard]] const Item* findItem(std::string_view section, std::string_view tag);

    // Text format. Reading adds to what the document holds.
    void readText(std::string_view text);
    [[nodiscard]] std::string writeText() const;

private:
    friend class IniReader;
    friend class IniWriter;

    [[nodiscard]] std::size_t sectionIndex(std::string_view name);
    void sortAll();

    std::vector<Section> sections_;
    std::string topComment_;
    std::string trailingComment_;
    bool autoSort_ = false;
    bool duplicateChecking_ = true;
    bool addQuotes_ = true;
    int maxValueLineLength_ = kIniDefaultValueLineLength;
    int lineOfLastAccess_ = 0;
    std::size_t cachedSection_ = static_cast<std::size_t>(-1);
};

// Owns a document; Ini_Dispose (or leaving scope) frees it.
using IniHandle = std::unique_ptr<IniDocument>;

// --- Operations ---------------------------------------------------------------

// A new empty document, or an empty handle when out of memory.
[[nodiscard]] IniHandle Ini_New(bool autoSort) noexcept;
void Ini_Dispose(IniHandle& handle) noexcept;

int Ini_SetDuplicateChecking(IniDocument* ini, bool on) noexcept;
int Ini_SetAddQuotesToStrings(IniDocument* ini, bool on) noexcept;
int Ini_SetMaxValueLineLength(IniDocument* ini, int length) noexcept;
// The file line of the item last found by a get (0 before any, or for put items).
[[nodiscard]] int Ini_LineOfLastAccess(const IniDocument* ini) noexcept;

int Ini_PutInt(IniDocument* ini, std::string_view section, std::string_view tag, std::int32_t value) noexcept;
int Ini_PutDouble(IniDocument* ini, std::string_view section, std::string_view tag, double value) noexcept;
int Ini_PutString(IniDocument* ini, std::string_view section, std::string_view tag,
                  std::string_view text) noexcept;
// A null text counts as empty.
int Ini_PutString(IniDocument* ini, std::string_view section, std::string_view tag,
                  const char* text) noexcept;

// 1 found, 0 not found. The buffer is emptied first and receives at most
// bufferSize - 1 characters of the unescaped value plus a terminating NUL.
int Ini_GetStringIntoBuffer(IniDocument* ini, std::string_view section, std::string_view tag, char* buffer,
                            std::size_t bufferSize) noexcept;
// 1 found (text = the unescaped value), 0 not found (text emptied).
int Ini_GetString(IniDocument* ini, std::string_view section, std::string_view tag,
                  std::string& text) noexcept;
// 1 found, 0 not found or empty (value untouched), kIniInvalidInteger.
int Ini_GetInt(IniDocument* ini, std::string_view section, std::string_view tag,
               std::int32_t* value) noexcept;
// 1 found, 0 not found or empty (value untouched), kIniInvalidDouble.
int Ini_GetDouble(IniDocument* ini, std::string_view section, std::string_view tag, double* value) noexcept;

// Replaces the file at path atomically through the program's file writer
// (ini/file_writer.h); on failure the file stays as it was.
int Ini_WriteToFile(IniDocument* ini, const std::string& path) noexcept;
// Adds the file's sections to the document. A read that fails part-way keeps
// the complete lines read so far. Only regular files are read: a directory, a
// FIFO or a device gives kIniCouldNotOpenFile (without waiting for a writer).
int Ini_ReadFromFile(IniDocument* ini, const std::string& path) noexcept;

// How loading a settings or data file went, in the three cases its loaders
// treat differently: a file that is not there yet keeps the program's
// defaults or its dialog rules, while a file that is there but cannot be read
// must never pass for a file of defaults.
enum class IniFileLoad {
    Read,       // the whole file is in the document
    Missing,    // nothing at the path (also a link to nothing, or an empty path)
    Unreadable, // something is at the path, but it could not be opened or read
};
// Ini_ReadFromFile, classified. After Unreadable the document may hold part of
// the file and must not be used.
[[nodiscard]] IniFileLoad Ini_LoadFile(IniDocument* ini, const std::string& path) noexcept;
// The same text format in memory.
int Ini_WriteToBuffer(IniDocument* ini, std::string& text) noexcept;
int Ini_ReadFromBuffer(IniDocument* ini, std::string_view text) noexcept;

// Enumeration, in document order. The Nth functions return 1 when the index
// exists (name filled), 0 otherwise (name emptied).
[[nodiscard]] int Ini_NumberOfSections(const IniDocument* ini) noexcept;
int Ini_NthSectionName(const IniDocument* ini, int index, std::string& name) noexcept;
[[nodiscard]] bool Ini_SectionExists(IniDocument* ini, std::string_view section) noexcept;
[[nodiscard]] bool Ini_ItemExists(IniDocument* ini, std::string_view section, std::string_view tag) noexcept;
// Items of the first section of that name; 0 when there is none.
[[nodiscard]] int Ini_NumberOfItems(IniDocument* ini, std::string_view section) noexcept;
int Ini_NthItemName(IniDocument* ini, std::string_view section, int index, std::string& tag) noexcept;
// All tags of the first section of that name, in order.
int Ini_ItemTags(IniDocument* ini, std::string_view section, std::vector<std::string>& tags) noexcept;

} // namespace tavrino

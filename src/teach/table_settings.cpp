#include "teach/table_settings.h"

#include "common/texts.h"
#include "ini/ini.h"
#include "teach/texts.h"

#include <algorithm>
#include <cstring>

namespace tavrino::teach {

namespace {

constexpr std::string_view kGeneralInfoSection = "GENERAL INFO";
constexpr std::string_view kFileTypeKey = "FILE TYPE:";
constexpr std::string_view kScopeVersionKey = "SCOPE VERSION:";
constexpr std::string_view kScopeVersion = "TAVRINO4 VXR QLM Scope V3.2";

// The text of a zero-padded field: up to the first zero byte or its end.
std::string_view fieldText(const std::uint8_t* field, std::size_t size) {
    const auto* begin = reinterpret_cast<const char*>(field);
    const auto* zero = static_cast<const char*>(std::memchr(begin, 0, size));
    return {begin, zero != nullptr ? static_cast<std::size_t>(zero - begin) : size};
}

void copyField(std::uint8_t* field, std::size_t size, std::string_view text) {
    const std::string cut = cutAtCharacter(text, size);
    std::memcpy(field, cut.data(), cut.size());
}

std::int32_t leadingDigits(std::string_view text) {
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0'); // at most 8 digits: no overflow
    }
    return clampColour(value);
}

FileChoice askForFile(Operator& op, std::string& path, FileRequest::Mode mode) {
    FileRequest request;
    request.mode = mode;
    const auto separator = path.find_last_of("/\\");
    request.startDirectory = separator == std::string::npos ? std::string() : path.substr(0, separator);
    request.defaultName = kTableAttributesDefaultName;
    request.filter = kTableAttributesFilter;
    request.title = kTableAttributesTitle;
    FileChoice choice = op.selectFile(request);
    if (choice.chosen())
        path = choice.path;
    return choice;
}

void tell(Operator& op, Language language, const Text& text) {
    op.message(kInfoTitle.in(language), text.in(language));
}

bool acceptFile(IniDocument* ini, Operator& op, Language language) {
    std::string value;
    Ini_GetString(ini, kGeneralInfoSection, kFileTypeKey, value);
    if (value != kTableAttributesFileType &&
        !op.confirm(kInfoTitle.in(language), texts::kNotATableFile.in(language)))
        return false;
    Ini_GetString(ini, kGeneralInfoSection, kScopeVersionKey, value);
    return value == kScopeVersion ||
           op.confirm(kInfoTitle.in(language), texts::kVersionMismatch.in(language));
}

} // namespace

TableSettingsBlock encodeTableSettingsBlock(const RowColours& rows) {
    TableSettingsBlock block{};
    for (int row = 0; row < kRows; ++row) {
        std::uint8_t* record = block.data() + kTableSettingsRecordSize * static_cast<std::size_t>(row);
        copyField(record, kColourFieldSize, std::to_string(rows.colour(row)));
        copyField(record + kColourFieldSize, kSpecificationFieldSize, rows.specification(row));
    }
    return block;
}

std::array<TableSettingsRow, kRows> decodeTableSettingsBlock(const std::uint8_t* bytes, std::size_t size) {
    TableSettingsBlock block{};
    std::memcpy(block.data(), bytes, std::min(size, block.size()));
    std::array<TableSettingsRow, kRows> rows;
    for (int row = 0; row < kRows; ++row) {
        const std::uint8_t* record = block.data() + kTableSettingsRecordSize * static_cast<std::size_t>(row);
        TableSettingsRow& out = rows[static_cast<std::size_t>(row)];
        out.colour = leadingDigits(fieldText(record, kColourFieldSize));
        out.specification = cutAtCharacter(fieldText(record + kColourFieldSize, kSpecificationFieldSize),
                                           kSpecificationFieldSize);
    }
    return rows;
}

TableFileResult SaveTableSettingsToFile(Operator& op, Language language, const RowColours& rows,
                                        std::string& path) {
    const FileChoice choice = askForFile(op, path, FileRequest::Mode::Save);
    if (!choice.chosen()) {
        tell(op, language, texts::kNoFileSelected);
        return TableFileResult::Cancelled;
    }
    IniHandle ini = Ini_New(false);
    Ini_PutString(ini.get(), kGeneralInfoSection, kFileTypeKey, kTableAttributesFileType);
    Ini_PutString(ini.get(), kGeneralInfoSection, kScopeVersionKey, kScopeVersion);
    AppendTableSetToIniHandle(ini.get(), rows);
    const int status = Ini_WriteToFile(ini.get(), choice.path);
    Ini_Dispose(ini);
    if (status < 0) {
        std::string text(texts::kFileNotSaved.in(language));
        text += '\n';
        text += choice.path;
        op.message(kInfoTitle.in(language), text);
        return TableFileResult::NotSaved;
    }
    return TableFileResult::Saved;
}

TableFileResult GetTableSettingsFromFile(Operator& op, Language language, RowColours& rows,
                                         std::string& path) {
    const FileChoice choice = askForFile(op, path, FileRequest::Mode::Open);
    if (choice.kind != FileChoice::Kind::Existing) {
        tell(op, language, texts::kNoFileSelected);
        return TableFileResult::Cancelled;
    }
    IniHandle ini = Ini_New(false);
    switch (Ini_LoadFile(ini.get(), choice.path)) {
    case IniFileLoad::Read:
        break;
    case IniFileLoad::Missing:
        tell(op, language, texts::kNoFileSelected);
        return TableFileResult::Cancelled;
    case IniFileLoad::Unreadable:
        // A file that cannot be read must not load as one without keys, which
        // would put the default colours over the operator's.
        tellFileNotRead(op, language, choice.path);
        return TableFileResult::Unreadable;
    }
    TableFileResult result = TableFileResult::Declined;
    if (acceptFile(ini.get(), op, language)) {
        AcquireTableSetFromIniHandle(ini.get(), rows, 1, &op, language);
        result = TableFileResult::Read;
    } else {
        tell(op, language, texts::kNoParameterRead);
    }
    Ini_Dispose(ini);
    return result;
}

} // namespace tavrino::teach

#include "ini/ini.h"
#include "ini/ini_internal.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace tavrino {

namespace {

// Runs an operation so that no exception leaves the API. The standard library
// throws nothing here but allocation failures.
template <typename Operation> int guarded(Operation&& operation) noexcept {
    try {
        return operation();
    } catch (...) {
        return kIniOutOfMemory;
    }
}

int put(IniDocument* ini, std::string_view section, std::string_view tag, auto&& format,
        bool quoted) noexcept {
    if (ini == nullptr) {
        return kIniNullArgument;
    }
    return guarded([&] {
        ini->putRaw(section, tag, format(), quoted);
        return kIniOk;
    });
}

const IniDocument::Section* sectionOf(IniDocument* ini, std::string_view section) {
    return ini == nullptr ? nullptr : ini->findSection(section);
}

} // namespace

std::string_view Ini_ErrorText(int status) noexcept {
    switch (status) {
    case kIniCouldNotOpenFile:
        return "Could Not Open File For Reading";
    case kIniReadError:
        return "Error Reading From File";
    case kIniNoTempFileName:
        return "Could Not Find Unused Temporary File Name";
    case kIniCouldNotCreateTempFile:
        return "Could Not Create Temporary File";
    case kIniInvalidInteger:
        return "Invalid Integer Number";
    case kIniInvalidDouble:
        return "Invalid Floating Point Number";
    case kIniMissingSection:
        return "Missing Section";
    case kIniMissingItem:
        return "Missing Item";
    default:
        return {};
    }
}

IniHandle Ini_New(bool autoSort) noexcept {
    try {
        return std::make_unique<IniDocument>(autoSort);
    } catch (...) {
        return {};
    }
}

void Ini_Dispose(IniHandle& handle) noexcept {
    handle.reset();
}

int Ini_SetDuplicateChecking(IniDocument* ini, bool on) noexcept {
    if (ini == nullptr) {
        return kIniNullArgument;
    }
    ini->setDuplicateChecking(on);
    return kIniOk;
}

int Ini_SetAddQuotesToStrings(IniDocument* ini, bool on) noexcept {
    if (ini == nullptr) {
        return kIniNullArgument;
    }
    ini->setAddQuotes(on);
    return kIniOk;
}

int Ini_SetMaxValueLineLength(IniDocument* ini, int length) noexcept {
    if (ini == nullptr) {
        return kIniNullArgument;
    }
    return ini->setMaxValueLineLength(length);
}

int Ini_LineOfLastAccess(const IniDocument* ini) noexcept {
    return ini == nullptr ? 0 : ini->lineOfLastAccess();
}

int Ini_PutInt(IniDocument* ini, std::string_view section, std::string_view tag,
               std::int32_t value) noexcept {
    return put(
        ini, section, tag, [value] { return iniFormatInt(value); }, false);
}

int Ini_PutDouble(IniDocument* ini, std::string_view section, std::string_view tag, double value) noexcept {
    return put(
        ini, section, tag, [value] { return iniFormatDouble(value); }, false);
}

int Ini_PutString(IniDocument* ini, std::string_view section, std::string_view tag,
                  std::string_view text) noexcept {
    const bool quoted = ini != nullptr && ini->addQuotes();
    return put(
        ini, section, tag, [text] { return iniEscape(text); }, quoted);
}

int Ini_PutString(IniDocument* ini, std::string_view section, std::string_view tag,
                  const char* text) noexcept {
    return Ini_PutString(ini, section, tag, text == nullptr ? std::string_view() : std::string_view(text));
}

int Ini_GetStringIntoBuffer(IniDocument* ini, std::string_view section, std::string_view tag, char* buffer,
                            std::size_t bufferSize) noexcept {
    if (ini == nullptr || buffer == nullptr || bufferSize == 0) {
        return kIniNullArgument;
    }
    // look up before emptying the buffer: the names may be views of it
    const IniDocument::Item* item = ini->findItem(section, tag);
    buffer[0] = '\0';
    return guarded([&] {
        if (item == nullptr) {
            return 0;
        }
        const std::string text = iniUnescape(item->value);
        const std::size_t count = std::min(text.size(), bufferSize - 1);
        std::memcpy(buffer, text.data(), count);
        buffer[count] = '\0';
        return 1;
    });
}

int Ini_GetString(IniDocument* ini, std::string_view section, std::string_view tag,
                  std::string& text) noexcept {
    if (ini == nullptr) {
        return kIniNullArgument;
    }
    return guarded([&] {
        // look up before touching text: the names may be views of it
        const IniDocument::Item* item = ini->findItem(section, tag);
        if (item == nullptr) {
            text.clear();
            return 0;
        }
        text = iniUnescape(item->value);
        return 1;
    });
}

int Ini_GetInt(IniDocument* ini, std::string_view section, std::string_view tag,
               std::int32_t* value) noexcept {
    if (ini == nullptr || value == nullptr) {
        return kIniNullArgument;
    }
    const IniDocument::Item* item = ini->findItem(section, tag);
    if (item == nullptr) {
        return 0;
    }
    switch (iniParseInt(item->value, *value)) {
    case IniParse::Ok:
        return 1;
    case IniParse::Empty:
        return 0;
    default:
        return kIniInvalidInteger;
    }
}

int Ini_GetDouble(IniDocument* ini, std::string_view section, std::string_view tag, double* value) noexcept {
    if (ini == nullptr || value == nullptr) {
        return kIniNullArgument;
    }
    const IniDocument::Item* item = ini->findItem(section, tag);
    if (item == nullptr) {
        return 0;
    }
    switch (iniParseDouble(item->value, *value)) {
    case IniParse::Ok:
        return 1;
    case IniParse::Empty:
        return 0;
    default:
        return kIniInvalidDouble;
    }
}

int Ini_WriteToFile(IniDocument* ini, const std::string& path) noexcept {
    if (ini == nullptr) {
        return kIniNullArgument;
    }
    return guarded([&] { return iniWriteFile(*ini, path); });
}

int Ini_ReadFromFile(IniDocument* ini, const std::string& path) noexcept {
    if (ini == nullptr) {
        return kIniNullArgument;
    }
    return guarded([&] { return iniReadFile(*ini, path); });
}

IniFileLoad Ini_LoadFile(IniDocument* ini, const std::string& path) noexcept {
    if (Ini_ReadFromFile(ini, path) == kIniOk) {
        return IniFileLoad::Read;
    }
    return iniPathExists(path) ? IniFileLoad::Unreadable : IniFileLoad::Missing;
}

int Ini_WriteToBuffer(IniDocument* ini, std::string& text) noexcept {
    if (ini == nullptr) {
        return kIniNullArgument;
    }
    return guarded([&] {
        text = ini->writeText();
        return kIniOk;
    });
}

int Ini_ReadFromBuffer(IniDocument* ini, std::string_view text) noexcept {
    if (ini == nullptr) {
        return kIniNullArgument;
    }
    return guarded([&] {
        ini->readText(text);
        return kIniOk;
    });
}

int Ini_NumberOfSections(const IniDocument* ini) noexcept {
    return ini == nullptr ? 0 : static_cast<int>(ini->sections().size());
}

int Ini_NthSectionName(const IniDocument* ini, int index, std::string& name) noexcept {
    if (ini == nullptr) {
        return kIniNullArgument;
    }
    return guarded([&] {
        name.clear();
        if (index < 0 || static_cast<std::size_t>(index) >= ini->sections().size()) {
            return 0;
        }
        name = ini->sections()[static_cast<std::size_t>(index)].name;
        return 1;
    });
}

bool Ini_SectionExists(IniDocument* ini, std::string_view section) noexcept {
    return sectionOf(ini, section) != nullptr;
}

bool Ini_ItemExists(IniDocument* ini, std::string_view section, std::string_view tag) noexcept {
    return ini != nullptr && ini->findItem(section, tag) != nullptr;
}

int Ini_NumberOfItems(IniDocument* ini, std::string_view section) noexcept {
    const auto* s = sectionOf(ini, section);
    return s == nullptr ? 0 : static_cast<int>(s->items.size());
}

int Ini_NthItemName(IniDocument* ini, std::string_view section, int index, std::string& tag) noexcept {
    if (ini == nullptr) {
        return kIniNullArgument;
    }
    return guarded([&] {
        const auto* s = ini->findSection(section);
        if (s == nullptr || index < 0 || static_cast<std::size_t>(index) >= s->items.size()) {
            tag.clear();
            return 0;
        }
        tag = s->items[static_cast<std::size_t>(index)].tag;
        return 1;
    });
}

int Ini_ItemTags(IniDocument* ini, std::string_view section, std::vector<std::string>& tags) noexcept {
    if (ini == nullptr) {
        return kIniNullArgument;
    }
    return guarded([&] {
        const auto* s = ini->findSection(section);
        std::vector<std::string> found;
        if (s != nullptr) {
            found.reserve(s->items.size());
            for (const auto& item : s->items) {
                found.push_back(item.tag);
            }
        }
        tags = std::move(found);
        return s == nullptr ? 0 : 1;
    });
}

} // namespace tavrino

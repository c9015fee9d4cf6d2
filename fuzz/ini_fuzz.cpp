// Reads arbitrary bytes as an INI document, queries every item, writes the
// document and reads the text back. The first byte picks the document
// settings; the rest is the file.

#include "ini/ini.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace tavrino;

namespace {

void fail(const char* what, int line) {
    std::fprintf(stderr, "ini_fuzz:%d: check failed: %s\n", line, what);
    std::abort();
}

#define check(condition) ((condition) ? void() : fail(#condition, __LINE__))

IniHandle newDocument(std::uint8_t settings) {
    static constexpr int kLimits[] = {80, 0, 1, 1024};
    IniHandle ini = Ini_New((settings & 1U) != 0);
    check(ini != nullptr);
    Ini_SetDuplicateChecking(ini.get(), (settings & 2U) == 0);
    Ini_SetAddQuotesToStrings(ini.get(), (settings & 4U) == 0);
    check(Ini_SetMaxValueLineLength(ini.get(), kLimits[(settings >> 3U) & 3U]) == kIniOk);
    return ini;
}

std::vector<std::string> sectionNames(const IniDocument* ini) {
    std::vector<std::string> names(static_cast<std::size_t>(Ini_NumberOfSections(ini)));
    for (std::size_t i = 0; i < names.size(); ++i) {
        check(Ini_NthSectionName(ini, static_cast<int>(i), names[i]) == 1);
    }
    return names;
}

void queryEverything(IniDocument* ini) {
    char buffer[64];
    std::string text;
    std::vector<std::string> tags;
    for (const auto& section : sectionNames(ini)) {
        Ini_ItemTags(ini, section, tags);
        for (const auto& tag : tags) {
            std::int32_t i = 0;
            double d = 0;
            check(Ini_GetString(ini, section, tag, text) == 1);
            check(Ini_GetStringIntoBuffer(ini, section, tag, buffer, sizeof buffer) == 1);
            check(Ini_GetInt(ini, section, tag, &i) >= kIniInvalidInteger);
            check(Ini_GetDouble(ini, section, tag, &d) >= kIniInvalidDouble);
        }
    }
}

// Whether any tag of any section (also a second section of a name) matches.
template <typename Predicate> bool anyTag(const IniDocument* ini, Predicate&& matches) {
    for (const auto& section : ini->sections()) {
        for (const auto& item : section.items) {
            if (matches(item.tag)) {
                return true;
            }
        }
    }
    return false;
}

// Tags that look like pieces of a long value ("<tag> Line0002") may join a
// neighbour or lose another suffix on the next read: such documents are not
// expected to write the same text twice.
bool hasNumberedTags(const IniDocument* ini) {
    return anyTag(ini, [](const std::string& tag) { return tag.find(" Line") != std::string::npos; });
}

// Tags are cut to their maximum length on writing; what the cut leaves may
// end in blanks that the next read trims, so such documents change once.
bool hasOverlongTags(const IniDocument* ini) {
    return anyTag(
        ini, [](const std::string& tag) { return tag.size() > static_cast<std::size_t>(kIniMaxTagLength); });
}

void checkLines(std::string_view text) {
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string_view::npos; start = end + 2) {
        check(end - start <= static_cast<std::size_t>(kIniMaxLineLength));
    }
    check(start == text.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint8_t settings = data[0];
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);

    IniHandle first = newDocument(settings);
    check(Ini_ReadFromBuffer(first.get(), input) == kIniOk);
    queryEverything(first.get());

    std::string written;
    check(Ini_WriteToBuffer(first.get(), written) == kIniOk);
    checkLines(written);

    // What was written reads back into the same sections, and writing that
    // again gives the same text.
    IniHandle second = newDocument(settings);
    check(Ini_ReadFromBuffer(second.get(), written) == kIniOk);
    check(sectionNames(second.get()) == sectionNames(first.get()));
    std::string again;
    check(Ini_WriteToBuffer(second.get(), again) == kIniOk);
    check(again == written || hasNumberedTags(first.get()) || hasOverlongTags(first.get()));

    // Any bytes put as a string come back unchanged, also through the text.
    IniHandle third = newDocument(settings & ~4U);
    Ini_PutString(third.get(), "Fuzz", "Value", input);
    std::string value;
    check(Ini_GetString(third.get(), "Fuzz", "Value", value) == 1 && value == input);
    check(Ini_WriteToBuffer(third.get(), written) == kIniOk);
    IniHandle fourth = newDocument(settings);
    check(Ini_ReadFromBuffer(fourth.get(), written) == kIniOk);
    check(Ini_GetString(fourth.get(), "Fuzz", "Value", value) == 1 && value == input);

    Ini_Dispose(first);
    return 0;
}

#pragma once

#include "ini/ini.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace tavrino::test {

inline IniHandle iniFromText(std::string_view text, bool autoSort = false) {
    IniHandle ini = Ini_New(autoSort);
    EXPECT_EQ(Ini_ReadFromBuffer(ini.get(), text), kIniOk);
    return ini;
}

inline std::string iniText(IniDocument* ini) {
    std::string text;
    EXPECT_EQ(Ini_WriteToBuffer(ini, text), kIniOk);
    return text;
}

inline std::vector<std::string> iniLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string_view::npos; start = end + 2) {
        lines.emplace_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "text does not end in CR LF";
    return lines;
}

inline std::string iniString(IniDocument* ini, std::string_view section, std::string_view tag) {
    std::string value;
    EXPECT_EQ(Ini_GetString(ini, section, tag, value), 1) << section << " / " << tag;
    return value;
}

} // namespace tavrino::test

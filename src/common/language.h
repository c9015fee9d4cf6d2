#pragma once

#include <string>
#include <string_view>

namespace tavrino {

// The operator's language. The index values are the ones stored in the panel
// settings file, so they must not change.
enum class Language : int { German = 0, English = 1 };

// A text the program shows, in both languages. The member in use is picked
// at the moment the text is shown, so a language switch affects every later
// message at once.
struct Text {
    std::string_view de;
    std::string_view en;

    [[nodiscard]] constexpr std::string_view in(Language language) const {
        return language == Language::German ? de : en;
    }
    [[nodiscard]] std::string str(Language language) const { return std::string(in(language)); }
};

// Title of every message box and help popup unless a message names another.
inline constexpr Text kInfoTitle{"Info!", "Message!"};

// Converts a stored language index; anything unknown means English.
[[nodiscard]] constexpr Language languageFromIndex(int index) {
    return index == 0 ? Language::German : Language::English;
}
[[nodiscard]] constexpr int languageIndex(Language language) {
    return language == Language::German ? 0 : 1;
}

} // namespace tavrino

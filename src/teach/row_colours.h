#pragma once

#include "common/observers.h"

// Row colours and row specifications of the teach table: an indicator colour
// and a free text per teach row, kept in the table settings page's table (the
// master copy) and in the teach table's colour column. Their three INI
// sections go into the table attributes file and the panel settings file.

#include "common/language.h"
#include "common/operator.h"
#include "ini/ini.h"
#include "teach/teach_table.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrino::teach {

// Red in bits 16..23, green in 8..15, blue in 0..7.
[[nodiscard]] constexpr std::int32_t rgbToInt(Rgb c) {
    return static_cast<std::int32_t>(((c.red & 0xFF) << 16) | ((c.green & 0xFF) << 8) | (c.blue & 0xFF));
}
[[nodiscard]] constexpr Rgb intToRgb(std::int32_t v) {
    return Rgb{(v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF};
}

// The largest colour: white.
inline constexpr std::int32_t kWhiteColour = 0xFFFFFF;
// A colour value from outside (a file, the sensor) brought into 0..kWhiteColour.
[[nodiscard]] std::int32_t clampColour(std::int64_t value);

// At most `maxBytes` of `text` (UTF-8), without a character cut in two; an
// incomplete character at the end of `text` itself is dropped as well.
[[nodiscard]] std::string cutAtCharacter(std::string_view text, std::size_t maxBytes);

// Red, yellow-green, blue.
inline constexpr std::array<std::int32_t, kRows> kDefaultRowColours{16711680, 8453888, 255};

// "TABLE ATTR OF TEACH VECTOR " followed by the row number.
inline constexpr std::string_view kRowSectionPrefix = "TABLE ATTR OF TEACH VECTOR ";
inline constexpr std::string_view kRowColourKey = "Row color";
inline constexpr std::string_view kRowSpecificationKey = "Row specification";
// Bytes of a row specification taken from an INI document.
inline constexpr std::size_t kRowSpecificationMaxLength = 99;

[[nodiscard]] std::string rowSection(int row);

// The three row colours and row specifications. Rows outside 0..2 are ignored.
class RowColours {
public:
    struct Change {
        enum class Kind { Colour, Specification };
        Kind kind = Kind::Colour;
        int row = 0;
    };
    using Observer = Observers<const Change&>::Observer;

    [[nodiscard]] std::int32_t colour(int row) const;
    [[nodiscard]] Rgb rgb(int row) const { return intToRgb(colour(row)); }
    // A colour outside 0..kWhiteColour is clamped into that range.
    void setColour(int row, std::int32_t colour);
    [[nodiscard]] const std::string& specification(int row) const;
    void setSpecification(int row, std::string text);

    // Every row back to its default colour and an empty specification.
    void reset();

    int subscribe(Observer observer) { return observers_.subscribe(std::move(observer)); }
    void unsubscribe(int id) { observers_.unsubscribe(id); }

private:
    void notify(const Change& change) const;

    std::array<std::int32_t, kRows> colours_ = kDefaultRowColours;
    std::array<std::string, kRows> specifications_{};
    Observers<const Change&> observers_;
};

// Paints row colour `row` into the row-colour model and into the teach
// table's colour cell.
void paintRowColour(RowColours& rows, TeachTable& table, int row, std::int32_t colour);
// Paints all three rows with the colours the model holds.
void paintRowColours(const RowColours& rows, TeachTable& table);

// Puts the three row sections ("Row color" as an integer, "Row specification"
// as a string) into an open document.
void AppendTableSetToIniHandle(IniDocument* ini, const RowColours& rows);

// Reads the three row sections. A missing or unreadable "Row color" gives the
// row its default and lists the section; a missing specification is empty.
// With `report` 1 the list is shown when any colour was missing; with 0 the
// read is silent. Returns the number of rows whose colour was missing. The
// teach table's colour cells are not painted here: that is the caller's.
int AcquireTableSetFromIniHandle(IniDocument* ini, RowColours& rows, int report, Operator* op,
                                 Language language);

} // namespace tavrino::teach

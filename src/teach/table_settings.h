#pragma once

// The row colours and row specifications outside the program: the 72-byte
// block the sensor keeps in its EEPROM and the table attributes file.
//
// Texts are the operator's text as UTF-8 bytes, in the block and in every
// file alike. Where a field or a read limit cuts a text, it is cut at a
// character boundary, so a stored text never ends in half a character.

#include "common/language.h"
#include "common/operator.h"
#include "teach/row_colours.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavrino::teach {

inline constexpr std::size_t kTableSettingsRecordSize = 24;
inline constexpr std::size_t kTableSettingsBlockSize = kRows * kTableSettingsRecordSize; // 72
inline constexpr std::size_t kColourFieldSize = 8;
inline constexpr std::size_t kSpecificationFieldSize = 16;

using TableSettingsBlock = std::array<std::uint8_t, kTableSettingsBlockSize>;

// Record n at 24n: the colour as decimal text in 8 bytes, the row specification
// in the following 16, each zero-padded and without a terminator when full.
[[nodiscard]] TableSettingsBlock encodeTableSettingsBlock(const RowColours& rows);

struct TableSettingsRow {
    std::int32_t colour = 0;
    std::string specification;
};
// The rows of a block as the sensor returns it; a shorter reply counts as
// zero bytes. A colour field reads its leading digits (0 when there are none).
[[nodiscard]] std::array<TableSettingsRow, kRows> decodeTableSettingsBlock(const std::uint8_t* bytes,
                                                                           std::size_t size);

// ---- the table attributes file ----

inline constexpr std::string_view kTableAttributesFileType = "Table Attributes";
inline constexpr std::string_view kTableAttributesDefaultName = "TableAttributes.ini";
inline constexpr std::string_view kTableAttributesFilter = "*.ini";
inline constexpr std::string_view kTableAttributesTitle = "TableAttributes";

enum class TableFileResult { Saved, Read, Cancelled, Declined, NotSaved, Unreadable };

// The save dialog (start directory of `path`, which becomes the chosen file),
// then the file: the general information and the three row sections.
TableFileResult SaveTableSettingsToFile(Operator& op, Language language, const RowColours& rows,
                                        std::string& path);
// The open dialog, the type and version questions, then the three row
// sections into `rows` with the report of missing colours. The teach table's
// colour cells are the caller's to paint.
TableFileResult GetTableSettingsFromFile(Operator& op, Language language, RowColours& rows,
                                         std::string& path);

} // namespace tavrino::teach

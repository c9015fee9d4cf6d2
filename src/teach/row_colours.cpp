#include "teach/row_colours.h"

#include <algorithm>

namespace tavrino::teach {

namespace {

constexpr Text kMissingRowColours{
    "Folgende Teach-Vektoren konnten nicht eingelesen werden \nund wurden auf Voreinstellung gesetzt:\n\n",
    "Following teach vectors could not be read \nand were set to default value:\n\n"};

bool validRow(int row) {
    return row >= 0 && row < kRows;
}

const std::string kEmpty;

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Bytes of the sequence a lead byte starts; 1 for ASCII and for bytes that
// start no sequence.
std::size_t sequenceLength(unsigned char lead) {
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 1;
}

} // namespace

std::string cutAtCharacter(std::string_view text, std::size_t maxBytes) {
    std::size_t end = std::min(text.size(), maxBytes);
    // Back to the lead byte of the last sequence; drop it if it is incomplete.
    std::size_t lead = end;
    while (lead > 0 && end - lead < 4 && isContinuation(static_cast<unsigned char>(text[lead - 1])))
        --lead;
    if (lead > 0 && end - lead < 4) {
        --lead;
        if (sequenceLength(static_cast<unsigned char>(text[lead])) > end - lead)
            end = lead;
    }
    return std::string(text.substr(0, end));
}

std::int32_t clampColour(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, 0, kWhiteColour));
}

std::string rowSection(int row) {
    return std::string(kRowSectionPrefix) + std::to_string(row);
}

std::int32_t RowColours::colour(int row) const {
    return validRow(row) ? colours_[static_cast<std::size_t>(row)] : 0;
}

void RowColours::setColour(int row, std::int32_t colour) {
    colour = clampColour(colour);
    if (!validRow(row) || colours_[static_cast<std::size_t>(row)] == colour)
        return;
    colours_[static_cast<std::size_t>(row)] = colour;
    notify({Change::Kind::Colour, row});
}

const std::string& RowColours::specification(int row) const {
    return validRow(row) ? specifications_[static_cast<std::size_t>(row)] : kEmpty;
}

void RowColours::setSpecification(int row, std::string text) {
    if (!validRow(row) || specifications_[static_cast<std::size_t>(row)] == text)
        return;
    specifications_[static_cast<std::size_t>(row)] = std::move(text);
    notify({Change::Kind::Specification, row});
}

void RowColours::reset() {
    for (int row = 0; row < kRows; ++row) {
        setColour(row, kDefaultRowColours[static_cast<std::size_t>(row)]);
        setSpecification(row, {});
    }
}

void RowColours::notify(const Change& change) const {
    observers_.notify(change);
}

void paintRowColour(RowColours& rows, TeachTable& table, int row, std::int32_t colour) {
    rows.setColour(row, colour);
    table.setColourCell(row, intToRgb(colour));
}

void paintRowColours(const RowColours& rows, TeachTable& table) {
    for (int row = 0; row < kRows; ++row)
        table.setColourCell(row, rows.rgb(row));
}

void AppendTableSetToIniHandle(IniDocument* ini, const RowColours& rows) {
    for (int row = 0; row < kRows; ++row) {
        const std::string section = rowSection(row);
        Ini_PutInt(ini, section, kRowColourKey, rows.colour(row));
        Ini_PutString(ini, section, kRowSpecificationKey, rows.specification(row));
    }
}

int AcquireTableSetFromIniHandle(IniDocument* ini, RowColours& rows, int report, Operator* op,
                                 Language language) {
    std::string failures(kMissingRowColours.in(language));
    int missing = 0;
    for (int row = 0; row < kRows; ++row) {
        const std::string section = rowSection(row);
        std::int32_t colour = 0;
        if (Ini_GetInt(ini, section, kRowColourKey, &colour) == 1) {
            rows.setColour(row, colour);
        } else {
            rows.setColour(row, kDefaultRowColours[static_cast<std::size_t>(row)]);
            failures += section;
            failures += '\n';
            ++missing;
        }
        std::string specification;
        Ini_GetString(ini, section, kRowSpecificationKey, specification);
        rows.setSpecification(row, cutAtCharacter(specification, kRowSpecificationMaxLength));
    }
    if (report == 1 && missing > 0 && op != nullptr)
        op->message(kInfoTitle.in(language), failures);
    return missing;
}

} // namespace tavrino::teach

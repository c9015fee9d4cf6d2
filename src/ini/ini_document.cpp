#include "ini/ini.h"
#include "ini/ini_internal.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <iterator>
#include <system_error>

namespace tavrino {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool nameLess(std::string_view a, std::string_view b) {
    return iniCompareNames(a, b) < 0;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = lowerAscii(c);
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

// --- Names and values ---------------------------------------------------------

std::string_view iniTrimRight(std::string_view text) {
    while (!text.empty() && iniIsSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view iniTrim(std::string_view text) {
    while (!text.empty() && iniIsSpace(text.front())) {
        text.remove_prefix(1);
    }
    return iniTrimRight(text);
}

int iniCompareNames(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(lowerAscii(a[i]));
        const auto cb = static_cast<unsigned char>(lowerAscii(b[i]));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

std::string iniEscape(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            if (u < 0x20 || u == 0x7f) {
                out += "\\x";
                out += kHex[u >> 4];
                out += kHex[u & 0x0f];
            } else {
                out += c;
            }
        }
    }
    return out;
}

std::string iniUnescape(std::string_view written) {
    std::string out;
    out.reserve(written.size());
    for (std::size_t i = 0; i < written.size(); ++i) {
        const char c = written[i];
        if (c != '\\') {
            out += c;
            continue;
        }
        if (i + 1 == written.size()) {
            break; // a lone backslash at the end stands for nothing
        }
        const char next = written[++i];
        switch (next) {
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case 'x':
            if (i + 2 < written.size() && hexValue(written[i + 1]) >= 0 && hexValue(written[i + 2]) >= 0) {
                out += static_cast<char>(hexValue(written[i + 1]) * 16 + hexValue(written[i + 2]));
                i += 2;
            } else {
                out += 'x';
            }
            break;
        default:
            out += next;
        }
    }
    return out;
}

std::string iniFormatInt(std::int32_t value) {
    std::array<char, 16> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return {buffer.data(), result.ptr};
}

std::string iniFormatDouble(double value) {
    // "%.16g" in the C locale: the stored files of every earlier version use
    // exactly this text, so the format is kept even for the few doubles whose
    // seventeenth digit it drops. Whoever must get an exact step back (teach
    // cells in 16.16 fixed point) snaps on conversion.
    std::array<char, 64> buffer{};
    char* const begin = buffer.data();
    const auto result = std::to_chars(begin, begin + buffer.size(), value, std::chars_format::general, 16);
    return {begin, result.ptr};
}

IniParse iniParseInt(std::string_view text, std::int32_t& value) {
    text = iniTrim(text);
    if (text.empty()) {
        return IniParse::Empty;
    }
    std::string_view digits = text;
    if (digits.front() == '+') {
        digits.remove_prefix(1);
        text.remove_prefix(1); // from_chars takes no plus sign
    } else if (digits.front() == '-') {
        digits.remove_prefix(1);
    }
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), isDigit)) {
        return IniParse::Invalid;
    }
    std::int32_t parsed = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return IniParse::Invalid;
    }
    value = parsed;
    return IniParse::Ok;
}

IniParse iniParseDouble(std::string_view text, double& value) {
    text = iniTrim(text);
    if (text.empty()) {
        return IniParse::Empty;
    }
    if (iniNamesEqual(text, "inf") || iniNamesEqual(text, "+inf")) {
        value = HUGE_VAL;
        return IniParse::Ok;
    }
    if (iniNamesEqual(text, "-inf")) {
        value = -HUGE_VAL;
        return IniParse::Ok;
    }
    if (text.front() == '+') {
        text.remove_prefix(1); // from_chars takes no plus sign
        if (text.empty() || text.front() == '-' || text.front() == '+') {
            return IniParse::Invalid;
        }
    }
    double parsed = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return IniParse::Invalid;
    }
    value = parsed;
    return IniParse::Ok;
}

// --- The document -------------------------------------------------------------

int IniDocument::setMaxValueLineLength(int length) {
    if (length < 0 || length > kIniMaxLineLength) {
        return kIniLineLengthTooLarge;
    }
    maxValueLineLength_ = length;
    return kIniOk;
}

std::size_t IniDocument::sectionIndex(std::string_view name) {
    name = iniTrim(name);
    if (cachedSection_ < sections_.size() && iniNamesEqual(sections_[cachedSection_].name, name)) {
        return cachedSection_;
    }
    std::size_t found = kNone;
    if (autoSort_) {
        const auto it =
            std::lower_bound(sections_.begin(), sections_.end(), name,
                             [](const Section& s, std::string_view n) { return nameLess(s.name, n); });
        if (it != sections_.end() && iniNamesEqual(it->name, name)) {
            found = static_cast<std::size_t>(it - sections_.begin());
        }
    } else {
        const auto it = std::find_if(sections_.begin(), sections_.end(),
                                     [name](const Section& s) { return iniNamesEqual(s.name, name); });
        if (it != sections_.end()) {
            found = static_cast<std::size_t>(it - sections_.begin());
        }
    }
    if (found != kNone) {
        cachedSection_ = found;
    }
    return found;
}

const IniDocument::Section* IniDocument::findSection(std::string_view name) {
    const std::size_t index = sectionIndex(name);
    return index == kNone ? nullptr : &sections_[index];
}

const IniDocument::Item* IniDocument::findItem(std::string_view section, std::string_view tag) {
    const Section* s = findSection(section);
    if (s == nullptr) {
        return nullptr;
    }
    tag = iniTrim(tag);
    const Item* item = nullptr;
    if (s->sorted) {
        const auto it =
            std::lower_bound(s->items.begin(), s->items.end(), tag,
                             [](const Item& i, std::string_view t) { return nameLess(i.tag, t); });
        if (it != s->items.end() && iniNamesEqual(it->tag, tag)) {
            item = &*it;
        }
    } else {
        const auto it = std::find_if(s->items.begin(), s->items.end(),
                                     [tag](const Item& i) { return iniNamesEqual(i.tag, tag); });
        if (it != s->items.end()) {
            item = &*it;
        }
    }
    if (item != nullptr) {
        lineOfLastAccess_ = item->line;
    }
    return item;
}

void IniDocument::putRaw(std::string_view section, std::string_view tag, std::string value, bool quoted) {
    // Own copies first: the names may point into this document.
    Item item;
    item.tag = std::string(iniTrim(tag));
    item.value = std::move(value);
    item.quoted = quoted;
    std::string name(iniTrim(section));

    std::size_t index = sectionIndex(name);
    if (index == kNone) {
        auto position = sections_.end();
        if (autoSort_) {
            position =
                std::upper_bound(sections_.begin(), sections_.end(), name,
                                 [](std::string_view n, const Section& s) { return nameLess(n, s.name); });
        }
        index = static_cast<std::size_t>(position - sections_.begin());
        Section created;
        created.name = std::move(name);
        created.sorted = autoSort_;
        sections_.insert(position, std::move(created));
        cachedSection_ = index;
    }
    auto& items = sections_[index].items;
    const auto sameTag = [&item](const Item& other) { return iniNamesEqual(other.tag, item.tag); };

    if (duplicateChecking_) {
        const auto first = std::find_if(items.begin(), items.end(), sameTag);
        if (first != items.end()) {
            // the new item takes the place of the first one it replaces
            items.erase(std::remove_if(std::next(first), items.end(), sameTag), items.end());
            *first = std::move(item);
            return;
        }
    }
    if (sections_[index].sorted) {
        const auto position =
            std::upper_bound(items.begin(), items.end(), item.tag,
                             [](std::string_view t, const Item& other) { return nameLess(t, other.tag); });
        items.insert(position, std::move(item));
    } else {
        items.push_back(std::move(item));
    }
}

void IniDocument::sortAll() {
    std::stable_sort(sections_.begin(), sections_.end(),
                     [](const Section& a, const Section& b) { return nameLess(a.name, b.name); });
    for (auto& section : sections_) {
        std::stable_sort(section.items.begin(), section.items.end(),
                         [](const Item& a, const Item& b) { return nameLess(a.tag, b.tag); });
        section.sorted = true;
    }
    cachedSection_ = kNone;
}

void IniDocument::readText(std::string_view text) {
    IniReader reader(*this);
    reader.feed(text);
    reader.finish(true);
}

std::string IniDocument::writeText() const {
    std::string text;
    IniWriter writer(
        *this,
        [&text](std::string_view block) {
            text.append(block);
            return kIniOk;
        },
        kIniWriteBufferSize);
    (void)writer.run();
    return text;
}

} // namespace tavrino

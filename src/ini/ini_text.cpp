#include "ini/ini.h"
#include "ini/ini_internal.h"

#include <algorithm>
#include <string>
#include <utility>

namespace tavrino {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kSeparator = " = ";
constexpr std::string_view kLineSuffix = " Line";

// A tag of the form "<base> Line<digits>": the base and whether the number is 1.
struct LineTag {
    std::string_view base;
    bool first = false;
};

bool parseLineTag(std::string_view tag, LineTag& out) {
    std::size_t digitsStart = tag.size();
    while (digitsStart > 0 && tag[digitsStart - 1] >= '0' && tag[digitsStart - 1] <= '9') {
        --digitsStart;
    }
    if (digitsStart == tag.size()) {
        return false;
    }
    const std::string_view head = tag.substr(0, digitsStart);
    if (head.size() <= kLineSuffix.size() || !head.ends_with(kLineSuffix)) {
        return false;
    }
    std::string_view digits = tag.substr(digitsStart);
    while (digits.size() > 1 && digits.front() == '0') {
        digits.remove_prefix(1);
    }
    out.base = iniTrimRight(head.substr(0, head.size() - kLineSuffix.size()));
    out.first = digits == "1";
    return !out.base.empty();
}

std::string lineTagName(std::string_view base, std::size_t number, std::size_t digits) {
    std::string counter = std::to_string(number);
    if (counter.size() < digits) {
        counter.insert(0, digits - counter.size(), '0');
    }
    std::string name(base);
    name += kLineSuffix;
    name += counter;
    return name;
}

// Whether a piece of a value written without quotes reads back unchanged:
// reading trims blanks and strips a pair of enclosing quotes.
bool survivesUnquoted(std::string_view piece) {
    if (piece.empty() || iniIsSpace(piece.front()) || iniIsSpace(piece.back())) {
        return false;
    }
    return !(piece.size() >= 2 && piece.front() == '"' && piece.back() == '"');
}

std::size_t digitCount(std::size_t n) {
    std::size_t digits = 1;
    while (n >= 10) {
        n /= 10;
        ++digits;
    }
    return digits;
}

} // namespace

// --- Reading ------------------------------------------------------------------

IniReader::IniReader(IniDocument& document)
    : doc_(document), current_(kNone), firstNewSection_(document.sections_.size()) {
    line_.reserve(kIniMaxLineLength);
}

void IniReader::feed(std::string_view bytes) {
    const auto isLineEnd = [](char c) { return c == '\r' || c == '\n' || c == '\0'; };
    while (!bytes.empty()) {
        const char c = bytes.front();
        if (isLineEnd(c)) {
            bytes.remove_prefix(1);
            // CR LF and LF CR end one line together
            if ((c == '\n' && lastEnd_ == '\r') || (c == '\r' && lastEnd_ == '\n')) {
                lastEnd_ = '\0';
                continue;
            }
            endLine();
            lastEnd_ = c;
            continue;
        }
        const std::size_t length =
            static_cast<std::size_t>(std::find_if(bytes.begin(), bytes.end(), isLineEnd) - bytes.begin());
        // One character beyond the longest line read marks a line as too long.
        const std::size_t room = kIniMaxReadLineLength + 1 - line_.size();
        line_.append(bytes.data(), std::min(length, room));
        bytes.remove_prefix(length);
        lastEnd_ = '\0';
        inLine_ = true;
    }
}

void IniReader::endLine() {
    ++lineNumber_;
    if (line_.size() > kIniMaxReadLineLength) {
        // Refused whole rather than cut: a cut value would pass for the
        // whole one (and a quoted one would keep its opening quote as text).
        ignoredLine();
    } else {
        handleLine(line_);
    }
    line_.clear();
    inLine_ = false;
}

void IniReader::finish(bool complete) {
    if (inLine_ && complete) {
        endLine();
    }
    if (!pendingComment_.empty() && doc_.trailingComment_.empty()) {
        doc_.trailingComment_ = std::move(pendingComment_);
    }
    pendingComment_.clear();
    for (std::size_t i = firstNewSection_; i < doc_.sections_.size(); ++i) {
        joinContinuationLines(doc_.sections_[i]);
    }
    if (doc_.autoSort_) {
        doc_.sortAll();
    }
}

void IniReader::handleLine(std::string_view line) {
    std::size_t indent = 0;
    while (indent < line.size() && iniIsSpace(line[indent])) {
        ++indent;
    }
    if (indent == line.size()) {
        ignoredLine();
        return;
    }
    const char first = line[indent];
    if (first != ';' && first != '[') {
        // An item line is read whole, so that a value longer than a file
        // line arrives whole; writing splits it into pieces again.
        handleItemLine(line.substr(indent));
        return;
    }
    // Comments and section names keep the length of one file line.
    const std::string_view cut = line.substr(0, static_cast<std::size_t>(kIniMaxLineLength));
    if (indent >= cut.size()) {
        ignoredLine();
    } else if (first == ';') {
        if (!pendingComment_.empty()) {
            pendingComment_ += kLineEnd;
        }
        pendingComment_ += cut;
    } else {
        handleSectionLine(cut.substr(indent + 1));
    }
}

void IniReader::ignoredLine() {
    if (current_ == kNone && !pendingComment_.empty() && doc_.topComment_.empty()) {
        doc_.topComment_ = std::move(pendingComment_);
        pendingComment_.clear();
    }
}

void IniReader::handleSectionLine(std::string_view afterBracket) {
    const std::size_t close = afterBracket.rfind(']');
    if (close == std::string_view::npos || !iniTrim(afterBracket.substr(close + 1)).empty()) {
        ignoredLine();
        return;
    }
    const std::string_view name = iniTrim(afterBracket.substr(0, close));
    if (name.empty()) {
        ignoredLine();
        return;
    }
    IniDocument::Section section;
    section.name = std::string(name);
    section.line = lineNumber_;
    section.comment = std::move(pendingComment_);
    pendingComment_.clear();
    doc_.sections_.push_back(std::move(section));
    current_ = doc_.sections_.size() - 1;
}

void IniReader::handleItemLine(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        ignoredLine();
        return;
    }
    const std::string_view tag = iniTrim(line.substr(0, equals));
    std::string_view value = iniTrim(line.substr(equals + 1));
    if (tag.empty() || value.empty()) {
        ignoredLine();
        return;
    }
    if (current_ == kNone) {
        // nothing to hang it on: the item and its comment are dropped
        pendingComment_.clear();
        return;
    }
    IniDocument::Item item;
    item.tag = std::string(tag);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
        item.quoted = true;
    }
    item.value = std::string(value);
    item.line = lineNumber_;
    item.comment = std::move(pendingComment_);
    pendingComment_.clear();
    doc_.sections_[current_].items.push_back(std::move(item));
}

void IniReader::joinContinuationLines(IniDocument::Section& section) {
    auto& items = section.items;
    std::size_t out = 0;
    for (std::size_t i = 0; i < items.size();) {
        LineTag head;
        std::size_t next = i + 1;
        if (parseLineTag(items[i].tag, head) && head.first) {
            // Only pieces of the same base tag continue a run; an unrelated
            // numbered tag that happens to follow is kept as its own item.
            LineTag piece;
            while (next < items.size() && parseLineTag(items[next].tag, piece) && !piece.first &&
                   iniNamesEqual(piece.base, head.base)) {
                items[i].value += items[next].value;
                ++next;
            }
            items[i].tag = std::string(head.base);
        }
        if (out != i) {
            items[out] = std::move(items[i]);
        }
        ++out;
        i = next;
    }
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(out), items.end());
}

// --- Writing ------------------------------------------------------------------

IniWriter::IniWriter(const IniDocument& document, Sink sink, std::size_t bufferSize)
    : doc_(document), sink_(std::move(sink)), bufferSize_(bufferSize) {
    buffer_.reserve(bufferSize_ + kIniMaxLineLength + kLineEnd.size());
}

int IniWriter::flush() {
    if (buffer_.empty()) {
        return kIniOk;
    }
    const int status = sink_(buffer_);
    buffer_.clear();
    return status;
}

int IniWriter::line(std::string_view text) {
    buffer_ += text;
    buffer_ += kLineEnd;
    return buffer_.size() >= bufferSize_ ? flush() : kIniOk;
}

int IniWriter::run() {
    int status = kIniOk;
    if (!doc_.topComment_.empty()) {
        if ((status = line(doc_.topComment_)) != kIniOk || (status = line({})) != kIniOk) {
            return status;
        }
    }
    std::string header;
    for (const auto& section : doc_.sections_) {
        if (!section.comment.empty() && (status = line(section.comment)) != kIniOk) {
            return status;
        }
        header.assign(1, '[');
        header += section.name;
        header += ']';
        if ((status = line(header)) != kIniOk) {
            return status;
        }
        for (const auto& entry : section.items) {
            if ((status = item(entry)) != kIniOk) {
                return status;
            }
        }
        if ((status = line({})) != kIniOk) {
            return status;
        }
    }
    if (!doc_.trailingComment_.empty() && (status = line(doc_.trailingComment_)) != kIniOk) {
        return status;
    }
    return flush();
}

int IniWriter::item(const IniDocument::Item& entry) {
    int status = kIniOk;
    if (!entry.comment.empty() && (status = line(entry.comment)) != kIniOk) {
        return status;
    }
    // A value that would not read back unchanged without quotes (blanks at its
    // ends, enclosing quotes of its own, or empty) is written quoted.
    const bool quotedLine = entry.quoted || !survivesUnquoted(entry.value);
    const std::size_t quotes = quotedLine ? 2 : 0;
    const std::size_t overhead = kSeparator.size() + quotes;
    const std::size_t maxLine = kIniMaxLineLength;
    const std::size_t maxTag = kIniMaxTagLength;
    const auto limit = static_cast<std::size_t>(doc_.maxValueLineLength_);
    const std::string_view value = entry.value;

    std::string text;
    const auto emit = [&](std::string_view tag, std::string_view piece, bool quoted) {
        text.assign(tag);
        text += kSeparator;
        if (quoted) {
            text += '"';
        }
        text += piece;
        if (quoted) {
            text += '"';
        }
        return line(text);
    };

    const std::string_view tag = std::string_view(entry.tag).substr(0, maxTag);
    const std::size_t fit = maxLine - tag.size() - overhead;
    if ((limit == 0 || value.size() <= limit) && value.size() <= fit) {
        return emit(tag, value, quotedLine);
    }

    // Over several lines "<tag> Line0001", "<tag> Line0002", ... The counter
    // width is fixed beforehand so the base tag is cut the same way on every
    // line and the pieces join again on reading. A value too long for one line
    // is split even when the length is unlimited, because cutting it would
    // lose data.
    const std::size_t pieceOverhead = kSeparator.size() + 2; // any piece may be quoted
    const std::size_t smallestPiece =
        std::min(limit == 0 ? maxLine : limit, maxLine - maxTag - pieceOverhead);
    const std::size_t mostPieces = (value.size() + smallestPiece - 1) / smallestPiece;
    const std::size_t digits = std::max<std::size_t>(4, digitCount(mostPieces));
    const std::size_t suffix = kLineSuffix.size() + digits;
    const std::string_view base = std::string_view(entry.tag).substr(0, maxTag - suffix);
    const std::size_t lineFit = maxLine - (base.size() + suffix) - pieceOverhead;
    const std::size_t piece = limit == 0 ? lineFit : std::min(limit, lineFit);

    // An unquoted value whose pieces would not all read back unchanged is
    // written quoted throughout, so that it reads back as one quoted item.
    bool quoted = entry.quoted;
    for (std::size_t pos = 0; !quoted && pos < value.size(); pos += piece) {
        quoted = !survivesUnquoted(value.substr(pos, piece));
    }
    std::size_t number = 1;
    for (std::size_t pos = 0; pos < value.size(); pos += piece, ++number) {
        if ((status = emit(lineTagName(base, number, digits), value.substr(pos, piece), quoted)) != kIniOk) {
            return status;
        }
    }
    return kIniOk;
}

} // namespace tavrino

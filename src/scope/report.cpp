#include "scope/report.h"

#include "scope/timing.h"

namespace tavrino::scope {

namespace {

void appendCommentLines(std::vector<ReportLine>& lines, std::string_view comment) {
    for (;;) {
        const std::size_t end = comment.find('\n');
        std::string_view line = comment.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back({std::string(line)});
        if (end == std::string_view::npos)
            return;
        comment.remove_prefix(end + 1);
    }
}

std::string withPositions(std::string_view text, int first, int last) {
    std::string out(text);
    for (const auto& [mark, value] : {std::pair{std::string_view("%1"), first}, {"%2", last}}) {
        const std::size_t at = out.find(mark);
        if (at != std::string::npos)
            out.replace(at, mark.size(), std::to_string(value));
    }
    return out;
}

} // namespace

std::vector<ReportLine> reportLines(Language language, std::string_view panelId, std::string_view comment) {
    std::vector<ReportLine> lines;
    lines.push_back({kReportTitle.str(language), kReportTitlePoints});
    lines.push_back({std::string(kReportProgram)});
    if (!panelId.empty())
        lines.push_back({kReportPanelId.str(language) + std::string(panelId)});
    lines.push_back({});
    if (!comment.empty()) {
        lines.push_back({kReportComment.str(language)});
        appendCommentLines(lines, comment);
        lines.push_back({});
    }
    return lines;
}

int statisticsDecimals(int valueDecimals, bool mean) {
    return mean ? valueDecimals + 1 : valueDecimals;
}

std::vector<ReportLine> statisticsLines(Language language, const CursorStatistics& statistics,
                                        const std::array<std::string, 3>& traceNames, int valueDecimals) {
    std::vector<ReportLine> lines;
    lines.push_back({});
    lines.push_back(
        {withPositions(kStatisticsHeading.in(language), statistics.first, statistics.last) + ":"});
    const int plain = statisticsDecimals(valueDecimals, false);
    const int mean = statisticsDecimals(valueDecimals, true);
    for (std::size_t t = 0; t < traceNames.size(); ++t) {
        const TraceStatistics& s = statistics.traces[t];
        lines.push_back({traceNames[t] + ":   " + kMinimumLabel.str(language) + " " +
                         fixedText(s.minimum, plain) + "   " + kMaximumLabel.str(language) + " " +
                         fixedText(s.maximum, plain) + "   " + kMeanLabel.str(language) + " " +
                         fixedText(s.mean, mean) + "   " + kPeakToPeakLabel.str(language) + " " +
                         fixedText(s.peakToPeak, plain)});
    }
    return lines;
}

} // namespace tavrino::scope

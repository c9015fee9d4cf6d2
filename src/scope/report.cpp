#include "scope/report.h"

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

} // namespace tavrino::scope

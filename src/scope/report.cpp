#include "scope/report.h"

namespace tavrino::scope {

std::vector<ReportLine> reportLines(Language language, std::string_view panelId, std::string_view comment) {
    std::vector<ReportLine> lines;
    lines.push_back({kReportTitle.str(language), kReportTitlePoints});
    lines.push_back({std::string(kReportProgram)});
    if (!panelId.empty())
        lines.push_back({kReportPanelId.str(language) + std::string(panelId)});
    lines.push_back({});
    if (!comment.empty()) {
        lines.push_back({kReportComment.str(language)});
        lines.push_back({std::string(comment)});
        lines.push_back({});
    }
    return lines;
}

} // namespace tavrino::scope

// The printed report's lines, by language, panel ID and comment.
#include "scope/report.h"

#include <gtest/gtest.h>

namespace tavrino::scope {
namespace {

struct ReportCase {
    Language language;
    const char* panelId;
    const char* comment;
    std::vector<std::string> texts;
};

class ReportLinesTest : public ::testing::TestWithParam<ReportCase> {};

TEST_P(ReportLinesTest, HoldsTheLinesInOrder) {
    const ReportCase& c = GetParam();
    const auto lines = reportLines(c.language, c.panelId, c.comment);
    std::vector<std::string> texts;
    for (const ReportLine& line : lines)
        texts.push_back(line.text);
    EXPECT_EQ(texts, c.texts);
    EXPECT_EQ(lines.front().points, 20);
    for (std::size_t i = 1; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].points, 10);
}

INSTANTIATE_TEST_SUITE_P(
    Reports, ReportLinesTest,
    ::testing::Values(
        ReportCase{Language::English, "", "", {"Scope Screen Shot", "TAVRINO4 VXR QLM Scope V3.2", ""}},
        ReportCase{Language::German,
                   "L7",
                   "",
                   {"Screenshot des Scope-Bildschirms.", "TAVRINO4 VXR QLM Scope V3.2", "Fenster ID:L7", ""}},
        ReportCase{Language::English,
                   "L7",
                   "belt 3",
                   {"Scope Screen Shot", "TAVRINO4 VXR QLM Scope V3.2", "Panel ID: L7", "",
                    "Comment:", "belt 3", ""}},
        ReportCase{Language::German,
                   "",
                   "Band 3",
                   {"Screenshot des Scope-Bildschirms.", "TAVRINO4 VXR QLM Scope V3.2", "",
                    "Kommentar:", "Band 3", ""}},
        // Every line of the comment, empty ones too, each a line of its own.
        ReportCase{Language::English,
                   "",
                   "belt 3\r\nwhite label\n\n  end\n",
                   {"Scope Screen Shot", "TAVRINO4 VXR QLM Scope V3.2", "", "Comment:", "belt 3",
                    "white label", "", "  end", "", ""}}));

} // namespace
} // namespace tavrino::scope

// Reviewing a record file and exporting a graph's picture, as flows on the
// session: what is loaded, what the operator is told, what is written.

#include "app/picture_export.h"
#include "app/record_review.h"
#include "app/session.h"
#include "app/texts.h"
#include "recorder/record_file.h"
#include "recorder/texts.h"
#include "support/file_bytes.h"
#include "support/recording_graphs.h"
#include "support/scripted_operator.h"
#include "support/test_directory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace tavrino::app {
namespace {

std::string lineNo(int i) {
    measurement::MeasurementRecord r;
    r.X = static_cast<std::int16_t>(i);
    return recorder::recordLine(r, {2026, 12, 8, 10, 0, i % 60});
}

class RecordReviewTest : public ::testing::Test {
protected:
    test::ScriptedOperator op;
    test::RecordingGraphs graphs;
    std::string dir = test::testDirectory("app");
    Session session{op, graphs, dir};
    std::string file = dir + "/RecordFile.dat";
    std::vector<RecordReviewChange> changes;
    int subscription = session.recordReview.subscribe([this](RecordReviewChange c) { changes.push_back(c); });

    void writeLines(int lines, const std::string& extra = {}) const {
        std::string text = recorder::recordHeader(Language::English, "", 1);
        for (int i = 0; i < lines; ++i)
            text += lineNo(i);
        test::writeFileBytes(file, text + extra);
    }
};

TEST_F(RecordReviewTest, OpeningShowsThePanelAndCountsTheBadLinesInOneMessage) {
    writeLines(3, "broken\r\n1\t2\r\n");
    session.shell.paths.recorderFile = dir + "/elsewhere/RecordFile.dat";
    op.fileAnswers.push_back({FileChoice::Kind::Existing, file});
    ASSERT_TRUE(openRecordFile(session));
    EXPECT_EQ(op.fileRequests.at(0).startDirectory, dir + "/elsewhere");
    EXPECT_EQ(op.fileRequests.at(0).mode, FileRequest::Mode::Open);
    ASSERT_TRUE(session.recordReview.reviewing());
    EXPECT_EQ(session.recordReview.file->lines(), 3u);
    EXPECT_EQ(session.recordReview.path, file);
    EXPECT_EQ(op.currentPanel, ChildPanel::SignalGraph);
    // One message, after the panel came up: two lines, the first of them line 8.
    EXPECT_EQ(op.messages(),
              std::vector<std::string>{recorder::texts::linesSkipped(Language::English, 2, 8, file)});
    EXPECT_EQ(op.calls.back().kind, "message");
    EXPECT_EQ(changes, std::vector<RecordReviewChange>{RecordReviewChange::File});
}

TEST_F(RecordReviewTest, AFileThatCannotBeReviewedChangesNothing) {
    writeLines(4);
    ASSERT_TRUE(loadRecordFile(session, file));
    moveReviewCursor(session, 2);
    const std::string empty = dir + "/empty.dat";
    test::writeFileBytes(empty, recorder::recordHeader(Language::German, "ID", 0) + "nonsense\r\n");
    struct Case {
        std::string path;
        std::string message;
    };
    const std::vector<Case> cases = {
        {dir + "/missing.dat", "File could not be read!\n" + dir + "/missing.dat"},
        {dir, "File could not be read!\n" + dir},
        {empty, std::string(recorder::texts::kNoRecordLines.en) + empty},
    };
    for (const Case& c : cases) {
        op.calls.clear();
        changes.clear();
        EXPECT_FALSE(loadRecordFile(session, c.path));
        EXPECT_EQ(op.messages(), std::vector<std::string>{c.message});
        EXPECT_EQ(session.recordReview.path, file);
        EXPECT_EQ(session.recordReview.file->lines(), 4u);
        EXPECT_EQ(session.recordReview.cursor, 2u);
        EXPECT_TRUE(changes.empty());
    }
    // A cancelled dialog says so and keeps the review too.
    op.calls.clear();
    op.fileAnswers.push_back({});
    EXPECT_FALSE(openRecordFile(session));
    EXPECT_EQ(op.count("message"), 1u);
    EXPECT_EQ(session.recordReview.path, file);
}

TEST_F(RecordReviewTest, TheCursorStaysOnALineOfTheFile) {
    moveReviewCursor(session, 3); // nothing in review
    EXPECT_TRUE(changes.empty());
    writeLines(10);
    ASSERT_TRUE(loadRecordFile(session, file));
    const std::vector<std::pair<double, std::size_t>> cases = {{2.4, 2},  {2.6, 3},          {-7, 0},
                                                               {1e12, 9}, {std::nan(""), 9}, {9, 9}};
    for (const auto& [x, line] : cases) {
        moveReviewCursor(session, x);
        EXPECT_EQ(session.recordReview.cursor, line) << x;
    }
    // Only the moves that went to another line were told.
    EXPECT_EQ(std::count(changes.begin(), changes.end(), RecordReviewChange::Cursor), 4);
    endRecordReview(session);
    EXPECT_FALSE(session.recordReview.reviewing());
    EXPECT_EQ(changes.back(), RecordReviewChange::File);
}

// ---------------------------------------------------------------- pictures

TEST(PictureFormat, FollowsTheExtensionInAnyCase) {
    const std::vector<std::pair<std::string, std::optional<PictureFormat>>> cases = {
        {"/a/b.png", PictureFormat::Png}, {"C:\\x\\y.SVG", PictureFormat::Svg}, {"g.Pdf", PictureFormat::Pdf},
        {"g.jpg", std::nullopt},          {"/a.png/graph", std::nullopt},       {"pdf", std::nullopt},
        {"graph.", std::nullopt},
    };
    for (const auto& [path, format] : cases)
        EXPECT_EQ(pictureFormatOf(path), format) << path;
}

class PictureExportTest : public ::testing::Test {
protected:
    test::ScriptedOperator op;
    std::string dir = test::testDirectory("app");
    std::vector<PictureFormat> drawn;

    bool exportTo(const std::string& path, FileChoice::Kind kind,
                  std::optional<std::string> picture = "PIC") {
        op.fileAnswers.push_back({kind, path});
        return exportPicture(op, Language::German, dir, "graph.png", [&](PictureFormat format) {
            drawn.push_back(format);
            return picture;
        });
    }
};

TEST_F(PictureExportTest, WritesThePictureInTheFormatOfTheName) {
    ASSERT_TRUE(exportTo(dir + "/a.svg", FileChoice::Kind::New));
    EXPECT_EQ(drawn, std::vector<PictureFormat>{PictureFormat::Svg});
    EXPECT_EQ(test::readFileBytes(dir + "/a.svg"), "PIC");
    EXPECT_EQ(op.fileRequests.at(0).startDirectory, dir);
    EXPECT_EQ(op.fileRequests.at(0).mode, FileRequest::Mode::Save);
    EXPECT_TRUE(op.messages().empty());
    // Replacing an existing file is asked first.
    op.confirmAnswers = {false, true};
    EXPECT_FALSE(exportTo(dir + "/a.svg", FileChoice::Kind::Existing, "NEW"));
    EXPECT_EQ(test::readFileBytes(dir + "/a.svg"), "PIC");
    EXPECT_TRUE(exportTo(dir + "/a.svg", FileChoice::Kind::Existing, "NEW"));
    EXPECT_EQ(test::readFileBytes(dir + "/a.svg"), "NEW");
}

TEST_F(PictureExportTest, EachFailureIsToldOnceInTheOperatorsLanguage) {
    const std::string readOnly = dir + "/locked.pdf";
    test::writeFileBytes(readOnly, "old");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    struct Case {
        const char* name;
        std::string path;
        std::optional<std::string> picture;
        std::string message;
        bool drawn;
    };
    const std::vector<Case> cases = {
        {"unknown kind", dir + "/a.gif", "PIC", std::string(texts::kUnknownPictureKind.de) + dir + "/a.gif",
         false},
        {"not drawn", dir + "/b.png", std::nullopt,
         "Datei konnte nicht gespeichert werden!\n" + dir + "/b.png", true},
        {"read-only file", readOnly, "PIC", "Datei konnte nicht gespeichert werden!\n" + readOnly, true},
        {"no such directory", dir + "/none/c.pdf", "PIC",
         "Datei konnte nicht gespeichert werden!\n" + dir + "/none/c.pdf", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        op.calls.clear();
        drawn.clear();
        EXPECT_FALSE(exportTo(c.path, FileChoice::Kind::New, c.picture));
        EXPECT_EQ(op.messages(), std::vector<std::string>{c.message});
        EXPECT_EQ(drawn.size(), c.drawn ? 1u : 0u);
    }
    EXPECT_EQ(test::readFileBytes(readOnly), "old");
    EXPECT_FALSE(std::filesystem::exists(dir + "/a.gif"));
    EXPECT_FALSE(std::filesystem::exists(dir + "/b.png"));
    // Cancelling the dialog is no failure.
    op.calls.clear();
    op.fileAnswers.push_back({});
    EXPECT_FALSE(exportPicture(op, Language::German, dir, "g.png", [](PictureFormat) { return "x"; }));
    EXPECT_TRUE(op.messages().empty());
}

} // namespace
} // namespace tavrino::app

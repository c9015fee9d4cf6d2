// What the live graphs draw: tolerance shapes of the teach rows, the view
// bounds of the three-sided view and its rescaling, the hit rows and the
// signal graph's traces.

#include "measurement/graph_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrino::measurement {
namespace {

constexpr std::uint16_t kXyY = 0, kLab = 1, kLuv = 2, kUvL = 4;
constexpr std::uint16_t kBlock = 0, kCylinder = 1, kSphere = 2;
constexpr auto R = ShapeKind::Rectangle;
constexpr auto E = ShapeKind::Ellipse;

TEST(GraphView, ShapesOfATeachRowPerShapeMode) {
    struct Case {
        std::string name;
        TeachRow row;
        std::uint16_t shape;
        RowShapes expected;
    };
    const std::vector<Case> cases = {
        {"block takes one tolerance per axis",
         {10, 20, 50, 5, 6, 7},
         kBlock,
         {{{R, {5, 15}, {14, 26}}, {R, {5, 15}, {43, 57}}, {R, {14, 26}, {43, 57}}}}},
        {"cylinder: a circle from above, rectangles 2 x tol2 high from the sides",
         {10, 20, 50, 3, 4, 9},
         kCylinder,
         {{{E, {7, 13}, {17, 23}}, {R, {7, 13}, {46, 54}}, {R, {17, 23}, {46, 54}}}}},
        {"sphere: tol1 on every axis",
         {10, 20, 50, 2, 8, 9},
         kSphere,
         {{{E, {8, 12}, {18, 22}}, {E, {8, 12}, {48, 52}}, {E, {18, 22}, {48, 52}}}}},
        {"an unknown shape mode draws blocks",
         {1, 2, 3, 1, 1, 1},
         7,
         {{{R, {0, 2}, {1, 3}}, {R, {0, 2}, {2, 4}}, {R, {1, 3}, {2, 4}}}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rowShapes(c.row, c.shape), c.expected) << c.name;
}

TEST(GraphView, ViewBoundsOfTheTaughtRows) {
    struct Case {
        std::string name;
        TeachRows rows;
        std::uint16_t shape;
        std::uint16_t colourSpace;
        AxisSpans expected;
    };
    const std::vector<Case> cases = {
        {"all zero xyY: the default of coordinate 1 on all axes",
         {},
         kBlock,
         kXyY,
         {{{0, 0.85}, {0, 0.85}, {0, 0.85}}}},
        {"all zero L*u*v*", {}, kSphere, kLuv, {{{-790, 725}, {-790, 725}, {-790, 725}}}},
        {"one row: its extents",
         {{{10, 20, 50, 5, 6, 7}, {}, {}}},
         kBlock,
         kLab,
         {{{5, 15}, {14, 26}, {43, 57}}}},
        {"a row with c1 = 0 does not widen",
         {{{10, 20, 50, 5, 6, 7}, {0, 40, 90, 5, 6, 7}, {}}},
         kBlock,
         kLab,
         {{{5, 15}, {14, 26}, {43, 57}}}},
        {"two rows: the union, tolerances by shape mode",
         {{{10, 20, 50, 3, 4, 0}, {}, {-30, -40, 60, 1, 2, 0}}},
         kCylinder,
         kLab,
         {{{-31, 13}, {-41, 23}, {46, 62}}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(viewBounds(c.rows, c.shape, c.colourSpace), c.expected) << c.name;
}

TEST(GraphView, RescalingIncludesTheMeasurementWithSquareScaling) {
    struct Case {
        std::string name;
        AxisSpans bounds;
        std::array<double, 3> current;
        double margin;
        std::array<ProjectionView, 3> expected;
    };
    const std::vector<Case> cases = {
        {"inside: the larger span of each pair, the margin around",
         {{{5, 15}, {14, 26}, {43, 57}}},
         {10, 20, 50},
         1,
         {{{{3, 17}, {13, 27}}, {{2, 18}, {42, 58}}, {{12, 28}, {42, 58}}}}},
        {"far outside: the view widens up to the cursor",
         {{{0, 0.85}, {0, 0.85}, {0, 0.85}}},
         {2, 0.5, 0.5},
         0.01,
         {{{{-0.01, 2.01}, {-0.585, 1.435}},
           {{-0.01, 2.01}, {-0.585, 1.435}},
           {{-0.01, 0.86}, {-0.01, 0.86}}}}},
    };
    for (const Case& c : cases) {
        const auto views = rescaledViews(c.bounds, c.current, c.margin);
        for (std::size_t p = 0; p < 3; ++p) {
            EXPECT_NEAR(views[p].horizontal.low, c.expected[p].horizontal.low, 1e-12) << c.name << " " << p;
            EXPECT_NEAR(views[p].horizontal.high, c.expected[p].horizontal.high, 1e-12) << c.name << " " << p;
            EXPECT_NEAR(views[p].vertical.low, c.expected[p].vertical.low, 1e-12) << c.name << " " << p;
            EXPECT_NEAR(views[p].vertical.high, c.expected[p].vertical.high, 1e-12) << c.name << " " << p;
        }
    }
}

TEST(GraphView, BackgroundsAndMarginsPerColourSpace) {
    EXPECT_EQ(backgroundOf(kXyY)->file, "FTxyChromaticityDiagram.bmp");
    EXPECT_EQ(backgroundOf(kLab)->left, -80);
    EXPECT_EQ(backgroundOf(kUvL)->height, 0.585);
    EXPECT_FALSE(backgroundOf(kLuv));
    EXPECT_FALSE(backgroundOf(3));
    EXPECT_FALSE(backgroundOf(9));
    EXPECT_EQ(viewMargin(kUvL), 0.01);
    EXPECT_EQ(viewMargin(kLuv), 1);
    EXPECT_EQ(defaultAxisRanges(kLab)[2], (Span{-16, 100}));
}

TEST(GraphView, HitRowsMarkedAndUnmarked) {
    struct Case {
        int previous, current;
        HitChange expected;
    };
    const std::vector<Case> cases = {
        {0, 2, {0, 2}},    // the grey-shapes example: row 0 grey, row 2 coloured
        {1, 1, {-1, 1}},   // still hit: nothing to unmark
        {2, 255, {2, -1}}, // no colour any more
        {255, 0, {-1, 0}}, // 255 is no row
        {-1, 3, {-1, -1}}, // neither is anything outside 0..2
    };
    for (const Case& c : cases)
        EXPECT_EQ(hitChange(c.previous, c.current), c.expected) << c.previous << " -> " << c.current;
}

TEST(SignalGraph, SelectorShowsXForUnknownValues) {
    const std::vector<std::pair<int, std::size_t>> cases = {{0, 0}, {3, 3}, {6, 6}, {9, 0}, {-1, 0}, {7, 0}};
    for (const auto& [selector, graph] : cases)
        EXPECT_EQ(selectedSignal(selector), graph) << selector;
}

TEST(SignalGraph, SegmentsRunFromThePreviousSample) {
    SignalTrace trace;
    SignalValues start{};
    start[0] = 100;
    trace.init(start);
    SignalValues v = start;
    v[0] = 110;
    SignalSegment s = trace.add(v);
    // The first segment after the start begins at the counter itself.
    EXPECT_EQ(s.fromSample, 0);
    EXPECT_EQ(s.toSample, 0);
    EXPECT_EQ(s.from[0], 100);
    EXPECT_EQ(s.to[0], 110);
    v[0] = 120;
    s = trace.add(v);
    EXPECT_EQ(s.fromSample, 0);
    EXPECT_EQ(s.toSample, 1);
    EXPECT_EQ(s.from[0], 110);
    EXPECT_EQ(trace.counter(), 2);
    trace.init(v);
    EXPECT_EQ(trace.counter(), 0);
}

TEST(SignalGraph, ValuesOfARecord) {
    MeasurementRecord r;
    r.X = -5;
    r.Z = 4095;
    r.csY = 0.25;
    r.temp = 321;
    EXPECT_EQ(signalValues(r), (SignalValues{-5, 0, 4095, 0, 0.25, 0, 321}));
}

} // namespace
} // namespace tavrino::measurement

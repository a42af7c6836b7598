#include "browser/splitview/splitlayout.h"
#include "browser/splitview/splitposition.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <numeric>

using splitlayout::SplitGeometry;
using splitlayout::SubviewState;

namespace {

std::vector<SubviewState> stacked(const std::vector<double> &heights,
                                  const std::vector<bool> &collapsed = {})
{
    std::vector<SubviewState> states;
    double y = 0;
    for (size_t i = 0; i < heights.size(); ++i) {
        states.push_back({QRectF(0, y, 100, heights[i]), i < collapsed.size() && collapsed[i]});
        y += heights[i];
    }
    return states;
}

struct LayoutCase
{
    const char *what;
    std::vector<double> heights;
    std::vector<bool> collapsed;
    double height;
    double divider;
};

class SplitLayoutInvariants : public ::testing::TestWithParam<LayoutCase>
{
};

// Whatever the proportions, the rounding and the draw of the spare points, the whole-point
// thicknesses fill the space between the dividers, each within a point of its share, and the
// last subview with a thickness ends at the far edge.
TEST_P(SplitLayoutInvariants, ThicknessesFillTheSpaceAndTheLastEndsAtTheFarEdge)
{
    const LayoutCase &c = GetParam();
    const std::vector<SubviewState> states = stacked(c.heights, c.collapsed);
    const SplitGeometry geometry{false, QSizeF(100, c.height), c.divider};
    const qint64 available = qint64(c.height - c.divider * double(states.size() - 1));
    double expandedSum = 0;
    for (size_t i = 0; i < states.size(); ++i)
        if (!states[i].collapsed)
            expandedSum += std::floor(c.heights[i]);

    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::srand(seed);
        const std::vector<qint64> t = splitlayout::adjustedThicknesses(states, geometry);
        ASSERT_EQ(t.size(), states.size());
        EXPECT_EQ(std::accumulate(t.begin(), t.end(), qint64(0)), available) << c.what;
        for (size_t i = 0; i < t.size(); ++i) {
            if (states[i].collapsed) {
                EXPECT_EQ(t[i], 0) << c.what;
                continue;
            }
            const double share = std::floor(c.heights[i]) * double(available) / expandedSum;
            EXPECT_LE(std::abs(double(t[i]) - share), 1.0) << c.what << " subview " << i;
        }

        const auto frames = splitlayout::framesForThicknesses(states, t, geometry);
        std::optional<QRectF> last;
        for (size_t i = 0; i < frames.size(); ++i)
            if (t[i] > 0)
                last = frames[i];
        ASSERT_TRUE(last) << c.what;
        EXPECT_DOUBLE_EQ(last->bottom(), c.height) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitLayoutInvariants,
    ::testing::Values(LayoutCase{"two halves grown", {100, 100}, {}, 403, 3},
                      LayoutCase{"three thirds shrunk", {100, 100, 100}, {}, 200, 8},
                      LayoutCase{"fractions", {33.7, 66.2, 10.9}, {}, 501, 0.1},
                      LayoutCase{"a collapsed middle", {120, 50, 80}, {false, true, false}, 317, 8},
                      LayoutCase{"many thin ones", {1, 1, 1, 1, 1, 1, 1}, {}, 100, 1}),
    [](const auto &info) { return "Case" + std::to_string(info.index); });

TEST(SplitLayout, NothingWithAThickness_TheFirstExpandedSubviewTakesAllTheSpace)
{
    const SplitGeometry geometry{false, QSizeF(100, 400), 10};
    EXPECT_EQ(splitlayout::adjustedThicknesses(stacked({0, 0, 0}), geometry),
              (std::vector<qint64>{380, 0, 0}));
    EXPECT_EQ(splitlayout::adjustedThicknesses(stacked({50, 0, 90}, {true, false, true}), geometry),
              (std::vector<qint64>{0, 380, 0}));
    // Every subview collapsed: subview 0 takes the space, and the layout frames it.
    const auto allCollapsed = stacked({50, 60, 90}, {true, true, true});
    const std::vector<qint64> t = splitlayout::adjustedThicknesses(allCollapsed, geometry);
    EXPECT_EQ(t, (std::vector<qint64>{380, 0, 0}));
    const auto frames = splitlayout::framesForThicknesses(allCollapsed, t, geometry);
    EXPECT_EQ(frames[0], QRectF(0, 0, 100, 380));
    EXPECT_FALSE(frames[1]);
    EXPECT_FALSE(frames[2]);
}

TEST(SplitLayout, FramesThatNoScreenHolds_CountAsNothingOrAsTheLargestThickness)
{
    const SplitGeometry geometry{false, QSizeF(100, 400), 8};
    std::vector<SubviewState> states = stacked({100, 100});
    states[0].frame.setHeight(std::numeric_limits<double>::quiet_NaN());
    states[1].frame.setHeight(1e300);
    EXPECT_EQ(splitlayout::adjustedThicknesses(states, geometry), (std::vector<qint64>{0, 392}));
    states[1].frame.setHeight(std::numeric_limits<double>::infinity());
    EXPECT_EQ(splitlayout::adjustedThicknesses(states, geometry), (std::vector<qint64>{392, 0}));
}

TEST(SplitLayout, ACollapsedSubviewAddsNoThicknessButItsDividerFollows)
{
    const SplitGeometry geometry{true, QSizeF(500, 100), 8};
    const std::vector<SubviewState> states{{QRectF(0, 0, 100, 100), false},
                                           {QRectF(1e6, 1e6, 70, 100), true},
                                           {QRectF(116, 0, 384, 100), false}};
    const std::vector<QRectF> dividers = splitlayout::dividerRects(states, geometry);
    ASSERT_EQ(dividers.size(), 2u);
    EXPECT_EQ(dividers[0], QRectF(100, 0, 8, 100));
    EXPECT_EQ(dividers[1], QRectF(108, 0, 8, 100));
    EXPECT_EQ(splitlayout::dividerAt(dividers, geometry, 99.9), -1);
    EXPECT_EQ(splitlayout::dividerAt(dividers, geometry, 100), 0);
    EXPECT_EQ(splitlayout::dividerAt(dividers, geometry, 108), 1);
    EXPECT_EQ(splitlayout::dividerAt(dividers, geometry, 116), -1);
}

TEST(SplitPosition, FramesAreWrittenInOneFormAndReadBackExactly)
{
    const QRectF frames[] = {QRectF(150.1, 0, 649.9, 600), QRectF(0, 0, 0, 0),
                             QRectF(1e6, 1e6, 200, 0.30000000000000004),
                             QRectF(-3.25, 12, 7.125, 1.0 / 3)};
    EXPECT_EQ(splitposition::frameToString(frames[0]), "{{150.1, 0}, {649.9, 600}}");
    for (const QRectF &frame : frames) {
        const std::optional<QRectF> back =
            splitposition::frameFromString(splitposition::frameToString(frame));
        ASSERT_TRUE(back) << splitposition::frameToString(frame).toStdString();
        EXPECT_EQ(back->x(), frame.x());
        EXPECT_EQ(back->y(), frame.y());
        EXPECT_EQ(back->width(), frame.width());
        EXPECT_EQ(back->height(), frame.height());
    }
}

TEST(SplitPosition, TextsThatAreNoFrame_ReadAsNothing)
{
    for (const char *text :
         {"", "{{1, 2}, {3}}", "{{a, b}, {c, d}}", "{1, 2, 3, 4}", "{{1, 2}, {3, 4}} ",
          "{{1e300, 0}, {1, 1}}", "{{nan, 0}, {1, 1}}", "{{0, 0}, {inf, 1}}"})
        EXPECT_FALSE(splitposition::frameFromString(text)) << text;
}

} // namespace

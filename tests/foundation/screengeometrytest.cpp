#include "foundation/screengeometry.h"
#include "logcapture.h"

#include <gtest/gtest.h>

namespace {

using screengeometry::Screen;

Screen screen(double x, double y, double width, double height)
{
    return {true, QRectF(x, y, width, height)};
}

TEST(ScreenGeometry, MonitorExtent_IsTheUnionOfTheScreensRanges)
{
    const struct
    {
        const char *layout;
        QList<Screen> screens;
        double width;
        double height;
    } cases[] = {
        {"one", {screen(0, 0, 1280, 800)}, 1280, 800},
        {"side by side", {screen(0, 0, 1280, 800), screen(1280, 0, 1024, 768)}, 2304, 800},
        {"stacked", {screen(0, 0, 1280, 800), screen(0, 800, 1024, 768)}, 1280, 1568},
        {"left of the main screen",
         {screen(0, 0, 1280, 800), screen(-1024, 0, 1024, 768)},
         2304,
         800},
        {"overlapping", {screen(0, 0, 1280, 800), screen(1000, 0, 1280, 800)}, 2280, 800},
        {"with a device that is no screen",
         {screen(0, 0, 1280, 800), Screen{false, QRectF(1280, 0, 1024, 768)}},
         1280,
         800},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.layout);
        EXPECT_EQ(screengeometry::maxMonitorWidth(c.screens), c.width);
        EXPECT_EQ(screengeometry::maxMonitorHeight(c.screens), c.height);
    }
}

TEST(ScreenGeometry, NoScreens_AnswerNeutralValuesAndLog)
{
    LogCapture log;
    LogCapture::setLevel(1);
    EXPECT_EQ(screengeometry::maxMonitorWidth({}), 0);
    EXPECT_FALSE(screengeometry::currentScreen({}, QRectF(10, 20, 100, 100)));
    EXPECT_EQ(screengeometry::bottomAvailable({}, QRectF(10, 20, 100, 100)), 20);
    EXPECT_FALSE(screengeometry::growByWidth({}, QRectF(10, 20, 100, 100), 10));
    LogCapture::setLevel(0);
    EXPECT_EQ(log.lines().filter("No Screens Found!").size(), 4);
}

TEST(ScreenGeometry, CurrentScreenAndRoomBelow_OfTheScreenHoldingTheOrigin)
{
    const QList<Screen> screens{screen(0, 40, 1280, 760), screen(1280, 0, 1024, 768)};
    EXPECT_EQ(screengeometry::currentScreen(screens, QRectF(100, 100, 300, 200)), 0);
    EXPECT_EQ(screengeometry::currentScreen(screens, QRectF(1300, 100, 300, 200)), 1);
    EXPECT_EQ(screengeometry::currentScreen(screens, QRectF(-50, 100, 300, 200)), 0);
    EXPECT_EQ(screengeometry::bottomAvailable(screens, QRectF(100, 100, 300, 200)), 60);
    EXPECT_EQ(screengeometry::bottomAvailable(screens, QRectF(1300, 100, 300, 200)), 100);
    EXPECT_EQ(screengeometry::bottomAvailable(screens, QRectF(100, 10, 300, 200)), -30);
}

struct GrowthCase
{
    const char *what;
    QList<Screen> screens;
    QRectF frame;
    double increment;
    QRectF expected;
};

TEST(ScreenGeometry, GrowByWidth)
{
    const QList<Screen> one{screen(0, 0, 1280, 800)};
    const GrowthCase cases[] = {
        {"room on the right", one, QRectF(100, 100, 400, 300), 200, QRectF(100, 100, 600, 300)},
        {"right as far as it goes, then left", one, QRectF(800, 100, 400, 300), 200,
         QRectF(680, 100, 600, 300)},
        {"more than all the room", one, QRectF(100, 100, 400, 300), 2000,
         QRectF(0, 100, 1280, 300)},
        // The room on the right is measured from the adjusted origin (100), not from the frame
        // as read (-100): 780 to the right, 100 to the left.
        {"left of the screen", one, QRectF(-100, 100, 400, 300), 900, QRectF(0, 100, 1280, 300)},
    };
    for (const GrowthCase &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(screengeometry::growByWidth(c.screens, c.frame, c.increment), c.expected);
    }
}

TEST(ScreenGeometry, GrowByHeight)
{
    const QList<Screen> dock{screen(0, 40, 1280, 760)};
    const QList<Screen> sideBySide{screen(0, 0, 1000, 800), screen(1000, 0, 1000, 800)};
    const GrowthCase cases[] = {
        {"room below", dock, QRectF(100, 300, 400, 300), 100, QRectF(100, 200, 400, 400)},
        // The room above runs to the top of the visible frame (40 + 760), not to its height.
        {"down as far as it goes, then up", dock, QRectF(100, 100, 400, 400), 330,
         QRectF(100, 40, 400, 730)},
        {"more than all the room", dock, QRectF(100, 100, 400, 400), 1000,
         QRectF(100, 40, 400, 760)},
        // Across two screens the window does not fit its own; only 10 points lie below it, so
        // it must not grow 100 points down.
        {"not fitting, little room below", sideBySide, QRectF(900, 10, 300, 300), 100,
         QRectF(900, 0, 300, 400)},
        {"shrinking", dock, QRectF(100, 300, 400, 300), -100, QRectF(100, 400, 400, 200)},
    };
    for (const GrowthCase &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(screengeometry::growByHeight(c.screens, c.frame, c.increment, 0, 10000),
                  c.expected);
    }
}

TEST(ScreenGeometry, GrowByHeight_KeepsWithinTheWindowsLimits)
{
    const QList<Screen> one{screen(0, 0, 1280, 800)};
    EXPECT_EQ(screengeometry::growByHeight(one, QRectF(100, 300, 400, 300), 200, 100, 350),
              QRectF(100, 250, 400, 350));
    EXPECT_EQ(screengeometry::growByHeight(one, QRectF(100, 300, 400, 300), -250, 100, 350),
              QRectF(100, 500, 400, 100));
}

TEST(ScreenGeometry, Growth_LogsTheRoomAndTheDecision)
{
    LogCapture log;
    LogCapture::setLevel(1);
    screengeometry::growByWidth({screen(0, 0, 1280, 800)}, QRectF(800, 100, 400, 300), 200);
    LogCapture::setLevel(0);
    const QString op = "[VozuVeva growWindow:byWidthIncrement:updateFrame:] ";
    EXPECT_EQ(log.lines(),
              (QStringList{op + "increment = 200.000000", op + "rightAvail = 80.000000",
                           op + "leftAvail = 800.000000",
                           op + "grow right as much as possible and left the rest: 80.000000"}));
}

} // namespace

#pragma once

#include <QList>
#include <QRectF>

#include <optional>

// The geometry of screens and windows in screen coordinates with the origin at the bottom left of
// the main screen and y growing upwards. A screen is used through its visible frame (less the
// panels); a window through its frame, whose origin is the window's origin (ox, oy) on the screen.
namespace screengeometry {

struct Screen
{
    bool isScreen = true; // a display device, not some other output
    QRectF visible;
};

// The width (height) that the screens cover together: the length of the union of their x (y)
// ranges, so screens side by side add up, stacked ones count once, and a screen left of (below)
// the main screen counts too. 0 without a screen.
double maxMonitorWidth(const QList<Screen> &screens);
double maxMonitorHeight(const QList<Screen> &screens);

// The index of the screen that holds the window's origin, if any.
std::optional<qsizetype> currentScreen(const QList<Screen> &screens, const QRectF &frame);

// The room below the window on its screen (negative when it reaches below it); the window's oy
// when no screen holds it.
double bottomAvailable(const QList<Screen> &screens, const QRectF &frame);

// The new frame of a window grown by a width (height) increment within the screens, logging the
// room found and the decision taken; none when no screen holds the window. Growing by height keeps
// within the window's own limits.
std::optional<QRectF> growByWidth(const QList<Screen> &screens, const QRectF &frame,
                                  double increment);
std::optional<QRectF> growByHeight(const QList<Screen> &screens, const QRectF &frame,
                                   double increment, double minimumHeight, double maximumHeight);

} // namespace screengeometry

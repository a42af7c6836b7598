#pragma once

#include <QRectF>
#include <QSizeF>

#include <optional>
#include <vector>

// The geometry of a split view without its widgets: how thick each subview is along the major
// axis (across which the subviews line up: x when they stand side by side, y when stacked), where
// each subview and each divider goes. Coordinates start at 0 at the split view's top left edge.
namespace splitlayout {

struct SubviewState
{
    QRectF frame;
    bool collapsed = false;
};

struct SplitGeometry
{
    // Side by side when true, stacked otherwise.
    bool vertical = false;
    QSizeF size;
    double dividerThickness = 0;

    double majorExtent() const { return vertical ? size.width() : size.height(); }
    double crossExtent() const { return vertical ? size.height() : size.width(); }
};

double thickness(const QRectF &frame, bool vertical);
double start(const QRectF &frame, bool vertical);
// The frame from start, thickness along the major axis, filling the cross extent from 0.
QRectF frameAlong(double start, double thickness, double cross, bool vertical);

// Whole-point thicknesses that keep the proportions of the expanded subviews and fill the space
// the dividers leave. Collapsed subviews get 0; when nothing has a thickness the first expanded
// subview (subview 0 when every one is collapsed) takes all the space. The points lost to
// rounding are handed out one at a time, each subview drawn by chance with the C library's rand().
std::vector<qint64> adjustedThicknesses(const std::vector<SubviewState> &subviews,
                                        const SplitGeometry &geometry);

// The frame of each subview for the given thicknesses; nothing for a collapsed subview of
// thickness 0, which keeps its place in the line (its divider still follows it). The last subview
// with a thickness ends at the far edge, whatever the rounding.
std::vector<std::optional<QRectF>> framesForThicknesses(const std::vector<SubviewState> &subviews,
                                                        const std::vector<qint64> &thicknesses,
                                                        const SplitGeometry &geometry);

// Divider i follows subview i, which adds no thickness while collapsed.
std::vector<QRectF> dividerRects(const std::vector<SubviewState> &subviews,
                                 const SplitGeometry &geometry);
QRectF dividerRectAt(double coordinate, const SplitGeometry &geometry);

// The divider under the coordinate along the major axis; -1 when there is none.
int dividerAt(const std::vector<QRectF> &dividers, const SplitGeometry &geometry,
              double coordinate);

} // namespace splitlayout

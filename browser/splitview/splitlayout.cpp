#include "browser/splitview/splitlayout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace splitlayout {

namespace {

// No screen has more points than this: a larger thickness (a stored frame edited by hand, a
// division by a size next to nothing) counts as this much, so the whole-point sums never overflow.
constexpr double kLargestThickness = 1e9;

qint64 wholePoints(double value)
{
    if (!std::isfinite(value) || value <= 0)
        return 0;
    return qint64(std::floor(std::min(value, kLargestThickness)));
}

// Hands the difference between the thicknesses' sum and the space out one point at a time:
// of k nonzero thicknesses not yet visited, the current one takes a point with chance D / k, and
// surely once D equals k.
void spreadRemainder(std::vector<qint64> &thicknesses, qint64 available)
{
    qint64 sum = 0;
    qint64 nonzero = 0;
    for (const qint64 t : thicknesses) {
        sum += t;
        nonzero += t > 0 ? 1 : 0;
    }
    const qint64 step = sum < available ? 1 : -1;
    qint64 difference = std::llabs(available - sum);
    for (qint64 &t : thicknesses) {
        if (difference < 1)
            break;
        if (t == 0)
            continue;
        if (difference == nonzero ||
            double(difference) / double(nonzero) * 2147483648.0 > double(std::rand())) {
            t += step;
            --difference;
        }
        --nonzero;
    }
}

} // namespace

double thickness(const QRectF &frame, bool vertical)
{
    return vertical ? frame.width() : frame.height();
}

double start(const QRectF &frame, bool vertical)
{
    return vertical ? frame.x() : frame.y();
}

QRectF frameAlong(double start, double thickness, double cross, bool vertical)
{
    return vertical ? QRectF(start, 0, thickness, cross) : QRectF(0, start, cross, thickness);
}

std::vector<qint64> adjustedThicknesses(const std::vector<SubviewState> &subviews,
                                        const SplitGeometry &geometry)
{
    std::vector<qint64> thicknesses;
    thicknesses.reserve(subviews.size());
    qint64 sum = 0;
    std::optional<size_t> firstExpanded;
    for (size_t i = 0; i < subviews.size(); ++i) {
        const qint64 t = subviews[i].collapsed
                             ? 0
                             : wholePoints(thickness(subviews[i].frame, geometry.vertical));
        if (!subviews[i].collapsed && !firstExpanded)
            firstExpanded = i;
        thicknesses.push_back(t);
        sum += t;
    }
    if (subviews.empty())
        return thicknesses;
    const qint64 available = wholePoints(geometry.majorExtent() -
                                         geometry.dividerThickness * double(subviews.size() - 1));
    if (sum == 0) {
        thicknesses[firstExpanded.value_or(0)] = available;
        return thicknesses;
    }
    const double ratio = double(available) / double(sum);
    for (qint64 &t : thicknesses)
        if (t > 0)
            t = std::max<qint64>(1, qint64(std::floor(double(t) * ratio)));
    spreadRemainder(thicknesses, available);
    return thicknesses;
}

std::vector<std::optional<QRectF>> framesForThicknesses(const std::vector<SubviewState> &subviews,
                                                        const std::vector<qint64> &thicknesses,
                                                        const SplitGeometry &geometry)
{
    const size_t count = std::min(subviews.size(), thicknesses.size());
    std::optional<size_t> lastNonzero;
    for (size_t i = 0; i < count; ++i)
        if (thicknesses[i] > 0)
            lastNonzero = i;

    std::vector<std::optional<QRectF>> frames(count);
    double coordinate = 0;
    for (size_t i = 0; i < count; ++i) {
        if (thicknesses[i] > 0 || !subviews[i].collapsed) {
            double t = double(thicknesses[i]);
            if (i == lastNonzero) {
                const double followingDividers = geometry.dividerThickness * double(count - 1 - i);
                t = std::max(0.0, geometry.majorExtent() - coordinate - followingDividers);
            }
            frames[i] = frameAlong(coordinate, t, geometry.crossExtent(), geometry.vertical);
            coordinate += t;
        }
        if (i + 1 < count)
            coordinate += geometry.dividerThickness;
    }
    return frames;
}

QRectF dividerRectAt(double coordinate, const SplitGeometry &geometry)
{
    return frameAlong(coordinate, geometry.dividerThickness, geometry.crossExtent(),
                      geometry.vertical);
}

std::vector<QRectF> dividerRects(const std::vector<SubviewState> &subviews,
                                 const SplitGeometry &geometry)
{
    std::vector<QRectF> dividers;
    double coordinate = 0;
    for (size_t i = 0; i + 1 < subviews.size(); ++i) {
        if (!subviews[i].collapsed)
            coordinate += thickness(subviews[i].frame, geometry.vertical);
        dividers.push_back(dividerRectAt(coordinate, geometry));
        coordinate += geometry.dividerThickness;
    }
    return dividers;
}

int dividerAt(const std::vector<QRectF> &dividers, const SplitGeometry &geometry, double coordinate)
{
    for (size_t i = 0; i < dividers.size(); ++i) {
        const double begin = start(dividers[i], geometry.vertical);
        if (begin <= coordinate && begin + geometry.dividerThickness > coordinate)
            return int(i);
    }
    return -1;
}

} // namespace splitlayout

#include "foundation/screengeometry.h"

#include "foundation/log.h"

#include <algorithm>

namespace screengeometry {
namespace {

const QString kClass = QStringLiteral("VozuVeva");
const QString kNoScreens = QStringLiteral("No Screens Found!");

struct Range
{
    double from;
    double to;
};

double unionLength(QList<Range> ranges)
{
    std::sort(ranges.begin(), ranges.end(),
              [](const Range &a, const Range &b) { return a.from < b.from; });
    double total = 0;
    double coveredTo = 0;
    bool started = false;
    for (const Range &range : ranges) {
        if (!started || range.from > coveredTo) {
            total += range.to - range.from;
            coveredTo = range.to;
            started = true;
        } else if (range.to > coveredTo) {
            total += range.to - coveredTo;
            coveredTo = range.to;
        }
    }
    return total;
}

template <typename Axis>
double monitorExtent(const QList<Screen> &screens, const QString &op, Axis axis)
{
    QList<Range> ranges;
    for (const Screen &screen : screens) {
        if (screen.isScreen)
            ranges.append(axis(screen.visible));
    }
    if (ranges.isEmpty()) {
        tlog::message(kClass, op, kNoScreens);
        return 0;
    }
    return unionLength(ranges);
}

// A window's frame with its origin, as the growing operations adjust them.
struct Placement
{
    QRectF frame;
    double ox;
    double oy;
};

// A window left of or below the screens is measured from the screens' edge.
Placement placementOf(const QRectF &frame)
{
    Placement p{frame, frame.x(), frame.y()};
    if (p.ox < 0) {
        p.frame.moveLeft(p.frame.x() - p.ox);
        p.ox = -p.ox;
    }
    if (p.oy < 0) {
        p.frame.moveTop(p.frame.y() - p.oy);
        p.oy = -p.oy;
    }
    return p;
}

struct Choice
{
    QRectF screen;
    bool fits = true;
};

// The screen whose x-range holds the window's origin, and whether the window fits inside it.
std::optional<Choice> chooseScreen(const QList<Screen> &screens, const Placement &p,
                                   const QString &op)
{
    if (screens.size() < 2) {
        if (screens.isEmpty() || !screens.first().isScreen) {
            tlog::message(kClass, op, kNoScreens);
            return std::nullopt;
        }
        return Choice{screens.first().visible, true};
    }
    const double mw = maxMonitorWidth(screens);
    const double mh = maxMonitorHeight(screens);
    const double right = p.ox + p.frame.width();
    const double top = p.oy + p.frame.height();
    std::optional<Choice> chosen;
    bool fits = true;
    for (const Screen &screen : screens) {
        const QRectF &v = screen.visible;
        if (!screen.isScreen || p.ox < v.x() || p.ox > v.x() + v.width() ||
            p.oy > v.y() + v.height())
            continue;
        if ((right > v.x() + v.width() && mw > right) || (top > v.y() + v.height() && mh > top))
            fits = false;
        chosen = Choice{v, fits};
    }
    return chosen;
}

} // namespace

double maxMonitorWidth(const QList<Screen> &screens)
{
    return monitorExtent(screens, QStringLiteral("maxMonitorWidth"), [](const QRectF &v) {
        return Range{v.x(), v.x() + v.width()};
    });
}

double maxMonitorHeight(const QList<Screen> &screens)
{
    return monitorExtent(screens, QStringLiteral("maxMonitorHeight"), [](const QRectF &v) {
        return Range{v.y(), v.y() + v.height()};
    });
}

std::optional<qsizetype> currentScreen(const QList<Screen> &screens, const QRectF &frame)
{
    const QString op = QStringLiteral("currentScreenForWindow:");
    if (screens.size() < 2) {
        if (screens.isEmpty() || !screens.first().isScreen) {
            tlog::message(kClass, op, kNoScreens);
            return std::nullopt;
        }
        return 0;
    }
    const double ox = frame.x();
    const double oy = frame.y();
    std::optional<qsizetype> kept;
    for (qsizetype index = 0; index < screens.size(); ++index) {
        const QRectF &v = screens.at(index).visible;
        if (!screens.at(index).isScreen)
            continue;
        const bool holdsX = v.x() <= ox && ox <= v.x() + v.width();
        const bool holdsY = (v.y() <= oy && oy <= v.y() + v.height()) || oy < v.y();
        if ((holdsX && holdsY) || (ox < 0 && v.x() == 0))
            kept = index;
    }
    return kept;
}

double bottomAvailable(const QList<Screen> &screens, const QRectF &frame)
{
    const double ox = frame.x();
    const double oy = frame.y();
    if (screens.size() < 2) {
        if (screens.isEmpty() || !screens.first().isScreen) {
            tlog::message(kClass, QStringLiteral("bottomAvailableForWindow:"), kNoScreens);
            return oy;
        }
        return oy - screens.first().visible.y();
    }
    const double right = ox + frame.width();
    const double top = oy + frame.height();
    std::optional<QRectF> chosen;
    for (const Screen &screen : screens) {
        if (!screen.isScreen)
            continue;
        const QRectF &v = screen.visible;
        const double r = v.x() + v.width();
        const double t = v.y() + v.height();
        if (ox >= v.x() && r >= right) {
            if (oy >= v.y() && (t >= top || t >= oy))
                chosen = v;
            else if (v.y() > oy)
                return oy - v.y();
            continue;
        }
        if (ox >= v.x() && r >= ox) {
            chosen = v;
            continue;
        }
        if (ox < 0 && v.x() == 0) {
            if (oy < 0)
                return oy - v.y();
            chosen = v;
        }
    }
    return chosen ? oy - chosen->y() : oy;
}

std::optional<QRectF> growByWidth(const QList<Screen> &screens, const QRectF &frame,
                                  double increment)
{
    const QString op = QStringLiteral("growWindow:byWidthIncrement:updateFrame:");
    tlog::number(kClass, op, QStringLiteral("increment"), increment);
    const Placement p = placementOf(frame);
    const std::optional<Choice> choice = chooseScreen(screens, p, op);
    if (!choice)
        return std::nullopt;
    const QRectF &v = choice->screen;
    const double right = p.ox + p.frame.width();
    // Both sides are measured from the adjusted origin, never from the frame as first read.
    const double rightAvail =
        choice->fits ? (v.x() + v.width()) - right : maxMonitorWidth(screens) - right;
    const double leftAvail = choice->fits ? p.ox - v.x() : p.ox;
    tlog::number(kClass, op, QStringLiteral("rightAvail"), rightAvail);
    tlog::number(kClass, op, QStringLiteral("leftAvail"), leftAvail);

    QRectF grown = p.frame;
    if (increment > rightAvail + leftAvail) {
        tlog::message(kClass, op, QStringLiteral("maximize"));
        grown.setX(v.x());
        grown.setWidth(v.width());
    } else if (rightAvail > increment) {
        tlog::message(kClass, op, QStringLiteral("just grow right"));
        grown.setWidth(grown.width() + increment);
    } else {
        tlog::labelledNumber(kClass, op,
                             QStringLiteral("grow right as much as possible and left the rest"),
                             rightAvail);
        const double width = grown.width() + increment;
        grown.moveLeft(grown.x() - (increment - rightAvail));
        grown.setWidth(width);
    }
    return grown;
}

std::optional<QRectF> growByHeight(const QList<Screen> &screens, const QRectF &frame,
                                   double increment, double minimumHeight, double maximumHeight)
{
    const QString op = QStringLiteral("growWindow:byHeightIncrement:updateFrame:");
    tlog::number(kClass, op, QStringLiteral("increment"), increment);
    const Placement p = placementOf(frame);
    const double height = p.frame.height();
    if (height + increment > maximumHeight)
        increment = maximumHeight - height;
    if (height + increment < minimumHeight)
        increment = minimumHeight - height;
    const std::optional<Choice> choice = chooseScreen(screens, p, op);
    if (!choice)
        return std::nullopt;
    const QRectF &v = choice->screen;
    const double top = p.oy + height;
    const double topAvail =
        choice->fits ? (v.y() + v.height()) - top : maxMonitorHeight(screens) - top;
    const double bottomAvail = choice->fits ? p.oy - v.y() : p.oy;
    tlog::number(kClass, op, QStringLiteral("topAvail"), topAvail);
    tlog::number(kClass, op, QStringLiteral("bottomAvail"), bottomAvail);

    QRectF grown = p.frame;
    if (increment > topAvail + bottomAvail) {
        tlog::message(kClass, op, QStringLiteral("maximize"));
        grown.setY(v.y());
        grown.setHeight(v.height());
    } else if (bottomAvail > increment) {
        // Growing down takes the room below, so that is the room to test.
        tlog::message(kClass, op,
                      increment >= 0 ? QStringLiteral("just grow down")
                                     : QStringLiteral("just grow up"));
        grown.moveTop(grown.y() - increment);
        grown.setHeight(height + increment);
    } else {
        tlog::labelledNumber(kClass, op,
                             choice->fits && increment < 0
                                 ? QStringLiteral("grow up as much as possible and up the rest")
                                 : QStringLiteral("grow down as much as possible and up the rest"),
                             topAvail);
        grown.moveTop(v.y());
        grown.setHeight(height + increment);
    }
    return grown;
}

} // namespace screengeometry

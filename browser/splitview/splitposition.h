#pragma once

#include <QRectF>
#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

// A split view's layout as it is kept in the preferences: a dictionary with "version" 2,
// "subviews" (per subview its "frame" as text and whether it is "collapsed") and "isVertical".
namespace splitposition {

struct StoredSubview
{
    // Nothing when the stored text is no frame; the subview then keeps its own.
    std::optional<QRectF> frame;
    bool collapsed = false;
};

struct StoredPosition
{
    // Entries that are not dictionaries are nothing: those subviews stay as they are.
    std::vector<std::optional<StoredSubview>> subviews;
    bool isVertical = false;
};

// "{{x, y}, {w, h}}", each number in its shortest form that reads back as the same number.
QString frameToString(const QRectF &frame);
// Only that form; nothing for any other text, or for numbers no screen could show.
std::optional<QRectF> frameFromString(const QString &text);

QVariantMap plistObject(const std::vector<std::pair<QRectF, bool>> &subviews, bool isVertical);
// Nothing unless the object is a dictionary of version 2.
std::optional<StoredPosition> fromPlistObject(const QVariant &object);

} // namespace splitposition

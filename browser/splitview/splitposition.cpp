#include "browser/splitview/splitposition.h"

#include "platform/defaults/preferenceconversion.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace splitposition {

namespace {

const QString kVersionKey = QStringLiteral("version");
const QString kSubviewsKey = QStringLiteral("subviews");
const QString kFrameKey = QStringLiteral("frame");
const QString kCollapsedKey = QStringLiteral("collapsed");
const QString kIsVerticalKey = QStringLiteral("isVertical");
constexpr int kVersion = 2;

// Collapsed subviews are kept a million points off to the side; a stored frame far beyond that
// was not written by a split view.
constexpr double kLargestCoordinate = 1e7;

QString number(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace

QString frameToString(const QRectF &frame)
{
    return QStringLiteral("{{%1, %2}, {%3, %4}}")
        .arg(number(frame.x()), number(frame.y()), number(frame.width()), number(frame.height()));
}

std::optional<QRectF> frameFromString(const QString &text)
{
    static const QString numberPattern =
        QStringLiteral("([-+]?[0-9]*\\.?[0-9]+(?:[eE][-+]?[0-9]+)?)");
    static const QRegularExpression form(
        QStringLiteral("^\\{\\{%1, %1\\}, \\{%1, %1\\}\\}$").arg(numberPattern));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    double values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = match.captured(i + 1).toDouble(&ok);
        if (!ok || !std::isfinite(values[i]) || std::fabs(values[i]) > kLargestCoordinate)
            return std::nullopt;
    }
    return QRectF(values[0], values[1], values[2], values[3]);
}

QVariantMap plistObject(const std::vector<std::pair<QRectF, bool>> &subviews, bool isVertical)
{
    QVariantList entries;
    for (const auto &[frame, collapsed] : subviews)
        entries.append(QVariantMap{{kFrameKey, frameToString(frame)}, {kCollapsedKey, collapsed}});
    return {{kVersionKey, kVersion}, {kSubviewsKey, entries}, {kIsVerticalKey, isVertical}};
}

std::optional<StoredPosition> fromPlistObject(const QVariant &object)
{
    if (object.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap position = object.toMap();
    if (preferenceconversion::toInt(position.value(kVersionKey)) != kVersion)
        return std::nullopt;
    StoredPosition stored;
    for (const QVariant &entry : position.value(kSubviewsKey).toList()) {
        if (entry.typeId() != QMetaType::QVariantMap) {
            stored.subviews.emplace_back();
            continue;
        }
        const QVariantMap subview = entry.toMap();
        stored.subviews.push_back(
            StoredSubview{frameFromString(subview.value(kFrameKey).toString()),
                          preferenceconversion::toBool(subview.value(kCollapsedKey))});
    }
    stored.isVertical = preferenceconversion::toBool(position.value(kIsVerticalKey));
    return stored;
}

} // namespace splitposition

#include "browser/models/pasteboardtypes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

#include <algorithm>

namespace pasteboardtypes {

QByteArray encodeRows(const DraggedRows &rows)
{
    QJsonArray items;
    for (qsizetype i = 0; i < rows.rows.size(); ++i)
        items.append(QJsonObject{{QStringLiteral("row"), rows.rows[i]},
                                 {QStringLiteral("id"), rows.identifiers.value(i)}});
    return QJsonDocument(QJsonObject{{QStringLiteral("window"), rows.window},
                                     {QStringLiteral("rows"), items}})
        .toJson(QJsonDocument::Compact);
}

std::optional<DraggedRows> decodeRows(const QByteArray &data)
{
    const QJsonDocument document = QJsonDocument::fromJson(data);
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    DraggedRows rows;
    rows.window = object.value(QStringLiteral("window")).toString();
    for (const QJsonValue &item : object.value(QStringLiteral("rows")).toArray()) {
        const QJsonObject row = item.toObject();
        if (!row.value(QStringLiteral("row")).isDouble())
            return std::nullopt;
        rows.rows.append(row.value(QStringLiteral("row")).toInt());
        rows.identifiers.append(row.value(QStringLiteral("id")).toString());
    }
    return rows;
}

bool holdsAnyOf(const QMimeData *data, const QStringList &formats)
{
    return data && std::any_of(formats.begin(), formats.end(),
                               [&](const QString &format) { return data->hasFormat(format); });
}

QByteArray vCardData(const QMimeData *data)
{
    for (const QString &format : vCardTypes) {
        if (data && data->hasFormat(format))
            return data->data(format);
    }
    return {};
}

QStringList recordIdentifiers(const QMimeData *data, const QString &format)
{
    QStringList identifiers;
    if (!data || (format != abPeople && format != abGroups))
        return identifiers;
    for (const QJsonValue &value : QJsonDocument::fromJson(data->data(format)).array()) {
        if (value.isString())
            identifiers.append(value.toString());
    }
    return identifiers;
}

QStringList localFiles(const QMimeData *data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    return paths;
}

} // namespace pasteboardtypes

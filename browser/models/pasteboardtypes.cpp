#include "browser/models/pasteboardtypes.h"

#include <QDataStream>
#include <QIODevice>
#include <QModelIndex>

#include <algorithm>
#include <set>

namespace pasteboardtypes {

QMimeData *rowsMimeData(const QString &format, const QModelIndexList &indexes)
{
    std::set<int> rows;
    for (const QModelIndex &index : indexes) {
        if (index.isValid())
            rows.insert(index.row());
    }
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << QList<int>(rows.begin(), rows.end());
    auto *data = new QMimeData;
    data->setData(format, bytes);
    return data;
}

bool holdsAnyOf(const QMimeData *data, const QStringList &formats)
{
    return data && std::any_of(formats.begin(), formats.end(),
                               [&](const QString &format) { return data->hasFormat(format); });
}

} // namespace pasteboardtypes

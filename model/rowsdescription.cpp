#include "model/rowsdescription.h"

#include "platform/store/managedobject.h"

#include <QStringList>

QString describeRows(const QList<ManagedObject *> &rows)
{
    QStringList parts;
    for (const ManagedObject *row : rows)
        parts.append(row->description());
    return u'(' + parts.join(QStringLiteral(", ")) + u')';
}

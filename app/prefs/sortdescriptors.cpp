#include "app/prefs/sortdescriptors.h"

#include <QPartialOrdering>

namespace sortdescriptors {

int compareValues(const QVariant &first, const QVariant &second)
{
    if (first.typeId() == QMetaType::QString || second.typeId() == QMetaType::QString)
        return first.toString().compare(second.toString(), Qt::CaseSensitive);
    const QPartialOrdering order = QVariant::compare(first, second);
    if (order == QPartialOrdering::Less)
        return -1;
    if (order == QPartialOrdering::Greater)
        return 1;
    return 0;
}

} // namespace sortdescriptors

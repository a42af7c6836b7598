#include "platform/store/objectid.h"

QString ObjectID::uriRepresentation() const
{
    const QString last =
        isTemporary() ? u't' + QString::number(temporaryNumber) : u'p' + QString::number(key);
    return QStringLiteral("x-tolvane-store://") + storeIdentifier + u'/' + entityName + u'/' + last;
}

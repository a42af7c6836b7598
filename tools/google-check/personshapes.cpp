#include "tools/google-check/personshapes.h"

#include "platform/gdata/people/peopleconstants.h"

#include <QJsonArray>

QJsonObject firstOf(const QJsonObject &person, const char *field)
{
    return person.value(QLatin1String(field)).toArray().at(0).toObject();
}

QString contactUpdateTime(const QJsonObject &person)
{
    const QJsonArray sources = person.value(QLatin1String("metadata"))
                                   .toObject()
                                   .value(QLatin1String("sources"))
                                   .toArray();
    for (const QJsonValue &source : sources)
        if (source.toObject().value(QLatin1String("type")).toString() ==
            QLatin1String(kPeopleSourceTypeContact))
            return source.toObject().value(QLatin1String("updateTime")).toString();
    return {};
}

bool hasOwnClientData(const QJsonObject &person)
{
    for (const QJsonValue &item : person.value(QLatin1String("clientData")).toArray())
        if (item.toObject()
                .value(QLatin1String("key"))
                .toString()
                .startsWith(QLatin1String(kPeopleClientDataPrefix)))
            return true;
    return false;
}

#include "tools/gdata-server/people/personfields.h"

namespace personfields {

const QStringList &readable()
{
    static const QStringList fields = {
        "addresses",    "ageRanges",     "biographies",    "birthdays",   "calendarUrls",
        "clientData",   "coverPhotos",   "emailAddresses", "events",      "externalIds",
        "genders",      "imClients",     "interests",      "locales",     "locations",
        "memberships",  "metadata",      "miscKeywords",   "names",       "nicknames",
        "occupations",  "organizations", "phoneNumbers",   "photos",      "relations",
        "sipAddresses", "skills",        "urls",           "userDefined",
    };
    return fields;
}

const QStringList &updatable()
{
    static const QStringList fields = [] {
        QStringList writable = readable();
        for (const char *readOnly : {"ageRanges", "coverPhotos", "metadata", "photos", "skills"})
            writable.removeAll(QLatin1String(readOnly));
        return writable;
    }();
    return fields;
}

Mask parse(const QString &text, const QStringList &allowed, const QString &parameter)
{
    Mask mask;
    for (QString field : text.split(u',', Qt::SkipEmptyParts)) {
        field = field.trimmed();
        if (field.startsWith(QLatin1String("person.")))
            field = field.mid(7);
        if (!allowed.contains(field)) {
            mask.error = QStringLiteral("Invalid %1 mask path: \"%2\".").arg(parameter, field);
            return mask;
        }
        if (!mask.fields.contains(field))
            mask.fields.append(field);
    }
    if (mask.fields.isEmpty())
        mask.error = QStringLiteral("%1 mask is required. Please specify one or more valid paths.")
                         .arg(parameter);
    return mask;
}

} // namespace personfields

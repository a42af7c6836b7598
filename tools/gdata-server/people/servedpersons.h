// Connection list pages made from persons rendered once. A full account is read page after page,
// run after run, while its persons change a few at a time; rendering every person's JSON again
// for each page cost more than anything else the People face did. A person's compact JSON is kept
// with what it was made from (the stored entry, its People JSON, its photo, the mask and what the
// memberships and photo URLs read) and made again only when any of them differs.
#pragma once

#include "tools/gdata-server/people/peoplecontext.h"

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QStringList>

#include <optional>
#include <vector>

class ServedPersons
{
public:
    // The JSON objects of the persons as a read with that mask shows them, each in compact text.
    std::vector<QByteArray> personsJSON(const PeopleContext &context,
                                        const std::vector<const StoredEntry *> &persons,
                                        const QStringList &fields);

private:
    struct Served
    {
        QString scope;
        GDataEntryPtr entry; // held, so that a later entry cannot take its place in memory
        std::optional<QString> etag;
        QJsonObject people;
        QString photoETag;
        bool hasPhoto = false;
        QByteArray json;

        bool isCurrentFor(const QString &scope, const StoredEntry &stored) const;
    };

    QHash<QString, Served> m_served;
};

#include "tools/gdata-server/people/servedpersons.h"

#include "tools/gdata-server/people/persontranslation.h"

#include <QJsonDocument>

namespace {

// Everything a person's JSON reads besides the person: the mask, where photos are served, and
// which groups are live (a membership of a deleted group is not shown).
QString scopeOf(const PeopleContext &context, const QStringList &fields)
{
    QString scope = fields.join(u',') + u'\n' + context.photoUrlBase() + u'\n';
    for (const StoredEntry &group : context.account().entries(Account::Collection::Groups)) {
        if (!group.entry->isDeleted())
            scope += group.localId + u' ';
    }
    return scope;
}

} // namespace

bool ServedPersons::Served::isCurrentFor(const QString &currentScope,
                                         const StoredEntry &stored) const
{
    // A write replaces the stored entry; the ETag and the People JSON guard against one changed
    // in place.
    return entry && entry == stored.entry && scope == currentScope &&
           etag == stored.entry->ETag() && hasPhoto == !stored.photo.data.isEmpty() &&
           photoETag == stored.photo.etag && people == stored.people;
}

std::vector<QByteArray> ServedPersons::personsJSON(const PeopleContext &context,
                                                   const std::vector<const StoredEntry *> &persons,
                                                   const QStringList &fields)
{
    const QString scope = scopeOf(context, fields);
    const QString account = context.account().email() + u'\n';
    std::vector<QByteArray> texts;
    texts.reserve(persons.size());
    for (const StoredEntry *stored : persons) {
        Served &served = m_served[account + stored->localId];
        if (!served.isCurrentFor(scope, *stored)) {
            const QJsonObject person =
                persontranslation::masked(persontranslation::render(context, *stored), fields);
            served = {scope,
                      stored->entry,
                      stored->entry->ETag(),
                      stored->people,
                      stored->photo.etag,
                      !stored->photo.data.isEmpty(),
                      QJsonDocument(person).toJson(QJsonDocument::Compact)};
        }
        texts.push_back(served.json);
    }
    return texts;
}

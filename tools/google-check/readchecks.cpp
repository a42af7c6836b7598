#include "tools/google-check/readchecks.h"

#include "platform/gdata/people/peopleconstants.h"
#include "platform/gdata/people/peoplereader.h"
#include "tools/google-check/checkapi.h"
#include "tools/google-check/personshapes.h"

#include <QElapsedTimer>
#include <QJsonValue>

namespace {

// The person fields whose elements carry metadata.primary and sourcePrimary.
constexpr const char *kElementFields[] = {"names",       "emailAddresses", "phoneNumbers",
                                          "addresses",   "imClients",      "organizations",
                                          "biographies", "photos"};

QJsonArray pagesOf(const CheckList &list)
{
    QJsonArray pages;
    for (const CheckList::Page &page : list.pages) {
        QJsonObject item{{"ms", page.ms}, {"count", page.count}};
        if (page.totalItems)
            item.insert("totalItems", *page.totalItems);
        pages.append(item);
    }
    return pages;
}

qint64 totalMs(const CheckList &list)
{
    qint64 ms = 0;
    for (const CheckList::Page &page : list.pages)
        ms += page.ms;
    return ms;
}

// totalItems of the first page, and whether every page said the same.
void addTotals(const CheckList &list, int count, QJsonObject *section)
{
    section->insert("count", count);
    if (list.pages.empty() || !list.pages.front().totalItems) {
        section->insert("totalItems", QJsonValue());
        return;
    }
    const int total = *list.pages.front().totalItems;
    bool steady = true;
    for (const CheckList::Page &page : list.pages)
        steady = steady && page.totalItems == total;
    section->insert("totalItems", total);
    section->insert("totalItemsMatchesCount", total == count);
    section->insert("totalItemsSameOnEveryPage", steady);
}

QJsonObject metadataOf(const QJsonValue &element)
{
    return element.toObject().value(QLatin1String("metadata")).toObject();
}

} // namespace

QJsonObject checkGroups(CheckApi &api)
{
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("pageSize"), QStringLiteral("1000"));
    query.addQueryItem(QStringLiteral("groupFields"), QLatin1String(kPeopleGroupFields));
    const CheckList list =
        api.list(QStringLiteral("v1/contactGroups"), query, QStringLiteral("contactGroups"));
    QJsonObject section{{"ms", totalMs(list)}, {"pages", pagesOf(list)}};
    if (list.failure) {
        section.insert("error", errorShape(*list.failure));
        return section;
    }
    addTotals(list, int(list.items.size()), &section);
    QJsonObject byType;
    QJsonArray systemNames;
    for (const QJsonValue &value : list.items) {
        const QJsonObject group = value.toObject();
        const QString type = group.value(QLatin1String("groupType")).toString();
        byType.insert(type, byType.value(type).toInt() + 1);
        // System groups have names of Google's; user groups' names are the person's and stay out.
        if (type != QLatin1String(kPeopleGroupTypeUser))
            systemNames.append(group.value(QLatin1String("resourceName")));
    }
    section.insert("byType", byType);
    section.insert("systemGroups", systemNames);
    int shown = 0;
    for (const QByteArray &body : list.bodies) {
        peoplereader::ParseError error;
        const auto page = peoplereader::readContactGroupsPage(body, api.apiText(),
                                                              PeopleProjection::full(), &error);
        if (!page) {
            section.insert("readerError", error.message);
            return section;
        }
        shown += int(page->entries.size());
    }
    section.insert("shownToTolvane", shown);
    return section;
}

QJsonObject checkConnections(CheckApi &api, QJsonArray *persons, QString *syncToken)
{
    const CheckList list = api.list(QStringLiteral("v1/people/me/connections"), connectionsQuery(),
                                    QStringLiteral("connections"));
    QJsonObject section{{"ms", totalMs(list)}, {"pages", pagesOf(list)}};
    if (list.failure) {
        section.insert("error", errorShape(*list.failure));
        return section;
    }
    addTotals(list, int(list.items.size()), &section);
    section.insert("syncTokenCame", !list.nextSyncToken.isEmpty());
    *persons = list.items;
    *syncToken = list.nextSyncToken;
    int read = 0;
    for (const QByteArray &body : list.bodies) {
        peoplereader::ParseError error;
        const auto page = peoplereader::readConnectionsPage(body, api.apiText(),
                                                            PeopleProjection::full(), &error);
        if (!page) {
            section.insert("readerError", error.message);
            return section;
        }
        read += int(page->entries.size());
    }
    section.insert("readByTolvane", read);
    return section;
}

QJsonObject fieldPresence(const QJsonArray &persons)
{
    int unstructured = 0, displayOnly = 0, noName = 0;
    int addresses = 0, formatted = 0, structuredOnly = 0;
    int sourcePrimary = 0, primary = 0;
    int withClientData = 0, withOwn = 0, withOther = 0;
    int withPhotos = 0, defaultPhotos = 0, otherPhotos = 0;
    int noUpdateTime = 0, noEtag = 0, severalNames = 0;
    for (const QJsonValue &value : persons) {
        const QJsonObject person = value.toObject();
        const QJsonArray names = person.value(QLatin1String("names")).toArray();
        const QJsonObject name = names.at(0).toObject();
        if (names.size() > 1)
            ++severalNames;
        if (name.contains(QLatin1String("unstructuredName")))
            ++unstructured;
        else if (name.contains(QLatin1String("displayName")))
            ++displayOnly;
        else
            ++noName;
        for (const QJsonValue &address : person.value(QLatin1String("addresses")).toArray()) {
            ++addresses;
            if (address.toObject().contains(QLatin1String("formattedValue")))
                ++formatted;
            else
                ++structuredOnly;
        }
        for (const char *field : kElementFields) {
            for (const QJsonValue &element : person.value(QLatin1String(field)).toArray()) {
                sourcePrimary += metadataOf(element).value(QLatin1String("sourcePrimary")).toBool();
                primary += metadataOf(element).value(QLatin1String("primary")).toBool();
            }
        }
        const QJsonArray clientData = person.value(QLatin1String("clientData")).toArray();
        if (!clientData.isEmpty()) {
            ++withClientData;
            const bool own = hasOwnClientData(person);
            withOwn += own;
            bool other = false;
            for (const QJsonValue &item : clientData)
                other = other || !item.toObject()
                                      .value(QLatin1String("key"))
                                      .toString()
                                      .startsWith(QLatin1String(kPeopleClientDataPrefix));
            withOther += other;
        }
        const QJsonArray photos = person.value(QLatin1String("photos")).toArray();
        withPhotos += !photos.isEmpty();
        for (const QJsonValue &photo : photos) {
            if (photo.toObject().value(QLatin1String("default")).toBool())
                ++defaultPhotos;
            else
                ++otherPhotos;
        }
        noUpdateTime += contactUpdateTime(person).isEmpty();
        noEtag += !person.contains(QLatin1String("etag"));
    }
    return {{"persons", int(persons.size())},
            {"names", QJsonObject{{"unstructuredName", unstructured},
                                  {"displayNameOnly", displayOnly},
                                  {"none", noName},
                                  {"severalNames", severalNames}}},
            {"addresses", QJsonObject{{"count", addresses},
                                      {"formattedValue", formatted},
                                      {"structuredOnly", structuredOnly}}},
            {"elementsMarked", QJsonObject{{"sourcePrimary", sourcePrimary}, {"primary", primary}}},
            {"clientData", QJsonObject{{"persons", withClientData},
                                       {"thisClientsItems", withOwn},
                                       {"otherItems", withOther}}},
            {"photos", QJsonObject{{"persons", withPhotos},
                                   {"default", defaultPhotos},
                                   {"notDefault", otherPhotos}}},
            {"withoutContactUpdateTime", noUpdateTime},
            {"withoutEtag", noEtag}};
}

QJsonObject checkPhotoFetch(CheckApi &api, const QJsonArray &persons)
{
    for (const QJsonValue &value : persons) {
        for (const QJsonValue &photo : value.toObject().value(QLatin1String("photos")).toArray()) {
            if (photo.toObject().value(QLatin1String("default")).toBool())
                continue;
            const QUrl url(photo.toObject().value(QLatin1String("url")).toString());
            const CheckReply reply = api.fetchWithoutToken(url);
            return {{"tried", true},
                    {"status", reply.status},
                    {"ms", reply.ms},
                    {"bytes", int(reply.body.size())},
                    {"sameHostAsApi", url.host() == api.apiRoot().host()}};
        }
    }
    return {{"tried", false}};
}

QJsonObject checkTokenRefresh(CheckApi &api, const bool &renewedRefreshToken)
{
    const std::optional<QString> held = api.token();
    if (!held)
        return {{"ok", false}, {"stage", "first token"}};
    QElapsedTimer clock;
    clock.start();
    const std::optional<QString> renewed = api.token(*held);
    return {{"ok", renewed.has_value()},
            {"ms", clock.elapsed()},
            {"newAccessToken", renewed && *renewed != *held},
            {"newRefreshToken", renewedRefreshToken}};
}

QJsonObject checkIncrementalList(CheckApi &api, const QString &syncToken)
{
    if (syncToken.isEmpty())
        return {{"tried", false}};
    const CheckList list = api.list(QStringLiteral("v1/people/me/connections"),
                                    connectionsQuery(syncToken), QStringLiteral("connections"));
    QJsonObject section{{"tried", true}, {"ms", totalMs(list)}, {"pages", pagesOf(list)}};
    if (list.failure) {
        section.insert("error", errorShape(*list.failure));
        return section;
    }
    int deleted = 0;
    for (const QJsonValue &person : list.items)
        deleted += person.toObject()
                       .value(QLatin1String("metadata"))
                       .toObject()
                       .value(QLatin1String("deleted"))
                       .toBool();
    section.insert("persons", int(list.items.size()));
    section.insert("deleted", deleted);
    section.insert("newSyncTokenCame", !list.nextSyncToken.isEmpty());
    return section;
}

QJsonObject checkMissingPerson(CheckApi &api)
{
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("personFields"), QStringLiteral("names"));
    const CheckReply reply =
        api.call("GET", QStringLiteral("v1/") + QLatin1String(kUnknownPersonName), query);
    return errorShape(reply);
}

#include "tools/gdata-server/people/contactgroupsapi.h"

#include "tools/gdata-server/people/clientdata.h"
#include "tools/gdata-server/people/googleerror.h"
#include "tools/gdata-server/people/listselection.h"

#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

using googleerror::error;
using googleerror::json;
using Collection = Account::Collection;

constexpr int kDefaultPageSize = 30;
const QString kNotFound = QStringLiteral("Requested entity was not found.");
const QStringList kGroupFields = {"clientData", "groupType", "memberCount", "metadata", "name"};
const QStringList kDefaultGroupFields = {"metadata", "groupType", "memberCount", "name"};

std::optional<QStringList> groupFields(const QString &text, QString *problem)
{
    if (text.isEmpty())
        return kDefaultGroupFields;
    QStringList fields;
    for (const QString &field : text.split(u',', Qt::SkipEmptyParts)) {
        if (!kGroupFields.contains(field.trimmed())) {
            *problem = QStringLiteral("Invalid groupFields mask path: \"%1\".").arg(field);
            return std::nullopt;
        }
        fields.append(field.trimmed());
    }
    return fields;
}

QJsonObject masked(const QJsonObject &group, const QStringList &fields)
{
    QJsonObject shown;
    for (auto it = group.begin(); it != group.end(); ++it) {
        const QString field =
            it.key() == QLatin1String("formattedName") ? QStringLiteral("name") : it.key();
        const bool tombstone = field == QLatin1String("metadata") &&
                               group.value("metadata").toObject().value("deleted").toBool();
        if (field == QLatin1String("resourceName") || field == QLatin1String("etag") ||
            field == QLatin1String("memberResourceNames") || fields.contains(field) || tombstone)
            shown.insert(it.key(), it.value());
    }
    return shown;
}

std::optional<QJsonObject> jsonObject(const QByteArray &body)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

bool isMember(const GDataEntryContact &contact, const QString &href)
{
    for (const GDataGroupMembershipInfo &info : contact.groupMembershipInfos()) {
        if (!info.deleted && info.href == href)
            return true;
    }
    return false;
}

} // namespace

QHash<QString, int> groupMemberCounts(const PeopleContext &context)
{
    QHash<QString, int> counts;
    for (const StoredEntry &stored : context.account().entries(Collection::Contacts)) {
        if (stored.entry->isDeleted())
            continue;
        counts[QStringLiteral("all")] += 1;
        if (stored.people.value("starred").toBool())
            counts[QStringLiteral("starred")] += 1;
        for (const auto &info :
             static_cast<const GDataEntryContact &>(*stored.entry).groupMembershipInfos()) {
            if (!info.deleted)
                counts[ServerUrls::localIdOf(info.href, Collection::Groups)] += 1;
        }
    }
    return counts;
}

bool ContactGroupsApi::handles(const QString &path)
{
    return path == QLatin1String("/v1/contactGroups") ||
           path.startsWith(QLatin1String("/v1/contactGroups/"));
}

QJsonObject ContactGroupsApi::render(const PeopleContext &context, const QString &key,
                                     const QHash<QString, int> &memberCounts) const
{
    const StoredEntry *stored = context.account().find(Collection::Groups, key);
    const PeopleSystemGroup *system = stored ? systemGroupWithLocalId(key) : systemGroupNamed(key);
    QJsonObject group{
        {"resourceName", stored ? context.groupName(key) : QStringLiteral("contactGroups/") + key},
        {"groupType", system ? "SYSTEM_CONTACT_GROUP" : "USER_CONTACT_GROUP"},
        {"memberCount", memberCounts.value(key)}};
    const QDateTime updated =
        stored ? stored->entry->updatedDate() : QDateTime::fromMSecsSinceEpoch(0, Qt::UTC);
    QJsonObject metadata{{"updateTime", updated.toUTC().toString(Qt::ISODateWithMs)}};
    if (stored && stored->entry->isDeleted())
        metadata.insert("deleted", true);
    group.insert("metadata", metadata);
    group.insert("etag",
                 stored ? PeopleContext::etagOf(*stored->entry) : QStringLiteral("%system-") + key);
    if (system) {
        group.insert("name", QLatin1String(system->name));
        group.insert("formattedName", QLatin1String(system->formattedName));
    } else if (stored) {
        group.insert("name", stored->entry->title().value_or(QString()));
        group.insert("formattedName", stored->entry->title().value_or(QString()));
    }
    if (stored) {
        const QJsonArray items =
            clientdata::render(stored->entry->extendedProperties(), stored->people);
        if (!items.isEmpty())
            group.insert("clientData", items);
    }
    return group;
}

HttpResponse ContactGroupsApi::handle(const HttpRequest &request, Account &account)
{
    const PeopleContext context(m_urls, account);
    const QString path = request.url.path();
    const QUrlQuery query(request.url);
    const QByteArray &method = request.method;
    std::optional<QJsonObject> body = QJsonObject();
    if (method == "POST" || method == "PUT") {
        body = jsonObject(request.body);
        if (!body)
            return error(400, QStringLiteral("Invalid JSON payload received."));
    }
    if (path == QLatin1String("/v1/contactGroups")) {
        if (method == "GET")
            return list(context, query);
        if (method == "POST")
            return create(context, *body);
        return error(404, QStringLiteral("Method not found."));
    }
    const QString key = context.groupKey(path.mid(4));
    if (key.isEmpty())
        return error(404, kNotFound);
    if (method == "GET")
        return get(context, key, query);
    if (method == "PUT")
        return update(context, key, *body);
    if (method == "DELETE")
        return remove(context, key, query);
    return error(404, QStringLiteral("Method not found."));
}

HttpResponse ContactGroupsApi::list(const PeopleContext &context, const QUrlQuery &query)
{
    QString problem;
    const auto fields = groupFields(query.queryItemValue("groupFields"), &problem);
    if (!fields)
        return error(400, problem);
    HttpResponse refused;
    const auto selection = ListSelection::read(query, m_options, context.account().email(),
                                               QStringLiteral("contactGroups"), kDefaultPageSize,
                                               &refused);
    if (!selection)
        return refused;

    // The stored system groups, the two the People face alone has, then the account's own; an
    // incremental list holds the changed ones alone, tombstones included.
    QStringList keys;
    for (const StoredEntry &stored : context.account().entries(Collection::Groups)) {
        if (selection->shows(stored) && systemGroupWithLocalId(stored.localId))
            keys.append(stored.localId);
    }
    for (const PeopleSystemGroup &system : peopleSystemGroups()) {
        if (!*system.localId && !selection->incremental())
            keys.append(QLatin1String(system.name));
    }
    for (const StoredEntry &stored : context.account().entries(Collection::Groups)) {
        if (selection->shows(stored) && !systemGroupWithLocalId(stored.localId))
            keys.append(stored.localId);
    }
    const QHash<QString, int> counts = groupMemberCounts(context);
    QJsonArray groups;
    const qsizetype first = qMin(keys.size(), qsizetype(selection->offset()));
    const qsizetype end = qMin(keys.size(), first + selection->pageSize());
    for (qsizetype i = first; i < end; ++i)
        groups.append(masked(render(context, keys[i], counts), *fields));
    QJsonObject answer{{"totalItems", int(keys.size())}};
    if (!groups.isEmpty())
        answer.insert("contactGroups", groups);
    selection->addTokens(answer, size_t(end), size_t(keys.size()));
    return json(200, answer);
}

HttpResponse ContactGroupsApi::get(const PeopleContext &context, const QString &key,
                                   const QUrlQuery &query)
{
    QString problem;
    const auto fields = groupFields(query.queryItemValue("groupFields"), &problem);
    if (!fields)
        return error(400, problem);
    QJsonObject group = render(context, key, groupMemberCounts(context));
    const int maxMembers = query.queryItemValue("maxMembers").toInt();
    if (maxMembers > 0) {
        const QString href = context.groupHref(key);
        QJsonArray members;
        for (const StoredEntry &stored : context.account().entries(Collection::Contacts)) {
            if (members.size() >= maxMembers)
                break;
            const auto &contact = static_cast<const GDataEntryContact &>(*stored.entry);
            const bool member = key == QLatin1String("all") ? true
                                : key == QLatin1String("starred")
                                    ? stored.people.value("starred").toBool()
                                    : isMember(contact, href);
            if (!stored.entry->isDeleted() && member)
                members.append(PeopleContext::personName(stored.localId));
        }
        if (!members.isEmpty())
            group.insert("memberResourceNames", members);
    }
    return json(200, masked(group, *fields));
}

bool ContactGroupsApi::nameTaken(const Account &account, const QString &name,
                                 const QString &exceptLocalId) const
{
    for (const StoredEntry &stored : account.entries(Collection::Groups)) {
        if (!stored.entry->isDeleted() && stored.localId != exceptLocalId &&
            !systemGroupWithLocalId(stored.localId) && stored.entry->title() == name)
            return true;
    }
    return false;
}

HttpResponse ContactGroupsApi::create(const PeopleContext &context, const QJsonObject &body)
{
    QString problem;
    const auto fields = groupFields(body.value("readGroupFields").toString(), &problem);
    if (!fields)
        return error(400, problem);
    const QJsonObject group = body.value("contactGroup").toObject();
    const QString name = group.value("name").toString().trimmed();
    if (name.isEmpty())
        return error(400, QStringLiteral("contactGroup.name must not be empty."));
    if (nameTaken(context.account(), name, {}))
        return error(409, QStringLiteral("Contact group name already exists."));
    auto entry = GDataEntryContactGroup::contactGroupEntryWithTitle(name);
    QJsonObject people;
    entry->setExtendedProperties(clientdata::write(group.value("clientData").toArray(), people));
    entry->setUpdatedDate(m_state.nextUpdated());
    entry->setETag(m_state.nextETag());
    StoredEntry &stored = context.account().add(Collection::Groups, entry);
    stored.people = people;
    return json(200, masked(render(context, stored.localId, {}), *fields));
}

HttpResponse ContactGroupsApi::update(const PeopleContext &context, const QString &key,
                                      const QJsonObject &body)
{
    QString problem;
    const auto fields = groupFields(body.value("readGroupFields").toString(), &problem);
    if (!fields)
        return error(400, problem);
    const QStringList updated =
        body.value("updateGroupFields").toString(QStringLiteral("name")).split(u',');
    for (const QString &field : updated) {
        if (field != QLatin1String("name") && field != QLatin1String("clientData"))
            return error(400,
                         QStringLiteral("Invalid updateGroupFields mask path: \"%1\".").arg(field));
    }
    const OperationResult target =
        m_operations.writable(context.account(), Collection::Groups, key);
    if (!target.ok())
        return target.status == 404 ? error(404, kNotFound)
                                    : error(400, QStringLiteral("System contact groups cannot "
                                                                "be changed."));
    StoredEntry &stored = *target.stored;
    const QJsonObject group = body.value("contactGroup").toObject();
    const QString etag = group.value("etag").toString();
    if (etag.isEmpty())
        return error(400, QStringLiteral("Request must set contactGroup.etag."));
    if (etag != PeopleContext::etagOf(*stored.entry))
        return error(m_options.staleEtagStatus,
                     QStringLiteral("contactGroup.etag is different than the current etag."),
                     QStringLiteral("failedPrecondition"), QStringLiteral("FAILED_PRECONDITION"));
    GDataEntryPtr entry = stored.entry->copy();
    QJsonObject people = stored.people;
    if (updated.contains(QLatin1String("name"))) {
        const QString name = group.value("name").toString().trimmed();
        if (name.isEmpty())
            return error(400, QStringLiteral("contactGroup.name must not be empty."));
        if (nameTaken(context.account(), name, key))
            return error(409, QStringLiteral("Contact group name already exists."));
        entry->setTitle(name);
    }
    if (updated.contains(QLatin1String("clientData")))
        entry->setExtendedProperties(
            clientdata::write(group.value("clientData").toArray(), people));
    entry->setUpdatedDate(m_state.nextUpdated());
    entry->setETag(m_state.nextETag());
    stored.entry = entry;
    stored.people = people;
    return json(200, masked(render(context, key, groupMemberCounts(context)), *fields));
}

HttpResponse ContactGroupsApi::remove(const PeopleContext &context, const QString &key,
                                      const QUrlQuery &query)
{
    const OperationResult result =
        m_operations.remove(context.account(), Collection::Groups, key, std::nullopt, false);
    if (!result.ok())
        return result.status == 404 ? error(404, kNotFound)
                                    : error(400, QStringLiteral("System contact groups cannot "
                                                                "be deleted."));
    if (query.queryItemValue("deleteContacts") == QLatin1String("true")) {
        const QString href = context.groupHref(key);
        for (StoredEntry &stored : context.account().entries(Collection::Contacts)) {
            if (!stored.entry->isDeleted() &&
                isMember(static_cast<const GDataEntryContact &>(*stored.entry), href))
                m_operations.remove(context.account(), Collection::Contacts, stored.localId,
                                    std::nullopt, false);
        }
    }
    return json(200, {});
}

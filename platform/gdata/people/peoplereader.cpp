#include "platform/gdata/people/peoplereader.h"

#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/people/peopleclientdata.h"
#include "platform/gdata/people/peopleconstants.h"
#include "platform/gdata/people/peoplefieldtypes.h"
#include "platform/gdata/people/peoplejson.h"
#include "platform/gdata/people/peoplejsonviews.h"
#include "platform/gdata/people/peoplesourceaccess.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QTimeZone>
#include <QUrl>

namespace peoplereader {

namespace {

using peoplefieldtypes::Field;
using peoplejson::stringValue;

// System groups that take no new members, kept out of the group feed with their memberships.
constexpr const char *kHiddenSystemGroups[] = {
    "contactGroups/friends", "contactGroups/family",      "contactGroups/coworkers",
    "contactGroups/starred", "contactGroups/chatBuddies", "contactGroups/all",
    "contactGroups/blocked",
};

void fail(ParseError *error, const QString &message)
{
    if (error)
        error->message = message;
}

// The prefix and an id of one path segment: anything else could not be addressed again.
bool isResourceName(const QString &name, const char *prefix)
{
    const QLatin1String start(prefix);
    return name.startsWith(start) && name.size() > start.size() &&
           !name.mid(start.size()).contains(QLatin1Char('/'));
}

QString resourceNameWithPrefix(const QJsonObject &object, const char *prefix)
{
    const QString name = object.value(QStringLiteral("resourceName")).toString();
    return isResourceName(name, prefix) ? name : QString();
}

template <typename View> View firstItem(const View &list)
{
    std::vector<View> items = list.items();
    return items.empty() ? View() : std::move(items.front());
}

template <typename View> bool isPrimary(const View &value)
{
    const View metadata = value.member(QLatin1StringView("metadata"));
    return metadata.member(QLatin1StringView("primary")).toBool() ||
           metadata.member(QLatin1StringView("sourcePrimary")).toBool();
}

template <typename View> peoplefieldtypes::RelOrLabel typeOf(Field field, const View &value)
{
    return peoplefieldtypes::readType(field, value.member(QLatin1StringView("type")).string());
}

std::optional<QDateTime> readTime(const QString &text)
{
    QDateTime time = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (time.isValid())
        return time.toUTC();
    return std::nullopt;
}

QDateTime timeOrEpoch(const std::optional<QDateTime> &time, const QString &resourceName)
{
    if (time)
        return *time;
    qWarning("People: %s has no update time; 1970-01-01 taken", qPrintable(resourceName));
    return QDateTime::fromSecsSinceEpoch(0, QTimeZone::utc());
}

template <typename View> QString contactUpdateTime(const View &metadata)
{
    for (const View &source : metadata.member(QLatin1StringView("sources")).items()) {
        if (source.member(QLatin1StringView("type")).toString() ==
            QLatin1String(kPeopleSourceTypeContact))
            return source.member(QLatin1StringView("updateTime")).toString();
    }
    return {};
}

// The read copy is the value's text as read where that is known, else the value written again.
template <typename View> void keepRead(GDataPeopleSource &source, const View &json)
{
    if (json.text().isEmpty())
        PeopleSourceAccess::setRead(source, json.object());
    else
        PeopleSourceAccess::setReadText(source, json.text());
}

template <typename Value, typename View> void keepSource(Value &value, const View &json)
{
    keepRead(value.peopleSource, json);
}

template <typename View> std::vector<GDataEmail> readEmails(const View &person)
{
    std::vector<GDataEmail> emails;
    for (const View &json : person.member(QLatin1StringView("emailAddresses")).items()) {
        const auto type = typeOf(Field::Email, json);
        GDataEmail email{json.member(QLatin1StringView("value")).toString(), type.rel, type.label,
                         isPrimary(json)};
        keepSource(email, json);
        emails.push_back(std::move(email));
    }
    return emails;
}

template <typename View> std::vector<GDataPhoneNumber> readPhones(const View &person)
{
    std::vector<GDataPhoneNumber> phones;
    for (const View &json : person.member(QLatin1StringView("phoneNumbers")).items()) {
        const auto type = typeOf(Field::Phone, json);
        GDataPhoneNumber phone{json.member(QLatin1StringView("value")).toString(), type.rel,
                               type.label, isPrimary(json)};
        keepSource(phone, json);
        phones.push_back(std::move(phone));
    }
    return phones;
}

template <typename View> std::vector<GDataPostalAddress> readAddresses(const View &person)
{
    std::vector<GDataPostalAddress> addresses;
    for (const View &json : person.member(QLatin1StringView("addresses")).items()) {
        const auto type = typeOf(Field::Address, json);
        GDataPostalAddress address{json.member(QLatin1StringView("formattedValue")).toString(),
                                   type.rel, type.label, isPrimary(json)};
        keepSource(address, json);
        addresses.push_back(std::move(address));
    }
    return addresses;
}

template <typename View> std::vector<GDataIM> readIMs(const View &person)
{
    std::vector<GDataIM> ims;
    for (const View &json : person.member(QLatin1StringView("imClients")).items()) {
        const auto type = typeOf(Field::IM, json);
        GDataIM im{
            json.member(QLatin1StringView("username")).toString(),
            peoplefieldtypes::readProtocol(json.member(QLatin1StringView("protocol")).string()),
            type.rel, type.label, isPrimary(json)};
        keepSource(im, json);
        ims.push_back(std::move(im));
    }
    return ims;
}

template <typename View> std::vector<GDataOrganization> readOrganizations(const View &person)
{
    std::vector<GDataOrganization> organizations;
    for (const View &json : person.member(QLatin1StringView("organizations")).items()) {
        const auto type = typeOf(Field::Organization, json);
        GDataOrganization organization{json.member(QLatin1StringView("name")).string(),
                                       json.member(QLatin1StringView("title")).string(), type.rel,
                                       type.label, isPrimary(json)};
        keepSource(organization, json);
        organizations.push_back(std::move(organization));
    }
    return organizations;
}

template <typename View>
std::vector<GDataGroupMembershipInfo> readMemberships(const View &person, const QString &api)
{
    std::vector<GDataGroupMembershipInfo> memberships;
    for (const View &json : person.member(QLatin1StringView("memberships")).items()) {
        const QString group = json.member(QLatin1StringView("contactGroupMembership"))
                                  .member(QLatin1StringView("contactGroupResourceName"))
                                  .toString();
        if (!isShownMembershipGroup(group))
            continue;
        GDataGroupMembershipInfo membership{identifierForResourceName(api, group), false};
        keepSource(membership, json);
        memberships.push_back(std::move(membership));
    }
    return memberships;
}

// The projection's properties for the layers above; the rest stays with the entry's read copy.
template <typename View>
void readClientData(GDataEntryBase &entry, const View &resource, const PeopleProjection &projection)
{
    std::vector<GDataExtendedProperty> properties;
    QJsonArray hidden;
    for (const View &item : resource.member(QLatin1StringView("clientData")).items()) {
        GDataExtendedProperty property =
            peopleclientdata::propertyFromItem(item.member(QLatin1StringView("key")).toString(),
                                               item.member(QLatin1StringView("value")).string());
        keepRead(property.peopleSource(), item);
        if (projection.shows(property.name()))
            properties.push_back(std::move(property));
        else
            hidden.append(item.object());
    }
    entry.setExtendedProperties(std::move(properties));
    PeopleSourceAccess::setHiddenClientData(entry.peopleSource(), hidden);
}

// The first photo of the contact's own source, marked with its person so that a photo call can
// find the resource; the ETag (a hash of the URL) only for a photo the user set, so a default
// photo reads as no photo.
template <typename View>
std::optional<GDataLink> readPhotoLink(const View &person, const QString &resourceName)
{
    for (const View &photo : person.member(QLatin1StringView("photos")).items()) {
        const QString source = photo.member(QLatin1StringView("metadata"))
                                   .member(QLatin1StringView("source"))
                                   .member(QLatin1StringView("type"))
                                   .toString();
        const QString url = photo.member(QLatin1StringView("url")).toString();
        if (source != QLatin1String(kPeopleSourceTypeContact) || url.isEmpty())
            continue;
        QUrl href(url);
        href.setFragment(QLatin1String(kPeoplePhotoPersonMark) + resourceName);
        GDataLink link{QString::fromLatin1(kGDataLinkRelPhoto),
                       QString::fromLatin1(kPeoplePhotoLinkType), href.toString(), std::nullopt};
        if (!photo.member(QLatin1StringView("default")).toBool())
            link.etag = QString::fromLatin1(
                QCryptographicHash::hash(url.toUtf8(), QCryptographicHash::Sha1).toHex());
        return link;
    }
    return std::nullopt;
}

template <typename View> std::optional<QString> readTitle(const View &person)
{
    const View name = firstItem(person.member(QLatin1StringView("names")));
    for (const char *key : {"unstructuredName", "displayName"}) {
        const QString text = name.member(QLatin1StringView(key)).toString();
        if (!text.isEmpty())
            return text;
    }
    return std::nullopt;
}

template <typename View> std::optional<QString> readContent(const View &person)
{
    return firstItem(person.member(QLatin1StringView("biographies")))
        .member(QLatin1StringView("value"))
        .string();
}

std::vector<GDataLink> entryLinks(const QString &identifier, bool editable)
{
    std::vector<GDataLink> links{{QString::fromLatin1(kGDataLinkRelSelf),
                                  QString::fromLatin1(kGDataAtomType), identifier, std::nullopt}};
    if (editable)
        links.push_back({QString::fromLatin1(kGDataLinkRelEdit),
                         QString::fromLatin1(kGDataAtomType), identifier, std::nullopt});
    return links;
}

std::optional<QJsonArray> listOf(const QJsonObject &page, const QString &key, ParseError *error)
{
    const QJsonValue list = page.value(key);
    if (list.isUndefined())
        return QJsonArray();
    if (!list.isArray()) {
        fail(error, key + QStringLiteral(" is not a list"));
        return std::nullopt;
    }
    return list.toArray();
}

std::optional<QJsonObject> parsePage(const QByteArray &body, ParseError *error)
{
    QString message;
    auto page = peoplejson::parseObject(body, &message);
    if (!page)
        fail(error, message);
    return page;
}

template <typename Page> void readPageTail(Page &page, const QJsonObject &json)
{
    page.nextPageToken = json.value(QStringLiteral("nextPageToken")).toString();
    page.nextSyncToken = json.value(QStringLiteral("nextSyncToken")).toString();
    const QJsonValue total = json.value(QStringLiteral("totalItems"));
    if (total.isDouble())
        page.totalItems = total.toInt();
}

// Nothing when the person has no resource name, or its view does not read alike.
template <typename View>
std::optional<GDataEntryContactPtr> entryFromPerson(const View &person, const QString &api,
                                                    const PeopleProjection &projection,
                                                    ParseError *error)
{
    const QString name = person.member(QLatin1StringView("resourceName")).toString();
    const QString resourceName = isResourceName(name, kPeoplePersonPrefix) ? name : QString();
    if (resourceName.isEmpty()) {
        fail(error, QStringLiteral("a person without resourceName"));
        return std::nullopt;
    }
    auto entry = std::make_shared<GDataEntryContact>();
    const QString identifier = identifierForResourceName(api, resourceName);
    entry->setIdentifier(identifier);
    entry->setTitle(readTitle(person));
    entry->setContentWithString(readContent(person));
    const View metadata = person.member(QLatin1StringView("metadata"));
    const std::optional<QDateTime> updated = readTime(contactUpdateTime(metadata));
    entry->setETag(person.member(QLatin1StringView("etag")).string());
    entry->setIsDeleted(metadata.member(QLatin1StringView("deleted")).toBool());
    entry->setEmailAddresses(readEmails(person));
    entry->setPhoneNumbers(readPhones(person));
    entry->setPostalAddresses(readAddresses(person));
    entry->setIMAddresses(readIMs(person));
    entry->setOrganizations(readOrganizations(person));
    entry->setGroupMembershipInfos(readMemberships(person, api));
    readClientData(*entry, person, projection);
    std::vector<GDataLink> links = entryLinks(identifier, true);
    if (auto photo = readPhotoLink(person, resourceName))
        links.push_back(std::move(*photo));
    entry->setLinks(std::move(links));
    if (!person.readsAlike())
        return std::nullopt;
    entry->setUpdatedDate(timeOrEpoch(updated, resourceName));
    keepRead(entry->peopleSource(), person);
    return entry;
}

} // namespace

QString identifierForResourceName(const QString &api, const QString &resourceName)
{
    return api + QLatin1String(kPeopleIdentifierRoot) + resourceName;
}

std::optional<QString> resourceNameForIdentifier(const QString &api, const QString &identifier)
{
    const QString root = api + QLatin1String(kPeopleIdentifierRoot);
    if (!identifier.startsWith(root))
        return std::nullopt;
    const QString name = identifier.mid(root.size());
    for (const char *prefix : {kPeoplePersonPrefix, kPeopleGroupPrefix}) {
        if (isResourceName(name, prefix))
            return name;
    }
    return std::nullopt;
}

bool isHiddenGroupResourceName(const QString &resourceName)
{
    return std::any_of(std::begin(kHiddenSystemGroups), std::end(kHiddenSystemGroups),
                       [&](const char *name) { return resourceName == QLatin1String(name); });
}

bool isShownMembershipGroup(const QString &resourceName)
{
    return isResourceName(resourceName, kPeopleGroupPrefix) &&
           !isHiddenGroupResourceName(resourceName);
}

bool isShownGroup(const QJsonObject &group)
{
    const QString name = group.value(QStringLiteral("resourceName")).toString();
    if (name == QLatin1String(kPeopleMyContactsGroup))
        return true;
    return group.value(QStringLiteral("groupType")).toString() ==
               QLatin1String(kPeopleGroupTypeUser) &&
           !isHiddenGroupResourceName(name);
}

std::optional<GDataEntryContactPtr> contactFromPerson(const QJsonObject &person, const QString &api,
                                                      const PeopleProjection &projection,
                                                      ParseError *error)
{
    return contactFromPersonText(person, {}, api, projection, error);
}

std::optional<GDataEntryContactPtr> contactFromPersonText(const QJsonObject &person,
                                                          QByteArrayView text, const QString &api,
                                                          const PeopleProjection &projection,
                                                          ParseError *error)
{
    using peoplejsonviews::ParsedView;
    if (!text.isEmpty())
        return entryFromPerson(ParsedView::person(person, text), api, projection, error);
    // Written once whole, so that the values' read copies are slices of it rather than each
    // written on its own.
    const QByteArray written = peoplejson::compact(person);
    return entryFromPerson(ParsedView::person(person, written), api, projection, error);
}

std::optional<GDataEntryContactGroupPtr> groupFromContactGroup(const QJsonObject &group,
                                                               const QString &api,
                                                               const PeopleProjection &projection,
                                                               ParseError *error)
{
    const QString resourceName = resourceNameWithPrefix(group, kPeopleGroupPrefix);
    if (resourceName.isEmpty()) {
        fail(error, QStringLiteral("a contact group without resourceName"));
        return std::nullopt;
    }
    auto entry = std::make_shared<GDataEntryContactGroup>();
    const QString identifier = identifierForResourceName(api, resourceName);
    entry->setIdentifier(identifier);
    // Made from the resource name, never from the localised formattedName.
    const bool myContacts = resourceName == QLatin1String(kPeopleMyContactsGroup);
    if (myContacts) {
        entry->setTitle(QString::fromLatin1(kPeopleMyContactsTitle));
        entry->setSystemGroup(QString::fromLatin1(kGDataSystemGroupContacts));
    } else {
        const QString name = group.value(QStringLiteral("name")).toString();
        entry->setTitle(name.isEmpty() ? std::nullopt : std::optional(name));
    }
    const QJsonObject metadata = group.value(QStringLiteral("metadata")).toObject();
    entry->setUpdatedDate(timeOrEpoch(
        readTime(metadata.value(QStringLiteral("updateTime")).toString()), resourceName));
    entry->setIsDeleted(metadata.value(QStringLiteral("deleted")).toBool());
    entry->setETag(stringValue(group, QStringLiteral("etag")));
    readClientData(*entry, peoplejsonviews::ParsedView(group, {}), projection);
    // A system group has no edit link, so a write to it fails as it did on Atom.
    entry->setLinks(entryLinks(identifier, !myContacts));
    PeopleSourceAccess::setRead(entry->peopleSource(), group);
    return entry;
}

// A person read straight from its text where it is written plainly, which saves building Qt's
// object of it; the parser reads any other person, to the same entry.
std::optional<GDataEntryContactPtr> contactFromText(QByteArrayView text, const QString &api,
                                                    const PeopleProjection &projection)
{
    if (peoplejson::isPlainJSON(text)) {
        bool unusual = false;
        if (auto entry = entryFromPerson(peoplejsonviews::TextView(text, &unusual), api, projection,
                                         nullptr))
            return entry;
        if (!unusual)
            return std::nullopt;
    }
    const auto person = peoplejson::parseObject(QByteArray::fromRawData(text.data(), text.size()));
    if (!person)
        return std::nullopt;
    return entryFromPerson(peoplejsonviews::ParsedView::person(*person, text), api, projection,
                           nullptr);
}

namespace {

// A page read a person at a time: each person is read from its own text and let go once its
// entry is made, and the entry keeps slices of that text as its read copies. A whole page parsed
// at once lives until its last person is read, and freeing it page after page left the allocator
// slower for the rest of the list. Nothing when the text does not come apart in that way (or its
// parts would read otherwise than the whole): the page is then read whole, which also tells why.
std::optional<ContactPage> readPageByPerson(const QByteArray &body, const QString &api,
                                            const PeopleProjection &projection,
                                            const TailRead &tailRead)
{
    const auto members = peoplejson::memberTexts(body);
    if (!members)
        return std::nullopt;
    std::optional<QByteArrayView> connections;
    QByteArray rest = "{";
    for (const auto &[key, value] : *members) {
        if (key == QByteArrayView("connections")) {
            if (connections)
                return std::nullopt;
            connections = value;
            continue;
        }
        if (rest.size() > 1)
            rest += ',';
        rest += '"' + key.toByteArray() + "\":" + value.toByteArray();
    }
    rest += '}';
    const auto tail = peoplejson::parseObject(rest);
    if (!tail || tail->contains(QStringLiteral("connections")))
        return std::nullopt;
    std::vector<QByteArrayView> persons;
    if (connections) {
        auto items = peoplejson::itemTexts(*connections);
        if (!items)
            return std::nullopt;
        persons = std::move(*items);
    }
    ContactPage page;
    readPageTail(page, *tail);
    if (tailRead)
        tailRead(page.nextPageToken);
    page.entries.reserve(persons.size());
    for (QByteArrayView text : persons) {
        auto entry = contactFromText(text, api, projection);
        if (!entry)
            return std::nullopt;
        page.entries.push_back(std::move(*entry));
    }
    return page;
}

} // namespace

std::optional<ContactPage> readConnectionsPage(const QByteArray &body, const QString &api,
                                               const PeopleProjection &projection,
                                               ParseError *error, const TailRead &tailRead)
{
    if (auto page = readPageByPerson(body, api, projection, tailRead))
        return page;
    const auto json = parsePage(body, error);
    if (!json)
        return std::nullopt;
    const auto list = listOf(*json, QStringLiteral("connections"), error);
    if (!list)
        return std::nullopt;
    ContactPage page;
    for (const QJsonValue &item : *list) {
        auto entry = contactFromPerson(item.toObject(), api, projection, error);
        if (!entry)
            return std::nullopt;
        page.entries.push_back(std::move(*entry));
    }
    readPageTail(page, *json);
    return page;
}

std::optional<GroupPage> readContactGroupsPage(const QByteArray &body, const QString &api,
                                               const PeopleProjection &projection,
                                               ParseError *error)
{
    const auto json = parsePage(body, error);
    if (!json)
        return std::nullopt;
    const auto list = listOf(*json, QStringLiteral("contactGroups"), error);
    if (!list)
        return std::nullopt;
    GroupPage page;
    for (const QJsonValue &item : *list) {
        const QJsonObject group = item.toObject();
        auto entry = groupFromContactGroup(group, api, projection, error);
        if (!entry)
            return std::nullopt;
        if (isShownGroup(group))
            page.entries.push_back(std::move(*entry));
    }
    readPageTail(page, *json);
    return page;
}

std::optional<TombstonePage> readTombstonesPage(const QByteArray &body, GDataEntryBase::Kind kind,
                                                const QString &api, const QDateTime &listTime,
                                                ParseError *error)
{
    const bool contacts = kind == GDataEntryBase::Kind::Contact;
    const auto json = parsePage(body, error);
    if (!json)
        return std::nullopt;
    const auto list = listOf(
        *json, contacts ? QStringLiteral("connections") : QStringLiteral("contactGroups"), error);
    if (!list)
        return std::nullopt;
    TombstonePage page;
    for (const QJsonValue &item : *list) {
        const QJsonObject object = item.toObject();
        if (!object.value(QStringLiteral("metadata"))
                 .toObject()
                 .value(QStringLiteral("deleted"))
                 .toBool())
            continue;
        const QString name =
            resourceNameWithPrefix(object, contacts ? kPeoplePersonPrefix : kPeopleGroupPrefix);
        if (name.isEmpty()) {
            fail(error, QStringLiteral("a deleted entry without resourceName"));
            return std::nullopt;
        }
        GDataEntryPtr tombstone;
        if (contacts)
            tombstone = std::make_shared<GDataEntryContact>();
        else
            tombstone = std::make_shared<GDataEntryContactGroup>();
        tombstone->setIdentifier(identifierForResourceName(api, name));
        tombstone->setIsDeleted(true);
        tombstone->setUpdatedDate(listTime);
        page.entries.push_back(std::move(tombstone));
    }
    page.nextPageToken = json->value(QStringLiteral("nextPageToken")).toString();
    return page;
}

} // namespace peoplereader

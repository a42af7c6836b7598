#include "platform/gdata/people/peoplereader.h"

#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/people/peopleclientdata.h"
#include "platform/gdata/people/peopleconstants.h"
#include "platform/gdata/people/peoplefieldtypes.h"
#include "platform/gdata/people/peoplejson.h"
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

QJsonObject firstObject(const QJsonObject &object, const QString &key)
{
    return object.value(key).toArray().at(0).toObject();
}

bool isPrimary(const QJsonObject &value)
{
    const QJsonObject metadata = value.value(QStringLiteral("metadata")).toObject();
    return metadata.value(QStringLiteral("primary")).toBool() ||
           metadata.value(QStringLiteral("sourcePrimary")).toBool();
}

peoplefieldtypes::RelOrLabel typeOf(Field field, const QJsonObject &value)
{
    return peoplefieldtypes::readType(field, stringValue(value, QStringLiteral("type")));
}

QDateTime readTime(const QString &text, const QString &resourceName)
{
    QDateTime time = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (time.isValid())
        return time.toUTC();
    qWarning("People: %s has no update time; 1970-01-01 taken", qPrintable(resourceName));
    return QDateTime::fromSecsSinceEpoch(0, QTimeZone::utc());
}

QString contactUpdateTime(const QJsonObject &metadata)
{
    for (const QJsonValue &source : metadata.value(QStringLiteral("sources")).toArray()) {
        const QJsonObject object = source.toObject();
        if (object.value(QStringLiteral("type")).toString() ==
            QLatin1String(kPeopleSourceTypeContact))
            return object.value(QStringLiteral("updateTime")).toString();
    }
    return {};
}

// The texts of a person's members and of their items, where the reply's text lines up with what
// was parsed: each read copy is then a slice of the reply, not the parsed object written again.
class PersonTexts
{
public:
    PersonTexts() = default;
    explicit PersonTexts(QByteArrayView person)
    {
        if (auto members = peoplejson::memberTexts(person))
            m_members = std::move(*members);
    }

    // The texts of the list's items when there is one per item parsed; else none.
    std::vector<QByteArrayView> items(const QString &field, qsizetype count) const
    {
        std::optional<QByteArrayView> list;
        for (const auto &[key, value] : m_members) {
            if (QLatin1StringView(key) != field)
                continue;
            if (list)
                return {}; // a repeated key: which one was parsed is not known here
            list = value;
        }
        if (!list)
            return {};
        auto items = peoplejson::itemTexts(*list);
        if (!items || qsizetype(items->size()) != count)
            return {};
        return std::move(*items);
    }

private:
    std::vector<std::pair<QByteArrayView, QByteArrayView>> m_members;
};

void keepRead(GDataPeopleSource &source, const QJsonObject &json, QByteArrayView text)
{
    if (text.isEmpty())
        PeopleSourceAccess::setRead(source, json);
    else
        PeopleSourceAccess::setReadText(source, text);
}

// Each item of the person's list with its text (empty when the texts do not line up).
template <typename Read>
void forEachItem(const QJsonObject &person, const PersonTexts &texts, const QString &field,
                 Read read)
{
    const QJsonArray list = person.value(field).toArray();
    const std::vector<QByteArrayView> items = texts.items(field, list.size());
    for (qsizetype i = 0; i < list.size(); ++i)
        read(list.at(i).toObject(), items.empty() ? QByteArrayView() : items[size_t(i)]);
}

template <typename Value>
void keepSource(Value &value, const QJsonObject &json, QByteArrayView text)
{
    keepRead(value.peopleSource, json, text);
}

std::vector<GDataEmail> readEmails(const QJsonObject &person, const PersonTexts &texts)
{
    std::vector<GDataEmail> emails;
    forEachItem(person, texts, QStringLiteral("emailAddresses"),
                [&](const QJsonObject &json, QByteArrayView text) {
                    const auto type = typeOf(Field::Email, json);
                    GDataEmail email{json.value(QStringLiteral("value")).toString(), type.rel,
                                     type.label, isPrimary(json)};
                    keepSource(email, json, text);
                    emails.push_back(std::move(email));
                });
    return emails;
}

std::vector<GDataPhoneNumber> readPhones(const QJsonObject &person, const PersonTexts &texts)
{
    std::vector<GDataPhoneNumber> phones;
    forEachItem(person, texts, QStringLiteral("phoneNumbers"),
                [&](const QJsonObject &json, QByteArrayView text) {
                    const auto type = typeOf(Field::Phone, json);
                    GDataPhoneNumber phone{json.value(QStringLiteral("value")).toString(), type.rel,
                                           type.label, isPrimary(json)};
                    keepSource(phone, json, text);
                    phones.push_back(std::move(phone));
                });
    return phones;
}

std::vector<GDataPostalAddress> readAddresses(const QJsonObject &person, const PersonTexts &texts)
{
    std::vector<GDataPostalAddress> addresses;
    forEachItem(person, texts, QStringLiteral("addresses"),
                [&](const QJsonObject &json, QByteArrayView text) {
                    const auto type = typeOf(Field::Address, json);
                    GDataPostalAddress address{
                        json.value(QStringLiteral("formattedValue")).toString(), type.rel,
                        type.label, isPrimary(json)};
                    keepSource(address, json, text);
                    addresses.push_back(std::move(address));
                });
    return addresses;
}

std::vector<GDataIM> readIMs(const QJsonObject &person, const PersonTexts &texts)
{
    std::vector<GDataIM> ims;
    forEachItem(person, texts, QStringLiteral("imClients"),
                [&](const QJsonObject &json, QByteArrayView text) {
                    const auto type = typeOf(Field::IM, json);
                    GDataIM im{json.value(QStringLiteral("username")).toString(),
                               peoplefieldtypes::readProtocol(
                                   stringValue(json, QStringLiteral("protocol"))),
                               type.rel, type.label, isPrimary(json)};
                    keepSource(im, json, text);
                    ims.push_back(std::move(im));
                });
    return ims;
}

std::vector<GDataOrganization> readOrganizations(const QJsonObject &person,
                                                 const PersonTexts &texts)
{
    std::vector<GDataOrganization> organizations;
    forEachItem(person, texts, QStringLiteral("organizations"),
                [&](const QJsonObject &json, QByteArrayView text) {
                    const auto type = typeOf(Field::Organization, json);
                    GDataOrganization organization{stringValue(json, QStringLiteral("name")),
                                                   stringValue(json, QStringLiteral("title")),
                                                   type.rel, type.label, isPrimary(json)};
                    keepSource(organization, json, text);
                    organizations.push_back(std::move(organization));
                });
    return organizations;
}

std::vector<GDataGroupMembershipInfo> readMemberships(const QJsonObject &person, const QString &api,
                                                      const PersonTexts &texts)
{
    std::vector<GDataGroupMembershipInfo> memberships;
    forEachItem(
        person, texts, QStringLiteral("memberships"),
        [&](const QJsonObject &json, QByteArrayView text) {
            const QString group = json.value(QStringLiteral("contactGroupMembership"))
                                      .toObject()
                                      .value(QStringLiteral("contactGroupResourceName"))
                                      .toString();
            if (!isShownMembershipGroup(group))
                return;
            GDataGroupMembershipInfo membership{identifierForResourceName(api, group), false};
            keepSource(membership, json, text);
            memberships.push_back(std::move(membership));
        });
    return memberships;
}

// The projection's properties for the layers above; the rest stays with the entry's read copy.
void readClientData(GDataEntryBase &entry, const QJsonObject &resource,
                    const PeopleProjection &projection, const PersonTexts &texts)
{
    std::vector<GDataExtendedProperty> properties;
    QJsonArray hidden;
    forEachItem(resource, texts, QStringLiteral("clientData"),
                [&](const QJsonObject &item, QByteArrayView text) {
                    GDataExtendedProperty property = peopleclientdata::propertyFromItem(item, text);
                    if (projection.shows(property.name()))
                        properties.push_back(std::move(property));
                    else
                        hidden.append(item);
                });
    entry.setExtendedProperties(std::move(properties));
    PeopleSourceAccess::setHiddenClientData(entry.peopleSource(), hidden);
}

// The first photo of the contact's own source, marked with its person so that a photo call can
// find the resource; the ETag (a hash of the URL) only for a photo the user set, so a default
// photo reads as no photo.
std::optional<GDataLink> readPhotoLink(const QJsonObject &person, const QString &resourceName)
{
    for (const QJsonValue &item : person.value(QStringLiteral("photos")).toArray()) {
        const QJsonObject photo = item.toObject();
        const QString source = photo.value(QStringLiteral("metadata"))
                                   .toObject()
                                   .value(QStringLiteral("source"))
                                   .toObject()
                                   .value(QStringLiteral("type"))
                                   .toString();
        const QString url = photo.value(QStringLiteral("url")).toString();
        if (source != QLatin1String(kPeopleSourceTypeContact) || url.isEmpty())
            continue;
        QUrl href(url);
        href.setFragment(QLatin1String(kPeoplePhotoPersonMark) + resourceName);
        GDataLink link{QString::fromLatin1(kGDataLinkRelPhoto),
                       QString::fromLatin1(kPeoplePhotoLinkType), href.toString(), std::nullopt};
        if (!photo.value(QStringLiteral("default")).toBool())
            link.etag = QString::fromLatin1(
                QCryptographicHash::hash(url.toUtf8(), QCryptographicHash::Sha1).toHex());
        return link;
    }
    return std::nullopt;
}

std::optional<QString> readTitle(const QJsonObject &person)
{
    const QJsonObject name = firstObject(person, QStringLiteral("names"));
    for (const char *key : {"unstructuredName", "displayName"}) {
        const QString text = name.value(QLatin1String(key)).toString();
        if (!text.isEmpty())
            return text;
    }
    return std::nullopt;
}

std::optional<QString> readContent(const QJsonObject &person)
{
    return stringValue(firstObject(person, QStringLiteral("biographies")), QStringLiteral("value"));
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

// text: the person's JSON text as read, when known; the read copies are then taken from it.
std::optional<GDataEntryContactPtr> entryFromPerson(const QJsonObject &person, QByteArrayView text,
                                                    const QString &api,
                                                    const PeopleProjection &projection,
                                                    ParseError *error)
{
    const QString resourceName = resourceNameWithPrefix(person, kPeoplePersonPrefix);
    if (resourceName.isEmpty()) {
        fail(error, QStringLiteral("a person without resourceName"));
        return std::nullopt;
    }
    auto entry = std::make_shared<GDataEntryContact>();
    const QString identifier = identifierForResourceName(api, resourceName);
    entry->setIdentifier(identifier);
    entry->setTitle(readTitle(person));
    entry->setContentWithString(readContent(person));
    const QJsonObject metadata = person.value(QStringLiteral("metadata")).toObject();
    entry->setUpdatedDate(readTime(contactUpdateTime(metadata), resourceName));
    entry->setETag(stringValue(person, QStringLiteral("etag")));
    entry->setIsDeleted(metadata.value(QStringLiteral("deleted")).toBool());
    const PersonTexts texts(text);
    entry->setEmailAddresses(readEmails(person, texts));
    entry->setPhoneNumbers(readPhones(person, texts));
    entry->setPostalAddresses(readAddresses(person, texts));
    entry->setIMAddresses(readIMs(person, texts));
    entry->setOrganizations(readOrganizations(person, texts));
    entry->setGroupMembershipInfos(readMemberships(person, api, texts));
    readClientData(*entry, person, projection, texts);
    std::vector<GDataLink> links = entryLinks(identifier, true);
    if (auto photo = readPhotoLink(person, resourceName))
        links.push_back(std::move(*photo));
    entry->setLinks(std::move(links));
    keepRead(entry->peopleSource(), person, text);
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
    if (!text.isEmpty())
        return entryFromPerson(person, text, api, projection, error);
    // Written once whole, so that the values' read copies are slices of it rather than each
    // written on its own.
    return entryFromPerson(person, peoplejson::compact(person), api, projection, error);
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
    entry->setUpdatedDate(
        readTime(metadata.value(QStringLiteral("updateTime")).toString(), resourceName));
    entry->setIsDeleted(metadata.value(QStringLiteral("deleted")).toBool());
    entry->setETag(stringValue(group, QStringLiteral("etag")));
    readClientData(*entry, group, projection, PersonTexts());
    // A system group has no edit link, so a write to it fails as it did on Atom.
    entry->setLinks(entryLinks(identifier, !myContacts));
    PeopleSourceAccess::setRead(entry->peopleSource(), group);
    return entry;
}

namespace {

// A page read a person at a time: each person is parsed from its own text and let go once its
// entry is made, and the entry keeps slices of that text as its read copies. A whole page parsed
// at once lives until its last person is read, and freeing it page after page left the allocator
// slower for the rest of the list. Nothing when the text does not come apart in that way (or its
// parts would read otherwise than the whole): the page is then read whole, which also tells why.
std::optional<ContactPage> readPageByPerson(const QByteArray &body, const QString &api,
                                            const PeopleProjection &projection)
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
    page.entries.reserve(persons.size());
    for (QByteArrayView text : persons) {
        const auto person =
            peoplejson::parseObject(QByteArray::fromRawData(text.data(), text.size()));
        if (!person)
            return std::nullopt;
        auto entry = entryFromPerson(*person, text, api, projection, nullptr);
        if (!entry)
            return std::nullopt;
        page.entries.push_back(std::move(*entry));
    }
    readPageTail(page, *tail);
    return page;
}

} // namespace

std::optional<ContactPage> readConnectionsPage(const QByteArray &body, const QString &api,
                                               const PeopleProjection &projection,
                                               ParseError *error)
{
    if (auto page = readPageByPerson(body, api, projection))
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

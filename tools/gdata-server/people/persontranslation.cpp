#include "tools/gdata-server/people/persontranslation.h"

#include "tools/gdata-server/people/clientdata.h"
#include "tools/gdata-server/people/personfields.h"

#include "platform/gdata/gdataconstants.h"

#include <QJsonArray>

namespace {

struct TypeRel
{
    const char *type;
    const char *rel;
};

constexpr TypeRel kPlaceTypes[] = {
    {"home", kGDataContactHome},
    {"work", kGDataContactWork},
    {"other", kGDataContactOther},
};

constexpr TypeRel kPhoneTypes[] = {
    {"mobile", kGDataPhoneNumberMobile},
    {"home", kGDataPhoneNumberHome},
    {"work", kGDataPhoneNumberWork},
    {"workFax", kGDataPhoneNumberWorkFax},
    {"homeFax", kGDataPhoneNumberHomeFax},
    {"pager", kGDataPhoneNumberPager},
    {"other", kGDataPhoneNumberOther},
    {"main", "http://schemas.google.com/g/2005#main"},
    {"otherFax", "http://schemas.google.com/g/2005#other_fax"},
    {"workMobile", "http://schemas.google.com/g/2005#work_mobile"},
    {"workPager", "http://schemas.google.com/g/2005#work_pager"},
};

constexpr TypeRel kOrganizationTypes[] = {
    {"work", kGDataContactWork},
    {"other", kGDataContactOther},
};

constexpr TypeRel kIMProtocols[] = {
    {"aim", kGDataIMProtocolAIM},     {"msn", kGDataIMProtocolMSN},
    {"yahoo", kGDataIMProtocolYahoo}, {"skype", kGDataIMProtocolSkype},
    {"qq", kGDataIMProtocolQQ},       {"googleTalk", kGDataIMProtocolGoogleTalk},
    {"icq", kGDataIMProtocolICQ},     {"jabber", kGDataIMProtocolJabber},
};

template <size_t N>
QString typeOf(const std::optional<QString> &rel, const std::optional<QString> &label,
               const TypeRel (&table)[N])
{
    if (rel) {
        for (const TypeRel &row : table) {
            if (*rel == QLatin1String(row.rel))
                return QString::fromLatin1(row.type);
        }
    }
    if (label && !label->isEmpty())
        return *label;
    if (rel)
        return rel->mid(rel->lastIndexOf(u'#') + 1);
    return {};
}

struct RelLabel
{
    std::optional<QString> rel;
    std::optional<QString> label;
};

template <size_t N> RelLabel relOf(const QString &type, const TypeRel (&table)[N])
{
    if (type.isEmpty())
        return {};
    for (const TypeRel &row : table) {
        if (type == QLatin1String(row.type))
            return {QString::fromLatin1(row.rel), std::nullopt};
    }
    return {std::nullopt, type};
}

QString text(const QJsonObject &object, const char *key)
{
    return object.value(QLatin1String(key)).toString();
}

void setOrRemove(QJsonObject &object, const char *key, const QString &value)
{
    if (value.isEmpty())
        object.remove(QLatin1String(key));
    else
        object.insert(QLatin1String(key), value);
}

QJsonObject fieldMetadata(const StoredEntry &stored, bool primary)
{
    // Every field of a person carries one of the same two objects, made from its identifier
    // alone; they are made once per person rather than once per field.
    static thread_local QString madeFor;
    static thread_local QJsonObject plain;
    static thread_local QJsonObject marked;
    if (plain.isEmpty() || madeFor != stored.localId) {
        madeFor = stored.localId;
        plain = {{"source", QJsonObject{{"type", "CONTACT"}, {"id", stored.localId}}}};
        marked = plain;
        marked.insert("primary", true);
        marked.insert("sourcePrimary", true);
    }
    return primary ? marked : plain;
}

bool writtenPrimary(const QJsonObject &element)
{
    // primary is the service's answer; a client says which one it means through sourcePrimary.
    return element.value("metadata").toObject().value("sourcePrimary").toBool();
}

// The elements a People write left, each given back once to the first element of the entry with
// the same value.
class KeptElements
{
public:
    KeptElements(const QJsonObject &people, const char *field)
        : m_elements(people.value(QLatin1String(field)).toArray())
        , m_taken(size_t(m_elements.size()), false)
    {}

    template <typename Matches> QJsonObject take(Matches matches)
    {
        for (qsizetype i = 0; i < m_elements.size(); ++i) {
            const QJsonObject element = m_elements.at(i).toObject();
            if (!m_taken[size_t(i)] && matches(element)) {
                m_taken[size_t(i)] = true;
                return element;
            }
        }
        return {};
    }

private:
    QJsonArray m_elements;
    std::vector<bool> m_taken;
};

QString composedName(const QJsonObject &name)
{
    QStringList parts;
    for (const char *key :
         {"honorificPrefix", "givenName", "middleName", "familyName", "honorificSuffix"}) {
        const QString part = text(name, key).trimmed();
        if (!part.isEmpty())
            parts.append(part);
    }
    return parts.join(u' ');
}

QString writtenName(const QJsonObject &name)
{
    const QString unstructured = text(name, "unstructuredName");
    return unstructured.isEmpty() ? composedName(name) : unstructured;
}

QString composedAddress(const QJsonObject &address)
{
    QStringList lines;
    for (const char *key : {"streetAddress", "extendedAddress", "poBox"}) {
        if (!text(address, key).isEmpty())
            lines.append(text(address, key));
    }
    QStringList cityLine;
    for (const char *key : {"city", "region", "postalCode"}) {
        if (!text(address, key).isEmpty())
            cityLine.append(text(address, key));
    }
    if (!cityLine.isEmpty())
        lines.append(cityLine.join(u' '));
    if (!text(address, "country").isEmpty())
        lines.append(text(address, "country"));
    return lines.join(u'\n');
}

// The notes keep line feeds only, as on the Atom face.
QString normalisedNote(QString note)
{
    note.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    note.replace(u'\r', u'\n');
    return note;
}

QJsonArray renderNames(const StoredEntry &stored, const GDataEntryContact &contact)
{
    const QString title = contact.title().value_or(QString());
    if (title.isEmpty())
        return {};
    KeptElements kept(stored.people, "names");
    QJsonObject name = kept.take([&](const QJsonObject &old) { return writtenName(old) == title; });
    name.insert("unstructuredName", title);
    name.insert("displayName", title);
    name.insert("metadata", fieldMetadata(stored, true));
    return {name};
}

QJsonArray renderBiographies(const StoredEntry &stored, const GDataEntryContact &contact)
{
    const QString note = contact.content().value_or(QString());
    if (note.isEmpty())
        return {};
    KeptElements kept(stored.people, "biographies");
    QJsonObject biography = kept.take(
        [&](const QJsonObject &old) { return normalisedNote(text(old, "value")) == note; });
    biography.insert("value", note);
    biography.insert("contentType", "TEXT_PLAIN");
    biography.insert("metadata", fieldMetadata(stored, true));
    return {biography};
}

QJsonArray renderEmails(const StoredEntry &stored, const GDataEntryContact &contact)
{
    KeptElements kept(stored.people, "emailAddresses");
    QJsonArray emails;
    for (const GDataEmail &email : contact.emailAddresses()) {
        QJsonObject element =
            kept.take([&](const QJsonObject &old) { return text(old, "value") == email.address; });
        element.insert("value", email.address);
        setOrRemove(element, "type", typeOf(email.rel, email.label, kPlaceTypes));
        element.insert("metadata", fieldMetadata(stored, email.primary));
        emails.append(element);
    }
    return emails;
}

QJsonArray renderPhones(const StoredEntry &stored, const GDataEntryContact &contact)
{
    KeptElements kept(stored.people, "phoneNumbers");
    QJsonArray phones;
    for (const GDataPhoneNumber &phone : contact.phoneNumbers()) {
        QJsonObject element = kept.take(
            [&](const QJsonObject &old) { return text(old, "value") == phone.stringValue; });
        element.insert("value", phone.stringValue);
        setOrRemove(element, "type", typeOf(phone.rel, phone.label, kPhoneTypes));
        element.insert("metadata", fieldMetadata(stored, phone.primary));
        phones.append(element);
    }
    return phones;
}

QJsonArray renderAddresses(const StoredEntry &stored, const GDataEntryContact &contact)
{
    KeptElements kept(stored.people, "addresses");
    QJsonArray addresses;
    for (const GDataPostalAddress &address : contact.postalAddresses()) {
        // The structured keys stay only while they describe the same text.
        QJsonObject element = kept.take([&](const QJsonObject &old) {
            const QString formatted = text(old, "formattedValue");
            return (formatted.isEmpty() ? composedAddress(old) : formatted) == address.stringValue;
        });
        element.insert("formattedValue", address.stringValue);
        setOrRemove(element, "type", typeOf(address.rel, address.label, kPlaceTypes));
        element.insert("metadata", fieldMetadata(stored, address.primary));
        addresses.append(element);
    }
    return addresses;
}

QJsonArray renderIMs(const StoredEntry &stored, const GDataEntryContact &contact)
{
    KeptElements kept(stored.people, "imClients");
    QJsonArray ims;
    for (const GDataIM &im : contact.IMAddresses()) {
        QJsonObject element =
            kept.take([&](const QJsonObject &old) { return text(old, "username") == im.address; });
        element.insert("username", im.address);
        setOrRemove(element, "protocol", typeOf(im.protocol, std::nullopt, kIMProtocols));
        setOrRemove(element, "type", typeOf(im.rel, im.label, kPlaceTypes));
        element.insert("metadata", fieldMetadata(stored, im.primary));
        ims.append(element);
    }
    return ims;
}

QJsonArray renderOrganizations(const StoredEntry &stored, const GDataEntryContact &contact)
{
    KeptElements kept(stored.people, "organizations");
    QJsonArray organizations;
    for (const GDataOrganization &organization : contact.organizations()) {
        const QString name = organization.orgName.value_or(QString());
        const QString title = organization.orgTitle.value_or(QString());
        QJsonObject element = kept.take([&](const QJsonObject &old) {
            return text(old, "name") == name && text(old, "title") == title;
        });
        setOrRemove(element, "name", name);
        setOrRemove(element, "title", title);
        setOrRemove(element, "type",
                    typeOf(organization.rel, organization.label, kOrganizationTypes));
        element.insert("metadata", fieldMetadata(stored, organization.primary));
        organizations.append(element);
    }
    return organizations;
}

QJsonObject membership(const StoredEntry &stored, const QString &id, const QString &name)
{
    return {{"contactGroupMembership",
             QJsonObject{{"contactGroupId", id}, {"contactGroupResourceName", name}}},
            {"metadata", fieldMetadata(stored, false)}};
}

QJsonArray renderMemberships(const PeopleContext &context, const StoredEntry &stored,
                             const GDataEntryContact &contact)
{
    QJsonArray memberships;
    for (const GDataGroupMembershipInfo &info : contact.groupMembershipInfos()) {
        const QString localId = ServerUrls::localIdOf(info.href, Account::Collection::Groups);
        const StoredEntry *group =
            localId.isEmpty() ? nullptr
                              : context.account().find(Account::Collection::Groups, localId);
        if (info.deleted || !group || group->entry->isDeleted())
            continue;
        const QString name = context.groupName(localId);
        memberships.append(membership(stored, name.mid(14), name));
    }
    // A connection of a Google account belongs to a group at least; a contact seeded through the
    // other face in no group is shown as one of My Contacts, so it can be written back.
    if (memberships.isEmpty() && !stored.people.value("starred").toBool()) {
        const QString myContacts = context.groupName(QStringLiteral("6"));
        memberships.append(membership(stored, myContacts.mid(14), myContacts));
    }
    if (stored.people.value("starred").toBool())
        memberships.append(membership(stored, "starred", "contactGroups/starred"));
    return memberships;
}

QJsonArray renderPhotos(const PeopleContext &context, const StoredEntry &stored)
{
    QJsonObject photo{{"metadata", fieldMetadata(stored, true)}};
    if (stored.photo.data.isEmpty()) {
        photo.insert("url", context.defaultPhotoUrl(stored));
        photo.insert("default", true);
    } else {
        photo.insert("url", context.photoUrl(stored));
    }
    return {photo};
}

QJsonObject renderMetadata(const StoredEntry &stored)
{
    const QJsonObject source{
        {"type", "CONTACT"},
        {"id", stored.localId},
        {"etag", PeopleContext::etagOf(*stored.entry)},
        {"updateTime", stored.entry->updatedDate().toUTC().toString(Qt::ISODateWithMs)}};
    QJsonObject metadata{{"sources", QJsonArray{source}}, {"objectType", "PERSON"}};
    if (stored.entry->isDeleted())
        metadata.insert("deleted", true);
    return metadata;
}

// --- writing

std::optional<WriteRefusal> refused(const QString &message)
{
    return WriteRefusal{400, message, {}};
}

std::vector<QJsonObject> elementsOf(const QJsonObject &person, const char *field)
{
    std::vector<QJsonObject> elements;
    for (const QJsonValue &value : person.value(QLatin1String(field)).toArray())
        elements.push_back(value.toObject());
    return elements;
}

std::optional<WriteRefusal> writeNames(const QJsonObject &person, GDataEntryContact &entry)
{
    const auto names = elementsOf(person, "names");
    if (names.size() > 1)
        return refused(QStringLiteral("Only one name is allowed per contact."));
    const QString title = names.empty() ? QString() : writtenName(names.front()).trimmed();
    entry.setTitle(title.isEmpty() ? std::nullopt : std::optional<QString>(title));
    return std::nullopt;
}

std::optional<WriteRefusal> writeBiographies(const QJsonObject &person, GDataEntryContact &entry)
{
    const auto biographies = elementsOf(person, "biographies");
    if (biographies.size() > 1)
        return refused(QStringLiteral("Only one biography is allowed per contact."));
    const QString note =
        biographies.empty() ? QString() : normalisedNote(text(biographies.front(), "value"));
    entry.setContentWithString(note.isEmpty() ? std::nullopt : std::optional<QString>(note));
    return std::nullopt;
}

// The e-mail addresses or phone numbers: a value with its type and whether it is the primary one.
template <typename Value, size_t N>
std::vector<Value> typedValues(const QJsonObject &person, const char *field,
                               const TypeRel (&types)[N])
{
    std::vector<Value> values;
    for (const QJsonObject &element : elementsOf(person, field)) {
        const RelLabel type = relOf(text(element, "type"), types);
        if (!text(element, "value").isEmpty())
            values.push_back(
                {text(element, "value"), type.rel, type.label, writtenPrimary(element)});
    }
    return values;
}

void writeEmails(const QJsonObject &person, GDataEntryContact &entry)
{
    entry.setEmailAddresses(typedValues<GDataEmail>(person, "emailAddresses", kPlaceTypes));
}

void writePhones(const QJsonObject &person, GDataEntryContact &entry)
{
    entry.setPhoneNumbers(typedValues<GDataPhoneNumber>(person, "phoneNumbers", kPhoneTypes));
}

void writeAddresses(const QJsonObject &person, GDataEntryContact &entry)
{
    std::vector<GDataPostalAddress> addresses;
    for (const QJsonObject &element : elementsOf(person, "addresses")) {
        const RelLabel type = relOf(text(element, "type"), kPlaceTypes);
        const QString formatted = text(element, "formattedValue");
        const QString value = formatted.isEmpty() ? composedAddress(element) : formatted;
        if (!value.isEmpty())
            addresses.push_back({value, type.rel, type.label, writtenPrimary(element)});
    }
    entry.setPostalAddresses(addresses);
}

void writeIMs(const QJsonObject &person, GDataEntryContact &entry)
{
    std::vector<GDataIM> ims;
    for (const QJsonObject &element : elementsOf(person, "imClients")) {
        const RelLabel type = relOf(text(element, "type"), kPlaceTypes);
        const RelLabel protocol = relOf(text(element, "protocol"), kIMProtocols);
        if (!text(element, "username").isEmpty())
            ims.push_back({text(element, "username"), protocol.rel ? protocol.rel : protocol.label,
                           type.rel, type.label, writtenPrimary(element)});
    }
    entry.setIMAddresses(ims);
}

void writeOrganizations(const QJsonObject &person, GDataEntryContact &entry)
{
    std::vector<GDataOrganization> organizations;
    for (const QJsonObject &element : elementsOf(person, "organizations")) {
        const RelLabel type = relOf(text(element, "type"), kOrganizationTypes);
        auto optionalText = [&](const char *key) {
            const QString value = text(element, key);
            return value.isEmpty() ? std::nullopt : std::optional<QString>(value);
        };
        GDataOrganization organization{optionalText("name"), optionalText("title"), type.rel,
                                       type.label, writtenPrimary(element)};
        if (organization.orgName || organization.orgTitle)
            organizations.push_back(organization);
    }
    entry.setOrganizations(organizations);
}

std::optional<WriteRefusal> writeMemberships(const PeopleContext &context,
                                             const QJsonObject &person, const StoredEntry *current,
                                             GDataEntryContact &entry, QJsonObject &people)
{
    QStringList before;
    if (current) {
        for (const QJsonValue &value : renderMemberships(
                 context, *current, static_cast<const GDataEntryContact &>(*current->entry)))
            before.append(value.toObject()
                              .value("contactGroupMembership")
                              .toObject()
                              .value("contactGroupResourceName")
                              .toString());
    }
    std::vector<GDataGroupMembershipInfo> infos;
    bool starred = false;
    const auto elements = elementsOf(person, "memberships");
    for (const QJsonObject &element : elements) {
        const QJsonObject group = element.value("contactGroupMembership").toObject();
        QString name = text(group, "contactGroupResourceName");
        if (name.isEmpty() && !text(group, "contactGroupId").isEmpty())
            name = QStringLiteral("contactGroups/") + text(group, "contactGroupId");
        const QString key = context.groupKey(name);
        if (key.isEmpty())
            return refused(QStringLiteral("Contact group not found: %1").arg(name));
        const PeopleSystemGroup *system = systemGroupNamed(name.mid(14));
        if (system && !system->takesNewMembers && !before.contains(name))
            return refused(QStringLiteral("Cannot add contacts to deprecated system contact "
                                          "group: %1")
                               .arg(name));
        if (key == QLatin1String("starred"))
            starred = true;
        else if (key != QLatin1String("all"))
            infos.push_back({context.groupHref(key), false});
    }
    if (infos.empty() && !starred) {
        if (current || !elements.empty())
            return refused(QStringLiteral("A contact must belong to at least one contact group."));
        // A new contact that names no group is one of My Contacts.
        infos.push_back({context.groupHref(QStringLiteral("6")), false});
    }
    entry.setGroupMembershipInfos(infos);
    if (starred)
        people.insert("starred", true);
    else
        people.remove("starred");
    return std::nullopt;
}

// The fields whose elements the Atom entry holds; the rest live in the People JSON alone.
const QStringList kModelled = {"names",         "biographies", "emailAddresses",
                               "phoneNumbers",  "addresses",   "imClients",
                               "organizations", "memberships", "clientData"};

} // namespace

namespace persontranslation {

QJsonObject render(const PeopleContext &context, const StoredEntry &stored)
{
    QJsonObject person;
    for (auto it = stored.people.begin(); it != stored.people.end(); ++it) {
        if (personfields::readable().contains(it.key()) && !kModelled.contains(it.key()))
            person.insert(it.key(), it.value());
    }
    person.insert("resourceName", PeopleContext::personName(stored.localId));
    person.insert("etag", PeopleContext::etagOf(*stored.entry));
    person.insert("metadata", renderMetadata(stored));
    if (stored.entry->isDeleted())
        return person;
    const auto &contact = static_cast<const GDataEntryContact &>(*stored.entry);
    const std::pair<const char *, QJsonArray> lists[] = {
        {"names", renderNames(stored, contact)},
        {"biographies", renderBiographies(stored, contact)},
        {"emailAddresses", renderEmails(stored, contact)},
        {"phoneNumbers", renderPhones(stored, contact)},
        {"addresses", renderAddresses(stored, contact)},
        {"imClients", renderIMs(stored, contact)},
        {"organizations", renderOrganizations(stored, contact)},
        {"memberships", renderMemberships(context, stored, contact)},
        {"clientData", clientdata::render(contact.extendedProperties(), stored.people)},
        {"photos", renderPhotos(context, stored)},
    };
    for (const auto &[field, list] : lists) {
        if (!list.isEmpty())
            person.insert(QLatin1String(field), list);
    }
    return person;
}

QJsonObject masked(const QJsonObject &person, const QStringList &fields)
{
    QJsonObject shown;
    // A tombstone says what it is whatever the mask.
    const bool deleted = person.value("metadata").toObject().value("deleted").toBool();
    for (auto it = person.begin(); it != person.end(); ++it) {
        if (it.key() == QLatin1String("resourceName") || it.key() == QLatin1String("etag") ||
            fields.contains(it.key()) || (deleted && it.key() == QLatin1String("metadata")))
            shown.insert(it.key(), it.value());
    }
    return shown;
}

QStringList fieldsOf(const QJsonObject &person)
{
    QStringList fields;
    for (const QString &field : personfields::updatable()) {
        if (person.contains(field))
            fields.append(field);
    }
    // A new contact's memberships are written even when it names none.
    if (!fields.contains(QLatin1String("memberships")))
        fields.append(QStringLiteral("memberships"));
    return fields;
}

std::optional<WriteRefusal> write(const PeopleContext &context, const QJsonObject &person,
                                  const QStringList &fields, const StoredEntry *current,
                                  GDataEntryContact &entry, QJsonObject &people)
{
    for (const QString &field : fields) {
        std::optional<WriteRefusal> refusal;
        if (field == QLatin1String("names"))
            refusal = writeNames(person, entry);
        else if (field == QLatin1String("biographies"))
            refusal = writeBiographies(person, entry);
        else if (field == QLatin1String("emailAddresses"))
            writeEmails(person, entry);
        else if (field == QLatin1String("phoneNumbers"))
            writePhones(person, entry);
        else if (field == QLatin1String("addresses"))
            writeAddresses(person, entry);
        else if (field == QLatin1String("imClients"))
            writeIMs(person, entry);
        else if (field == QLatin1String("organizations"))
            writeOrganizations(person, entry);
        else if (field == QLatin1String("memberships"))
            refusal = writeMemberships(context, person, current, entry, people);
        else if (field == QLatin1String("clientData"))
            entry.setExtendedProperties(
                clientdata::write(person.value("clientData").toArray(), people));
        if (refusal)
            return refusal;
        // Elements keep the keys the entry has no place for; other fields live here whole.
        if (field == QLatin1String("memberships") || field == QLatin1String("clientData"))
            continue;
        if (person.contains(field))
            people.insert(field, person.value(field));
        else
            people.remove(field);
    }
    return std::nullopt;
}

} // namespace persontranslation

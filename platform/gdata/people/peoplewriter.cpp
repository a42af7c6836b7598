#include "platform/gdata/people/peoplewriter.h"

#include "platform/gdata/people/peopleclientdata.h"
#include "platform/gdata/people/peopleconstants.h"
#include "platform/gdata/people/peoplefieldtypes.h"
#include "platform/gdata/people/peoplejson.h"
#include "platform/gdata/people/peoplereader.h"
#include "platform/gdata/people/peoplesourceaccess.h"

#include <QJsonArray>

namespace peoplewriter {

namespace {

using peoplefieldtypes::Field;

const QString kMetadata = QStringLiteral("metadata");
const QString kType = QStringLiteral("type");

// The read values of one field of the entry's read copy, each handed out once to the value of the
// same text that has no read JSON of its own (the layers above rebuilt the list).
class ReadValues
{
public:
    ReadValues(const QJsonObject &entryRead, const QString &field, QString valueKey)
        : m_values(entryRead.value(field).toArray())
        , m_valueKey(std::move(valueKey))
        , m_taken(size_t(m_values.size()), false)
    {}

    // A value that kept its own read JSON holds on to it; no rebuilt value inherits it as well.
    void claim(const QJsonObject &own)
    {
        for (qsizetype i = 0; i < m_values.size() && !own.isEmpty(); ++i) {
            if (!m_taken[size_t(i)] && m_values.at(i).toObject() == own) {
                m_taken[size_t(i)] = true;
                return;
            }
        }
    }

    QJsonObject baseFor(const QJsonObject &own, const QString &text)
    {
        if (!own.isEmpty())
            return own;
        for (qsizetype i = 0; i < m_values.size(); ++i) {
            const QJsonObject candidate = m_values.at(i).toObject();
            if (!m_taken[size_t(i)] && candidate.value(m_valueKey).toString() == text) {
                m_taken[size_t(i)] = true;
                return candidate;
            }
        }
        return {};
    }

private:
    QJsonArray m_values;
    QString m_valueKey;
    std::vector<bool> m_taken;
};

void setOrRemove(QJsonObject &object, const QString &key, const std::optional<QString> &value)
{
    if (value)
        object.insert(key, *value);
    else
        object.remove(key);
}

// primary is output only; sourcePrimary is what a client writes.
void writePrimary(QJsonObject &value, bool primary)
{
    QJsonObject metadata = value.value(kMetadata).toObject();
    if (primary)
        metadata.insert(QStringLiteral("sourcePrimary"), true);
    else
        metadata.remove(QStringLiteral("sourcePrimary"));
    if (metadata.isEmpty())
        value.remove(kMetadata);
    else
        value.insert(kMetadata, metadata);
}

// formattedType is output only, and wrong once the type changes.
template <typename Value> void writeCommon(QJsonObject &json, Field field, const Value &value)
{
    const auto type = peoplefieldtypes::writeType(field, {value.rel, value.label});
    if (type != peoplejson::stringValue(json, kType))
        json.remove(QStringLiteral("formattedType"));
    setOrRemove(json, kType, type);
    writePrimary(json, value.primary);
}

template <typename Value, typename Text, typename Fill>
QJsonArray writeList(const QJsonObject &entryRead, const std::vector<Value> &values,
                     const QString &field, const QString &valueKey, Text text, Fill fill)
{
    ReadValues read(entryRead, field, valueKey);
    std::vector<QJsonObject> owns;
    owns.reserve(values.size());
    for (const Value &value : values) {
        owns.push_back(PeopleSourceAccess::read(value.peopleSource));
        read.claim(owns.back());
    }
    QJsonArray list;
    for (size_t i = 0; i < values.size(); ++i) {
        QJsonObject json = read.baseFor(owns[i], text(values[i]));
        fill(json, values[i]);
        list.append(json);
    }
    return list;
}

QJsonArray writeEmails(const GDataEntryContact &entry, const QJsonObject &read)
{
    return writeList(
        read, entry.emailAddresses(), QStringLiteral("emailAddresses"), QStringLiteral("value"),
        [](const GDataEmail &email) { return email.address; },
        [](QJsonObject &json, const GDataEmail &email) {
            json.insert(QStringLiteral("value"), email.address);
            writeCommon(json, Field::Email, email);
        });
}

QJsonArray writePhones(const GDataEntryContact &entry, const QJsonObject &read)
{
    return writeList(
        read, entry.phoneNumbers(), QStringLiteral("phoneNumbers"), QStringLiteral("value"),
        [](const GDataPhoneNumber &phone) { return phone.stringValue; },
        [](QJsonObject &json, const GDataPhoneNumber &phone) {
            json.insert(QStringLiteral("value"), phone.stringValue);
            writeCommon(json, Field::Phone, phone);
        });
}

// The structured parts of a read address stay only while its text is unchanged: a changed text
// goes up alone, for Google to split.
QJsonArray writeAddresses(const GDataEntryContact &entry, const QJsonObject &read)
{
    static const QString kFormatted = QStringLiteral("formattedValue");
    return writeList(
        read, entry.postalAddresses(), QStringLiteral("addresses"), kFormatted,
        [](const GDataPostalAddress &address) { return address.stringValue; },
        [](QJsonObject &json, const GDataPostalAddress &address) {
            if (json.value(kFormatted).toString() != address.stringValue) {
                QJsonObject plain;
                for (const QString &key : {kMetadata, kType}) {
                    if (json.contains(key))
                        plain.insert(key, json.value(key));
                }
                json = plain;
            }
            json.insert(kFormatted, address.stringValue);
            writeCommon(json, Field::Address, address);
        });
}

QJsonArray writeIMs(const GDataEntryContact &entry, const QJsonObject &read)
{
    return writeList(
        read, entry.IMAddresses(), QStringLiteral("imClients"), QStringLiteral("username"),
        [](const GDataIM &im) { return im.address; },
        [](QJsonObject &json, const GDataIM &im) {
            json.insert(QStringLiteral("username"), im.address);
            const QString key = QStringLiteral("protocol");
            const auto protocol = peoplefieldtypes::writeProtocol(im.protocol);
            if (protocol != peoplejson::stringValue(json, key))
                json.remove(QStringLiteral("formattedProtocol"));
            setOrRemove(json, key, protocol);
            writeCommon(json, Field::IM, im);
        });
}

QJsonArray writeOrganizations(const GDataEntryContact &entry, const QJsonObject &read)
{
    return writeList(
        read, entry.organizations(), QStringLiteral("organizations"), QStringLiteral("name"),
        [](const GDataOrganization &org) { return org.orgName.value_or(QString()); },
        [](QJsonObject &json, const GDataOrganization &org) {
            setOrRemove(json, QStringLiteral("name"), org.orgName);
            setOrRemove(json, QStringLiteral("title"), org.orgTitle);
            writeCommon(json, Field::Organization, org);
        });
}

QString membershipGroup(const QJsonObject &membership)
{
    return membership.value(QStringLiteral("contactGroupMembership"))
        .toObject()
        .value(QStringLiteral("contactGroupResourceName"))
        .toString();
}

// The memberships the layers above see, then every read membership they could not see (hidden
// system groups, domain memberships), so a write never takes a contact out of those.
QJsonArray writeMemberships(const GDataEntryContact &entry, const QJsonObject &read,
                            const QString &api)
{
    QJsonArray list;
    QStringList written;
    for (const GDataGroupMembershipInfo &info : entry.groupMembershipInfos()) {
        const auto group = peoplereader::resourceNameForIdentifier(api, info.href);
        if (info.deleted || !group || written.contains(*group))
            continue;
        QJsonObject json = PeopleSourceAccess::read(info.peopleSource);
        json.insert(QStringLiteral("contactGroupMembership"),
                    QJsonObject{{QStringLiteral("contactGroupResourceName"), *group}});
        list.append(json);
        written.append(*group);
    }
    for (const QJsonValue &item : read.value(QStringLiteral("memberships")).toArray()) {
        const QString group = membershipGroup(item.toObject());
        if (!peoplereader::isShownMembershipGroup(group) && !written.contains(group))
            list.append(item);
    }
    return list;
}

QJsonArray writeClientData(const GDataEntryBase &entry)
{
    QJsonArray list = PeopleSourceAccess::hiddenClientData(entry.peopleSource());
    for (const GDataExtendedProperty &property : entry.extendedProperties())
        list.append(peopleclientdata::itemFromProperty(property));
    return list;
}

// The read name with all its parts while the title is unchanged; a new title goes up alone.
QJsonArray writeNames(const GDataEntryContact &entry, const QJsonObject &entryRead)
{
    if (!entry.title() || entry.title()->isEmpty())
        return {};
    const QJsonObject read = entryRead.value(QStringLiteral("names")).toArray().at(0).toObject();
    for (const char *key : {"unstructuredName", "displayName"}) {
        const QString text = read.value(QLatin1String(key)).toString();
        if (!text.isEmpty()) {
            if (text == *entry.title())
                return {read};
            break;
        }
    }
    return {QJsonObject{{QStringLiteral("unstructuredName"), *entry.title()}}};
}

QJsonArray writeBiographies(const GDataEntryContact &entry, const QJsonObject &read)
{
    if (!entry.content())
        return {};
    QJsonObject biography = read.value(QStringLiteral("biographies")).toArray().at(0).toObject();
    biography.insert(QStringLiteral("value"), *entry.content());
    biography.insert(QStringLiteral("contentType"), QLatin1String(kPeopleBiographyContentType));
    return {biography};
}

void writeIdentity(QJsonObject &resource, const GDataEntryBase &entry, const QString &api)
{
    if (const auto name = peoplereader::resourceNameForIdentifier(api, entry.identifier()))
        resource.insert(QStringLiteral("resourceName"), *name);
    if (const auto etag = entry.ETag())
        resource.insert(QStringLiteral("etag"), *etag);
}

} // namespace

QJsonObject personFromContact(const GDataEntryContact &entry, const QString &api)
{
    const QJsonObject read = PeopleSourceAccess::read(entry.peopleSource());
    QJsonObject person;
    writeIdentity(person, entry, api);
    person.insert(QStringLiteral("names"), writeNames(entry, read));
    person.insert(QStringLiteral("biographies"), writeBiographies(entry, read));
    person.insert(QStringLiteral("emailAddresses"), writeEmails(entry, read));
    person.insert(QStringLiteral("phoneNumbers"), writePhones(entry, read));
    person.insert(QStringLiteral("addresses"), writeAddresses(entry, read));
    person.insert(QStringLiteral("imClients"), writeIMs(entry, read));
    person.insert(QStringLiteral("organizations"), writeOrganizations(entry, read));
    person.insert(QStringLiteral("memberships"), writeMemberships(entry, read, api));
    person.insert(QStringLiteral("clientData"), writeClientData(entry));
    return person;
}

QJsonObject contactGroupFromGroup(const GDataEntryContactGroup &entry, const QString &api)
{
    QJsonObject group;
    writeIdentity(group, entry, api);
    group.insert(QStringLiteral("name"), entry.title().value_or(QString()));
    group.insert(QStringLiteral("clientData"), writeClientData(entry));
    if (entry.content())
        qInfo("People: the content of group %s has no counterpart and is not written",
              qPrintable(entry.title().value_or(entry.identifier())));
    return group;
}

} // namespace peoplewriter

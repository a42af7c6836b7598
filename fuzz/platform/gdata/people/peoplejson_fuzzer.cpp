// Feeds arbitrary bytes to the People list readers: nothing may crash, hang or leak, every person
// or group read must read again the same after it is written back, and a page read person by
// person from its text must give what Qt's parse of the whole page gives.

#include "platform/gdata/people/peoplereader.h"
#include "platform/gdata/people/peoplewriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

const QString kAPI = QStringLiteral("http://127.0.0.1:1");

void checkSame(const GDataEntryBase &entry, const GDataEntryBase &again)
{
    if (again.identifier() != entry.identifier() || again.title() != entry.title() ||
        again.extendedProperties() != entry.extendedProperties())
        std::abort();
}

// A contact is in a group once, however often the read named it.
QStringList groupsOf(const GDataEntryContact &entry)
{
    QStringList groups;
    for (const GDataGroupMembershipInfo &info : entry.groupMembershipInfos())
        groups.append(info.href);
    groups.removeDuplicates();
    return groups;
}

void checkContactRoundTrip(const GDataEntryContact &entry)
{
    const auto again = peoplereader::contactFromPerson(peoplewriter::personFromContact(entry, kAPI),
                                                       kAPI, PeopleProjection::full());
    if (!again)
        std::abort();
    checkSame(entry, **again);
    if ((*again)->content() != entry.content() ||
        (*again)->emailAddresses().size() != entry.emailAddresses().size() ||
        groupsOf(**again) != groupsOf(entry))
        std::abort();
}

void checkGroupRoundTrip(const GDataEntryContactGroup &entry)
{
    // The system group's title is made from its resource name, not its name.
    if (entry.systemGroup())
        return;
    const auto again = peoplereader::groupFromContactGroup(
        peoplewriter::contactGroupFromGroup(entry, kAPI), kAPI, PeopleProjection::full());
    if (!again)
        std::abort();
    checkSame(entry, **again);
}

template <typename Value> bool sameTyped(const Value &a, const Value &b)
{
    return a.rel == b.rel && a.label == b.label && a.primary == b.primary;
}

bool sameValues(const GDataEntryContact &a, const GDataEntryContact &b)
{
    const auto equalBy = [](const auto &x, const auto &y, auto same) {
        return std::equal(x.begin(), x.end(), y.begin(), y.end(), same);
    };
    return equalBy(a.emailAddresses(), b.emailAddresses(),
                   [](const GDataEmail &x, const GDataEmail &y) {
                       return x.address == y.address && sameTyped(x, y);
                   }) &&
           equalBy(a.phoneNumbers(), b.phoneNumbers(),
                   [](const GDataPhoneNumber &x, const GDataPhoneNumber &y) {
                       return x.stringValue == y.stringValue && sameTyped(x, y);
                   }) &&
           equalBy(a.postalAddresses(), b.postalAddresses(),
                   [](const GDataPostalAddress &x, const GDataPostalAddress &y) {
                       return x.stringValue == y.stringValue && sameTyped(x, y);
                   }) &&
           equalBy(a.IMAddresses(), b.IMAddresses(),
                   [](const GDataIM &x, const GDataIM &y) {
                       return x.address == y.address && x.protocol == y.protocol && sameTyped(x, y);
                   }) &&
           equalBy(a.organizations(), b.organizations(),
                   [](const GDataOrganization &x, const GDataOrganization &y) {
                       return x.orgName == y.orgName && x.orgTitle == y.orgTitle && sameTyped(x, y);
                   }) &&
           a.groupMembershipInfos() == b.groupMembershipInfos() &&
           equalBy(a.links(), b.links(), [](const GDataLink &x, const GDataLink &y) {
               return x.rel == y.rel && x.type == y.type && x.href == y.href && x.etag == y.etag;
           });
}

// The reference read: the whole page through Qt's parser, each person mapped from its object.
void checkReadsAsParsedPage(const QByteArray &input, const peoplereader::ContactPage &page)
{
    const QJsonObject json = QJsonDocument::fromJson(input).object();
    if (!json.value(QStringLiteral("connections")).isArray())
        return;
    const QJsonArray persons = json.value(QStringLiteral("connections")).toArray();
    if (persons.size() != qsizetype(page.entries.size()))
        std::abort();
    for (qsizetype i = 0; i < persons.size(); ++i) {
        const auto expected = peoplereader::contactFromPerson(persons.at(i).toObject(), kAPI,
                                                              PeopleProjection::full());
        if (!expected)
            std::abort();
        const GDataEntryContact &read = *page.entries[std::size_t(i)];
        checkSame(**expected, read);
        if ((*expected)->content() != read.content() || (*expected)->ETag() != read.ETag() ||
            (*expected)->updatedDate() != read.updatedDate() ||
            (*expected)->isDeleted() != read.isDeleted() || !sameValues(**expected, read))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    if (const auto page =
            peoplereader::readConnectionsPage(input, kAPI, PeopleProjection::full())) {
        checkReadsAsParsedPage(input, *page);
        for (const GDataEntryContactPtr &entry : page->entries)
            checkContactRoundTrip(*entry);
    }
    if (const auto page =
            peoplereader::readContactGroupsPage(input, kAPI, PeopleProjection::full())) {
        for (const GDataEntryContactGroupPtr &entry : page->entries)
            checkGroupRoundTrip(*entry);
    }
    return 0;
}

// Feeds arbitrary bytes to the People list readers: nothing may crash, hang or leak, and every
// person or group read must read again the same after it is written back.

#include "platform/gdata/people/peoplereader.h"
#include "platform/gdata/people/peoplewriter.h"

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    if (const auto page =
            peoplereader::readConnectionsPage(input, kAPI, PeopleProjection::full())) {
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

#include "google/batch/batchwriteback.h"

#include "addressbook/google/linkproperties.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"

namespace batchwriteback {

namespace {

void writeLinks(const RecordPtr &record, const AddressBookTool::LinkPropertyNames &names,
                const GDataEntryBase &entry, bool stamp, const QDateTime &now)
{
    AddressBookTool::setLinkProperty(*record, names.identifier, entry.identifier());
    if (stamp) {
        AddressBookTool::writeTransferStamp(record, names, entry.updatedDate(), now);
        return;
    }
    for (const QString &name : {names.version, names.asOfDate, names.dataMask})
        AddressBookTool::setLinkProperty(*record, name, QString());
}

} // namespace

void writeContactLinks(const PersonPtr &person, const GDataEntryBase &entry, bool stamp,
                       const QDateTime &now)
{
    if (person)
        writeLinks(person, AddressBookTool::contactLinkPropertyNames(), entry, stamp, now);
}

void writeGroupLinks(const GroupPtr &group, const GDataEntryBase &entry, bool stamp,
                     const QDateTime &now)
{
    if (group)
        writeLinks(group, AddressBookTool::groupLinkPropertyNames(), entry, stamp, now);
}

} // namespace batchwriteback

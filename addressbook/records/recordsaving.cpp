#include "addressbook/records/recordsaving.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/groups/grouplists.h"
#include "addressbook/records/recordlookup.h"
#include "foundation/log.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

namespace AddressBookTool {

namespace {

const QString kClass = QStringLiteral("AddressBookTool");

QString protectingKey(const RecordPtr &record)
{
    const QString abid = record->uniqueId();
    if (record->recordClass() == RecordClass::Group)
        return isSmartGroup(abid) ? abkeys::abUpdateNeverRemoveSmartGroups
                                  : abkeys::abUpdateNeverRemoveManualGroups;
    return abidIsCompany(abid) ? abkeys::abUpdateNeverRemoveCompanies
                               : abkeys::abUpdateNeverRemovePeople;
}

} // namespace

bool canDeleteRecord(const RecordPtr &record)
{
    if (!record)
        return false;
    if (record->recordClass() == RecordClass::Person && record->uniqueId() == myABID())
        return false;
    return !UserDefaults::standard().boolForKey(protectingKey(record));
}

bool deleteRecord(const RecordPtr &record)
{
    if (!record)
        return false;
    tlog::value(kClass, QStringLiteral("deleteRecord:"), QStringLiteral("thisRecord"),
                record->uniqueId());
    return AddressBook::shared()->removeRecord(record);
}

bool deleteRecordForABID(const QString &abid)
{
    const PersonPtr person = personByABID(abid);
    return person && deleteRecord(person);
}

bool abSave()
{
    AddressBook *book = AddressBook::shared();
    if (!book->hasUnsavedChanges()) {
        tlog::message(kClass, QStringLiteral("abSave"), QStringLiteral("No Unsaved Changes"));
        return true;
    }
    return book->save();
}

} // namespace AddressBookTool

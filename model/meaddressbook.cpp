#include "model/meaddressbook.h"

#include "addressbook/fields/personaddresses.h"
#include "addressbook/fields/personemail.h"
#include "addressbook/fields/personphones.h"
#include "addressbook/fields/personurls.h"
#include "addressbook/records/recordlookup.h"
#include "platform/addressbook/person.h"

QString MeAddressBook::meUniqueId()
{
    const PersonPtr me = AddressBookTool::meAB();
    return me ? me->uniqueId() : QString();
}

QString MeAddressBook::meValueForProperty(const QString &property)
{
    const PersonPtr me = AddressBookTool::meAB();
    return me ? me->valueForProperty(property).toString() : QString();
}

QString MeAddressBook::primaryEmailForPerson()
{
    return AddressBookTool::primaryEmailForPerson(AddressBookTool::meAB());
}

QString MeAddressBook::homePhoneForPerson()
{
    return AddressBookTool::homePhoneForPerson(AddressBookTool::meAB());
}

QString MeAddressBook::mobilePhoneForPerson()
{
    return AddressBookTool::mobilePhoneForPerson(AddressBookTool::meAB());
}

QString MeAddressBook::workPhoneForPerson()
{
    return AddressBookTool::workPhoneForPerson(AddressBookTool::meAB());
}

QString MeAddressBook::urlForPersonForLabel(const QString &label)
{
    return AddressBookTool::urlForPerson(AddressBookTool::meAB(), label);
}

QVariantMap MeAddressBook::primaryAddressForPerson()
{
    return AddressBookTool::primaryAddressForPerson(AddressBookTool::meAB());
}

#include "addressbook/personemail.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"

namespace AddressBookTool {

QString primaryEmailForPerson(const PersonPtr &person)
{
    if (!person)
        return QStringLiteral("");
    const MultiValue emails = person->multiValueForProperty(kABEmailProperty);
    if (emails.isEmpty())
        return QStringLiteral("");
    const int primary = emails.indexForIdentifier(emails.primaryIdentifier());
    return emails.valueAt(primary >= 0 ? primary : 0).toString();
}

} // namespace AddressBookTool

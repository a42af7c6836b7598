#include "addressbook/records/mynames.h"

#include "addressbook/fields/personemail.h"
#include "addressbook/fields/personnames.h"
#include "addressbook/records/recordlookup.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"

namespace AddressBookTool {

namespace {

QList<MultiValueEntry> myEmailEntries()
{
    const PersonPtr me = meAB();
    return me ? me->multiValueForProperty(kABEmailProperty).entries() : QList<MultiValueEntry>();
}

} // namespace

QString myShortName()
{
    return shortNameForPerson(meAB());
}

QString myFullName()
{
    return fullNameForPerson(meAB());
}

QString myFirstLastName()
{
    return firstLastNameForPerson(meAB());
}

QString myGoogleEmail()
{
    QString found = QStringLiteral("");
    for (const MultiValueEntry &entry : myEmailEntries()) {
        const QString address = entry.value.toString();
        if (address.toLower().contains(QStringLiteral("gmail")))
            found = address;
    }
    return found;
}

QList<QVariantMap> myEmailAddresses()
{
    QList<QVariantMap> addresses;
    for (const MultiValueEntry &entry : myEmailEntries())
        addresses.append({{QStringLiteral("emailAddress"), entry.value.toString()}});
    return addresses;
}

QString myEmail()
{
    return primaryEmailForPerson(meAB());
}

} // namespace AddressBookTool

#include "addressbook/mailinglabel.h"

#include "addressbook/fields/labelledvalues.h"
#include "addressbook/records/recordlookup.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"

using namespace labelledvalues;

namespace AddressBookTool {

namespace {

const QString kWork = QStringLiteral("Work");
const QString kHome = QStringLiteral("Home");

QString textOf(const PersonPtr &person, const QString &property)
{
    return person->valueForProperty(property).toString();
}

QString jobLines(const PersonPtr &person)
{
    QString lines;
    const QString jobTitle = textOf(person, kABJobTitleProperty);
    if (!jobTitle.isEmpty())
        lines += jobTitle + u'\r';
    const QString organization = textOf(person, kABOrganizationProperty);
    if (!organization.isEmpty())
        lines += organization + u'\r';
    return lines;
}

QString lastAddressLabelled(const PersonPtr &person, const QString &label)
{
    const MultiValue addresses = valuesOf(person, kABAddressProperty);
    const int index = lastIndexOfLabel(addresses, label);
    if (index < 0)
        return QString();
    return AddressBook::shared()->formattedAddress(addresses.valueAt(index).toMap());
}

} // namespace

QString mailingLabelForPerson(const PersonPtr &person, const QString &label)
{
    if (!person)
        return QStringLiteral("");
    QString text = QStringLiteral("%1 %2\r").arg(textOf(person, kABFirstNameProperty),
                                                 textOf(person, kABLastNameProperty));
    if (label == kWork)
        text += jobLines(person) + lastAddressLabelled(person, kABAddressWorkLabel);
    else if (label == kHome)
        text += lastAddressLabelled(person, kABAddressHomeLabel);
    return text;
}

QString mailingLabelForABID(const QString &abid, const QString &label)
{
    return mailingLabelForPerson(personByABID(abid), label);
}

} // namespace AddressBookTool

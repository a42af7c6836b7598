#include "addressbook/posterdata.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/fields/labelledvalues.h"
#include "addressbook/fields/personphones.h"
#include "addressbook/records/recordlookup.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include <QStringList>

using namespace labelledvalues;

namespace AddressBookTool {

namespace {

enum DisplayFirst { PhoneFirst = 0, EmailFirst = 1 };

QString textOf(const PersonPtr &person, const QString &property)
{
    return person->valueForProperty(property).toString();
}

QString heading(const PersonPtr &person)
{
    if (!personIsPerson(person))
        return textOf(person, kABOrganizationProperty);
    const QString first = textOf(person, kABFirstNameProperty);
    const QString last = textOf(person, kABLastNameProperty);
    return last.isEmpty() ? first : first + u' ' + last;
}

QString organizationAndJobLine(const PersonPtr &person)
{
    const QString organization = textOf(person, kABOrganizationProperty);
    const QString jobTitle = textOf(person, kABJobTitleProperty);
    if (personIsPerson(person) && !organization.isEmpty())
        return jobTitle.isEmpty() ? organization : organization + QStringLiteral(" - ") + jobTitle;
    return jobTitle;
}

QString emailLine(const PersonPtr &person)
{
    const MultiValue emails = valuesOf(person, kABEmailProperty);
    const QString work = textAt(emails, lastIndexOfLabel(emails, kABEmailWorkLabel));
    return work.isEmpty() ? textAt(emails, lastIndexOfLabel(emails, kABEmailHomeLabel)) : work;
}

QString phoneLine(const PersonPtr &person)
{
    QString phone = workPhoneForPerson(person);
    if (phone.isEmpty())
        phone = mobilePhoneForPerson(person);
    return phone.isEmpty() ? homePhoneForPerson(person) : phone;
}

QString cityStateZIPLine(const PersonPtr &person)
{
    const MultiValue addresses = valuesOf(person, kABAddressProperty);
    const int index = lastIndexOfLabel(addresses, kABAddressWorkLabel);
    if (index < 0)
        return QString();
    const QVariantMap address = addresses.valueAt(index).toMap();
    QStringList parts;
    for (const QString &key : {kABAddressCityKey, kABAddressStateKey, kABAddressZIPKey}) {
        const QString part = address.value(key).toString();
        if (!part.isEmpty())
            parts.append(part);
    }
    return parts.join(u' ');
}

void addLine(QString &poster, const QString &line)
{
    if (!line.isEmpty())
        poster += u'\r' + line;
}

} // namespace

QString posterDataForPerson(const PersonPtr &person)
{
    if (!person)
        return QStringLiteral("");
    UserDefaults &defaults = UserDefaults::standard();
    QString poster = heading(person);
    if (poster.isNull())
        poster = QStringLiteral("");
    if (defaults.boolForKey(abkeys::displayOrgAndJob))
        addLine(poster, organizationAndJobLine(person));
    const int displayFirst = defaults.integerForKey(abkeys::displayFirst);
    if (displayFirst == PhoneFirst) {
        addLine(poster, phoneLine(person));
        addLine(poster, emailLine(person));
    } else if (displayFirst == EmailFirst) {
        addLine(poster, emailLine(person));
        addLine(poster, phoneLine(person));
    }
    if (defaults.boolForKey(abkeys::displayCSZ))
        addLine(poster, cityStateZIPLine(person));
    return poster;
}

} // namespace AddressBookTool

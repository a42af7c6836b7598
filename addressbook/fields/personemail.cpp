#include "addressbook/fields/personemail.h"

#include "addressbook/fields/labelledvalues.h"
#include "platform/addressbook/abconstants.h"

#include <QList>

using namespace labelledvalues;

namespace AddressBookTool {

namespace {

MultiValue emailsOf(const PersonPtr &person)
{
    return valuesOf(person, kABEmailProperty);
}

} // namespace

QString primaryEmailForPerson(const PersonPtr &person)
{
    const MultiValue emails = emailsOf(person);
    return textAt(emails, primaryIndex(emails));
}

QString workEmailForPerson(const PersonPtr &person)
{
    const MultiValue emails = emailsOf(person);
    const int work = firstIndexOfLabel(emails, kABEmailWorkLabel);
    return work >= 0 ? textAt(emails, work) : homeEmailForPerson(person);
}

QString homeEmailForPerson(const PersonPtr &person)
{
    const MultiValue emails = emailsOf(person);
    return textAt(emails, firstIndexOfLabel(emails, kABEmailHomeLabel));
}

QStringList tryOrderedEmailAddressesForPerson(const PersonPtr &person)
{
    const MultiValue emails = emailsOf(person);
    QList<bool> taken(emails.count(), false);
    QStringList ordered;
    const auto take = [&](int index) {
        if (index < 0 || taken[index])
            return;
        taken[index] = true;
        ordered.append(textAt(emails, index));
    };
    take(emails.indexForIdentifier(emails.primaryIdentifier()));
    for (const QString &label : {kABWorkLabel, kABHomeLabel}) {
        for (int index = 0; index < emails.count(); ++index) {
            if (emails.labelAt(index) == label)
                take(index);
        }
    }
    for (int index = 0; index < emails.count(); ++index)
        take(index);
    return ordered;
}

} // namespace AddressBookTool

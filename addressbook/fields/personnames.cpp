#include "addressbook/fields/personnames.h"

#include "addressbook/records/recordlookup.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"

namespace AddressBookTool {

namespace {

QString part(const PersonPtr &person, const QString &property)
{
    return person ? person->valueForProperty(property).toString() : QString();
}

QString storedOrganization(const PersonPtr &person)
{
    const QVariant organization = person->valueForProperty(kABOrganizationProperty);
    return organization.isValid() ? organization.toString() : QString();
}

} // namespace

QString firstLastNameForPerson(const PersonPtr &person)
{
    const QString organization = part(person, kABOrganizationProperty);
    if (personIsCompany(person) && !organization.isEmpty())
        return organization;
    const QString first = part(person, kABFirstNameProperty);
    const QString last = part(person, kABLastNameProperty);
    if (!first.isEmpty() && !last.isEmpty())
        return first + u' ' + last;
    if (first.isEmpty() && last.isEmpty())
        return QStringLiteral("No Assigned Name");
    return first.isEmpty() ? last : first;
}

QString fullNameForPerson(const PersonPtr &person)
{
    if (personIsCompany(person))
        return storedOrganization(person);
    const QString first = part(person, kABFirstNameProperty);
    const QString last = part(person, kABLastNameProperty);
    if (!first.isEmpty() && !last.isEmpty()) {
        const QString nickname = part(person, kABNicknameProperty);
        if (!nickname.isEmpty() && nickname != first)
            return QStringLiteral("%1 \"%2\" %3").arg(first, nickname, last);
        return first + u' ' + last;
    }
    if (!first.isEmpty())
        return first;
    return last.isEmpty() ? QStringLiteral("") : last;
}

QString shortNameForPerson(const PersonPtr &person)
{
    if (!person)
        return QStringLiteral("");
    const QString organization = part(person, kABOrganizationProperty);
    if (personIsCompany(person))
        return organization.isNull() ? QStringLiteral("") : organization;
    for (const QString &property :
         {kABNicknameProperty, kABFirstNameProperty, kABLastNameProperty, kABMiddleNameProperty}) {
        const QString name = part(person, property);
        if (!name.isEmpty())
            return name;
    }
    return organization.isNull() ? QStringLiteral("") : organization;
}

QString formalNameForPerson(const PersonPtr &person)
{
    if (personIsCompany(person))
        return storedOrganization(person);
    QString name = QStringLiteral("");
    for (const QString &property : {kABTitleProperty, kABFirstNameProperty}) {
        const QString piece = part(person, property);
        if (!piece.isEmpty())
            name += piece + u' ';
    }
    const QString middle = part(person, kABMiddleNameProperty);
    if (!middle.isEmpty())
        name += middle.left(middle.front().isHighSurrogate() ? 2 : 1) + QStringLiteral(". ");
    const QString last = part(person, kABLastNameProperty);
    if (!last.isEmpty())
        name += last + u' ';
    return name + part(person, kABSuffixProperty);
}

} // namespace AddressBookTool

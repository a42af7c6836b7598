#include "addressbook/fields/persontitle.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/records/recordlookup.h"
#include "foundation/text/zeltorstring.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include <QStringList>

namespace AddressBookTool {

namespace {

const QString kUnknown = QStringLiteral("Unknown");

enum NicknameUsage { NicknameQuoted = 1, NicknameInstead = 2 };

// Every part squeezed, so that blanks around a part never double a separator.
struct NameParts
{
    QString first; // with the prefix
    QString nickname;
    QString middle;
    QString last; // with the suffix
    QString organization;
};

QString part(const PersonPtr &person, const QString &property)
{
    return zeltor::squeeze(person->valueForProperty(property).toString());
}

// The present items joined by single blanks.
QString joined(const QStringList &items)
{
    QStringList present;
    for (const QString &item : items) {
        if (!item.isEmpty())
            present.append(item);
    }
    return present.join(u' ');
}

// A prefix or suffix goes with its name even when the name is empty: "Dr. Lee", not "Lee".
NameParts readParts(const PersonPtr &person)
{
    QString first = part(person, kABFirstNameProperty);
    if (first == kUnknown)
        first.clear();
    return {joined({part(person, kABTitleProperty), first}), part(person, kABNicknameProperty),
            part(person, kABMiddleNameProperty),
            joined({part(person, kABLastNameProperty), part(person, kABSuffixProperty)}),
            part(person, kABOrganizationProperty)};
}

QString companyTitle(const NameParts &parts, UserDefaults &defaults)
{
    if (defaults.integerForKey(abkeys::gmUpdateKeepSeperate) == 1)
        return parts.organization;
    const QString name = joined({parts.first, parts.last});
    if (name.isEmpty() || name == parts.organization)
        return parts.organization;
    return parts.organization + QStringLiteral(" - ") + name;
}

QString givenNames(const NameParts &parts, int usage)
{
    if (parts.nickname.isEmpty())
        return joined({parts.first, parts.middle});
    if (usage == NicknameInstead)
        return parts.nickname;
    if (usage == NicknameQuoted)
        return joined({parts.first, u'"' + parts.nickname + u'"', parts.middle});
    return joined({parts.first, parts.middle});
}

QString personalTitle(const NameParts &parts, UserDefaults &defaults)
{
    const QString given = givenNames(parts, defaults.integerForKey(abkeys::gmUpdateNicknameUsage));
    QString title;
    if (defaults.integerForKey(abkeys::gmUpdateNameFormat) == 0)
        title = joined({given, parts.last});
    else if (!given.isEmpty() && !parts.last.isEmpty())
        title = parts.last + QStringLiteral(", ") + given;
    else
        title = given.isEmpty() ? parts.last : given;
    if (!title.isEmpty())
        return title;
    return parts.nickname.isEmpty() ? kUnknown : parts.nickname;
}

} // namespace

QString googleTitleForPerson(const PersonPtr &person, bool orgIfPossible)
{
    if (!person)
        return kUnknown;
    UserDefaults &defaults = UserDefaults::standard();
    const NameParts parts = readParts(person);
    if (orgIfPossible && personIsCompany(person) && !parts.organization.isEmpty())
        return companyTitle(parts, defaults);
    return personalTitle(parts, defaults);
}

} // namespace AddressBookTool

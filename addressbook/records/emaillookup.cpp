#include "addressbook/records/emaillookup.h"

#include "addressbook/records/recordsearch.h"
#include "foundation/log.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"

#include <QSet>

namespace AddressBookTool {

using Comparison = SearchElement::Comparison;

int countForEmail(const QString &address)
{
    return int(searchPeople(personElement(kABEmailProperty, address, Comparison::Equal)).size());
}

QString abidForEmail(const QString &address)
{
    const QList<PersonPtr> matches =
        searchPeople(personElement(kABEmailProperty, address, Comparison::EqualCaseInsensitive));
    return matches.size() == 1 ? matches.first()->uniqueId() : QStringLiteral("");
}

QStringList duplicatesByEmail()
{
    QSet<QString> seen;
    QStringList duplicates;
    const QList<PersonPtr> holders =
        searchPeople(personElement(kABEmailProperty, QStringLiteral(""), Comparison::NotEqual));
    for (const PersonPtr &person : holders) {
        const MultiValue emails = person->multiValueForProperty(kABEmailProperty);
        for (const MultiValueEntry &entry : emails.entries()) {
            const QString address = entry.value.toString();
            if (seen.contains(address))
                duplicates.append(address);
            else
                seen.insert(address);
        }
    }
    if (!duplicates.isEmpty())
        tlog::value(QStringLiteral("AddressBookTool"), QStringLiteral("duplicatesByEmail"),
                    QStringLiteral("dups"), duplicates.join(QStringLiteral(", ")));
    return duplicates;
}

} // namespace AddressBookTool

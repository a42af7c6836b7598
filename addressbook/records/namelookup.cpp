#include "addressbook/records/namelookup.h"

#include "addressbook/records/recordsearch.h"
#include "foundation/text/zeltorstring.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/person.h"

#include <QStringList>

namespace AddressBookTool {

namespace {

using Comparison = SearchElement::Comparison;

SearchElement sameText(const QString &property, const QString &value)
{
    return personElement(property, value, Comparison::EqualCaseInsensitive);
}

SearchElement firstAndLast(const QString &first, const QString &last)
{
    return SearchElement::conjunction(
        SearchElement::Conjunction::And,
        {sameText(kABFirstNameProperty, first), sameText(kABLastNameProperty, last)});
}

SearchElement firstLastAndEmail(const QString &first, const QString &last, const QString &email)
{
    return SearchElement::conjunction(SearchElement::Conjunction::And,
                                      {sameText(kABFirstNameProperty, first),
                                       sameText(kABLastNameProperty, last),
                                       sameText(kABEmailProperty, email)});
}

QList<PersonPtr> matchesForWords(const QStringList &words)
{
    if (words.size() == 1)
        return searchPeople(sameText(kABFirstNameProperty, words.first()));
    if (words.size() == 2)
        return searchPeople(firstAndLast(words[0], words[1]));
    const QList<PersonPtr> firstTry = searchPeople(firstAndLast(words[0], words.mid(1).join(u' ')));
    if (!firstTry.isEmpty())
        return firstTry;
    return searchPeople(firstAndLast(words.mid(0, 2).join(u' '), words.mid(2).join(u' ')));
}

QString firstIdentifier(const QList<PersonPtr> &matches)
{
    return matches.isEmpty() ? QStringLiteral("") : matches.first()->uniqueId();
}

} // namespace

PersonPtr findByName(const QString &name)
{
    const QString squeezed = zeltor::squeeze(name);
    if (squeezed.isEmpty())
        return nullptr;
    return uniquePerson(matchesForWords(squeezed.split(u' ')),
                        QStringLiteral("Multiple records with \"Name\" = %1").arg(name));
}

int countForFirstName(const QString &first, const QString &last)
{
    return int(searchPeople(firstAndLast(first, last)).size());
}

int countForFirstName(const QString &first, const QString &last, const QString &email)
{
    return int(searchPeople(firstLastAndEmail(first, last, email)).size());
}

QString abidForFirstName(const QString &first, const QString &last)
{
    return firstIdentifier(searchPeople(firstAndLast(first, last)));
}

QString abidForFirstName(const QString &first, const QString &last, const QString &email)
{
    return firstIdentifier(searchPeople(firstLastAndEmail(first, last, email)));
}

} // namespace AddressBookTool

#include "tests/support/addressbook/storedentries.h"

#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/multivalue.h"

void PrintTo(const StoredEntry &entry, std::ostream *out)
{
    *out << '{';
    PrintTo(entry.label, out);
    *out << ", ";
    PrintTo(entry.value, out);
    *out << (entry.primary ? ", primary}" : "}");
}

QList<StoredEntry> storedEntries(const PersonPtr &person, const QString &property)
{
    const MultiValue values = person->multiValueForProperty(property);
    QList<StoredEntry> entries;
    for (const MultiValueEntry &entry : values.entries())
        entries.append({entry.label, entry.value, entry.identifier == values.primaryIdentifier()});
    return entries;
}

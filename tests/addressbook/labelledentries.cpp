#include "labelledentries.h"

#include "platform/addressbook/multivalue.h"
#include "platform/addressbook/person.h"

void PrintTo(const LabelledEntry &entry, std::ostream *out)
{
    *out << '{';
    PrintTo(entry.label, out);
    *out << ", ";
    PrintTo(entry.value, out);
    *out << (entry.primary ? ", primary}" : "}");
}

QList<LabelledEntry> labelledEntries(const PersonPtr &person, const QString &property)
{
    const MultiValue values = person->multiValueForProperty(property);
    QList<LabelledEntry> entries;
    for (const MultiValueEntry &entry : values.entries())
        entries.append({entry.label, entry.value, entry.identifier == values.primaryIdentifier()});
    return entries;
}

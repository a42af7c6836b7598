#include "addressbook/fields/personrelatednames.h"

#include "addressbook/fields/labelledvalues.h"
#include "platform/addressbook/abconstants.h"

namespace AddressBookTool {

QString spouseForPerson(const PersonPtr &person)
{
    const MultiValue names = labelledvalues::valuesOf(person, kABRelatedNamesProperty);
    const int index = labelledvalues::firstIndexWhere(names, [](const QString &label) {
        const QString lower = label.toLower();
        return label == kABSpouseLabel || lower == QLatin1String("husband") ||
               lower == QLatin1String("wife");
    });
    return labelledvalues::textAt(names, index);
}

} // namespace AddressBookTool

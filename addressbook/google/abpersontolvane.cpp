#include "addressbook/google/abpersontolvane.h"

#include "addressbook/addressbookkeys.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

namespace tolvane {

QString googleID(const PersonPtr &person)
{
    if (!person)
        return QString();
    const QString property =
        UserDefaults::standard().stringForKey(abkeys::googleContactIDPropertyName);
    return person->valueForProperty(property).toString();
}

} // namespace tolvane

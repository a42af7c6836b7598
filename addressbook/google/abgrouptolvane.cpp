#include "addressbook/google/abgrouptolvane.h"

#include "addressbook/addressbookkeys.h"
#include "platform/addressbook/group.h"
#include "platform/defaults/userdefaults.h"

namespace tolvane {

QString googleID(const GroupPtr &group)
{
    if (!group)
        return QString();
    const QString property =
        UserDefaults::standard().stringForKey(abkeys::googleGroupIDPropertyName);
    return group->valueForProperty(property).toString();
}

} // namespace tolvane

#include "tests/support/google/linkpreferences.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/google/linkproperties.h"
#include "platform/defaults/userdefaults.h"

namespace linkpreferences {

bool useTestLinkProperties()
{
    UserDefaults &defaults = UserDefaults::standard();
    const std::pair<QString, QString> names[] = {
        {abkeys::googleContactIDPropertyName, contactID},
        {abkeys::googleContactVersionPropertyName, contactVersion},
        {abkeys::googleContactAsOfDatePropertyName, contactAsOf},
        {abkeys::googleContactDataMaskPropertyName, contactDataMask},
        {abkeys::googleGroupIDPropertyName, groupID},
        {abkeys::googleGroupVersionPropertyName, QStringLiteral("com.test.groupVersion")},
        {abkeys::googleGroupAsOfDatePropertyName, QStringLiteral("com.test.groupAsOf")},
        {abkeys::googleGroupDataMaskPropertyName, QStringLiteral("com.test.groupMask")},
        {abkeys::googleContactExtendedPropertyName, QStringLiteral("tolvaneContact")},
        {abkeys::googleGroupExtendedPropertyName, QStringLiteral("tolvaneGroup")}};
    for (const auto &[key, value] : names)
        defaults.setString(value, key);
    return AddressBookTool::addTolvaneContactProperties() &&
           AddressBookTool::addTolvaneGroupProperties();
}

} // namespace linkpreferences

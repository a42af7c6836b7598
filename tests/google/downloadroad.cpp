#include "tests/google/downloadroad.h"

#include "addressbook/googlecontactmatching.h"
#include "addressbook/googlegroupmatching.h"
#include "google/abentryviews.h"
#include "google/googlecontacttool.h"
#include "platform/addressbook/addressbook.h"

namespace downloadroad {

bool downloadIntoAddressBook(GoogleContactTool &engine)
{
    for (const GDataEntryContactGroupPtr &group : engine.groupArray()) {
        if (!group->systemGroup())
            AddressBookTool::groupForGoogleGroup(ABGroupEntryView(*group));
    }
    bool everyContactPaired = true;
    for (const GDataEntryContactPtr &contact : engine.contactArray()) {
        if (contact->isDeleted())
            continue;
        const PersonPtr person =
            AddressBookTool::personForGoogleContact(ABContactEntryView(*contact));
        if (!person) {
            everyContactPaired = false;
            continue;
        }
        engine.makePerson(person, *contact);
    }
    return AddressBook::shared()->save() && everyContactPaired;
}

} // namespace downloadroad

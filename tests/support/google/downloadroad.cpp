#include "tests/support/google/downloadroad.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/google/googlecontactmatching.h"
#include "addressbook/google/googlegroupmatching.h"
#include "foundation/parsers/parserkeys.h"
#include "google/download/downloadkeys.h"
#include "google/engine/googlecontacttool.h"
#include "google/lookups/abentryviews.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/localizedpropertyorlabel.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/preferencereadscope.h"
#include "platform/defaults/userdefaults.h"

namespace downloadroad {

bool downloadIntoAddressBook(GoogleContactTool &engine)
{
    const BulkSaves bulkSaves;
    // The data loader's pass reads the same preferences for every contact.
    const PreferenceReadScope samePreferences;
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

bool emptyBook()
{
    AddressBook *book = AddressBook::shared();
    for (const PersonPtr &person : book->people()) {
        if (person != book->me())
            book->removeRecord(person);
    }
    for (const GroupPtr &group : book->groups())
        book->removeRecord(group);
    return book->save();
}

void useDownloadOptions()
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setString(kEveryFieldDataMask, abkeys::addressBookDataMask);
    defaults.setString(localizedPropertyOrLabel(kABAddressCityKey), zeltor::kLabel1Key);
    defaults.setString(localizedPropertyOrLabel(kABAddressStateKey), zeltor::kLabel2Key);
    defaults.setString(localizedPropertyOrLabel(kABAddressZIPKey), zeltor::kLabel3Key);
    for (const QString &key :
         {googlekeys::abUpdateName, googlekeys::abUpdateCompany, googlekeys::abUpdateNotes,
          googlekeys::abUpdateTitle, googlekeys::abUpdateEmail, googlekeys::abUpdatePhone,
          googlekeys::abUpdateIM, googlekeys::abUpdatePostal, googlekeys::abUpdateMemberships,
          googlekeys::abUpdatePicture})
        defaults.setBool(true, key);
}

} // namespace downloadroad

#include "addressbook/google/googlecontactmatching.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/google/googleentryfields.h"
#include "addressbook/google/linkproperties.h"
#include "addressbook/records/namelookup.h"
#include "addressbook/records/recordlookup.h"
#include "addressbook/records/recordsaving.h"
#include "foundation/log.h"
#include "foundation/text/textdate.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

namespace AddressBookTool {

namespace {

const QString kClass = QStringLiteral("AddressBookTool");
const QString kNoEmailNorTitle = QStringLiteral("Google contact w/o Email or Tite");

PersonPtr byStoredRecordID(const GoogleContactEntry &contact)
{
    const std::optional<QString> abid = storedRecordID(
        contact, UserDefaults::standard().stringForKey(abkeys::googleContactExtendedPropertyName));
    return abid ? personByABID(*abid) : nullptr;
}

// A found person serves the contact when it is linked to no contact or to this one; it is linked
// to this one if it was free.
PersonPtr claimedOrNew(const PersonPtr &found, const QString &googleID, const QString &link)
{
    if (!found)
        return createPersonWithGoogleID(googleID);
    const QString linked = found->valueForProperty(link).toString();
    if (linked.isEmpty()) {
        setLinkProperty(*found, link, googleID);
        return found;
    }
    return linked == googleID ? found : createPersonWithGoogleID(googleID);
}

} // namespace

PersonPtr existingABPersonForGoogleContact(const GoogleContactEntry &contact)
{
    if (const PersonPtr person = byStoredRecordID(contact))
        return person;
    if (const PersonPtr person = findPersonByPropery(contactIDPropertyName(), contact.identifier()))
        return person;
    const std::optional<QString> email = matchingEmail(contact);
    const std::optional<QString> title = contact.title();
    if (email) {
        if (const PersonPtr person = findByEmail(*email))
            return person;
    }
    if (title)
        return findByName(*title);
    if (!email)
        tlog::labelled(kClass, QStringLiteral("existingABPersonForGoogleContact:"),
                       kNoEmailNorTitle, contact.description());
    return nullptr;
}

PersonPtr personForGoogleContact(const GoogleContactEntry &contact)
{
    if (const PersonPtr person = byStoredRecordID(contact))
        return person;
    const QString googleID = contact.identifier();
    const QString link = contactIDPropertyName();
    // Without this, a contact that carries no record identifier and no e-mail address would
    // make a new person at every update.
    if (const PersonPtr person = findPersonByPropery(link, googleID))
        return person;
    const std::optional<QString> email = matchingEmail(contact);
    const std::optional<QString> title = contact.title();
    if (email) {
        if (const PersonPtr person = findByEmail(*email))
            return claimedOrNew(person, googleID, link);
        if (!title || title->isEmpty())
            return createPersonWithGoogleID(googleID);
    }
    if (title)
        return claimedOrNew(findByName(*title), googleID, link);
    tlog::labelled(kClass, QStringLiteral("personForGoogleContact:"), kNoEmailNorTitle, googleID);
    return nullptr;
}

PersonPtr createPersonWithGoogleID(const QString &googleID)
{
    const PersonPtr person = Person::create();
    person->setValueForProperty(googleID, contactIDPropertyName());
    if (UserDefaults::standard().boolForKey(abkeys::abUpdateIncludeCreateDate))
        person->setValueForProperty(textdate::format(QDateTime::currentDateTime()),
                                    kABNoteProperty);
    AddressBook::shared()->addRecord(person);
    abSave();
    return person;
}

} // namespace AddressBookTool

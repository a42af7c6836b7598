#pragma once

#include "platform/addressbook/recordclass.h"
#include "platform/gdata/entries/gdataentrycontact.h"

#include <QString>

// The repeated fields of a Google contact written into an Address Book person: e-mail addresses,
// phone numbers, instant-messaging handles, postal addresses and group memberships. Labels come
// from Google's free-text label (tested against the Address Book's own words for home and work)
// or, without one, from its rel. The person changes in memory; nothing is saved.
namespace tolvane {

// The person's e-mail addresses become the contact's; with none on either side the property is
// not written.
void googlizeEmailsFor(const PersonPtr &person, const GDataEntryContact &contact);
void googlizePhonesFor(const PersonPtr &person, const GDataEntryContact &contact);
// Each address text is parsed into its parts; an address with a rel other than home, work or
// other is not added.
void googlizeAddressesFor(const PersonPtr &person, const GDataEntryContact &contact);
// The five service properties are emptied and refilled from the contact, labelled as the
// preference abUpdateIMUseHome says. A handle on any other service (QQ, Skype...) goes to the
// other-services property under the service's name, unless the person holds it already, so it is
// never dropped.
void googlizeIMsFor(const PersonPtr &person, const GDataEntryContact &contact);
// With abUpdateRemoveABGroups the person first leaves every group that is not smart; then it
// joins each group linked to one of the contact's memberships, smart groups excepted.
void googlizeMembershipsFor(const PersonPtr &person, const GDataEntryContact &contact);

} // namespace tolvane

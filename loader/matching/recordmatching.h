#pragma once

#include "google/engine/googlecontactlists.h"
#include "google/upload/membershipcomparison.h"
#include "google/upload/uploaddecisions.h"
#include "platform/addressbook/recordclass.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <QString>

// Which Google entry belongs to an address book record in a full update, and whether one side is
// behind the other. The searches run on the engine's indexes over lists fetched for the update.
namespace recordmatching {

// By the stored Google identifier, by the exact title, by "System Group: " and the name. Several
// equal candidates give the first. Nothing is written.
GDataEntryContactGroupPtr googleGroupFor(const GoogleContactLists &lists, const GroupPtr &group);

// By the record's identifier kept in the contact, by the stored Google identifier, by each e-mail
// address (without regard to case), by the title the upload would give, and, for a person, by
// the given and last name as whole words. A found contact's identifier is stamped into the
// record; a stored identifier that names no contact is cleared, but only when the list is the
// whole account. Nothing is saved.
GDataEntryContactPtr googleContactFor(const GoogleContactLists &lists, const PersonPtr &person);

// The upload's test of a matched contact: the record, the upload options or the contact changed
// since they were last in step, or, with memberships uploaded, the person's groups differ (by the
// run's one membership comparison).
bool contactNeedsUpdate(const GDataEntryContact &contact, const PersonPtr &person,
                        const uploaddecisions::ContactDecisionOptions &options,
                        MembershipComparison &memberships);

// The download's test of a matched person: no or another data mask, another version of the
// contact, no as-of date, or an as-of date more than 90 s away from the person's last change.
bool personNeedsRewrite(const GDataEntryContact &contact, const PersonPtr &person,
                        const QString &addressBookDataMask);

// The ten download switches as "1" or "0", then the append-notes mode and the IM option.
QString addressBookDataMaskFromPreferences();
// Stores it in the preference addressBookDataMask.
void setABDataMask();

} // namespace recordmatching

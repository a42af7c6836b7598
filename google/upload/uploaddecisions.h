#pragma once

#include "google/engine/googlecontactlists.h"
#include "google/upload/membershipcomparison.h"
#include "platform/addressbook/recordclass.h"
#include "platform/gdata/entries/gdataentrybase.h"
#include "platform/gdata/entries/gdataentrycontact.h"

#include <QString>

#include <optional>

// Whether Google needs an address book record added, updated or nothing. The decisions read the
// engine's lists and the records; they send nothing.
namespace uploaddecisions {

enum class UploadAction { Skip, Add, Update };

struct UploadDecision
{
    UploadAction action = UploadAction::Skip;
    // The Google entry an update rewrites; null for an add or a skip.
    GDataEntryPtr googleObj = {};
};

// A group without a Google group is added. A Google group found for it whose identifier the
// group does not store yet is stamped on the group (not saved) and the group waits for the next
// run; a linked group is updated when its name changed.
UploadDecision decisionForABGroup(const GoogleContactLists &lists, const GroupPtr &group);

// The options of one contact decision run, read once per run.
struct ContactDecisionOptions
{
    bool people = false;
    bool companies = false;
    bool neverMoveMeCard = false;
    bool smartGroups = false;
    bool memberships = false;
    // The element name the current update options give the data mask.
    QString dataMask = {};
    QString extendedPropertyName = {};
    PersonPtr me = {};

    static ContactDecisionOptions fromPreferences();
};

// Whether the record takes part in a run at all: its kind is one the options upload, and it is
// not the Me record kept off Google.
bool isInScope(const PersonPtr &person, const ContactDecisionOptions &options);

// The decision for a record in scope.
UploadDecision decisionForABPerson(const GoogleContactLists &lists, const PersonPtr &person,
                                   const ContactDecisionOptions &options);
// The same decision as one of a run over many records: the run's membership test is made on the
// first record that needs it and serves the records after it, so the groups are read once per run
// rather than once per record.
UploadDecision decisionForABPerson(const GoogleContactLists &lists, const PersonPtr &person,
                                   const ContactDecisionOptions &options,
                                   std::optional<MembershipComparison> &runMemberships);

// The tests of a linked contact, each on its own.
// The record or the update options changed since the contact was last written, or someone changed
// the contact on Google since. The link write-back after a create is not a change of the record,
// and a record a download wrote from the contact's current version and nobody changed since is
// not stale.
bool contactDataIsStale(const GDataEntryBase &contact, const PersonPtr &person,
                        const ContactDecisionOptions &options);
// The memberships the person's groups give differ from those the contact holds. Only Google
// groups some address book group is linked to count, and never My Contacts, which every uploaded
// contact holds; smart groups count only when the options upload them.
bool membershipsDiffer(const GDataEntryContact &contact, const PersonPtr &person,
                       const GoogleContactLists &lists, const ContactDecisionOptions &options);

} // namespace uploaddecisions

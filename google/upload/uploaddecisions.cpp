#include "google/upload/uploaddecisions.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/fields/personemail.h"
#include "addressbook/fields/persontitle.h"
#include "addressbook/google/linkproperties.h"
#include "addressbook/records/recordlookup.h"
#include "foundation/log.h"
#include "foundation/text/textdate.h"
#include "google/download/downloadstamp.h"
#include "google/download/personlinks.h"
#include "google/engine/googlekeys.h"
#include "google/entries/entrybaseaccessors.h"
#include "google/entries/groupaccessors.h"
#include "google/upload/membershipcomparison.h"
#include "google/upload/uploadkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

namespace uploaddecisions {

namespace {

// Google's updated date may lie this far from the as-of stamp of our last write before the
// contact counts as changed on Google.
constexpr qint64 kAsOfToleranceMs = 20000;

QDateTime modificationDate(const PersonPtr &person)
{
    QVariant date = person->valueForProperty(kABModificationDateProperty);
    if (!date.isValid())
        date = person->valueForProperty(kABCreationDateProperty);
    return date.toDateTime();
}

} // namespace

UploadDecision decisionForABGroup(const GoogleContactLists &lists, const GroupPtr &group)
{
    const GDataEntryContactGroupPtr googleGroup = personlinks::groupForABGroup(lists, group);
    if (!googleGroup)
        return {UploadAction::Add};
    const QString storedID =
        group->valueForProperty(AddressBookTool::groupIDPropertyName()).toString();
    if (storedID != googleGroup->identifier()) {
        AddressBookTool::setGoogleID(googleGroup->identifier(), group);
        return {UploadAction::Skip};
    }
    if (group->valueForProperty(kABGroupNameProperty).toString() ==
        tolvane::entryDisplayName(*googleGroup))
        return {UploadAction::Skip};
    return {UploadAction::Update, googleGroup};
}

ContactDecisionOptions ContactDecisionOptions::fromPreferences()
{
    UserDefaults &defaults = UserDefaults::standard();
    return {defaults.boolForKey(abkeys::gmUpdatePeople),
            defaults.boolForKey(abkeys::gmUpdateCompanies),
            defaults.boolForKey(googlekeys::gmUpdateNeverMoveMeCard),
            defaults.boolForKey(googlekeys::gmUpdateSmartGroups),
            defaults.boolForKey(googlekeys::gmUpdateMemberships),
            defaults.stringForKey(googlekeys::googleDataMask),
            defaults.stringForKey(abkeys::googleContactExtendedPropertyName),
            AddressBookTool::meAB()};
}

bool isInScope(const PersonPtr &person, const ContactDecisionOptions &options)
{
    if (!person)
        return false;
    const bool kindUploaded = (options.people && AddressBookTool::personIsPerson(person)) ||
                              (options.companies && AddressBookTool::personIsCompany(person));
    if (!kindUploaded)
        return false;
    return !(options.neverMoveMeCard && options.me && options.me->uniqueId() == person->uniqueId());
}

bool contactDataIsStale(const GDataEntryBase &contact, const PersonPtr &person,
                        const ContactDecisionOptions &options)
{
    if (downloadstamp::isUnchangedSinceDownload(contact, person))
        return false;
    // Read in place: the decisions of a run read it for every contact.
    const GDataExtendedProperty *property =
        entrybase::programPropertyIn(contact, options.extendedPropertyName);
    const QString *written = property ? property->findXMLValue(options.dataMask) : nullptr;
    if (!written)
        return true;
    // The link write-back leaves the modification date alone, so the date the contact was
    // written with still matches until the record is really edited.
    if (*written != textdate::format(modificationDate(person)))
        return true;
    const QString *asOfText = property->findXMLValue(u"asOf");
    if (!asOfText)
        return true;
    const QDateTime asOf = textdate::parse(*asOfText);
    return !asOf.isValid() || qAbs(asOf.msecsTo(contact.updatedDate())) > kAsOfToleranceMs;
}

bool membershipsDiffer(const GDataEntryContact &contact, const PersonPtr &person,
                       const GoogleContactLists &lists, const ContactDecisionOptions &options)
{
    return MembershipComparison(lists, options.smartGroups).differ(contact, person);
}

UploadDecision decisionForABPerson(const GoogleContactLists &lists, const PersonPtr &person,
                                   const ContactDecisionOptions &options)
{
    std::optional<MembershipComparison> memberships;
    return decisionForABPerson(lists, person, options, memberships);
}

UploadDecision decisionForABPerson(const GoogleContactLists &lists, const PersonPtr &person,
                                   const ContactDecisionOptions &options,
                                   std::optional<MembershipComparison> &runMemberships)
{
    const GDataEntryContactPtr contact =
        personlinks::contactForABPerson(lists, person,
                                        {AddressBookTool::tryOrderedEmailAddressesForPerson(person),
                                         AddressBookTool::googleTitleForPerson(person, true)});
    if (!contact)
        return {UploadAction::Add};
    if (contactDataIsStale(*contact, person, options)) {
        tlog::labelled(QStringLiteral("GoogleContactTool"),
                       QStringLiteral("buildBatchArrayForABContactArray:"),
                       QStringLiteral("will update"),
                       person->valueForProperty(kABLastNameProperty).toString());
        return {UploadAction::Update, contact};
    }
    // An update does not carry memberships while their option is off, so they cannot decide.
    if (!options.memberships)
        return {UploadAction::Skip};
    if (!runMemberships)
        runMemberships.emplace(lists, options.smartGroups);
    if (runMemberships->differ(*contact, person))
        return {UploadAction::Update, contact};
    return {UploadAction::Skip};
}

} // namespace uploaddecisions

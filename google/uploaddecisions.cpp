#include "google/uploaddecisions.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/grouplists.h"
#include "addressbook/linkproperties.h"
#include "addressbook/personemail.h"
#include "addressbook/persontitle.h"
#include "addressbook/recordlookup.h"
#include "foundation/log.h"
#include "foundation/textdate.h"
#include "google/downloadstamp.h"
#include "google/entrybaseaccessors.h"
#include "google/googlekeys.h"
#include "google/groupaccessors.h"
#include "google/grouplookups.h"
#include "google/membershipmapping.h"
#include "google/personlinks.h"
#include "google/uploadkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataentrycontactgroup.h"

#include <QSet>

namespace uploaddecisions {

namespace {

// Google's updated date may lie this far from the as-of stamp of our last write before the
// contact counts as changed on Google.
constexpr qint64 kAsOfToleranceMs = 20000;
// The link write-back stamps its as-of time (text dates keep whole seconds) and then changes the
// record, which moves its modification date a moment later.
constexpr qint64 kWriteBackTouchMs = 2000;

QDateTime modificationDate(const PersonPtr &person)
{
    QVariant date = person->valueForProperty(kABModificationDateProperty);
    if (!date.isValid())
        date = person->valueForProperty(kABCreationDateProperty);
    return date.toDateTime();
}

// The record's only change since the contact was written is the link write-back that followed
// Google's answer: the write-back left its as-of stamp after the upload, and the record has not
// changed since that stamp.
bool onlyTouchedByLinkWriteBack(const PersonPtr &person, const QString &uploadedVersion)
{
    const QDateTime uploaded = textdate::parse(uploadedVersion);
    const QDateTime writtenBack = textdate::parse(
        person->valueForProperty(AddressBookTool::contactLinkPropertyNames().asOfDate).toString());
    const QDateTime modified = modificationDate(person);
    if (!uploaded.isValid() || !writtenBack.isValid() || !modified.isValid())
        return false;
    const qint64 sinceWriteBack = writtenBack.msecsTo(modified);
    return uploaded <= writtenBack && sinceWriteBack >= 0 && sinceWriteBack < kWriteBackTouchMs;
}

QSet<QString> smartGroupLinks()
{
    const QString idProperty = AddressBookTool::groupIDPropertyName();
    QSet<QString> links;
    for (const GroupPtr &group : AddressBookTool::smartABGroups()) {
        const QString id = group->valueForProperty(idProperty).toString();
        if (!id.isEmpty())
            links.insert(id);
    }
    return links;
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
    const std::optional<QHash<QString, QString>> values =
        entrybase::programPropertyValues(contact, options.extendedPropertyName);
    if (!values || !values->contains(options.dataMask))
        return true;
    const QString uploadedVersion = values->value(options.dataMask);
    if (uploadedVersion != textdate::format(modificationDate(person)) &&
        !onlyTouchedByLinkWriteBack(person, uploadedVersion))
        return true;
    if (!values->contains(QStringLiteral("asOf")))
        return true;
    const QDateTime asOf = textdate::parse(values->value(QStringLiteral("asOf")));
    return !asOf.isValid() || qAbs(asOf.msecsTo(contact.updatedDate())) > kAsOfToleranceMs;
}

bool membershipsDiffer(const GDataEntryContact &contact, const PersonPtr &person,
                       const GoogleContactLists &lists, const ContactDecisionOptions &options)
{
    // Links found by name are stamped on the groups first, so they count as linked below.
    const QStringList mapped =
        membershipmapping::googleGroupLinksForABPerson(person, lists.groups());
    QSet<QString> expected(mapped.cbegin(), mapped.cend());
    const QSet<QString> linked = membershipmapping::linkedGoogleGroupIDs();
    QSet<QString> held;
    for (const GDataGroupMembershipInfo &info : contact.groupMembershipInfos()) {
        if (linked.contains(info.href))
            held.insert(info.href);
    }
    const QString myContacts = grouplookups::myContactsID(lists);
    expected.remove(myContacts);
    held.remove(myContacts);
    if (!options.smartGroups) {
        const QSet<QString> smart = smartGroupLinks();
        expected.subtract(smart);
        held.subtract(smart);
    }
    return expected != held;
}

UploadDecision decisionForABPerson(const GoogleContactLists &lists, const PersonPtr &person,
                                   const ContactDecisionOptions &options)
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
    if (options.memberships && membershipsDiffer(*contact, person, lists, options))
        return {UploadAction::Update, contact};
    return {UploadAction::Skip};
}

} // namespace uploaddecisions

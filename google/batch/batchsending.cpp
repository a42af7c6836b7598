// Turning a queue of batch actions into batch feeds of at most 100 entries.
#include "addressbook/addressbookkeys.h"
#include "foundation/log.h"
#include "google/batch/batchfeeds.h"
#include "google/batch/batchkeys.h"
#include "google/batch/ticketset.h"
#include "google/download/personlinks.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/engine/googlekeys.h"
#include "google/entries/extendedproperty.h"
#include "google/upload/contactconstruction.h"
#include "google/upload/contactupdate.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/preferencereadscope.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdatacontactelements.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/entries/gdatafeedcontact.h"
#include "platform/gdata/entries/gdatafeedcontactgroup.h"
#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/gdataservicegooglecontact.h"

namespace {

const QString kClass = QStringLiteral("GoogleContactTool");
constexpr int kEntriesPerFeed = 100;
constexpr size_t kMaxExtendedProperties = 10;

const QString kInsert = QStringLiteral("insert");
const QString kUpdate = QStringLiteral("update");
const QString kDelete = QStringLiteral("delete");

bool isTicketType(const QString &type)
{
    return type == tickettypes::simple || type == tickettypes::advanced ||
           type == tickettypes::generic;
}

QString text(const RecordPtr &record, const QString &property)
{
    return record ? record->valueForProperty(property).toString() : QString();
}

QString title(const GDataEntryPtr &entry)
{
    return entry ? entry->title().value_or(QString()) : QString();
}

// An organisation without a name keeps its empty name: inventing one would write it into the
// user's contact.
std::vector<GDataOrganization> rebuiltOrganizations(const GDataEntryContact &contact)
{
    const std::vector<GDataOrganization> &old = contact.organizations();
    std::vector<GDataOrganization> rebuilt;
    for (const GDataOrganization &organization : old) {
        GDataOrganization fresh;
        fresh.orgName = organization.orgName.value_or(QString());
        if (!organization.orgTitle.value_or(QString()).isEmpty())
            fresh.orgTitle = organization.orgTitle;
        fresh.primary = old.size() == 1;
        fresh.rel = QString::fromLatin1(kGDataContactWork);
        rebuilt.push_back(fresh);
    }
    return rebuilt;
}

QString describe(const std::vector<GDataOrganization> &organizations)
{
    QStringList names;
    for (const GDataOrganization &organization : organizations)
        names << organization.orgName.value_or(QString());
    return QLatin1Char('(') + names.join(QStringLiteral(", ")) + QLatin1Char(')');
}

// Replaces the program's property by a fresh one of the group; appends it when the entry has
// none and room is left.
void reconcileGroupProperties(GDataEntryContactGroup &entry, const GroupPtr &group)
{
    const std::optional<GDataExtendedProperty> fresh =
        extendedproperty::googleExtendedProperyForABGroup(group);
    if (!fresh)
        return;
    const QString name =
        UserDefaults::standard().stringForKey(abkeys::googleGroupExtendedPropertyName);
    std::vector<GDataExtendedProperty> properties = entry.extendedProperties();
    bool replaced = false;
    for (GDataExtendedProperty &property : properties) {
        if (property.name() == name) {
            property = *fresh;
            replaced = true;
        }
    }
    if (!replaced) {
        if (properties.size() < kMaxExtendedProperties) {
            properties.push_back(*fresh);
        } else {
            QStringList names;
            for (const GDataExtendedProperty &property : properties)
                names << property.name();
            tlog::message(kClass, QStringLiteral("processGroupBatchArray:ticketType:postSelector:"),
                          QStringLiteral("ERROR: could not add extendedProperties ") +
                              names.join(QStringLiteral(", ")));
        }
    }
    entry.setExtendedProperties(properties);
}

// Cuts the entries into feeds: one more feed after every 100th action and after the last, so
// actions that add no entry still end in a feed that is sent.
class FeedCutter
{
public:
    explicit FeedCutter(std::function<GDataFeedPtr()> makeFeed, int actionCount)
        : m_makeFeed(std::move(makeFeed))
        , m_actionCount(actionCount)
        , m_feed(m_makeFeed())
    {}
    void add(const GDataEntryPtr &entry)
    {
        if (entry)
            m_feed->addEntry(entry);
    }
    // Counts one action.
    void actionDone()
    {
        ++m_counted;
        if (m_counted % kEntriesPerFeed == 0 || m_counted == m_actionCount) {
            m_feeds.push_back(m_feed);
            m_feed = m_makeFeed();
        }
    }
    const std::vector<GDataFeedPtr> &feeds() const { return m_feeds; }

private:
    std::function<GDataFeedPtr()> m_makeFeed;
    int m_actionCount;
    int m_counted = 0;
    GDataFeedPtr m_feed;
    std::vector<GDataFeedPtr> m_feeds;
};

GDataEntryPtr withOperation(const GDataEntryPtr &entry, const QString &operation,
                            const std::optional<QString> &batchID = std::nullopt)
{
    if (!entry)
        return entry;
    entry->setBatchOperation(operation);
    if (batchID)
        entry->setBatchID(*batchID);
    return entry;
}

// A ticket type names the callbacks of every ticket of the send: without one nothing could judge
// the answers, so the send is refused; an empty queue has nothing to send.
bool canSend(const QString &op, const QString &ticketType, const BatchActionQueue &actions)
{
    if (!isTicketType(ticketType)) {
        tlog::message(kClass, op,
                      QStringLiteral("Invalid parameter not satisfying: ticketType!=nil"));
        return false;
    }
    return !actions.empty();
}

} // namespace

void GoogleContactTool::setProgressMessage(const QString &message)
{
    m_progressMessage = message;
    if (m_uiDelegate)
        m_uiDelegate->updateUserInfoWithMessage(message);
}

bool GoogleContactTool::processContactBatchArray(const BatchActionQueue &actions,
                                                 const QString &ticketType)
{
    const QString op = QStringLiteral("processContactBatchArray:ticketType:");
    if (!canSend(op, ticketType, actions))
        return false;
    // Every contact built reads the same update options and the same groups, and is stamped
    // with the same time: the time the send was built (each feed's asOf moves on as it goes out).
    const PreferenceReadScope samePreferences;
    const QDateTime now = QDateTime::currentDateTime();
    MembershipLinks memberships(m_lists.groups());
    const ContactBuildingContext context{m_lists, {}, &memberships};
    FeedCutter cutter(&GDataFeedContact::contactFeed, int(actions.size()));
    QString membershipGroupTitle;
    for (const BatchAction &action : actions) {
        const PersonPtr person = std::dynamic_pointer_cast<Person>(action.abObj);
        const auto contact = std::dynamic_pointer_cast<GDataEntryContact>(action.googleObj);
        if (action.action == batchactions::add && person) {
            cutter.add(withOperation(
                contactconstruction::newGoogleContactUsingABPerson(person, context, now), kInsert));
            setProgressMessage(
                QStringLiteral("Creating Google Contact: %1 %2")
                    .arg(text(person, kABFirstNameProperty), text(person, kABLastNameProperty)));
        } else if (action.action == batchactions::update && person && contact) {
            contactupdate::updateGoogleContactUsingABPerson(*contact, person, context, now);
            cutter.add(withOperation(contact, kUpdate)->copy());
            setProgressMessage(
                QStringLiteral("Updating Google Contact: %1 %2")
                    .arg(text(person, kABFirstNameProperty), text(person, kABLastNameProperty)));
        } else if (action.action == batchactions::remove && action.googleObj) {
            cutter.add(
                withOperation(action.googleObj, kDelete, action.googleObj->identifier())->copy());
            setProgressMessage(
                QStringLiteral("Removing Google Contact: %1").arg(title(action.googleObj)));
        } else if (action.action == batchactions::processUpdatedContact && contact) {
            if (!contact->organizations().empty()) {
                contact->setOrganizations(rebuiltOrganizations(*contact));
                tlog::write(QStringLiteral("Removing membership to %1 : %2 ORG: %3")
                                .arg(title(contact), tlog::orNull(membershipGroupTitle),
                                     describe(contact->organizations())));
            }
            cutter.add(withOperation(contact, kUpdate, contact->identifier())->copy());
            setProgressMessage(
                QStringLiteral("Changing Google Group Memberships: %1").arg(title(contact)));
        } else if (action.action == batchactions::addNewGroupMembership && contact) {
            const GroupPtr group = std::dynamic_pointer_cast<Group>(action.abObj);
            const GDataEntryContactGroupPtr googleGroup =
                personlinks::groupForABGroup(m_lists, group);
            membershipGroupTitle = title(googleGroup);
            if (googleGroup && !googleGroup->identifier().isEmpty()) {
                contact->addGroupMembershipInfo(
                    GDataGroupMembershipInfo::groupMembershipInfoWithHref(
                        googleGroup->identifier()));
                cutter.add(withOperation(contact, kUpdate, contact->identifier())->copy());
            }
            setProgressMessage(
                QStringLiteral("Changing Google Group Memberships: %1").arg(title(contact)));
        } else {
            tlog::labelled(kClass, op, QStringLiteral("ERROR: Unexpected Action"), action.action);
            setProgressMessage(m_progressMessage);
        }
        cutter.actionDone();
    }
    const QUrl batchURL = batchfeeds::batchURLOf(m_contactFeed);
    TicketSet::Step ticketEnded;
    if (ticketType == tickettypes::generic)
        ticketEnded = [this](TicketSet &set) {
            genericContactTicketEnded(set);
        };
    TicketSet::sendBatchFeeds(
        *contactService(), this, batchURL, cutter.feeds(),
        [this, ticketType](TicketSet &set) { batchContactsAnswered(ticketType, set); }, ticketEnded,
        [](GDataFeed &feed) { extendedproperty::stampAsOf(feed); });
    if (m_uiDelegate)
        m_uiDelegate->updateUserInfoWithMessage(QStringLiteral("Waiting for Google response... "));
    return true;
}

bool GoogleContactTool::processGroupBatchArray(const BatchActionQueue &actions,
                                               const QString &ticketType,
                                               const QString &postSelector)
{
    const QString op = QStringLiteral("processGroupBatchArray:ticketType:postSelector:");
    if (!canSend(op, ticketType, actions))
        return false;
    forgetRefusedGroups();
    m_groupsBeingAdded.clear();
    if (m_uiDelegate)
        m_uiDelegate->openUserInfoWithMessage(QStringLiteral("Updating Google groups... "),
                                              int(actions.size()));
    FeedCutter cutter(&GDataFeedContactGroup::contactGroupFeed, int(actions.size()));
    for (const BatchAction &action : actions) {
        const GroupPtr group = std::dynamic_pointer_cast<Group>(action.abObj);
        const auto entry = std::dynamic_pointer_cast<GDataEntryContactGroup>(action.googleObj);
        const QString name = text(group, kABGroupNameProperty);
        if (action.action == batchactions::add && group) {
            const GDataEntryContactGroupPtr fresh =
                GDataEntryContactGroup::contactGroupEntryWithTitle(name);
            if (const auto property = extendedproperty::googleExtendedProperyForABGroup(group))
                fresh->addExtendedProperty(*property);
            cutter.add(withOperation(fresh, kInsert, group->uniqueId()));
            m_groupsBeingAdded.append(group);
            setProgressMessage(QStringLiteral("New Google Group: %1").arg(name));
        } else if (action.action == batchactions::update && group && entry) {
            entry->setTitle(name);
            reconcileGroupProperties(*entry, group);
            cutter.add(withOperation(entry, kUpdate, group->uniqueId())->copy());
            setProgressMessage(QStringLiteral("Updating Google Group: %1").arg(name));
        } else if (action.action == batchactions::remove && action.googleObj) {
            cutter.add(
                withOperation(action.googleObj, kDelete, action.googleObj->identifier())->copy());
            setProgressMessage(
                QStringLiteral("Deleting Google Group: %1").arg(title(action.googleObj)));
        } else {
            tlog::labelled(kClass, op, QStringLiteral("ERROR: Unexpected Action"), action.action);
            setProgressMessage(m_progressMessage);
        }
        cutter.actionDone();
    }
    sendGroupFeeds(cutter.feeds(), ticketType, postSelector);
    if (m_uiDelegate)
        m_uiDelegate->updateUserInfoWithMessage(
            QStringLiteral("Waiting for Google response for Groups... "));
    return true;
}

bool GoogleContactTool::batchAddGroupNamesArray(const QStringList &names,
                                                const QString &postSelector)
{
    if (names.isEmpty())
        return false;
    FeedCutter cutter(&GDataFeedContactGroup::contactGroupFeed, int(names.size()));
    for (qsizetype i = 0; i < names.size(); ++i) {
        setProgressMessage(QStringLiteral("New Google Group: %1").arg(names[i]));
        cutter.add(withOperation(GDataEntryContactGroup::contactGroupEntryWithTitle(names[i]),
                                 kInsert, QString::number(i + 1)));
        cutter.actionDone();
    }
    sendGroupFeeds(cutter.feeds(), tickettypes::simple, postSelector);
    m_progressMessage = QStringLiteral("Waiting for Google response... ");
    return true;
}

void GoogleContactTool::sendGroupFeeds(const std::vector<GDataFeedPtr> &feeds,
                                       const QString &ticketType, const QString &postSelector)
{
    TicketSet::sendBatchFeeds(*contactService(), this, batchfeeds::batchURLOf(m_groupFeed), feeds,
                              [this, ticketType, postSelector](TicketSet &set) {
                                  batchGroupsAnswered(ticketType, postSelector, set);
                              });
}

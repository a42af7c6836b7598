// Judging the answers of a batch send, writing the created links back and choosing the next step.
#include "addressbook/fields/personnames.h"
#include "addressbook/google/linkproperties.h"
#include "addressbook/records/recordlookup.h"
#include "addressbook/records/recordsaving.h"
#include "foundation/log.h"
#include "google/batch/batchfailuretexts.h"
#include "google/batch/batchkeys.h"
#include "google/batch/batchwriteback.h"
#include "google/batch/ticketset.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooldatadelegate.h"
#include "google/engine/googlecontacttooltexts.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/engine/googlekeys.h"
#include "google/entries/contactaccessors.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/preferencereadscope.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/ui/prompter.h"

#include <QApplication>

#include <optional>
#include <utility>

namespace {

const QString kClass = QStringLiteral("GoogleContactTool");
constexpr unsigned kCreated = 201;

// How one ticket type judges its results.
struct Judging
{
    bool contactRules; // every code up to 399 succeeds; a missing status is an error
};

struct Reports
{
    QString report;
    QString errors;
    int errorCount = 0;
};

// Adds one result's line; answers whether the result counts as a success.
bool judge(const GDataEntryBase &entry, const QString &name, bool contactRules, bool genericLines,
           Reports &reports)
{
    const std::optional<GDataBatchStatus> status = entry.batchStatus();
    const QString batchID = entry.batchID().value_or(QString());
    if (const std::optional<GDataBatchInterrupted> interrupted = entry.batchInterrupted()) {
        const QString description = interrupted->description();
        if (contactRules) {
            reports.errors += QStringLiteral("%1: interrupted: %2\n").arg(name, description);
            ++reports.errorCount;
        } else if (genericLines) {
            reports.report += QStringLiteral("%1: interrupted: %2\n").arg(name, description);
        } else {
            reports.report += QStringLiteral("%1: %2 %3  (%4)\n")
                                  .arg(batchID)
                                  .arg(status ? int(status->code) : 0)
                                  .arg(status ? status->reason : QString(), description);
        }
        return false;
    }
    if (!status) {
        if (contactRules) {
            reports.errors += QStringLiteral("%1: no status returned\n").arg(name);
            ++reports.errorCount;
        } else {
            reports.report +=
                QStringLiteral("%1: no status returned\n").arg(genericLines ? name : batchID);
        }
        return false;
    }
    const unsigned code = status->code;
    if (contactRules) {
        if (code <= 399) {
            reports.report += QStringLiteral("%1: %2 - %3 -- %4\n")
                                  .arg(name)
                                  .arg(code)
                                  .arg(status->reason, entry.ETag().value_or(QString()));
            return true;
        }
        reports.errors += QStringLiteral("%1: %2 - %3 -- %4\n")
                              .arg(name)
                              .arg(code)
                              .arg(status->reason, status->stringValue);
        ++reports.errorCount;
        return false;
    }
    const QString line = QStringLiteral("%1: %2 - %3 \n").arg(name).arg(code).arg(status->reason);
    if (code >= 200 && code <= 299) {
        reports.report += line;
        return true;
    }
    if (code >= 400) {
        reports.errors += line;
        ++reports.errorCount;
    }
    return false;
}

void addTicketFailures(const TicketSet &set, Reports &reports)
{
    for (const TicketSet::Failure &failure : set.failures()) {
        reports.errors += QStringLiteral("ticket failed: %1 (%2)\n")
                              .arg(failure.error.description)
                              .arg(failure.error.code);
        ++reports.errorCount;
    }
}

void setFlag(const QString &key, bool value)
{
    UserDefaults::standard().setBool(value, key);
}

void showGroupFailureSheet(const QString &title, const QString &text, const GDataError &error)
{
    Prompter::current().beginSheet(
        Prompt{title, text.arg(error.description), {googletexts::okButton}},
        QApplication::activeWindow(), [](int) {});
}

QString nameOf(const PersonPtr &person, const GDataEntryBase &entry)
{
    return person ? AddressBookTool::firstLastNameForPerson(person)
                  : entry.title().value_or(QString());
}

} // namespace

void GoogleContactTool::genericContactTicketEnded(const TicketSet &set)
{
    const qsizetype actions = qsizetype(m_currentContactBatchArray.size());
    if (actions == 0)
        return;
    const qsizetype percent = qsizetype(set.results().size()) * 100 / actions;
    setProgressMessage(QStringLiteral("Google responses ~ %1% complete").arg(percent));
}

void GoogleContactTool::batchContactsAnswered(const QString &ticketType, TicketSet &set)
{
    const bool generic = ticketType == tickettypes::generic;
    if (ticketType == tickettypes::simple) {
        setFlag(batchkeys::gmSimpleABContactActionsComplete, true);
    } else if (ticketType == tickettypes::advanced) {
        setFlag(batchkeys::gmAdvancedABContactActionsComplete, true);
        setProgressMessage(QStringLiteral("Processing Google responses..."));
    } else {
        setFlag(batchkeys::updateABContactActionsComplete, true);
    }
    Reports reports;
    if (generic) {
        reports.report = QStringLiteral("ticket http status:%1\n\n").arg(set.lastStatusCode());
    } else {
        reports.report = QStringLiteral("\nTicket Report \nEntry Count: %1\nhttp status:%2\n\n")
                             .arg(set.results().size())
                             .arg(set.lastStatusCode());
        reports.errors = QStringLiteral("\nTicket ERROR Report\n");
    }
    AddressBook *book = AddressBook::shared();
    const QDateTime now = QDateTime::currentDateTime();
    // Each answer reads the same link property names and extended property name again; the
    // scope ends with the loop, before the save and the next step.
    std::optional<PreferenceReadScope> samePreferences(std::in_place);
    for (const GDataEntryPtr &entry : set.results()) {
        PersonPtr person;
        QString name;
        if (generic) {
            person = book->personForUniqueId(entry->batchID().value_or(QString()));
            name = nameOf(person, *entry);
            if (person && AddressBookTool::personIsCompany(person))
                setProgressMessage(
                    QStringLiteral("Processing  ...  %1")
                        .arg(person->valueForProperty(kABOrganizationProperty).toString()));
            else
                setProgressMessage(
                    QStringLiteral("Processing... %1 %2")
                        .arg(person ? person->valueForProperty(kABFirstNameProperty).toString()
                                    : QString(),
                             person ? person->valueForProperty(kABLastNameProperty).toString()
                                    : QString()));
        } else {
            const auto contact = std::dynamic_pointer_cast<GDataEntryContact>(entry);
            if (contact) {
                person = book->personForUniqueId(tolvane::tolvaneABID(*contact));
                name = tolvane::tolvaneTitle(*contact);
            }
            // A failed entry comes back without the contact's elements; its batch identifier,
            // the record's unique identifier, still names whom the failure concerns.
            if (!person && !entry->batchID().value_or(QString()).isEmpty()) {
                person = book->personForUniqueId(*entry->batchID());
                if (person)
                    name = AddressBookTool::firstLastNameForPerson(person);
            }
            setProgressMessage(QStringLiteral("Processing... %1").arg(name));
        }
        const bool success = judge(*entry, name, !generic, generic, reports);
        if (success && entry->batchStatus()->code == kCreated)
            batchwriteback::writeContactLinks(person, *entry, !generic, now);
    }
    samePreferences.reset();
    addTicketFailures(set, reports);
    // The written links are saved at once: links lost to a crash would duplicate the contacts at
    // the next upload.
    AddressBookTool::abSave();
    m_lastBatchReport = reports.report;
    m_lastBatchErrorReport = reports.errors;
    if (reports.errorCount > 0)
        tlog::value(kClass, QStringLiteral("batchContactsAnswered"), QStringLiteral("errorReport"),
                    reports.errors);
    if (m_dataDelegate)
        m_dataDelegate->batchSendAnswered(false, set.results(), !set.failures().empty());
    if (!set.failures().empty()) {
        contactBatchFailed(ticketType, set);
        return;
    }
    if (generic)
        m_treadWait.clear();
    refetchAllContacts(QStringLiteral("doPicturesElseSmart"));
}

void GoogleContactTool::contactBatchFailed(const QString &ticketType, const TicketSet &set)
{
    const GDataError &error = set.failures().front().error;
    QString process = QStringLiteral("Advanced Google Update");
    if (ticketType == tickettypes::simple) {
        process = QStringLiteral("Simple Google Update");
    } else if (ticketType == tickettypes::advanced) {
        tlog::labelled(
            kClass, QStringLiteral("batchAdvancedABContactActionTicket:failedWithError:"),
            QStringLiteral("ERROR: batchAdvancedABGContactsActions failed"), error.description);
    } else {
        m_treadWait.clear();
        if (m_uiDelegate)
            m_uiDelegate->closeUserInfo();
    }
    if (m_uiDelegate)
        m_uiDelegate->cleanupGUIforProcess(process, QString(), error);
    // The other tickets' contacts were created: without them in the list, the next upload would
    // find their links stale and create them again.
    refetchAllContacts(QString());
}

void GoogleContactTool::batchGroupsAnswered(const QString &ticketType, const QString &postSelector,
                                            TicketSet &set)
{
    const bool simple = ticketType == tickettypes::simple;
    const bool generic = ticketType == tickettypes::generic;
    if (simple) {
        setFlag(batchkeys::gmSimpleABGroupActionsComplete, true);
        setProgressMessage(QStringLiteral("Processing Google responses..."));
    } else if (generic) {
        setFlag(batchkeys::updateABGroupActionsComplete, true);
        setProgressMessage(QStringLiteral("Processing Google responses..."));
    } else {
        setProgressMessage(QStringLiteral("Processing Google Group responses..."));
    }
    Reports reports;
    reports.report = QStringLiteral("http status:%1\n\n").arg(set.lastStatusCode());
    AddressBook *book = AddressBook::shared();
    const QDateTime now = QDateTime::currentDateTime();
    for (const GDataEntryPtr &entry : set.results()) {
        const GroupPtr group = book->groupForUniqueId(entry->batchID().value_or(QString()));
        const QString name = group ? group->valueForProperty(kABGroupNameProperty).toString()
                                   : entry->title().value_or(QString());
        if (!simple)
            setProgressMessage(QStringLiteral("Processing Group... %1").arg(name));
        const bool success = judge(*entry, name, false, generic, reports);
        if (success && entry->batchStatus()->code == kCreated)
            batchwriteback::writeGroupLinks(group, *entry, simple, now);
    }
    // A group refused, or left unanswered by an interrupted batch, is still without its link.
    for (const GroupPtr &group : std::exchange(m_groupsBeingAdded, {}))
        noteRefusedGroup(group);
    addTicketFailures(set, reports);
    AddressBookTool::abSave();
    m_lastBatchReport = reports.report;
    m_lastBatchErrorReport = reports.errors;
    if (reports.errorCount > 0)
        tlog::value(kClass, QStringLiteral("batchGroupsAnswered"), QStringLiteral("errorReport"),
                    reports.errors);
    if (m_dataDelegate)
        m_dataDelegate->batchSendAnswered(true, set.results(), !set.failures().empty());
    if (!set.failures().empty()) {
        groupBatchFailed(ticketType, set);
        return;
    }
    if (simple) {
        m_useAdvanced = false;
        tlog::value(kClass, QStringLiteral("batchSimpleABGroupActionTicket:finishedWithFeed:"),
                    QStringLiteral("reportStr"), reports.report);
        refetchAllGroups(postSelector.isNull() ? QStringLiteral("doContactsElseSmart")
                                               : postSelector);
    } else if (generic) {
        m_treadWait.clear();
        refetchAllGroups(postSelector.isEmpty() ? QStringLiteral("doSaveAB") : postSelector);
    } else {
        m_useAdvanced = true;
        refetchAllGroups(postSelector.isEmpty() ? QStringLiteral("doContactsElseSmart")
                                                : postSelector);
    }
}

void GoogleContactTool::noteRefusedGroup(const GroupPtr &group)
{
    if (!group->valueForProperty(AddressBookTool::groupIDPropertyName()).toString().isEmpty())
        return;
    m_refusedGroupIDs.insert(group->uniqueId());
    m_groupRefusals += group->valueForProperty(kABGroupNameProperty).toString() + u'\n';
}

void GoogleContactTool::groupBatchFailed(const QString &ticketType, const TicketSet &set)
{
    const GDataError &error = set.failures().front().error;
    UserDefaults &ud = UserDefaults::standard();
    if (ticketType == tickettypes::simple) {
        setFlag(batchkeys::gmSimpleABGroupActionsComplete, true);
        ud.setObject(false, googlekeys::waitingOnGoogle);
        tlog::labelled(kClass, QStringLiteral("batchSimpleABGroupActionTicket:failedWithError:"),
                       QStringLiteral("ERROR: batchSimpleABGroupActions failed"),
                       error.description);
        showGroupFailureSheet(batchfailuretexts::simpleGroupsFailed,
                              batchfailuretexts::simpleGroupsFailedText, error);
        if (m_uiDelegate)
            m_uiDelegate->closeUserInfo();
    } else if (ticketType == tickettypes::advanced) {
        ud.setObject(false, googlekeys::waitingOnGoogle);
        tlog::labelled(kClass, QStringLiteral("batchAdvancedABGroupActionTicket:failedWithError:"),
                       QStringLiteral("ERROR: batchAdvancedABGroupActions failed"),
                       error.description);
        if (ud.boolForKey(batchkeys::showGoogleAlerts))
            showGroupFailureSheet(batchfailuretexts::advancedGroupsFailed,
                                  batchfailuretexts::advancedGroupsFailedText, error);
    } else {
        // A group failure ends the group job, whatever the contacts do.
        setFlag(batchkeys::updateABGroupActionsComplete, true);
        m_treadWait.clear();
        if (m_uiDelegate) {
            m_uiDelegate->closeUserInfo();
            m_uiDelegate->cleanupGUIforProcess(QStringLiteral("Advanced Google Update"), QString(),
                                               error);
        }
    }
    // The groups the other tickets created must be in the list before the next upload looks.
    refetchAllGroups(QString());
}

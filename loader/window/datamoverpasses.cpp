// The full updates of the data loader window: their confirmation sheets, the fetch each pass runs
// on, the hand-over to the engine, and the one end of every process.
#include "loader/window/datamoverwindowcontroller.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/records/emaillookup.h"
#include "addressbook/records/recordcounts.h"
#include "addressbook/records/recordsaving.h"
#include "app/delegate/appdelegate.h"
#include "foundation/log.h"
#include "google/batch/batchkeys.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlekeys.h"
#include "google/entries/datamask.h"
#include "loader/loaderkeys.h"
#include "loader/loadertexts.h"
#include "loader/matching/recordmatching.h"
#include "loader/window/agentclient.h"
#include "platform/addressbook/addressbook.h"
#include "platform/defaults/preferencereadscope.h"
#include "platform/defaults/userdefaults.h"
#include "platform/ui/prompter.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

namespace {

const QString &kClass = loadertexts::windowClass;
const QString kPassStep = QStringLiteral("dataLoaderPassFetched");

// The heading of the engine's error report of a send; anything after it names a failed entry.
const QString kErrorReportHeading = QStringLiteral("\nTicket ERROR Report\n");

QString describe(const QVariantMap &info)
{
    QStringList parts;
    for (auto it = info.cbegin(); it != info.cend(); ++it)
        parts << QStringLiteral("%1 = %2").arg(it.key(), it.value().toString());
    return parts.join(QStringLiteral("; "));
}

} // namespace

// Confirmation.

void DataMoverWindowController::simpleUpdateGMail()
{
    beginUploadSheet(Pass::SimpleUpload);
}

void DataMoverWindowController::advancedUpdateGMail()
{
    beginUploadSheet(Pass::AdvancedUpload);
}

void DataMoverWindowController::simpleUpdateAddressBook()
{
    beginDownloadSheet(Pass::SimpleDownload);
}

void DataMoverWindowController::advancedUpdateAddressBook()
{
    beginDownloadSheet(Pass::AdvancedDownload);
}

void DataMoverWindowController::beginUploadSheet(Pass pass)
{
    if (m_process.running)
        return;
    UserDefaults &ud = UserDefaults::standard();
    const bool simple = pass == Pass::SimpleUpload;
    const bool hasData = ud.boolForKey(googlekeys::googleHasData);
    const int mode = ud.integerForKey(loaderkeys::gmUpdateBackupMode);
    if (mode < 0 || mode > 2)
        return;
    QString message = simple ? loadertexts::simpleUploadCheck : loadertexts::advancedUploadCheck;
    QStringList buttons{loadertexts::stop, loadertexts::proceed};
    if (hasData && mode == 2)
        message += simple ? loadertexts::simpleDataBackupAlways : loadertexts::advancedDataBackupAlways;
    else if (hasData && mode == 1)
        buttons = {loadertexts::stop, loadertexts::backupThenProceed, loadertexts::skipBackup};
    else if (hasData)
        message += simple ? loadertexts::simpleDataBackupNever : loadertexts::advancedDataBackupNever;
    else if (mode == 2)
        message += simple ? loadertexts::simpleNoDataBackupAlways
                          : loadertexts::advancedNoDataBackupAlways;
    else if (mode == 1)
        message += simple ? loadertexts::simpleNoDataBackupAsk : loadertexts::advancedNoDataBackupAsk;
    else
        message += simple ? loadertexts::simpleNoDataBackupNever
                          : loadertexts::advancedNoDataBackupNever;
    Prompter::current().beginSheet(
        Prompt{simple ? loadertexts::simpleUploadTitle : loadertexts::advancedUploadTitle, message,
               buttons},
        QApplication::activeWindow(), [this, pass](int code) { proceedUpload(pass, code); });
}

void DataMoverWindowController::beginDownloadSheet(Pass pass)
{
    if (m_process.running)
        return;
    UserDefaults &ud = UserDefaults::standard();
    const bool simple = pass == Pass::SimpleDownload;
    const bool hasData = ud.boolForKey(abkeys::addressBookHasData);
    const int mode = ud.integerForKey(loaderkeys::abUpdateBackupMode);
    if (mode < 0 || mode > 1)
        return;
    QString message = loadertexts::downloadCheck;
    QStringList buttons{loadertexts::stop, loadertexts::proceed};
    if (hasData && mode == 1) {
        buttons = {loadertexts::stop, loadertexts::backupAddressBook, loadertexts::skipBackup};
        if (simple)
            message = loadertexts::simpleDownloadBackupAsk;
    } else if (hasData) {
        message += loadertexts::downloadBackupNever;
    } else if (mode == 1) {
        message += loadertexts::downloadNoDataBackupAsk;
    } else {
        message += loadertexts::downloadNoDataBackupNever;
    }
    Prompter::current().beginSheet(
        Prompt{simple ? loadertexts::simpleDownloadTitle : loadertexts::advancedDownloadTitle,
               message, buttons},
        QApplication::activeWindow(),
        [this, pass, hasData, mode](int code) {
            if (code == kAlertSecondButtonReturn && hasData && mode == 1) {
                // The backup takes the place of the update, which the user starts again after.
                AppDelegate::shared()->backupAddressBook();
                return;
            }
            proceedDownload(pass, code);
        });
}

void DataMoverWindowController::startProcess(Pass pass, const QString &name)
{
    m_process = Process{};
    m_process.running = true;
    m_process.pass = pass;
    m_process.name = name;
    takeEngineDelegates();
    // Silenced before anything is read or written: the agent's own pushes would race the pass.
    m_process.agentWasListening = agentclient::isAgentListening();
    if (m_process.agentWasListening)
        agentclient::silenceAgentNotifications();
}

void DataMoverWindowController::proceedUpload(Pass pass, int returnCode)
{
    if (returnCode == kAlertFirstButtonReturn || m_process.running || !m_tool)
        return;
    UserDefaults &ud = UserDefaults::standard();
    const bool simple = pass == Pass::SimpleUpload;
    ud.setBool(true, googlekeys::waitingOnGoogle);
    const int mode = ud.integerForKey(loaderkeys::gmUpdateBackupMode);
    const bool backup = ud.boolForKey(googlekeys::googleHasData) &&
                        (mode == 2 || (mode == 1 && returnCode == kAlertSecondButtonReturn));
    startProcess(pass, simple ? loadertexts::simpleGoogleUpdate : loadertexts::advancedGoogleUpdate);
    m_process.backup = backup;
    if (!simple) {
        quitAB();
        for (const QVariantMap &row : m_localABGroupArray) {
            if (row.value(QStringLiteral("doGroupSync")).toInt() == 1)
                m_process.tickedAB << uploadplanner::TickedGroup{
                    row.value(QStringLiteral("groupABID")).toString(),
                    row.value(QStringLiteral("groupName")).toString()};
        }
    }
    setStatusMessage(loadertexts::obtainingLatestData);
    m_statusField->show();
    m_process.fetchPending = true;
    m_tool->fetchAllGroupsAndContactsWithDidFinishSelector(kPassStep);
}

void DataMoverWindowController::proceedDownload(Pass pass, int returnCode)
{
    if (returnCode == kAlertFirstButtonReturn || m_process.running || !m_tool)
        return;
    const bool simple = pass == Pass::SimpleDownload;
    startProcess(pass, simple ? loadertexts::simpleDownload : loadertexts::advancedDownload);
    quitAB();
    UserDefaults &ud = UserDefaults::standard();
    ud.setBool(true, googlekeys::waitingOnGoogle);
    ud.setBool(false, loaderkeys::isSynchProcess);
    recordmatching::setABDataMask();
    m_process.downloadOptions = downloadpass::Options::fromPreferences();
    if (!simple) {
        // The pass's own fetch rebuilds the Google table and clears its ticks: the selection is
        // the one the user confirmed.
        for (const QVariantMap &row : m_googleGroupUIArray) {
            if (row.value(QStringLiteral("doGroupSync")).toInt() == 1)
                m_process.tickedGoogle << downloadpass::TickedGoogleGroup{
                    row.value(QStringLiteral("groupGoogleID")).toString(),
                    row.value(QStringLiteral("groupName")).toString()};
        }
    }
    setStatusMessage(loadertexts::obtainingLatestData);
    m_statusField->show();
    m_statusField->repaint();
    m_process.fetchPending = true;
    m_tool->fetchAllGroupsAndContactsWithDidFinishSelector(kPassStep);
}

// The pass's fetch.

void DataMoverWindowController::checkPassFetch()
{
    if (!m_tool)
        return;
    const std::optional<GDataError> error =
        m_tool->groupFetchError() ? m_tool->groupFetchError() : m_tool->contactFetchError();
    if (!error)
        return;
    if (m_refetchPending && !m_process.running)
        m_refetchPending = false;
    if (!m_process.fetchPending)
        return;
    m_process.fetchPending = false;
    // The engine has shown its sheet of the failed fetch; nothing has changed on either side.
    endProcess({m_process.name, QString(), error, true, true, false});
}

void DataMoverWindowController::passFetched()
{
    if (!m_process.fetchPending)
        return;
    m_process.fetchPending = false;
    const GoogleContactLists &lists = m_tool->lists();
    if (!lists.isGroupListComplete() || !lists.isContactListComplete()) {
        endProcess({m_process.name, loadertexts::incompleteLists, std::nullopt, true, false});
        return;
    }
    if (m_process.pass == Pass::SimpleUpload || m_process.pass == Pass::AdvancedUpload)
        runUpload();
    else
        runDownload();
}

int DataMoverWindowController::simpleProgressMaximum() const
{
    UserDefaults &ud = UserDefaults::standard();
    int m = 3;
    if (ud.boolForKey(loaderkeys::gmUpdatePictures))
        ++m;
    if (ud.boolForKey(googlekeys::googleHasData) && ud.boolForKey(loaderkeys::gmUpdateAlwaysBackup))
        ++m;
    int maximum = 0;
    if (ud.boolForKey(loaderkeys::gmUpdateGroups))
        maximum += (m - 1) * m_totalABGroups;
    if (ud.boolForKey(abkeys::gmUpdatePeople))
        maximum += m * m_totalABPeople;
    if (ud.boolForKey(abkeys::gmUpdateCompanies))
        maximum += m * m_totalABCompanies;
    return maximum;
}

void DataMoverWindowController::runUpload()
{
    const bool simple = m_process.pass == Pass::SimpleUpload;
    if (m_process.backup && !m_tool->backupGoogleContacts()) {
        // The backup has named what it could not write; without it the update does not start.
        endProcess({m_process.name, QString(), std::nullopt, true, true});
        return;
    }
    emit passStarting();
    uploadplanner::Plan plan;
    {
        // The comparison reads the same preferences for every record; the next pass reads them
        // anew.
        const PreferenceReadScope samePreferences;
        plan = planUpload(simple);
    }
    if (AddressBook::shared()->hasUnsavedChanges())
        AddressBookTool::abSave();
    handOver(plan);
}

uploadplanner::Plan DataMoverWindowController::planUpload(bool simple)
{
    datamask::setGoogleDataMask();
    setTotals();
    const uploadplanner::Options options = uploadplanner::Options::fromPreferences();
    const uploadplanner::Progress progress = [this](const QString &message) {
        updateUserInfoWithMessage(message);
    };
    m_batchActionGroupArray.clear();
    m_batchActionContactArray.clear();
    uploadplanner::Plan plan;
    if (simple) {
        openUserInfoWithMessage(loadertexts::initializingUpload, simpleProgressMaximum());
        plan = uploadplanner::planSimple(m_tool->lists(), options, progress);
    } else {
        const QList<PersonPtr> selection =
            uploadplanner::advancedSelection(m_process.tickedAB, options);
        const int k = UserDefaults::standard().boolForKey(loaderkeys::gmUpdatePictures) ? 3 : 2;
        openUserInfoWithMessage(loadertexts::initializingUpload,
                                k * int(selection.size()) + 2 * int(m_process.tickedAB.size()));
        plan = uploadplanner::planAdvanced(m_tool->lists(), options, m_process.tickedAB, selection,
                                           progress);
    }
    return plan;
}

void DataMoverWindowController::handOver(const uploadplanner::Plan &plan)
{
    const bool simple = m_process.pass == Pass::SimpleUpload;
    const QString op = simple ? QStringLiteral("proceedSimpleGMail:returnCode:")
                              : QStringLiteral("proceedAdvancedGMail:returnCode:");
    m_batchActionGroupArray = plan.groupActions;
    m_batchActionContactArray = plan.contactActions;
    if (m_batchActionGroupArray.empty() && m_batchActionContactArray.empty()) {
        tlog::message(kClass, op,
                      simple ? loadertexts::noSimpleGroupActions : loadertexts::noAdvancedGroupActions);
        tlog::message(kClass, op,
                      simple ? loadertexts::noSimpleContactActions
                             : loadertexts::noAdvancedContactActions);
        endProcess({loadertexts::nothingToUpload, QString(), std::nullopt, false, false});
        abChangeManager();
        return;
    }
    bool started = true;
    if (!m_batchActionGroupArray.empty()) {
        m_process.groupsHandedOver = true;
        if (simple)
            started = m_tool->processGroupBatchArray(m_batchActionGroupArray, tickettypes::simple);
        else
            m_tool->batchAdvancedABGroupActions(m_batchActionGroupArray);
    } else {
        m_process.contactsHandedOver = true;
        m_tool->initContactResultsArrayWithCapacity(int(m_batchActionContactArray.size()));
        if (simple) {
            m_tool->setCurrentContactImagesArray({});
            started = m_tool->processContactBatchArray(m_batchActionContactArray, tickettypes::simple);
        } else {
            m_tool->batchAdvancedABContactActions(m_batchActionContactArray);
        }
    }
    if (!started)
        endProcess({m_process.name, QString(), std::nullopt, true, false});
}

void DataMoverWindowController::runDownload()
{
    const bool simple = m_process.pass == Pass::SimpleDownload;
    emit passStarting();
    const downloadpass::Progress progress{
        [this](const QString &message, int maximum) { openUserInfoWithMessage(message, maximum); },
        [this](const QString &message) { updateUserInfoWithMessage(message); }};
    {
        // The pass reads the same preferences for every contact; the next pass reads them anew.
        const PreferenceReadScope samePreferences;
        if (simple)
            downloadpass::runSimple(*m_tool, m_process.downloadOptions, progress);
        else
            downloadpass::runAdvanced(*m_tool, m_process.downloadOptions, m_process.tickedGoogle,
                                      progress);
    }
    setABBackingData();
    closeUserInfo();
    endProcess({m_process.name, QString(), std::nullopt, false, false});
}

// The end of every process.

QString DataMoverWindowController::failedEntriesReport() const
{
    if (!m_tool || !m_process.running || !m_process.contactsHandedOver)
        return {};
    QString report = m_tool->lastBatchErrorReport();
    if (report.startsWith(kErrorReportHeading))
        report.remove(0, kErrorReportHeading.size());
    return report.trimmed();
}

void DataMoverWindowController::cleanupGUIforProcess(const QString &process,
                                                     const QString &subtitle,
                                                     const std::optional<GDataError> &error)
{
    // Entries Google refused are no success, though their send was answered.
    const QString refused = error ? QString() : failedEntriesReport();
    if (!refused.isEmpty()) {
        endProcess({process, refused, std::nullopt, true, false});
        return;
    }
    endProcess({process, subtitle, error, error.has_value(), false});
}

void DataMoverWindowController::listenForNotifications()
{
    // The engine's chain has ended. A process that nothing else ended (the reports mode's quiet
    // end, a failed refetch inside the chain) ends here.
    if (!m_process.running || m_process.fetchPending)
        return;
    const bool fetchFailed = m_tool && (m_tool->groupFetchError() || m_tool->contactFetchError());
    const QString refused = fetchFailed ? QString() : failedEntriesReport();
    if (!refused.isEmpty()) {
        endProcess({m_process.name, refused, std::nullopt, true, false});
        return;
    }
    endProcess({m_process.name, QString(), std::nullopt, fetchFailed, fetchFailed, !fetchFailed});
}

BatchActionQueue DataMoverWindowController::batchActionContactArray()
{
    m_process.contactQueueAsked = true;
    m_process.contactsHandedOver = m_process.contactsHandedOver || !m_batchActionContactArray.empty();
    return m_batchActionContactArray;
}

void DataMoverWindowController::refreshGroupData()
{
    if (m_process.running && m_process.groupsHandedOver && !m_process.contactQueueAsked)
        QMetaObject::invokeMethod(this, [this] { afterGroupRefetch(); }, Qt::QueuedConnection);
}

void DataMoverWindowController::afterGroupRefetch()
{
    // A group send that went on asked for the contact queue within the refetch's answer; one that
    // failed refetches its groups and stops.
    if (!m_process.running || !m_process.groupsHandedOver || m_process.contactQueueAsked)
        return;
    const bool simple = m_process.pass == Pass::SimpleUpload;
    const bool engineShowedSheet =
        simple || UserDefaults::standard().boolForKey(batchkeys::showGoogleAlerts);
    endProcess({m_process.name, m_tool ? m_tool->lastBatchErrorReport() : QString(), std::nullopt,
                true, engineShowedSheet});
}

void DataMoverWindowController::endProcess(const ProcessEnd &end)
{
    const bool hadProcess = m_process.running;
    const bool agentWasListening = m_process.agentWasListening;
    m_process = Process{};
    closeUserInfo();
    UserDefaults &ud = UserDefaults::standard();
    ud.setBool(false, googlekeys::waitingOnGoogle);
    const std::function<void(int)> thenSafari = [this](int) { manageSafari(); };
    if (end.failed && !end.sheetShown) {
        QString text = end.subtitle;
        if (text.isEmpty() && end.error)
            text = loadertexts::googleReportedError.arg(end.error->description,
                                                        describe(end.error->userInfo));
        const QString title = end.process.isEmpty() ? loadertexts::aProcessFailed
                                                    : loadertexts::processFailed.arg(end.process);
        Prompter::current().beginSheet(Prompt{title, text, {loadertexts::ok}},
                                       QApplication::activeWindow(), thenSafari);
    } else if (!end.failed && ud.boolForKey(batchkeys::showGoogleAlerts)) {
        const QString title = end.process.isEmpty()
                                  ? loadertexts::aProcessSucceeded
                                  : loadertexts::processSucceeded.arg(end.process);
        Prompter::current().beginSheet(Prompt{title, end.subtitle, {loadertexts::ok}},
                                       QApplication::activeWindow(), thenSafari);
    }
    // The job's last address book save is behind us: the agent may listen again.
    if (hadProcess && agentWasListening)
        agentclient::turnOnAgentNotifications();
    if (m_tool)
        m_tool->lists().clearGAllIDs();
    if (m_tool && end.refetch) {
        m_refetchPending = true;
        m_tool->fetchAllGroupsWithUIRefresh(true, true);
    }
    if (hadProcess)
        emit processEnded();
    if (hadProcess && m_closeRequested && WindowController::window())
        QTimer::singleShot(0, this, [this] {
            if (WindowController::window())
                WindowController::window()->close();
        });
}

void DataMoverWindowController::abChangeManager()
{
    if (!AddressBook::shared()->hasUnsavedChanges())
        return;
    AddressBookTool::abSave();
    setABBackingData();
}

// The window's other actions.

void DataMoverWindowController::checkAB()
{
    const QStringList duplicates = AddressBookTool::duplicatesByEmail();
    const Prompt prompt =
        duplicates.isEmpty()
            ? Prompt{loadertexts::compatibleTitle, loadertexts::compatibleText, {loadertexts::ok}}
            : Prompt{loadertexts::duplicatesTitle, duplicates.join(QStringLiteral("\r")),
                     {loadertexts::ok}};
    Prompter::current().beginSheet(prompt, QApplication::activeWindow(), [](int) {});
}

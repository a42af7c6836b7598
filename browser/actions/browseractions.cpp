#include "browser/actions/browseractions.h"

#include "app/delegate/appdelegate.h"
#include "browser/actions/actionkeys.h"
#include "browser/actions/actiontexts.h"
#include "browser/actions/functiontabview.h"
#include "browser/actions/selectionmail.h"
#include "browser/actions/userscripts.h"
#include "browser/inspector/contactinspector.h"
#include "browser/models/contactarraycontroller.h"
#include "browser/models/grouparraycontroller.h"
#include "browser/selection/groupsetcontroller.h"
#include "browser/window/browserwindowcontroller.h"
#include "foundation/log.h"
#include "foundation/mailcomposer.h"
#include "foundation/vozuveva/vozuvevaalerts.h"
#include "google/edits/contactflags.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlekeys.h"
#include "google/entries/contactaccessors.h"
#include "platform/defaults/userdefaults.h"
#include "platform/ui/beep.h"
#include "platform/ui/prompter.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QHash>
#include <QJsonArray>
#include <QMetaObject>
#include <QUrl>
#include <QWidget>

#include <algorithm>

namespace {

const QString kClass = QStringLiteral("BrowserWindowController");
int g_scriptTimeLimit = 60 * 1000;

bool offers(QObject *target, const char *signature)
{
    return target &&
           target->metaObject()->indexOfMethod(QMetaObject::normalizedSignature(signature)) >= 0;
}

} // namespace

BrowserActions::BrowserActions(BrowserWindowController &window, QObject *parent)
    : QObject(parent)
    , m_window(window)
{}

BrowserActions::~BrowserActions() = default;

void BrowserActions::setScriptTimeLimitForTesting(int milliseconds)
{
    g_scriptTimeLimit = milliseconds;
}

QObject *BrowserActions::applicationDelegate() const
{
    return m_applicationDelegate ? m_applicationDelegate.data() : AppDelegate::shared();
}

QList<QVariantMap> BrowserActions::selectedContactRows() const
{
    QList<QVariantMap> rows;
    GroupSetController *const groupSet = m_window.groupSetController();
    ContactArrayController *const contacts = m_window.contactArrayController();
    if (!groupSet || !contacts)
        return rows;
    QModelIndexList selected = groupSet->contactSelection()->selectedRows();
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    for (const QModelIndex &index : selected)
        rows.append(contacts->arrangedObject(index.row()));
    return rows;
}

QStringList BrowserActions::selectedContactIDs() const
{
    QStringList ids;
    for (const QVariantMap &row : selectedContactRows())
        ids.append(row.value(QStringLiteral("gID")).toString());
    return ids;
}

// Deletes, memberships and flags.

void BrowserActions::refuseDeletion(const QString &message)
{
    Prompter::current().beginSheet(
        Prompt{message, actiontexts::deletionRuleWhere, {actiontexts::ok}},
        m_window.WindowController::window(), [](int) {});
}

QList<QVariantMap> BrowserActions::rowsOfContacts(const QStringList &gIDs) const
{
    QList<QVariantMap> rows;
    GoogleContactTool *const tool = m_window.googleTool();
    if (!tool)
        return rows;
    QHash<QString, QVariantMap> byID;
    for (const QVariantMap &row : tool->lists().browserRows())
        byID.insert(row.value(QStringLiteral("gID")).toString(), row);
    for (const QString &gID : gIDs) {
        const auto found = byID.constFind(gID);
        if (found != byID.cend())
            rows.append(*found);
    }
    return rows;
}

void BrowserActions::deleteGroups(const QStringList &groupIDs)
{
    if (UserDefaults::standard().boolForKey(googlekeys::gmUpdateNeverRemoveGroups)) {
        refuseDeletion(actiontexts::noGroupDeletion);
        return;
    }
    GroupArrayController *const groups = m_window.groupArrayController();
    GoogleContactTool *const tool = m_window.googleTool();
    if (!groups || !tool)
        return;
    const QString allRow =
        groups->groupArray().isEmpty() ? QString() : groups->groupArray().front().identifier;
    QStringList identifiers = groupIDs;
    identifiers.removeAll(allRow);
    if (!identifiers.isEmpty())
        tool->batchDeleteGroups(identifiers);
}

void BrowserActions::deleteContacts(const QStringList &gIDs)
{
    if (UserDefaults::standard().boolForKey(googlekeys::gmUpdateNeverRemoveContacts)) {
        refuseDeletion(actiontexts::noContactDeletion);
        return;
    }
    GoogleContactTool *const tool = m_window.googleTool();
    if (!tool)
        return;
    const QList<QVariantMap> rows = rowsOfContacts(gIDs);
    m_window.setInfoMessage(QStringLiteral("%1/%2")
                                .arg(selectedContactRows().size())
                                .arg(tool->lists().browserRows().size()));
    if (!rows.isEmpty())
        tool->batchDeleteContacts(rows);
}

void BrowserActions::removeContactsFromGroups(const QStringList &gIDs, const QStringList &groupIDs)
{
    GoogleContactTool *const tool = m_window.googleTool();
    if (!tool)
        return;
    const QList<QVariantMap> rows = rowsOfContacts(gIDs);
    m_window.setInfoMessage(QStringLiteral("%1/%2")
                                .arg(selectedContactRows().size())
                                .arg(tool->lists().browserRows().size()));
    if (!rows.isEmpty() && !groupIDs.isEmpty())
        tool->batchRemoveContactsFromGroups(rows, groupIDs);
}

void BrowserActions::flagSelection(const QMap<QString, QString> &flags)
{
    const QStringList ids = selectedContactIDs();
    if (!ids.isEmpty() && m_window.googleTool())
        m_window.googleTool()->batchFlagContactsWithFlags(ids, flags);
}

void BrowserActions::flagAsMale()
{
    flagSelection(contactflags::male);
}

void BrowserActions::flagAsFemale()
{
    flagSelection(contactflags::female);
}

void BrowserActions::flagAsPerson()
{
    flagSelection(contactflags::person);
}

void BrowserActions::flagAsCompany()
{
    flagSelection(contactflags::company);
}

void BrowserActions::bulkRemoveMemberships()
{
    const QStringList ids = selectedContactIDs();
    if (!ids.isEmpty() && m_window.googleTool())
        m_window.googleTool()->removeAllGroupMembershipsForContacts(ids);
}

// Find and replace, and the merge.

void BrowserActions::applyBulkChanges()
{
    m_window.functionTabView()->endEditing();
    const QList<QVariantMap> rows = selectedContactRows();
    if (!rows.isEmpty() && m_window.googleTool())
        m_window.googleTool()->batchBulkUpdateContacts(rows);
}

void BrowserActions::contactSelectionChanged(const QStringList &selectedIDs)
{
    if (selectedIDs.size() == 1) {
        m_mergeMasterID = selectedIDs.first();
        m_mergeName = selectedContactRows().value(0).value(QStringLiteral("name")).toString();
    } else if (selectedIDs.isEmpty()) {
        m_mergeMasterID.clear();
    }
}

QString BrowserActions::mergeMenuTitle() const
{
    const qsizetype selected = selectedContactRows().size();
    return selected > 1 ? actiontexts::mergeTitle.arg(m_mergeName).arg(selected - 1)
                        : actiontexts::mergeSelectedTitle.arg(m_mergeName);
}

void BrowserActions::mergeContacts()
{
    GoogleContactTool *const tool = m_window.googleTool();
    if (!tool)
        return;
    const QList<QVariantMap> rows = selectedContactRows();
    const bool masterSelected =
        std::any_of(rows.begin(), rows.end(), [this](const QVariantMap &row) {
            return !m_mergeMasterID.isEmpty() &&
                   row.value(QStringLiteral("gID")).toString() == m_mergeMasterID;
        });
    if (!masterSelected) {
        Prompter::current().beginSheet(Prompt{actiontexts::mergeMasterNotSelected,
                                              actiontexts::mergeMasterHint,
                                              {actiontexts::ok}},
                                       m_window.WindowController::window(), [](int) {});
        return;
    }
    tool->batchMergeArray(rows, m_mergeMasterID);
}

// Editor sheets.

bool BrowserActions::openSheet(const char *operation)
{
    QObject *const delegate = applicationDelegate();
    const QByteArray signature = QByteArray(operation) + "(QObject*)";
    if (!offers(delegate, signature.constData()))
        return false;
    return QMetaObject::invokeMethod(delegate, operation, Q_ARG(QObject *, &m_window));
}

void BrowserActions::editContact()
{
    const QVariantMap current =
        m_window.inspector() ? m_window.inspector()->currentContact() : QVariantMap();
    if (tlog::diagnostics())
        tlog::write(QStringLiteral("[%1 %2] %3 = %4")
                        .arg(kClass, QStringLiteral("editContact:"),
                             QStringLiteral("currentContact"), tlog::describe(current)));
    if (current.isEmpty() || current.value(QStringLiteral("gID")).toString().isEmpty()) {
        beep::beep();
        return;
    }
    QObject *const delegate = applicationDelegate();
    if (offers(delegate, "setCurrentContact(QVariantMap)"))
        QMetaObject::invokeMethod(delegate, "setCurrentContact", Q_ARG(QVariantMap, current));
    openSheet("editGoogleContact");
}

void BrowserActions::editGoogleContact()
{
    openSheet("editGoogleContact");
}

void BrowserActions::editGroup()
{
    GroupSetController *const groupSet = m_window.groupSetController();
    const QModelIndexList rows =
        groupSet ? groupSet->groupSelection()->selectedRows() : QModelIndexList();
    if (rows.size() != 1 || rows.first().row() == 0) {
        beep::beep();
        return;
    }
    openSheet("editGoogleGroup");
}

void BrowserActions::newGroup()
{
    openSheet("newGoogleGroup");
}

void BrowserActions::newContact()
{
    openSheet("openNewGoogleContact");
}

// The function panes.

void BrowserActions::showBulkEdit()
{
    m_window.functionTabView()->selectTabViewItemWithIdentifier(actiontexts::bulk);
}

void BrowserActions::cancelBulkEdit()
{
    m_window.functionTabView()->selectTabViewItemWithIdentifier(actiontexts::multipleNote);
}

void BrowserActions::showMessage()
{
    m_window.functionTabView()->selectTabViewItemWithIdentifier(actiontexts::sendMessage);
}

void BrowserActions::cancelMessage()
{
    m_window.functionTabView()->selectTabViewItemWithIdentifier(
        selectedContactRows().size() == 1 ? actiontexts::singleNote : actiontexts::multipleNote);
}

// Mail and maps.

void BrowserActions::sendMessage()
{
    FunctionTabView *const panes = m_window.functionTabView();
    panes->endEditing();
    UserDefaults &defaults = UserDefaults::standard();
    const QString subject = defaults.stringForKey(actionkeys::msgSubject);
    const QString body = panes->msgBodyString();
    const QVariantMap current =
        m_window.inspector() ? m_window.inspector()->currentContact() : QVariantMap();
    const std::optional<selectionmail::Recipients> to = selectionmail::recipients(
        current, selectedContactRows(), defaults.integerForKey(actionkeys::msgAddressMode));
    if (!to) {
        beep::beep();
        return;
    }
    VozuVeva::sendMailTo(to->to, to->cc, to->bcc, subject, body);
}

void BrowserActions::viewMap(bool work)
{
    const GDataEntryContactPtr entry =
        m_window.inspector() ? m_window.inspector()->currentTolvaneContact() : nullptr;
    const QString link = !entry ? QString()
                         : work ? tolvane::tolvaneMapURLForWork(*entry)
                                : tolvane::tolvaneMapURLForHome(*entry);
    if (link.isEmpty()) {
        beep::beep();
        return;
    }
    QDesktopServices::openUrl(QUrl(link));
}

void BrowserActions::sendMap(bool work)
{
    const GDataEntryContactPtr entry =
        m_window.inspector() ? m_window.inspector()->currentTolvaneContact() : nullptr;
    const QString link = !entry ? QString()
                         : work ? tolvane::tolvaneMapURLForWork(*entry)
                                : tolvane::tolvaneMapURLForHome(*entry);
    const QString name = m_window.inspector()
                             ? m_window.inspector()->currentContact().value("name").toString()
                             : QString();
    const QString subject =
        (work ? actiontexts::mapToWorkSubject : actiontexts::mapToHomeSubject).arg(name);
    // The user addresses the message: a contact's address is never sent to anyone by default.
    VozuVeva::sendMailWithoutRecipient(subject, actiontexts::mapBody.arg(link));
}

// The user's scripts.

QString BrowserActions::scriptsFolderPath() const
{
    AppDelegate *const delegate = AppDelegate::shared();
    return delegate ? delegate->scriptsFolderPath() : QString();
}

QMenu *BrowserActions::buildScriptsMenu()
{
    m_scriptsMenu = std::make_unique<QMenu>(QStringLiteral("__"));
    for (const userscripts::MenuItem &item : userscripts::menuItems(scriptsFolderPath())) {
        QAction *const action = m_scriptsMenu->addAction(item.title);
        connect(action, &QAction::triggered, this,
                [this, item] { executeScript(item.title, item.fileName); });
    }
    return m_scriptsMenu.get();
}

void BrowserActions::showScriptAlert(const QString &message, const QString &scriptName)
{
    VozuVeva::showAlertMsg(message, actiontexts::scriptError.arg(scriptName), actiontexts::ok,
                           QString(), QString(), false);
}

void BrowserActions::executeScript(const QString &title, const QString &fileName)
{
    const QString folder = scriptsFolderPath();
    const QString name =
        fileName.isEmpty() ? userscripts::fileNameForTitle(folder, title) : fileName;
    QJsonArray records;
    for (const QVariantMap &row : selectedContactRows())
        records.append(userscripts::scriptRecord(row));
    const userscripts::Outcome outcome =
        userscripts::run(QDir(folder).filePath(name), records, g_scriptTimeLimit);
    if (outcome.kind == userscripts::Outcome::Kind::Failed) {
        if (tlog::diagnostics()) {
            tlog::value(kClass, QStringLiteral("executeScript:"), QStringLiteral("thisResult"),
                        tlog::orNull(QString()));
            tlog::value(kClass, QStringLiteral("executeScript:"), QStringLiteral("errorDict"),
                        outcome.text);
        }
        showScriptAlert(outcome.text, name);
        return;
    }
    if (outcome.text == actiontexts::scriptSuccess)
        return;
    showScriptAlert(outcome.text.isEmpty() ? actiontexts::scriptReturnedNull
                                           : actiontexts::scriptReturned.arg(outcome.text),
                    name);
}

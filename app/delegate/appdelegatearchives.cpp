// Backups and restores of either side: the Google account through the engine, the address book
// as one file of the whole book.
#include "app/delegate/appdelegate.h"

#include "app/delegate/archivetexts.h"
#include "foundation/log.h"
#include "google/engine/googlecontacttool.h"
#include "google/push/pushkeys.h"
#include "platform/addressbook/addressbook.h"
#include "platform/defaults/userdefaults.h"
#include "platform/ui/filechooser.h"
#include "platform/ui/prompter.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

namespace {

const QString kClass = QStringLiteral("AppDelegate");

void showFailure(QWidget *window, const QString &message, const QString &detail)
{
    Prompter::current().beginSheet(
        Prompt{message, detail, {archivetexts::okButton}, Prompt::Style::Critical}, window,
        [](int) {});
}

} // namespace

AppDelegate::AgentListener &AppDelegate::agentListener()
{
    static AgentListener listener;
    return listener;
}

void AppDelegate::setAgentListener(AgentListener listener)
{
    agentListener() = std::move(listener);
}

GoogleContactTool *AppDelegate::archiveEngine() const
{
    // A browser of a second account in front works on its own account; any other window in front
    // of such a browser takes nothing.
    WindowController *const key = keyWindowController();
    if (!m_browserControllerCache.empty() && key != m_googleBrowserWindowController) {
        if (!key || key->kind() != WindowController::Kind::Browser)
            return nullptr;
        return key->googleTool();
    }
    return m_appGoogleContactTool.get();
}

void AppDelegate::backupGMail()
{
    if (GoogleContactTool *tool = archiveEngine())
        tool->backupGoogleContacts();
}

void AppDelegate::restoreGMail()
{
    if (GoogleContactTool *tool = archiveEngine())
        tool->restoreGoogleContacts();
}

QString AppDelegate::addressBookBackupFolderPath() const
{
    return QDir(m_folders.libraryFolderPath).filePath(archivetexts::backupFolder);
}

void AppDelegate::backupAddressBook()
{
    tlog::trace(kClass, QStringLiteral("backupAddressBook:"));
    // The copy holds what the user sees, so the changes not yet saved go in first.
    AddressBook *const book = AddressBook::shared();
    if (book->hasUnsavedChanges() && !book->save()) {
        showFailure(keyWindow(), archivetexts::backupFailed, archivetexts::unsavedChangesFailed);
        return;
    }
    const QString folder = addressBookBackupFolderPath();
    QDir().mkpath(folder);
    FileChoice choice;
    choice.mode = FileChoice::Mode::Save;
    choice.prompt = archivetexts::backupPrompt;
    choice.nameFilters = {archivetexts::backupFilter};
    choice.directory = folder;
    choice.fileName =
        archivetexts::backupName.arg(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    QPointer<QWidget> window = keyWindow();
    FileChooser::current().choose(choice, window, [window](const QString &path) {
        if (path.isEmpty())
            return;
        // The book is written to a file beside the chosen one and renamed into place, so a
        // backup that was there stays whole when the copy fails.
        if (!AddressBook::shared()->exportArchive(path)) {
            tlog::labelled(kClass, QStringLiteral("backupAddressBook:"), QStringLiteral("ERROR:"),
                           path);
            showFailure(window, archivetexts::backupFailed,
                        archivetexts::backupNotWritten.arg(QFileInfo(path).fileName()));
        }
    });
}

void AppDelegate::restoreAddressBook()
{
    tlog::trace(kClass, QStringLiteral("restoreAddressBook:"));
    const QString folder = addressBookBackupFolderPath();
    FileChoice choice;
    choice.mode = FileChoice::Mode::Open;
    choice.prompt = archivetexts::restorePrompt;
    choice.nameFilters = {archivetexts::backupFilter};
    choice.directory = QFileInfo(folder).isDir() ? folder : QDir::homePath();
    QPointer<QWidget> window = keyWindow();
    QPointer<AppDelegate> self(this);
    FileChooser::current().choose(choice, window, [self, window](const QString &path) {
        if (path.isEmpty() || !self)
            return;
        Prompter::current().beginSheet(
            Prompt{archivetexts::restoreConfirm,
                   archivetexts::restoreConfirmDetail.arg(QFileInfo(path).fileName()),
                   {archivetexts::restoreButton, archivetexts::cancelButton}},
            window, [self, path](int answer) {
                if (self && answer == kAlertFirstButtonReturn)
                    self->restoreAddressBookFrom(path);
            });
    });
}

void AppDelegate::restoreAddressBookFrom(const QString &path)
{
    // A listening agent would take the restored book for the user's changes and push them, its
    // deletions included.
    const AgentListener &agent = agentListener();
    const bool agentWasListening = agent.isListening && agent.isListening();
    if (agentWasListening)
        agent.silence();
    AddressBook *const book = AddressBook::shared();
    const bool restored = book->restoreArchive(path);
    if (agentWasListening)
        agent.turnOn();
    if (!restored) {
        tlog::labelled(kClass, QStringLiteral("restoreAddressBook:"), QStringLiteral("ERROR:"),
                       book->errorString());
        showFailure(keyWindow(), archivetexts::restoreFailed,
                    archivetexts::restoreUnchanged.arg(book->errorString()));
        return;
    }
    addressBookWasRestored();
}

void AppDelegate::addressBookWasRestored()
{
    if (m_dataMoverWindowController)
        m_dataMoverWindowController->performCommand(QStringLiteral("setABBackingData"));
    // Nothing of the restored book may reach Google until the user has loaded it on purpose and
    // turned the automatic push on again.
    UserDefaults &ud = UserDefaults::standard();
    if (ud.integerForKey(pushkeys::autoPushABChanges) != 1)
        return;
    ud.setInteger(0, pushkeys::autoPushABChanges);
    Prompter::current().runModal(Prompt{
        archivetexts::restoredAlert, archivetexts::restoredAlertSmall, {archivetexts::okButton}});
}

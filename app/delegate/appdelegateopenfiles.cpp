// vCard files opened with the program: each card becomes a contact added to Google through the
// application engine, with the data loader or the browser showing the progress.
#include "app/delegate/appdelegate.h"

#include "addressbook/fields/personnames.h"
#include "addressbook/vcards/vcardsplitter.h"
#include "app/delegate/openfilestexts.h"
#include "foundation/log.h"
#include "google/engine/googlecontacttool.h"
#include "platform/addressbook/person.h"
#include "platform/ui/prompter.h"

#include <QFileInfo>
#include <QTimer>

namespace {

const QString kClass = QStringLiteral("AppDelegate");

} // namespace

bool AppDelegate::openFiles(const QStringList &paths)
{
    tlog::value(kClass, QStringLiteral("application:openFiles:"), QStringLiteral("filenames"),
                paths.join(QStringLiteral(", ")));
    if (paths.isEmpty())
        return false;
    // Files given at start-up go once the launch has shown its first window; until then there
    // is no account to send them to and nothing to show the work.
    if (!m_launchWindowShown) {
        m_heldOpenFiles += paths;
        return true;
    }
    return sendOpenedFiles(paths);
}

void AppDelegate::launchWindowDidOpen()
{
    if (m_launchWindowShown)
        return;
    m_launchWindowShown = true;
    if (m_heldOpenFiles.isEmpty())
        return;
    // After the window has taken its place and its engine, on the next turn of the event loop.
    QTimer::singleShot(0, this, [this] {
        const QStringList held = std::exchange(m_heldOpenFiles, {});
        sendOpenedFiles(held);
    });
}

bool AppDelegate::sendOpenedFiles(const QStringList &paths)
{
    WindowController *const window = m_dataMoverWindowController
                                         ? m_dataMoverWindowController.data()
                                         : m_googleBrowserWindowController.data();
    GoogleContactTool *const tool = m_appGoogleContactTool.get();
    GoogleContactToolUIDelegate *const progress = window ? window->engineUIDelegate() : nullptr;
    if (!progress || !tool) {
        Prompter::current().runModal(Prompt{
            openfilestexts::noWindow, openfilestexts::noWindowDetail, {openfilestexts::okButton}});
        return false;
    }
    progress->openUserInfoWithMessage(openfilestexts::sending, int(paths.size()));
    BatchActionQueue actions;
    QStringList withoutCards;
    for (const QString &path : paths) {
        const qsizetype before = actions.size();
        for (const QByteArray &card : AddressBookTool::extractPeople(path)) {
            const PersonPtr person = Person::fromVCardRepresentation(card);
            if (!person)
                continue;
            progress->updateUserInfoWithMessage(
                openfilestexts::processing.arg(AddressBookTool::firstLastNameForPerson(person)));
            actions.push_back(BatchAction{person, nullptr, batchactions::add});
        }
        if (qsizetype(actions.size()) == before)
            withoutCards << QFileInfo(path).fileName();
    }
    if (actions.empty()) {
        progress->closeUserInfo();
        Prompter::current().beginSheet(Prompt{openfilestexts::nothingSent,
                                              openfilestexts::noCards.arg(withoutCards.join(u'\n')),
                                              {openfilestexts::okButton}},
                                       window->window(), [](int) {});
        return false;
    }
    // The window shows the engine's progress to its end; the delegate answers the actions.
    window->takeEngineDelegates();
    tool->initContactResultsArrayWithCapacity(int(actions.size()));
    m_batchActionContactArray = actions;
    tool->setDataDelegate(this);
    tool->batchSimpleABContactActions(actions);
    return true;
}

BatchActionQueue AppDelegate::batchActionContactArray()
{
    return m_batchActionContactArray;
}

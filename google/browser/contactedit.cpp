// One contact edited in a window, sent to Google on its own; the answer replaces the engine's copy.
#include "foundation/log.h"
#include "google/browser/browserdictionary.h"
#include "google/browser/browserlist.h"
#include "google/browser/browsersearchtext.h"
#include "google/browser/contactedittexts.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooltexts.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/lookups/contactlookups.h"
#include "platform/gdata/gdataservicegooglecontact.h"
#include "platform/ui/prompter.h"

#include <algorithm>

namespace {

const QString kClass = QStringLiteral("GoogleContactTool");

} // namespace

void GoogleContactTool::updateGoogleContact(const GDataEntryContact &contact)
{
    updateGoogleContact(contact, {});
}

void GoogleContactTool::updateGoogleContact(const GDataEntryContact &contact,
                                            std::function<void()> answered)
{
    tlog::labelled(kClass, QStringLiteral("updateGoogleContact:"),
                   contactedittexts::thisGoogleContact, contact.description());
    const std::optional<GDataLink> edit = contact.editLink();
    contactService()->fetchContactEntryByUpdatingEntry(
        contact, edit ? edit->URL() : QUrl(), this,
        [this, answered](const GDataServiceTicketPtr &ticket, const GDataEntryPtr &entry) {
            editOneContactTicketEditedEntry(ticket, entry);
            if (answered)
                answered();
        },
        [this, answered](const GDataServiceTicketPtr &ticket, const GDataError &error) {
            editOneContactTicketFailedWithError(ticket, error);
            if (answered)
                answered();
        });
}

void GoogleContactTool::editOneContactTicketEditedEntry(const GDataServiceTicketPtr &,
                                                        const GDataEntryPtr &entry)
{
    const GDataEntryContactPtr edited = std::dynamic_pointer_cast<GDataEntryContact>(entry);
    if (edited)
        replaceEditedContact(edited);
    if (m_uiDelegate) {
        if (edited && browserlist::contactBrowserEntryForID(m_lists, edited->identifier()))
            m_uiDelegate->contactBrowserRowReplaced(edited->identifier());
        m_uiDelegate->closeUserInfo();
    }
}

void GoogleContactTool::replaceEditedContact(const GDataEntryContactPtr &edited)
{
    const QString identifier = edited->identifier();
    if (const GDataEntryContactPtr held = contactlookups::contactForID(m_lists, identifier)) {
        std::vector<GDataEntryContactPtr> contacts = m_lists.contacts();
        std::replace(contacts.begin(), contacts.end(), held, edited);
        m_lists.setContacts(std::move(contacts));
    }
    if (browserlist::contactBrowserEntryForID(m_lists, identifier)) {
        QVariantMap row = tolvane::tolvaneBrowserDictionary(*edited);
        m_lists.keepBrowserRow(edited, {row, browsersearch::searchText(row)});
        m_lists.replaceBrowserRow(m_lists.browserRowPositions(identifier).front(), std::move(row));
    }
}

void GoogleContactTool::editOneContactTicketFailedWithError(const GDataServiceTicketPtr &,
                                                            const GDataError &error)
{
    Prompter::current().beginSheet(Prompt{contactedittexts::updateFailed,
                                          contactedittexts::entryUpdateFailed.arg(
                                              error.description, tlog::describe(error.userInfo)),
                                          {googletexts::okButton}},
                                   m_uiDelegate ? m_uiDelegate->window() : nullptr, [](int) {});
}

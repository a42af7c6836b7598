#include "browser/inspector/contactinspector.h"

#include "browser/inspector/inspectortexts.h"
#include "google/browser/browserlist.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/entries/contactaccessors.h"
#include "google/lookups/contactlookups.h"

#include <QImage>

namespace {

const QString kGID = QStringLiteral("gID");
const QString kNotes = QStringLiteral("notes");

} // namespace

ContactInspector::ContactInspector(GoogleContactTool &tool)
    : m_tool(tool)
{
    showBlankContact();
}

void ContactInspector::showContacts(const QStringList &gIDs)
{
    if (m_updateRequired && gIDs != m_targets)
        doUpdate();
    m_targets = gIDs;
    const std::optional<QVariantMap> row =
        gIDs.isEmpty() ? std::nullopt
                       : browserlist::contactBrowserEntryForID(m_tool.lists(), gIDs.last());
    if (!row) {
        showBlankContact();
        return;
    }
    if (row->value(kGID) == m_current.value(kGID) && (*row == m_current || m_updateRequired))
        return;
    load(*row);
}

void ContactInspector::load(const QVariantMap &row)
{
    m_current = row;
    m_notes = row.value(kNotes).toString();
    m_multiNote.clear();
    m_updateRequired = false;
    m_canBeCo = !row.value(QStringLiteral("isCo")).toBool();
    switch (row.value(QStringLiteral("gender")).toInt()) {
    case 0:
        m_canBeCo = true;
        m_canBeMale = true;
        m_canBeFemale = false;
        break;
    case 1:
        m_canBeCo = true;
        m_canBeMale = false;
        m_canBeFemale = true;
        break;
    default:
        m_canBeMale = true;
        m_canBeFemale = true;
        break;
    }
    m_currentEntry = contactlookups::contactForID(m_tool.lists(), row.value(kGID).toString());
}

void ContactInspector::showBlankContact()
{
    m_current = {{kGID, QString()},
                 {QStringLiteral("name"), QString()},
                 {QStringLiteral("email"), QString()},
                 {QStringLiteral("phone"), QString()},
                 {QStringLiteral("location"), QString()},
                 {kNotes, QString()},
                 {QStringLiteral("hasImage"), false},
                 {QStringLiteral("gHasExP"), false},
                 {QStringLiteral("image"), QImage(QStringLiteral("images:Account"))},
                 {QStringLiteral("isCompany"), 0},
                 {QStringLiteral("delta"), 0}};
    m_currentEntry.reset();
    m_notes.clear();
    m_multiNote.clear();
    m_updateRequired = false;
}

void ContactInspector::setCurrentContactValues(const QVariantMap &values)
{
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        m_current.insert(it.key(), it.value());
}

void ContactInspector::textChange(const QString &notes)
{
    m_notes = notes;
    m_updateRequired = true;
}

void ContactInspector::setMultiNote(const QString &text)
{
    m_multiNote = text;
    m_updateRequired = true;
}

void ContactInspector::doUpdate()
{
    if (!m_updateRequired)
        return;
    m_updateRequired = false;
    if (m_targets.size() == 1) {
        if (m_notes != m_current.value(kNotes).toString()) {
            m_current.insert(kNotes, m_notes);
            sendNotes(m_targets.front(), m_notes);
        }
    } else if (m_targets.size() > 1 && !m_multiNote.isEmpty()) {
        for (const QString &gID : std::as_const(m_targets)) {
            if (const GDataEntryContactPtr entry =
                    contactlookups::contactForID(m_tool.lists(), gID))
                sendNotes(gID, tolvane::tolvaneNote(*entry) + u'\r' + m_multiNote);
        }
        m_multiNote.clear();
    }
}

void ContactInspector::sendNotes(const QString &gID, const QString &notes)
{
    const GDataEntryContactPtr held = contactlookups::contactForID(m_tool.lists(), gID);
    if (!held)
        return;
    GDataEntryContact edited(*held);
    edited.setContentWithString(notes);
    if (GoogleContactToolUIDelegate *ui = m_tool.uiDelegate())
        ui->openUserInfoWithMessage(inspectortexts::updating.arg(tolvane::tolvaneTitle(*held)), 2);
    m_tool.updateGoogleContact(edited);
}

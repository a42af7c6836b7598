#include "browser/dragdrop/contacttabledragdrop.h"

#include "addressbook/records/mynames.h"
#include "addressbook/records/recordlookup.h"
#include "addressbook/vcards/vcardexport.h"
#include "addressbook/vcards/vcardsplitter.h"
#include "browser/dragdrop/browserdragdrop.h"
#include "browser/dragdrop/dragstrings.h"
#include "browser/dragdrop/dragtexts.h"
#include "browser/models/contactarraycontroller.h"
#include "browser/models/pasteboardtypes.h"
#include "browser/window/browserwindowcontroller.h"
#include "foundation/modifierkeys.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"

#include <QFileInfo>
#include <QSet>
#include <QTimer>

namespace droprules {

bool isVCardFile(const QString &path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    return extension == u"vcf" || extension == u"vcard";
}

QStringList vCardFiles(const QStringList &paths)
{
    QStringList files;
    for (const QString &path : paths) {
        if (isVCardFile(path))
            files.append(path);
    }
    return files;
}

} // namespace droprules

ContactTableDragDrop::ContactTableDragDrop(BrowserDragDrop &browser)
    : m_browser(browser)
{}

QString ContactTableDragDrop::windowToken() const
{
    return m_browser.windowToken();
}

bool ContactTableDragDrop::writeDrag(const QList<int> &rows, QMimeData &data)
{
    ContactArrayController *const contacts = m_browser.window().contactArrayController();
    QList<QVariantMap> dragged;
    for (int row : rows)
        dragged.append(contacts->arrangedObject(row));
    const bool option = modifierkeys::isOptionKeyDown();
    const bool shift = modifierkeys::isShiftKeyDown();
    const QString text = dragstrings::contactDragString(dragged, option, shift);
    // Without modifiers the drag is the e-mail list: no address, no drag.
    if (text.isEmpty() && !option && !(shift && dragged.size() == 1))
        return false;
    if (!text.isEmpty())
        data.setText(text);
    data.setUrls(m_browser.writeVCardFiles(dragged, option || shift));
    return true;
}

bool ContactTableDragDrop::canDrop(const QMimeData *data, int, const QModelIndex &) const
{
    if (!data)
        return false;
    if (data->hasFormat(pasteboardtypes::abPeople) || data->hasFormat(pasteboardtypes::abGroups))
        return true;
    if (data->hasFormat(pasteboardtypes::groupRows)) {
        const auto rows = pasteboardtypes::decodeRows(data->data(pasteboardtypes::groupRows));
        return rows && rows->window != windowToken() && BrowserDragDrop::forToken(rows->window);
    }
    if (data->hasFormat(pasteboardtypes::contactRows))
        return true;
    if (pasteboardtypes::holdsAnyOf(data, pasteboardtypes::vCardTypes))
        return true;
    if (data->hasFormat(pasteboardtypes::fileNames))
        return !droprules::vCardFiles(pasteboardtypes::localFiles(data)).isEmpty();
    return false;
}

void ContactTableDragDrop::later(std::function<void()> job)
{
    QTimer::singleShot(BrowserDragDrop::kDropDelayMs, &m_browser, std::move(job));
}

bool ContactTableDragDrop::drop(const QMimeData *data, int row, const QModelIndex &parent)
{
    if (!canDrop(data, row, parent))
        return false;
    if (data->hasFormat(pasteboardtypes::abPeople)) {
        const QStringList abids =
            pasteboardtypes::recordIdentifiers(data, pasteboardtypes::abPeople);
        later([this, abids] { uploadABPeople(abids); });
        return true;
    }
    if (data->hasFormat(pasteboardtypes::abGroups)) {
        const QStringList abids =
            pasteboardtypes::recordIdentifiers(data, pasteboardtypes::abGroups);
        later([this, abids] { uploadABGroups(abids); });
        return true;
    }
    if (data->hasFormat(pasteboardtypes::groupRows)) {
        const QString source =
            pasteboardtypes::decodeRows(data->data(pasteboardtypes::groupRows))->window;
        later([this, source] { uploadGoogleGroups(source); });
        return true;
    }
    if (data->hasFormat(pasteboardtypes::contactRows)) {
        const auto rows = pasteboardtypes::decodeRows(data->data(pasteboardtypes::contactRows));
        // The window's own contacts are here already.
        if (!rows || rows->window == windowToken() || !BrowserDragDrop::forToken(rows->window))
            return false;
        const QString source = rows->window;
        const QStringList gIDs = rows->identifiers;
        later([this, source, gIDs] { uploadGoogleContacts(source, gIDs); });
        return true;
    }
    if (pasteboardtypes::holdsAnyOf(data, pasteboardtypes::vCardTypes)) {
        uploadVCardData(pasteboardtypes::vCardData(data));
        return true;
    }
    const QStringList files = droprules::vCardFiles(pasteboardtypes::localFiles(data));
    if (files.isEmpty())
        return false;
    later([this, files] { uploadVCFFiles(files); });
    return true;
}

void ContactTableDragDrop::uploadABPeople(const QStringList &abids)
{
    QList<QByteArray> vCards;
    for (const QString &abid : abids) {
        const QByteArray card = AddressBookTool::vCardForABID(abid);
        if (!card.isEmpty())
            vCards.append(card);
    }
    m_browser.abDropManager(vCards,
                            dragtexts::fromAddressBook.arg(AddressBookTool::myFirstLastName()));
}

void ContactTableDragDrop::uploadABGroups(const QStringList &abids)
{
    QList<QByteArray> vCards;
    QSet<QString> taken;
    for (const QString &abid : abids) {
        const GroupPtr group = AddressBookTool::groupByABID(abid);
        if (!group)
            continue;
        for (const PersonPtr &person : group->members()) {
            if (taken.contains(person->uniqueId()))
                continue;
            taken.insert(person->uniqueId());
            vCards.append(AddressBookTool::vCardForABPerson(person));
        }
    }
    m_browser.abDropManager(vCards,
                            dragtexts::fromAddressBook.arg(AddressBookTool::myFirstLastName()));
}

void ContactTableDragDrop::uploadGoogleContacts(const QString &sourceToken, const QStringList &gIDs)
{
    BrowserDragDrop *const source = BrowserDragDrop::forToken(sourceToken);
    if (!source)
        return;
    m_browser.abDropManager(BrowserDragDrop::cardsOf(source->vCardDataForIDs(gIDs)),
                            dragtexts::fromOtherAccount.arg(source->user()));
}

void ContactTableDragDrop::uploadGoogleGroups(const QString &sourceToken)
{
    BrowserDragDrop *const source = BrowserDragDrop::forToken(sourceToken);
    if (!source)
        return;
    m_browser.abDropManager(BrowserDragDrop::cardsOf(source->vCardDataForCurrentContacts()),
                            dragtexts::fromOtherAccount.arg(source->user()));
}

void ContactTableDragDrop::uploadVCardData(const QByteArray &data)
{
    m_browser.abDropManager(BrowserDragDrop::cardsOf(data), dragtexts::fromPasteboard);
}

void ContactTableDragDrop::uploadVCFFiles(const QStringList &paths)
{
    QList<QByteArray> vCards;
    for (const QString &path : paths) {
        for (const QByteArray &card : AddressBookTool::extractPeople(path)) {
            if (card.toUpper().contains("BEGIN:VCARD"))
                vCards.append(card);
        }
    }
    m_browser.abDropManager(vCards, dragtexts::fromVCardFile);
}

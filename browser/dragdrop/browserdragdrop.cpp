#include "browser/dragdrop/browserdragdrop.h"

#include "addressbook/vcards/vcardsplitter.h"
#include "browser/dragdrop/contacttabledragdrop.h"
#include "browser/dragdrop/dragfiles.h"
#include "browser/dragdrop/dragtexts.h"
#include "browser/dragdrop/grouptabledragdrop.h"
#include "browser/models/contactarraycontroller.h"
#include "browser/selection/groupsetcontroller.h"
#include "browser/window/browserwindowcontroller.h"
#include "google/download/contactvcard.h"
#include "google/engine/googlecontacttool.h"
#include "google/lookups/contactlookups.h"
#include "google/lookups/grouplookups.h"
#include "platform/addressbook/person.h"

#include <QCoreApplication>
#include <QHash>
#include <QImage>

namespace {

const QString kPictureStep = QStringLiteral("batchVCardPictures");

QHash<QString, BrowserDragDrop *> &openBrowsers()
{
    static QHash<QString, BrowserDragDrop *> browsers;
    return browsers;
}

// The tmp folder of the last drag, emptied once more when the program ends.
QString &lastDragTmpFolder()
{
    static QString folder;
    return folder;
}

void emptyDragFolderAtQuit(const QString &tmpFolder)
{
    static bool connected = false;
    lastDragTmpFolder() = tmpFolder;
    if (connected || !QCoreApplication::instance())
        return;
    connected = true;
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                     [] { dragfiles::emptyDragFolder(lastDragTmpFolder()); });
}

} // namespace

BrowserDragDrop::BrowserDragDrop(BrowserWindowController &window, QObject *parent)
    : QObject(parent)
    , m_window(window)
{
    static quint64 counter = 0;
    m_token = QStringLiteral("%1:%2").arg(QCoreApplication::applicationPid()).arg(++counter);
    openBrowsers().insert(m_token, this);
    m_contactTable = std::make_unique<ContactTableDragDrop>(*this);
    m_groupTable = std::make_unique<GroupTableDragDrop>(*this);
}

BrowserDragDrop::~BrowserDragDrop()
{
    openBrowsers().remove(m_token);
}

BrowserDragDrop *BrowserDragDrop::forToken(const QString &token)
{
    return openBrowsers().value(token, nullptr);
}

GoogleContactTool *BrowserDragDrop::tool() const
{
    return m_window.googleTool();
}

QString BrowserDragDrop::user() const
{
    return tool() ? tool()->user() : QString();
}

QList<QVariantMap> BrowserDragDrop::shownRows() const
{
    QList<QVariantMap> rows;
    ContactArrayController *const contacts = m_window.contactArrayController();
    for (int row = 0; contacts && row < contacts->rowCount(); ++row)
        rows.append(contacts->arrangedObject(row));
    return rows;
}

QByteArray BrowserDragDrop::vCardOfRow(const QVariantMap &row, bool withPicture) const
{
    if (!tool())
        return {};
    const GDataEntryContactPtr contact =
        contactlookups::contactForID(tool()->lists(), row.value(QStringLiteral("gID")).toString());
    if (!contact)
        return {};
    // A mirror person, never added to the address book.
    const PersonPtr person = Person::create();
    tool()->makePerson(person, *contact);
    const QImage image = withPicture && row.value(QStringLiteral("imageLoaded")).toBool()
                             ? row.value(QStringLiteral("image")).value<QImage>()
                             : QImage();
    return tolvane::tolvaneVCardDataUsing(*contact, *person, image);
}

QByteArray BrowserDragDrop::vCardDataForIDs(const QStringList &gIDs) const
{
    QByteArray data;
    const QList<QVariantMap> rows = shownRows();
    for (const QString &gID : gIDs) {
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const QVariantMap &shown) {
            return shown.value(QStringLiteral("gID")).toString() == gID;
        });
        data +=
            vCardOfRow(row != rows.end() ? *row : QVariantMap{{QStringLiteral("gID"), gID}}, true);
    }
    return data;
}

QByteArray BrowserDragDrop::vCardDataForCurrentContacts() const
{
    QByteArray data;
    for (const QVariantMap &row : shownRows())
        data += vCardOfRow(row, true);
    return data;
}

QByteArray BrowserDragDrop::vCardDataForMembersOfGroupName(const QString &name) const
{
    QByteArray data;
    if (!tool())
        return data;
    for (const GDataEntryContactPtr &member :
         grouplookups::membersOfGroupName(tool()->lists(), name))
        data += vCardOfRow({{QStringLiteral("gID"), member->identifier()}}, false);
    return data;
}

QString BrowserDragDrop::tmpFolderPath() const
{
    return tool() ? tool()->defaultValueForKey(QStringLiteral("tmpFolderPath")).toString()
                  : QString();
}

QList<QUrl> BrowserDragDrop::writeVCardFiles(const QList<QVariantMap> &rows, bool oneFile) const
{
    QList<dragfiles::File> files;
    if (oneFile) {
        QByteArray all;
        for (const QVariantMap &row : rows)
            all += vCardOfRow(row, true);
        files.append({dragtexts::severalContactsFile.arg(rows.size()), all});
    } else {
        for (const QVariantMap &row : rows)
            files.append({row.value(QStringLiteral("name")).toString(), vCardOfRow(row, true)});
    }
    const QString tmp = tmpFolderPath();
    emptyDragFolderAtQuit(tmp);
    return dragfiles::writeDragFiles(tmp, files);
}

QList<QByteArray> BrowserDragDrop::cardsOf(const QByteArray &data)
{
    QList<QByteArray> cards;
    for (const QByteArray &card : AddressBookTool::extractVCardDatas(data)) {
        if (card.toUpper().contains("BEGIN:VCARD"))
            cards.append(card);
    }
    return cards;
}

void BrowserDragDrop::abDropManager(const QList<QByteArray> &vCards, const QString &source)
{
    if (vCards.isEmpty() || !tool() || !m_window.groupSetController())
        return;
    tool()->setForeignVCardImportData({});
    const QStringList selected = m_window.groupSetController()->selectedGroupIdentifiers();
    if (selected.size() == 1) {
        tool()->addVCardArrayToGroupWithID(vCards, selected.first(), source, kPictureStep);
        return;
    }
    std::vector<GDataEntryContactGroupPtr> groups;
    for (const QString &identifier : selected) {
        if (GDataEntryContactGroupPtr group = grouplookups::groupForID(tool()->lists(), identifier))
            groups.push_back(group);
    }
    tool()->addVCardArrayToGroups(vCards, groups, source, kPictureStep);
}

void BrowserDragDrop::abDropManager(const QList<QByteArray> &vCards, const QString &groupID,
                                    const QString &source)
{
    if (groupID.isEmpty()) {
        abDropManager(vCards, source);
        return;
    }
    if (vCards.isEmpty() || !tool())
        return;
    tool()->setForeignVCardImportData({});
    tool()->addVCardArrayToGroupWithID(vCards, groupID, source, kPictureStep);
}

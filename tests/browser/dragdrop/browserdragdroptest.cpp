// The drags and drops of a browser window's two tables, through their models' interface: what a
// drag offers with each set of modifier keys, and which drops each table takes, from this window
// and from a second one.
#include "browser/dragdrop/browserdragdrop.h"
#include "browser/dragdrop/dragfiles.h"
#include "browser/models/browserlistkeys.h"
#include "browser/models/contactarraycontroller.h"
#include "browser/models/grouparraycontroller.h"
#include "browser/models/pasteboardtypes.h"
#include "browser/selection/groupsetcontroller.h"
#include "browser/window/browserwindowcontroller.h"
#include "google/browser/browserlist.h"
#include "google/lookups/contactlookups.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataconstants.h"
#include "platform/ui/keyboardmodifiers.h"

#include "tests/browser/browseraccount.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

class BrowserDragDropTest : public BrowserAccountTest
{
protected:
    void SetUp() override
    {
        BrowserAccountTest::SetUp();
        UserDefaults::standard().setInteger(1, browserlistkeys::systemGroupUseAll);
        UserDefaults::standard().setString(tmp.path(), QStringLiteral("tmpFolderPath"));
        setEmail("ann", "ann@golf.org", kGDataContactWork);
        setEmail("bo", "bo@home.org", kGDataContactHome);
        GoogleContactLists &lists = tool.lists();
        lists.entriesChanged();
        BrowserRowsProgress quiet;
        browserlist::setContactBrowserArray(
            lists, QList<GDataEntryContactPtr>(lists.contacts().begin(), lists.contacts().end()),
            quiet);
        window = std::make_unique<BrowserWindowController>();
        window->setGoogleTool(&tool);
        // The second account holds copies of the first one's entries.
        GoogleContactLists &otherLists = otherTool.lists();
        otherLists.setGroups(lists.groups());
        otherLists.setContacts(lists.contacts());
        browserlist::setContactBrowserArray(
            otherLists,
            QList<GDataEntryContactPtr>(otherLists.contacts().begin(), otherLists.contacts().end()),
            quiet);
        other = std::make_unique<BrowserWindowController>();
        other->setGoogleTool(&otherTool);
    }
    void TearDown() override
    {
        keyboardmodifiers::setCurrentForTesting(std::nullopt);
        other.reset();
        window.reset();
        BrowserAccountTest::TearDown();
    }

    void setEmail(const QString &gID, const QString &address, const char *rel)
    {
        contactlookups::contactForID(tool.lists(), gID)
            ->setEmailAddresses({{address, QString::fromLatin1(rel), {}, false}});
    }

    ContactArrayController &contacts() { return *window->contactArrayController(); }
    GroupArrayController &groups() { return *window->groupArrayController(); }

    QModelIndexList contactIndexes(const QStringList &gIDs)
    {
        QModelIndexList indexes;
        for (int row = 0; row < contacts().rowCount(); ++row) {
            if (gIDs.contains(contacts().gIDAt(row)))
                indexes.append(contacts().index(row, 0));
        }
        return indexes;
    }
    int groupRow(const QString &identifier)
    {
        const QList<GroupRow> &rows = groups().groupArray();
        for (int row = 0; row < rows.size(); ++row) {
            if (rows[row].identifier == identifier)
                return row;
        }
        return -1;
    }
    std::unique_ptr<QMimeData> dragContacts(const QStringList &gIDs, Qt::KeyboardModifiers keys)
    {
        keyboardmodifiers::setCurrentForTesting(keys);
        return std::unique_ptr<QMimeData>(contacts().mimeData(contactIndexes(gIDs)));
    }
    static QStringList fileNames(const QMimeData &data)
    {
        QStringList names;
        for (const QUrl &url : data.urls())
            names.append(QFileInfo(url.toLocalFile()).fileName());
        return names;
    }
    static QByteArray contentOf(const QUrl &url)
    {
        QFile file(url.toLocalFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList dragFolderFiles() const
    {
        return QDir(dragfiles::dragFolder(tmp.path())).entryList(QDir::Files, QDir::Name);
    }
    // Data of the private row type, as a drag from that window's table makes it.
    static std::unique_ptr<QMimeData> rowsFrom(BrowserWindowController &source, bool groupRows,
                                               const QModelIndexList &indexes)
    {
        keyboardmodifiers::setCurrentForTesting(Qt::AltModifier);
        QAbstractItemModel *const model =
            groupRows ? static_cast<QAbstractItemModel *>(source.groupArrayController())
                      : source.contactArrayController();
        return std::unique_ptr<QMimeData>(model->mimeData(indexes));
    }

    QTemporaryDir tmp;
    GoogleContactTool otherTool{GoogleContactTool::Role::MainProgram};
    std::unique_ptr<BrowserWindowController> window;
    std::unique_ptr<BrowserWindowController> other;
};

TEST_F(BrowserDragDropTest, PlainDragGivesTheEmailListAndOneFilePerContact)
{
    // Cy has no address and adds nothing to the list.
    std::unique_ptr<QMimeData> data = dragContacts({"ann", "bo", "cy"}, Qt::NoModifier);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->text(), "ann@golf.org, bo@home.org");
    EXPECT_EQ(fileNames(*data), (QStringList{"Ann Lee.vcf", "bo Karl.vcf", "Cy Acme.vcf"}));
    for (const QUrl &url : data->urls())
        EXPECT_TRUE(contentOf(url).startsWith("BEGIN:VCARD")) << url.toString().toStdString();
    const auto rows = pasteboardtypes::decodeRows(data->data(pasteboardtypes::contactRows));
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->window, window->dragDrop()->windowToken());
    EXPECT_EQ(rows->identifiers, (QStringList{"ann", "bo", "cy"}));

    // The next drag empties the folder first.
    data = dragContacts({"ann"}, Qt::NoModifier);
    EXPECT_EQ(dragFolderFiles(), QStringList{"Ann Lee.vcf"});
}

TEST_F(BrowserDragDropTest, ModifiersChooseRowsCardsAndASingleFile)
{
    std::unique_ptr<QMimeData> data = dragContacts({"ann", "bo"}, Qt::AltModifier);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->text().split('\n').size(), 2);
    EXPECT_EQ(data->text().split('\n').first().split('\t').size(), 25);
    EXPECT_EQ(fileNames(*data), QStringList{"2 Google Contacts.vcf"});
    EXPECT_EQ(contentOf(data->urls().first()).count("BEGIN:VCARD"), 2);

    data = dragContacts({"ann", "bo"}, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_TRUE(data->text().startsWith("first\tlast\t"));
    EXPECT_EQ(data->text().split('\n').size(), 3);

    data = dragContacts({"bo"}, Qt::ShiftModifier);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->text(), "bo Karl\nHome: bo@home.org\n"
                            "Home: 1 Elm St :  : Smithfield, UT  84335  United States\n");
    EXPECT_EQ(fileNames(*data), QStringList{"1 Google Contacts.vcf"});
}

TEST_F(BrowserDragDropTest, DragWithoutAnyAddressDoesNotStart)
{
    EXPECT_FALSE(dragContacts({"cy", "dee"}, Qt::NoModifier));
    // The rows and the card need no address.
    EXPECT_TRUE(dragContacts({"cy", "dee"}, Qt::AltModifier));
}

TEST_F(BrowserDragDropTest, ContactsOfTheSameNameGetTheirOwnFiles)
{
    contactlookups::contactForID(tool.lists(), "dee")->setTitle(QStringLiteral("../Ann Lee"));
    contactlookups::contactForID(tool.lists(), "eve")->setTitle(QStringLiteral("Ann Lee"));
    GoogleContactLists &lists = tool.lists();
    lists.entriesChanged();
    BrowserRowsProgress quiet;
    browserlist::setContactBrowserArray(
        lists, QList<GDataEntryContactPtr>(lists.contacts().begin(), lists.contacts().end()),
        quiet);
    window->refreshView();
    std::unique_ptr<QMimeData> data = dragContacts({"ann", "dee", "eve"}, Qt::NoModifier);
    ASSERT_TRUE(data);
    EXPECT_EQ(dragFolderFiles(), (QStringList{"Ann Lee 2.vcf", "Ann Lee.vcf", "_Ann Lee.vcf"}));
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 1);
}

TEST_F(BrowserDragDropTest, GroupDragOffersTheShownContacts)
{
    keyboardmodifiers::setCurrentForTesting(Qt::NoModifier);
    std::unique_ptr<QMimeData> data(groups().mimeData({groups().index(groupRow(golf), 0)}));
    ASSERT_TRUE(data);
    // Every shown contact's address, whichever group is dragged; Eve's has no relation.
    EXPECT_EQ(data->text(), "ann@golf.org, bo@home.org");
    EXPECT_EQ(data->urls().size(), contacts().rowCount());
    keyboardmodifiers::setCurrentForTesting(Qt::ShiftModifier);
    data.reset(groups().mimeData({groups().index(groupRow(golf), 0)}));
    // Shift alone keeps one file per contact on the group table.
    EXPECT_EQ(data->urls().size(), contacts().rowCount());
    keyboardmodifiers::setCurrentForTesting(Qt::AltModifier);
    data.reset(groups().mimeData({groups().index(groupRow(golf), 0)}));
    EXPECT_EQ(fileNames(*data),
              QStringList{QStringLiteral("%1 Google Contacts.vcf").arg(contacts().rowCount())});
}

TEST_F(BrowserDragDropTest, ContactTableTakesWhatItCanCopy)
{
    QTemporaryDir files;
    QFile(QDir(files.path()).filePath("cards.VCF")).open(QIODevice::WriteOnly);
    QFile(QDir(files.path()).filePath("notes.txt")).open(QIODevice::WriteOnly);
    const auto urls = [&](const char *name) {
        auto data = std::make_unique<QMimeData>();
        data->setUrls({QUrl::fromLocalFile(QDir(files.path()).filePath(name))});
        return data;
    };
    const auto typed = [](const QString &format, const QByteArray &bytes) {
        auto data = std::make_unique<QMimeData>();
        data->setData(format, bytes);
        return data;
    };
    struct Case
    {
        const char *name;
        std::unique_ptr<QMimeData> data;
        bool taken;
    };
    Case cases[] = {
        {"address book people", typed(pasteboardtypes::abPeople, R"(["p:ABPerson"])"), true},
        {"address book groups", typed(pasteboardtypes::abGroups, R"(["g:ABGroup"])"), true},
        {"vCard data", typed("text/x-vcard", "BEGIN:VCARD\nEND:VCARD\n"), true},
        {"a vCard file in capitals", urls("cards.VCF"), true},
        {"no vCard file", urls("notes.txt"), false},
        {"plain text", typed(pasteboardtypes::text, "hello"), false},
        {"group rows of this window", rowsFrom(*window, true, {groups().index(3, 0)}), false},
        {"group rows of another window",
         rowsFrom(*other, true, {other->groupArrayController()->index(3, 0)}), true},
        {"contact rows of another window",
         rowsFrom(*other, false, {other->contactArrayController()->index(0, 0)}), true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(contacts().canDropMimeData(c.data.get(), Qt::CopyAction, 0, 0, {}), c.taken)
            << c.name;
    // A window's own contacts are refused when dropped, and nothing else: a move never is.
    std::unique_ptr<QMimeData> own = rowsFrom(*window, false, contactIndexes({"ann"}));
    EXPECT_FALSE(contacts().dropMimeData(own.get(), Qt::CopyAction, 0, 0, {}));
    EXPECT_FALSE(contacts().canDropMimeData(cases[0].data.get(), Qt::MoveAction, 0, 0, {}));
}

TEST_F(BrowserDragDropTest, GroupTableTakesDropsByTheRowsKind)
{
    QTemporaryDir files;
    const QString card = QDir(files.path()).filePath("cards.vcf");
    QFile(card).open(QIODevice::WriteOnly);
    auto file = std::make_unique<QMimeData>();
    file->setUrls({QUrl::fromLocalFile(card)});
    auto vCard = std::make_unique<QMimeData>();
    vCard->setData(pasteboardtypes::vCard, "BEGIN:VCARD\nEND:VCARD\n");
    auto people = std::make_unique<QMimeData>();
    people->setData(pasteboardtypes::abPeople, R"(["p:ABPerson"])");
    auto noGroups = std::make_unique<QMimeData>();
    noGroups->setData(pasteboardtypes::abGroups, "[]");
    std::unique_ptr<QMimeData> own = rowsFrom(*window, false, contactIndexes({"ann"}));
    std::unique_ptr<QMimeData> foreign =
        rowsFrom(*other, false, {other->contactArrayController()->index(0, 0)});
    std::unique_ptr<QMimeData> ownGroups = rowsFrom(*window, true, {groups().index(3, 0)});

    window->groupSetController()->selectGroupIdentifiers({work});
    const int ownRow = groupRow(male);
    ASSERT_EQ(groups().groupArray()[ownRow].groupType, "c");
    const QModelIndex onGolf = groups().index(groupRow(golf), 0);
    const QModelIndex onWork = groups().index(groupRow(work), 0);
    const QModelIndex onOwn = groups().index(ownRow, 0);
    struct Case
    {
        const char *name;
        const QMimeData *data;
        QModelIndex on;
        bool taken;
    };
    const Case cases[] = {
        {"own contacts on a group", own.get(), onGolf, true},
        {"own contacts on a program group", own.get(), onOwn, true},
        {"own contacts on the All row", own.get(), groups().index(0, 0), false},
        {"own contacts on the selected row", own.get(), onWork, false},
        {"other contacts on a group", foreign.get(), onGolf, true},
        {"other contacts on a program group", foreign.get(), onOwn, false},
        {"own groups", ownGroups.get(), onGolf, false},
        {"a vCard file on a group", file.get(), onGolf, true},
        {"a vCard file on the second row", file.get(), groups().index(1, 0), false},
        {"a vCard file on a program group", file.get(), onOwn, false},
        {"address book people on a program group", people.get(), onOwn, false},
        {"address book people on a group", people.get(), onGolf, true},
        {"no address book groups", noGroups.get(), onGolf, false},
        {"vCard data on a program group", vCard.get(), onOwn, false},
        {"vCard data on a group", vCard.get(), onGolf, true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(groups().canDropMimeData(c.data, Qt::CopyAction, -1, 0, c.on), c.taken) << c.name;
}

} // namespace

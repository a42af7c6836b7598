// Drops on the main program's browser against the loopback server: the dropped cards, address
// book records and another account's groups end up as contacts of this account, in the groups
// they were dropped on, each exactly once.
#include "app/windows/windowfactory.h"
#include "browser/dragdrop/browserdragdrop.h"
#include "browser/dragdrop/grouptabledragdrop.h"
#include "browser/models/contactarraycontroller.h"
#include "browser/models/grouparraycontroller.h"
#include "browser/models/pasteboardtypes.h"
#include "browser/selection/groupsetcontroller.h"
#include "browser/window/browserwindowcontroller.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include "tests/support/app/mainprogramtest.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QPointer>

#include <gtest/gtest.h>

namespace {

constexpr int kContacts = 3;
const QString kSecondAccount = QStringLiteral("ann@example.com");
const QString kSecondPassword = QStringLiteral("other");

QByteArray card(const QString &first, const QString &last)
{
    return QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:%2;%1;;;\r\nFN:%1 %2\r\nEND:VCARD\r\n")
        .arg(first, last)
        .toUtf8();
}

class BrowserDropJobsTest : public MainProgramTest
{
protected:
    void SetUp() override
    {
        MainProgramTest::SetUp();
        windowfactory::setMaker(WindowController::Kind::Browser,
                                [] { return std::make_unique<BrowserWindowController>(); });
        storePassword(kPassword);
        server.generateContacts(kAccount, kContacts);
        golfID = server
                     .seedGroups(kAccount, {GDataEntryContactGroup::contactGroupEntryWithTitle(
                                               QStringLiteral("Golf"))})
                     .value(0);
        for (int i = 0; i < 3; ++i) {
            const PersonPtr person = Person::create();
            person->setValueForProperty(QStringLiteral("Reader%1").arg(i), kABFirstNameProperty);
            person->setValueForProperty(QStringLiteral("Book"), kABLastNameProperty);
            ASSERT_TRUE(AddressBook::shared()->addRecord(person));
            readers.append(person);
        }
        ASSERT_TRUE(AddressBook::shared()->save());
        UserDefaults::standard().setInteger(1, QStringLiteral("systemGroupUseAll"));
    }

    BrowserWindowController *browser() const
    {
        return qobject_cast<BrowserWindowController *>(delegate->googleBrowserWindowController());
    }
    bool openBrowser()
    {
        return startProgram() && runUntil([this] {
                   return browser() && browser()->contactArrayController() &&
                          browser()->contactArrayController()->rowCount() == kContacts &&
                          rowOf(*browser(), golfID) >= 0;
               });
    }
    static int rowOf(BrowserWindowController &window, const QString &identifier)
    {
        const QList<GroupRow> &rows = window.groupArrayController()->groupArray();
        for (int row = 0; row < rows.size(); ++row) {
            if (rows[row].identifier == identifier)
                return row;
        }
        return -1;
    }
    static int rowTitled(BrowserWindowController &window, const QString &title)
    {
        const QList<GroupRow> &rows = window.groupArrayController()->groupArray();
        for (int row = 0; row < rows.size(); ++row) {
            if (rows[row].groupName == title)
                return row;
        }
        return -1;
    }

    // The account's entries as stored, tombstones included.
    std::vector<GDataEntryPtr> liveFeed(const QString &account, GDataEntryBase::Kind kind)
    {
        const GDataFeedPtr feed = server.entries(account, kind);
        return feed ? feed->entries() : std::vector<GDataEntryPtr>();
    }

    // The live contacts of the account by title, each with the titles of its groups.
    QMap<QString, QStringList> serverContacts(const QString &account)
    {
        QMap<QString, QString> groupTitles;
        for (const GDataEntryPtr &entry : liveFeed(account, GDataEntryBase::Kind::ContactGroup)) {
            if (!entry->isDeleted())
                groupTitles.insert(entry->identifier(), entry->title().value_or(QString()));
        }
        QMap<QString, QStringList> contacts;
        for (const GDataEntryPtr &entry : liveFeed(account, GDataEntryBase::Kind::Contact)) {
            if (entry->isDeleted())
                continue;
            const auto contact = std::static_pointer_cast<GDataEntryContact>(entry);
            QStringList groups;
            for (const GDataGroupMembershipInfo &membership : contact->groupMembershipInfos())
                groups.append(groupTitles.value(membership.href, membership.href));
            groups.sort();
            contacts[contact->title().value_or(QString())] += groups;
        }
        return contacts;
    }
    // Every live contact once, duplicates included.
    int liveContacts(const QString &account)
    {
        int count = 0;
        for (const GDataEntryPtr &entry : liveFeed(account, GDataEntryBase::Kind::Contact))
            count += !entry->isDeleted();
        return count;
    }
    int liveGroupsTitled(const QString &account, const QString &title)
    {
        int count = 0;
        for (const GDataEntryPtr &entry : liveFeed(account, GDataEntryBase::Kind::ContactGroup))
            count += !entry->isDeleted() && entry->title() == title;
        return count;
    }

    BrowserWindowController *openSecondAccount()
    {
        delegate->openBrowser2View();
        if (delegate->browserControllerCache().size() != 1)
            return nullptr;
        QPointer<BrowserWindowController> second = qobject_cast<BrowserWindowController *>(
            delegate->browserControllerCache().begin()->second.data());
        second->userTextField()->setText(kSecondAccount);
        second->pwTextField()->setText(kSecondPassword);
        second->login();
        if (!runUntil([&] {
                return second && second->contactArrayController()->rowCount() > 0 &&
                       rowTitled(*second, QStringLiteral("Club")) >= 0;
            }))
            return nullptr;
        return second;
    }

    QString golfID;
    QList<PersonPtr> readers;
};

TEST_F(BrowserDropJobsTest, VCardDataOnAGroupRowImportsIntoThatGroup)
{
    ASSERT_TRUE(openBrowser());
    GroupArrayController &groups = *browser()->groupArrayController();
    QMimeData data;
    data.setData(QStringLiteral("text/x-vcard"), card("Ida", "Dropped") + card("Jo", "Dropped"));
    const QModelIndex golf = groups.index(rowOf(*browser(), golfID), 0);
    ASSERT_TRUE(groups.canDropMimeData(&data, Qt::CopyAction, -1, 0, golf));
    ASSERT_TRUE(groups.dropMimeData(&data, Qt::CopyAction, -1, 0, golf));
    ASSERT_TRUE(runUntil([&] { return serverContacts(kAccount).contains("Jo Dropped"); }));
    const QMap<QString, QStringList> contacts = serverContacts(kAccount);
    EXPECT_TRUE(contacts.value("Ida Dropped").contains("Golf"));
    EXPECT_TRUE(contacts.value("Jo Dropped").contains("Golf"));
    EXPECT_EQ(liveContacts(kAccount), kContacts + 2);
}

TEST_F(BrowserDropJobsTest, VCardFileOnTheContactTableImportsAfterTheDragIntoTheSelectedGroup)
{
    ASSERT_TRUE(openBrowser());
    browser()->groupSetController()->selectGroupIdentifiers({golfID});
    const QString path = QDir(programFolder.path()).filePath("three.vcf");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(card("Kim", "Filed") + card("Lu", "Filed") + card("Mo", "Filed"));
    file.close();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    ContactArrayController &contacts = *browser()->contactArrayController();
    ASSERT_TRUE(contacts.dropMimeData(&data, Qt::CopyAction, 0, 0, {}));
    // Nothing is sent inside the drop itself.
    EXPECT_EQ(liveContacts(kAccount), kContacts);
    ASSERT_TRUE(runUntil([&] { return liveContacts(kAccount) == kContacts + 3; }));
    for (const char *name : {"Kim Filed", "Lu Filed", "Mo Filed"})
        EXPECT_TRUE(serverContacts(kAccount).value(name).contains("Golf")) << name;
}

TEST_F(BrowserDropJobsTest, AddressBookGroupsAreMadeOnlyWhenMissingThenTheirMembersCopied)
{
    // "Golf" exists at Google already; "Chess" does not.
    const GroupPtr golf = Group::create();
    golf->setValueForProperty(QStringLiteral("Golf"), kABGroupNameProperty);
    const GroupPtr chess = Group::create();
    chess->setValueForProperty(QStringLiteral("Chess"), kABGroupNameProperty);
    ASSERT_TRUE(AddressBook::shared()->addRecord(golf));
    ASSERT_TRUE(AddressBook::shared()->addRecord(chess));
    golf->addMember(readers[0]);
    chess->addMember(readers[1]);
    chess->addMember(readers[2]);
    ASSERT_TRUE(AddressBook::shared()->save());
    ASSERT_TRUE(openBrowser());

    QMimeData data;
    data.setData(pasteboardtypes::abGroups,
                 QJsonDocument(QJsonArray{golf->uniqueId(), chess->uniqueId()}).toJson());
    GroupArrayController &groups = *browser()->groupArrayController();
    ASSERT_TRUE(groups.dropMimeData(&data, Qt::CopyAction, groups.rowCount(), 0, {}));
    ASSERT_TRUE(runUntil([&] { return liveContacts(kAccount) == kContacts + 3; }));
    ASSERT_TRUE(
        runUntil([&] { return serverContacts(kAccount).value("Reader2 Book").contains("Chess"); }));
    EXPECT_EQ(liveGroupsTitled(kAccount, "Golf"), 1);
    EXPECT_EQ(liveGroupsTitled(kAccount, "Chess"), 1);
    const QMap<QString, QStringList> contacts = serverContacts(kAccount);
    EXPECT_TRUE(contacts.value("Reader0 Book").contains("Golf"));
    EXPECT_TRUE(contacts.value("Reader1 Book").contains("Chess"));
}

TEST_F(BrowserDropJobsTest, SecondGroupDropWhileTheFirstIsPendingCopiesBoth)
{
    server.addAccount(kSecondAccount, kSecondPassword);
    const QStringList otherGroups = server.seedGroups(
        kSecondAccount,
        {GDataEntryContactGroup::contactGroupEntryWithTitle(QStringLiteral("Club")),
         GDataEntryContactGroup::contactGroupEntryWithTitle(QStringLiteral("Band"))});
    std::vector<GDataEntryPtr> members;
    for (const auto &[title, group] : {std::pair{"Nat Clubber", 0}, std::pair{"Oz Player", 1}}) {
        auto contact = GDataEntryContact::contactEntryWithTitle(QString::fromLatin1(title));
        contact->setGroupMembershipInfos(
            {GDataGroupMembershipInfo::groupMembershipInfoWithHref(otherGroups[group])});
        members.push_back(contact);
    }
    server.seedContacts(kSecondAccount, members);
    ASSERT_TRUE(openBrowser());
    BrowserWindowController *const second = openSecondAccount();
    ASSERT_TRUE(second);
    ASSERT_GT(rowTitled(*second, "Club"), 1);
    ASSERT_GT(rowTitled(*second, "Band"), 1);

    GroupArrayController &groups = *browser()->groupArrayController();
    GroupArrayController &sourceGroups = *second->groupArrayController();
    std::unique_ptr<QMimeData> club(
        sourceGroups.mimeData({sourceGroups.index(rowTitled(*second, "Club"), 0)}));
    std::unique_ptr<QMimeData> band(
        sourceGroups.mimeData({sourceGroups.index(rowTitled(*second, "Band"), 0)}));
    ASSERT_TRUE(groups.dropMimeData(club.get(), Qt::CopyAction, groups.rowCount(), 0, {}));
    ASSERT_TRUE(groups.dropMimeData(band.get(), Qt::CopyAction, groups.rowCount(), 0, {}));
    ASSERT_TRUE(runUntil([&] {
        const QMap<QString, QStringList> contacts = serverContacts(kAccount);
        return contacts.value("Nat Clubber").contains("Club") &&
               contacts.value("Oz Player").contains("Band");
    }));
    EXPECT_EQ(liveGroupsTitled(kAccount, "Club"), 1);
    EXPECT_EQ(liveGroupsTitled(kAccount, "Band"), 1);
    // Let a copy that would run twice show itself.
    runUntil([] { return false; }, 1000);
    const QMap<QString, QStringList> contacts = serverContacts(kAccount);
    EXPECT_EQ(liveContacts(kAccount), kContacts + 2);
    EXPECT_EQ(browser()->dragDrop()->groupTable().pendingGroupJobs(), 0);
}

TEST_F(BrowserDropJobsTest, APseudoGroupTitleNeverBecomesAMembership)
{
    ASSERT_TRUE(openBrowser());
    const QList<GroupRow> &rows = browser()->groupArrayController()->groupArray();
    const auto own = std::find_if(rows.begin(), rows.end(),
                                  [](const GroupRow &row) { return row.groupType == "c"; });
    ASSERT_NE(own, rows.end());
    const QString title = own->identifier;
    browser()->groupSetController()->selectGroupIdentifiers({title});
    QMimeData data;
    data.setData(pasteboardtypes::vCard, card("Pia", "Pseudo"));
    ASSERT_TRUE(browser()->contactArrayController()->dropMimeData(&data, Qt::CopyAction, 0, 0, {}));
    ASSERT_TRUE(runUntil([&] { return serverContacts(kAccount).contains("Pia Pseudo"); }));
    EXPECT_FALSE(serverContacts(kAccount).value("Pia Pseudo").contains(title));
    for (const GroupRow &row : rows) {
        if (row.groupType != "c" && row.groupType != "b")
            continue;
        EXPECT_FALSE(serverContacts(kAccount).value("Pia Pseudo").contains(row.identifier))
            << row.identifier.toStdString();
    }
}

} // namespace

namespace {

// The one-import-per-group step takes a pending group copy once its groups exist: each group's
// members go into this account's group of that name.
TEST_F(BrowserDropJobsTest, TheImportPerGroupStepCopiesEachGroupsMembersIntoItsGroup)
{
    server.addAccount(kSecondAccount, kSecondPassword);
    const QStringList otherGroups = server.seedGroups(
        kSecondAccount,
        {GDataEntryContactGroup::contactGroupEntryWithTitle(QStringLiteral("Club"))});
    auto member = GDataEntryContact::contactEntryWithTitle(QStringLiteral("Nat Clubber"));
    member->setGroupMembershipInfos(
        {GDataGroupMembershipInfo::groupMembershipInfoWithHref(otherGroups[0])});
    server.seedContacts(kSecondAccount, {member});
    ASSERT_TRUE(openBrowser());
    BrowserWindowController *const second = openSecondAccount();
    ASSERT_TRUE(second);

    // The group batch fails, so the copy waits with its own data.
    server.injectFault(QStringLiteral("/batch"), 503, 10, 0, false, "POST");
    GroupArrayController &groups = *browser()->groupArrayController();
    GroupArrayController &sourceGroups = *second->groupArrayController();
    std::unique_ptr<QMimeData> club(
        sourceGroups.mimeData({sourceGroups.index(rowTitled(*second, "Club"), 0)}));
    ASSERT_TRUE(groups.dropMimeData(club.get(), Qt::CopyAction, groups.rowCount(), 0, {}));
    ASSERT_TRUE(
        runUntil([&] { return browser()->dragDrop()->groupTable().pendingGroupJobs() == 1; }));
    runUntil([] { return false; }, 1000);
    server.clearFaults();
    ASSERT_EQ(liveGroupsTitled(kAccount, "Club"), 0);

    // The group made meanwhile, and known to the window.
    server.seedGroups(kAccount,
                      {GDataEntryContactGroup::contactGroupEntryWithTitle(QStringLiteral("Club"))});
    browser()->googleTool()->refetchAllGroups(QString());
    ASSERT_TRUE(runUntil([&] { return rowTitled(*browser(), "Club") >= 0; }));

    GoogleContactToolUIDelegate *const window = browser();
    ASSERT_TRUE(window->performSelector(QStringLiteral("processGroupArrayVCards")));
    ASSERT_TRUE(
        runUntil([&] { return serverContacts(kAccount).value("Nat Clubber").contains("Club"); }));
    EXPECT_EQ(browser()->dragDrop()->groupTable().pendingGroupJobs(), 0);
    EXPECT_EQ(liveContacts(kAccount), kContacts + 1);
}

} // namespace

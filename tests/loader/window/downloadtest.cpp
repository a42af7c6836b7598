#include "tests/loader/window/dataloadertest.h"

#include "addressbook/google/linkproperties.h"
#include "google/entries/contactaccessors.h"
#include "loader/loaderkeys.h"
#include "loader/window/grouprowsmodel.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/gdataservicegooglecontact.h"
#include "tests/support/google/booksnapshot.h"
#include "tests/support/google/googleaccountseed.h"

#include <QSet>

namespace {

namespace seed = googleaccountseed;

class DownloadTest : public DataLoaderTest
{
protected:
    static constexpr int kContacts = 30;

    void SetUp() override
    {
        DataLoaderTest::SetUp();
        std::vector<GDataEntryPtr> groups;
        for (const QString &title : seed::groupTitles())
            groups.push_back(GDataEntryContactGroup::contactGroupEntryWithTitle(title));
        groupIDs = server.seedGroups(kAccount, groups);
        QString myContacts;
        const GDataFeedPtr feed = server.entries(kAccount, GDataEntryBase::Kind::ContactGroup);
        for (const GDataEntryPtr &entry : feed->entries()) {
            const auto group = std::static_pointer_cast<GDataEntryContactGroup>(entry);
            if (group->systemGroup() == QLatin1String(kGDataSystemGroupContacts))
                myContacts = group->identifier();
        }
        std::vector<GDataEntryPtr> contacts;
        for (int index = 0; index < kContacts; ++index) {
            if (!seed::isDeleted(index))
                contacts.push_back(seed::contactAt(index, groupIDs, myContacts));
        }
        contactIDs = server.seedContacts(kAccount, contacts);
    }

    // People of the book by the Google identifier they are linked to.
    QHash<QString, PersonPtr> linkedPeople()
    {
        QHash<QString, PersonPtr> people;
        for (const PersonPtr &person : AddressBook::shared()->people()) {
            const QString id = person->valueForProperty(AddressBookTool::contactIDPropertyName()).toString();
            if (!id.isEmpty())
                people.insert(id, person);
        }
        return people;
    }
    QStringList bookGroupNames()
    {
        QStringList names;
        for (const GroupPtr &group : AddressBook::shared()->groups())
            names << group->valueForProperty(kABGroupNameProperty).toString();
        names.sort();
        return names;
    }
    void deleteOnServer(const QString &identifier)
    {
        ASSERT_TRUE(tool());
        for (const GDataEntryContactPtr &contact : tool()->contactArray()) {
            if (contact->identifier() != identifier)
                continue;
            bool done = false;
            tool()->contactService()->deleteEntry(*contact, tool(), [&](const auto &, const auto &) { done = true; },
                                                  [&](const auto &, const auto &) { done = true; });
            ASSERT_TRUE(runUntil([&] { return done; }));
        }
    }

    QStringList groupIDs;
    QStringList contactIDs;
};

TEST_F(DownloadTest, MakesTheBookIdenticalToTheAccountAndASecondRunRewritesNothing)
{
    ASSERT_TRUE(openLoader());
    ASSERT_TRUE(runPass(loader->simpleDownloadButton()));
    const QHash<QString, PersonPtr> people = linkedPeople();
    EXPECT_EQ(QSet<QString>(people.keyBegin(), people.keyEnd()),
              QSet<QString>(contactIDs.cbegin(), contactIDs.cend()));
    // Me stays, and nothing else is there.
    EXPECT_EQ(AddressBook::shared()->people().size(), contactIDs.size() + 1);
    QStringList titles = seed::groupTitles();
    titles.sort();
    EXPECT_EQ(bookGroupNames(), titles);

    const booksnapshot::Snapshot before = booksnapshot::snapshot();
    ASSERT_TRUE(runPass(loader->simpleDownloadButton()));
    EXPECT_EQ(booksnapshot::snapshot(), before);
}

TEST_F(DownloadTest, RemovesThePersonOfADeletedContactButNeverTheMeRecord)
{
    ASSERT_TRUE(openLoader());
    ASSERT_TRUE(runPass(loader->simpleDownloadButton()));
    const QString gone = contactIDs.at(2);
    const QString goneABID = linkedPeople().value(gone)->uniqueId();
    deleteOnServer(gone);
    const QString me = AddressBook::shared()->me()->uniqueId();
    ASSERT_TRUE(runPass(loader->simpleDownloadButton()));
    EXPECT_FALSE(AddressBook::shared()->personForUniqueId(goneABID));
    EXPECT_TRUE(AddressBook::shared()->personForUniqueId(me));
    EXPECT_EQ(AddressBook::shared()->people().size(), contactIDs.size());
}

TEST_F(DownloadTest, ContactsAndGroupsLeftOutByTheOptionsKeepTheirRecords)
{
    ASSERT_TRUE(openLoader());
    ASSERT_TRUE(runPass(loader->simpleDownloadButton()));
    const int people = int(AddressBook::shared()->people().size());
    // A group paired with Google's Friends group.
    const GroupPtr friends = Group::create();
    friends->setValueForProperty(QStringLiteral("Friends"), kABGroupNameProperty);
    ASSERT_TRUE(AddressBook::shared()->addRecord(friends));
    ASSERT_TRUE(AddressBook::shared()->save());
    UserDefaults &ud = UserDefaults::standard();
    ud.setBool(true, loaderkeys::abUpdateNoEmailAddrOnly);
    ud.setBool(false, loaderkeys::abUpdateGroupsIncludeSystemGroups);
    ASSERT_TRUE(runPass(loader->simpleDownloadButton()));
    EXPECT_EQ(AddressBook::shared()->people().size(), people);
    EXPECT_TRUE(AddressBook::shared()->groupForUniqueId(friends->uniqueId()));
}

TEST_F(DownloadTest, AdvancedTakesTheTicksConfirmedAndDeletesNothingForEmptyGroups)
{
    ASSERT_TRUE(openLoader());
    ASSERT_TRUE(runPass(loader->simpleDownloadButton()));
    const int people = int(AddressBook::shared()->people().size());
    UserDefaults &ud = UserDefaults::standard();
    GroupRowsModel *model = loader->googleGroupModel();
    ASSERT_GT(model->rowCount(), 0);
    // A group of no members, ticked, with both removals asked for: nothing may go.
    server.seedGroups(kAccount,
                      {GDataEntryContactGroup::contactGroupEntryWithTitle(QStringLiteral("Empty"))});
    tool()->fetchAllGroupsWithUIRefresh(true, true);
    ASSERT_TRUE(runUntil([&] {
        for (const QVariantMap &row : model->rows())
            if (row.value("groupName") == "Empty")
                return true;
        return false;
    }));
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->data(model->index(row, 0)).toString() == "Empty")
            model->setData(model->index(row, 0), Qt::Checked, Qt::CheckStateRole);
    }
    ud.setBool(true, loaderkeys::abRemoveOtherContacts);
    ud.setBool(true, loaderkeys::abRemoveOtherGroups);
    ASSERT_TRUE(runPass(loader->advancedDownloadButton()));
    EXPECT_EQ(AddressBook::shared()->people().size(), people);

    // The first seeded group ticked before the confirmation: its members stay, every other record
    // that the deletion test allows goes.
    const QString first = seed::groupTitles().front();
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->data(model->index(row, 0)).toString() == first)
            model->setData(model->index(row, 0), Qt::Checked, Qt::CheckStateRole);
    }
    ud.setBool(true, loaderkeys::abRemoveOtherContacts);
    ASSERT_TRUE(runPass(loader->advancedDownloadButton()));
    int members = 0;
    for (const GDataEntryContactPtr &contact : tool()->contactArray()) {
        for (const GDataGroupMembershipInfo &membership : contact->groupMembershipInfos())
            members += membership.href == groupIDs.front() ? 1 : 0;
    }
    ASSERT_GT(members, 0);
    EXPECT_EQ(AddressBook::shared()->people().size(), members + 1);
}

} // namespace

#include "tests/loader/window/dataloadertest.h"

#include "addressbook/google/linkproperties.h"
#include "google/entries/contactaccessors.h"
#include "google/entries/groupaccessors.h"
#include "loader/loaderkeys.h"
#include "loader/window/grouprowsmodel.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {

// A book of three groups: "Crew" with Ann and Bo, "Dock" with Bo and Cy, "Yard" with Di; and Ed
// in no group. The account holds an unrelated contact and group.
class AdvancedUploadTest : public DataLoaderTest
{
protected:
    void SetUp() override
    {
        DataLoaderTest::SetUp();
        const auto person = [](const QString &first) {
            const PersonPtr p = Person::create();
            p->setValueForProperty(first, kABFirstNameProperty);
            p->setValueForProperty(QStringLiteral("Sailor"), kABLastNameProperty);
            EXPECT_TRUE(AddressBook::shared()->addRecord(p));
            return p;
        };
        const auto group = [](const QString &name, const QList<PersonPtr> &members) {
            const GroupPtr g = Group::create();
            g->setValueForProperty(name, kABGroupNameProperty);
            EXPECT_TRUE(AddressBook::shared()->addRecord(g));
            for (const PersonPtr &member : members)
                EXPECT_TRUE(g->addMember(member));
            return g;
        };
        const PersonPtr ann = person(QStringLiteral("Ann"));
        const PersonPtr bo = person(QStringLiteral("Bo"));
        const PersonPtr cy = person(QStringLiteral("Cy"));
        const PersonPtr di = person(QStringLiteral("Di"));
        person(QStringLiteral("Ed"));
        group(QStringLiteral("Crew"), {ann, bo});
        group(QStringLiteral("Dock"), {bo, cy});
        group(QStringLiteral("Yard"), {di});
        ASSERT_TRUE(AddressBook::shared()->save());
        server.seedContacts(kAccount, {[] {
                                auto c = std::make_shared<GDataEntryContact>();
                                c->setTitle(QStringLiteral("Stranger Somewhere"));
                                return c;
                            }()});
        server.seedGroups(kAccount, {[] {
                              auto g = std::make_shared<GDataEntryContactGroup>();
                              g->setTitle(QStringLiteral("Elsewhere"));
                              return g;
                          }()});
        UserDefaults::standard().setInteger(2, loaderkeys::gmUpdateBackupMode);
    }

    void tick(const QStringList &names)
    {
        GroupRowsModel *model = loader->abGroupModel();
        for (int row = 0; row < model->rowCount(); ++row) {
            if (names.contains(model->data(model->index(row, 0)).toString()))
                model->setData(model->index(row, 0), Qt::Checked, Qt::CheckStateRole);
        }
    }
    QStringList liveTitles(GDataEntryBase::Kind kind)
    {
        QStringList titles;
        for (const GDataEntryPtr &entry : liveEntries(kind))
            titles << entry->title().value_or(QString());
        titles.sort();
        return titles;
    }
};

TEST_F(AdvancedUploadTest, CopiesTheMembersOfTheTickedGroupsOnceAndDeletesNothingElse)
{
    UserDefaults::standard().setInteger(0, loaderkeys::gmUpdateBackupMode);
    ASSERT_TRUE(openLoader());
    tick({QStringLiteral("Crew"), QStringLiteral("Dock")});
    ASSERT_TRUE(runPass(loader->advancedUploadButton()));
    EXPECT_EQ(liveTitles(GDataEntryBase::Kind::Contact),
              (QStringList{"Ann Sailor", "Bo Sailor", "Cy Sailor", "Stranger Somewhere"}));
    const QStringList groups = liveTitles(GDataEntryBase::Kind::ContactGroup);
    EXPECT_TRUE(groups.contains("Crew"));
    EXPECT_TRUE(groups.contains("Dock"));
    EXPECT_FALSE(groups.contains("Yard"));
    EXPECT_TRUE(groups.contains("Elsewhere"));
}

TEST_F(AdvancedUploadTest, RemovesOtherContactsOnlyWhenAskedAndNeverWithNothingTicked)
{
    UserDefaults &ud = UserDefaults::standard();
    ud.setInteger(0, loaderkeys::gmUpdateBackupMode);
    ASSERT_TRUE(openLoader());
    // The options are on, but no group is ticked: nothing may be deleted.
    ud.setBool(true, loaderkeys::gmRemoveAllOtherContacts);
    ud.setBool(true, loaderkeys::gmRemoveAllOtherGroups);
    ASSERT_TRUE(runPass(loader->advancedUploadButton()));
    EXPECT_EQ(liveTitles(GDataEntryBase::Kind::Contact), QStringList{"Stranger Somewhere"});
    EXPECT_TRUE(liveTitles(GDataEntryBase::Kind::ContactGroup).contains("Elsewhere"));

    tick({QStringLiteral("Yard")});
    ud.setBool(true, loaderkeys::gmRemoveAllOtherContacts);
    ud.setBool(true, loaderkeys::gmRemoveAllOtherGroups);
    ASSERT_TRUE(runPass(loader->advancedUploadButton()));
    EXPECT_EQ(liveTitles(GDataEntryBase::Kind::Contact), QStringList{"Di Sailor"});
    const QStringList groups = liveTitles(GDataEntryBase::Kind::ContactGroup);
    EXPECT_FALSE(groups.contains("Elsewhere"));
    // Google's own groups are neither deleted nor renamed.
    for (const char *system : {"System Group: My Contacts", "System Group: Friends",
                               "System Group: Family", "System Group: Coworkers"})
        EXPECT_TRUE(groups.contains(QString::fromUtf8(system))) << system;
}

TEST_F(AdvancedUploadTest, AGroupPairedWithASystemGroupQueuesNothingOnTheSecondRun)
{
    UserDefaults::standard().setInteger(0, loaderkeys::gmUpdateBackupMode);
    const GroupPtr friends = Group::create();
    friends->setValueForProperty(QStringLiteral("Friends"), kABGroupNameProperty);
    ASSERT_TRUE(AddressBook::shared()->addRecord(friends));
    ASSERT_TRUE(AddressBook::shared()->save());
    ASSERT_TRUE(openLoader());
    tick({QStringLiteral("Friends")});
    ASSERT_TRUE(runPass(loader->advancedUploadButton()));
    EXPECT_FALSE(friends->valueForProperty(AddressBookTool::groupIDPropertyName()).toString().isEmpty());
    server.clearRequestLog();
    tick({QStringLiteral("Friends")});
    ASSERT_TRUE(runPass(loader->advancedUploadButton()));
    EXPECT_EQ(batchRequests(), 0);
    EXPECT_TRUE(liveTitles(GDataEntryBase::Kind::ContactGroup).contains("System Group: Friends"));
}

TEST_F(AdvancedUploadTest, ABackupThatCannotBeWrittenStopsTheUpdateBeforeAnythingIsSent)
{
    ASSERT_TRUE(openLoader());
    // The backup folder is a file: neither the account's folder nor the archive can be made.
    QFile blocker(tool()->accountBackupFolderPath());
    QDir().mkpath(QFileInfo(blocker.fileName()).path());
    QDir(blocker.fileName()).removeRecursively();
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    tick({QStringLiteral("Crew")});
    server.clearRequestLog();
    ASSERT_TRUE(runPass(loader->advancedUploadButton()));
    EXPECT_EQ(batchRequests(), 0);
    EXPECT_EQ(liveTitles(GDataEntryBase::Kind::Contact), QStringList{"Stranger Somewhere"});
    EXPECT_TRUE(sheetTitles().contains(QStringLiteral("Backup Google Contacts & Groups Failed")));
    EXPECT_FALSE(sheetTitles().contains(QStringLiteral("Backup Google Contacts & Groups Completed")));
}

} // namespace

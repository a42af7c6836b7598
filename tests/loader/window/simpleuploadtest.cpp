#include "tests/loader/window/dataloadertest.h"

#include "addressbook/google/linkproperties.h"
#include "addressbook/records/recordsaving.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlekeys.h"
#include "google/entries/contactaccessors.h"
#include "loader/loadertexts.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "tests/support/google/uploadbook.h"

#include <QSet>

namespace {

class SimpleUploadTest : public DataLoaderTest
{
protected:
    QSet<QString> liveContactABIDs()
    {
        QSet<QString> abids;
        for (const GDataEntryPtr &entry : liveEntries(GDataEntryBase::Kind::Contact))
            abids.insert(tolvane::tolvaneABID(static_cast<const GDataEntryContact &>(*entry)));
        return abids;
    }
    int liveContacts() { return int(liveEntries(GDataEntryBase::Kind::Contact).size()); }
};

TEST_F(SimpleUploadTest, FillsAnEmptyAccountLinksEveryRecordAndChangesNothingTheSecondTime)
{
    const UploadBook book = makeUploadBook(40);
    ASSERT_TRUE(AddressBook::shared()->save());
    ASSERT_TRUE(openLoader());
    ASSERT_TRUE(runPass(loader->simpleUploadButton()));

    const QList<PersonPtr> people = AddressBook::shared()->people();
    EXPECT_EQ(liveContacts(), people.size());
    const QString idProperty = AddressBookTool::contactIDPropertyName();
    QSet<QString> abids;
    for (const PersonPtr &person : people) {
        EXPECT_FALSE(person->valueForProperty(idProperty).toString().isEmpty())
            << person->uniqueId().toStdString();
        abids.insert(person->uniqueId());
    }
    EXPECT_EQ(liveContactABIDs(), abids);
    for (const GroupPtr &group : book.groups)
        EXPECT_FALSE(
            group->valueForProperty(AddressBookTool::groupIDPropertyName()).toString().isEmpty());

    server.clearRequestLog();
    UserDefaults::standard().setBool(true, QStringLiteral("showGoogleAlerts"));
    ASSERT_TRUE(runPass(loader->simpleUploadButton()));
    EXPECT_EQ(batchRequests(), 0);
    EXPECT_TRUE(
        sheetTitles().contains(loadertexts::processSucceeded.arg(loadertexts::nothingToUpload)));
}

TEST_F(SimpleUploadTest, ChangedAndDeletedPeopleGiveOneUpdateAndOneDeletion)
{
    const UploadBook book = makeUploadBook(20);
    ASSERT_TRUE(AddressBook::shared()->save());
    ASSERT_TRUE(openLoader());
    ASSERT_TRUE(runPass(loader->simpleUploadButton()));
    const int before = liveContacts();

    PersonPtr changed = book.people.at(3);
    changed->setValueForProperty(QStringLiteral("Changed"), kABJobTitleProperty);
    PersonPtr gone = book.people.at(5);
    ASSERT_TRUE(AddressBookTool::deleteRecord(gone));
    ASSERT_TRUE(AddressBook::shared()->save());
    server.clearRequestLog();
    ASSERT_TRUE(runPass(loader->simpleUploadButton()));
    EXPECT_EQ(liveContacts(), before - 1);
    EXPECT_FALSE(liveContactABIDs().contains(gone->uniqueId()));
    EXPECT_EQ(batchRequests(), 1);
}

TEST_F(SimpleUploadTest, APersonMovedToAnotherGroupIsUpdatedWithItsNewMembership)
{
    const UploadBook book = makeUploadBook(20);
    ASSERT_TRUE(AddressBook::shared()->save());
    ASSERT_TRUE(openLoader());
    ASSERT_TRUE(runPass(loader->simpleUploadButton()));
    GroupPtr target;
    PersonPtr mover;
    for (const PersonPtr &person : book.people.mid(1)) {
        for (const GroupPtr &group : book.groups) {
            if (!group->members().contains(person)) {
                target = group;
                mover = person;
                break;
            }
        }
        if (mover)
            break;
    }
    ASSERT_TRUE(mover);
    ASSERT_TRUE(target->addMember(mover));
    ASSERT_TRUE(AddressBook::shared()->save());
    server.clearRequestLog();
    ASSERT_TRUE(runPass(loader->simpleUploadButton()));
    EXPECT_EQ(batchRequests(), 1);
    const QString groupID =
        target->valueForProperty(AddressBookTool::groupIDPropertyName()).toString();
    bool member = false;
    for (const GDataEntryPtr &entry : liveEntries(GDataEntryBase::Kind::Contact)) {
        const auto &contact = static_cast<const GDataEntryContact &>(*entry);
        if (tolvane::tolvaneABID(contact) != mover->uniqueId())
            continue;
        for (const GDataGroupMembershipInfo &membership : contact.groupMembershipInfos())
            member = member || membership.href == groupID;
    }
    EXPECT_TRUE(member);
}

TEST_F(SimpleUploadTest, AnUploadAfterADownloadOfItsOwnDataSendsNothing)
{
    makeUploadBook(30);
    ASSERT_TRUE(AddressBook::shared()->save());
    ASSERT_TRUE(openLoader());
    ASSERT_TRUE(runPass(loader->simpleUploadButton()));
    const int contacts = liveContacts();
    ASSERT_TRUE(runPass(loader->simpleDownloadButton()));
    EXPECT_EQ(AddressBook::shared()->people().size(), contacts);
    server.clearRequestLog();
    ASSERT_TRUE(runPass(loader->simpleUploadButton()));
    EXPECT_EQ(batchRequests(), 0);
    EXPECT_EQ(liveContacts(), contacts);
}

TEST_F(SimpleUploadTest, RecordsTheOptionsLeaveOutKeepTheirContacts)
{
    const UploadBook book = makeUploadBook(20);
    ASSERT_TRUE(AddressBook::shared()->save());
    ASSERT_TRUE(openLoader());
    ASSERT_TRUE(runPass(loader->simpleUploadButton()));
    const int contacts = liveContacts();
    UserDefaults &ud = UserDefaults::standard();
    ud.setBool(true, QStringLiteral("gmUpdateNeverMoveMeCard"));
    ud.setBool(false, QStringLiteral("gmUpdateCompanies"));
    server.clearRequestLog();
    ASSERT_TRUE(runPass(loader->simpleUploadButton()));
    EXPECT_EQ(liveContacts(), contacts);
    EXPECT_TRUE(liveContactABIDs().contains(book.me->uniqueId()));
    EXPECT_EQ(batchRequests(), 0);

    // Kept on Google when a deleted person's contact may not go.
    ud.setBool(true, googlekeys::gmUpdateNeverRemoveContacts);
    ASSERT_TRUE(AddressBookTool::deleteRecord(book.people.at(4)));
    ASSERT_TRUE(AddressBook::shared()->save());
    ASSERT_TRUE(runPass(loader->simpleUploadButton()));
    EXPECT_EQ(liveContacts(), contacts);
}

} // namespace

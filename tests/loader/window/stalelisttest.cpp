#include "tests/loader/window/dataloadertest.h"

#include "addressbook/google/linkproperties.h"
#include "google/engine/googlecontacttool.h"
#include "google/entries/contactaccessors.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "tests/support/google/booksnapshot.h"
#include "tests/support/google/uploadbook.h"

#include <QJsonArray>

namespace {

class StaleListTest : public DataLoaderTest
{
protected:
    // A contact made on Google behind the engine's back, and a person of the book linked to it.
    PersonPtr linkedBehindTheEnginesBack()
    {
        auto contact = std::make_shared<GDataEntryContact>();
        contact->setTitle(QStringLiteral("Late Arrival"));
        const QStringList ids = server.seedContacts(kAccount, {contact});
        EXPECT_EQ(ids.size(), 1);
        const PersonPtr person = Person::create();
        person->setValueForProperty(QStringLiteral("Late"), kABFirstNameProperty);
        person->setValueForProperty(QStringLiteral("Arrival"), kABLastNameProperty);
        EXPECT_TRUE(AddressBook::shared()->addRecord(person));
        AddressBookTool::setGoogleID(ids.value(0), person);
        EXPECT_TRUE(AddressBook::shared()->save());
        return person;
    }
    int liveContacts() { return int(liveEntries(GDataEntryBase::Kind::Contact).size()); }
};

TEST_F(StaleListTest, AContactMadeSinceTheLastFetchIsNeitherDuplicatedNorItsPersonDeleted)
{
    makeUploadBook(10);
    ASSERT_TRUE(AddressBook::shared()->save());
    ASSERT_TRUE(openLoader());
    ASSERT_TRUE(runPass(loader->simpleUploadButton()));
    const PersonPtr late = linkedBehindTheEnginesBack();
    const QString link = late->valueForProperty(AddressBookTool::contactIDPropertyName()).toString();

    ASSERT_TRUE(runPass(loader->simpleUploadButton()));
    EXPECT_EQ(liveContacts(), AddressBook::shared()->people().size());
    EXPECT_EQ(late->valueForProperty(AddressBookTool::contactIDPropertyName()).toString(), link);

    const PersonPtr later = linkedBehindTheEnginesBack();
    ASSERT_TRUE(runPass(loader->simpleDownloadButton()));
    EXPECT_TRUE(AddressBook::shared()->personForUniqueId(later->uniqueId()));
}

TEST_F(StaleListTest, AFailingFeedStopsThePassBeforeAnythingChangesWithOneSheet)
{
    makeUploadBook(10);
    ASSERT_TRUE(AddressBook::shared()->save());
    ASSERT_TRUE(openLoader());
    ASSERT_TRUE(runPass(loader->simpleUploadButton()));
    // A person gone from the book, and one from Google: both passes would act on them.
    AddressBook::shared()->removeRecord(AddressBook::shared()->people().last());
    ASSERT_TRUE(AddressBook::shared()->save());
    const booksnapshot::Snapshot book = booksnapshot::snapshot();
    const int contacts = liveContacts();
    server.clearRequestLog();
    for (QAbstractButton *button : {static_cast<QAbstractButton *>(loader->simpleUploadButton()),
                                    static_cast<QAbstractButton *>(loader->simpleDownloadButton())}) {
        const int shown = int(prompter.shown().size());
        // The first try and both quiet retries of the contact feed.
        server.injectFault(QStringLiteral("/contacts/"), 503, 3, 0, false, "GET");
        ASSERT_TRUE(runPass(button));
        EXPECT_EQ(booksnapshot::snapshot(), book);
        EXPECT_EQ(liveContacts(), contacts);
        // The confirmation, then one sheet that names the failure.
        EXPECT_EQ(prompter.shown().size(), shown + 2);
        EXPECT_EQ(batchRequests(), 0);
        server.clearRequestLog();
    }
}

} // namespace

#include "tests/loader/window/dataloadertest.h"

#include "addressbook/google/linkproperties.h"
#include "google/entries/contactaccessors.h"
#include "loader/loaderkeys.h"
#include "loader/loadertexts.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "tests/support/google/uploadbook.h"

#include <QHash>

namespace {

struct UploadFault
{
    const char *name;
    // A fault of the batch requests: the status, how many requests take it, whether the
    // connection drops without an answer instead (a POST is never sent again by itself, so one
    // dropped request fails its batch).
    int status;
    int count;
    bool drop;
    // An entry status for the 50th record of the book instead; 0 for none.
    int entryStatus;
    // The batches are applied, then their connections close without an answer.
    bool applyThenDrop = false;
};

class UploadFaultTest : public DataLoaderTest, public ::testing::WithParamInterface<UploadFault>
{
};

// Three feeds of 100 entries; a fault in the middle, then a rerun.
TEST_P(UploadFaultTest, TheRerunLeavesOneContactPerRecordAndEveryRecordLinked)
{
    const UploadFault &fault = GetParam();
    UserDefaults::standard().setBool(false, loaderkeys::gmUpdateGroups);
    startAgentStandIn();
    makeUploadBook(210);
    ASSERT_TRUE(AddressBook::shared()->save());
    ASSERT_TRUE(openLoader());
    const QList<PersonPtr> people = AddressBook::shared()->people();
    if (fault.applyThenDrop)
        server.injectApplyThenDrop(QStringLiteral("/batch"), fault.count, "POST");
    else if (fault.entryStatus)
        server.injectBatchEntryStatus(people.at(50)->uniqueId(), fault.entryStatus,
                                      QStringLiteral("Injected"));
    else
        server.injectFault(QStringLiteral("/batch"), fault.status, fault.count, 0, fault.drop, "POST");
    ASSERT_TRUE(runPass(loader->simpleUploadButton()));
    EXPECT_TRUE(sheetTitles().contains(loadertexts::processFailed.arg(loadertexts::simpleGoogleUpdate)))
        << sheetTitles().join(" | ").toStdString();
    EXPECT_EQ(agentCalls(), (QStringList{"false", "true"}));

    ASSERT_TRUE(runPass(loader->simpleUploadButton()));
    QHash<QString, int> perRecord;
    for (const GDataEntryPtr &entry : liveEntries(GDataEntryBase::Kind::Contact))
        ++perRecord[tolvane::tolvaneABID(static_cast<const GDataEntryContact &>(*entry))];
    const QString idProperty = AddressBookTool::contactIDPropertyName();
    for (const PersonPtr &person : AddressBook::shared()->people()) {
        EXPECT_EQ(perRecord.value(person->uniqueId()), 1) << person->uniqueId().toStdString();
        EXPECT_FALSE(person->valueForProperty(idProperty).toString().isEmpty());
    }
    EXPECT_EQ(perRecord.size(), AddressBook::shared()->people().size());
    EXPECT_EQ(AddressBook::shared()->people().size(), people.size());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, UploadFaultTest,
    ::testing::Values(UploadFault{"Unavailable", 503, 3, false, 0},
                      UploadFault{"ServerError", 500, 3, false, 0},
                      UploadFault{"EntryServerError", 0, 0, false, 500},
                      UploadFault{"EntryConflict", 0, 0, false, 409},
                      UploadFault{"PreconditionFailed", 412, 1, false, 0},
                      UploadFault{"DroppedBeforeApplied", 0, 1, true, 0},
                      UploadFault{"DroppedAfterApplied", 0, 6, false, 0, true}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace

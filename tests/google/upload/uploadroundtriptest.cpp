// Upload decisions against the loopback server: people uploaded through the "Simple" contact
// starter are linked by the write-back, and the next decision run finds nothing to send.

#include "tests/support/google/uploadservertest.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/google/linkproperties.h"
#include "google/batch/batchkeys.h"
#include "google/engine/googlekeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include <gtest/gtest.h>

namespace {

class UploadRoundTripTest : public UploadServerTest,
                            public ::testing::WithParamInterface<ServiceProtocol>
{
protected:
    UploadRoundTripTest()
        : UploadServerTest(GetParam())
    {}
};

TEST_P(UploadRoundTripTest, UploadedPeople_SecondRunSendsNothing_ChangedPersonIsUpdated)
{
    const QList<PersonPtr> people = {addPerson(QStringLiteral("Ann"), QStringLiteral("Lee")),
                                     addPerson(QStringLiteral("Ann"), QStringLiteral("Moss"))};

    const BatchActionQueue first = engine->buildBatchArrayForABContactArray(people);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].action, "add");
    engine->batchSimpleABContactActions(first);
    ASSERT_TRUE(runUntil([&] {
        return flag(batchkeys::gmSimpleABContactActionsComplete) &&
               engine->contactArray().size() == 2;
    }));
    for (const PersonPtr &person : people)
        EXPECT_FALSE(person->valueForProperty(AddressBookTool::contactIDPropertyName())
                         .toString()
                         .isEmpty());

    EXPECT_TRUE(engine->buildBatchArrayForABContactArray(people).empty());

    // The write-back did not touch the records, so an edit half a second later is a change.
    waitBeforeEditing(people[1]);
    people[1]->setValueForProperty(QStringLiteral("Mossley"), kABLastNameProperty);
    const BatchActionQueue changed = engine->buildBatchArrayForABContactArray(people);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].action, "update");
    EXPECT_EQ(changed[0].abObj, people[1]);
}

INSTANTIATE_TEST_SUITE_P(Protocols, UploadRoundTripTest, ::testing::ValuesIn(kServiceProtocols),
                         [](const auto &info) { return protocolName(info.param); });

} // namespace

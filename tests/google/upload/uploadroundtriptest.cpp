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
#include "foundation/keychain/emkeychainproxy.h"
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

// An account that goes over from Atom to People changes every identifier: the stored links
// name no contact, and the lookups link the records again by the program's property, so the
// account still holds each person once.
class ProtocolSwitchTest : public UploadServerTest
{
protected:
    ProtocolSwitchTest()
        : UploadServerTest(ServiceProtocol::People)
    {}

    int liveContacts()
    {
        int live = 0;
        for (const GDataEntryPtr &entry : serverEntries(GDataEntryBase::Kind::Contact))
            live += entry->isDeleted() ? 0 : 1;
        return live;
    }
    bool runActions(OfferingEngine &on, const BatchActionQueue &queue)
    {
        UserDefaults::standard().setBool(false, batchkeys::gmSimpleABContactActionsComplete);
        on.batchSimpleABContactActions(queue);
        return runUntil([] { return flag(batchkeys::gmSimpleABContactActionsComplete); });
    }
};

TEST_F(ProtocolSwitchTest, AnAccountSwitchedFromAtomToPeopleIsLinkedAgainWithoutADuplicate)
{
    UserDefaults &ud = UserDefaults::standard();
    const std::unique_ptr<EMGenericKeychainItem> item =
        EMKeychainProxy::sharedProxy().genericKeychainItemForService(keychainService, kUser);
    ASSERT_TRUE(item);
    const QString peopleCredential = item->password();

    // First on Atom, with the password.
    ud.setString(QStringLiteral("atom"), googlekeys::googleServiceProtocol);
    ASSERT_TRUE(item->setPassword(kPassword));
    std::unique_ptr<OfferingEngine> atom = makeEngine();
    atom->setDataDelegate(&queueData);
    ASSERT_TRUE(logIn(*atom));
    const QList<PersonPtr> people = {addPerson(QStringLiteral("Cleo"), QStringLiteral("Vance")),
                                     addPerson(QStringLiteral("Dev"), QStringLiteral("Okoro"))};
    ASSERT_TRUE(runActions(*atom, atom->buildBatchArrayForABContactArray(people)));
    ASSERT_EQ(liveContacts(), 2);
    const QString atomLink =
        people[0]->valueForProperty(AddressBookTool::contactIDPropertyName()).toString();
    ASSERT_TRUE(atomLink.contains(QLatin1String("/m8/feeds/"))) << atomLink.toStdString();

    // Then on People, signed in with its credential.
    ud.setString(QStringLiteral("people"), googlekeys::googleServiceProtocol);
    ASSERT_TRUE(item->setPassword(peopleCredential));
    std::unique_ptr<OfferingEngine> people2 = makeEngine();
    people2->setDataDelegate(&queueData);
    ASSERT_TRUE(logIn(*people2));
    ASSERT_TRUE(runUntil([&] { return people2->contactArray().size() == 2; }));
    server.clearRequestLog();
    // Found again by the program's property: nothing to add, nothing to change.
    EXPECT_TRUE(people2->buildBatchArrayForABContactArray(people).empty());
    EXPECT_TRUE(writeRequests().isEmpty()) << writeRequests().join(", ").toStdString();
    EXPECT_EQ(liveContacts(), 2);

    // A change made after the switch goes as an update of the same contact.
    waitBeforeEditing(people[1]);
    people[1]->setValueForProperty(QStringLiteral("Okoro-Lind"), kABLastNameProperty);
    const BatchActionQueue changed = people2->buildBatchArrayForABContactArray(people);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].action, "update");
    ASSERT_TRUE(runActions(*people2, changed));
    EXPECT_EQ(liveContacts(), 2);
    QStringList titles;
    for (const GDataEntryPtr &entry : serverEntries(GDataEntryBase::Kind::Contact))
        titles << entry->title().value_or(QString());
    EXPECT_TRUE(titles.contains(QStringLiteral("Dev Okoro-Lind"))) << titles.join(", ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(Protocols, UploadRoundTripTest, ::testing::ValuesIn(kServiceProtocols),
                         [](const auto &info) { return protocolName(info.param); });

} // namespace

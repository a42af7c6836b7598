// Upload decisions against the loopback server: people uploaded through the "Simple" contact
// starter are linked by the write-back, and the next decision run finds nothing to send.

#include "tests/google/engineservertest.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/linkproperties.h"
#include "google/batchkeys.h"
#include "google/googlekeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include <QThread>

#include <gtest/gtest.h>

namespace {

class UploadRoundTripTest : public EngineServerTest
{
protected:
    void SetUp() override
    {
        EngineServerTest::SetUp();
        storePassword(kPassword);
        UserDefaults &ud = UserDefaults::standard();
        const std::pair<QString, QString> names[] = {
            {abkeys::googleContactIDPropertyName, "com.test.googleID"},
            {abkeys::googleContactVersionPropertyName, "com.test.googleVersion"},
            {abkeys::googleContactAsOfDatePropertyName, "com.test.googleAsOf"},
            {abkeys::googleContactDataMaskPropertyName, "com.test.googleMask"},
            {abkeys::googleGroupIDPropertyName, "com.test.groupGoogleID"},
            {abkeys::googleGroupVersionPropertyName, "com.test.groupVersion"},
            {abkeys::googleGroupAsOfDatePropertyName, "com.test.groupAsOf"},
            {abkeys::googleGroupDataMaskPropertyName, "com.test.groupMask"},
            {abkeys::googleContactExtendedPropertyName, "tolvaneContact"},
            {abkeys::googleGroupExtendedPropertyName, "tolvaneGroup"}};
        for (const auto &[key, value] : names)
            ud.setString(value, key);
        ASSERT_TRUE(AddressBookTool::addTolvaneContactProperties());
        ASSERT_TRUE(AddressBookTool::addTolvaneGroupProperties());
        for (const QString &key : {abkeys::gmUpdatePeople, abkeys::gmUpdateCompanies,
                                   googlekeys::gmUpdateName, googlekeys::gmUpdateMemberships})
            ud.setBool(true, key);
    }
};

TEST_F(UploadRoundTripTest, UploadedPeople_SecondRunSendsNothing_ChangedPersonIsUpdated)
{
    QList<PersonPtr> people;
    for (const char *last : {"Lee", "Moss"}) {
        const PersonPtr person = Person::create();
        person->setValueForProperty(QStringLiteral("Ann"), kABFirstNameProperty);
        person->setValueForProperty(QString::fromLatin1(last), kABLastNameProperty);
        AddressBook::shared()->addRecord(person);
        people.append(person);
    }
    const auto engine = makeEngine();
    ASSERT_TRUE(logIn(*engine));

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

    // A change a moment after the write-back could not be told from the write-back's own touch.
    QThread::msleep(2100);
    people[1]->setValueForProperty(QStringLiteral("Mossley"), kABLastNameProperty);
    const BatchActionQueue changed = engine->buildBatchArrayForABContactArray(people);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].action, "update");
    EXPECT_EQ(changed[0].abObj, people[1]);
}

} // namespace

#include "addressbookfixture.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"

#include <QSignalSpy>

// Two programs that each loaded the book change the same records and save one after the other,
// neither having read the other's change yet.
class ConcurrentSaveTest : public AddressBookFixture
{
protected:
    void SetUp() override
    {
        auto book = openBook(1, QStringLiteral("setup"));
        const PersonPtr ann = Person::create();
        ann->setValueForProperty(QStringLiteral("Ann"), kABFirstNameProperty);
        ann->setValueForProperty(QStringLiteral("Lee"), kABLastNameProperty);
        book->addRecord(ann);
        const GroupPtr friends = Group::create();
        friends->setValueForProperty(QStringLiteral("Friends"), kABGroupNameProperty);
        book->addRecord(friends);
        for (const char *name : {"Bob", "Cy"}) {
            const PersonPtr person = Person::create();
            person->setValueForProperty(QString::fromLatin1(name), kABFirstNameProperty);
            book->addRecord(person);
            m_others.append(person->uniqueId());
        }
        ASSERT_TRUE(book->save());
        m_ann = ann->uniqueId();
        m_friends = friends->uniqueId();
        m_main = openBook(100, QStringLiteral("Tolvane"));
        m_agent = openBook(200, QStringLiteral("agent"));
    }

    QString m_ann;
    QString m_friends;
    QStringList m_others;
    std::unique_ptr<AddressBook> m_main;
    std::unique_ptr<AddressBook> m_agent;
};

TEST_F(ConcurrentSaveTest, ChangesToDifferentPropertiesBothStand)
{
    m_main->personForUniqueId(m_ann)->setValueForProperty(QStringLiteral("Anna"),
                                                          kABFirstNameProperty);
    m_agent->personForUniqueId(m_ann)->setValueForProperty(QStringLiteral("Lee-Smith"),
                                                           kABLastNameProperty);
    ASSERT_TRUE(m_main->save());
    ASSERT_TRUE(m_agent->save());

    // The later writer holds both at once, and so does the book on disk.
    EXPECT_EQ(m_agent->personForUniqueId(m_ann)->valueForProperty(kABFirstNameProperty),
              QVariant(QStringLiteral("Anna")));
    auto reopened = openBook(300);
    const PersonPtr ann = reopened->personForUniqueId(m_ann);
    EXPECT_EQ(ann->valueForProperty(kABFirstNameProperty), QVariant(QStringLiteral("Anna")));
    EXPECT_EQ(ann->valueForProperty(kABLastNameProperty), QVariant(QStringLiteral("Lee-Smith")));
}

TEST_F(ConcurrentSaveTest, TheSamePropertyChangedInBothKeepsTheLaterSave)
{
    m_main->personForUniqueId(m_ann)->setValueForProperty(QStringLiteral("First"), kABNoteProperty);
    m_agent->personForUniqueId(m_ann)->setValueForProperty(QStringLiteral("Second"),
                                                           kABNoteProperty);
    ASSERT_TRUE(m_main->save());
    ASSERT_TRUE(m_agent->save());
    auto reopened = openBook(300);
    EXPECT_EQ(reopened->personForUniqueId(m_ann)->valueForProperty(kABNoteProperty),
              QVariant(QStringLiteral("Second")));
}

TEST_F(ConcurrentSaveTest, MembersAddedAndRemovedByEachProgramAllStand)
{
    ASSERT_TRUE(
        m_main->groupForUniqueId(m_friends)->addMember(m_main->personForUniqueId(m_others.at(0))));
    ASSERT_TRUE(m_agent->groupForUniqueId(m_friends)->addMember(
        m_agent->personForUniqueId(m_others.at(1))));
    ASSERT_TRUE(m_agent->groupForUniqueId(m_friends)->addMember(m_agent->personForUniqueId(m_ann)));
    ASSERT_TRUE(m_main->save());
    ASSERT_TRUE(m_agent->save());
    ASSERT_TRUE(m_main->groupForUniqueId(m_friends)->removeMember(
        m_main->personForUniqueId(m_others.at(0))));
    ASSERT_TRUE(m_main->save());

    auto reopened = openBook(300);
    QStringList members;
    for (const PersonPtr &member : reopened->groupForUniqueId(m_friends)->members())
        members.append(member->uniqueId());
    EXPECT_EQ(members, (QStringList{m_others.at(1), m_ann}));
}

// The other program's save was read in while this one had unsaved changes to the same records:
// those records are not read again, so the save here must still merge with what is stored.
TEST_F(ConcurrentSaveTest, ChangesReadInWhileUnsavedHereAllStand)
{
    m_main->personForUniqueId(m_ann)->setValueForProperty(QStringLiteral("Anna"),
                                                          kABFirstNameProperty);
    ASSERT_TRUE(
        m_main->groupForUniqueId(m_friends)->addMember(m_main->personForUniqueId(m_others.at(0))));
    m_agent->personForUniqueId(m_ann)->setValueForProperty(QStringLiteral("Lee-Smith"),
                                                           kABLastNameProperty);
    ASSERT_TRUE(m_agent->groupForUniqueId(m_friends)->addMember(
        m_agent->personForUniqueId(m_others.at(1))));
    ASSERT_TRUE(m_agent->save());
    m_main->checkForExternalChanges();
    ASSERT_TRUE(m_main->save());

    auto reopened = openBook(300);
    const PersonPtr ann = reopened->personForUniqueId(m_ann);
    EXPECT_EQ(ann->valueForProperty(kABFirstNameProperty), QVariant(QStringLiteral("Anna")));
    EXPECT_EQ(ann->valueForProperty(kABLastNameProperty), QVariant(QStringLiteral("Lee-Smith")));
    QStringList members;
    for (const PersonPtr &member : reopened->groupForUniqueId(m_friends)->members())
        members.append(member->uniqueId());
    EXPECT_EQ(members, (QStringList{m_others.at(1), m_others.at(0)}));
}

// A save made before this program read the other's in leaves that change to be read in still,
// and saves after it build on it.
TEST_F(ConcurrentSaveTest, SavesAroundTheOthersSaveMissNothingOfIt)
{
    m_agent->personForUniqueId(m_ann)->setValueForProperty(QStringLiteral("Lee-Smith"),
                                                           kABLastNameProperty);
    ASSERT_TRUE(m_agent->save());
    m_main->personForUniqueId(m_others.at(0))
        ->setValueForProperty(QStringLiteral("Bobby"), kABFirstNameProperty);
    ASSERT_TRUE(m_main->save());
    QSignalSpy external(m_main.get(), &AddressBook::databaseChangedExternally);
    m_main->checkForExternalChanges();
    ASSERT_EQ(external.size(), 1);
    const PersonPtr ann = m_main->personForUniqueId(m_ann);
    EXPECT_EQ(ann->valueForProperty(kABLastNameProperty), QVariant(QStringLiteral("Lee-Smith")));

    for (const char *note : {"first", "second"}) {
        ann->setValueForProperty(QString::fromLatin1(note), kABNoteProperty);
        ASSERT_TRUE(m_main->save());
    }
    m_main->checkForExternalChanges();
    EXPECT_EQ(external.size(), 1) << "this program's own saves are no external change";
    auto reopened = openBook(300);
    const PersonPtr stored = reopened->personForUniqueId(m_ann);
    EXPECT_EQ(stored->valueForProperty(kABLastNameProperty), QVariant(QStringLiteral("Lee-Smith")));
    EXPECT_EQ(stored->valueForProperty(kABNoteProperty), QVariant(QStringLiteral("second")));
    EXPECT_EQ(reopened->personForUniqueId(m_others.at(0))->valueForProperty(kABFirstNameProperty),
              QVariant(QStringLiteral("Bobby")));
}

#include "tests/support/google/abpersontestbook.h"

#include "addressbook/addressbookkeys.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/listkeys.h"
#include "google/push/googleabautoupdate.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/searchelement.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

namespace {

class PushIndexesTest : public ABPersonTest
{
protected:
    GoogleContactTool tool{GoogleContactTool::Role::Agent};
    GoogleABAutoUpdate push;
};

const ABIndexRow *rowOf(const QList<ABIndexRow> &rows, const QString &abid)
{
    for (const ABIndexRow &row : rows)
        if (row.abid == abid)
            return &row;
    return nullptr;
}

TEST_F(PushIndexesTest, GoogleIndex_GroupsThenContactsAndTheCountOfContactsWithoutTitle)
{
    const auto group = GDataEntryContactGroup::contactGroupEntryWithTitle(QStringLiteral("Team"));
    group->setIdentifier(QStringLiteral("http://g/1"));
    const auto named = GDataEntryContact::contactEntryWithTitle(QStringLiteral("Ann Lee"));
    named->setIdentifier(QStringLiteral("http://c/1"));
    const auto untitled = GDataEntryContact::contactEntryWithTitle(std::nullopt);
    untitled->setIdentifier(QStringLiteral("http://c/2"));
    tool.lists().setGroups({group});
    tool.lists().setContacts({named, untitled});
    push.setGoogleTool(&tool);

    push.setGAllIDs();
    ASSERT_EQ(push.gAllIDs().size(), 3u);
    EXPECT_TRUE(push.gAllIDs()[0].isGroup);
    EXPECT_EQ(push.gAllIDs()[0].gid, QStringLiteral("http://g/1"));
    EXPECT_TRUE(push.gAllIDs()[1].isPerson);
    EXPECT_EQ(push.gAllIDs()[1].name, QStringLiteral("Ann Lee"));
    EXPECT_EQ(push.gAllIDs()[2].gid, QStringLiteral("http://c/2"));
    EXPECT_EQ(UserDefaults::standard().integerForKey(listkeys::googleEmailOnlyCount), 1);
}

TEST_F(PushIndexesTest, AddressBookIndex_RowsLinksParentsAndSmartGroups)
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setBool(true, abkeys::gmUpdatePeople);
    defaults.setBool(true, abkeys::gmUpdateCompanies);
    const PersonPtr ann = addPerson(QStringLiteral("Ann"), QStringLiteral("Lee"));
    const PersonPtr bob = addPerson(QStringLiteral("Bob"), QStringLiteral("Lee"));
    ann->setValueForProperty(QStringLiteral("http://c/ann"), kContactIDProperty);
    const GroupPtr outer = addGroup(QStringLiteral("Outer"));
    const GroupPtr inner = addGroup(QStringLiteral("Inner"));
    outer->addSubgroup(inner);
    inner->addMember(ann);
    const GroupPtr lees = Group::createSmartGroup(
        SearchElement::forProperty(RecordClass::Person, kABLastNameProperty, {}, {},
                                   QStringLiteral("Lee"), SearchElement::Comparison::Equal));
    lees->setValueForProperty(QStringLiteral("Lees"), kABGroupNameProperty);
    lees->setValueForProperty(QStringLiteral("http://g/lees"), kGroupIDProperty);
    AddressBook::shared()->addRecord(lees);
    push.setGoogleTool(&tool);

    push.setABBackingData();
    const QList<ABIndexRow> &rows = push.abAllIDs();
    // Groups come first.
    ASSERT_FALSE(rows.isEmpty());
    EXPECT_TRUE(rows.first().isGroup);
    const ABIndexRow *annRow = rowOf(rows, ann->uniqueId());
    ASSERT_NE(annRow, nullptr);
    EXPECT_TRUE(annRow->isPerson);
    EXPECT_EQ(annRow->name, QStringLiteral("Ann Lee"));
    EXPECT_EQ(annRow->gid, QStringLiteral("http://c/ann"));
    EXPECT_EQ(annRow->dataMask, QString(""));
    EXPECT_TRUE(annRow->abModDate.isValid());
    // Up the tree: the inner group and the group that holds it.
    EXPECT_TRUE(annRow->parentGroups.contains(inner->uniqueId()));
    EXPECT_TRUE(annRow->parentGroups.contains(outer->uniqueId()));
    const ABIndexRow *innerRow = rowOf(rows, inner->uniqueId());
    ASSERT_NE(innerRow, nullptr);
    EXPECT_EQ(innerRow->parentGroups, QStringList{outer->uniqueId()});

    ASSERT_EQ(push.smartGroups().size(), 1);
    const SmartGroupRow &smart = push.smartGroups().first();
    EXPECT_EQ(smart.groupName, QStringLiteral("Lees"));
    EXPECT_EQ(smart.groupABID, lees->uniqueId());
    EXPECT_EQ(smart.groupCount, 2);
    EXPECT_FALSE(smart.doGroupSync);
    EXPECT_EQ(smart.groupGoogleID, QStringLiteral("http://g/lees"));
    EXPECT_EQ(push.monitoredSmartMembers(), (QSet<QString>{ann->uniqueId(), bob->uniqueId()}));
    EXPECT_EQ(defaults.integerForKey(abkeys::addressBookTotalGroups), 3);
}

} // namespace

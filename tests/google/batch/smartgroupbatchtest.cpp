// The smart-group membership batch against the loopback server: each smart group's members join
// its Google group, Google members it no longer holds leave, each contact goes out once with all
// its changes, and a run with nothing to change sends nothing.

#include "tests/support/google/uploadservertest.h"

#include "google/batch/batchkeys.h"
#include "google/engine/googlekeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/searchelement.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdatacontactelements.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <QMap>

#include <gtest/gtest.h>

namespace {

class SmartGroupBatchTest : public UploadServerTest
{
protected:
    static GroupPtr addSmartGroup(const QString &name, const QString &property,
                                  const QString &value)
    {
        const GroupPtr smart = Group::createSmartGroup(SearchElement::forProperty(
            RecordClass::Person, property, {}, {}, value, SearchElement::Comparison::Equal));
        smart->setValueForProperty(name, kABGroupNameProperty);
        AddressBook::shared()->addRecord(smart);
        return smart;
    }

    // The titles of the given Google groups each contact on the server belongs to, by contact
    // title.
    QMap<QString, QStringList> serverMemberships(const QMap<QString, QString> &groupTitles)
    {
        QMap<QString, QStringList> memberships;
        for (const GDataEntryPtr &entry : serverEntries(GDataEntryBase::Kind::Contact)) {
            const auto contact = std::dynamic_pointer_cast<GDataEntryContact>(entry);
            QStringList titles;
            for (const GDataGroupMembershipInfo &info : contact->groupMembershipInfos()) {
                if (groupTitles.contains(info.href))
                    titles << groupTitles.value(info.href);
            }
            titles.sort();
            memberships.insert(contact->title().value_or(QString()), titles);
        }
        return memberships;
    }

    bool batchEnded() { return flag(batchkeys::gmSmartGroupTicketComplete); }
};

TEST_F(SmartGroupBatchTest, MembersJoinLeaversGo_OneUpdatePerContact_ThenNothingToSend)
{
    const QStringList groupIDs =
        server.seedGroups(kUser, {GDataEntryContactGroup::contactGroupEntryWithTitle("Lees"),
                                  GDataEntryContactGroup::contactGroupEntryWithTitle("Anns")});
    const QMap<QString, QString> groupTitles{{groupIDs[0], "Lees"}, {groupIDs[1], "Anns"}};
    std::vector<GDataEntryPtr> contacts;
    const std::pair<QString, QStringList> seeded[] = {
        {"Ann Lee", {}}, {"Bo Lee", {groupIDs[0]}}, {"Ann Moss", {groupIDs[0]}}};
    for (const auto &[title, groups] : seeded) {
        const GDataEntryContactPtr contact = GDataEntryContact::contactEntryWithTitle(title);
        for (const QString &group : groups)
            contact->addGroupMembershipInfo(
                GDataGroupMembershipInfo::groupMembershipInfoWithHref(group));
        contacts.push_back(contact);
    }
    const QStringList contactIDs = server.seedContacts(kUser, contacts);
    for (int i = 0; i < 3; ++i) {
        const QStringList names = std::get<0>(seeded[i]).split(' ');
        addPerson(names[0], names[1])->setValueForProperty(contactIDs[i], kContactIDName);
    }
    const GroupPtr lees = addSmartGroup("Lees", kABLastNameProperty, "Lee");
    addSmartGroup("Anns", kABFirstNameProperty, "Ann");
    refetch();
    server.clearRequestLog();

    engine->buildSmartGroupActions();
    ASSERT_TRUE(runUntil([&] { return batchEnded(); }));

    // Two contacts change, each in one entry of one feed.
    ASSERT_EQ(requestsTo(QStringLiteral("/batch")).size(), 1);
    const QMap<QString, QStringList> expected{
        {"Ann Lee", {"Anns", "Lees"}}, {"Bo Lee", {"Lees"}}, {"Ann Moss", {"Anns"}}};
    EXPECT_EQ(serverMemberships(groupTitles), expected);
    // The smart group found its Google group by name and keeps the link.
    EXPECT_EQ(lees->valueForProperty(kGroupIDName).toString(), groupIDs[0]);

    refetch();
    server.clearRequestLog();
    journal.clear();
    engine->buildSmartGroupActions();
    EXPECT_TRUE(requestsTo(QStringLiteral("/batch")).isEmpty());
    EXPECT_TRUE(journal.contains(QStringLiteral("cleanup:Simple Google Update//")));
}

TEST_F(SmartGroupBatchTest, ChangesOf150Contacts_GoAsFeedsOf100And50)
{
    const QStringList groupIDs =
        server.seedGroups(kUser, {GDataEntryContactGroup::contactGroupEntryWithTitle("Lees")});
    std::vector<GDataEntryPtr> contacts;
    for (int i = 0; i < 150; ++i)
        contacts.push_back(GDataEntryContact::contactEntryWithTitle(QStringLiteral("P%1").arg(i)));
    const QStringList contactIDs = server.seedContacts(kUser, contacts);
    for (int i = 0; i < 150; ++i)
        addPerson(QStringLiteral("P%1").arg(i), "Lee")
            ->setValueForProperty(contactIDs[i], kContactIDName);
    addSmartGroup("Lees", kABLastNameProperty, "Lee");
    refetch();
    server.clearRequestLog();

    engine->buildSmartGroupActions();
    ASSERT_TRUE(runUntil([&] { return batchEnded(); }));

    EXPECT_EQ(requestsTo(QStringLiteral("/batch")).size(), 2);
    const QMap<QString, QStringList> memberships = serverMemberships({{groupIDs[0], "Lees"}});
    EXPECT_EQ(memberships.size(), 150);
    for (const QStringList &groups : memberships)
        EXPECT_EQ(groups, QStringList{"Lees"});
}

TEST_F(SmartGroupBatchTest, FailedTicket_EndsTheSendAndIsReported)
{
    const QStringList groupIDs =
        server.seedGroups(kUser, {GDataEntryContactGroup::contactGroupEntryWithTitle("Lees")});
    const QStringList contactIDs =
        server.seedContacts(kUser, {GDataEntryContact::contactEntryWithTitle("Ann Lee")});
    addPerson("Ann", "Lee")->setValueForProperty(contactIDs[0], kContactIDName);
    addSmartGroup("Lees", kABLastNameProperty, "Lee");
    refetch();
    server.injectFault(QStringLiteral("/batch"), 503);
    UserDefaults::standard().setBool(false, googlekeys::gmRefetchAllContactsComplete);

    engine->buildSmartGroupActions();

    ASSERT_TRUE(
        runUntil([&] { return batchEnded() && flag(googlekeys::gmRefetchAllContactsComplete); }));
    EXPECT_TRUE(journal.contains(QStringLiteral("cleanup:Update Smart Group Memberships//503")));
    // The list shows what Google holds, so the next run sends the membership again.
    ASSERT_EQ(engine->contactArray().size(), 1u);
    for (const GDataGroupMembershipInfo &info :
         engine->contactArray().front()->groupMembershipInfos())
        EXPECT_NE(info.href, groupIDs[0]);
    server.clearRequestLog();
    engine->buildSmartGroupActions();
    EXPECT_TRUE(runUntil([&] { return !requestsTo(QStringLiteral("/batch")).isEmpty(); }));
}

} // namespace

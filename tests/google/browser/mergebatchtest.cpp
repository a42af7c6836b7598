// The merge and the bulk update against the loopback server: the master's update goes first and
// alone, the donors are deleted only after Google took it, in feeds of at most 100, and the photo
// follows the update; a bulk update sends only the contacts that changed.

#include "tests/support/google/testpicture.h"
#include "tests/support/google/uploadservertest.h"

#include "google/browser/browserdictionary.h"
#include "google/browser/bulkupdatekeys.h"
#include "google/browser/mergetexts.h"
#include "google/edits/edittexts.h"
#include "google/entries/contactaccessors.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <QJsonObject>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

GDataEntryContactPtr contact(const QString &title, const QStringList &emails,
                             const QStringList &phones = {})
{
    const GDataEntryContactPtr entry = GDataEntryContact::contactEntryWithTitle(title);
    std::vector<GDataEmail> list;
    for (const QString &email : emails)
        list.push_back(GDataEmail{email, QStringLiteral("http://schemas.google.com/g/2005#home"),
                                  std::nullopt, list.empty()});
    entry->setEmailAddresses(list);
    std::vector<GDataPhoneNumber> numbers;
    for (const QString &phone : phones)
        numbers.push_back(GDataPhoneNumber::phoneNumberWithString(phone));
    entry->setPhoneNumbers(numbers);
    return entry;
}

class MergeBatchTest : public UploadServerTest
{
protected:
    QStringList seed(const std::vector<GDataEntryPtr> &contacts)
    {
        const QStringList ids = server.seedContacts(kUser, contacts);
        refetch();
        server.clearRequestLog();
        return ids;
    }

    // The browser rows of the listed contacts, in list order.
    QList<QVariantMap> rows()
    {
        QList<QVariantMap> list;
        for (const GDataEntryContactPtr &entry : engine->contactArray())
            list << tolvane::tolvaneBrowserDictionary(*entry);
        return list;
    }

    std::vector<GDataEntryContactPtr> liveContacts()
    {
        std::vector<GDataEntryContactPtr> live;
        for (const GDataEntryPtr &entry : serverEntries(GDataEntryBase::Kind::Contact)) {
            if (!entry->isDeleted())
                live.push_back(std::dynamic_pointer_cast<GDataEntryContact>(entry));
        }
        return live;
    }

    // The batch requests, each as its operations in order ("update", "delete").
    QList<QStringList> batches()
    {
        static const QRegularExpression operation(
            QStringLiteral("operation\\s+type=['\"](\\w+)['\"]"));
        QList<QStringList> list;
        for (const QJsonValue &value : server.requestLog()) {
            const QJsonObject request = value.toObject();
            if (!request.value("url").toString().contains(QLatin1String("/batch")))
                continue;
            QStringList operations;
            auto it = operation.globalMatch(request.value("body").toString());
            while (it.hasNext())
                operations << it.next().captured(1);
            list << operations;
        }
        return list;
    }

    static void setMergeOptions(bool info, bool groups, bool picture)
    {
        UserDefaults &ud = UserDefaults::standard();
        ud.setBool(info, bulkupdatekeys::includeMergeInfo);
        ud.setBool(groups, bulkupdatekeys::includeMergeGroups);
        ud.setBool(picture, bulkupdatekeys::includeMergePicture);
    }
};

TEST_F(MergeBatchTest, ThreeIntoMaster_UnionOnGoogle_DonorsDeletedAfterTheUpdate)
{
    const QString friends = server.seedGroups(
        kUser, {GDataEntryContactGroup::contactGroupEntryWithTitle("Friends")})[0];
    const GDataEntryContactPtr bo = contact("Bo", {"bo@x.org", "ann@x.org"}, {"555 2"});
    bo->addGroupMembershipInfo(GDataGroupMembershipInfo::groupMembershipInfoWithHref(friends));
    bo->setContentWithString(QStringLiteral("Likes tea"));
    const QStringList ids = seed({contact("Ann", {"ann@x.org"}, {"555 1"}), bo,
                                  contact("Cy", {"cy@x.org"}), contact("Di", {}, {"555 1"})});
    setMergeOptions(true, true, false);

    engine->batchMergeArray(rows(), ids[0]);

    ASSERT_TRUE(runUntil([&] { return liveContacts().size() == 1u; }));
    const GDataEntryContactPtr master = liveContacts().front();
    EXPECT_EQ(master->identifier(), ids[0]);
    QStringList emails;
    for (const GDataEmail &email : master->emailAddresses())
        emails << email.address;
    EXPECT_EQ(emails, (QStringList{"ann@x.org", "bo@x.org", "cy@x.org"}));
    EXPECT_EQ(master->phoneNumbers().size(), 2u);
    const auto &memberships = master->groupMembershipInfos();
    EXPECT_TRUE(std::any_of(memberships.begin(), memberships.end(),
                            [&](const GDataGroupMembershipInfo &m) { return m.href == friends; }));
    // XML reads a carriage return as a line feed.
    const QString notes = master->content().value_or(QString());
    EXPECT_TRUE(notes.contains(QLatin1String("Notes: Likes tea"))) << notes.toStdString();
    EXPECT_TRUE(notes.contains(QLatin1String("Groups: Friends")));
    EXPECT_TRUE(notes.contains(QLatin1String("Email: bo@x.org")));
    // The update went alone and first; the deletes followed its answer.
    EXPECT_EQ(batches(), (QList<QStringList>{{"update"}, {"delete", "delete", "delete"}}));
}

TEST_F(MergeBatchTest, RefusedMasterUpdate_LeavesTheDonors)
{
    const QStringList ids = seed({contact("Ann", {"ann@x.org"}), contact("Bo", {"bo@x.org"})});
    setMergeOptions(true, false, false);
    server.injectFault(QStringLiteral("/batch"), 412);

    engine->batchMergeArray(rows(), ids[0]);

    ASSERT_TRUE(runUntil([&] { return promptMessages().contains(edittexts::failedTitle); }));
    runUntil([] { return false; }, 500);
    EXPECT_EQ(batches().size(), 1);
    EXPECT_EQ(liveContacts().size(), 2u);
}

TEST_F(MergeBatchTest, MasterNotAmongTheRows_SendsNothingAndTellsTheUser)
{
    const QStringList ids = seed({contact("Ann", {"ann@x.org"}), contact("Bo", {"bo@x.org"})});
    QList<QVariantMap> selection = rows();
    selection.removeFirst();

    engine->batchMergeArray(selection, ids[0]);
    engine->batchMergeArray(rows(), QStringLiteral("http://nowhere/contact"));

    EXPECT_EQ(promptMessages(),
              (QStringList{mergetexts::noMasterTitle, mergetexts::noMasterTitle}));
    runUntil([] { return false; }, 300);
    EXPECT_TRUE(batches().isEmpty());
    EXPECT_EQ(liveContacts().size(), 2u);
}

TEST_F(MergeBatchTest, HundredFiftyDonors_DeletedInFeedsOf100_AndThePhotoUploaded)
{
    std::vector<GDataEntryPtr> contacts{contact("Master", {"m@x.org"})};
    for (int i = 0; i < 150; ++i)
        contacts.push_back(
            contact(QStringLiteral("D%1").arg(i), {QStringLiteral("d%1@x.org").arg(i)}));
    const QStringList ids = server.seedContacts(kUser, contacts);
    server.setPhoto(kUser, ids[5], testpicture::encoded(Qt::red, "JPEG"));
    refetch();
    server.clearRequestLog();
    setMergeOptions(false, false, true);

    engine->batchMergeArray(rows(), ids[0]);

    ASSERT_TRUE(runUntil([&] { return liveContacts().size() == 1u; }));
    ASSERT_TRUE(runUntil([&] { return tolvane::tolvaneHasImage(*liveContacts().front()); }));
    EXPECT_EQ(liveContacts().front()->emailAddresses().size(), 151u);
    QList<int> deleteSizes;
    const QList<QStringList> sent = batches();
    ASSERT_FALSE(sent.isEmpty());
    EXPECT_EQ(sent.first(), QStringList{"update"});
    for (const QStringList &batch : sent.mid(1))
        deleteSizes << int(batch.size());
    std::sort(deleteSizes.begin(), deleteSizes.end());
    EXPECT_EQ(deleteSizes, (QList<int>{50, 100}));
    // The photo goes to the master once Google took the update, beside the donors' deletes.
    QStringList order;
    for (const QJsonValue &value : server.requestLog()) {
        const QJsonObject request = value.toObject();
        const QString url = request.value("url").toString();
        if (url.contains(QLatin1String("/photos/")) && request.value("method") == "PUT")
            order << (url.contains(ids[0].section(u'/', -1)) ? "master photo" : "other photo");
        else if (url.contains(QLatin1String("/batch")))
            order << (request.value("body").toString().contains("type='delete'") ||
                              request.value("body").toString().contains("type=\"delete\"")
                          ? "delete"
                          : "update");
    }
    ASSERT_FALSE(order.isEmpty());
    EXPECT_EQ(order.first(), "update");
    EXPECT_EQ(order.count("master photo"), 1);
    EXPECT_EQ(order.count("other photo"), 0);
    EXPECT_EQ(order.count("delete"), 2);
}

TEST_F(MergeBatchTest, BulkUpdate_SendsOnlyTheChanged_InFeedsOf100)
{
    std::vector<GDataEntryPtr> contacts;
    for (int i = 0; i < 149; ++i)
        contacts.push_back(contact(QStringLiteral("Old %1").arg(i), {}));
    contacts.push_back(contact(QStringLiteral("Keep"), {}));
    seed(contacts);
    UserDefaults &ud = UserDefaults::standard();
    ud.setInteger(0, bulkupdatekeys::bulkFieldTag);
    ud.setString(QStringLiteral("Old"), bulkupdatekeys::bulkFindString);
    ud.setString(QStringLiteral("New"), bulkupdatekeys::bulkReplaceString);

    engine->batchBulkUpdateContacts(rows());

    ASSERT_TRUE(runUntil([&] {
        const auto live = liveContacts();
        return std::count_if(live.begin(), live.end(), [](const GDataEntryContactPtr &c) {
                   return c->title().value_or(QString()).startsWith(QLatin1String("New "));
               }) == 149;
    }));
    QList<int> sizes;
    for (const QStringList &batch : batches())
        sizes << int(batch.size());
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (QList<int>{49, 100}));

    // A tag outside the fields changes nothing and sends nothing.
    server.clearRequestLog();
    ud.setInteger(7, bulkupdatekeys::bulkFieldTag);
    engine->batchBulkUpdateContacts(rows());
    runUntil([] { return false; }, 300);
    EXPECT_TRUE(batches().isEmpty());
}

} // namespace

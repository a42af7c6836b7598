// The vCard import jobs against the loopback server: cards become new or updated contacts with
// their target memberships, in feeds of at most 100; a job ends once every feed has answered,
// shows what failed and runs its follow-up; each job uploads its own photos after the refetch.

#include "tests/support/google/testpicture.h"
#include "tests/support/google/uploadservertest.h"

#include "google/batch/batchkeys.h"
#include "google/engine/googlekeys.h"
#include "google/engine/listkeys.h"
#include "google/entries/contactaccessors.h"
#include "google/lookups/grouplookups.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <QJsonObject>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

QByteArray card(const QString &first, const QString &last, const QString &email,
                const QByteArray &photo = {})
{
    QByteArray text = QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:%2;%1;;;\r\nFN:%1 %2\r\n"
                                     "EMAIL;type=INTERNET;type=HOME:%3\r\n")
                          .arg(first, last, email)
                          .toUtf8();
    if (!photo.isEmpty())
        text += "PHOTO;ENCODING=b;TYPE=JPEG:" + photo.toBase64() + "\r\n";
    return text + "END:VCARD\r\n";
}

QList<QByteArray> cards(int count, const QString &prefix)
{
    QList<QByteArray> list;
    for (int i = 0; i < count; ++i)
        list << card(QStringLiteral("Ann"), prefix + QString::number(i),
                     QStringLiteral("%1%2@example.org").arg(prefix).arg(i));
    return list;
}

class VCardImportJobsTest : public UploadServerTest
{
protected:
    void SetUp() override
    {
        UploadServerTest::SetUp();
        UserDefaults::standard().setBool(true, googlekeys::gmUpdateEmail);
        // The pseudo groups' titles, as the factory values give them.
        const std::pair<QString, QString> pseudo[] = {
            {listkeys::systemGroupRecent, "Recent"},
            {listkeys::systemGroupNoGroup, "No Group"},
            {listkeys::systemGroupEmailOnly, "Email Only"},
            {listkeys::systemGroupCompany, "Companies"},
            {listkeys::systemGroupMale, "Male"},
            {listkeys::systemGroupFemale, "Female"},
            {listkeys::systemGroupNoGender, "No Gender"}};
        for (const auto &[key, title] : pseudo)
            UserDefaults::standard().setString(title, key);
    }

    QStringList seedGroups(const QStringList &titles)
    {
        std::vector<GDataEntryPtr> groups;
        for (const QString &title : titles)
            groups.push_back(GDataEntryContactGroup::contactGroupEntryWithTitle(title));
        const QStringList ids = server.seedGroups(kUser, groups);
        refetch();
        return ids;
    }

    static bool jobEnded() { return flag(batchkeys::gmAdvancedABContactActionsComplete); }

    // Waits for the job and for the contacts it fetched again.
    bool waitForJob()
    {
        return runUntil([&] { return jobEnded() && !engine->vCardFlag(); });
    }

    // The live contacts on the server, by e-mail address.
    std::map<QString, GDataEntryContactPtr> serverContacts()
    {
        std::map<QString, GDataEntryContactPtr> contacts;
        for (const GDataEntryPtr &entry : serverEntries(GDataEntryBase::Kind::Contact)) {
            const auto contact = std::dynamic_pointer_cast<GDataEntryContact>(entry);
            if (contact && !contact->isDeleted() && !contact->emailAddresses().empty())
                contacts[contact->emailAddresses().front().address] = contact;
        }
        return contacts;
    }

    // Memberships other than My Contacts, as hrefs (a repeated one shows twice).
    QStringList groupLinks(const GDataEntryContact &contact)
    {
        const QString myContacts = grouplookups::myContactsID(engine->lists());
        QStringList links;
        for (const GDataGroupMembershipInfo &info : contact.groupMembershipInfos()) {
            if (!info.deleted && info.href != myContacts)
                links << info.href;
        }
        links.sort();
        return links;
    }

    // The number of entries of each batch request, smallest first: feeds go out side by side.
    QList<int> batchSizes()
    {
        static const QRegularExpression entry(QStringLiteral("<(\\w+:)?entry[\\s>]"));
        QList<int> sizes;
        for (const QJsonValue &value : server.requestLog()) {
            const QJsonObject request = value.toObject();
            if (request.value("url").toString().contains(QLatin1String("/batch")))
                sizes << int(request.value("body").toString().count(entry));
        }
        std::sort(sizes.begin(), sizes.end());
        return sizes;
    }
};

TEST_F(VCardImportJobsTest, Cards250ToOneGroup_GoAs100_100_50_ThenWaiting)
{
    const QString friends = seedGroups({"Friends"})[0];
    server.clearRequestLog();

    engine->addVCardArrayToGroupWithID(cards(250, "Lee"), friends, QString(), QString());

    EXPECT_EQ(engine->progressMessage(), QStringLiteral("Waiting for Google response... "));
    ASSERT_TRUE(waitForJob());
    EXPECT_EQ(batchSizes(), (QList<int>{50, 100, 100}));
    const auto contacts = serverContacts();
    ASSERT_EQ(contacts.size(), 250u);
    for (const auto &[email, contact] : contacts)
        EXPECT_EQ(groupLinks(*contact), QStringList{friends}) << email.toStdString();
    EXPECT_FALSE(journal.join('\n').contains(QLatin1String("cleanup:")));
}

TEST_F(VCardImportJobsTest, ExistingContact_IsUpdatedWithoutADuplicateMembership)
{
    const QStringList groups = seedGroups({"Friends", "Work"});
    const GDataEntryContactPtr seeded = GDataEntryContact::contactEntryWithTitle("Ann Lee");
    seeded->setEmailAddresses({GDataEmail{
        "ann@example.org", "http://schemas.google.com/g/2005#home", std::nullopt, true}});
    seeded->addGroupMembershipInfo(
        GDataGroupMembershipInfo::groupMembershipInfoWithHref(groups[0]));
    server.seedContacts(kUser, {seeded});
    refetch();

    UserDefaults::standard().setBool(false, googlekeys::gmRefetchAllContactsComplete);
    engine->addVCardArrayToGroupWithID({card("Ann", "Lee", "ann@example.org")}, groups[0],
                                       QString(), QStringLiteral("refetchAllContacts"));
    ASSERT_TRUE(waitForJob());
    ASSERT_TRUE(runUntil([&] { return flag(googlekeys::gmRefetchAllContactsComplete); }));
    engine->addVCardArrayToGroups({card("Ann", "Lee", "ann@example.org")},
                                  {grouplookups::groupForID(engine->lists(), groups[0]),
                                   grouplookups::groupForID(engine->lists(), groups[1])},
                                  QString(), QString());
    ASSERT_TRUE(waitForJob());

    const auto contacts = serverContacts();
    ASSERT_EQ(contacts.size(), 1u);
    QStringList expected = groups;
    expected.sort();
    EXPECT_EQ(groupLinks(*contacts.at("ann@example.org")), expected);
}

// A pseudo group's title, and the pseudo names of no group, never become a membership link.
TEST_F(VCardImportJobsTest, PseudoGroupTargets_ImportWithoutAnyMembership)
{
    seedGroups({"Friends"});
    const QString targets[] = {"NoGroup", "All",    "Email Only", "Recent",   "No Group",
                               "Male",    "Female", "Companies",  "No Gender"};
    int i = 0;
    for (const QString &target : targets) {
        const QString email = QStringLiteral("p%1@example.org").arg(i++);
        engine->addVCardArrayToGroupWithID({card("Pat", QString::number(i), email)}, target,
                                           QString(), QString());
        ASSERT_TRUE(waitForJob()) << target.toStdString();
        const auto contacts = serverContacts();
        ASSERT_TRUE(contacts.count(email)) << target.toStdString();
        EXPECT_EQ(groupLinks(*contacts.at(email)), QStringList()) << target.toStdString();
    }
    engine->doVCardJobs({{"Male", {card("Max", "Moss", "max@example.org")}}}, QString(), QString());
    ASSERT_TRUE(waitForJob());
    EXPECT_EQ(groupLinks(*serverContacts().at("max@example.org")), QStringList());
}

TEST_F(VCardImportJobsTest, SameCardInTwoJobs_OneEntryWithBothMemberships)
{
    const QStringList groups = seedGroups({"Friends", "Work"});
    const QByteArray ann = card("Ann", "Lee", "ann@example.org");
    server.clearRequestLog();

    engine->doVCardJobs({{"Friends", {ann, card("Bo", "Moss", "bo@example.org")}}, {"Work", {ann}}},
                        QString(), QString());

    ASSERT_TRUE(waitForJob());
    EXPECT_EQ(batchSizes(), QList<int>{2});
    const auto contacts = serverContacts();
    ASSERT_EQ(contacts.size(), 2u);
    QStringList both = groups;
    both.sort();
    EXPECT_EQ(groupLinks(*contacts.at("ann@example.org")), both);
    EXPECT_EQ(groupLinks(*contacts.at("bo@example.org")), QStringList{groups[0]});
}

TEST_F(VCardImportJobsTest, FileOfThreeCards_ToTwoGroups_ThreeContactsInBoth)
{
    const QStringList groups = seedGroups({"Friends", "Work"});
    const QList<QByteArray> three = cards(3, "Kay");

    engine->addVCardArrayToGroups({three.join()},
                                  {grouplookups::groupForID(engine->lists(), groups[0]),
                                   grouplookups::groupForID(engine->lists(), groups[1])},
                                  QString(), QString());

    ASSERT_TRUE(waitForJob());
    const auto contacts = serverContacts();
    ASSERT_EQ(contacts.size(), 3u);
    QStringList both = groups;
    both.sort();
    for (const auto &[email, contact] : contacts)
        EXPECT_EQ(groupLinks(*contact), both) << email.toStdString();
}

TEST_F(VCardImportJobsTest, RefusedEntry_IsShownAndTheFollowUpStillRuns)
{
    const QString friends = seedGroups({"Friends"})[0];
    const GDataEntryContactPtr seeded = GDataEntryContact::contactEntryWithTitle("Ann Lee");
    seeded->setEmailAddresses({GDataEmail{
        "ann@example.org", "http://schemas.google.com/g/2005#home", std::nullopt, true}});
    const QString annID = server.seedContacts(kUser, {seeded})[0];
    refetch();
    server.injectBatchEntryStatus(annID, 409, "Conflict");
    engine->offer(QStringLiteral("afterImport"));

    engine->addVCardArrayToGroupWithID(
        {card("Ann", "Lee", "ann@example.org"), card("Bo", "Moss", "bo@example.org")}, friends,
        QString(), QStringLiteral("afterImport"));

    ASSERT_TRUE(waitForJob());
    ASSERT_TRUE(ui.lastError.has_value());
    EXPECT_EQ(ui.lastError->code, 409);
    EXPECT_TRUE(ui.lastError->description.contains(QLatin1String("Ann Lee")))
        << ui.lastError->description.toStdString();
    EXPECT_TRUE(journal.contains(QStringLiteral("cleanup:Advanced Google Update//409")));
    EXPECT_TRUE(
        runUntil([&] { return journal.join('\n').contains(QLatin1String("step:afterImport")); }));
    const auto contacts = serverContacts();
    EXPECT_EQ(groupLinks(*contacts.at("bo@example.org")), QStringList{friends});
    EXPECT_EQ(groupLinks(*contacts.at("ann@example.org")), QStringList());
}

// A failed feed no longer ends the job early: the job waits for the other feed, shows the
// failure once, and fetches the contacts so the list holds what Google holds.
TEST_F(VCardImportJobsTest, FailedFeed_JobEndsAfterEveryFeed_ShowsItAndRefetches)
{
    const QString friends = seedGroups({"Friends"})[0];
    server.injectFault(QStringLiteral("/batch"), 503);
    UserDefaults::standard().setBool(false, googlekeys::gmRefetchAllContactsComplete);

    engine->addVCardArrayToGroupWithID(cards(150, "Lee"), friends, QString(), QString());

    ASSERT_TRUE(waitForJob());
    EXPECT_EQ(journal.filter(QStringLiteral("cleanup:")),
              QStringList{QStringLiteral("cleanup:Advanced Google Update//503")});
    ASSERT_TRUE(runUntil([&] { return flag(googlekeys::gmRefetchAllContactsComplete); }));
    // The feed that reached the server first failed.
    const size_t created = serverContacts().size();
    EXPECT_TRUE(created == 50u || created == 100u) << created;
    EXPECT_EQ(engine->contactArray().size(), created);
}

// The insert was applied but its answer never came: the failure is shown, the lists are fetched
// again, and the contact exists once.
TEST_F(VCardImportJobsTest, AppliedButUnanswered_ShowsTheFailure_NoDuplicate)
{
    const QString friends = seedGroups({"Friends"})[0];
    server.injectApplyThenDrop(QStringLiteral("/batch"));

    engine->addVCardArrayToGroupWithID({card("Ann", "Lee", "ann@example.org")}, friends, QString(),
                                       QStringLiteral("batchVCardPictures"));

    ASSERT_TRUE(waitForJob());
    EXPECT_EQ(journal.filter(QStringLiteral("cleanup:Advanced Google Update")).size(), 1);
    ASSERT_TRUE(ui.lastError.has_value());
    // The photo step's refetch brings in the contact the lost answer created.
    ASSERT_TRUE(runUntil([&] { return engine->contactArray().size() == 1u; }));
    EXPECT_EQ(serverContacts().size(), 1u);
    EXPECT_EQ(requestsTo(QStringLiteral("/batch")).size(), 1);
}

TEST_F(VCardImportJobsTest, Photos_UploadedAfterTheRefetch_EachJobItsOwn)
{
    const QString friends = seedGroups({"Friends"})[0];
    const QByteArray red = testpicture::encoded(Qt::red, "JPEG");
    const QByteArray blue = testpicture::encoded(Qt::blue, "JPEG");
    server.clearRequestLog();

    // The second job starts before the first one's photo step, on the same engine list.
    engine->setForeignVCardImportData({});
    engine->addVCardArrayToGroupWithID(
        {card("Ann", "Lee", "ann@example.org", red), card("Cy", "Dunn", "cy@example.org")}, friends,
        QString(), QStringLiteral("batchVCardPictures"));
    engine->addVCardArrayToGroupWithID({card("Bo", "Moss", "bo@example.org", blue)}, friends,
                                       QString(), QStringLiteral("batchVCardPictures"));

    ASSERT_TRUE(runUntil([&] { return requestsTo(QStringLiteral("/photos/")).size() >= 2; }));
    // Nothing more follows: each photo went once.
    runUntil([] { return false; }, 1500);
    const QStringList photos = requestsTo(QStringLiteral("/photos/"));
    ASSERT_EQ(photos.size(), 2);
    const auto contacts = serverContacts();
    QStringList photoIDs;
    for (const char *email : {"ann@example.org", "bo@example.org"}) {
        const GDataEntryContactPtr contact = contacts.at(email);
        EXPECT_TRUE(tolvane::tolvaneHasImage(*contact)) << email;
        photoIDs << contact->identifier().section('/', -1);
    }
    EXPECT_FALSE(tolvane::tolvaneHasImage(*contacts.at("cy@example.org")));
    for (const QString &id : photoIDs)
        EXPECT_EQ(photos.filter(id).size(), 1) << id.toStdString();
    // Each photo went after a fetch that found its new contact.
    const QStringList log = [&] {
        QStringList urls;
        for (const QJsonValue &value : server.requestLog())
            urls << value.toObject().value("url").toString();
        return urls;
    }();
    const qsizetype firstPhoto = log.indexOf(photos.first());
    const qsizetype lastBatch = log.lastIndexOf(QRegularExpression(QStringLiteral(".*/batch.*")));
    ASSERT_GE(firstPhoto, 0);
    EXPECT_GT(firstPhoto, lastBatch);
    EXPECT_TRUE(log.mid(lastBatch, firstPhoto - lastBatch)
                    .filter(QRegularExpression(QStringLiteral("/contacts/[^/]+/full")))
                    .size() >= 1);
}

} // namespace

namespace {

TEST_F(VCardImportJobsTest, FullCard_CreatesTheContactWithItsFields)
{
    const QString friends = seedGroups({"Friends"})[0];
    for (const QString &key : {googlekeys::gmUpdateCompany, googlekeys::gmUpdateNotes,
                               googlekeys::gmUpdatePhone, googlekeys::gmUpdateTitle})
        UserDefaults::standard().setBool(true, key);
    const QByteArray full = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Card1;Run0;;;\r\nFN:Run0 Card1\r\n"
                            "ORG:Firm 1;\r\nEMAIL;type=INTERNET;type=WORK:card1@drop.example\r\n"
                            "TEL;type=WORK:555 1\r\nNOTE:dropped card 1\r\nEND:VCARD\r\n";

    engine->addVCardArrayToGroupWithID({full}, friends, QString(), QString());

    ASSERT_TRUE(waitForJob());
    EXPECT_EQ(journal.filter(QStringLiteral("cleanup:")), QStringList());
    const auto contacts = serverContacts();
    ASSERT_TRUE(contacts.count("card1@drop.example"));
    const GDataEntryContactPtr contact = contacts.at("card1@drop.example");
    EXPECT_EQ(contact->phoneNumbers().size(), 1u);
    EXPECT_EQ(groupLinks(*contact), QStringList{friends});
}

} // namespace

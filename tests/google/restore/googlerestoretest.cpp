#include "tests/support/google/commandservertest.h"
#include "tests/support/google/elementdescriptions.h"
#include "tests/support/google/testpicture.h"
#include "tests/support/scriptedfilechooser.h"

#include "addressbook/addressbookkeys.h"
#include "foundation/keychain/emkeychainproxy.h"
#include "foundation/propertylist.h"
#include "foundation/zeltorfiletool.h"
#include "google/batch/batchkeys.h"
#include "google/engine/googlekeys.h"
#include "google/entries/contactaccessors.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/keychain/keychain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QWidget>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#include <sys/stat.h>

namespace {

const QString kSource = QStringLiteral("alice@example.com");
const QString kOwn = QStringLiteral("tolvaneContact");
const QString kForeign = QStringLiteral("otherProgram");
const QStringList kOutcomeTitles = {"Batch update completed", "Batch restore Group failed",
                                    "Batch Restore ContactActions Failed", "Google Restore Failed"};

GDataExtendedProperty property(const QString &name,
                               const std::vector<GDataExtendedProperty::XMLValue> &elements,
                               const std::optional<QString> &value = std::nullopt)
{
    GDataExtendedProperty p = GDataExtendedProperty::propertyWithName(name, value);
    p.setXMLValues(elements);
    return p;
}

std::map<QString, QString> elementsOf(const GDataEntryBase &entry, const QString &name)
{
    for (const GDataExtendedProperty &p : entry.extendedProperties()) {
        if (p.name() == name) {
            std::map<QString, QString> out;
            for (const auto &[key, text] : p.XMLValues())
                out[key] = text;
            return out;
        }
    }
    return {};
}

class GoogleRestoreTest : public CommandServerTest
{
protected:
    void SetUp() override
    {
        CommandServerTest::SetUp();
        ASSERT_TRUE(folders.isValid());
        UserDefaults &ud = UserDefaults::standard();
        ud.setString(folders.filePath("tmp"), googlekeys::tmpFolderPath);
        ud.setString(folders.filePath("backups"), googlekeys::googleBackupFolderPath);
        ud.setBool(false, batchkeys::showGoogleAlerts);
        QDir().mkpath(folders.filePath("tmp"));
    }

    void TearDown() override
    {
        for (const QString &account : std::as_const(accounts))
            keychain::deletePassword(KeychainItemRef{keychainService, account});
        CommandServerTest::TearDown();
    }

    // An engine signed in to another account, which the server is given.
    std::unique_ptr<OfferingEngine> engineFor(const QString &account)
    {
        server.addAccount(account, kPassword);
        accounts << account;
        EXPECT_TRUE(EMKeychainProxy::sharedProxy().addGenericKeychainItemForService(
            keychainService, account, kPassword));
        auto source = makeEngine();
        source->setUser(account);
        EXPECT_TRUE(source->establishUserCredentials());
        source->fetchAllGroupsWithUIRefresh(true, true);
        EXPECT_TRUE(runUntil([&] { return source->isLoggedIn(); }));
        return source;
    }

    // The engine's account backed up; the archive's path.
    QString backUp(GoogleContactTool &tool)
    {
        tool.setGoogleUserDefaults();
        const QString folder = tool.accountBackupFolderPath();
        for (const QString &old : QDir(folder).entryList({"*.zip"}, QDir::Files))
            QFile::remove(QDir(folder).filePath(old));
        EXPECT_TRUE(tool.backupGoogleContacts());
        const QStringList zips = QDir(folder).entryList({"*.zip"}, QDir::Files);
        EXPECT_EQ(zips.size(), 1);
        return zips.isEmpty() ? QString() : QDir(folder).filePath(zips.front());
    }

    // Restores the archive into the engine's account; the outcome sheet, once shown.
    std::optional<Prompt> restore(GoogleContactTool &tool, const QString &archive)
    {
        const qsizetype before = prompter.shown().size();
        const bool loggedIn = tool.isLoggedIn();
        tool.googleArchivePanelDidEnd(1, archive);
        const auto outcome = [&]() -> const Prompt * {
            for (qsizetype i = before; i < prompter.shown().size(); ++i) {
                if (kOutcomeTitles.contains(prompter.shown().at(i).prompt.message))
                    return &prompter.shown().at(i).prompt;
            }
            return nullptr;
        };
        if (!runUntil([&] { return outcome() != nullptr; }, 60000))
            return std::nullopt;
        // The fetch that follows restored photos comes in before the test reads the lists.
        if (loggedIn)
            runUntil([&] { return tool.isLoggedIn(); });
        return *outcome();
    }

    bool progressClosed() const
    {
        const qsizetype open = journal.lastIndexOf(QRegularExpression("^ui:openUserInfo.*"));
        return open < 0 || journal.lastIndexOf("ui:closeUserInfo") > open;
    }

    std::vector<GDataEntryContactPtr> liveContacts(const QString &account)
    {
        std::vector<GDataEntryContactPtr> live;
        const GDataFeedPtr feed = server.entries(account, GDataEntryBase::Kind::Contact);
        for (const GDataEntryPtr &entry : feed->entries()) {
            if (!entry->isDeleted())
                live.push_back(std::dynamic_pointer_cast<GDataEntryContact>(entry));
        }
        return live;
    }

    // Writes an archive of the lists (each a file name and its bytes) the way a backup lays it out.
    QString archiveOf(const std::vector<std::pair<QString, QByteArray>> &files)
    {
        const QString folder = folders.filePath("made/Archive");
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        for (const auto &[name, bytes] : files) {
            QFile file(QDir(folder).filePath(name));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        const QString archive = folders.filePath("made.zip");
        QFile::remove(archive);
        EXPECT_TRUE(ZeltorFileTool::zipSource(folder, archive));
        return archive;
    }

    QTemporaryDir folders;
    QStringList accounts;
};

QByteArray plist(const QVariant &value)
{
    return propertylist::xmlData(value, nullptr).value_or(QByteArray());
}

TEST_F(GoogleRestoreTest, ABackupRestoredIntoAnEmptyAccountArrivesAsItWas)
{
    const PersonPtr ann = addPerson("Ann", "Smith");
    const GroupPtr friends = addGroup("Friends", {ann});
    ASSERT_TRUE(AddressBook::shared()->save());
    {
        auto source = engineFor(kSource);
        auto group = std::make_shared<GDataEntryContactGroup>();
        group->setTitle(QStringLiteral("Friends"));
        group->setContentWithString(QStringLiteral("people I know"));
        group->addExtendedProperty(property("tolvaneGroup", {{"aID", friends->uniqueId()}}));
        const QStringList groupIDs = server.seedGroups(kSource, {group});
        ASSERT_EQ(groupIDs.size(), 1);

        auto annContact = std::make_shared<GDataEntryContact>();
        annContact->setTitle(QStringLiteral("Ann Smith"));
        annContact->setContentWithString(QStringLiteral("met at the fair"));
        annContact->setEmailAddresses({{"ann@example.org", QString("http://schemas.google.com/g/2005#work"), std::nullopt, true},
                                       {"ann@home.example", std::nullopt, QString("Cabin"), false}});
        annContact->setPhoneNumbers({{"555-0100", QString("http://schemas.google.com/g/2005#mobile"), std::nullopt, true}});
        annContact->setPostalAddresses({{"1 Main St\nSpringfield", QString("http://schemas.google.com/g/2005#home"), std::nullopt, false}});
        annContact->setIMAddresses({{"ann.im", QString("http://schemas.google.com/g/2005#SKYPE"), QString("http://schemas.google.com/g/2005#other"), std::nullopt, false}});
        GDataOrganization org;
        org.orgName = QStringLiteral("Smith & Co");
        org.orgTitle = QStringLiteral("Owner");
        org.rel = QStringLiteral("http://schemas.google.com/g/2005#work");
        annContact->setOrganizations({org});
        annContact->setGroupMembershipInfos({GDataGroupMembershipInfo::groupMembershipInfoWithHref(groupIDs.front())});
        annContact->addExtendedProperty(property(kOwn, {{"aID", ann->uniqueId()},
                                                        {"dm11111111110310", "2009-03-14 15:09:26 -0700"},
                                                        {"asOf", "2009-03-14 15:09:26 -0700"},
                                                        {"isCo", "0"},
                                                        {"gT", "F"},
                                                        {"aF", "Ann"}}));
        annContact->addExtendedProperty(property(kForeign, {{"note", "Smith & Co <b>"}}));

        auto foreignOnly = std::make_shared<GDataEntryContact>();
        foreignOnly->setTitle(QStringLiteral("Foreign Only"));
        foreignOnly->addExtendedProperty(property(kForeign, {}, QStringLiteral("kept value")));

        auto pictured = std::make_shared<GDataEntryContact>();
        pictured->setEmailAddresses({{"pic@example.org", std::nullopt, std::nullopt, true}});
        const QStringList ids = server.seedContacts(kSource, {annContact, foreignOnly, pictured});
        ASSERT_EQ(ids.size(), 3);
        server.setPhoto(kSource, ids.at(2), testpicture::encoded(Qt::blue, "PNG"), "image/png");
        source->fetchAllGroupsWithUIRefresh(true, true);
        ASSERT_TRUE(runUntil([&] { return source->contactArray().size() == 3; }));
        const QString archive = backUp(*source);
        ASSERT_FALSE(archive.isEmpty());

        const std::optional<Prompt> outcome = restore(*engine, archive);
        ASSERT_TRUE(outcome);
        EXPECT_EQ(outcome->message, "Batch update completed");
        EXPECT_TRUE(outcome->informativeText.contains("Groups created: 1")) << outcome->informativeText.toStdString();
        EXPECT_TRUE(outcome->informativeText.contains("Contacts created: 3"));
        EXPECT_TRUE(outcome->informativeText.contains("Photos restored: 1"));
        EXPECT_TRUE(progressClosed());
        EXPECT_TRUE(flag("restoreGoogleContactsComplete"));

        const QString newGroup = serverGroupID("Friends");
        ASSERT_FALSE(newGroup.isEmpty());
        EXPECT_NE(newGroup, groupIDs.front());
        const GDataEntryContactPtr restored = serverContact("Ann Smith");
        ASSERT_TRUE(restored);
        EXPECT_EQ(restored->content(), annContact->content());
        EXPECT_EQ(describe(restored->emailAddresses()), describe(annContact->emailAddresses()));
        EXPECT_EQ(describe(restored->phoneNumbers()), describe(annContact->phoneNumbers()));
        EXPECT_EQ(describe(restored->postalAddresses()), describe(annContact->postalAddresses()));
        EXPECT_EQ(describe(restored->IMAddresses()), describe(annContact->IMAddresses()));
        EXPECT_EQ(describe(restored->organizations()), describe(annContact->organizations()));
        EXPECT_EQ(membershipsOf("Ann Smith"), QStringList{"Friends"});
        // Other programs' texts as they were, not escaped a second time; the program's own
        // elements without the data mask and asOf, linked to the archived contact.
        EXPECT_EQ(elementsOf(*restored, kForeign), (std::map<QString, QString>{{"note", "Smith & Co <b>"}}));
        EXPECT_EQ(elementsOf(*restored, kOwn),
                  (std::map<QString, QString>{{"aID", ann->uniqueId()}, {"isCo", "0"}, {"gT", "F"},
                                              {"aF", "Ann"}, {"gID", ids.at(0)}}));
        const GDataEntryContactPtr foreign = serverContact("Foreign Only");
        ASSERT_TRUE(foreign);
        ASSERT_FALSE(foreign->extendedProperties().empty());
        bool foreignKept = false;
        for (const GDataExtendedProperty &p : foreign->extendedProperties())
            foreignKept |= p.name() == kForeign && p.value() == QStringLiteral("kept value");
        EXPECT_TRUE(foreignKept);
        bool photo = false;
        for (const GDataEntryContactPtr &contact : serverContacts())
            photo |= !contact->title().value_or(QString()).size() && tolvane::tolvaneHasImage(*contact);
        EXPECT_TRUE(photo);

        // The address book records named by aID are linked to the new entries, and saved.
        EXPECT_EQ(googleID(ann), restored->identifier());
        EXPECT_EQ(googleID(friends), newGroup);
        EXPECT_FALSE(AddressBook::shared()->hasUnsavedChanges());
    }
}

TEST_F(GoogleRestoreTest, RestoringIntoTheAccountItCameFromCreatesNothingAndReplacesNoPhoto)
{
    auto group = std::make_shared<GDataEntryContactGroup>();
    group->setTitle(QStringLiteral("Team"));
    server.seedGroups(kUser, {group});
    auto plain = std::make_shared<GDataEntryContact>();
    plain->setTitle(QStringLiteral("Plain"));
    auto foreignOnly = std::make_shared<GDataEntryContact>();
    foreignOnly->setTitle(QStringLiteral("Foreign Only"));
    foreignOnly->addExtendedProperty(property(kForeign, {{"x", "1"}}));
    auto pictured = std::make_shared<GDataEntryContact>();
    pictured->setTitle(QStringLiteral("Pictured"));
    const QStringList ids = server.seedContacts(kUser, {plain, foreignOnly, pictured});
    const QString etag = server.setPhoto(kUser, ids.at(2), testpicture::encoded(Qt::red, "PNG"), "image/png");
    engine->fetchAllGroupsWithUIRefresh(true, true);
    ASSERT_TRUE(runUntil([&] { return engine->contactArray().size() == 3; }));
    const QString archive = backUp(*engine);
    server.clearRequestLog();

    const std::optional<Prompt> outcome = restore(*engine, archive);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->message, "Batch update completed");
    EXPECT_TRUE(outcome->informativeText.contains("Contacts already on Google: 3"));
    EXPECT_TRUE(outcome->informativeText.contains("Groups already on Google: 1"));
    EXPECT_TRUE(requestsTo("/batch").isEmpty());
    EXPECT_TRUE(requestsTo("/photos/").isEmpty());
    EXPECT_EQ(serverContactTitles(), (QStringList{"Foreign Only", "Pictured", "Plain"}));
    EXPECT_EQ(serverContact("Pictured")->photoLink()->ETag(), etag);
    EXPECT_TRUE(progressClosed());
}

// A restore stopped by a fault on a contact batch ends with its outcome; run again, it leaves
// exactly the archived contacts, none twice.
TEST_F(GoogleRestoreTest, AnInterruptedRestoreRunAgainLeavesEachContactOnce)
{
    struct Fault
    {
        const char *name;
        std::function<void(GDataTestServer &)> inject;
    };
    const Fault faults[] = {
        {"500", [](GDataTestServer &s) { s.injectFault("/batch", 500, 4, 0, false, "POST"); }},
        {"503", [](GDataTestServer &s) { s.injectFault("/batch", 503, 4, 0, false, "POST"); }},
        {"drop", [](GDataTestServer &s) { s.injectFault("/batch", 0, 6, 0, true, "POST"); }},
        {"apply then drop", [](GDataTestServer &s) { s.injectApplyThenDrop("/batch", 1, "POST"); }},
    };
    QString archive;
    {
        auto source = engineFor(kSource);
        server.generateContacts(kSource, 150);
        source->fetchAllGroupsWithUIRefresh(true, true);
        ASSERT_TRUE(runUntil([&] { return source->contactArray().size() == 150; }));
        archive = backUp(*source);
        ASSERT_FALSE(archive.isEmpty());
    }
    int n = 0;
    for (const Fault &fault : faults) {
        SCOPED_TRACE(fault.name);
        const QString account = QStringLiteral("target%1@example.com").arg(++n);
        auto target = engineFor(account);
        fault.inject(server);
        const std::optional<Prompt> first = restore(*target, archive);
        ASSERT_TRUE(first);
        EXPECT_TRUE(progressClosed());
        server.clearFaults();
        const std::optional<Prompt> second = restore(*target, archive);
        ASSERT_TRUE(second);
        EXPECT_EQ(second->message, "Batch update completed") << second->informativeText.toStdString();
        EXPECT_TRUE(progressClosed());
        const std::vector<GDataEntryContactPtr> live = liveContacts(account);
        QSet<QString> links;
        for (const GDataEntryContactPtr &contact : live)
            links.insert(elementsOf(*contact, kOwn)["gID"]);
        EXPECT_EQ(live.size(), 150u);
        EXPECT_EQ(links.size(), 150);
    }
}

// A batch Google applied twice leaves two contacts of this run with one archived identifier; the
// one Google answered for stays, the other is deleted and named.
TEST_F(GoogleRestoreTest, ACopyMadeDuringTheRunIsRemovedAndNamed)
{
    const QString archived = QStringLiteral("http://elsewhere/m8/feeds/contacts/x/base/7");
    const QVariantList records{
        QVariantMap{{"identifier", archived}, {"name", "Ann"}},
        QVariantMap{{"identifier", "http://elsewhere/m8/feeds/contacts/x/base/8"}, {"name", "Ben"}}};
    const QString archive =
        archiveOf({{"googleArchive_20090301_142205_1.contacts", plist(records)}});
    // The batch's answer comes late, so a copy can arrive before the contacts are read again.
    server.injectFault("/batch", 0, 1, 800, false, "POST");
    const qsizetype before = prompter.shown().size();
    engine->googleArchivePanelDidEnd(1, archive);
    ASSERT_TRUE(runUntil([&] { return serverContacts().size() == 2; }));
    auto copy = std::make_shared<GDataEntryContact>();
    copy->setTitle(QStringLiteral("Ann copy"));
    copy->addExtendedProperty(property(kOwn, {{"gID", archived}}));
    server.seedContacts(kUser, {copy});
    ASSERT_TRUE(runUntil([&] { return prompter.shown().size() > before; }));
    const Prompt outcome = prompter.shown().back().prompt;
    EXPECT_EQ(outcome.message, "Batch update completed");
    EXPECT_TRUE(outcome.informativeText.contains("Copies created twice and removed: Ann copy"))
        << outcome.informativeText.toStdString();
    EXPECT_EQ(serverContactTitles(), (QStringList{"Ann", "Ben"}));
    EXPECT_TRUE(progressClosed());
}

// The entries of each batch POST whose address holds the text, in order.
QList<int> batchSizes(GDataTestServer &server, const QString &pathPart)
{
    QList<int> sizes;
    for (const QJsonValue &value : server.requestLog()) {
        const QJsonObject request = value.toObject();
        const QString url = request.value("url").toString();
        if (request.value("method").toString() == "POST" && url.contains(pathPart) &&
            url.contains("/batch"))
            sizes << int(request.value("body").toString().count("<entry"));
    }
    return sizes;
}

TEST_F(GoogleRestoreTest, GroupsGoInBatchesOfAHundredLeavingOutThoseOnGoogle)
{
    std::vector<GDataEntryPtr> existing;
    QVariantList groups;
    for (int i = 0; i < 250; ++i) {
        const QString title = QStringLiteral("Group %1").arg(i);
        groups << QVariantMap{{"identifier", QStringLiteral("http://elsewhere/base/g%1").arg(i)},
                              {"title", title},
                              {"content", ""}};
        if (i % 25 == 0) {
            auto group = std::make_shared<GDataEntryContactGroup>();
            group->setTitle(title);
            existing.push_back(group);
        }
    }
    server.seedGroups(kUser, existing);
    engine->fetchAllGroupsWithUIRefresh(true, true);
    ASSERT_TRUE(runUntil([&] { return engine->groupArray().size() >= 10; }));
    const QString archive = archiveOf(
        {{"googleArchive_20090301_142205_1.groups", plist(groups)},
         {"googleArchive_20090301_142205_2.contacts",
          plist(QVariantList{QVariantMap{{"identifier", "http://elsewhere/base/c1"},
                                         {"name", "Member"},
                                         {"memberships", QVariantList{QVariantMap{
                                                             {"hRef", "http://elsewhere/base/g3"},
                                                             {"name", "Group 3"}}}}}})}});
    server.clearRequestLog();
    const std::optional<Prompt> outcome = restore(*engine, archive);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->message, "Batch update completed");
    // The feeds go out side by side, so they may arrive in any order.
    QList<int> sizes = batchSizes(server, "/groups/");
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (QList<int>{40, 100, 100}));
    EXPECT_EQ(serverGroupTitles().size(), 250);
    // The membership found by name goes to the group the restore has just made.
    EXPECT_EQ(membershipsOf("Member"), QStringList{"Group 3"});
}

TEST_F(GoogleRestoreTest, EveryFailingPathEndsWithItsOutcomeAndTheProgressClosed)
{
    const QString archive = archiveOf(
        {{"googleArchive_20090301_142205_1.groups",
          plist(QVariantList{QVariantMap{{"identifier", "http://elsewhere/base/g1"}, {"title", "New"}}})},
         {"googleArchive_20090301_142205_2.contacts",
          plist(QVariantList{QVariantMap{{"identifier", "http://elsewhere/base/c1"}, {"name", "Ann"}}})}});
    {
        SCOPED_TRACE("a failing group batch");
        server.injectFault("/groups/", 500, 4, 0, false, "POST");
        server.clearRequestLog();
        const std::optional<Prompt> outcome = restore(*engine, archive);
        server.clearFaults();
        ASSERT_TRUE(outcome);
        EXPECT_EQ(outcome->message, "Batch restore Group failed");
        EXPECT_TRUE(outcome->informativeText.startsWith("Update failed: "));
        EXPECT_TRUE(batchSizes(server, "/contacts/").isEmpty());
        EXPECT_TRUE(flag("restoreGoogleGroupsComplete"));
        EXPECT_TRUE(flag("restoreGoogleContactsComplete"));
        EXPECT_TRUE(progressClosed());
    }
    {
        SCOPED_TRACE("an engine that never fetched");
        auto fresh = makeEngine();
        fresh->setUser(kUser);
        const std::optional<Prompt> outcome = restore(*fresh, archive);
        ASSERT_TRUE(outcome);
        EXPECT_EQ(outcome->message, "Google Restore Failed");
        EXPECT_TRUE(outcome->informativeText.contains("have not been fetched"));
        EXPECT_TRUE(progressClosed());
    }
    {
        SCOPED_TRACE("alerts switched on");
        UserDefaults::standard().setBool(true, batchkeys::showGoogleAlerts);
        const std::optional<Prompt> outcome = restore(*engine, archive);
        ASSERT_TRUE(outcome);
        EXPECT_EQ(outcome->message, "Batch update completed");
        EXPECT_TRUE(flag(batchkeys::showGoogleAlerts));
    }
}

// A photo goes to the contact of the record it was written for, never to another contact of the
// same name, and never over a photo the contact has.
TEST_F(GoogleRestoreTest, APhotoGoesOnlyToTheContactOfItsRecord)
{
    auto namesake = std::make_shared<GDataEntryContact>();
    namesake->setTitle(QStringLiteral("Sam"));
    server.seedContacts(kUser, {namesake});
    engine->fetchAllGroupsWithUIRefresh(true, true);
    ASSERT_TRUE(runUntil([&] { return engine->contactArray().size() == 1; }));
    const QByteArray tiff = testpicture::encoded(Qt::green, "TIFF");
    const QVariantList records{
        QVariantMap{{"identifier", "http://elsewhere/base/1"}, {"name", "Sam"}},
        QVariantMap{{"identifier", "http://elsewhere/base/2"}, {"name", "Sam"}},
        QVariantMap{{"identifier", "http://elsewhere/base/3"},
                    {"name", "Tess"},
                    {"tolvanePhotoFile", "Tess_1.tiff"}}};
    const QString archive = archiveOf({{"googleArchive_20090301_142205_1.contacts", plist(records)},
                                       {"Sam.tiff", tiff},
                                       {"Tess_1.tiff", tiff}});
    const std::optional<Prompt> outcome = restore(*engine, archive);
    ASSERT_TRUE(outcome);
    EXPECT_TRUE(outcome->informativeText.contains("Photos restored: 1")) << outcome->informativeText.toStdString();
    EXPECT_TRUE(outcome->informativeText.contains("Photos not restored: Sam.tiff"));
    QStringList pictured;
    for (const GDataEntryContactPtr &contact : serverContacts()) {
        if (tolvane::tolvaneHasImage(*contact))
            pictured << contact->title().value_or(QString());
    }
    EXPECT_EQ(pictured, QStringList{"Tess"});
}

// The archive is chosen in an open choice in the account's backup folder; its answer starts the
// restore, and a cancelled choice does nothing.
TEST_F(GoogleRestoreTest, TheArchiveIsChosenInTheAccountsBackupFolder)
{
    const QString archive = archiveOf({{"googleArchive_20090301_142205_1.contacts", "broken"}});
    QWidget window;
    window.show();
    QApplication::setActiveWindow(&window);
    for (const bool accept : {false, true}) {
        SCOPED_TRACE(accept ? "chosen" : "cancelled");
        ScriptedFileChooser chooser;
        if (accept)
            chooser.answer(archive);
        else
            chooser.cancel();
        const qsizetype before = prompter.shown().size();
        engine->restoreGoogleContacts();
        ASSERT_EQ(chooser.shown().size(), 1);
        const FileChoice &choice = chooser.shown().front().choice;
        EXPECT_EQ(chooser.shown().front().window, &window);
        EXPECT_EQ(choice.mode, FileChoice::Mode::Open);
        EXPECT_EQ(choice.prompt, "Select a Google Archive file.");
        EXPECT_EQ(QDir(choice.directory), QDir(engine->accountBackupFolderPath()));
        EXPECT_TRUE(choice.nameFilters.join(" ").contains("*.zip"));
        if (accept) {
            ASSERT_TRUE(runUntil([&] { return prompter.shown().size() > before; }));
            EXPECT_EQ(prompter.shown().back().prompt.message, "Google Restore Failed");
        } else {
            runUntil([] { return false; }, 200);
            EXPECT_EQ(prompter.shown().size(), before);
        }
    }
}

// Google keeps ten extended properties per entry: a contact archived with ten of other programs
// comes back with them, without the link, and is named.
TEST_F(GoogleRestoreTest, AContactWithoutRoomForItsLinkIsNamed)
{
    QVariantList properties;
    for (int i = 0; i < 10; ++i)
        properties << QVariantMap{{"name", QStringLiteral("program%1").arg(i)}, {"value", "v"}};
    const QVariantList records{QVariantMap{{"identifier", "http://elsewhere/base/1"},
                                           {"name", "Crowded"},
                                           {"extendedProperties", properties}}};
    const std::optional<Prompt> outcome =
        restore(*engine, archiveOf({{"googleArchive_20090301_142205_1.contacts", plist(records)}}));
    ASSERT_TRUE(outcome);
    EXPECT_TRUE(outcome->informativeText.contains(
        "Contacts restored without their link (ten other properties): Crowded"))
        << outcome->informativeText.toStdString();
    const GDataEntryContactPtr crowded = serverContact("Crowded");
    ASSERT_TRUE(crowded);
    EXPECT_EQ(crowded->extendedProperties().size(), 10u);
}

TEST_F(GoogleRestoreTest, OfTwoListsOfOneKindTheLastReadIsRestored)
{
    const auto list = [](const QString &name) {
        return plist(QVariantList{QVariantMap{{"identifier", "http://elsewhere/base/" + name},
                                              {"name", name}}});
    };
    const std::optional<Prompt> outcome =
        restore(*engine, archiveOf({{"googleArchive_20090301_142205_1.contacts", list("Older")},
                                    {"googleArchive_20090302_142205_1.contacts", list("Newer")},
                                    {"readme.txt", "not a list"}}));
    ASSERT_TRUE(outcome);
    EXPECT_EQ(serverContactTitles(), QStringList{"Newer"});
}

TEST_F(GoogleRestoreTest, AHostileOrBrokenArchiveIsRefusedBeforeAnythingIsSent)
{
    const QString contacts = QStringLiteral("googleArchive_20090301_142205_1.contacts");
    const QVariantList good{QVariantMap{{"identifier", "http://x/base/1"}, {"name", "Ann"}}};
    struct Case
    {
        const char *name;
        std::function<QString()> make;
    };
    const auto hostile = [this, good](const QString &entry, bool link) {
        const QString archive = folders.filePath("hostile.zip");
        QFile::remove(archive);
        QuaZip zip(archive);
        EXPECT_TRUE(zip.open(QuaZip::mdCreate));
        QuaZipFile list(&zip);
        EXPECT_TRUE(list.open(QIODevice::WriteOnly,
                              QuaZipNewInfo("Archive/googleArchive_20090301_142205_1.contacts")));
        list.write(plist(good));
        list.close();
        QuaZipNewInfo info(entry);
        if (link)
            info.externalAttr = quint32(S_IFLNK | 0777) << 16;
        QuaZipFile bad(&zip);
        EXPECT_TRUE(bad.open(QIODevice::WriteOnly, info));
        bad.write(link ? "/etc" : "bad");
        bad.close();
        zip.close();
        return archive;
    };
    const Case cases[] = {
        {"a ../ entry", [&] { return hostile("Archive/../../escaped", false); }},
        {"an absolute entry", [&] { return hostile(folders.filePath("escaped-absolute"), false); }},
        {"a symbolic link", [&] { return hostile("Archive/link", true); }},
        {"a list that does not parse", [&] { return archiveOf({{contacts, "<plist><array><dict>"}}); }},
        {"a list of texts", [&] { return archiveOf({{contacts, plist(QVariantList{"a", "b"})}}); }},
        {"a record without identifier",
         [&] { return archiveOf({{contacts, plist(QVariantList{QVariantMap{{"name", "Ann"}}})}}); }},
        {"a dictionary, not an array",
         [&] { return archiveOf({{contacts, plist(QVariantMap{{"identifier", "x"}})}}); }},
        {"a zip without lists", [&] { return archiveOf({{"notes.txt", "hello"}}); }},
        {"no zip at all", [&] {
             const QString path = folders.filePath("plain.zip");
             QFile file(path);
             file.open(QIODevice::WriteOnly);
             file.write("plain text");
             return path;
         }},
    };
    server.clearRequestLog();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<Prompt> outcome = restore(*engine, c.make());
        ASSERT_TRUE(outcome);
        EXPECT_EQ(outcome->message, "Google Restore Failed");
        // What was wrong, in the archive tool's or the list reader's own words.
        const QRegularExpression why("^The (archive cannot be restored|list \\S+ cannot be restored): .+|"
                                     "^The archive holds no lists");
        EXPECT_TRUE(why.match(outcome->informativeText).hasMatch())
            << outcome->informativeText.toStdString();
        EXPECT_TRUE(requestsTo("/batch").isEmpty());
        EXPECT_TRUE(progressClosed());
        EXPECT_TRUE(engine->restoreGoogleContactArray().isEmpty());
        EXPECT_FALSE(QFile::exists(folders.filePath("escaped")));
        EXPECT_FALSE(QFile::exists(folders.filePath("escaped-absolute")));
    }
    EXPECT_TRUE(serverContacts().empty());
}

} // namespace

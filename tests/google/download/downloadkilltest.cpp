// A download killed halfway: the book holds whole people only, each linked once, and the next run
// brings the rest without a duplicate. The download runs in a child process of this program
// (the inner test), against this test's server and address book file.

#include "tests/support/google/downloadroad.h"
#include "tests/support/google/engineservertest.h"
#include "tests/support/google/linkpreferences.h"

#include "google/engine/googlekeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSet>

namespace {

constexpr int kContacts = 1500;
// The child is killed once the book holds this many people, well before it is done.
constexpr int kKillAfter = 100;
const char kInnerEnv[] = "TOLVANE_KILLED_DOWNLOAD";

QString contactTitle(int i)
{
    return QStringLiteral("Person %1").arg(i, 4, 10, QLatin1Char('0'));
}

// The linked people of the book, by link; false when two share one or a person has none.
bool linkedPeople(QHash<QString, PersonPtr> *byLink)
{
    AddressBook *book = AddressBook::shared();
    bool sound = true;
    for (const PersonPtr &person : book->people()) {
        if (person == book->me())
            continue;
        const QString link = person->valueForProperty(linkpreferences::contactID).toString();
        if (link.isEmpty() || byLink->contains(link))
            sound = false;
        byLink->insert(link, person);
    }
    return sound;
}

class DownloadKillTest : public EngineServerTest
{
};

TEST_F(DownloadKillTest, KilledDownload_LeavesWholePeopleAndTheNextRunBringsTheRest)
{
    storePassword(kPassword);
    ASSERT_TRUE(linkpreferences::useTestLinkProperties());
    downloadroad::useDownloadOptions();
    std::vector<GDataEntryPtr> seeds;
    for (int i = 0; i < kContacts; ++i)
        seeds.push_back(GDataEntryContact::contactEntryWithTitle(contactTitle(i)));
    const QStringList ids = server.seedContacts(kUser, seeds);
    ASSERT_EQ(ids.size(), kContacts);
    AddressBook *book = AddressBook::shared();
    ASSERT_TRUE(book->save());

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kInnerEnv, book->path() + QLatin1Char('\n') + server.baseUrl().toString() +
                              QLatin1Char('\n') + keychainService);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=DownloadKillInner.*")});
    ASSERT_TRUE(child.waitForStarted());
    const bool reached = runUntil(
        [&] {
            book->checkForExternalChanges();
            return book->people().size() > kKillAfter || child.state() == QProcess::NotRunning;
        },
        120000);
    child.kill();
    child.waitForFinished();
    ASSERT_TRUE(reached);
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit) << "the download ended before the kill";

    // What the killed run left: people each linked once to a contact of the account, fewer
    // than the account holds.
    AddressBook::closeShared();
    book = AddressBook::shared();
    QHash<QString, PersonPtr> left;
    ASSERT_TRUE(linkedPeople(&left));
    EXPECT_GT(left.size(), kKillAfter - 1);
    EXPECT_LT(left.size(), kContacts);
    const QSet<QString> seeded(ids.begin(), ids.end());
    for (auto it = left.cbegin(); it != left.cend(); ++it)
        EXPECT_TRUE(seeded.contains(it.key())) << it.key().toStdString();

    // The next run brings the rest, each contact once, with its name.
    const std::unique_ptr<OfferingEngine> engine = makeEngine();
    ASSERT_TRUE(logIn(*engine));
    ASSERT_TRUE(downloadroad::downloadIntoAddressBook(*engine));
    QHash<QString, PersonPtr> after;
    ASSERT_TRUE(linkedPeople(&after));
    ASSERT_EQ(after.size(), kContacts);
    for (int i = 0; i < kContacts; ++i) {
        const PersonPtr person = after.value(ids[i]);
        ASSERT_TRUE(person) << ids[i].toStdString();
        const QString name = person->valueForProperty(kABFirstNameProperty).toString() + ' ' +
                             person->valueForProperty(kABLastNameProperty).toString();
        EXPECT_EQ(name, contactTitle(i));
    }
}

// The killed child: a download into the parent's book from the parent's server, whose
// account and preferences it takes as given rather than making its own.
class DownloadKillInner : public EngineServerTest
{
protected:
    void SetUp() override {}
    void TearDown() override {}
};

TEST_F(DownloadKillInner, DownloadsUntilKilled)
{
    const QStringList given = qEnvironmentVariable(kInnerEnv).split(QLatin1Char('\n'));
    if (given.size() != 3)
        GTEST_SKIP() << "runs only inside DownloadKillTest";
    AddressBook::closeShared();
    AddressBook::setDatabasePath(given[0]);
    UserDefaults &ud = UserDefaults::standard();
    ud.setString(given[1], googlekeys::googleServiceBaseURL);
    ud.setString(QStringLiteral("@example.com"), googlekeys::gMailSuffix);
    ud.setString(given[2], googlekeys::keychainItemName);
    ud.setString(QStringLiteral("zel-tor-Tolvane-1.0"), googlekeys::kGoogleSource);
    ASSERT_TRUE(linkpreferences::useTestLinkProperties());
    downloadroad::useDownloadOptions();
    const std::unique_ptr<OfferingEngine> engine = makeEngine();
    ASSERT_TRUE(logIn(*engine));
    ASSERT_EQ(engine->contactArray().size(), size_t(kContacts));
    EXPECT_TRUE(downloadroad::downloadIntoAddressBook(*engine));
}

} // namespace

// scripts/google-check against the loopback server's People face, signed in by the check's own
// fetcher: its report has the shape a user sends, holds none of the account's names, addresses
// or numbers, and the account is left as the check found it, also after --write.

#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "tests/support/gdatatestserver.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

#include <gtest/gtest.h>

#include <optional>

namespace {

const QString kAccount = QStringLiteral("marguerite.oakhaven@example.org");
const QString kClientId = QStringLiteral("check-client.apps.loopback");
const QString kClientSecret = QStringLiteral("check-secret");

// Everything of the seed a person would call their own.
const QStringList kPrivateTexts = {
    kAccount,   "Marguerite",    "Oakhaven",     "ignatius@fernwhistle.example",
    "Ignatius", "Fernwhistle",   "555 0134",     "0171 234",
    "Larkspur", "Brambleton",    "Quillfeather", "Rosalind",
    "Quayle",   "theirs-private"};

struct CheckRun
{
    int exitCode = -1;
    QByteArray output;
    QByteArray reportText;
    QJsonObject report;
};

QJsonObject section(const QJsonObject &object, const char *path)
{
    QJsonObject found = object;
    for (const QString &key : QString::fromLatin1(path).split(u'.'))
        found = found.value(key).toObject();
    return found;
}

class GoogleCheckTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(server.start({QStringLiteral("--photo-port"), QStringLiteral("0")}));
        server.addAccount(kAccount, QStringLiteral("unused"));
        server.registerOAuthClient(kClientId, kClientSecret);
        // Pages of two, so that the three contacts need a second page.
        server.setOptions({{"autoConsent", true}, {"peoplePageLimit", 2}});
        seed();
        QFile client(folder.filePath(QStringLiteral("client.json")));
        ASSERT_TRUE(client.open(QIODevice::WriteOnly));
        client.write(
            QJsonDocument(QJsonObject{{"installed", QJsonObject{{"client_id", kClientId},
                                                                {"client_secret", kClientSecret},
                                                                {"redirect_uris",
                                                                 QJsonArray{"http://localhost"}}}}})
                .toJson());
    }

    void seed()
    {
        server.seedPerson(
            kAccount,
            {{"names",
              QJsonArray{QJsonObject{{"givenName", "Marguerite"}, {"familyName", "Oakhaven"}}}},
             {"emailAddresses", QJsonArray{QJsonObject{{"value", kAccount}}}},
             {"phoneNumbers", QJsonArray{QJsonObject{{"value", "+1 555 0134 77"}}}},
             {"addresses",
              QJsonArray{QJsonObject{{"formattedValue", "48 Larkspur Lane\nBrambleton"},
                                     {"streetAddress", "48 Larkspur Lane"},
                                     {"city", "Brambleton"}}}},
             {"biographies", QJsonArray{QJsonObject{{"value", "Met at the Quillfeather fair"}}}},
             {"clientData",
              QJsonArray{QJsonObject{{"key", "other-app"}, {"value", "theirs-private"}}}}});
        server.seedPerson(
            kAccount,
            {{"names", QJsonArray{QJsonObject{{"unstructuredName", "Ignatius Fernwhistle"}}}},
             {"emailAddresses", QJsonArray{QJsonObject{{"value", "ignatius@fernwhistle.example"}}}},
             {"phoneNumbers", QJsonArray{QJsonObject{{"value", "0171 234 5678"}}}}});
        const QString portrait =
            server
                .seedContacts(kAccount, {GDataEntryContact::contactEntryWithTitle(
                                            QStringLiteral("Rosalind Quayle"))})
                .value(0);
        server.setPhoto(kAccount, portrait, "\xFF\xD8\xFFjpeg bytes");
        server.seedGroups(kAccount, {GDataEntryContactGroup::contactGroupEntryWithTitle(
                                        QStringLiteral("Quillfeather Society"))});
    }

    // The live entries of both kinds with their ETags: what a check must leave as it was.
    QStringList liveEntries()
    {
        QStringList entries;
        for (const auto kind :
             {GDataEntryBase::Kind::Contact, GDataEntryBase::Kind::ContactGroup}) {
            const GDataFeedPtr feed = server.entries(kAccount, kind);
            for (const GDataEntryPtr &entry : feed->entries())
                if (!entry->isDeleted())
                    entries.append(entry->identifier() + u' ' + entry->ETag().value_or(QString()));
        }
        entries.sort();
        return entries;
    }

    QString reportPath() const { return folder.filePath(QStringLiteral("report.json")); }

    // target: where the check goes (default: this server).
    void startCheck(QProcess &check, const QStringList &extra,
                    const std::optional<QStringList> &target = {})
    {
        QFile::remove(reportPath());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TOLVANE_CHECK_BUILD"),
                           QStringLiteral(TOLVANE_BUILD_FOLDER));
        check.setProcessEnvironment(environment);
        check.setProcessChannelMode(QProcess::MergedChannels);
        check.start(QStringLiteral(TOLVANE_CHECK_SCRIPT),
                    QStringList{"--client", folder.filePath(QStringLiteral("client.json")),
                                "--account", kAccount, "--no-browser", "--report", reportPath()} +
                        target.value_or(QStringList{"--base-url", server.baseUrl().toString()}) +
                        extra);
    }

    CheckRun finishCheck(QProcess &check)
    {
        CheckRun run;
        if (!check.waitForFinished(120000)) {
            check.kill();
            check.waitForFinished();
        }
        run.exitCode = check.exitStatus() == QProcess::NormalExit ? check.exitCode() : -1;
        run.output = check.readAll();
        QFile report(reportPath());
        if (report.open(QIODevice::ReadOnly)) {
            run.reportText = report.readAll();
            run.report = QJsonDocument::fromJson(run.reportText).object();
        }
        return run;
    }

    CheckRun runCheck(const QStringList &extra, const std::optional<QStringList> &target = {})
    {
        QProcess check;
        startCheck(check, extra, target);
        return finishCheck(check);
    }

    void expectNothingPrivate(const CheckRun &run)
    {
        for (const QString &text : kPrivateTexts)
            EXPECT_FALSE(QString::fromUtf8(run.reportText).contains(text, Qt::CaseInsensitive))
                << "the report holds " << text.toStdString();
    }

    void expectNoTokenToPhotos()
    {
        int photoRequests = 0;
        for (const QJsonValue &value : server.requestLog()) {
            const QJsonObject request = value.toObject();
            if (request.value("origin").toString() != QLatin1String("photos"))
                continue;
            ++photoRequests;
            for (const QString &header : request.value("headers").toObject().keys())
                EXPECT_NE(header.toLower(), QStringLiteral("authorization"));
        }
        EXPECT_GE(photoRequests, 1);
    }

    QTemporaryDir folder;
    GDataTestServer server;
};

TEST_F(GoogleCheckTest, ReadOnly_ReportsShapesAndLeavesTheAccountAlone)
{
    const QStringList before = liveEntries();
    const CheckRun run = runCheck({});
    ASSERT_EQ(run.exitCode, 0) << run.output.constData();
    const QJsonObject &report = run.report;
    EXPECT_EQ(report.value("mode").toString(), "read-only");
    EXPECT_FALSE(report.contains("write"));

    const QJsonObject signIn = section(report, "signIn");
    EXPECT_TRUE(signIn.value("ok").toBool());
    EXPECT_TRUE(signIn.value("refreshTokenCame").toBool());
    EXPECT_TRUE(signIn.value("grantedScopes")
                    .toArray()
                    .contains("https://www.googleapis.com/auth/contacts"));

    const QJsonObject connections = section(report, "connections");
    EXPECT_EQ(connections.value("count").toInt(), 3);
    EXPECT_EQ(connections.value("pages").toArray().size(), 2);
    EXPECT_TRUE(connections.value("totalItemsMatchesCount").toBool());
    EXPECT_EQ(connections.value("readByTolvane").toInt(), 3);
    EXPECT_TRUE(connections.value("syncTokenCame").toBool());

    const QJsonObject groups = section(report, "groups");
    EXPECT_TRUE(groups.value("systemGroups").toArray().contains("contactGroups/myContacts"));
    EXPECT_EQ(section(groups, "byType").value("USER_CONTACT_GROUP").toInt(), 1);

    EXPECT_EQ(section(report, "fields.clientData").value("otherItems").toInt(), 1);
    EXPECT_EQ(section(report, "fields.photos").value("notDefault").toInt(), 1);
    EXPECT_EQ(section(report, "fields.addresses").value("formattedValue").toInt(), 1);
    EXPECT_EQ(section(report, "photoFetch").value("status").toInt(), 200);
    EXPECT_TRUE(section(report, "tokenRefresh").value("newAccessToken").toBool());
    EXPECT_EQ(section(report, "incrementalList").value("persons").toInt(), 0);
    EXPECT_EQ(section(report, "unknownPerson").value("status").toString(), "NOT_FOUND");

    expectNothingPrivate(run);
    expectNoTokenToPhotos();
    EXPECT_EQ(liveEntries(), before);
}

TEST_F(GoogleCheckTest, Write_RecordsEachAnswerAndRemovesEverythingItMade)
{
    const QStringList before = liveEntries();
    const CheckRun run = runCheck({"--write", "--batch", "20"});
    ASSERT_EQ(run.exitCode, 0) << run.output.constData();
    const QJsonObject write = section(run.report, "write");
    EXPECT_TRUE(section(write, "createdPeopleOrder").value("inRequestOrder").toBool());
    EXPECT_TRUE(section(write, "timeToShow.fullList").value("shown").toBool());
    EXPECT_TRUE(section(write, "timeToShow.incrementalList").value("shown").toBool());
    EXPECT_EQ(section(write, "staleEtagUpdate.stale").value("status").toString(),
              "FAILED_PRECONDITION");
    EXPECT_EQ(section(write, "duplicateGroupName").value("httpStatus").toInt(), 409);
    EXPECT_EQ(section(write, "memberOfFriends").value("httpStatus").toInt(), 400);
    for (const QJsonValue &size : section(write, "clientData").value("sizes").toArray())
        EXPECT_TRUE(size.toObject().value("readBackIntact").toBool());
    EXPECT_EQ(section(write, "clientData.manyItems").value("readBackItems").toInt(), 12);
    EXPECT_TRUE(section(write, "unstructuredValues").value("formattedValueUnchanged").toBool());
    EXPECT_EQ(section(write, "pngPhoto").value("fetchWithoutTokenStatus").toInt(), 200);
    EXPECT_TRUE(section(write, "tombstone").value("shown").toBool());
    EXPECT_EQ(section(write, "batchCreate").value("created").toInt(), 20);

    const QJsonObject cleanUp = section(write, "cleanUp");
    EXPECT_EQ(cleanUp.value("contactsMade").toInt(), 23);
    EXPECT_TRUE(cleanUp.value("allGone").toBool());
    expectNothingPrivate(run);
    EXPECT_EQ(liveEntries(), before);
}

TEST_F(GoogleCheckTest, Write_AfterAFailedStep_StillRemovesWhatItMade)
{
    const QStringList before = liveEntries();
    // The first create is applied and its answer lost: the check never hears of those contacts,
    // and the steps that need them are skipped.
    server.injectApplyThenDrop(QStringLiteral("batchCreateContacts"), 1);
    const CheckRun run = runCheck({"--write"});
    const QJsonObject write = section(run.report, "write");
    EXPECT_EQ(section(write, "createdPeopleOrder").value("httpStatus").toInt(), 0);
    EXPECT_FALSE(write.contains("staleEtagUpdate"));
    EXPECT_GE(section(write, "cleanUp").value("contactsMade").toInt(), 3);
    EXPECT_TRUE(section(write, "cleanUp").value("allGone").toBool());
    EXPECT_EQ(run.exitCode, 0) << run.output.constData();
    EXPECT_EQ(liveEntries(), before);
}

TEST_F(GoogleCheckTest, Write_InterruptedHalfWay_SkipsTheRestAndRemovesWhatItMade)
{
    const QStringList before = liveEntries();
    // The first update is answered late, so that Ctrl-C comes while it is under way.
    server.injectFault(QStringLiteral("updateContact"), 0, 1, 3000);
    QProcess check;
    startCheck(check, {"--write"});
    QDeadlineTimer deadline(60000);
    while (server.requestsTo(QStringLiteral("updateContact")).isEmpty() && !deadline.hasExpired())
        QThread::msleep(20);
    ASSERT_FALSE(deadline.hasExpired());
    ::kill(pid_t(check.processId()), SIGINT);
    const CheckRun run = finishCheck(check);
    EXPECT_EQ(run.exitCode, 1) << run.output.constData();
    EXPECT_TRUE(run.report.value("interrupted").toBool());
    const QJsonObject write = section(run.report, "write");
    EXPECT_TRUE(write.contains("staleEtagUpdate"));
    EXPECT_FALSE(write.contains("clientData"));
    EXPECT_TRUE(section(write, "cleanUp").value("allGone").toBool());
    EXPECT_EQ(liveEntries(), before);
}

TEST_F(GoogleCheckTest, SignInAsAnotherAccount_ReportsTheFailureWithoutEitherAddress)
{
    server.addAccount(QStringLiteral("rosalind.quayle@example.org"), QStringLiteral("unused"));
    server.setOptions({{"consentAccount", "rosalind.quayle@example.org"}});
    const CheckRun run = runCheck({"--write"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(section(run.report, "signIn").value("failure").toString(), "otherAccount");
    EXPECT_FALSE(run.report.contains("connections"));
    expectNothingPrivate(run);
    // The person is told who they signed in as.
    EXPECT_TRUE(run.output.contains("rosalind.quayle@example.org")) << run.output.constData();
}

TEST_F(GoogleCheckTest, TheFetcherInPlaceOfTheBrowser_IsRefusedForAnyButALoopbackServer)
{
    const QStringList targets[] = {{"--base-url", "https://people.googleapis.com"}, {}};
    for (const QStringList &target : targets) {
        const CheckRun run = runCheck({}, target);
        EXPECT_EQ(run.exitCode, 2) << target.join(u' ').toStdString();
        EXPECT_TRUE(run.output.contains("--no-browser is allowed only with a loopback --base-url"))
            << run.output.constData();
        EXPECT_TRUE(run.reportText.isEmpty());
    }
    EXPECT_TRUE(server.requestLog().isEmpty());
}

} // namespace

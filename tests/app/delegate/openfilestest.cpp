#include "app/bundleinfo.h"
#include "app/delegate/openfilestexts.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdatafeed.h"
#include "platform/scripting/busapplication.h"
#include "tests/support/app/mainprogramtest.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

namespace {

const QByteArray kThreeCards = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann;;;\r\nFN:Ann Lee\r\n"
                               "EMAIL;TYPE=INTERNET:ann@example.org\r\nEND:VCARD\r\n"
                               "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Ray;Bob;;;\r\nFN:Bob Ray\r\n"
                               "END:VCARD\r\n"
                               "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Oak;Cy;;;\r\nFN:Cy Oak\r\n"
                               "END:VCARD\r\n";

// vCard files opened with the program become contacts on Google.
class OpenFilesTest : public MainProgramTest
{
protected:
    QString writeFile(const QString &name, const QByteArray &data)
    {
        QFile file(QDir(folder.path()).filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
        return file.fileName();
    }
    QStringList contactTitles()
    {
        QStringList titles;
        const GDataFeedPtr feed = server.entries(kAccount, GDataEntryBase::Kind::Contact);
        for (const GDataEntryPtr &entry : feed->entries()) {
            const auto contact = std::static_pointer_cast<GDataEntryContact>(entry);
            titles << contact->title().value_or(QString());
        }
        titles.sort();
        return titles;
    }

    QTemporaryDir folder;
};

const QStringList kSentTitles{"Ann Lee", "Bob Ray", "Cy Oak"};

// Files given at start-up wait for the launch's first window, then go, with that window
// showing the progress.
TEST_F(OpenFilesTest, FilesGivenAtStartUpAreSentOnceTheFirstWindowHasOpened)
{
    storePassword(kPassword);
    const QString cards = writeFile("three.vcf", kThreeCards);
    ASSERT_TRUE(AppDelegate::initialize());
    delegate = std::make_unique<AppDelegate>();
    EXPECT_TRUE(delegate->openFiles({cards}));
    ASSERT_TRUE(delegate->awakeFromNib());
    ASSERT_TRUE(runUntil([&] { return journal.contains("made:dataMover"); }));

    ASSERT_TRUE(runUntil([&] { return contactTitles() == kSentTitles; }))
        << contactTitles().join(", ").toStdString();
    EXPECT_TRUE(journal.contains("openUserInfo:" + openfilestexts::sending + "/1"));
    EXPECT_TRUE(journal.contains("updateUserInfo:Processing  ...  Cy Oak"));
}

// A file without cards closes the progress it opened and says so; with no window to show the
// work the user is told as well. Neither sends anything.
TEST_F(OpenFilesTest, NothingToSendOrNoWindowIsToldAndSendsNothing)
{
    storePassword(kPassword);
    ASSERT_TRUE(startAndLogIn());
    const QString notes = writeFile("notes.vcf", "just a note, no card\n");
    const qsizetype batchesBefore = requestsTo("batch").size();

    EXPECT_FALSE(delegate->openFiles({notes}));
    const qsizetype opened = journal.indexOf("openUserInfo:" + openfilestexts::sending + "/1");
    ASSERT_GE(opened, 0);
    EXPECT_GT(journal.indexOf("closeUserInfo", opened), opened);
    ASSERT_TRUE(runUntil([&] { return !prompter.shown().isEmpty(); }, 2000));
    EXPECT_EQ(prompter.shown().back().prompt.message, openfilestexts::nothingSent);
    EXPECT_TRUE(prompter.shown().back().prompt.informativeText.contains("notes.vcf"));

    delegate->dataMoverWindowController()->window()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(delegate->openFiles({writeFile("three.vcf", kThreeCards)}));
    EXPECT_EQ(prompter.shown().back().prompt.message, openfilestexts::noWindow);

    runUntil([] { return false; }, 300);
    EXPECT_EQ(requestsTo("batch").size(), batchesBefore);
    EXPECT_TRUE(contactTitles().isEmpty());
}

// A second Tolvane started with a file while the first runs hands the file over as an absolute
// path and ends; the running program sends its cards.
TEST_F(OpenFilesTest, ASecondInvocationHandsItsFileToTheRunningProgramAndExits)
{
    storePassword(kPassword);
    ASSERT_TRUE(startAndLogIn());
    BusApplication bus(bundleinfo::kBundleIdentifier);
    ASSERT_TRUE(bus.isRegistered());
    bus.setOpenFilesHandler(
        [this](const QStringList &paths) { return delegate->openFiles(paths); });
    writeFile("three.vcf", kThreeCards);

    QProcess second;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("ASAN_OPTIONS", "detect_leaks=0");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    second.setProcessEnvironment(environment);
    // A relative name: the running program gets it whole.
    second.setWorkingDirectory(folder.path());
    second.start(QStringLiteral(TOLVANE_PROGRAM), {"three.vcf"});
    ASSERT_TRUE(second.waitForStarted());
    ASSERT_TRUE(runUntil([&] { return second.state() == QProcess::NotRunning; }, 30000))
        << second.readAllStandardError().toStdString();
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();

    ASSERT_TRUE(runUntil([&] { return contactTitles() == kSentTitles; }))
        << contactTitles().join(", ").toStdString();
}

} // namespace

#include "tests/loader/window/dataloadertest.h"

#include "google/batch/batchkeys.h"
#include "loader/loaderkeys.h"
#include "loader/window/agentclient.h"
#include "loader/window/grouprowsmodel.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include <QPointer>
#include <QWidget>

namespace {

enum class Job { SimpleUpload, AdvancedUpload, SimpleDownload, AdvancedDownload };

struct SilencingCase
{
    const char *name;
    Job run;
    // A fault the server answers the pass with: path part and status; none when empty.
    const char *faultPath;
    const char *faultMethod;
    int status;
    bool processReports;
};

class AgentTest : public DataLoaderTest
{
protected:
    void SetUp() override
    {
        DataLoaderTest::SetUp();
        for (int i = 0; i < 3; ++i) {
            const PersonPtr person = Person::create();
            person->setValueForProperty(QStringLiteral("Crew%1").arg(i), kABFirstNameProperty);
            person->setValueForProperty(QStringLiteral("Member"), kABLastNameProperty);
            ASSERT_TRUE(AddressBook::shared()->addRecord(person));
            members << person;
        }
        const GroupPtr crew = Group::create();
        crew->setValueForProperty(QStringLiteral("Crew"), kABGroupNameProperty);
        ASSERT_TRUE(AddressBook::shared()->addRecord(crew));
        for (const PersonPtr &person : members)
            crew->addMember(person);
        ASSERT_TRUE(AddressBook::shared()->save());
    }

    QAbstractButton *buttonFor(Job run)
    {
        switch (run) {
        case Job::SimpleUpload:
            return loader->simpleUploadButton();
        case Job::AdvancedUpload:
            return loader->advancedUploadButton();
        case Job::SimpleDownload:
            return loader->simpleDownloadButton();
        case Job::AdvancedDownload:
            return loader->advancedDownloadButton();
        }
        return nullptr;
    }
    void tickAll(GroupRowsModel *model)
    {
        for (int row = 0; row < model->rowCount(); ++row)
            model->setData(model->index(row, 0), Qt::Checked, Qt::CheckStateRole);
    }

    QList<PersonPtr> members;
};

class AgentSilencingTest : public AgentTest, public ::testing::WithParamInterface<SilencingCase>
{
};

TEST_P(AgentSilencingTest, TheAgentIsOffForThePassAndOnAgainOnceTheProcessHasEnded)
{
    const SilencingCase &c = GetParam();
    startAgentStandIn();
    UserDefaults::standard().setBool(c.processReports, batchkeys::showGoogleProcessReports);
    ASSERT_TRUE(openLoader());
    if (c.run == Job::SimpleDownload || c.run == Job::AdvancedDownload) {
        // Something on Google to download first.
        ASSERT_TRUE(runPass(loader->simpleUploadButton()));
        ASSERT_EQ(agentCalls(), (QStringList{"false", "true"}));
    }
    if (c.run == Job::AdvancedUpload)
        tickAll(loader->abGroupModel());
    if (c.run == Job::AdvancedDownload)
        tickAll(loader->googleGroupModel());
    const int callsBefore = int(agentCalls().size());
    bool listeningAtPass = true;
    QObject::connect(loader, &DataMoverWindowController::passStarting, loader,
                     [&] { listeningAtPass = agentListening(); });
    bool listeningAtEnd = false;
    QObject::connect(loader, &DataMoverWindowController::processEnded, loader,
                     [&] { listeningAtEnd = agentListening(); });
    if (c.faultPath[0])
        server.injectFault(QString::fromUtf8(c.faultPath), c.status, 50, 0, false, c.faultMethod);
    ASSERT_TRUE(runPass(buttonFor(c.run)));
    EXPECT_EQ(agentCalls().mid(callsBefore), (QStringList{"false", "true"}));
    if (!c.faultPath[0] || QByteArray(c.faultMethod) == "POST") {
        EXPECT_FALSE(listeningAtPass);
    }
    EXPECT_TRUE(listeningAtEnd);
    EXPECT_TRUE(agentListening());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AgentSilencingTest,
    ::testing::Values(
        SilencingCase{"SimpleUpload", Job::SimpleUpload, "", "", 0, false},
        SilencingCase{"SimpleUploadWithReports", Job::SimpleUpload, "", "", 0, true},
        SilencingCase{"SimpleUploadFailing", Job::SimpleUpload, "/batch", "POST", 500, false},
        SilencingCase{"AdvancedUpload", Job::AdvancedUpload, "", "", 0, false},
        SilencingCase{"AdvancedGroupBatchFailing", Job::AdvancedUpload, "groups", "POST", 500, false},
        SilencingCase{"SimpleDownload", Job::SimpleDownload, "", "", 0, false},
        SilencingCase{"AdvancedDownload", Job::AdvancedDownload, "", "", 0, false},
        SilencingCase{"DownloadWithFailingFetch", Job::SimpleDownload, "/full", "GET", 503, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(AgentTest, ClosingTheWindowMidUploadStillEndsTheProcessAndWakesTheAgent)
{
    startAgentStandIn();
    ASSERT_TRUE(openLoader());
    QPointer<DataMoverWindowController> controller = loader;
    QPointer<QWidget> window = loader->window();
    // The window closes while the engine is midway through the chain.
    QObject::connect(loader, &DataMoverWindowController::passStarting, loader,
                     [window] { QMetaObject::invokeMethod(window, [window] { window->close(); },
                                                          Qt::QueuedConnection); });
    const int before = processesEnded;
    prompter.answer(kAlertSecondButtonReturn);
    loader->simpleUploadButton()->click();
    ASSERT_TRUE(runUntil([&] { return processesEnded > before; }, 120000));
    EXPECT_EQ(agentCalls(), (QStringList{"false", "true"}));
    EXPECT_EQ(int(liveEntries(GDataEntryBase::Kind::Contact).size()),
              int(AddressBook::shared()->people().size()));
    // Released once the process has ended.
    EXPECT_TRUE(runUntil([&] { return controller.isNull(); }));
    loader = nullptr;
    EXPECT_FALSE(delegate->dataMoverWindowController());
}

TEST_F(AgentTest, NothingIsAskedOfAnAgentThatDoesNotRun)
{
    EXPECT_FALSE(agentclient::isAgentListening());
    ASSERT_TRUE(openLoader());
    ASSERT_TRUE(runPass(loader->simpleUploadButton()));
    EXPECT_EQ(int(liveEntries(GDataEntryBase::Kind::Contact).size()),
              int(AddressBook::shared()->people().size()));
}

} // namespace

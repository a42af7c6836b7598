#include "tests/loader/window/dataloadertest.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/google/linkproperties.h"
#include "app/windows/windowfactory.h"
#include "google/download/downloadkeys.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlekeys.h"
#include "google/upload/uploadkeys.h"
#include "loader/loaderkeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/scripting/agentcommands.h"
#include "platform/scripting/busprograms.h"
#include "tests/support/google/downloadroad.h"
#include "tests/support/google/linkpreferences.h"

#include <QAbstractButton>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QProcess>

void DataLoaderTest::SetUp()
{
    MainProgramTest::SetUp();
    windowfactory::setMaker(WindowController::Kind::DataMover,
                            [] { return std::make_unique<DataMoverWindowController>(); });
    ASSERT_TRUE(linkpreferences::useTestLinkProperties());
    UserDefaults &ud = UserDefaults::standard();
    for (const QString &key :
         {loaderkeys::gmUpdateGroups, abkeys::gmUpdatePeople, abkeys::gmUpdateCompanies,
          googlekeys::gmUpdateName, googlekeys::gmUpdateEmail, googlekeys::gmUpdatePhone,
          googlekeys::gmUpdatePostal, googlekeys::gmUpdateMemberships, googlekeys::gmUpdateCompany,
          googlekeys::gmUpdateTitle, googlekeys::gmUpdateNotes, loaderkeys::abUpdateGroups,
          loaderkeys::abUpdateContacts})
        ud.setBool(true, key);
    // The guards against moving and removing records are the cases' own choice, whatever the
    // factory values.
    for (const QString &key :
         {googlekeys::gmUpdateNeverMoveMeCard, googlekeys::gmUpdateNeverRemoveGroups,
          googlekeys::gmUpdateNeverRemoveContacts, abkeys::abUpdateNeverRemoveSmartGroups,
          abkeys::abUpdateNeverRemoveManualGroups, abkeys::abUpdateNeverRemoveCompanies,
          abkeys::abUpdateNeverRemovePeople, abkeys::abUpdateNeverRemoveContacts})
        ud.setBool(false, key);
    downloadroad::useDownloadOptions();
    storePassword(kPassword);
}

void DataLoaderTest::TearDown()
{
    if (loader && loader->window())
        loader->window()->close();
    // The next test's agent must find the name free.
    if (m_withAgent && busprograms::quit(agentcommands::kBundleIdentifier))
        runUntil([] { return !busprograms::isRunning(agentcommands::kBundleIdentifier); }, 5000);
    MainProgramTest::TearDown();
}

bool DataLoaderTest::openLoader()
{
    if (!startProgram())
        return false;
    if (!runUntil([this] {
            return delegate->appGoogleContactTool() &&
                   delegate->appGoogleContactTool()->isLoggedIn();
        }))
        return false;
    if (m_withAgent) {
        // Installed by the start-up; started here unless the start-up started it.
        if (!busprograms::isRunning(agentcommands::kBundleIdentifier) &&
            !busprograms::launch(agentcommands::kBundleIdentifier))
            return false;
        if (!runUntil([] { return busprograms::isRunning(agentcommands::kBundleIdentifier); }))
            return false;
    }
    delegate->openDataMover();
    loader = qobject_cast<DataMoverWindowController *>(delegate->dataMoverWindowController());
    if (!loader)
        return false;
    QObject::connect(loader, &DataMoverWindowController::processEnded, loader,
                     [this] { ++processesEnded; });
    loader->setABBackingData();
    loader->determineGoogleGroupCounts();
    return settle();
}

GoogleContactTool *DataLoaderTest::tool() const
{
    return delegate->appGoogleContactTool();
}

bool DataLoaderTest::settle()
{
    return runUntil([this] { return loader->isIdle(); }, 60000);
}

bool DataLoaderTest::runPass(QAbstractButton *button, int answer)
{
    const int before = processesEnded;
    prompter.answer(answer);
    button->click();
    if (!runUntil([this, before] { return processesEnded > before; }, 120000))
        return false;
    return settle();
}

std::vector<GDataEntryPtr> DataLoaderTest::liveEntries(GDataEntryBase::Kind kind)
{
    std::vector<GDataEntryPtr> live;
    const GDataFeedPtr feed = server.entries(kAccount, kind);
    for (const GDataEntryPtr &entry : feed->entries()) {
        if (!entry->isDeleted())
            live.push_back(entry);
    }
    return live;
}

int DataLoaderTest::batchRequests()
{
    return int(requestsTo(QStringLiteral("/batch")).size());
}

QStringList DataLoaderTest::sheetTitles() const
{
    return promptMessages();
}

void DataLoaderTest::startAgentStandIn()
{
    // The program installs the stand-in as its agent and starts it.
    provideAgentPayload();
    m_withAgent = true;
}

QStringList DataLoaderTest::agentCalls()
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        busprograms::runningBusName(agentcommands::kBundleIdentifier), agentcommands::kPath,
        agentcommands::kInterface, QStringLiteral("Calls"));
    const QDBusReply<QStringList> reply = QDBusConnection::sessionBus().call(call);
    return reply.isValid() ? reply.value() : QStringList{QStringLiteral("no answer")};
}

bool DataLoaderTest::agentListening()
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        busprograms::runningBusName(agentcommands::kBundleIdentifier), agentcommands::kPath,
        agentcommands::kInterface, agentcommands::kIsListening);
    const QDBusReply<bool> reply = QDBusConnection::sessionBus().call(call);
    return reply.isValid() && reply.value();
}

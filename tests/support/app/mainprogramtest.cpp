#include "tests/support/app/mainprogramtest.h"

#include "addressbook/addressbookkeys.h"
#include "app/bundleinfo.h"
#include "foundation/keychain/emkeychainproxy.h"
#include "foundation/programfolder.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlekeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/keychain/keychain.h"
#include "platform/ui/termination.h"
#include "tests/support/addressbook/freshhomepertest.h"
#include "tests/support/addressbook/testpersons.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QUuid>

// Every test of the programs that use this fixture starts from a home of its own and a closed
// address book, so that each program passes whole in one process as it does test by test.
namespace {

const bool kFreshHomePerTest = freshhomepertest::install();

void giveMeAnAddressAndPhone()
{
    const PersonPtr me = AddressBook::shared()->me();
    ASSERT_TRUE(me);
    me->setValueForProperty(QVariant::fromValue(labelledValues(
                                PropertyType::MultiDictionary,
                                {{kABAddressHomeLabel,
                                  QVariantMap{{kABAddressStreetKey, QStringLiteral("1 Elm Street")},
                                              {kABAddressCityKey, QStringLiteral("Springfield")},
                                              {kABAddressStateKey, QStringLiteral("IL")},
                                              {kABAddressZIPKey, QStringLiteral("62704")},
                                              {kABAddressCountryKey, QStringLiteral("US")}}}})),
                            kABAddressProperty);
    me->setValueForProperty(
        QVariant::fromValue(
            labelledValues(PropertyType::MultiString, {{kABPhoneWorkLabel, "(217) 555-0100"}})),
        kABPhoneProperty);
    ASSERT_TRUE(AddressBook::shared()->save());
}

} // namespace

void MainProgramTest::SetUp()
{
    UserDefaults::setStandardDomain(bundleinfo::kBundleIdentifier);
    ASSERT_TRUE(programFolder.isValid());
    ASSERT_TRUE(localDomain.isValid());
    // The address book tool need only be there: the program never runs it as a server.
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(ABTOOL_PATH), QDir(programFolder.path()).filePath("abtool")));
    programfolder::setPathForTesting(programFolder.path());
    qputenv("XDG_DATA_DIRS", localDomain.path().toUtf8());

    ASSERT_TRUE(server.start());
    server.addAccount(kAccount, kPassword);
    keychainService = QStringLiteral("tolvane-app-test-") + QUuid::createUuid().toString();
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setString(server.baseUrl().toString(), googlekeys::googleServiceBaseURL);
    defaults.setString(QStringLiteral("@example.com"), googlekeys::gMailSuffix);
    defaults.setString(keychainService, googlekeys::keychainItemName);
    defaults.setString(QStringLiteral("bob"), googlekeys::gsAccount);
    giveMeAnAddressAndPhone();
    m_previousTermination = termination::setHandler([this] { ++terminations; });
    windows = std::make_unique<RecordingWindowFactory>(journal);
}

void MainProgramTest::TearDown()
{
    delegate.reset();
    windows.reset();
    termination::setHandler(m_previousTermination);
    keychain::deletePassword(KeychainItemRef{keychainService, kAccount});
    programfolder::setPathForTesting(QString());
}

bool MainProgramTest::startProgram()
{
    if (!AppDelegate::initialize())
        return false;
    delegate = std::make_unique<AppDelegate>();
    return delegate->awakeFromNib();
}

bool MainProgramTest::startAndLogIn()
{
    if (!startProgram())
        return false;
    return runUntil([this] {
        return journal.contains(QStringLiteral("made:dataMover")) ||
               journal.contains(QStringLiteral("made:browser"));
    });
}

bool MainProgramTest::runUntil(const std::function<bool()> &done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

void MainProgramTest::storePassword(const QString &password)
{
    ASSERT_TRUE(EMKeychainProxy::sharedProxy().addGenericKeychainItemForService(
        keychainService, kAccount, password));
}

QString MainProgramTest::storedPassword(const QString &account)
{
    const auto item =
        EMKeychainProxy::sharedProxy().genericKeychainItemForService(keychainService, account);
    return item ? item->password() : QString();
}

QStringList MainProgramTest::requestsTo(const QString &pathPart)
{
    return server.requestsTo(pathPart);
}

QStringList MainProgramTest::promptMessages() const
{
    return prompter.messages();
}

QString MainProgramTest::agentPayload()
{
    return programfolder::programPath(bundleinfo::kAgentFileName);
}

void MainProgramTest::provideAgentPayload()
{
    // A script rather than the peer itself: the installed copy is started through its desktop
    // entry without arguments, and the peer takes the bus name as its argument.
    QFile payload(agentPayload());
    ASSERT_TRUE(payload.open(QIODevice::WriteOnly));
    payload.write(
        QStringLiteral("#!/bin/sh\nexec \"%1\" %2\n")
            .arg(QStringLiteral(TOLVANE_SCRIPTING_PEER), bundleinfo::kAgentBundleIdentifier)
            .toUtf8());
    payload.close();
    ASSERT_TRUE(payload.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

QString MainProgramTest::library(const QString &relative) const
{
    return QDir(qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Tolvane"))
        .filePath(relative);
}

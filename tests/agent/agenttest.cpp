#include "tests/agent/agenttest.h"

#include "agent/agentkeys.h"
#include "foundation/keychain/emkeychainproxy.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlekeys.h"
#include "google/push/pushkeys.h"
#include "platform/addressbook/addressbook.h"
#include "platform/defaults/userdefaults.h"
#include "platform/keychain/keychain.h"
#include "platform/ui/statusitem.h"
#include "platform/ui/termination.h"
#include "tests/support/addressbook/freshhomepertest.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QUuid>

// Every test of the programs that use this fixture starts from a home of its own and a closed
// address book, so that each program passes whole in one process as it does test by test.
namespace {

const bool kFreshHomePerTest = freshhomepertest::install();

} // namespace

void AgentTest::SetUp()
{
    UserDefaults::setStandardDomain(agentkeys::kAgentDomain);
    QCoreApplication::setApplicationName(agentkeys::kApplicationName);
    StatusItem::setTrayAvailableForTesting(false);
    ASSERT_TRUE(data.isValid());
    ASSERT_TRUE(server.start());
    server.addAccount(kAccount, kPassword);
    keychainService = QStringLiteral("tolvane-agent-test-") + QUuid::createUuid().toString();
    setMainPreference(googlekeys::googleServiceBaseURL, server.baseUrl().toString());
    setMainPreference(googlekeys::gMailSuffix, QStringLiteral("@example.com"));
    setMainPreference(googlekeys::keychainItemName, keychainService);
    setMainPreference(googlekeys::gsAccount, QStringLiteral("bob"));
    setMainPreference(googlekeys::datafilePath, QDir(data.path()).filePath("Tolvane.store"));
    for (const QString &name : {QStringLiteral("pending"), QStringLiteral("archive"),
                                QStringLiteral("tmp"), QStringLiteral("restart")})
        ASSERT_TRUE(QDir().mkpath(folder(name)));
    setMainPreference(googlekeys::pendingFolderPath, folder("pending"));
    setMainPreference(pushkeys::pendingArchiveFolderPath, folder("archive"));
    setMainPreference(googlekeys::tmpFolderPath, folder("tmp"));
    setMainPreference(googlekeys::restartFolderPath, folder("restart"));
    setMainPreference(pushkeys::autoABPushMode, 1);
    setMainPreference(pushkeys::autoPushABChanges, 1);
    setMainPreference(agentkeys::tolvaneAgentDoesPoll, true);
    // A Me record, which the agent's start-up checks.
    ASSERT_FALSE(addPersonElsewhere(QStringLiteral("Me"), QStringLiteral("Myself")).isEmpty());
    const QStringList listed = abtool({QStringLiteral("list")}).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_FALSE(listed.isEmpty());
    ASSERT_FALSE(abtool({QStringLiteral("set-me"), listed.first().section(u'\t', 0, 0)}).isNull());
    AddressBook::shared()->checkForExternalChanges();
    m_previousTermination = termination::setHandler([this] { ++terminations; });
}

void AgentTest::TearDown()
{
    delegate.reset();
    termination::setHandler(m_previousTermination);
    keychain::deletePassword(KeychainItemRef{keychainService, kAccount});
    StatusItem::setTrayAvailableForTesting(std::nullopt);
}

QString AgentTest::folder(const QString &name) const
{
    return QDir(data.path()).filePath(name);
}

void AgentTest::setMainPreference(const QString &key, const QVariant &value)
{
    UserDefaults main(agentkeys::kMainDomain);
    main.setObject(value, key);
    main.synchronize();
}

void AgentTest::storePassword()
{
    if (EMKeychainProxy::sharedProxy().genericKeychainItemForService(keychainService, kAccount))
        return;
    ASSERT_TRUE(EMKeychainProxy::sharedProxy().addGenericKeychainItemForService(
        keychainService, kAccount, kPassword));
}

bool AgentTest::startAgent()
{
    if (!StatusAppDelegate::initialize())
        return false;
    delegate = std::make_unique<StatusAppDelegate>();
    return delegate->awakeFromNib();
}

bool AgentTest::startAndLogIn()
{
    storePassword();
    if (!startAgent())
        return false;
    return runUntil([this] { return delegate->appGoogleContactTool()->isLoggedIn(); });
}

bool AgentTest::runUntil(const std::function<bool()> &done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

QString AgentTest::abtool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(ABTOOL_PATH), arguments);
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return QString();
    // Empty output is still a success: never a null text.
    const QString output = QString::fromUtf8(process.readAllStandardOutput());
    return output.isNull() ? QStringLiteral("") : output;
}

QString AgentTest::addPersonElsewhere(const QString &first, const QString &last)
{
    const QString card = QDir(data.path()).filePath(QUuid::createUuid().toString() + ".vcf");
    QFile file(card);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(
        QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:%2;%1;;;\r\nFN:%1 %2\r\nEND:VCARD\r\n")
            .arg(first, last)
            .toUtf8());
    file.close();
    const QStringList before = abtool({QStringLiteral("list")}).split(u'\n', Qt::SkipEmptyParts);
    if (abtool({QStringLiteral("import"), card}).isNull())
        return QString();
    for (const QString &line : abtool({QStringLiteral("list")}).split(u'\n', Qt::SkipEmptyParts))
        if (!before.contains(line))
            return line.section(u'\t', 0, 0);
    return QString();
}

QStringList AgentTest::serverContactTitles()
{
    QStringList titles;
    const GDataFeedPtr feed = server.entries(kAccount, GDataEntryBase::Kind::Contact);
    if (!feed)
        return titles;
    for (const GDataEntryPtr &entry : feed->entries())
        if (!entry->isDeleted())
            titles << entry->title().value_or(QString());
    return titles;
}

int AgentTest::countLines(const QString &text) const
{
    int count = 0;
    for (const QString &line : lines())
        if (line.contains(text))
            ++count;
    return count;
}

#include "tests/support/google/engineservertest.h"

#include "foundation/keychain/emkeychainproxy.h"
#include "google/engine/googlekeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataservicegooglecontact.h"
#include "platform/keychain/keychain.h"
#include "platform/ui/termination.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonObject>
#include <QUuid>

void EngineServerTest::SetUp()
{
    ASSERT_TRUE(server.start());
    server.addAccount(kUser, kPassword);
    keychainService = QStringLiteral("tolvane-engine-test-") + QUuid::createUuid().toString();
    UserDefaults &ud = UserDefaults::standard();
    ud.setString(server.baseUrl().toString(), googlekeys::googleServiceBaseURL);
    ud.setString(QStringLiteral("@example.com"), googlekeys::gMailSuffix);
    ud.setString(keychainService, googlekeys::keychainItemName);
    ud.setString(QStringLiteral("zel-tor-Tolvane-1.0"), googlekeys::kGoogleSource);
    m_previousQuit = termination::setHandler([this] { quitRequested = true; });
}

void EngineServerTest::TearDown()
{
    termination::setHandler(m_previousQuit);
    keychain::deletePassword(KeychainItemRef{keychainService, kUser});
}

std::unique_ptr<OfferingEngine> EngineServerTest::makeEngine(GoogleContactTool::Role role)
{
    auto engine = std::make_unique<OfferingEngine>(role, journal);
    engine->setUIDelegate(&ui);
    engine->setDataDelegate(&data);
    engine->setMocDelegate(&moc);
    // Quick retries keep the failure tests short.
    GDataServiceGoogleContact::RetryPolicy quick;
    quick.delaysMs = {20, 40};
    engine->contactService()->setRetryPolicy(quick);
    return engine;
}

void EngineServerTest::storePassword(const QString &password)
{
    ASSERT_TRUE(EMKeychainProxy::sharedProxy().addGenericKeychainItemForService(keychainService,
                                                                                kUser, password));
}

bool EngineServerTest::runUntil(const std::function<bool()> &done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

bool EngineServerTest::logIn(OfferingEngine &engine)
{
    engine.setUser(kUser);
    if (!engine.establishUserCredentials())
        return false;
    engine.fetchAllGroupsWithUIRefresh(true, true);
    return runUntil([&] { return engine.isLoggedIn(); });
}

bool EngineServerTest::flag(const QString &key)
{
    return UserDefaults::standard().boolForKey(key);
}

QStringList EngineServerTest::requestsTo(const QString &pathPart)
{
    return server.requestsTo(pathPart);
}

QStringList EngineServerTest::promptMessages() const
{
    return prompter.messages();
}

std::vector<GDataEntryPtr> EngineServerTest::serverEntries(GDataEntryBase::Kind kind)
{
    return server.entries(kUser, kind)->entries();
}

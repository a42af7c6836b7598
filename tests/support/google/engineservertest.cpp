#include "tests/support/google/engineservertest.h"

#include "foundation/keychain/emkeychainproxy.h"
#include "google/engine/googlekeys.h"
#include "google/engine/googleoauthclient.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/gdataservicegooglecontact.h"
#include "platform/gdata/oauth/oauthcredential.h"
#include "platform/gdata/people/peoplereader.h"
#include "platform/keychain/keychain.h"
#include "platform/ui/termination.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QUuid>

namespace {

const QString kClientId = QStringLiteral("tolvane-suites.apps.loopback");
const QString kClientSecret = QStringLiteral("suites-client-secret");

} // namespace

std::string protocolName(ServiceProtocol protocol)
{
    return protocol == ServiceProtocol::People ? "People" : "Atom";
}

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
    if (m_protocol == ServiceProtocol::People) {
        server.registerOAuthClient(kClientId, kClientSecret);
        ASSERT_TRUE(googleoauthclient::storeClient({kClientId, kClientSecret}));
        ud.setString(QStringLiteral("people"), googlekeys::googleServiceProtocol);
    }
    m_previousQuit = termination::setHandler([this] { quitRequested = true; });
}

void EngineServerTest::TearDown()
{
    if (m_protocol == ServiceProtocol::People) {
        expectPeopleDiscipline();
        googleoauthclient::clearClient();
        UserDefaults::standard().removeObjectForKey(googlekeys::googleServiceProtocol);
    }
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
    engine->contactService()->setPeopleRetryPolicy(quick);
    // Every request the engine makes ends at its service's network manager; the hosts are kept
    // for the check that nothing left the loopback interface.
    QObject::connect(engine->contactService()->networkAccessManager(),
                     &QNetworkAccessManager::finished, engine.get(),
                     [this](QNetworkReply *reply) { m_hosts.insert(reply->url().host()); });
    return engine;
}

void EngineServerTest::storePassword(const QString &password)
{
    ASSERT_TRUE(EMKeychainProxy::sharedProxy().addGenericKeychainItemForService(keychainService,
                                                                                kUser, password));
}

void EngineServerTest::storeCredentials()
{
    if (m_protocol == ServiceProtocol::Atom) {
        storePassword(kPassword);
        return;
    }
    const GDataTestServer::MintedToken minted = server.mintToken(kUser, kClientId);
    m_refreshToken = minted.refreshToken;
    storePassword(
        serializeOAuthCredential({kClientId, minted.refreshToken,
                                  QStringLiteral("https://www.googleapis.com/auth/contacts")}));
}

QStringList EngineServerTest::writeRequests()
{
    if (m_protocol == ServiceProtocol::Atom)
        return requestsTo(QStringLiteral("/batch"));
    QStringList writes;
    for (const QJsonValue &value : server.requestLog()) {
        const QJsonObject request = value.toObject();
        const QString url = request.value("url").toString();
        if (request.value("method").toString() != QLatin1String("GET") &&
            !url.contains(QLatin1String("/_admin")) && !url.contains(QLatin1String("/token")))
            writes << url;
    }
    return writes;
}

QStringList EngineServerTest::engineIdentifiers(const QStringList &serverIDs,
                                                GDataEntryBase::Kind kind)
{
    if (m_protocol == ServiceProtocol::Atom)
        return serverIDs;
    const QString api = makeEngine()->contactService()->peopleAPIRoot();
    QStringList identifiers;
    for (const QString &id : serverIDs) {
        // A group's resource name ends in the last segment of its Atom identifier.
        const QString name =
            kind == GDataEntryBase::Kind::ContactGroup
                ? QStringLiteral("contactGroups/") + QUrl(id).path().section(u'/', -1)
                : server.peopleJson(kUser, id).value("resourceName").toString();
        identifiers << peoplereader::identifierForResourceName(api, name);
    }
    return identifiers;
}

QString EngineServerTest::photoPathOf(const QString &contactID)
{
    if (m_protocol == ServiceProtocol::People) {
        for (const QJsonValue &photo :
             server.peopleJson(kUser, contactID).value("photos").toArray()) {
            if (!photo.toObject().value("default").toBool())
                return QUrl(photo.toObject().value("url").toString()).path();
        }
    } else {
        for (const GDataEntryPtr &entry : serverEntries(GDataEntryBase::Kind::Contact)) {
            const auto contact = std::static_pointer_cast<GDataEntryContact>(entry);
            if (contact->identifier() == contactID && contact->photoLink())
                return contact->photoLink()->URL().path();
        }
    }
    ADD_FAILURE() << "contact " << contactID.toStdString() << " has no photo";
    return {};
}

void EngineServerTest::expectPeopleDiscipline()
{
    EXPECT_LE(server.mostMutationsInFlight(kUser), 1);
    EXPECT_FALSE(m_hosts.isEmpty()) << "no request of the engine was seen";
    for (const QString &host : std::as_const(m_hosts))
        EXPECT_EQ(host, QStringLiteral("127.0.0.1"));
    // Access tokens the token endpoint hands out, the refresh token and the client's secret.
    QStringList secrets = {QStringLiteral("ya29."), kClientSecret};
    if (!m_refreshToken.isEmpty())
        secrets << m_refreshToken;
    for (const QString &line : lines()) {
        for (const QString &secret : std::as_const(secrets))
            EXPECT_FALSE(line.contains(secret)) << line.toStdString();
    }
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

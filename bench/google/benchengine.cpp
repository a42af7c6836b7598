#include "bench/google/benchengine.h"

#include "bench/platform/gdata/loopbackserver.h"
#include "tests/support/google/linkpreferences.h"

#include "addressbook/addressbookkeys.h"
#include "google/download/downloadkeys.h"
#include "google/engine/googlekeys.h"
#include "google/engine/googleoauthclient.h"
#include "google/entries/datamask.h"
#include "google/upload/googleelementkeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/oauth/oauthcredential.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

namespace benchengine {

namespace {

constexpr int kSignInTimeoutMs = 300000;
const QString kClientId = QStringLiteral("tolvane-bench.apps.loopback");
const QString kClientSecret = QStringLiteral("bench-secret");

} // namespace

bool usePreferences(const QUrl &serverBaseUrl)
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setString(serverBaseUrl.toString(), googlekeys::googleServiceBaseURL);
    defaults.setString(QStringLiteral("@example.com"), googlekeys::gMailSuffix);
    defaults.setString(QStringLiteral("zel-tor-Tolvane-1.0"), googlekeys::kGoogleSource);
    defaults.setString(QStringLiteral("1111111111-1-1-1"), abkeys::addressBookDataMask);
    for (const QString &key : {abkeys::gmUpdatePeople,          abkeys::gmUpdateCompanies,
                               googlekeys::gmUpdateName,        googlekeys::gmUpdateCompany,
                               googlekeys::gmUpdateNotes,       googlekeys::gmUpdateTitle,
                               googlekeys::gmUpdateEmail,       googlekeys::gmUpdatePhone,
                               googlekeys::gmUpdateIM,          googlekeys::gmUpdatePostal,
                               googlekeys::gmUpdateMemberships, googlekeys::abUpdateName,
                               googlekeys::abUpdateCompany,     googlekeys::abUpdateNotes,
                               googlekeys::abUpdateTitle,       googlekeys::abUpdateEmail,
                               googlekeys::abUpdatePhone,       googlekeys::abUpdateIM,
                               googlekeys::abUpdatePostal,      googlekeys::abUpdateMemberships,
                               googlekeys::abUpdatePicture})
        defaults.setBool(true, key);
    datamask::setGoogleDataMask();
    return linkpreferences::useTestLinkProperties();
}

bool waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    // Wakes the wait now and then, so the deadline is seen when nothing else happens.
    QTimer tick;
    tick.start(20);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}

QString useProtocol(LoopbackServer &server, GDataServiceGoogleContact::Protocol protocol)
{
    const bool people = protocol == GDataServiceGoogleContact::Protocol::People;
    UserDefaults::standard().setString(people ? QStringLiteral("people") : QStringLiteral("atom"),
                                       googlekeys::googleServiceProtocol);
    if (!people)
        return kPassword;
    if (!server.registerOAuthClient(kClientId, kClientSecret) ||
        !googleoauthclient::storeClient({kClientId, kClientSecret}))
        return {};
    const QString refreshToken = server.mintRefreshToken(kUser, kClientId);
    return refreshToken.isEmpty() ? QString()
                                  : serializeOAuthCredential({kClientId, refreshToken, {}});
}

std::unique_ptr<GoogleContactTool> signedInEngine(const QString &secret)
{
    auto engine = std::make_unique<GoogleContactTool>(GoogleContactTool::Role::MainProgram);
    engine->establishUser2CredentialsForUser(kUser, secret);
    if (!waitUntil([&] { return engine->isLoggedIn(); }, kSignInTimeoutMs))
        return nullptr;
    return engine;
}

} // namespace benchengine

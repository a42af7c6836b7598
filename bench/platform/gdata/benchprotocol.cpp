#include "bench/platform/gdata/benchprotocol.h"

#include "bench/platform/gdata/loopbackserver.h"

#include "platform/gdata/oauth/oauthcredential.h"

namespace {

const QString kClientId = QStringLiteral("tolvane-bench.apps.loopback");
const QString kClientSecret = QStringLiteral("bench-secret");

} // namespace

namespace benchprotocol {

GDataServiceGoogleContact::Protocol fromArgument(long argument)
{
    return argument == 1 ? GDataServiceGoogleContact::Protocol::People
                         : GDataServiceGoogleContact::Protocol::Atom;
}

const char *label(GDataServiceGoogleContact::Protocol protocol)
{
    return protocol == GDataServiceGoogleContact::Protocol::People ? "People" : "Atom";
}

bool useAccount(LoopbackServer &server, GDataServiceGoogleContact &service,
                GDataServiceGoogleContact::Protocol protocol, const QString &user,
                const QString &password)
{
    service.setProtocol(protocol);
    service.setBaseUrl(server.baseUrl());
    if (protocol == GDataServiceGoogleContact::Protocol::Atom) {
        service.setUserCredentials(user, password);
        return true;
    }
    if (!server.registerOAuthClient(kClientId, kClientSecret))
        return false;
    const QString refreshToken = server.mintRefreshToken(user, kClientId);
    if (refreshToken.isEmpty())
        return false;
    service.setOAuthClient(kClientId, kClientSecret);
    service.setUserCredentials(user, serializeOAuthCredential({kClientId, refreshToken, {}}));
    return true;
}

} // namespace benchprotocol

// OAuth 2.0 for installed applications: the authorization endpoint with its consent page (or an
// answer at once under autoConsent), the token endpoint (authorization codes with PKCE, refresh
// tokens) and revocation; and the bearer tokens the People face takes.
#pragma once

#include "tools/gdata-server/http/httpmessage.h"
#include "tools/gdata-server/serveroptions.h"
#include "tools/gdata-server/serverstate.h"

#include <QUrlQuery>

class OAuthApi
{
public:
    OAuthApi(ServerState &state, const ServerOptions &options)
        : m_state(state)
        , m_options(options)
    {}

    static bool handles(const QString &path);
    HttpResponse handle(const HttpRequest &request);

    struct Bearer
    {
        Account *account = nullptr;
        std::optional<HttpResponse> refusal; // 401 (no live token) or 403 (scope not granted)
    };
    // The account a request's bearer token signs in for the contacts scope.
    Bearer bearer(const HttpRequest &request);

    // The refresh token (and a first access token) of a grant made without the browser.
    QJsonObject mint(const QString &email, const QString &clientId, const QString &scope);

private:
    HttpResponse authorize(const QUrlQuery &query);
    HttpResponse decide(const QUrlQuery &form);
    HttpResponse token(const QUrlQuery &form);
    HttpResponse revoke(const QUrlQuery &form);
    HttpResponse redirectWithCode(const QUrlQuery &request, const QString &email,
                                  const QString &grantedScopes);
    QJsonObject tokenAnswer(const QString &refreshToken, bool withRefreshToken);

    ServerState &m_state;
    const ServerOptions &m_options;
};

// The scopes Google grants for what was asked: "email" and "profile" grow into their URLs.
QString grantedScopes(const QString &asked);

#include "tools/gdata-server/oauth/oauthapi.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QMessageAuthenticationCode>

namespace {

const QString kContactsScope = QStringLiteral("https://www.googleapis.com/auth/contacts");
const QString kEmailScope = QStringLiteral("https://www.googleapis.com/auth/userinfo.email");
const QString kProfileScope = QStringLiteral("https://www.googleapis.com/auth/userinfo.profile");
constexpr int kCodeLifetimeSeconds = 600;

HttpResponse jsonAnswer(int status, const QJsonObject &body)
{
    HttpResponse response;
    response.status = status;
    response.body = QJsonDocument(body).toJson(QJsonDocument::Compact);
    response.setHeader("Content-Type", "application/json; charset=utf-8");
    response.setHeader("Cache-Control", "no-store");
    return response;
}

HttpResponse oauthError(int status, const char *error, const QString &description)
{
    return jsonAnswer(status,
                      {{"error", QLatin1String(error)}, {"error_description", description}});
}

HttpResponse page(int status, const QString &title, const QString &body)
{
    HttpResponse response;
    response.status = status;
    response.body = QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1"
                                   "</title></head><body><h1>%1</h1>%2</body></html>\n")
                        .arg(title.toHtmlEscaped(), body)
                        .toUtf8();
    response.setHeader("Content-Type", "text/html; charset=utf-8");
    return response;
}

bool isLoopbackRedirect(const QString &uri)
{
    const QUrl url(uri, QUrl::StrictMode);
    const QString host = url.host();
    return url.isValid() && url.scheme() == QLatin1String("http") && url.port() > 0 &&
           (host == QLatin1String("127.0.0.1") || host == QLatin1String("::1") ||
            host == QLatin1String("localhost"));
}

QString challengeOf(const QString &verifier)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(verifier.toLatin1(), QCryptographicHash::Sha256)
            .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

bool isVerifier(const QString &verifier)
{
    static const QString allowed =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~");
    return verifier.size() >= 43 && verifier.size() <= 128 &&
           std::all_of(verifier.begin(), verifier.end(),
                       [](QChar c) { return allowed.contains(c); });
}

QByteArray base64Url(const QByteArray &data)
{
    return data.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}

// A signed JWT naming the account, as the token endpoint answers an openid grant.
QString idToken(const QString &clientId, const QString &email, const QString &scope)
{
    static const QByteArray key = randomToken(32).toLatin1();
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    QJsonObject claims{
        {"iss", "https://accounts.google.com"},
        {"aud", clientId},
        {"azp", clientId},
        {"sub",
         QString::fromLatin1(
             QCryptographicHash::hash(email.toUtf8(), QCryptographicHash::Sha1).toHex().left(21))},
        {"iat", now},
        {"exp", now + 3600}};
    if (scope.split(u' ').contains(kEmailScope)) {
        claims.insert("email", email);
        claims.insert("email_verified", true);
    }
    const QByteArray signedPart =
        base64Url(QJsonDocument(QJsonObject{{"alg", "HS256"}, {"typ", "JWT"}})
                      .toJson(QJsonDocument::Compact)) +
        '.' + base64Url(QJsonDocument(claims).toJson(QJsonDocument::Compact));
    return QString::fromLatin1(
        signedPart + '.' +
        base64Url(QMessageAuthenticationCode::hash(signedPart, key, QCryptographicHash::Sha256)));
}

QUrlQuery formOf(const HttpRequest &request)
{
    QUrlQuery form(QString::fromLatin1(request.body).replace(u'+', u' '));
    // Parameters in the URL count as well, as some clients send them there.
    for (const auto &[key, value] : QUrlQuery(request.url).queryItems(QUrl::FullyDecoded)) {
        if (!form.hasQueryItem(key))
            form.addQueryItem(key, value);
    }
    return form;
}

QString formValue(const QUrlQuery &form, const char *key)
{
    return form.queryItemValue(QLatin1String(key), QUrl::FullyDecoded);
}

} // namespace

QString grantedScopes(const QString &asked)
{
    QStringList scopes;
    for (const QString &scope : asked.split(u' ', Qt::SkipEmptyParts)) {
        const QString granted = scope == QLatin1String("email")     ? kEmailScope
                                : scope == QLatin1String("profile") ? kProfileScope
                                                                    : scope;
        if (!scopes.contains(granted))
            scopes.append(granted);
    }
    return scopes.join(u' ');
}

bool OAuthApi::handles(const QString &path)
{
    return path == QLatin1String("/o/oauth2/v2/auth") ||
           path == QLatin1String("/o/oauth2/v2/auth/decision") || path == QLatin1String("/token") ||
           path == QLatin1String("/revoke");
}

HttpResponse OAuthApi::handle(const HttpRequest &request)
{
    const QString path = request.url.path();
    HttpResponse response =
        oauthError(405, "invalid_request", QStringLiteral("Method not allowed."));
    if (path == QLatin1String("/o/oauth2/v2/auth") && request.method == "GET")
        response = authorize(QUrlQuery(request.url));
    else if (path == QLatin1String("/o/oauth2/v2/auth/decision") && request.method == "POST")
        response = decide(formOf(request));
    else if (path == QLatin1String("/token") && request.method == "POST")
        response = token(formOf(request));
    else if (path == QLatin1String("/revoke") && request.method == "POST")
        response = revoke(formOf(request));
    if (request.method == "POST" && response.status < 400)
        m_state.save();
    return response;
}

HttpResponse OAuthApi::authorize(const QUrlQuery &query)
{
    const QString clientId = formValue(query, "client_id");
    if (!m_state.oauth().hasClient(clientId))
        return page(401, QStringLiteral("Error 401: invalid_client"),
                    QStringLiteral("<p>The OAuth client was not found.</p>"));
    const QString redirect = formValue(query, "redirect_uri");
    if (!isLoopbackRedirect(redirect))
        return page(400, QStringLiteral("Error 400: redirect_uri_mismatch"),
                    QStringLiteral("<p>A desktop client redirects to a loopback address.</p>"));
    if (formValue(query, "response_type") != QLatin1String("code") ||
        formValue(query, "code_challenge_method") != QLatin1String("S256") ||
        formValue(query, "code_challenge").size() != 43 || formValue(query, "scope").isEmpty())
        return page(400, QStringLiteral("Error 400: invalid_request"),
                    QStringLiteral("<p>response_type=code, a scope and an S256 code_challenge "
                                   "are required.</p>"));
    const QString hint = formValue(query, "login_hint");
    if (m_options.autoConsent) {
        QUrlQuery decision = query;
        decision.addQueryItem(QStringLiteral("decision"), m_options.consentDenied
                                                              ? QStringLiteral("deny")
                                                              : QStringLiteral("allow"));
        decision.addQueryItem(QStringLiteral("account"),
                              m_options.consentAccount.isEmpty() ? hint : m_options.consentAccount);
        const QString granted =
            m_options.consentScopes.isEmpty() ? formValue(query, "scope") : m_options.consentScopes;
        for (const QString &scope : granted.split(u' ', Qt::SkipEmptyParts))
            decision.addQueryItem(QStringLiteral("grant"), scope);
        return decide(decision);
    }
    // The page a person answers: the account, a box for each scope asked, Allow or Deny.
    QString fields;
    for (const char *key : {"client_id", "redirect_uri", "state", "code_challenge", "scope"})
        fields += QStringLiteral("<input type=\"hidden\" name=\"%1\" value=\"%2\">")
                      .arg(QLatin1String(key), formValue(query, key).toHtmlEscaped());
    fields += QStringLiteral("<p><label>Account <input name=\"account\" value=\"%1\"></label></p>")
                  .arg(hint.toHtmlEscaped());
    for (const QString &scope : formValue(query, "scope").split(u' ', Qt::SkipEmptyParts))
        fields += QStringLiteral("<p><label><input type=\"checkbox\" name=\"grant\" value=\"%1\" "
                                 "checked> %1</label></p>")
                      .arg(scope.toHtmlEscaped());
    return page(200, QStringLiteral("Sign in to continue"),
                QStringLiteral("<form method=\"post\" action=\"/o/oauth2/v2/auth/decision\">%1"
                               "<button name=\"decision\" value=\"allow\">Allow</button> "
                               "<button name=\"decision\" value=\"deny\">Deny</button></form>")
                    .arg(fields));
}

HttpResponse OAuthApi::decide(const QUrlQuery &form)
{
    const QString clientId = formValue(form, "client_id");
    const QString redirect = formValue(form, "redirect_uri");
    if (!m_state.oauth().hasClient(clientId) || !isLoopbackRedirect(redirect))
        return page(400, QStringLiteral("Error 400: invalid_request"), {});
    QUrl target(redirect);
    QUrlQuery answer;
    if (formValue(form, "decision") != QLatin1String("allow")) {
        answer.addQueryItem(QStringLiteral("error"), QStringLiteral("access_denied"));
    } else {
        Account *account = m_state.account(formValue(form, "account"));
        if (!account)
            return page(400, QStringLiteral("Couldn't find your Google Account"), {});
        const QStringList asked = grantedScopes(formValue(form, "scope")).split(u' ');
        QStringList granted;
        for (const QString &scope :
             form.allQueryItemValues(QStringLiteral("grant"), QUrl::FullyDecoded)) {
            const QString full = grantedScopes(scope);
            if (asked.contains(full) && !granted.contains(full))
                granted.append(full);
        }
        const QString scope = granted.join(u' ');
        const QString code = m_state.oauth().issueCode(
            {clientId, redirect, formValue(form, "code_challenge"), account->email(), scope,
             QDateTime::currentDateTimeUtc().addSecs(kCodeLifetimeSeconds)});
        answer.addQueryItem(QStringLiteral("code"), code);
        answer.addQueryItem(QStringLiteral("scope"), scope);
    }
    if (form.hasQueryItem(QStringLiteral("state")))
        answer.addQueryItem(QStringLiteral("state"), formValue(form, "state"));
    target.setQuery(answer);
    HttpResponse response;
    response.status = 302;
    response.setHeader("Location", target.toString(QUrl::FullyEncoded).toUtf8());
    return response;
}

QJsonObject OAuthApi::tokenAnswer(const QString &refreshToken, bool withRefreshToken)
{
    const auto grant = m_state.oauth().refreshGrant(refreshToken);
    QJsonObject answer{{"access_token", m_state.oauth().issueAccessToken(
                                            refreshToken, m_options.accessTokenLifetime)},
                       {"expires_in", m_options.accessTokenLifetime},
                       {"scope", grant->scope},
                       {"token_type", "Bearer"}};
    if (withRefreshToken)
        answer.insert("refresh_token", refreshToken);
    if (grant->scope.split(u' ').contains(QLatin1String("openid")))
        answer.insert("id_token", idToken(grant->clientId, grant->email, grant->scope));
    return answer;
}

HttpResponse OAuthApi::token(const QUrlQuery &form)
{
    const QString clientId = formValue(form, "client_id");
    if (!m_state.oauth().secretMatches(clientId, formValue(form, "client_secret")))
        return oauthError(401, "invalid_client", QStringLiteral("Unauthorized"));
    const QString grantType = formValue(form, "grant_type");
    if (grantType == QLatin1String("authorization_code")) {
        const auto code = m_state.oauth().takeCode(formValue(form, "code"));
        const QString verifier = formValue(form, "code_verifier");
        if (!code || code->clientId != clientId)
            return oauthError(400, "invalid_grant", QStringLiteral("Bad Request"));
        if (code->redirectUri != formValue(form, "redirect_uri"))
            return oauthError(400, "redirect_uri_mismatch", QStringLiteral("Bad Request"));
        if (!isVerifier(verifier) || challengeOf(verifier) != code->challenge)
            return oauthError(400, "invalid_grant", QStringLiteral("Invalid code verifier."));
        const QString refresh =
            m_state.oauth().issueRefreshToken({clientId, code->email, code->scope});
        return jsonAnswer(200, tokenAnswer(refresh, true));
    }
    if (grantType == QLatin1String("refresh_token")) {
        const QString refresh = formValue(form, "refresh_token");
        const auto grant = m_state.oauth().refreshGrant(refresh);
        if (!grant || grant->clientId != clientId)
            return oauthError(400, "invalid_grant",
                              QStringLiteral("Token has been expired or "
                                             "revoked."));
        // Refresh token rotation.
        if (m_options.rotateRefreshTokens) {
            const QString rotated = m_state.oauth().issueRefreshToken(*grant);
            m_state.oauth().revoke(refresh);
            return jsonAnswer(200, tokenAnswer(rotated, true));
        }
        return jsonAnswer(200, tokenAnswer(refresh, false));
    }
    return oauthError(400, "unsupported_grant_type",
                      QStringLiteral("Invalid grant_type: ") + grantType);
}

HttpResponse OAuthApi::revoke(const QUrlQuery &form)
{
    if (!m_state.oauth().revoke(formValue(form, "token")))
        return oauthError(400, "invalid_token", QStringLiteral("Token expired or revoked"));
    return jsonAnswer(200, {});
}

OAuthApi::Bearer OAuthApi::bearer(const HttpRequest &request)
{
    const QByteArray authorization = request.header("authorization");
    const QByteArray prefix = "Bearer ";
    const auto grant = authorization.startsWith(prefix)
                           ? m_state.oauth().access(
                                 QString::fromLatin1(authorization.mid(prefix.size()).trimmed()))
                           : std::nullopt;
    Account *account = grant ? m_state.account(grant->email) : nullptr;
    if (!account) {
        HttpResponse refusal = jsonAnswer(
            401, {{"error", QJsonObject{{"code", 401},
                                        {"message", "Request had invalid authentication "
                                                    "credentials. Expected OAuth 2 access token, "
                                                    "login cookie or other valid authentication "
                                                    "credential."},
                                        {"status", "UNAUTHENTICATED"}}}});
        refusal.setHeader("WWW-Authenticate", "Bearer realm=\"https://accounts.google.com/\"");
        return {nullptr, refusal};
    }
    if (!grant->scope.split(u' ').contains(kContactsScope))
        return {nullptr,
                jsonAnswer(403, {{"error", QJsonObject{{"code", 403},
                                                       {"message", "Request had insufficient "
                                                                   "authentication scopes."},
                                                       {"status", "PERMISSION_DENIED"}}}})};
    return {account, std::nullopt};
}

QJsonObject OAuthApi::mint(const QString &email, const QString &clientId, const QString &scope)
{
    const QString refresh = m_state.oauth().issueRefreshToken(
        {clientId, email.toLower(),
         grantedScopes(scope.isEmpty() ? kContactsScope + QStringLiteral(" openid email")
                                       : scope)});
    m_state.save();
    return tokenAnswer(refresh, true);
}

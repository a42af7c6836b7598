#include "platform/gdata/oauth/oauthendpoints.h"

namespace {

constexpr char kAuthorizationPath[] = "/o/oauth2/v2/auth";
constexpr char kTokenPath[] = "/token";
constexpr char kRevokePath[] = "/revoke";

QUrl under(const QUrl &baseUrl, const char *path)
{
    QUrl url = baseUrl;
    QString base = url.path();
    while (base.endsWith(u'/'))
        base.chop(1);
    url.setPath(base + QLatin1String(path));
    url.setQuery(QString());
    url.setFragment(QString());
    return url;
}

} // namespace

OAuthEndpoints oauthEndpointsForBaseURL(const QUrl &baseUrl)
{
    if (baseUrl.isEmpty())
        return {QUrl(QStringLiteral("https://accounts.google.com/o/oauth2/v2/auth")),
                QUrl(QStringLiteral("https://oauth2.googleapis.com/token")),
                QUrl(QStringLiteral("https://oauth2.googleapis.com/revoke"))};
    return {under(baseUrl, kAuthorizationPath), under(baseUrl, kTokenPath),
            under(baseUrl, kRevokePath)};
}

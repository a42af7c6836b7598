#include "tools/google-check/checksignin.h"

#include "tools/google-check/checkinterrupt.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

#include <cstdio>
#include <iterator>

namespace {

constexpr int kInterruptPollMs = 200;

constexpr const char *kFailureNames[] = {
    "noBrowser", "noListener", "browserFailed",   "timedOut",     "cancelled",     "denied",
    "refused",   "network",    "scopeNotGranted", "otherAccount", "noRefreshToken"};
static_assert(std::size(kFailureNames) == size_t(OAuthSignInFailure::NoRefreshToken) + 1);

// Fetches the authorization URL and follows its one redirect, which must lead back to this
// machine (the flow's listener). Anything else ends the flow: a consent page waiting for a person
// would hold it until its time-out.
void fetchAuthorization(QNetworkAccessManager *network, OAuthInstalledAppFlow *flow,
                        const QUrl &url)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply *page = network->get(request);
    QObject::connect(page, &QNetworkReply::finished, flow, [network, flow, page] {
        page->deleteLater();
        const QUrl target =
            page->url().resolved(page->header(QNetworkRequest::LocationHeader).toUrl());
        const int status = page->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status < 300 || status >= 400 || !isLoopbackUrl(target)) {
            std::fprintf(stderr,
                         "google-check: the authorization page answered %d without a redirect "
                         "to this machine (is the server's autoConsent on?)\n",
                         status);
            flow->cancel();
            return;
        }
        QNetworkReply *answer = network->get(QNetworkRequest(target));
        QObject::connect(answer, &QNetworkReply::finished, answer, &QObject::deleteLater);
    });
}

} // namespace

OAuthSignInResult signInForCheck(QNetworkAccessManager *network, const CheckOptions &options,
                                 const CheckClient &client, QJsonObject *section)
{
    OAuthInstalledAppFlow flow(network);
    OAuthInstalledAppFlow::Settings settings;
    settings.endpoints = oauthEndpointsForBaseURL(options.baseUrl);
    settings.clientId = client.id;
    settings.clientSecret = client.secret;
    settings.account = options.account;
    if (options.noBrowser) {
        settings.opener = [network, &flow](const QUrl &url) {
            fetchAuthorization(network, &flow, url);
            return true;
        };
    } else {
        settings.opener = [](const QUrl &url) {
            std::printf("Sign in in your browser. If it did not open, open this page:\n%s\n",
                        url.toEncoded().constData());
            std::fflush(stdout);
            return QDesktopServices::openUrl(url);
        };
    }

    OAuthSignInResult result;
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    // A Ctrl-C while the browser is open ends the sign-in rather than waiting out its time-out.
    QTimer interruptions;
    QObject::connect(&interruptions, &QTimer::timeout, &flow, [&flow] {
        if (interrupted())
            flow.cancel();
    });
    interruptions.start(kInterruptPollMs);
    flow.start(settings, [&](const OAuthSignInResult &done) {
        result = done;
        loop.quit();
    });
    loop.exec();

    section->insert("ms", clock.elapsed());
    section->insert("ok", !result.failure.has_value());
    if (result.failure) {
        // The kind alone: the message may name the accounts, and is shown to the person instead.
        section->insert("failure", QLatin1String(kFailureNames[int(*result.failure)]));
        if (*result.failure == OAuthSignInFailure::NoRefreshToken)
            section->insert("refreshTokenCame", false);
        return result;
    }
    section->insert("grantedScopes", QJsonArray::fromStringList(
                                         result.credential.scope.split(u' ', Qt::SkipEmptyParts)));
    section->insert("refreshTokenCame", !result.credential.refreshToken.isEmpty());
    return result;
}

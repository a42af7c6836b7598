#include "tests/support/app/scriptedbrowser.h"

#include "app/signin/googlesignin.h"
#include "google/engine/googlekeys.h"
#include "google/engine/googleoauthclient.h"
#include "platform/defaults/userdefaults.h"
#include "tests/support/gdatatestserver.h"
#include "tests/support/httptestclient.h"

#include <QTimer>

namespace {

constexpr int kTestBrowserTimeoutMs = 1500;
constexpr int kBrowserTimeoutMs = 5 * 60 * 1000;

} // namespace

bool ScriptedBrowser::install(GDataTestServer &server, const QString &clientId,
                              const QString &clientSecret)
{
    server.registerOAuthClient(clientId, clientSecret);
    server.setOptions({{"autoConsent", true}});
    if (!googleoauthclient::storeClient({clientId, clientSecret}))
        return false;
    UserDefaults::standard().setString(QStringLiteral("people"),
                                       googlekeys::googleServiceProtocol);
    GoogleSignIn::setBrowserTimeoutMs(kTestBrowserTimeoutMs);
    GoogleSignIn::setBrowserOpener([this](const QUrl &url) {
        ++opens;
        if (follows)
            QTimer::singleShot(0, [url] { browse(url); });
        return true;
    });
    return true;
}

void ScriptedBrowser::uninstall()
{
    GoogleSignIn::setBrowserOpener({});
    GoogleSignIn::setBrowserTimeoutMs(kBrowserTimeoutMs);
    googleoauthclient::clearClient();
}

void ScriptedBrowser::browse(const QUrl &url)
{
    const HttpTestReply page = httptest::send("GET", url);
    if (page.status != 302)
        return;
    httptest::send("GET", QUrl(QString::fromUtf8(page.headers.value("location"))));
}

// The sign-in of an installed application: the browser, opened by an opener the program hands in,
// asks the person at Google's authorization page; the answer comes back to a loopback listener;
// the code and its proof key go to the token endpoint for a refresh token. The result is the
// credential for the account's keychain item, or a failure with a message for the sheet.
#pragma once

#include "platform/gdata/gdataerror.h"
#include "platform/gdata/oauth/oauthcredential.h"
#include "platform/gdata/oauth/oauthendpoints.h"

#include <QJsonObject>
#include <QObject>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

class OAuthLoopbackListener;
class QNetworkAccessManager;
class QUrlQuery;

inline constexpr char kOAuthContactsScope[] = "https://www.googleapis.com/auth/contacts";

enum class OAuthSignInFailure {
    NoBrowser,     // no opener was handed in (the agent), so no browser may be opened
    NoListener,    // no loopback port could be had
    BrowserFailed, // the opener could not open the page
    TimedOut,
    Cancelled,
    Denied,  // the person said no, or Google ended the sign-in with another error
    Refused, // the token endpoint refused the code, the verifier or the client
    Network, // the token endpoint could not be reached
    ScopeNotGranted,
    OtherAccount,
    NoRefreshToken,
};

struct OAuthSignInResult
{
    std::optional<OAuthSignInFailure> failure;
    QString message;                 // why it failed, in words for the person
    std::optional<GDataError> error; // the token endpoint's failure, when there was one
    OAuthCredential credential;
    QString accessToken;
    QString email; // the account the id_token names
};

class OAuthInstalledAppFlow : public QObject
{
    Q_OBJECT
public:
    // Opens the page in the person's browser; false when it could not.
    using BrowserOpener = std::function<bool(const QUrl &url)>;
    using Done = std::function<void(const OAuthSignInResult &result)>;

    struct Settings
    {
        OAuthEndpoints endpoints;
        QString clientId;
        QString clientSecret;
        QString account;
        BrowserOpener opener;
        int timeoutMs = 5 * 60 * 1000;
        int requestTimeoutMs = 60 * 1000;
        // The refresh token this sign-in replaces: revoked once the new one is had (best effort).
        QString previousRefreshToken;
    };

    OAuthInstalledAppFlow(QNetworkAccessManager *network, QObject *parent = nullptr);
    ~OAuthInstalledAppFlow() override;

    // done runs once, later on the event loop; a cancel ends the flow with it at once.
    void start(const Settings &settings, Done done);
    void cancel();

private:
    QUrl authorizationUrl() const;
    void answered(const QUrlQuery &query);
    void exchange(const QString &code);
    void exchanged(const std::optional<GDataError> &error, const QJsonObject &answer);
    void revokePrevious(const OAuthSignInResult &result);
    void fail(OAuthSignInFailure failure, const QString &message,
              const std::optional<GDataError> &error = std::nullopt);
    void finish(const OAuthSignInResult &result);

    QNetworkAccessManager *m_network;
    Settings m_settings;
    Done m_done;
    std::unique_ptr<OAuthLoopbackListener> m_listener;
    QTimer m_timeout;
    QString m_verifier;
    QString m_state;
    QUrl m_redirectUri;
    bool m_running = false;
};

// ClientLogin sign-in: posts the user name and password once, keeps the Auth token for the
// requests that follow, and lets every request waiting on it go on together.
#pragma once

#include "platform/gdata/gdataerror.h"

#include <QObject>
#include <QUrl>

#include <functional>
#include <optional>
#include <vector>

class QNetworkAccessManager;
class QNetworkReply;

class GDataClientLogin : public QObject
{
    Q_OBJECT
public:
    using Done = std::function<void(const std::optional<GDataError> &)>;

    GDataClientLogin(QNetworkAccessManager *network, QObject *parent = nullptr);

    void setCredentials(const QString &username, const QString &password);
    QString username() const { return m_username; }
    QString token() const { return m_token; }
    void dropToken() { m_token.clear(); }

    // Signs in unless a token is held; done runs later on the event loop, with nothing on
    // success. A refused sign-in gives code 403 with the Error=, Url=, CaptchaToken= and
    // CaptchaUrl= values of the answer in userInfo.
    void signIn(const QUrl &authUrl, const QString &source, int timeoutMs, Done done);

private:
    void finished(QNetworkReply *reply, quint64 generation);
    void complete(const std::optional<GDataError> &error);

    QNetworkAccessManager *m_network;
    QString m_username;
    QString m_password;
    QString m_token;
    quint64 m_generation = 0;
    bool m_signingIn = false;
    std::vector<Done> m_waiting;
};

// The loopback Google Contacts server in a process of its own, on 127.0.0.1 and a free port,
// seeded through its control endpoint. The process ends with the object. Given a state file, it
// keeps its accounts there across a stop and can come back on the port it had.
#pragma once

#include "platform/gdata/entries/gdataentrybase.h"

#include <QByteArray>
#include <QJsonArray>
#include <QNetworkAccessManager>
#include <QProcess>
#include <QString>
#include <QUrl>

#include <optional>
#include <vector>

class LoopbackServer
{
public:
    LoopbackServer() = default;
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer &) = delete;
    LoopbackServer &operator=(const LoopbackServer &) = delete;

    // False when the server did not come up.
    bool start(const QString &stateFile = {});
    void stop();
    // On the port it had; false when it did not come up.
    bool restart();
    QUrl baseUrl() const;

    // Each is false when the server refused it.
    bool addAccount(const QString &email, const QString &password);
    bool seedContacts(const QString &email, const std::vector<GDataEntryPtr> &contacts);
    // Drops every account, fault and option.
    bool reset();
    // An installed application's OAuth client, and a grant of the account to it as a browser
    // sign-in would make it: its refresh token, empty when refused.
    bool registerOAuthClient(const QString &clientId, const QString &secret);
    QString mintRefreshToken(const QString &email, const QString &clientId);

    // The identifier of the account's "My Contacts" system group.
    QString myContactsGroupId(const QString &email) const;
    // The logged requests (method, url, body), and emptying the log.
    QJsonArray requestLog();
    bool clearRequestLog();

private:
    bool launch(quint16 port);
    std::optional<QByteArray> admin(const QByteArray &method, const QString &action,
                                    const QByteArray &body, const QString &query = {},
                                    const QByteArray &contentType = "application/json");

    QProcess m_process;
    QNetworkAccessManager m_network;
    QString m_stateFile;
    quint16 m_port = 0;
};

// What a run of the check is asked to do, from its command line and the user's client file.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

struct CheckOptions
{
    QString clientFile;
    QString account;
    bool write = false;
    // The number of contacts of one timed batch create (0: none).
    int batch = 0;
    // Empty: Google's own service; else the loopback server.
    QUrl baseUrl;
    // The check fetches the authorization page itself instead of opening a browser.
    bool noBrowser = false;
    QString reportPath;
};

struct CheckClient
{
    QString id;
    QString secret;
};

// The options, or a message saying what is wrong with them.
std::optional<CheckOptions> parseCheckOptions(const QStringList &arguments, QString *message);

// The client of a "Desktop app" client file ({"installed": {client_id, client_secret, …}}).
std::optional<CheckClient> readClientFile(const QString &path, QString *message);

bool isLoopbackUrl(const QUrl &url);

// The People protocol with an OAuth client of the loopback server, which consents at once, and a
// stand-in for the person's browser: it fetches the authorization page and follows its redirect to
// the program's listener, as a person allowing the sign-in would.
#pragma once

#include <QString>
#include <QUrl>

class GDataTestServer;

class ScriptedBrowser
{
public:
    // Registers the client on the server, keeps it as the program's client and chooses People;
    // false when the keyring would not keep the client.
    bool install(GDataTestServer &server, const QString &clientId, const QString &clientSecret);
    // The opener, the browser time-out and the client as they were.
    void uninstall();

    static void browse(const QUrl &url);

    int opens = 0;
    // Off: the browser opens and nobody answers it.
    bool follows = true;
};

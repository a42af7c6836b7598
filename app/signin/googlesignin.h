// One browser sign-in of a Google account on the People protocol, with the OAuth client in use and
// the endpoints of the preferences' server. The program hands in the one opener of the person's
// browser; a process that hands none (the agent) can never open one.
#pragma once

#include "platform/gdata/oauth/oauthinstalledappflow.h"

#include <QNetworkAccessManager>
#include <QObject>

#include <functional>
#include <memory>

class GoogleSignIn : public QObject
{
    Q_OBJECT
public:
    using BrowserOpener = OAuthInstalledAppFlow::BrowserOpener;
    static void setBrowserOpener(BrowserOpener opener);
    static const BrowserOpener &browserOpener();
    // How long the browser step may take; tests shorten it.
    static void setBrowserTimeoutMs(int timeoutMs);

    struct Outcome
    {
        bool signedIn = false;
        QString credentialText; // what the account's keychain item holds
        QString email;          // the account Google signed in
        QString message;        // why it failed, in words for the person
    };
    using Done = std::function<void(const Outcome &outcome)>;

    explicit GoogleSignIn(QObject *parent = nullptr);
    ~GoogleSignIn() override;

    // Whether a client is there to sign in with.
    static bool hasClient();

    // The account a name stands for: the mail suffix after a name without "@", trimmed.
    static QString completedAccount(const QString &name);
    // What the account's keychain item holds now: the credential a new sign-in replaces.
    static QString storedCredential(const QString &account);
    // The account's item gets the credential, made or replaced; false when the keyring refused.
    static bool storeCredential(const QString &account, const QString &credentialText);

    // done runs once, later on the event loop. The refresh token of previousCredentialText (the
    // item's old text, if any) is revoked once the new one is had.
    void start(const QString &account, const QString &previousCredentialText, Done done);
    // Ends a running sign-in at once, with its message.
    void cancel();
    bool isRunning() const { return m_flow != nullptr; }

private:
    QNetworkAccessManager m_network;
    std::unique_ptr<OAuthInstalledAppFlow> m_flow;
};

#pragma once

#include "agent/statusappdelegate.h"
#include "tests/support/gdatatestserver.h"
#include "tests/support/logcapture.h"
#include "tests/support/scriptedprompter.h"

#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

// The agent's delegate started in process as its entry starts it, against the loopback server:
// the main program's preferences as it writes them (server, account, store and folders, push
// mode 1), the password in a keychain service of the test's own, a scripted prompter, a recorded
// termination and no tray. Another program's saves come from abtool.
class AgentTest : public LogCaptureTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes one preference into the main program's domain.
    static void setMainPreference(const QString &key, const QVariant &value);
    void storePassword();
    // The start-up checks and steps; false when one ended the program.
    bool startAgent();
    // Starts and waits until the login fetch is in.
    bool startAndLogIn();
    static bool runUntil(const std::function<bool()> &done, int timeoutMs = 20000);
    // abtool's standard output, or a null text when it failed.
    static QString abtool(const QStringList &arguments);
    // Adds a person through abtool and answers its identifier.
    QString addPersonElsewhere(const QString &first, const QString &last);
    // The titles of the contacts the server holds (no tombstones).
    QStringList serverContactTitles();
    int countLines(const QString &text) const;
    QString pendingFolder() const { return folder(QStringLiteral("pending")); }
    QString folder(const QString &name) const;

    static inline const QString kAccount = QStringLiteral("bob@example.com");
    static inline const QString kPassword = QStringLiteral("secret");

    GDataTestServer server;
    ScriptedPrompter prompter;
    std::unique_ptr<StatusAppDelegate> delegate;
    int terminations = 0;
    QString keychainService;
    QTemporaryDir data;

private:
    std::function<void()> m_previousTermination;
};

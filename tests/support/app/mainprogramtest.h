#pragma once

#include "app/delegate/appdelegate.h"
#include "tests/support/app/recordingwindow.h"
#include "tests/support/gdatatestserver.h"
#include "tests/support/logcapture.h"
#include "tests/support/scriptedprompter.h"

#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

// The main program started as its entry starts it, against the loopback server: the account
// "bob" (completed with the mail suffix) on the server, its password in a keychain service of the
// test's own, a Me record with an address and a phone, a program folder holding the address book
// tool, an empty local domain ($XDG_DATA_DIRS), a scripted prompter, a recorded termination and
// recording windows in the window factory.
class MainProgramTest : public LogCaptureTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The class initialisation, the initialiser and the start-up steps; false when a step ended
    // the program. The delegate stays for the test either way (null when the checks failed).
    bool startProgram();
    // Starts and waits until the first window of the launch was asked for.
    bool startAndLogIn();
    static bool runUntil(const std::function<bool()> &done, int timeoutMs = 20000);
    void storePassword(const QString &password);
    // The stored password of the account, or a null text.
    QString storedPassword(const QString &account);
    // The request paths of the log that hold the text, in order.
    QStringList requestsTo(const QString &pathPart);
    QStringList promptMessages() const;
    // A copy of the scripting tests' peer program as the agent payload: once started it owns the
    // agent's bus name and answers Quit.
    void provideAgentPayload();
    static QString agentPayload();
    QString library(const QString &relative = QString()) const;

    static inline const QString kAccount = QStringLiteral("bob@example.com");
    static inline const QString kPassword = QStringLiteral("secret");

    GDataTestServer server;
    ScriptedPrompter prompter;
    QStringList journal;
    std::unique_ptr<RecordingWindowFactory> windows;
    std::unique_ptr<AppDelegate> delegate;
    int terminations = 0;
    QString keychainService;
    QTemporaryDir programFolder;
    QTemporaryDir localDomain;

private:
    std::function<void()> m_previousTermination;
};

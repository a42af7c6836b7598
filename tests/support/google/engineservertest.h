#pragma once

#include "tests/support/gdatatestserver.h"
#include "tests/support/google/enginedoubles.h"
#include "tests/support/logcapture.h"
#include "tests/support/scriptedprompter.h"

#include <QStringList>

#include <functional>
#include <memory>

inline const QString kUser = QStringLiteral("bob@example.com");
inline const QString kPassword = QStringLiteral("secret");

// An engine against the loopback server: the account on the server, the engine's preferences
// (server address, mail suffix, keychain service), a keychain service of the test's own that is
// emptied at the end, recording delegates, a scripted prompter and a recorded quit.
class EngineServerTest : public LogCaptureTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Made after the preferences are set, with the delegates in place; an OfferingEngine so tests
    // can give it steps of its own.
    std::unique_ptr<OfferingEngine>
    makeEngine(GoogleContactTool::Role role = GoogleContactTool::Role::MainProgram);
    void storePassword(const QString &password);
    // Runs the event loop until done answers true; false when it did not within the time.
    static bool runUntil(const std::function<bool()> &done, int timeoutMs = 20000);
    // Signs in with the stored password and fetches groups then contacts; true once both are in.
    bool logIn(OfferingEngine &engine);
    static bool flag(const QString &key);
    // The request paths of the log that hold the text, in order.
    QStringList requestsTo(const QString &pathPart);
    // The messages of the prompts shown so far.
    QStringList promptMessages() const;
    // Every entry of the kind the server holds, tombstones included. A copy: a range loop over a
    // member of the temporary feed would read it after it is freed.
    std::vector<GDataEntryPtr> serverEntries(GDataEntryBase::Kind kind);

    GDataTestServer server;
    ScriptedPrompter prompter;
    QStringList journal;
    RecordingUIDelegate ui{journal};
    RecordingDataDelegate data{journal};
    RecordingMocDelegate moc{journal};
    bool quitRequested = false;
    QString keychainService;

private:
    std::function<void()> m_previousQuit;
};

#pragma once

#include "tests/support/gdatatestserver.h"
#include "tests/support/google/enginedoubles.h"
#include "tests/support/logcapture.h"
#include "tests/support/scriptedprompter.h"

#include "platform/gdata/gdataservicegooglecontact.h"

#include <QSet>
#include <QStringList>

#include <functional>
#include <memory>

inline const QString kUser = QStringLiteral("bob@example.com");
inline const QString kPassword = QStringLiteral("secret");

// The wire protocols an engine can speak to the loopback server; suites that run on both take one
// as their parameter.
using ServiceProtocol = GDataServiceGoogleContact::Protocol;
inline const ServiceProtocol kServiceProtocols[] = {ServiceProtocol::Atom, ServiceProtocol::People};
std::string protocolName(ServiceProtocol protocol);

// An engine against the loopback server: the account on the server, the engine's preferences
// (server address, mail suffix, keychain service), a keychain service of the test's own that is
// emptied at the end, recording delegates, a scripted prompter and a recorded quit.
// On People the OAuth client is registered with the server and kept as the program keeps an
// imported one, and at the end the test also checks what that protocol promises: one write in
// flight at a time, no request to a host but the loopback one, and no token, code or secret in
// the log.
class EngineServerTest : public LogCaptureTest
{
protected:
    explicit EngineServerTest(ServiceProtocol protocol = ServiceProtocol::Atom)
        : m_protocol(protocol)
    {}
    void SetUp() override;
    void TearDown() override;

    // Made after the preferences are set, with the delegates in place; an OfferingEngine so tests
    // can give it steps of its own.
    std::unique_ptr<OfferingEngine>
    makeEngine(GoogleContactTool::Role role = GoogleContactTool::Role::MainProgram);
    void storePassword(const QString &password);
    // The account's credential as a sign-in leaves it: the password on Atom, a credential the
    // server minted for the client on People.
    void storeCredentials();
    ServiceProtocol protocol() const { return m_protocol; }
    // The logged requests that change data on the server, in order.
    QStringList writeRequests();
    // The identifiers the engine knows the server's contacts by on this protocol, for the
    // identifiers the server gave them, contacts or groups.
    QStringList engineIdentifiers(const QStringList &serverIDs,
                                  GDataEntryBase::Kind kind = GDataEntryBase::Kind::Contact);
    // The path the engine fetches the photo of the contact from, by its engine identifier.
    QString photoPathOf(const QString &contactID);
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
    void expectPeopleDiscipline();

    std::function<void()> m_previousQuit;
    ServiceProtocol m_protocol;
    QString m_refreshToken;
    QSet<QString> m_hosts;
};

// What the agent's benchmarks run: the loopback Google server in a process of its own (started as
// bench/platform/gdata/loopbackserver.h starts it, and able to come back on its port with its
// state file), the real agent program with the main program's preferences written as the main
// program writes them, and abtool as the other program that saves the address book.
#pragma once

#include "platform/gdata/entries/gdataentrybase.h"

#include <QJsonArray>
#include <QNetworkAccessManager>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>
#include <vector>

class BenchServer
{
public:
    BenchServer() = default;
    ~BenchServer();
    BenchServer(const BenchServer &) = delete;
    BenchServer &operator=(const BenchServer &) = delete;

    // Keeps its accounts in the state file across a stop.
    bool start(const QString &stateFile);
    void stop();
    // On the port it had; false when it did not come up.
    bool restart();
    QUrl baseUrl() const;

    bool addAccount(const QString &email, const QString &password);
    bool seedContacts(const QString &email, const std::vector<GDataEntryPtr> &contacts);
    QString myContactsGroupId(const QString &email) const;
    // The logged requests (method, url, body), and emptying the log.
    QJsonArray requestLog();
    bool clearRequestLog();

private:
    bool launch(quint16 port);
    std::optional<QByteArray> admin(const QByteArray &method, const QString &action,
                                    const QByteArray &body = {}, const QString &query = {},
                                    const QByteArray &contentType = "application/json");

    QProcess m_process;
    QNetworkAccessManager m_network;
    QString m_stateFile;
    quint16 m_port = 0;
};

namespace agentrun {

inline const QString kAccount = QStringLiteral("bench@example.com");
inline const QString kPassword = QStringLiteral("bench");

// The main program's preferences for the agent (server, account, folders, store, push mode 1),
// the password in the keyring and a Me record; false when one could not be made.
bool prepareHome(const QUrl &serverBaseUrl);
QString pendingFolder();

// abtool's standard output; nullopt when it failed.
std::optional<QString> abtool(const QStringList &arguments);
// A file of vCards of people named "P<n> <last>"; its path.
QString writeCards(const QString &last, int first, int count);

// The last lines of the agent's log.
QString agentLogTail(int lines);
// Starts the agent and waits until its login fetch has ended; false when it did not.
bool startAgent(QProcess &agent);
void quitAgent(QProcess &agent);

// The batch POSTs of the log: how many, their entry counts, and the inserts and updates in them.
struct BatchTally
{
    int batches = 0;
    int largest = 0;
    int inserts = 0;
    int updates = 0;
    // Whether some batch holds the text.
    std::function<bool(const QString &)> holds;
};
BatchTally tallyBatches(const QJsonArray &log);

// Runs the event loop, sleeping between events, until done answers true or the time is out.
bool waitUntil(const std::function<bool()> &done, int timeoutMs, int stepMs = 5);

} // namespace agentrun

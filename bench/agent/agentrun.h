// What the agent's benchmarks run beside the loopback Google server: the real agent program with
// the main program's preferences written as the main program writes them, and abtool as the other
// program that saves the address book.
#pragma once

#include "bench/platform/gdata/loopbackserver.h"

#include <QJsonArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>
#include <vector>

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

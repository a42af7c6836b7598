#include "bench/agent/agentrun.h"

#include "agent/agentkeys.h"
#include "agent/agenttexts.h"
#include "foundation/keychain/emkeychainproxy.h"
#include "foundation/log.h"
#include "google/engine/googlekeys.h"
#include "google/push/pushkeys.h"
#include "platform/defaults/userdefaults.h"
#include "platform/scripting/agentcommands.h"
#include "platform/scripting/busprograms.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonObject>
#include <QThread>

namespace {

constexpr int kStartTimeoutMs = 20000;
constexpr int kLoginTimeoutMs = 300000;

QString library()
{
    return qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Tolvane");
}

} // namespace

namespace agentrun {

QString pendingFolder()
{
    return library() + QStringLiteral("/pending");
}

bool prepareHome(const QUrl &serverBaseUrl)
{
    const QString service = QStringLiteral("tolvane-agent-bench");
    UserDefaults main(agentkeys::kMainDomain);
    const std::pair<QString, QVariant> preferences[] = {
        {googlekeys::googleServiceBaseURL, serverBaseUrl.toString()},
        {googlekeys::gMailSuffix, QStringLiteral("@example.com")},
        {googlekeys::keychainItemName, service},
        {googlekeys::gsAccount, kAccount},
        {googlekeys::datafilePath, library() + QStringLiteral("/Tolvane.store")},
        {googlekeys::pendingFolderPath, pendingFolder()},
        {pushkeys::pendingArchiveFolderPath, library() + QStringLiteral("/archive")},
        {googlekeys::tmpFolderPath, library() + QStringLiteral("/tmp")},
        {googlekeys::restartFolderPath, library() + QStringLiteral("/restart")},
        {pushkeys::autoABPushMode, 1},
        {pushkeys::autoPushABChanges, 1},
        {pushkeys::autoABStrict, false},
        {agentkeys::tolvaneAgentDoesPoll, true},
    };
    for (const auto &[key, value] : preferences)
        main.setObject(value, key);
    main.synchronize();
    for (const char *folder : {"pending", "archive", "tmp", "restart"})
        if (!QDir().mkpath(library() + u'/' + QLatin1String(folder)))
            return false;
    EMKeychainProxy &proxy = EMKeychainProxy::sharedProxy();
    if (!proxy.genericKeychainItemForService(service, kAccount) &&
        !proxy.addGenericKeychainItemForService(service, kAccount, kPassword))
        return false;
    const std::optional<QString> me = abtool({QStringLiteral("import"), writeCards("Me", 0, 1)});
    return me && abtool({QStringLiteral("set-me"), me->trimmed()});
}

std::optional<QString> abtool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(TOLVANE_ABTOOL), arguments);
    if (!process.waitForFinished(300000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString writeCards(const QString &last, int first, int count)
{
    QByteArray cards;
    for (int i = first; i < first + count; ++i)
        cards += QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:%1;P%2;;;\r\nFN:P%2 %1\r\n"
                                "EMAIL;TYPE=INTERNET:p%2.%3@bench.example\r\nEND:VCARD\r\n")
                     .arg(last)
                     .arg(i)
                     .arg(last.toLower())
                     .toUtf8();
    const QString path = library() + QStringLiteral("/%1-%2.vcf").arg(last).arg(first);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(cards);
    return path;
}

QString agentLogTail(int lines)
{
    QFile log(tlog::logFilePath(agentkeys::kAgentDomain));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    const QStringList all = QString::fromUtf8(log.readAll()).split(u'\n');
    return all.mid(std::max(0, int(all.size()) - lines)).join(u'\n');
}

bool startAgent(QProcess &agent)
{
    agent.setProgram(QStringLiteral(TOLVANE_AGENT));
    agent.setProcessChannelMode(QProcess::ForwardedChannels);
    agent.start();
    if (!agent.waitForStarted(kStartTimeoutMs))
        return false;
    // A first start stores its snapshot once the login fetch is in.
    QFile log(tlog::logFilePath(agentkeys::kAgentDomain));
    return waitUntil(
        [&] {
            if (!log.isOpen())
                log.open(QIODevice::ReadOnly);
            return log.isOpen() &&
                   QString::fromUtf8(log.readAll()).contains(agenttexts::firstSnapshot);
        },
        kLoginTimeoutMs, 20);
}

void quitAgent(QProcess &agent)
{
    if (agent.state() == QProcess::NotRunning)
        return;
    busprograms::quit(agentcommands::kBundleIdentifier);
    if (!agent.waitForFinished(30000))
        agent.kill();
    agent.waitForFinished(5000);
}

BatchTally tallyBatches(const QJsonArray &log)
{
    BatchTally tally;
    QStringList bodies;
    for (const QJsonValue &value : log) {
        const QJsonObject request = value.toObject();
        if (request.value("method").toString() != QLatin1String("POST") ||
            !request.value("url").toString().contains(QStringLiteral("/batch")))
            continue;
        const QString body = request.value("body").toString();
        const int inserts = int(body.count(QStringLiteral("type=\"insert\"")));
        const int updates = int(body.count(QStringLiteral("type=\"update\"")));
        ++tally.batches;
        tally.largest = std::max(tally.largest, int(body.count(QStringLiteral("<batch:id"))));
        tally.inserts += inserts;
        tally.updates += updates;
        bodies << body;
    }
    tally.holds = [bodies](const QString &text) {
        for (const QString &body : bodies)
            if (body.contains(text))
                return true;
        return false;
    };
    return tally;
}

bool waitUntil(const std::function<bool()> &done, int timeoutMs, int stepMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, stepMs);
        QThread::msleep(uint(stepMs));
    }
    return true;
}

} // namespace agentrun

#include "platform/gdata/people/peoplesynctokens.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>

namespace {

constexpr char kFileName[] = "people-sync-tokens.json";
constexpr char kTokenKey[] = "token";
constexpr char kTakenAtKey[] = "takenAt";
constexpr qint64 kRenewAfterSeconds = 6 * 24 * 3600;

QString keyOf(const QString &account, GDataEntryBase::Kind kind)
{
    return account.toLower() + (kind == GDataEntryBase::Kind::Contact ? QStringLiteral("/contacts")
                                                                      : QStringLiteral("/groups"));
}

QJsonObject readState(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

bool writeState(const QString &path, const QJsonObject &state)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning("People: cannot write the sync tokens to %s", qPrintable(path));
        return false;
    }
    file.write(QJsonDocument(state).toJson(QJsonDocument::Compact));
    return file.commit();
}

// The lists of this process that asked for a token already, by state file and key.
QSet<QString> &askedThisProcess()
{
    static QSet<QString> asked;
    return asked;
}

} // namespace

QString PeopleSyncTokens::path() const
{
    if (!m_path.isEmpty())
        return m_path;
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QLatin1Char('/') + QLatin1String(kFileName);
}

std::optional<PeopleSyncTokens::Held> PeopleSyncTokens::held(const QString &account,
                                                             GDataEntryBase::Kind kind) const
{
    const QJsonObject entry = readState(path()).value(keyOf(account, kind)).toObject();
    const QString token = entry.value(QLatin1String(kTokenKey)).toString();
    const QDateTime takenAt = QDateTime::fromString(
        entry.value(QLatin1String(kTakenAtKey)).toString(), Qt::ISODateWithMs);
    if (token.isEmpty() || !takenAt.isValid())
        return std::nullopt;
    return Held{token, takenAt};
}

bool PeopleSyncTokens::wantsNewToken(const QString &account, GDataEntryBase::Kind kind) const
{
    if (!askedThisProcess().contains(path() + QLatin1Char('|') + keyOf(account, kind)))
        return true;
    const auto token = held(account, kind);
    return !token || token->takenAt.secsTo(QDateTime::currentDateTimeUtc()) > kRenewAfterSeconds;
}

void PeopleSyncTokens::markAsked(const QString &account, GDataEntryBase::Kind kind)
{
    askedThisProcess().insert(path() + QLatin1Char('|') + keyOf(account, kind));
}

bool PeopleSyncTokens::store(const QString &account, GDataEntryBase::Kind kind,
                             const QString &token)
{
    QJsonObject state = readState(path());
    state.insert(keyOf(account, kind),
                 QJsonObject{{QLatin1String(kTokenKey), token},
                             {QLatin1String(kTakenAtKey),
                              QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)}});
    return writeState(path(), state);
}

bool PeopleSyncTokens::drop(const QString &account, GDataEntryBase::Kind kind)
{
    QJsonObject state = readState(path());
    state.remove(keyOf(account, kind));
    return writeState(path(), state);
}

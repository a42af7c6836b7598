#include "tools/gdata-server/serverstate.h"

#include "platform/gdata/atom/atomreader.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QSaveFile>

namespace {

using Collection = Account::Collection;

constexpr std::pair<Collection, const char *> kCollections[] = {
    {Collection::Contacts, "contacts"},
    {Collection::Groups, "groups"},
};

std::optional<StoredEntry> storedFromJson(const QJsonObject &object, GDataEntryBase::Kind kind)
{
    const auto entry = atomreader::parseEntry(object.value("xml").toString().toUtf8(), kind);
    if (!entry)
        return std::nullopt;
    StoredEntry stored{
        object.value("localId").toString(), *entry, {}, object.value("people").toObject()};
    const QJsonObject photo = object.value("photo").toObject();
    stored.photo = {QByteArray::fromBase64(photo.value("data").toString().toLatin1()),
                    photo.value("type").toString().toLatin1(), photo.value("etag").toString()};
    return stored;
}

QString randomText(int bytes)
{
    QByteArray data(bytes, Qt::Uninitialized);
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(data.data()), bytes / 4);
    return QString::fromLatin1(
        data.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

// Long enough to gather the writes of one client's burst (a batch and its follow-ups) into one,
// short enough that little is at stake when the server is killed outright.
constexpr int kStateWriteDelayMs = 250;

} // namespace

ServerState::ServerState(const QString &statePath)
    : m_path(statePath)
    , m_pendingWrite(kStateWriteDelayMs, [this] { return writeFile(); })
{}

ServerState::~ServerState()
{
    flush();
}

bool ServerState::load(QString *error)
{
    QFile file(m_path);
    if (m_path.isEmpty() || !file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    QJsonParseError parseError;
    const QJsonObject root = QJsonDocument::fromJson(file.readAll(), &parseError).object();
    if (parseError.error != QJsonParseError::NoError) {
        *error = parseError.errorString();
        return false;
    }
    for (const QJsonValue &value : root.value("accounts").toArray()) {
        const QJsonObject object = value.toObject();
        const QString email = object.value("email").toString();
        Account account(email, object.value("password").toString(), false);
        account.setNextId(object.value("nextId").toInteger(0x100));
        for (const auto &[collection, key] : kCollections) {
            const auto kind = collection == Collection::Contacts
                                  ? GDataEntryBase::Kind::Contact
                                  : GDataEntryBase::Kind::ContactGroup;
            for (const QJsonValue &entry : object.value(key).toArray()) {
                const auto stored = storedFromJson(entry.toObject(), kind);
                if (!stored) {
                    *error = QStringLiteral("unreadable entry in account %1").arg(email);
                    return false;
                }
                account.restore(collection, *stored);
            }
        }
        m_accounts.insert_or_assign(email, std::move(account));
    }
    const QJsonObject tokens = root.value("tokens").toObject();
    for (auto it = tokens.begin(); it != tokens.end(); ++it)
        m_tokens.insert(it.key(), it.value().toString());
    m_oauth.fromJson(root.value("oauth").toObject());
    m_lastUpdatedMs = root.value("lastUpdated").toInteger();
    m_etagCounter = quint64(root.value("etagCounter").toInteger());
    return true;
}

void ServerState::save() const
{
    if (!m_path.isEmpty())
        m_pendingWrite.request();
}

bool ServerState::flush()
{
    return m_pendingWrite.flush();
}

bool ServerState::writeFile() const
{
    // The accounts are written as text around their entries' kept objects; the rest through
    // QJsonDocument.
    QByteArray text = "{\"accounts\":[";
    bool firstAccount = true;
    for (const auto &[email, account] : m_accounts) {
        if (!firstAccount)
            text += ',';
        firstAccount = false;
        QByteArray head = QJsonDocument(QJsonObject{{"email", email},
                                                    {"password", account.password()},
                                                    {"nextId", account.nextId()}})
                              .toJson(QJsonDocument::Compact);
        head.chop(1); // the closing brace: the entry lists follow
        text += head;
        for (const auto &[collection, key] : kCollections) {
            text += ",\"" + QByteArray(key) + "\":[";
            bool first = true;
            for (const StoredEntry &stored : account.entries(collection)) {
                if (!first)
                    text += ',';
                first = false;
                text += m_savedJson.jsonOf(stored);
            }
            text += ']';
        }
        text += '}';
    }
    m_savedJson.writeDone();
    QJsonObject tokens;
    for (auto it = m_tokens.cbegin(); it != m_tokens.cend(); ++it)
        tokens.insert(it.key(), it.value());
    const QByteArray rest = QJsonDocument(QJsonObject{{"tokens", tokens},
                                                      {"oauth", m_oauth.toJson()},
                                                      {"lastUpdated", m_lastUpdatedMs},
                                                      {"etagCounter", qint64(m_etagCounter)}})
                                .toJson(QJsonDocument::Compact);
    text += "]," + rest.mid(1); // after the opening brace
    // The state holds the accounts' passwords: a new file is the user's alone, and the save keeps
    // that mode.
    QFile(m_path).open(QIODevice::WriteOnly | QIODevice::NewOnly,
                       QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) < 0 || !file.commit()) {
        qWarning("gdata-server: cannot write the state file %s: %s", qPrintable(m_path),
                 qPrintable(file.errorString()));
        return false;
    }
    return true;
}

Account *ServerState::account(const QString &email)
{
    const auto found = m_accounts.find(email.toLower());
    return found == m_accounts.end() ? nullptr : &found->second;
}

Account &ServerState::addAccount(const QString &email, const QString &password)
{
    const QString key = email.toLower();
    if (Account *existing = account(key)) {
        existing->setPassword(password);
        return *existing;
    }
    return m_accounts.insert_or_assign(key, Account(key, password)).first->second;
}

void ServerState::clear()
{
    m_accounts.clear();
    m_tokens.clear();
    m_oauth.clear();
}

QString ServerState::signIn(const QString &email)
{
    const QString token = randomText(48);
    m_tokens.insert(token, email.toLower());
    return token;
}

Account *ServerState::accountForToken(const QString &token)
{
    const auto found = m_tokens.constFind(token);
    return found == m_tokens.cend() ? nullptr : account(*found);
}

QDateTime ServerState::nextUpdated()
{
    // A burst of writes faster than one a millisecond would otherwise carry the times ever further
    // ahead of the clock, where a client comparing them with its own clock sees changes nobody
    // made; past a second ahead, writes share the last time.
    constexpr qint64 kMostAheadMs = 1000;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    m_lastUpdatedMs = qMax(now, qMin(m_lastUpdatedMs + 1, now + kMostAheadMs));
    return QDateTime::fromMSecsSinceEpoch(m_lastUpdatedMs, Qt::UTC);
}

QString ServerState::nextETag()
{
    ++m_etagCounter;
    return QStringLiteral("\"%1%2.\"").arg(randomText(12)).arg(m_etagCounter, 0, 36);
}

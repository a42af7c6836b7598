#include "tools/gdata-server/requestlog.h"

#include <QJsonObject>
#include <QRegularExpression>

namespace {

constexpr size_t kMaxEntries = 20000;
constexpr qsizetype kMaxBody = 256 * 1024;

QByteArray redactedHeader(const QByteArray &name, const QByteArray &value)
{
    if (name == "authorization") {
        if (value.startsWith("Bearer "))
            return "Bearer <redacted>";
        const qsizetype token = value.indexOf("auth=");
        return token < 0 ? QByteArray("<redacted>") : value.left(token + 5) + "<redacted>";
    }
    if (name == "cookie")
        return "<redacted>";
    return value;
}

QString redactedBody(const QByteArray &body)
{
    // ClientLogin's password, and what the token endpoint and revocation are sent.
    static const QRegularExpression secrets(QStringLiteral(
        "(^|&)(Passwd|client_secret|code|code_verifier|refresh_token|token|access_token)=[^&]*"));
    QString text = QString::fromUtf8(body.left(kMaxBody));
    text.replace(secrets, QStringLiteral("\\1\\2=<redacted>"));
    return text;
}

} // namespace

void RequestLog::record(const HttpRequest &request, const QString &origin)
{
    QJsonObject headers;
    for (auto it = request.headers.cbegin(); it != request.headers.cend(); ++it)
        headers.insert(QString::fromLatin1(it.key()),
                       QString::fromLatin1(redactedHeader(it.key(), it.value())));
    QJsonObject entry{{"method", QString::fromLatin1(request.method)},
                      {"url", request.url.toString()},
                      {"headers", headers},
                      {"body", redactedBody(request.body)}};
    if (!origin.isEmpty())
        entry.insert("origin", origin);
    m_entries.push_back(entry);
    if (m_entries.size() > kMaxEntries)
        m_entries.pop_front();
}

void RequestLog::clear()
{
    m_entries.clear();
    m_mostInFlight.clear();
}

void RequestLog::mutationStarted(const QString &email)
{
    const int now = ++m_inFlight[email];
    m_mostInFlight[email] = qMax(m_mostInFlight.value(email), now);
}

void RequestLog::mutationEnded(const QString &email)
{
    m_inFlight[email] = qMax(0, m_inFlight.value(email) - 1);
}

QJsonObject RequestLog::mostMutationsInFlight() const
{
    QJsonObject most;
    for (auto it = m_mostInFlight.cbegin(); it != m_mostInFlight.cend(); ++it)
        most.insert(it.key(), it.value());
    return most;
}

QJsonArray RequestLog::toJson() const
{
    QJsonArray array;
    for (const QJsonObject &entry : m_entries)
        array.append(entry);
    return array;
}

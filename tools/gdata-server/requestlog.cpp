#include "tools/gdata-server/requestlog.h"

#include <QJsonObject>
#include <QRegularExpression>

namespace {

constexpr size_t kMaxEntries = 20000;
constexpr qsizetype kMaxBody = 256 * 1024;

QByteArray redactedHeader(const QByteArray &name, const QByteArray &value)
{
    if (name == "authorization") {
        const qsizetype token = value.indexOf("auth=");
        return token < 0 ? QByteArray("<redacted>") : value.left(token + 5) + "<redacted>";
    }
    if (name == "cookie")
        return "<redacted>";
    return value;
}

QString redactedBody(const QByteArray &body)
{
    static const QRegularExpression password(QStringLiteral("(^|&)Passwd=[^&]*"));
    QString text = QString::fromUtf8(body.left(kMaxBody));
    text.replace(password, QStringLiteral("\\1Passwd=<redacted>"));
    return text;
}

} // namespace

void RequestLog::record(const HttpRequest &request)
{
    QJsonObject headers;
    for (auto it = request.headers.cbegin(); it != request.headers.cend(); ++it)
        headers.insert(QString::fromLatin1(it.key()),
                       QString::fromLatin1(redactedHeader(it.key(), it.value())));
    m_entries.push_back(QJsonObject{{"method", QString::fromLatin1(request.method)},
                                    {"url", request.url.toString()},
                                    {"headers", headers},
                                    {"body", redactedBody(request.body)}});
    if (m_entries.size() > kMaxEntries)
        m_entries.pop_front();
}

QJsonArray RequestLog::toJson() const
{
    QJsonArray array;
    for (const QJsonObject &entry : m_entries)
        array.append(entry);
    return array;
}

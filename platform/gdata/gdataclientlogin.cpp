#include "platform/gdata/gdataclientlogin.h"

#include "platform/gdata/gdatanetworkerror.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>
#include <QUrlQuery>

namespace {

// The keys of a refused sign-in that callers may show or act on.
constexpr const char *kFailureKeys[] = {"Error", "Url", "CaptchaToken", "CaptchaUrl", "Info"};

QHash<QString, QString> keyValueLines(const QByteArray &body)
{
    QHash<QString, QString> values;
    for (const QByteArray &line : body.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            values.insert(QString::fromUtf8(line.left(equals)).trimmed(),
                          QString::fromUtf8(line.mid(equals + 1)).trimmed());
    }
    return values;
}

QByteArray formValue(const QString &value)
{
    return QUrl::toPercentEncoding(value);
}

} // namespace

GDataClientLogin::GDataClientLogin(QNetworkAccessManager *network, QObject *parent)
    : QObject(parent)
    , m_network(network)
{}

void GDataClientLogin::setCredentials(const QString &username, const QString &password)
{
    m_username = username;
    m_password = password;
    m_token.clear();
    ++m_generation;
}

void GDataClientLogin::signIn(const QUrl &authUrl, const QString &source, int timeoutMs, Done done)
{
    m_waiting.push_back(std::move(done));
    if (!m_token.isEmpty()) {
        QTimer::singleShot(0, this, [this] { complete(std::nullopt); });
        return;
    }
    if (m_signingIn)
        return;
    m_signingIn = true;
    QNetworkRequest request(authUrl);
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArrayLiteral("application/x-www-form-urlencoded"));
    if (!source.isEmpty())
        request.setRawHeader("User-Agent", source.toUtf8());
    request.setTransferTimeout(timeoutMs);
    const QByteArray form = "accountType=HOSTED_OR_GOOGLE&Email=" + formValue(m_username) +
                            "&Passwd=" + formValue(m_password) +
                            "&service=cp&source=" + formValue(source);
    QNetworkReply *reply = m_network->post(request, form);
    const quint64 generation = m_generation;
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, generation] { finished(reply, generation); });
}

void GDataClientLogin::finished(QNetworkReply *reply, quint64 generation)
{
    reply->deleteLater();
    m_signingIn = false;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray body = reply->isOpen() ? reply->readAll() : QByteArray();
    if (generation != m_generation) {
        complete(GDataError{kGDataErrorOther,
                            QLatin1String(kGDataErrorDomainHTTP),
                            QStringLiteral("credentials changed during sign-in"),
                            {}});
        return;
    }
    if (status == 0) {
        complete(gdataNetworkError(reply->error(), reply->errorString()));
        return;
    }
    const QHash<QString, QString> values = keyValueLines(body);
    if (status == 200 && !values.value(QStringLiteral("Auth")).isEmpty()) {
        m_token = values.value(QStringLiteral("Auth"));
        complete(std::nullopt);
        return;
    }
    GDataError error{status == 200 ? kGDataErrorBadResponse : status,
                     QLatin1String(kGDataErrorDomainHTTP),
                     QStringLiteral("sign-in refused (HTTP %1)").arg(status),
                     {}};
    for (const char *key : kFailureKeys) {
        const QString name = QString::fromLatin1(key);
        if (values.contains(name))
            error.userInfo.insert(name, values.value(name));
    }
    if (values.contains(QStringLiteral("Error")))
        error.description += QStringLiteral(": ") + values.value(QStringLiteral("Error"));
    complete(error);
}

void GDataClientLogin::complete(const std::optional<GDataError> &error)
{
    std::vector<Done> waiting;
    waiting.swap(m_waiting);
    for (const Done &done : waiting)
        done(error);
}

#include "platform/gdata/oauth/oauthformpost.h"

#include "platform/gdata/gdatanetworkerror.h"
#include "platform/gdata/oauth/oautherrors.h"

#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>

void postOAuthForm(QNetworkAccessManager *network, const QUrl &url, const OAuthForm &form,
                   int timeoutMs, QObject *context, OAuthFormDone done)
{
    QByteArray body;
    for (const auto &[name, value] : form) {
        if (!body.isEmpty())
            body += '&';
        body += QUrl::toPercentEncoding(name) + '=' + QUrl::toPercentEncoding(value);
    }
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArrayLiteral("application/x-www-form-urlencoded"));
    request.setTransferTimeout(timeoutMs);
    QNetworkReply *reply = network->post(request, body);
    // A flow or token source that goes away takes its exchange with it.
    QObject::connect(context, &QObject::destroyed, reply, [reply] {
        reply->abort();
        reply->deleteLater();
    });
    QObject::connect(reply, &QNetworkReply::finished, context, [reply, done = std::move(done)] {
        reply->deleteLater();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const QByteArray answer = reply->readAll();
        if (status == 0) {
            done(gdataNetworkError(reply->error(), reply->errorString()), {});
            return;
        }
        if (status >= 300) {
            done(oauthTokenEndpointError(status, answer), {});
            return;
        }
        const QJsonDocument document = QJsonDocument::fromJson(answer);
        if (!document.isObject()) {
            done(GDataError{kGDataErrorBadResponse,
                            QLatin1String(kGDataErrorDomainParse),
                            QStringLiteral("the token endpoint's answer is not JSON"),
                            {}},
                 {});
            return;
        }
        done(std::nullopt, document.object());
    });
}

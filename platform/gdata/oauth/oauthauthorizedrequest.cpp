#include "platform/gdata/oauth/oauthauthorizedrequest.h"

#include "platform/gdata/gdatanetworkerror.h"
#include "platform/gdata/onceonlybody.h"
#include "platform/gdata/oauth/oautherrors.h"
#include "platform/gdata/oauth/oauthtokensource.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

namespace {

constexpr int kUnauthorized = 401;

} // namespace

void OAuthAuthorizedRequest::send(OAuthTokenSource *tokens, QNetworkAccessManager *network,
                                  Spec spec, Done done)
{
    auto *request = new OAuthAuthorizedRequest(tokens, network, std::move(spec), std::move(done));
    request->authorize();
}

OAuthAuthorizedRequest::OAuthAuthorizedRequest(OAuthTokenSource *tokens,
                                               QNetworkAccessManager *network, Spec spec, Done done)
    : QObject(tokens)
    , m_tokens(tokens)
    , m_network(network)
    , m_spec(std::move(spec))
    , m_done(std::move(done))
{}

void OAuthAuthorizedRequest::authorize()
{
    m_tokens->authorize([this](const std::optional<GDataError> &error, const QString &token) {
        if (error)
            complete(error, {});
        else
            sendWithToken(token);
    });
}

void OAuthAuthorizedRequest::sendWithToken(const QString &token)
{
    m_sentToken = token;
    QNetworkRequest request(m_spec.url);
    request.setRawHeader("Authorization", "Bearer " + m_sentToken.toLatin1());
    if (!m_spec.contentType.isEmpty())
        request.setHeader(QNetworkRequest::ContentTypeHeader, m_spec.contentType);
    request.setTransferTimeout(m_spec.timeoutMs);
    QNetworkReply *reply = m_spec.body.isEmpty()
                               ? m_network->sendCustomRequest(request, m_spec.method)
                               : sendOnceOnly(*m_network, request, m_spec.method, m_spec.body);
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finished(reply); });
}

void OAuthAuthorizedRequest::finished(QNetworkReply *reply)
{
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const Answer answer{status, reply->readAll()};
    if (status == 0) {
        complete(gdataNetworkError(reply->error(), reply->errorString()), answer);
        return;
    }
    if (status == kUnauthorized) {
        if (m_renewedOnce) {
            complete(oauthRefusedError(QStringLiteral("the API refused a freshly renewed token")),
                     answer);
            return;
        }
        m_renewedOnce = true;
        m_tokens->dropAccessToken(m_sentToken);
        authorize();
        return;
    }
    if (status >= 300) {
        complete(oauthAPIError(status, answer.body), answer);
        return;
    }
    complete(std::nullopt, answer);
}

void OAuthAuthorizedRequest::complete(const std::optional<GDataError> &error, const Answer &answer)
{
    m_done(error, answer);
    deleteLater();
}

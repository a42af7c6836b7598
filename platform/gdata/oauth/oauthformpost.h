// A form POST to an OAuth endpoint and the reading of its answer, shared by the token refresh, the
// code exchange and the revocation. Nothing of the form is logged: it holds codes and secrets.
#pragma once

#include "platform/gdata/gdataerror.h"

#include <QJsonObject>
#include <QList>
#include <QPair>
#include <QUrl>

#include <functional>
#include <optional>

class QNetworkAccessManager;
class QObject;

// error set: no answer (network), or an answer of status 300 or more (through
// oauthTokenEndpointError); otherwise the answer's JSON object. done runs later on the event loop,
// and never once context is gone.
using OAuthFormDone =
    std::function<void(const std::optional<GDataError> &error, const QJsonObject &answer)>;

using OAuthForm = QList<QPair<QString, QString>>;

// Every name and value goes percent-encoded whole: a '+' or '&' in a token or secret must reach
// the endpoint as it is.
void postOAuthForm(QNetworkAccessManager *network, const QUrl &url, const OAuthForm &form,
                   int timeoutMs, QObject *context, OAuthFormDone done);

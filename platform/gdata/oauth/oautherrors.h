// The failures of OAuth sign-in and of requests made with its tokens, in the codes the layers above
// already act on: 403 drops to the sign-in again, -1 is a plain failure.
#pragma once

#include "platform/gdata/gdataerror.h"

#include <QByteArray>
#include <QJsonObject>

// A sign-in the account cannot use any more (no usable credential, a revoked grant).
GDataError oauthRefusedError(const QString &why);

// A failed answer of the token endpoint. A grant or client the endpoint refuses is 403; anything
// else (a server fault) keeps its status, so a passing outage never drops the account.
GDataError oauthTokenEndpointError(int status, const QByteArray &body);

// Whether Google's error object says the API is disabled or the project not configured.
bool namesDisabledAPI(const QJsonObject &error);

// A failed answer of the API. A 403 saying the API is disabled or the project not configured is -1
// with Google's message: signing in again cannot mend it, so it must not drop the account.
GDataError oauthAPIError(int status, const QByteArray &body);

// The check's sign-in: the installed-app flow of the service, in the person's browser, or for a
// loopback server by a fetcher that asks for the authorization page and follows its redirect to
// the flow's listener.
#pragma once

#include "platform/gdata/oauth/oauthinstalledappflow.h"
#include "tools/google-check/checkoptions.h"

#include <QJsonObject>

class QNetworkAccessManager;

// The flow's result; section gets what the report says of it: the time, the granted scopes,
// whether a refresh token came, or a failure's kind.
OAuthSignInResult signInForCheck(QNetworkAccessManager *network, const CheckOptions &options,
                                 const CheckClient &client, QJsonObject *section);

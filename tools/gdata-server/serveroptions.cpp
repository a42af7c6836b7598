#include "tools/gdata-server/serveroptions.h"

void ServerOptions::apply(const QJsonObject &changes)
{
    pageSize = qMax(1, changes.value(QLatin1String("pageSize")).toInt(pageSize));
    reverseBatchResults =
        changes.value(QLatin1String("reverseBatchResults")).toBool(reverseBatchResults);
    interruptOversizedBatch =
        changes.value(QLatin1String("interruptOversizedBatch")).toBool(interruptOversizedBatch);
    conflictStatus = changes.value(QLatin1String("conflictStatus")).toInt(conflictStatus);
    photoBumpsUpdated = changes.value(QLatin1String("photoBumpsUpdated")).toBool(photoBumpsUpdated);
    photoSizeLimit = changes.value(QLatin1String("photoSizeLimit")).toInt(photoSizeLimit);
    nextLinkLoopsFrom = changes.value(QLatin1String("nextLinkLoopsFrom")).toInt(nextLinkLoopsFrom);
    brokenNextLink = changes.value(QLatin1String("brokenNextLink")).toBool(brokenNextLink);
    peoplePageLimit =
        qMax(0, changes.value(QLatin1String("peoplePageLimit")).toInt(peoplePageLimit));
    staleEtagStatus = changes.value(QLatin1String("staleEtagStatus")).toInt(staleEtagStatus);
    syncTokenLifetimeSeconds = changes.value(QLatin1String("syncTokenLifetimeSeconds"))
                                   .toInteger(syncTokenLifetimeSeconds);
    listLagMs = changes.value(QLatin1String("listLagMs")).toInt(listLagMs);
    mutationDelayMs = changes.value(QLatin1String("mutationDelayMs")).toInt(mutationDelayMs);
    autoConsent = changes.value(QLatin1String("autoConsent")).toBool(autoConsent);
    consentAccount = changes.value(QLatin1String("consentAccount")).toString(consentAccount);
    consentScopes = changes.value(QLatin1String("consentScopes")).toString(consentScopes);
    consentDenied = changes.value(QLatin1String("consentDenied")).toBool(consentDenied);
    accessTokenLifetime =
        changes.value(QLatin1String("accessTokenLifetime")).toInt(accessTokenLifetime);
    // Refresh token rotation.
    rotateRefreshTokens =
        changes.value(QLatin1String("rotateRefreshTokens")).toBool(rotateRefreshTokens);
}

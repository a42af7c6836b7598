#pragma once

#include <QString>

// Preferences of batch sends and their completion chain.
namespace batchkeys {
inline const QString gmSimpleABContactActionsComplete =
    QStringLiteral("gmSimpleABContactActionsComplete");
inline const QString gmAdvancedABContactActionsComplete =
    QStringLiteral("gmAdvancedABContactActionsComplete");
inline const QString gmSimpleABGroupActionsComplete =
    QStringLiteral("gmSimpleABGroupActionsComplete");
inline const QString gmSmartGroupTicketComplete = QStringLiteral("gmSmartGroupTicketComplete");
inline const QString updateABGroupActionsComplete = QStringLiteral("updateABGroupActionsComplete");
inline const QString updateABContactActionsComplete =
    QStringLiteral("updateABContactActionsComplete");
inline const QString showGoogleAlerts = QStringLiteral("showGoogleAlerts");
inline const QString showGoogleProcessReports = QStringLiteral("showGoogleProcessReports");
} // namespace batchkeys

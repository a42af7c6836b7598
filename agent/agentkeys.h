#pragma once

#include <QString>

#include <array>

// The agent's own preferences and the main program's that only the agent reads.
namespace agentkeys {

inline const QString kAgentDomain = QStringLiteral("com.zel-tor.agentTolvane");
inline const QString kMainDomain = QStringLiteral("com.zel-tor.tolvane");
inline const QString kServiceBundleIdentifier = QStringLiteral("com.zel-tor.tolvaneService");
// The name the address book journals with every save of this process; its own saves are told
// apart from other programs' by it.
inline const QString kApplicationName = QStringLiteral("Agent Tolvane");

// Whether the address book change handlers are connected.
inline const QString abNotifications = QStringLiteral("abNotifications");
// Whether a failed internet test arms the poll.
inline const QString tolvaneAgentDoesPoll = QStringLiteral("tolvaneAgentDoesPoll");
// The monitored groups of push mode 2, written into both domains.
inline const QString autoABGroupKeys = QStringLiteral("autoABGroupKeys");
inline const QString autoABUsesSelectedGroups = QStringLiteral("autoABUsesSelectedGroups");
inline const QString autoABSelectedGroupsIncludeNewGroups =
    QStringLiteral("autoABSelectedGroupsIncludeNewGroups");
// The address book journal's position up to which every restore of the book has been dealt with
// (no push, a new snapshot, the alert); kept across runs, so that a restore made while the agent
// did not run or was not listening is found at its next login.
inline const QString autoABRestoresSeenUpTo = QStringLiteral("autoABRestoresSeenUpTo");
inline const QString appLogLevel = QStringLiteral("appLogLevel");
inline const QString startMode = QStringLiteral("startMode");

// What the agent's quit takes out of its own domain.
inline const std::array<QString, 16> quitRemovesKeys = {
    QStringLiteral("appBuild"),
    QStringLiteral("googleAuthenticationFailure"),
    QStringLiteral("googleConnectionFailure"),
    QStringLiteral("googleContactCount"),
    QStringLiteral("googleDataMask"),
    QStringLiteral("googleEmailOnlyCount"),
    QStringLiteral("googleGroupCount"),
    QStringLiteral("googleHasContactData"),
    QStringLiteral("googleHasData"),
    QStringLiteral("googleHasGroupData"),
    QStringLiteral("isGoogleArchive"),
    QStringLiteral("batchSimpleABContactPicturesTicketComplete"),
    QStringLiteral("batchSimpleABContactUploadPicturesComplete"),
    QStringLiteral("dynUpdateSmartGroups"),
    QStringLiteral("gmAdvancedABContactActionsComplete"),
    QStringLiteral("gmRefetchAllContactsComplete"),
};

} // namespace agentkeys

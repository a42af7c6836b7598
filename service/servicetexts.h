#pragma once

#include <QString>

// tolvane-service's error texts, each with its exit status, and its log lines.
namespace servicetexts {

inline const QString kBundleIdentifier = QStringLiteral("com.zel-tor.tolvaneService");

inline const QString noText = QStringLiteral("Error: could not perform Cardzap.");
inline const QString noTmp = QStringLiteral("Error: unable to write file to tmp.");
inline const QString noLaunch = QStringLiteral("Error: unable to launch Agent Tolvane.");
inline const QString noCommunication =
    QStringLiteral("Error: communication failure with Agent Tolvane.");

enum ExitStatus { Handed = 0, NoText = 1, NoTmp = 2, NoLaunch = 3, NoCommunication = 4 };

inline const QString handOverLine = QStringLiteral("-------\r%1\r***\r%2\r");
inline const QString noAgentPath = QStringLiteral("Unable to determine path to AgentTolvane");
inline const QString notExecutable = QStringLiteral("Agent Tolvane found but is NOT executable");
inline const QString cannotLaunch = QStringLiteral("Agent Tolvane found but unable to launch.");
inline const QString scriptError = QStringLiteral("TolvaneService Error on script: %1");
inline const QString serviceError = QStringLiteral("TolvaneService Error: %1");
inline const QString sourceIgnored =
    QStringLiteral("The source program \"%1\" is not a plain identifier and is ignored.");

} // namespace servicetexts

#pragma once

#include <QString>

// The agent's command interface on the session bus, shared by the agent that answers it, the
// service that hands it text and the main program that silences it during its own writes. The
// agent's quit goes through the application interface of busprograms.h on "/"; these commands
// live on an object of their own.
namespace agentcommands {

inline const QString kBundleIdentifier = QStringLiteral("com.zel-tor.agentTolvane");
inline const QString kInterface = QStringLiteral("com.zel_tor.agentTolvane");
inline const QString kPath = QStringLiteral("/agent");

// Cardzap(v fileName): fills the quick-entry panel from the text file.
inline const QString kCardzap = QStringLiteral("Cardzap");
// SetListener(v flag): "true", "yes", "on" or "1" (any case) switch listening on, anything else off.
inline const QString kSetListener = QStringLiteral("SetListener");
// IsListening() -> b
inline const QString kIsListening = QStringLiteral("IsListening");

// The bus error a command answers where a script would have raised error -10000.
inline const QString kScriptError = QStringLiteral("com.zel_tor.agentTolvane.Error.Failed");

} // namespace agentcommands

#pragma once

#include <QString>

// The folder the running program was started from. The programs are installed side by side (and
// built side by side, in the build's bin folder), so each finds the others and their payloads
// there: the address book tool, the agent and the Services provider.
namespace programfolder {

QString path();
// The program of that file name in the folder; it need not exist.
QString programPath(const QString &fileName);
// Tests stand in a folder of their own; a null path goes back to the running program's folder.
void setPathForTesting(const QString &path);

// The address book tool's file name, and the bundle identifier by which the old platform knew the
// address book application that the tool stands in for.
inline const QString kAddressBookToolName = QStringLiteral("abtool");
inline const QString kAddressBookBundleIdentifier = QStringLiteral("com.apple.AddressBook");

} // namespace programfolder

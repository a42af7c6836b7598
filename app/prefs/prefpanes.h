// The panes of the preferences sheet: the items of its toolbar and the page each one shows, and
// the toolbar's item lists.
#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace prefpanes {

inline const QString toolbarIdentifier = QStringLiteral("Tolvane PrefWindow Toolbar Identifier");

inline const QString general = QStringLiteral("Tolvane General Toolbar Identifier");
inline const QString account = QStringLiteral("Tolvane Account Toolbar Identifier");
inline const QString addressBook = QStringLiteral("Tolvane AddressBook Toolbar Identifier");
inline const QString console = QStringLiteral("Tolvane ConsoleToolbar Identifier");
inline const QString google = QStringLiteral("Tolvane Google Toolbar Identifier");
inline const QString safari = QStringLiteral("Tolvane Safari Toolbar Identifier");
inline const QString updates = QStringLiteral("Tolvane Updates Toolbar Identifier");
inline const QString international = QStringLiteral("Tolvane International Toolbar Identifier");
inline const QString vCard = QStringLiteral("Tolvane vCard Toolbar Identifier");
inline const QString push = QStringLiteral("Tolvane PushToolbar Identifier");

// The pages' identifiers.
inline const QString generalTab = QStringLiteral("General");
inline const QString accountTab = QStringLiteral("Account");
inline const QString abTab = QStringLiteral("AB");
inline const QString consoleTab = QStringLiteral("Console");
inline const QString googleTab = QStringLiteral("Google");
inline const QString safariTab = QStringLiteral("Safari");
inline const QString updateTab = QStringLiteral("Update");
inline const QString worldTab = QStringLiteral("World");
inline const QString vCardTab = QStringLiteral("vCard");
inline const QString pushTab = QStringLiteral("Push");

struct PaneDefinition
{
    const QString &identifier;
    QString label;
    QString paletteLabel;
    QString toolTip;
    // Found on the "images" search path.
    QString image;
    // The application delegate's operation the item sends.
    QString action;
    const QString &tab;
};

// The tool tips of the address book and Safari items end with a blank, and the vCard label has
// two spaces on each side.
inline const std::array<PaneDefinition, 10> panes = {{
    {general, QStringLiteral("General"), QStringLiteral("General"),
     QStringLiteral("View or Setup the General Preferences"), QStringLiteral("General"),
     QStringLiteral("generalPrefs:"), generalTab},
    {account, QStringLiteral("Account"), QStringLiteral("Google Account"),
     QStringLiteral("View or Setup the Preferences for the Google Account"),
     QStringLiteral("Account"), QStringLiteral("accountPrefs:"), accountTab},
    {addressBook, QStringLiteral("AddrBook"), QStringLiteral("Address Book Updates"),
     QStringLiteral("View or Setup the Preferences for updating the Address Book "),
     QStringLiteral("AddressBook"), QStringLiteral("abPrefs:"), abTab},
    {console, QStringLiteral("Console"), QStringLiteral("Tolvane Logging"),
     QStringLiteral("View the Tolvane log files"), QStringLiteral("Console"),
     QStringLiteral("consolePrefs:"), consoleTab},
    {google, QStringLiteral("Google"), QStringLiteral("Google Updates"),
     QStringLiteral("View or Setup the Preferences for updating GMail Contacts & Groups "),
     QStringLiteral("GoogleContactIcon2"), QStringLiteral("googlePrefs:"), googleTab},
    {safari, QStringLiteral("Safari"), QStringLiteral("Safari Integration"),
     QStringLiteral("View or Setup the Preferences for updating the Address Book "),
     QStringLiteral("Safari"), QStringLiteral("safariPrefs:"), safariTab},
    {updates, QStringLiteral("Update"), QStringLiteral("Update"),
     QStringLiteral("Preferences for updating the software"), QStringLiteral("Updates"),
     QStringLiteral("updatePrefs:"), updateTab},
    {international, QStringLiteral("World"), QStringLiteral("World"),
     QStringLiteral("International Preferences"), QStringLiteral("Countries"),
     QStringLiteral("internationalPrefs:"), worldTab},
    {vCard, QStringLiteral("  vCard  "), QStringLiteral("vCard"),
     QStringLiteral("vCard Preferences"), QStringLiteral("vCard"), QStringLiteral("vCardPrefs:"),
     vCardTab},
    {push, QStringLiteral("ABPush"), QStringLiteral("ABPush"),
     QStringLiteral("Address Book Push Preferences"), QStringLiteral("Push"),
     QStringLiteral("pushPrefs:"), pushTab},
}};

// The definition of a known identifier; null for any other.
const PaneDefinition *definitionOf(const QString &identifier);

// The default items, which are also the allowed ones, in the toolbar's order. The Safari item is
// in no list.
QStringList defaultItemIdentifiers();
// The items that stay selected once chosen.
QStringList selectableItemIdentifiers();

} // namespace prefpanes

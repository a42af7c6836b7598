// The items of the contact table's context menu: their tags, titles and the operations they send.
#pragma once

#include <QString>

#include <array>

namespace contactmenuitems {

// The tags the menu's enabling and its run-time submenus go by.
enum Tag {
    kSetOperator = 1690,
    kMerge = 1700,
    kFindReplace = 1710,
    kViewMapToWork = 1730,
    kSendMapToWork = 1731,
    kViewMapToHome = 1735,
    kSendMapToHome = 1736,
    kScripts = 1740,
    kGroups = 1750,
    kRemoveMemberships = 1755,
    kFlags = 1765,
    kSendMessage = 1775,
};

struct Item
{
    // 0 for an item the enabling leaves alone.
    int tag;
    QString title;
    // The operation sent; none for an item that carries a submenu.
    QString action;
};

inline const std::array<Item, 13> items = {{
    {0, QStringLiteral("Inspect"), QStringLiteral("editContact:")},
    {0, QStringLiteral("Delete"), QStringLiteral("deleteItems:")},
    {kMerge, QStringLiteral("Merge Contacts"), QStringLiteral("mergeContacts:")},
    {kFindReplace, QStringLiteral("Find and Replace"), QStringLiteral("showBulkEdit:")},
    {kViewMapToWork, QStringLiteral("View Map to Work"), QStringLiteral("viewMapToWork:")},
    {kSendMapToWork, QStringLiteral("Mail Map to Work"), QStringLiteral("sendMapToWork:")},
    {kViewMapToHome, QStringLiteral("View Map to Home"), QStringLiteral("viewMapToHome:")},
    {kSendMapToHome, QStringLiteral("Mail Map to Home"), QStringLiteral("sendMapToHome:")},
    {kSendMessage, QStringLiteral("Send Message"), QStringLiteral("showMessage:")},
    {kGroups, QStringLiteral("Groups"), QString()},
    {kRemoveMemberships, QStringLiteral("Remove from All Groups"),
     QStringLiteral("bulkRemoveMemberships:")},
    {kFlags, QStringLiteral("Flag As"), QString()},
    {kScripts, QStringLiteral("Scripts"), QString()},
}};

// The items of the flags submenu.
inline const std::array<Item, 4> flags = {{
    {0, QStringLiteral("Male"), QStringLiteral("flagAsMale:")},
    {0, QStringLiteral("Female"), QStringLiteral("flagAsFemale:")},
    {0, QStringLiteral("Person"), QStringLiteral("flagAsPerson:")},
    {0, QStringLiteral("Company"), QStringLiteral("flagAsCompany:")},
}};

} // namespace contactmenuitems

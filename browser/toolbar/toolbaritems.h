// The items of the browser window's toolbar: their identifiers, texts, images and what each sends,
// and the default and allowed item lists.
#pragma once

#include <QAction>
#include <QString>
#include <QStringList>

#include <array>

namespace toolbaritems {

// Also the preference key under which the toolbar's item list is kept.
inline const QString toolbarIdentifier =
    QStringLiteral("Tolvane Browser Window Toolbar Identifier");

// "Vew", as earlier versions stored it.
inline const QString groupNav = QStringLiteral("Tolvane GroupNav Vew Toolbar Identifier");
inline const QString deleteItem = QStringLiteral("Tolvane Delete Toolbar Identifier");
inline const QString inspector = QStringLiteral("Tolvane Inspector Toolbar Identifier");
inline const QString merge = QStringLiteral("Tolvane Merge Toolbar Identifier");
inline const QString bulkEdit = QStringLiteral("Tolvane BulkEdit Toolbar Identifier");
inline const QString reload = QStringLiteral("Tolvane Reload Toolbar Identifier");
inline const QString setLogic = QStringLiteral("Tolvane Set Logic Toolbar Identifier");
inline const QString rowHeight = QStringLiteral("Tolvane Row Height Slider Toolbar Identifier");
inline const QString rowFontSize = QStringLiteral("Tolvane Row Font Size Toolbar Identifier");
inline const QString noteFontSize = QStringLiteral("Tolvane Note Font Size Toolbar Identifier");
inline const QString imageView = QStringLiteral("Tolvane Image View Toolbar Identifier");
inline const QString noteView = QStringLiteral("Tolvane Note View Toolbar Identifier");
inline const QString dataField = QStringLiteral("Tolvane DataField PopUp Toolbar Identifier");
inline const QString searchField = QStringLiteral("Tolvane SearchField Toolbar Identifier");

// The standard items, by the identifiers stored lists name them with.
inline const QString flexibleSpace = QStringLiteral("NSToolbarFlexibleSpaceItem");
inline const QString space = QStringLiteral("NSToolbarSpaceItem");
inline const QString separator = QStringLiteral("NSToolbarSeparatorItem");

// The control an item shows in place of an image.
enum class Control { None, SetOperator, RowHeight, RowFontSize, NoteFontSize, DataField, Search };

struct ItemDefinition
{
    const QString &identifier;
    QString label;
    QString paletteLabel;
    QString toolTip;
    // The image's name; none for an item with a control.
    QString image;
    // The operation the item sends; none for an item with a control.
    QString action;
    Control control;
    QAction::Priority priority;
};

inline const std::array<ItemDefinition, 14> items = {{
    {groupNav, QStringLiteral("Groups"), QStringLiteral("Groups"),
     QStringLiteral("View the Groups Nav pane"), QStringLiteral("General"),
     QStringLiteral("toggleGroupNav:"), Control::None, QAction::LowPriority},
    {deleteItem, QStringLiteral("Delete"), QStringLiteral("Delete"),
     QStringLiteral("Delete selected Contacts or Groups"), QStringLiteral("delete"),
     QStringLiteral("deleteItems:"), Control::None, QAction::NormalPriority},
    {inspector, QStringLiteral("Inspect"), QStringLiteral("Inspect"),
     QStringLiteral("View or Change Contact details"), QStringLiteral("inspect"),
     QStringLiteral("editGoogleContact:"), Control::None, QAction::NormalPriority},
    {merge, QStringLiteral("Merge"), QStringLiteral("Merge"),
     QStringLiteral("Merge multiple Contacts into one"), QStringLiteral("Merge"),
     QStringLiteral("mergeContacts:"), Control::None, QAction::NormalPriority},
    {bulkEdit, QStringLiteral("Find-Replace"), QStringLiteral("Find and Replace"),
     QStringLiteral("Find & Replace across multiple Contacts"), QStringLiteral("BulkEdit"),
     QStringLiteral("showBulkEdit:"), Control::None, QAction::NormalPriority},
    // Sent to the application delegate.
    {reload, QStringLiteral("Reload"), QStringLiteral("Reload"),
     QStringLiteral("Reload Google Contacts and Group data"), QStringLiteral("refresh"),
     QStringLiteral("refreshGoogleState:"), Control::None, QAction::NormalPriority},
    // Union, a blank, a vertical bar, a blank, intersect.
    {setLogic, QStringLiteral("Union | Intersect"), QStringLiteral("Union or Intersection"),
     QStringLiteral("Union or Intersection of Multiple Groups"), QString(), QString(),
     Control::SetOperator, QAction::HighPriority},
    {rowHeight, QStringLiteral("Row Height"), QStringLiteral("Row Height"),
     QStringLiteral("Change the height of rows in the browser"), QString(), QString(),
     Control::RowHeight, QAction::LowPriority},
    {rowFontSize, QStringLiteral("Row Font"), QStringLiteral("Row Font Size"),
     QStringLiteral("Change the font size of rows in the browser"), QString(), QString(),
     Control::RowFontSize, QAction::LowPriority},
    {noteFontSize, QStringLiteral("Note Font"), QStringLiteral("Note Font Size"),
     QStringLiteral("Change the font size of the Note field in the browser"), QString(), QString(),
     Control::NoteFontSize, QAction::LowPriority},
    {imageView, QStringLiteral("Image"), QStringLiteral("Image"),
     QStringLiteral("View a Google Contact's Image"), QStringLiteral("Portrait"),
     QStringLiteral("toggleBrowserImage:"), Control::None, QAction::LowPriority},
    {noteView, QStringLiteral("Note"), QStringLiteral("Note"),
     QStringLiteral("View a Google Contact's Notes"), QStringLiteral("Notes"),
     QStringLiteral("toggleNotes:"), Control::None, QAction::LowPriority},
    // The tool tip ends with a blank.
    {dataField, QStringLiteral("DataField"), QStringLiteral("Data Field"),
     QStringLiteral("Choose the Data Field in the Browser "), QString(), QString(),
     Control::DataField, QAction::HighPriority},
    {searchField, QStringLiteral("Search"), QStringLiteral("Search"),
     QStringLiteral("Search the current list of contacts"), QString(), QString(), Control::Search,
     QAction::HighPriority},
}};

// The definition of a known identifier; null for any other.
const ItemDefinition *definitionOf(const QString &identifier);

// The toolbar's items when no list is stored, in order.
QStringList toolbarDefaultItemIdentifiers();
// The items a user may place. The data field is not among them, though a stored list that names
// it gets it.
QStringList toolbarAllowedItemIdentifiers();

// The menu form of the search item offers this; nothing performs it, so it is disabled.
inline const QString searchPanel = QStringLiteral("Search Panel");
inline const QString searchPanelAction = QStringLiteral("searchUsingSearchPanel:");

// The set operator's two segments.
inline const QString unionSegment = QStringLiteral("Union");
inline const QString intersectSegment = QStringLiteral("Intersect");

// The data field pop-up's choices, by the value of browserDataField.
struct DataFieldChoice
{
    int value;
    QString title;
};
inline const std::array<DataFieldChoice, 3> dataFieldChoices = {{
    {1, QStringLiteral("Email")},
    {2, QStringLiteral("Phone")},
    {3, QStringLiteral("Location")},
}};

} // namespace toolbaritems

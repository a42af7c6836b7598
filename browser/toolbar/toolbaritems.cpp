#include "browser/toolbar/toolbaritems.h"

namespace toolbaritems {

const ItemDefinition *definitionOf(const QString &identifier)
{
    for (const ItemDefinition &definition : items) {
        if (definition.identifier == identifier)
            return &definition;
    }
    return nullptr;
}

QStringList toolbarDefaultItemIdentifiers()
{
    return {setLogic,  separator, reload,   separator,     inspector,   deleteItem,
            separator, merge,     bulkEdit, flexibleSpace, searchField, space};
}

QStringList toolbarAllowedItemIdentifiers()
{
    return {groupNav,    noteView,      imageView, rowHeight,  rowFontSize, noteFontSize,
            searchField, setLogic,      inspector, deleteItem, reload,      merge,
            bulkEdit,    flexibleSpace, space,     separator};
}

} // namespace toolbaritems

#include "app/prefs/prefpanes.h"

namespace prefpanes {

const PaneDefinition *definitionOf(const QString &identifier)
{
    for (const PaneDefinition &pane : panes) {
        if (pane.identifier == identifier)
            return &pane;
    }
    return nullptr;
}

QStringList defaultItemIdentifiers()
{
    return {account, general, google, addressBook, push, vCard, international, console, updates};
}

QStringList selectableItemIdentifiers()
{
    return {account, general, google, addressBook, vCard, international, updates, push, console};
}

} // namespace prefpanes

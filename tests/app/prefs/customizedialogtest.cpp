#include "app/prefs/customizedialog.h"

#include <QStringListModel>

#include <gtest/gtest.h>

namespace {

const QString kSpace = QStringLiteral("NSToolbarSpaceItem");
const QStringList kAllowed = {QStringLiteral("Reload"), QStringLiteral("Delete"), kSpace};
const QHash<QString, QString> kLabels = {{QStringLiteral("Reload"), QStringLiteral("Reload")},
                                         {QStringLiteral("Delete"), QStringLiteral("Delete")},
                                         {kSpace, QStringLiteral("Space")}};

TEST(CustomizeDialogTest, ItemsAreAddedOnceRemovedAndMovedWithinTheList)
{
    // The search item is shown but not allowed: it keeps its place.
    CustomizeDialog dialog(kAllowed, kLabels, {QStringLiteral("Search"), QStringLiteral("Reload")});
    EXPECT_EQ(dialog.allowedModel()->stringList(), (QStringList{"Reload", "Delete", "Space"}));
    EXPECT_EQ(dialog.shownModel()->stringList(), (QStringList{"Search", "Reload"}));

    dialog.addItem(0);
    EXPECT_EQ(dialog.chosenIdentifiers(), (QStringList{"Search", "Reload"}));
    dialog.addItem(2);
    dialog.addItem(2);
    dialog.addItem(1);
    EXPECT_EQ(dialog.chosenIdentifiers(),
              (QStringList{"Search", "Reload", kSpace, kSpace, "Delete"}));
    dialog.moveItem(4, -4);
    dialog.moveItem(0, -1);
    dialog.moveItem(4, 1);
    EXPECT_EQ(dialog.chosenIdentifiers(),
              (QStringList{"Delete", "Search", "Reload", kSpace, kSpace}));
    dialog.removeItem(1);
    dialog.removeItem(9);
    EXPECT_EQ(dialog.chosenIdentifiers(), (QStringList{"Delete", "Reload", kSpace, kSpace}));
    EXPECT_EQ(dialog.shownModel()->stringList(),
              (QStringList{"Delete", "Reload", "Space", "Space"}));
    dialog.addItem(-1);
    dialog.addItem(3);
    EXPECT_EQ(dialog.chosenIdentifiers().size(), 4);
}

} // namespace

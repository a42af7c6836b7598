// The data loader and the preferences sheet: each tab opens the sheet on the pane of its
// direction's options, and closing the sheet makes the window read the address book again.

#include "app/prefs/prefpanes.h"
#include "app/prefs/prefsheet.h"
#include "loader/window/datamoverwindowcontroller.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "tests/loader/window/dataloadertest.h"

#include <QAbstractButton>

namespace {

using PrefsButtonsTest = DataLoaderTest;

TEST_F(PrefsButtonsTest, EachTabOpensThePaneOfItsDirection)
{
    ASSERT_TRUE(openLoader());
    const std::pair<QString, QString> buttons[] = {{"reviewABPrefs", prefpanes::abTab},
                                                   {"reviewGooglePrefs", prefpanes::googleTab}};
    for (const auto &[name, tab] : buttons) {
        auto *const button = loader->window()->findChild<QAbstractButton *>(name);
        ASSERT_NE(button, nullptr) << name.toStdString();
        button->click();
        ASSERT_NE(delegate->prefSheet(), nullptr);
        EXPECT_TRUE(delegate->prefSheet()->isVisible());
        EXPECT_EQ(delegate->prefSheet()->currentTab(), tab);
        delegate->closePrefSheet();
    }
}

TEST_F(PrefsButtonsTest, ClosingTheSheetShowsTheAddressBookAsItIsNow)
{
    ASSERT_TRUE(openLoader());
    const auto names = [this] {
        QStringList shown;
        for (const QVariantMap &row : loader->localABGroupArray())
            shown << row.value("groupName").toString();
        return shown;
    };
    ASSERT_FALSE(names().contains("Cyclists"));
    const GroupPtr group = Group::create();
    group->setValueForProperty(QStringLiteral("Cyclists"), kABGroupNameProperty);
    ASSERT_TRUE(AddressBook::shared()->addRecord(group));
    ASSERT_TRUE(AddressBook::shared()->save());
    delegate->showPreferencePanel();
    delegate->closePrefSheet();
    EXPECT_TRUE(names().contains("Cyclists"));
}

} // namespace

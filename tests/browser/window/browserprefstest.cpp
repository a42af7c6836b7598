// The browser window and the application delegate's toolbar commands: the preferences sheet
// hides the browser's toolbar while it is up, the toolbar's customisation stores the item list
// that the toolbar then shows, and the menu's show and hide verb.

#include "app/prefs/customizedialog.h"
#include "app/prefs/prefsheet.h"
#include "app/windows/windowfactory.h"
#include "browser/models/contactarraycontroller.h"
#include "browser/toolbar/browsertoolbar.h"
#include "browser/toolbar/toolbaritems.h"
#include "browser/window/browserwindowcontroller.h"
#include "platform/defaults/userdefaults.h"

#include "tests/support/app/mainprogramtest.h"

#include <QAction>
#include <QStringListModel>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class BrowserPrefsTest : public MainProgramTest
{
protected:
    void SetUp() override
    {
        MainProgramTest::SetUp();
        windowfactory::setMaker(WindowController::Kind::Browser,
                                [] { return std::make_unique<BrowserWindowController>(); });
        storePassword(kPassword);
        server.generateContacts(kAccount, 3);
        UserDefaults::standard().removeObjectForKey(toolbaritems::toolbarIdentifier);
    }
    void TearDown() override
    {
        UserDefaults::standard().removeObjectForKey(toolbaritems::toolbarIdentifier);
        MainProgramTest::TearDown();
    }

    BrowserWindowController *browser() const
    {
        return qobject_cast<BrowserWindowController *>(delegate->googleBrowserWindowController());
    }
    BrowserToolbar *toolbar() const { return browser()->window()->findChild<BrowserToolbar *>(); }
    // The browser open, shown and key.
    bool openBrowser()
    {
        if (!startProgram())
            return false;
        delegate->openBrowserView();
        if (!browser())
            return false;
        browser()->showWindow();
        QApplication::setActiveWindow(browser()->window());
        return QTest::qWaitForWindowActive(browser()->window()) && toolbar() &&
               delegate->toolbar() == toolbar();
    }
};

TEST_F(BrowserPrefsTest, TheSheetHidesTheToolbarAndTheMenuVerbFollowsIt)
{
    ASSERT_TRUE(openBrowser());
    EXPECT_EQ(delegate->toolbarMenuVerb(), "Hide Toolbar");
    delegate->showPreferencePanel();
    EXPECT_EQ(delegate->prefSheet()->parentWidget(), browser()->window());
    EXPECT_TRUE(toolbar()->isHidden());
    delegate->closePrefSheet();
    EXPECT_FALSE(toolbar()->isHidden());

    delegate->showhide();
    EXPECT_TRUE(toolbar()->isHidden());
    EXPECT_EQ(delegate->toolbarMenuVerb(), "Show Toolbar");
    // A toolbar the user hid stays hidden after the sheet.
    delegate->showPreferencePanel();
    delegate->closePrefSheet();
    EXPECT_TRUE(toolbar()->isHidden());
    delegate->showhide();
    EXPECT_FALSE(toolbar()->isHidden());
    EXPECT_EQ(delegate->toolbarMenuVerb(), "Hide Toolbar");
}

TEST_F(BrowserPrefsTest, TheMenusItemsOpenTheSheetAndShowOrHideTheToolbar)
{
    ASSERT_TRUE(openBrowser());
    QAction item(QStringLiteral("Hide Toolbar"));
    ASSERT_TRUE(delegate->performMenuCommand("showhide:", &item));
    EXPECT_TRUE(toolbar()->isHidden());
    EXPECT_EQ(item.text(), "Show Toolbar");
    ASSERT_TRUE(delegate->performMenuCommand("showhide:", &item));
    EXPECT_FALSE(toolbar()->isHidden());
    EXPECT_EQ(item.text(), "Hide Toolbar");

    ASSERT_TRUE(delegate->performMenuCommand("showPreferencePanel:", &item));
    EXPECT_TRUE(delegate->prefSheet()->isVisible());
    delegate->closePrefSheet();
    ASSERT_TRUE(delegate->performMenuCommand("customize:", &item));
    ASSERT_NE(delegate->customizeDialog(), nullptr);
    EXPECT_TRUE(delegate->customizeDialog()->isVisible());
    delegate->customizeDialog()->reject();
}

TEST_F(BrowserPrefsTest, TheCustomisationStoresTheListTheToolbarShows)
{
    ASSERT_TRUE(openBrowser());
    const QStringList before = toolbar()->itemIdentifiers();
    ASSERT_FALSE(before.contains(toolbaritems::groupNav));
    delegate->customize();
    CustomizeDialog *const dialog = delegate->customizeDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->allowedModel()->rowCount(),
              toolbaritems::toolbarAllowedItemIdentifiers().size());
    // The Groups item first, the Reload item taken away.
    const int groups =
        int(toolbaritems::toolbarAllowedItemIdentifiers().indexOf(toolbaritems::groupNav));
    dialog->addItem(groups);
    dialog->moveItem(int(dialog->chosenIdentifiers().indexOf(toolbaritems::groupNav)),
                     -int(dialog->chosenIdentifiers().indexOf(toolbaritems::groupNav)));
    dialog->removeItem(int(dialog->chosenIdentifiers().indexOf(toolbaritems::reload)));
    QStringList expected = before;
    expected.removeAll(toolbaritems::reload);
    expected.prepend(toolbaritems::groupNav);
    ASSERT_EQ(dialog->chosenIdentifiers(), expected);
    dialog->accept();

    EXPECT_EQ(UserDefaults::standard().stringArrayForKey(toolbaritems::toolbarIdentifier),
              expected);
    EXPECT_EQ(toolbar()->itemIdentifiers(), expected);
    EXPECT_NE(toolbar()->item(toolbaritems::groupNav), nullptr);
    EXPECT_EQ(toolbar()->item(toolbaritems::reload), nullptr);
}

TEST_F(BrowserPrefsTest, ACancelledCustomisationChangesNothing)
{
    ASSERT_TRUE(openBrowser());
    const QStringList before = toolbar()->itemIdentifiers();
    delegate->customize();
    CustomizeDialog *const dialog = delegate->customizeDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->removeItem(0);
    dialog->reject();
    EXPECT_EQ(toolbar()->itemIdentifiers(), before);
    EXPECT_FALSE(UserDefaults::standard().objectForKey(toolbaritems::toolbarIdentifier).isValid());
}

} // namespace

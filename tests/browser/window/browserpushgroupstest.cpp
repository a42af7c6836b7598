// The browser window of the main program over the application delegate's push selection and its
// Reload item, against the loopback server.
#include "app/menus/commandkeys.h"
#include "app/windows/windowfactory.h"
#include "browser/models/contactarraycontroller.h"
#include "browser/models/grouparraycontroller.h"
#include "browser/toolbar/browsertoolbar.h"
#include "browser/toolbar/toolbaritems.h"
#include "browser/window/browserwindowcontroller.h"
#include "google/push/pushkeys.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/searchelement.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "tests/support/app/mainprogramtest.h"

#include <QAction>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kContacts = 5;

GDataEntryPtr googleGroup(const QString &title)
{
    auto group = std::make_shared<GDataEntryContactGroup>();
    group->setTitle(title);
    return group;
}

// The first window of the launch is the browser: three people in the book, five contacts on
// Google, and the book's groups "Golfers" (plain) and "Lees" (smart), named like Google groups.
class BrowserPushGroupsTest : public MainProgramTest
{
protected:
    void SetUp() override
    {
        MainProgramTest::SetUp();
        windowfactory::setMaker(WindowController::Kind::Browser,
                                [] { return std::make_unique<BrowserWindowController>(); });
        storePassword(kPassword);
        server.generateContacts(kAccount, kContacts);
        server.seedGroups(kAccount,
                          {googleGroup("Golfers"), googleGroup("Lees"), googleGroup("Chess")});
        for (int i = 0; i < 3; ++i) {
            const PersonPtr person = Person::create();
            person->setValueForProperty(QStringLiteral("Reader%1").arg(i), kABFirstNameProperty);
            person->setValueForProperty(QStringLiteral("Lee"), kABLastNameProperty);
            ASSERT_TRUE(AddressBook::shared()->addRecord(person));
        }
        golfers = Group::create();
        golfers->setValueForProperty(QStringLiteral("Golfers"), kABGroupNameProperty);
        AddressBook::shared()->addRecord(golfers);
        lees = Group::createSmartGroup(
            SearchElement::forProperty(RecordClass::Person, kABLastNameProperty, {}, {},
                                       QStringLiteral("Lee"), SearchElement::Comparison::Equal));
        lees->setValueForProperty(QStringLiteral("Lees"), kABGroupNameProperty);
        AddressBook::shared()->addRecord(lees);
        ASSERT_TRUE(AddressBook::shared()->save());
        UserDefaults::standard().setInteger(1, QStringLiteral("systemGroupUseAll"));
    }
    BrowserWindowController *browser() const
    {
        return qobject_cast<BrowserWindowController *>(delegate->googleBrowserWindowController());
    }
    bool openBrowser()
    {
        return startProgram() && runUntil([this] {
                   return browser() && browser()->contactArrayController() &&
                          browser()->contactArrayController()->rowCount() == kContacts;
               });
    }
    QString typeOf(const QString &name) const
    {
        for (const GroupRow &row : browser()->groupArrayController()->groupArray()) {
            if (row.groupName == name)
                return row.groupType;
        }
        return QString();
    }

    GroupPtr golfers;
    GroupPtr lees;
};

TEST_F(BrowserPushGroupsTest, GoogleGroupsPushedFromTheAddressBookShowAsBoundRows)
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setInteger(1, pushkeys::autoPushABChanges);
    defaults.setObject(QStringList{golfers->uniqueId(), lees->uniqueId()},
                       commandkeys::autoABGroupKeys);
    ASSERT_TRUE(openBrowser());
    EXPECT_EQ(typeOf("Lees"), "d");
    EXPECT_EQ(typeOf("Golfers"), "e");
    EXPECT_EQ(typeOf("Chess"), "f");
}

TEST_F(BrowserPushGroupsTest, AGroupLeftOutOfASavedSelectionIsNotBound)
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setInteger(1, pushkeys::autoPushABChanges);
    defaults.setObject(QStringList{lees->uniqueId()}, commandkeys::autoABGroupKeys);
    ASSERT_TRUE(openBrowser());
    EXPECT_EQ(typeOf("Lees"), "d");
    EXPECT_EQ(typeOf("Golfers"), "f");
}

TEST_F(BrowserPushGroupsTest, WithTheAutomaticPushOffPushedGroupsArePlain)
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setInteger(0, pushkeys::autoPushABChanges);
    defaults.setObject(QStringList{golfers->uniqueId(), lees->uniqueId()},
                       commandkeys::autoABGroupKeys);
    ASSERT_TRUE(openBrowser());
    EXPECT_EQ(typeOf("Lees"), "f");
    EXPECT_EQ(typeOf("Golfers"), "f");
}

TEST_F(BrowserPushGroupsTest, TheReloadItemRefetchesThroughTheBrowsersEngine)
{
    ASSERT_TRUE(openBrowser());
    ASSERT_TRUE(runUntil([this] { return !requestsTo("/m8/feeds/contacts/").isEmpty(); }));
    QTest::qWait(300);
    server.clearRequestLog();
    QAction *const reload = browser()->toolbar()->item(toolbaritems::reload);
    ASSERT_NE(reload, nullptr);
    reload->trigger();
    EXPECT_TRUE(runUntil([this] {
        return !requestsTo("/m8/feeds/groups/").isEmpty() &&
               !requestsTo("/m8/feeds/contacts/").isEmpty();
    }));
}

} // namespace

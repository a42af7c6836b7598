// What the browser window sends the application delegate for its toolbar, each only when the
// delegate offers it.

#include "browser/toolbar/applicationdelegatecalls.h"

#include "browser/toolbar/browsertoolbar.h"
#include "browser/toolbar/toolbaritems.h"
#include "browser/window/browserwindowcontroller.h"
#include "browser/window/windowkeys.h"
#include "platform/defaults/userdefaults.h"

#include "tests/support/google/googleentrytest.h"

#include <QToolBar>

namespace {

// An application delegate that offers the toolbar's operations and records them.
class OfferingDelegate : public QObject
{
    Q_OBJECT

public:
    Q_INVOKABLE void setToolbar(QToolBar *toolbar) { toolbars.append(toolbar); }
    Q_INVOKABLE void setToolbarMenuVerb(const QString &verb) { verbs.append(verb); }
    Q_INVOKABLE void setBrowserSetModeMenuTitle(const QString &title) { titles.append(title); }
    Q_INVOKABLE void refreshGoogleState(QObject *sender) { refreshes.append(sender); }

    QList<QToolBar *> toolbars;
    QStringList verbs;
    QStringList titles;
    QList<QObject *> refreshes;
};

class ApplicationDelegateCallsTest : public GoogleEntryTest
{
protected:
    void TearDown() override
    {
        applicationdelegatecalls::setApplicationDelegateForTesting(nullptr);
        UserDefaults::standard().removeObjectForKey(windowkeys::multipleGroupsUseIntersection);
    }
};

TEST_F(ApplicationDelegateCallsTest, AnOfferingDelegateGetsTheToolbarTheTitleAndTheReload)
{
    OfferingDelegate delegate;
    applicationdelegatecalls::setApplicationDelegateForTesting(&delegate);
    UserDefaults::standard().setBool(true, windowkeys::multipleGroupsUseIntersection);
    BrowserWindowController browser;
    ASSERT_EQ(delegate.toolbars.size(), 1);
    EXPECT_EQ(delegate.toolbars.front(), browser.toolbar());
    EXPECT_EQ(delegate.verbs, QStringList{u"ignored"_qs});
    EXPECT_EQ(delegate.titles, QStringList{u"Change to Union"_qs});

    browser.toolbar()->item(toolbaritems::reload)->trigger();
    ASSERT_EQ(delegate.refreshes.size(), 1);
    EXPECT_EQ(delegate.refreshes.front(), &browser);
}

} // namespace

#include "applicationdelegatecallstest.moc"

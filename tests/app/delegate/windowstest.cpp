#include "app/appkeys.h"
#include "app/apptexts.h"
#include "google/engine/googlecontacttool.h"
#include "platform/defaults/userdefaults.h"
#include "tests/support/app/mainprogramtest.h"
#include "tests/support/app/urlrecorder.h"

#include <QTest>
#include <QUrl>

#include <unistd.h>

namespace {

class WindowsTest : public MainProgramTest
{
protected:
    void SetUp() override
    {
        MainProgramTest::SetUp();
        storePassword(kPassword);
        ASSERT_TRUE(startAndLogIn());
        // Each test opens its own windows: the start-up's first one goes.
        delegate->dataMoverWindowController()->window()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        journal.clear();
        if (::geteuid() == 0)
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    static bool makeKey(WindowController *controller)
    {
        controller->showWindow();
        return QTest::qWaitForWindowActive(controller->window());
    }
    RecordingWindow *lastMade() const { return windows->made.constLast(); }
    int count(const QString &entry) const { return int(journal.count(entry)); }
};

TEST_F(WindowsTest, OpeningTheDataLoaderTwiceGivesOneWindow)
{
    delegate->openDataMover();
    delegate->openDataMover();
    EXPECT_EQ(count("made:dataMover"), 1);
    EXPECT_TRUE(delegate->dataMoverWindowController()->window()->isVisible());
    EXPECT_TRUE(journal.contains("title:Data Loader for " + kAccount));
}

TEST_F(WindowsTest, TheDataLoaderBorrowsTheEngineOfASecondAccountBrowserInFront)
{
    delegate->openBrowserView();
    delegate->openBrowser2View();
    RecordingWindow *const second = lastMade();
    EXPECT_TRUE(journal.contains("window:openLoginPanel"));
    second->googleTool()->setUser("carol@example.com");
    ASSERT_TRUE(makeKey(second));
    delegate->openDataMover();
    EXPECT_EQ(delegate->dataMoverWindowController()->googleTool(), second->googleTool());
    EXPECT_TRUE(journal.contains("title:Data Loader for carol@example.com"));

    // The second account's engine goes with its window; the loader goes on with the
    // application's.
    second->window()->close();
    EXPECT_EQ(delegate->dataMoverWindowController()->googleTool(),
              delegate->appGoogleContactTool());
}

TEST_F(WindowsTest, WithAnyOtherWindowInFrontTheDataLoaderGetsTheApplicationsEngine)
{
    delegate->openBrowserView();
    delegate->openBrowser2View();
    delegate->openWebView();
    ASSERT_TRUE(makeKey(delegate->safariWindowController()));
    delegate->openDataMover();
    EXPECT_EQ(delegate->dataMoverWindowController()->googleTool(),
              delegate->appGoogleContactTool());
    EXPECT_TRUE(journal.contains("title:Data Loader for " + kAccount));
}

TEST_F(WindowsTest, ViewCommandsReachTheKeyWindowOnlyWhereOffered)
{
    delegate->openBrowserView();
    RecordingWindow *const browser = lastMade();
    browser->offerCommand("toggleNotes:");
    browser->offerCommand("changeBrowserDataField:");
    ASSERT_TRUE(makeKey(browser));
    delegate->toggleNotes();
    delegate->toggleGroupNav();
    delegate->browserChangeDataField(3);
    EXPECT_EQ(count("command:toggleNotes:"), 1);
    EXPECT_EQ(count("command:changeBrowserDataField:=3"), 1);
    EXPECT_FALSE(journal.join('\n').contains("command:toggleGroupNav:"));
    EXPECT_TRUE(delegate->isBrowserFront());

    delegate->openDataMover();
    RecordingWindow *const loader = lastMade();
    loader->offerCommand("showTableColumnSheet:");
    ASSERT_TRUE(makeKey(loader));
    EXPECT_FALSE(delegate->isBrowserFront());
    delegate->toggleNotes();
    delegate->showTableColumnSheet();
    EXPECT_EQ(count("command:toggleNotes:"), 1);
    EXPECT_EQ(count("command:showTableColumnSheet:"), 0);
}

TEST_F(WindowsTest, TheSetOperatorFlipsAndNamesTheOtherChoice)
{
    delegate->toggleSetOperator();
    EXPECT_TRUE(delegate->browserSetModeMenuTitle().isEmpty());
    delegate->openBrowserView();
    RecordingWindow *const browser = lastMade();
    browser->offerCommand("toggleSetOperator:");
    delegate->toggleSetOperator();
    EXPECT_TRUE(browser->useIntersection());
    EXPECT_EQ(delegate->browserSetModeMenuTitle(), apptexts::changeToUnion);
    delegate->toggleSetOperator();
    EXPECT_FALSE(browser->useIntersection());
    EXPECT_EQ(delegate->browserSetModeMenuTitle(), apptexts::changeToIntersection);
    EXPECT_EQ(count("command:toggleSetOperator:"), 2);
}

TEST_F(WindowsTest, AClosedWindowHandsTheEnginesDelegatesBack)
{
    delegate->openDataMover();
    RecordingWindow *const loader = lastMade();
    loader->takeEngineDelegates();
    GoogleContactTool *const tool = delegate->appGoogleContactTool();
    ASSERT_EQ(tool->uiDelegate(), loader->engineUIDelegate());
    loader->window()->close();
    EXPECT_EQ(tool->uiDelegate(), static_cast<GoogleContactToolUIDelegate *>(delegate.get()));
    EXPECT_EQ(tool->dataDelegate(), static_cast<GoogleContactToolDataDelegate *>(delegate.get()));
    EXPECT_FALSE(delegate->dataMoverWindowController());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // The next fetch reaches no window that is gone (under the address sanitizer a call into the
    // deleted window would end the test).
    journal.clear();
    delegate->setStatusMessage(QString());
    tool->fetchAllGroupsWithUIRefresh(true, true);
    EXPECT_TRUE(runUntil([&] { return delegate->statusMessage() == "Listening"; }));
    EXPECT_FALSE(journal.contains("status:Listening")) << journal.join(", ").toStdString();
    EXPECT_FALSE(journal.contains("data:loadPending")) << journal.join(", ").toStdString();
}

TEST_F(WindowsTest, TheWebViewOpensOnceAndIsForgottenWhenClosed)
{
    delegate->openWebView();
    delegate->openWebView();
    EXPECT_EQ(count("made:webView"), 1);
    delegate->safariWindowController()->window()->close();
    EXPECT_FALSE(delegate->safariWindowController());
    delegate->openWebView();
    EXPECT_EQ(count("made:webView"), 2);
}

TEST_F(WindowsTest, AsRootWithTheSandboxOnTheUsersBrowserShowsThePage)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root cannot run the web view with its sandbox on";
    qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");
    UserDefaults::standard().setString("https://contacts.example.com/",
                                       appkeys::googleContactsPage);
    UrlRecorder recorder("https");
    delegate->openWebView();
    EXPECT_EQ(count("made:webView"), 0);
    EXPECT_EQ(recorder.opened, QList<QUrl>{QUrl("https://contacts.example.com/")});
}

} // namespace

#include "app/appkeys.h"
#include "app/windows/windowfactory.h"
#include "loader/webview/safariwindowcontroller.h"
#include "platform/defaults/userdefaults.h"
#include "tests/loader/webview/webpageserver.h"
#include "tests/support/app/mainprogramtest.h"
#include "tests/support/app/urlrecorder.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

#include <unistd.h>

namespace {

// The application delegate opens the real web view window through the factory, as the program's
// entry registers it.
class OpenWebViewTest : public MainProgramTest
{
protected:
    void SetUp() override
    {
        MainProgramTest::SetUp();
        windowfactory::setMaker(WindowController::Kind::WebView,
                                [] { return std::make_unique<SafariWindowController>(); });
        ASSERT_TRUE(pages.start());
        pages.addPage(QStringLiteral("/contacts.html"), "<!DOCTYPE html><title>Contacts</title>");
        UserDefaults::standard().setString(pages.url("/contacts.html").toString(),
                                           appkeys::googleContactsPage);
        delegate = std::make_unique<AppDelegate>();
    }
    SafariWindowController *webView() const
    {
        return qobject_cast<SafariWindowController *>(delegate->safariWindowController());
    }

    WebPageServer pages;
};

TEST_F(OpenWebViewTest, OpensOneWindowOnTheContactsPageAndForgetsItOnceClosed)
{
    delegate->openWebView();
    QPointer<SafariWindowController> first = webView();
    ASSERT_TRUE(first);
    delegate->openWebView();
    EXPECT_EQ(webView(), first.data());
    EXPECT_TRUE(first->window()->isVisible());
    EXPECT_TRUE(runUntil([&] {
        return first->window()->windowTitle() == "Contacts:  Loaded 1 of 1";
    })) << first->window()->windowTitle().toStdString();

    first->window()->close();
    EXPECT_FALSE(delegate->safariWindowController());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first);

    delegate->openWebView();
    ASSERT_TRUE(webView());
    EXPECT_TRUE(
        runUntil([&] { return webView()->window()->windowTitle() == "Contacts:  Loaded 1 of 1"; }));
}

TEST_F(OpenWebViewTest, AsRootWithTheSandboxOnTheUsersBrowserShowsThePage)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root cannot run the web view with its sandbox on";
    // The engine would end the whole program at its first view.
    qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");
    UserDefaults::standard().setString("https://contacts.example.com/",
                                       appkeys::googleContactsPage);
    UrlRecorder recorder("https");
    delegate->openWebView();
    EXPECT_FALSE(delegate->safariWindowController());
    EXPECT_EQ(recorder.opened, QList<QUrl>{QUrl("https://contacts.example.com/")});
}

} // namespace
